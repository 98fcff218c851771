// IRDB CSV files, as learn --from reads them: the input as it is, and led by the heading so that
// the IRDB reader is the one that takes it. What must hold beyond "no crash": a refusal names the
// file and a line of it; a row set aside as not learnable names its line too; and every row
// rendered has durations a remote can send, from a mark to a mark, on an infrared carrier.
#include "fuzzcheck.h"

#include "codes/signalfile.h"
#include "ir/timings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

namespace {

bool namesALine(const std::string& message) {
    constexpr std::string_view kFile = "fuzz.csv:";
    return message.rfind(kFile, 0) == 0 && message.size() > kFile.size() && message[kFile.size()] >= '1' &&
           message[kFile.size()] <= '9';
}

void readAndCheck(const std::string& text) {
    // Input as it comes may be taken by another reader (JSON timings may end on a space); the
    // rendering's properties are the IRDB reader's alone.
    if (codes::codeFormatName(text) != "IRDB CSV")
        return;
    const auto read = codes::readSignalText(text, "fuzz.csv");
    if (const auto* problem = std::get_if<codes::FileProblem>(&read)) {
        fuzzCheck(namesALine(codes::describe(*problem)), "a refusal names the file and a line");
        return;
    }
    for (const codes::NamedSignal& signal : std::get<std::vector<codes::NamedSignal>>(read)) {
        if (signal.unusable) {
            fuzzCheck(namesALine(codes::describe(*signal.unusable)),
                      "a row not learnable names the file and its line");
            continue;
        }
        fuzzCheck(ir::plausibleTimings(signal.signal.timings) && signal.signal.timings.size() % 2 == 1,
                  "a rendered row has durations a remote can send, from a mark to a mark");
        fuzzCheck(signal.signal.carrierHz >= 30000 && signal.signal.carrierHz <= 60000,
                  "a rendered row has an infrared remote's carrier");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    readAndCheck(text);
    readAndCheck("functionname,protocol,device,subdevice,function\n" + text);
    return 0;
}
