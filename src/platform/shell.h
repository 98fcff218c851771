// The shell's "open" of a file (the help file, an image button's Path). Tests put a recording
// shell in place of the desktop's.
#pragma once

#include <QString>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // True when the shell found something to open it with.
    virtual bool open(const QString& file) = 0;
};

// The shell in use: the desktop's unless a test installed its own.
Shell& shell();
// Installs `replacement` (not owned); nullptr restores the desktop's shell.
void setShell(Shell* replacement);

} // namespace platform
