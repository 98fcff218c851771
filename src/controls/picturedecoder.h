// The window's own pictures decoded on a thread of their own, in the order the window is built,
// while the splash is up and the controls are made: building the window then waits for a picture
// only when it gets there before the picture does.
#pragma once

#include <QPixmap>
#include <QString>

#include <vector>

namespace controls {

// Starts decoding `names` (files under ":/window/") unless a decoding is already under way.
void startDecodingPictures(const std::vector<QString>& names);

// Picture `name`: the decoded one when it was among those started (waiting for it), else loaded
// now. Each started picture is handed out once.
QPixmap decodedPicture(const QString& name);

// Waits for the decoding thread and drops what nobody took.
void finishDecodingPictures();

} // namespace controls
