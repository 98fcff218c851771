// Lists of block numbers or addresses as the short text messages show them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace model {

// Ascending numbers with each run of neighbours (`step` apart) folded into "first-last", and each
// number written by `name`: "3, 7-9".
std::string runsText(const std::vector<unsigned>& ascending, unsigned step,
                     const std::function<std::string(unsigned)>& name);

// Ascending numbers as runs of decimal numbers: "3-5, 9".
std::string numberRanges(const std::vector<unsigned>& ascending);

} // namespace model
