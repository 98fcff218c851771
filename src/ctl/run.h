// qtm418ctl's command line: picks the command, checks its arguments and runs it.
#pragma once

#include "console.h"

#include <string>
#include <vector>

namespace ctl {

// Runs one command line (without the program's name); the exit status.
int run(const std::vector<std::string>& words, const Console& console);

} // namespace ctl
