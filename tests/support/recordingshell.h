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

    void open(const QString& file, Done done) override {
        opened.append(file);
        if (done)
            done(outcome);
    }

    QStringList opened;
    // What every open comes to.
    platform::OpenOutcome outcome = platform::OpenOutcome::Opened;
};

} // namespace testsupport
