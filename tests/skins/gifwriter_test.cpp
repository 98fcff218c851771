// The GIF writer: indexed pictures survive a round trip through Qt's decoder pixel for pixel,
// animations keep their frames, delays and endless loop, and impossible input is refused
// without output. The palette reduction keeps flat areas exact.
#include "gifwriter.h"
#include "indexedimage.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

using namespace artwork;

namespace {

QImage indexedPattern(QSize size, int colours, int seed = 0) {
    QImage picture(size, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back(qRgb((i * 37 + seed) % 256, (i * 91 + 3 * seed) % 256, (i * 53 + 7) % 256));
    picture.setColorTable(palette);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, static_cast<uint>((x * 7 + y * 13 + x * y + seed) % colours));
    return picture;
}

// True when `decoded` shows exactly the colours `original` names.
bool samePixels(const QImage& original, const QImage& decoded) {
    if (original.size() != decoded.size())
        return false;
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x)
            if ((original.pixel(x, y) | 0xFF000000u) != (decoded.pixel(x, y) | 0xFF000000u))
                return false;
    return true;
}

} // namespace

TEST(GifWriter, PicturesRoundTripPixelForPixel) {
    const struct {
        QSize size;
        int colours;
        GifVersion version;
        const char* magic;
    } cases[] = {
        {{37, 23}, 7, GifVersion::Gif87a, "GIF87a"},
        {{64, 48}, 256, GifVersion::Gif89a, "GIF89a"},
        {{1, 1}, 1, GifVersion::Gif87a, "GIF87a"},
        {{300, 2}, 129, GifVersion::Gif89a, "GIF89a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colours);
        const QImage picture = indexedPattern(c.size, c.colours);
        QByteArray bytes;
        QString error;
        ASSERT_TRUE(encodeGif(picture, c.version, bytes, &error)) << error.toStdString();
        EXPECT_TRUE(bytes.startsWith(c.magic));
        EXPECT_TRUE(samePixels(picture, QImage::fromData(bytes, "GIF")));
    }
}

TEST(GifWriter, AnimationKeepsFramesDelaysAndLoopsForever) {
    // The second frame has a palette of its own.
    const std::vector<GifFrame> frames{{indexedPattern({40, 30}, 16, 0), 10},
                                       {indexedPattern({40, 30}, 200, 5), 25},
                                       {indexedPattern({40, 30}, 16, 0), 60}};
    QByteArray bytes;
    QString error;
    ASSERT_TRUE(encodeAnimatedGif(frames, bytes, &error)) << error.toStdString();
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    EXPECT_EQ(reader.imageCount(), 3);
    EXPECT_EQ(reader.loopCount(), -1);
    for (const GifFrame& frame : frames) {
        const QImage decoded = reader.read();
        EXPECT_TRUE(samePixels(frame.picture, decoded));
        EXPECT_EQ(reader.nextImageDelay(), frame.delayCentiseconds * 10);
    }
}

TEST(GifWriter, RefusesPicturesAGifCannotHoldAndWritesNothing) {
    QImage outOfPalette = indexedPattern({8, 8}, 4);
    outOfPalette.scanLine(5)[3] = 9;
    QImage noPalette(8, 8, QImage::Format_Indexed8);
    noPalette.fill(0);
    const QImage tooWide = indexedPattern({70000, 1}, 2);
    const QImage refused[] = {QImage(), indexedPattern({8, 8}, 4).convertToFormat(QImage::Format_RGB32),
                              outOfPalette, noPalette, tooWide};
    for (const QImage& picture : refused) {
        QByteArray bytes("left over");
        QString error;
        EXPECT_FALSE(encodeGif(picture, GifVersion::Gif89a, bytes, &error));
        EXPECT_TRUE(bytes.isEmpty());
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(GifWriter, RefusesAnimationsAGifCannotHold) {
    const QImage picture = indexedPattern({10, 10}, 4);
    const std::vector<std::vector<GifFrame>> refused{
        {},
        {{picture, 10}, {indexedPattern({10, 11}, 4), 10}},
        {{picture, -1}},
        {{picture, 65536}},
        {{picture, 10}, {picture.convertToFormat(QImage::Format_RGB32), 10}},
    };
    for (const auto& frames : refused) {
        QByteArray bytes("left over");
        QString error;
        EXPECT_FALSE(encodeAnimatedGif(frames, bytes, &error));
        EXPECT_TRUE(bytes.isEmpty());
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(IndexedImage, FewColoursStayExact) {
    const QImage rgb = indexedPattern({50, 40}, 200).convertToFormat(QImage::Format_RGB32);
    const QImage indexed = toIndexed(rgb);
    EXPECT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_TRUE(samePixels(rgb, indexed));
}

// A flat area among thousands of shades keeps its exact colour, so a key's surroundings match the
// body it is cut from; the shades come out close.
TEST(IndexedImage, ManyColoursKeepFlatAreasExactAndTheRestClose) {
    QImage rgb(100, 100, QImage::Format_RGB32);
    const QRgb flat = qRgb(46, 50, 58);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            rgb.setPixel(x, y, x < 30 ? flat : qRgb(x * 2 + 50, y * 2 + 30, (x + y) % 256));
    const QImage indexed = toIndexed(rgb);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_LE(indexed.colorCount(), 256);
    int worst = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const QRgb a = rgb.pixel(x, y);
            const QRgb b = indexed.pixel(x, y);
            if (x < 30) {
                ASSERT_EQ(b | 0xFF000000u, flat | 0xFF000000u);
            }
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    EXPECT_LE(worst, 24);
}
