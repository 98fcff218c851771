// Where a command reads its answers and writes its output, data and messages, and the exit
// statuses every command ends with.
#pragma once

#include <iosfwd>
#include <string>

namespace ctl {

enum Status : int {
    kDone = 0,
    kRefused = 1,  // refused, a check failed, or the remote could not do it
    kNoRemote = 2, // bad usage, or no remote to talk to
};

struct Console {
    std::istream& in;
    std::ostream& out; // data and results
    std::ostream& err; // messages and progress

    // Writes "qtm418ctl: message" as one line of `err` and returns `status`.
    int fail(int status, const std::string& message) const;

    // Asks a yes/no question on `err`; true only for an answer starting with y or Y.
    bool confirm(const std::string& question) const;
};

} // namespace ctl
