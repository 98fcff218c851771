// The window's pictures decoded ahead: the same pictures as loaded in turn, whatever was started.
#include "controls/mainlayout.h"
#include "controls/picturedecoder.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QImage loadedNow(const QString& name) { return QImage(controls::windowPicture(name)); }

TEST(PictureDecoder, GivesThePicturesLoadingThemWouldGive) {
    const QString started[] = {"z.gif", "keys/IBtn35.gif", "Image1.jpg"};
    controls::startDecodingPictures({std::begin(started), std::end(started)});
    // Asked out of order, twice, and one never started: each the picture itself.
    for (const QString& name :
         {QString("Image1.jpg"), QString("z.gif"), QString("z.gif"), QString("Image4.gif")}) {
        const QImage expected = loadedNow(name);
        ASSERT_FALSE(expected.isNull()) << name.toStdString();
        EXPECT_EQ(controls::decodedPicture(name).toImage().convertToFormat(expected.format()), expected)
            << name.toStdString();
    }
    controls::finishDecodingPictures(); // with keys/IBtn35.gif never taken
    EXPECT_EQ(controls::decodedPicture("keys/IBtn35.gif").toImage().convertToFormat(QImage::Format_ARGB32),
              loadedNow("keys/IBtn35.gif").convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(controls::decodedPicture("no-such-picture.gif").isNull());
}

} // namespace
