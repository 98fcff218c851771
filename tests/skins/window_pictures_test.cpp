// The window's own pictures compiled into the program: each in its format and at its size, the
// key buttons' first pictures as GIF87a equal to the normal key set, and every key over a well of
// the remote's body once the keypad box has stretched the body to its own size.
#include "skinfiles.h"

#include <gtest/gtest.h>

using namespace skintest;

// Outside any namespace, as the resource's initialiser is.
static void initWindowPictures() { Q_INIT_RESOURCE(windowpictures); }

namespace {

class WindowPictures : public testing::Test {
protected:
    static void SetUpTestSuite() { initWindowPictures(); }

    static QByteArray bytes(const QString& name) {
        QFile file(QStringLiteral(":/window/") + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

enum class Format { Gif87a, Gif89a, Jpeg };

bool hasFormat(const QByteArray& bytes, Format format) {
    switch (format) {
    case Format::Gif87a:
        return isGif87a(bytes);
    case Format::Gif89a:
        return isGif89a(bytes);
    case Format::Jpeg:
        return isJpeg(bytes);
    }
    return false;
}

QSize sizeOf(model::Size size) { return {size.width, size.height}; }

} // namespace

TEST_F(WindowPictures, EachHasItsFormatAndSize) {
    const struct {
        const char* name;
        Format format;
        QSize size;
    } pictures[] = {
        {"Image1.jpg", Format::Jpeg, sizeOf(model::kBackgroundPicture)},
        {"beginstudyibtn.jpg", Format::Jpeg, sizeOf(model::kStudyButtonPicture)},
        {"beginstudyibtn-stop.jpg", Format::Jpeg, sizeOf(model::kStudyButtonPicture)},
        {"helpibtn.gif", Format::Gif89a, sizeOf(model::kHelpButtonPicture)},
        {"updateibtn.gif", Format::Gif89a, sizeOf(model::kUpdateButtonPicture)},
        {"IBtn79.gif", Format::Gif89a, sizeOf(model::kCloseButtonPicture)},
        {"IBtn79-grey.jpg", Format::Jpeg, sizeOf(model::kCloseButtonDisabled)},
        {"Image4.gif", Format::Gif89a, sizeOf(model::kHintPanelPicture)},
        {"Image5.gif", Format::Gif89a, sizeOf(model::kHintPanelPicture)},
        {"Image7.gif", Format::Gif89a, sizeOf(model::kHintPanelPicture)},
        {"Image8.gif", Format::Gif89a, sizeOf(model::kHintPanelPicture)},
        {"z.gif", Format::Gif89a, sizeOf(model::kRemoteBodyPicture)},
        {"splash.gif", Format::Gif89a, sizeOf(model::kSplashPicture)},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const QByteArray data = bytes(QLatin1String(picture.name));
        EXPECT_TRUE(hasFormat(data, picture.format));
        EXPECT_EQ(decode(data).size(), picture.size);
    }
}

TEST_F(WindowPictures, KeyButtonsStartWithTheirNormalPictureAsGif87a) {
    const RegisteredBundle normal(skinBundle(QStringLiteral("on100C")), QStringLiteral("/on100C"));
    ASSERT_TRUE(normal.registered());
    for (const auto& key : model::kKeyButtons) {
        const QString name = QString::fromUtf8(key.name);
        SCOPED_TRACE(name.toStdString());
        const QByteArray data = bytes(QStringLiteral("keys/%1.gif").arg(name));
        ASSERT_TRUE(isGif87a(data));
        const QImage first = decode(data).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(first.size(), QSize(key.picture.width, key.picture.height));
        const int index = std::stoi(std::string(key.code), nullptr, 16);
        EXPECT_EQ(
            first,
            decode(normal.bytes(QStringLiteral("gif%1").arg(index))).convertToFormat(QImage::Format_RGB32));
    }
}

// Where a key's face shows in its normal picture (light grey), the body beneath must be a key
// well, the darkest of the body's colours, and not the shell around the wells.
TEST_F(WindowPictures, EveryKeyFaceLiesOverAWellOfTheStretchedBody) {
    const QImage body = decode(bytes(QStringLiteral("z.gif")))
                            .scaled(model::kKeypadBox.width, model::kKeypadBox.height, Qt::IgnoreAspectRatio,
                                    Qt::FastTransformation)
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(body.isNull());
    for (const auto& key : model::kKeyButtons) {
        SCOPED_TRACE(std::string(key.name));
        const QImage picture = decode(bytes(QStringLiteral("keys/%1.gif").arg(QString::fromUtf8(key.name))))
                                   .convertToFormat(QImage::Format_RGB32);
        const int shownWidth = std::min(key.place.width, key.picture.width);
        const int shownHeight = std::min(key.place.height, key.picture.height);
        int face = 0;
        int overWell = 0;
        for (int y = 0; y < shownHeight; ++y) {
            for (int x = 0; x < shownWidth; ++x) {
                const QRgb shown = picture.pixel(x, y);
                if (qGray(shown) < 150)
                    continue;
                ++face;
                const QRgb beneath = body.pixel(key.place.left + x, key.place.top + y);
                overWell += std::max({qRed(beneath), qGreen(beneath), qBlue(beneath)}) <= 40;
            }
        }
        ASSERT_GT(face, shownWidth * shownHeight / 4);
        EXPECT_GT(overWell, face * 9 / 10);
    }
}
