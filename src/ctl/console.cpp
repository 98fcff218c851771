#include "console.h"

#include <istream>
#include <ostream>

namespace ctl {

int Console::fail(int status, const std::string& message) const {
    err << "qtm418ctl: " << message << '\n';
    return status;
}

bool Console::confirm(const std::string& question) const {
    err << question << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(in, answer))
        return false;
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

} // namespace ctl
