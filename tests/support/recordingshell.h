// Stands in for the desktop shell: records every file it is asked to open.
#pragma once

#include "platform/shell.h"

#include <QString>
#include <QStringList>

namespace testsupport {

class RecordingShell final : public platform::Shell {
public:
    RecordingShell() { platform::setShell(this); }
    ~RecordingShell() override { platform::setShell(nullptr); }
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    bool open(const QString& file) override {
        opened.append(file);
        return finds;
    }

    QStringList opened;
    // Whether the shell finds what it is asked to open.
    bool finds = true;
};

} // namespace testsupport
