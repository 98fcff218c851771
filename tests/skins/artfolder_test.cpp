// Writing the generator's folder: a failure is reported with the file it concerns, stops all later
// writes and leaves no partial file; key numbers map to picture indices as hex values.
#include "artfolder.h"
#include "keyart.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace artwork;

namespace {

QImage smallPicture() {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(qRgb(53, 124, 168));
    return picture;
}

} // namespace

TEST(ArtFolder, WritesPicturesAndCollectionsBelowItsRoot) {
    QTemporaryDir root;
    ArtFolder out(root.path());
    out.gif(QStringLiteral("a/b/key.gif"), smallPicture(), GifVersion::Gif87a);
    out.jpeg(QStringLiteral("face.jpg"), smallPicture());
    out.collection(QStringLiteral("set.qrc"), QStringLiteral("/"),
                   {{QStringLiteral("gif0"), QStringLiteral("a/b/key.gif")}});
    ASSERT_TRUE(out.ok()) << out.error().toStdString();
    EXPECT_EQ(QImage(root.filePath(QStringLiteral("a/b/key.gif"))).size(), QSize(4, 3));
    EXPECT_EQ(QImage(root.filePath(QStringLiteral("face.jpg"))).size(), QSize(4, 3));
    QFile collection(root.filePath(QStringLiteral("set.qrc")));
    ASSERT_TRUE(collection.open(QIODevice::ReadOnly));
    EXPECT_TRUE(collection.readAll().contains(R"(<file alias="gif0">a/b/key.gif</file>)"));
}

TEST(ArtFolder, FirstFailureNamesItsFileAndStopsLaterWrites) {
    QTemporaryDir root;
    // A file where a folder must go.
    QFile blocker(root.filePath(QStringLiteral("skin")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ArtFolder out(root.path());
    out.gif(QStringLiteral("skin/on/gif0.gif"), smallPicture(), GifVersion::Gif89a);
    out.jpeg(QStringLiteral("later.jpg"), smallPicture());
    EXPECT_FALSE(out.ok());
    EXPECT_TRUE(out.error().contains(QStringLiteral("skin/on/gif0.gif")));
    EXPECT_FALSE(QFile::exists(root.filePath(QStringLiteral("later.jpg"))));
}

TEST(ArtFolder, AnimationWithoutADelayPerFrameIsRefused) {
    QTemporaryDir root;
    ArtFolder out(root.path());
    out.animation(QStringLiteral("flash1.gif"), {smallPicture(), smallPicture()}, {10});
    EXPECT_FALSE(out.ok());
    EXPECT_FALSE(QFile::exists(root.filePath(QStringLiteral("flash1.gif"))));
}
