// The shell's "open" of a file (the help file, an image button's Path). Tests put a recording
// shell in place of the desktop's.
#pragma once

#include <QString>

#include <functional>

namespace platform {

enum class OpenOutcome {
    Opened,    // a program took the file
    Missing,   // there is no such file
    NoProgram, // the file is there, but nothing on this computer could open it
};

class Shell {
public:
    using Done = std::function<void(OpenOutcome)>;

    virtual ~Shell() = default;
    // Opens `file` with the program the desktop has for it. `done`, when given, learns the outcome
    // on this thread: at once, or once the desktop has answered.
    virtual void open(const QString& file, Done done) = 0;
};

// The shell in use: the desktop's unless a test installed its own.
Shell& shell();
// Installs `replacement` (not owned); nullptr restores the desktop's shell.
void setShell(Shell* replacement);

} // namespace platform
