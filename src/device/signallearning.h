// A key learned from a signal read out of a code file: the signal taken as the remote's receiver
// would record it, then down the window's own learning path, so it holds what the same signal
// learned by hand would.
#pragma once

#include "capturecommit.h"

#include "codes/buttonmatching.h"
#include "ir/timings.h"
#include "model/memorylayout.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace device {

// Learns `signal` into key `keyNumber`; `layout` and `table` follow what the remote holds
// afterwards. `mayWrite` is asked before anything is written; `diagnosticFile` receives a
// signal the encoder finds no end in.
LearnResult learnSignal(model::DeviceLayout& layout, model::KeyTable& table, std::string_view keyNumber,
                        const ir::Signal& signal, const std::filesystem::path& diagnosticFile,
                        const std::function<bool()>& mayWrite);

// Learns every match in turn, telling `learned` of each result; stops at the first key that is
// not written, or when `learned` answers false. How many keys were written.
std::size_t learnMatches(model::DeviceLayout& layout, model::KeyTable& table,
                         const std::vector<codes::ButtonMatch>& matches,
                         const std::filesystem::path& diagnosticFile, const std::function<bool()>& mayWrite,
                         const std::function<bool(const codes::ButtonMatch&, const LearnResult&)>& learned);

} // namespace device
