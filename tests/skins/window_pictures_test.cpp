// The window's own pictures compiled into the program: each in its format and at its size, with
// an English twin where it has words, the key buttons' first pictures as GIF87a equal to the
// normal key set of their language, and every key over a well of the remote's body once the
// keypad box has stretched the body to its own size.
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

struct WindowPicture {
    const char* name;
    Format format;
    QSize size;
    bool words; // drawn once more in English, as en/<name>
};

const WindowPicture kPictures[] = {
    {"Image1.jpg", Format::Jpeg, sizeOf(model::kBackgroundPicture), true},
    {"beginstudyibtn.jpg", Format::Jpeg, sizeOf(model::kStudyButtonPicture), true},
    {"beginstudyibtn-stop.jpg", Format::Jpeg, sizeOf(model::kStudyButtonPicture), true},
    {"helpibtn.gif", Format::Gif89a, sizeOf(model::kHelpButtonPicture), false},
    {"updateibtn.gif", Format::Gif89a, sizeOf(model::kUpdateButtonPicture), false},
    {"IBtn79.gif", Format::Gif89a, sizeOf(model::kCloseButtonPicture), false},
    {"IBtn79-grey.jpg", Format::Jpeg, sizeOf(model::kCloseButtonDisabled), false},
    {"Image4.gif", Format::Gif89a, sizeOf(model::kHintPanelPicture), true},
    {"Image5.gif", Format::Gif89a, sizeOf(model::kHintPanelPicture), true},
    {"Image7.gif", Format::Gif89a, sizeOf(model::kHintPanelPicture), true},
    {"Image8.gif", Format::Gif89a, sizeOf(model::kHintPanelPicture), true},
    {"z.gif", Format::Gif89a, sizeOf(model::kRemoteBodyPicture), true},
    {"splash.gif", Format::Gif89a, sizeOf(model::kSplashPicture), true},
};

} // namespace

// The English twins stand where the Chinese pictures do, with other words on them; a picture
// without words has no twin.
TEST_F(WindowPictures, EachHasItsFormatAndSizeAndAnEnglishTwinWhereItHasWords) {
    for (const WindowPicture& picture : kPictures) {
        SCOPED_TRACE(picture.name);
        const QByteArray data = bytes(QLatin1String(picture.name));
        EXPECT_TRUE(hasFormat(data, picture.format));
        EXPECT_EQ(decode(data).size(), picture.size);
        const QByteArray english = bytes(QStringLiteral("en/") + QLatin1String(picture.name));
        if (!picture.words) {
            EXPECT_TRUE(english.isEmpty());
            continue;
        }
        EXPECT_TRUE(hasFormat(english, picture.format));
        EXPECT_EQ(decode(english).size(), picture.size);
        EXPECT_NE(english, data);
    }
}

// In each language, the first picture of each key is its normal picture of that language's bundle.
TEST_F(WindowPictures, KeyButtonsStartWithTheirNormalPictureAsGif87a) {
    for (const QString& language : {QString(), QStringLiteral("en/")}) {
        SCOPED_TRACE(language.toStdString());
        const RegisteredBundle normal(skinBundle(language + QStringLiteral("on100C")),
                                      QStringLiteral("/on100C"));
        ASSERT_TRUE(normal.registered());
        for (const auto& key : model::kKeyButtons) {
            const QString name = QString::fromUtf8(key.name);
            SCOPED_TRACE(name.toStdString());
            const QByteArray data = bytes(QStringLiteral("%1keys/%2.gif").arg(language, name));
            ASSERT_TRUE(isGif87a(data));
            const QImage first = decode(data).convertToFormat(QImage::Format_RGB32);
            EXPECT_EQ(first.size(), QSize(key.picture.width, key.picture.height));
            const int index = std::stoi(std::string(key.code), nullptr, 16);
            EXPECT_EQ(first, decode(normal.bytes(QStringLiteral("gif%1").arg(index)))
                                 .convertToFormat(QImage::Format_RGB32));
        }
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
