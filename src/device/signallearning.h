// A key learned from a signal read out of a code file: the signal taken as the remote's receiver
// would record it, then down the window's own learning path, so it holds what the same signal
// learned by hand would.
#pragma once

#include "capturecommit.h"

#include "codes/buttonmatching.h"
#include "ir/timings.h"
#include "model/memorylayout.h"

#include <functional>
#include <string_view>

namespace device {

// Learns `signal` into key `keyNumber`; `read` follows what the remote holds afterwards.
// `mayWrite` is asked before anything is written.
LearnResult learnSignal(model::LayoutRead& read, std::string_view keyNumber, const ir::Signal& signal,
                        const std::function<bool()>& mayWrite);

// Learns every match in turn, telling `learned` of each result; stops at the first key that is
// not written, or when `learned` answers false. How many keys were written.
std::size_t learnMatches(model::LayoutRead& read, const std::vector<codes::ButtonMatch>& matches,
                         const std::function<bool()>& mayWrite,
                         const std::function<bool(const codes::ButtonMatch&, const LearnResult&)>& learned);

} // namespace device
