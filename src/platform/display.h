// The display the window opens on: its size, and the one change of display mode the program may
// make for a screen narrower than the window. Tests put a recording display in its place.
#pragma once

#include <QSize>

namespace platform {

class Display {
public:
    virtual ~Display() = default;
    // In the display's own pixels, the ones a display mode is set in: a scaled desktop's logical
    // size would make a wide screen look narrow.
    virtual QSize size() = 0;
    // Switches to 1024 x 768 for this session only, at a refresh rate the display lists for that
    // size; false when the display offers no such mode or cannot change.
    virtual bool useMinimumMode() = 0;
};

Display& display();
// Installs `replacement` (not owned); nullptr restores the real display.
void setDisplay(Display* replacement);

} // namespace platform
