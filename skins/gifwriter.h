// Indexed pictures to GIF bytes through giflib: single pictures as GIF87a or GIF89a, and endlessly
// looping GIF89a animations. Impossible input is refused with a reason, never half written.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace artwork {

enum class GifVersion { Gif87a, Gif89a };

// Encodes an 8-bit indexed picture whose palette has 1 to 256 entries and whose every pixel names
// one of them. On failure returns false, leaves `out` empty and says why in `error`.
bool encodeGif(const QImage& picture, GifVersion version, QByteArray& out, QString* error = nullptr);

struct GifFrame {
    QImage picture;        // 8-bit indexed, as for encodeGif
    int delayCentiseconds; // how long the frame stays, 0 to 65535
};

// Encodes frames of one size as a GIF89a animation that loops forever.
bool encodeAnimatedGif(const std::vector<GifFrame>& frames, QByteArray& out, QString* error = nullptr);

} // namespace artwork
