// Pictures reduced to at most 256 colours for GIF. Colours that fill large areas are kept exactly,
// so a key's surroundings match the remote's body pixel for pixel; the rest comes from a median cut.
#pragma once

#include <QImage>

#include <vector>

namespace artwork {

// One picture with its own palette.
QImage toIndexed(const QImage& picture);

// Frames of an animation sharing one palette.
std::vector<QImage> toIndexed(const std::vector<QImage>& frames);

} // namespace artwork
