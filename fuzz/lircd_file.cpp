// lircd.conf files, as learn --from reads them. What must hold beyond "no crash": a refusal
// names the file and a line of it; every signal accepted, or set aside as unlearnable with the
// file and line, and every accepted signal has durations a remote can send, from a mark on.
#include "fuzzcheck.h"

#include "codes/signalfile.h"
#include "ir/timings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Led by a remote's opening line, so that the lircd.conf reader is the one that takes it.
    const std::string text = "begin remote\n" + std::string(reinterpret_cast<const char*>(data), size);
    const auto read = codes::readSignalText(text, "fuzz.conf");
    const auto namesALine = [](const std::string& message) {
        return message.rfind("fuzz.conf:", 0) == 0 && message.size() > 10 && message[10] >= '1' &&
               message[10] <= '9';
    };
    if (const auto* problem = std::get_if<codes::FileProblem>(&read)) {
        fuzzCheck(namesALine(codes::describe(*problem)), "a refusal names the file and a line");
        return 0;
    }
    const auto& signals = std::get<std::vector<codes::NamedSignal>>(read);
    fuzzCheck(!signals.empty(), "an accepted file holds a signal");
    for (const codes::NamedSignal& signal : signals) {
        fuzzCheck(!signal.name.empty(), "every signal is named by its button");
        if (signal.unusable) {
            fuzzCheck(namesALine(codes::describe(*signal.unusable)),
                      "an unlearnable signal names the file and its line");
            continue;
        }
        fuzzCheck(ir::plausibleTimings(signal.signal.timings), "an accepted signal has plausible timings");
    }
    return 0;
}
