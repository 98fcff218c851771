#include "gifwriter.h"

#include <gif_lib.h>

#include <memory>

namespace artwork {

namespace {

constexpr int kLargestSide = 65535;
constexpr int kLongestDelay = 65535;

bool refuse(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return false;
}

QString giflibFailure(int code) {
    const char* text = GifErrorString(code);
    return QStringLiteral("giflib: %1").arg(text ? QString::fromLatin1(text) : QString::number(code));
}

// Empty when giflib can encode the picture, else why not.
QString unusable(const QImage& picture) {
    if (picture.isNull())
        return QStringLiteral("the picture is empty");
    if (picture.format() != QImage::Format_Indexed8)
        return QStringLiteral("the picture is not 8-bit indexed");
    if (picture.width() > kLargestSide || picture.height() > kLargestSide)
        return QStringLiteral("%1 × %2 pixels is too large for a GIF")
            .arg(picture.width())
            .arg(picture.height());
    const int colours = picture.colorCount();
    if (colours < 1 || colours > 256)
        return QStringLiteral("a palette of %1 colours does not fit a GIF").arg(colours);
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* line = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x)
            if (line[x] >= colours)
                return QStringLiteral("pixel %1,%2 names colour %3 of a palette of %4")
                    .arg(x)
                    .arg(y)
                    .arg(line[x])
                    .arg(colours);
    }
    return {};
}

int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

using ColourMap = std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)>;

// giflib wants a power-of-two map; the padding entries are never named by a pixel.
ColourMap colourMap(const QImage& picture) {
    const QList<QRgb> table = picture.colorTable();
    std::vector<GifColorType> entries(
        static_cast<std::size_t>(1) << GifBitSize(static_cast<int>(table.size())), GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < table.size(); ++i)
        entries[static_cast<std::size_t>(i)] = {static_cast<GifByteType>(qRed(table[i])),
                                                static_cast<GifByteType>(qGreen(table[i])),
                                                static_cast<GifByteType>(qBlue(table[i]))};
    return {GifMakeMapObject(static_cast<int>(entries.size()), entries.data()), &GifFreeMapObject};
}

// One giflib output stream into memory; the first failure's code is kept, later steps do nothing.
class Encoder {
public:
    Encoder(QByteArray& bytes, bool gif89) : gif_(EGifOpen(&bytes, appendBytes, &failure_)) {
        if (gif_)
            EGifSetGifVersion(gif_, gif89);
    }
    ~Encoder() {
        if (gif_)
            EGifCloseFile(gif_, nullptr);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    void screen(const QImage& first) {
        if (!live())
            return;
        const ColourMap map = colourMap(first);
        if (!map)
            return fail(E_GIF_ERR_NOT_ENOUGH_MEM);
        step(EGifPutScreenDesc(gif_, first.width(), first.height(), 8, 0, map.get()));
    }

    // The application extension that browsers and Qt read as "repeat forever".
    void loopForever() {
        if (!live())
            return;
        static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
        static const GifByteType kRepeatForever[] = {1, 0, 0};
        const bool written =
            EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR &&
            EGifPutExtensionBlock(gif_, sizeof kApplication, kApplication) != GIF_ERROR &&
            EGifPutExtensionBlock(gif_, sizeof kRepeatForever, kRepeatForever) != GIF_ERROR &&
            EGifPutExtensionTrailer(gif_) != GIF_ERROR;
        if (!written)
            fail(gif_->Error);
    }

    void delay(int centiseconds) {
        if (!live())
            return;
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.DelayTime = centiseconds;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType block[4];
        const auto length = static_cast<int>(EGifGCBToExtension(&control, block));
        step(EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, length, block));
    }

    // A picture covering the whole screen, with its own map when its palette is not the screen's.
    void picture(const QImage& picture, bool ownPalette) {
        if (!live())
            return;
        ColourMap local(nullptr, &GifFreeMapObject);
        if (ownPalette) {
            local = colourMap(picture);
            if (!local)
                return fail(E_GIF_ERR_NOT_ENOUGH_MEM);
        } else if (gif_->Image.ColorMap) {
            // giflib forgets, without freeing, the previous frame's own map when this one has none.
            GifFreeMapObject(gif_->Image.ColorMap);
            gif_->Image.ColorMap = nullptr;
        }
        const int width = picture.width();
        step(EGifPutImageDesc(gif_, 0, 0, width, picture.height(), false, local.get()));
        std::vector<GifPixelType> line(static_cast<std::size_t>(width));
        for (int y = 0; y < picture.height() && live(); ++y) {
            std::copy_n(picture.constScanLine(y), width, line.begin());
            step(EGifPutLine(gif_, line.data(), width));
        }
    }

    // Writes the trailer; true when every step and the close succeeded.
    bool finish(QString* error) {
        if (!gif_)
            return refuse(error, giflibFailure(failure_));
        int closeFailure = 0;
        const bool closed = EGifCloseFile(gif_, &closeFailure) == GIF_OK;
        gif_ = nullptr;
        if (failure_ != 0)
            return refuse(error, giflibFailure(failure_));
        if (!closed)
            return refuse(error, giflibFailure(closeFailure));
        return true;
    }

private:
    bool live() const { return gif_ && failure_ == 0; }
    void step(int result) {
        if (live() && result == GIF_ERROR)
            fail(gif_->Error);
    }
    void fail(int code) {
        if (failure_ == 0)
            failure_ = code;
    }

    int failure_ = 0;
    GifFileType* gif_;
};

} // namespace

bool encodeGif(const QImage& picture, GifVersion version, QByteArray& out, QString* error) {
    out.clear();
    if (const QString reason = unusable(picture); !reason.isEmpty())
        return refuse(error, reason);
    QByteArray bytes;
    Encoder encoder(bytes, version == GifVersion::Gif89a);
    encoder.screen(picture);
    encoder.picture(picture, false);
    if (!encoder.finish(error))
        return false;
    out = bytes;
    return true;
}

bool encodeAnimatedGif(const std::vector<GifFrame>& frames, QByteArray& out, QString* error) {
    out.clear();
    if (frames.empty())
        return refuse(error, QStringLiteral("an animation needs at least one frame"));
    const QImage& first = frames.front().picture;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const GifFrame& frame = frames[i];
        if (const QString reason = unusable(frame.picture); !reason.isEmpty())
            return refuse(error, QStringLiteral("frame %1: %2").arg(i).arg(reason));
        if (frame.picture.size() != first.size())
            return refuse(error, QStringLiteral("frame %1 is not the size of the first").arg(i));
        if (frame.delayCentiseconds < 0 || frame.delayCentiseconds > kLongestDelay)
            return refuse(error, QStringLiteral("frame %1: a delay of %2 cs does not fit a GIF")
                                     .arg(i)
                                     .arg(frame.delayCentiseconds));
    }
    QByteArray bytes;
    Encoder encoder(bytes, true);
    encoder.screen(first);
    encoder.loopForever();
    for (const GifFrame& frame : frames) {
        encoder.delay(frame.delayCentiseconds);
        encoder.picture(frame.picture, frame.picture.colorTable() != first.colorTable());
    }
    if (!encoder.finish(error))
        return false;
    out = bytes;
    return true;
}

} // namespace artwork
