// qtm418ctl run in the test's process on the test's virtual remote: the exit status and what it
// wrote.
#pragma once

#include "ctl/run.h"

#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

struct CtlResult {
    int status = 0;
    std::string out;
    std::string err;
};

inline CtlResult runCtl(const std::vector<std::string>& words, const std::string& answers = "") {
    std::istringstream in(answers);
    std::ostringstream out, err;
    const int status = ctl::run(words, ctl::Console{in, out, err});
    return {status, out.str(), err.str()};
}

} // namespace testsupport
