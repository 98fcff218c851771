// Everything the generator makes, written into one folder: the pictures, and the resource
// collections (.qrc) that rcc packs into the five skin bundles, the window's own pictures and
// the test skins.
#pragma once

#include <QImage>
#include <QString>

#include <array>

namespace artwork {

// The sizes of the desktop icon, written as icons/hicolor/NxN/apps/qtm418.png.
inline constexpr std::array<int, 7> kIconSizes{16, 24, 32, 48, 64, 128, 256};

// Draws every picture into `folder` with the collections on100C.qrc, sn100C.qrc, fn100C.qrc,
// dn100C.qrc, bn100C.qrc, window.qrc (prefix /window), on100C-without-gif100.qrc,
// bn100C-without-clear.qrc and sn100C-bad-gif7.qrc, and the desktop icon at each of kIconSizes;
// the five bundles' collections once more in English under en/, and window.qrc's pictures with
// words once more in English under the names en/<name>. Returns false with the reason in `error`.
bool writeArtwork(const QString& folder, QString* error);

// The main window as the program lays it out, built from the pictures in `folder`: a check that
// the keys sit on the body and that nothing overlaps.
QImage windowPreview(const QString& folder);

} // namespace artwork
