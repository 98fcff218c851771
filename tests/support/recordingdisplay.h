// Stands in for the display: a screen of a chosen size that records mode changes.
#pragma once

#include "platform/display.h"

namespace testsupport {

class RecordingDisplay final : public platform::Display {
public:
    RecordingDisplay() { platform::setDisplay(this); }
    ~RecordingDisplay() override { platform::setDisplay(nullptr); }
    RecordingDisplay(const RecordingDisplay&) = delete;
    RecordingDisplay& operator=(const RecordingDisplay&) = delete;

    QSize size() override { return screen; }
    bool useMinimumMode() override {
        ++modeChanges;
        return false;
    }

    QSize screen{1280, 1024};
    int modeChanges = 0;
};

} // namespace testsupport
