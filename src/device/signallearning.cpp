#include "signallearning.h"

#include "ir/capturewords.h"
#include "model/wire.h"

namespace device {

LearnResult learnSignal(model::DeviceLayout& layout, model::KeyTable& table, std::string_view keyNumber,
                        const ir::Signal& signal, const std::filesystem::path& diagnosticFile,
                        const std::function<bool()>& mayWrite) {
    // The whole capture buffer, zero rest included, as the remote hands it over after a capture.
    std::string captured = ir::captureRecord(signal);
    captured.resize(wire::kCaptureBufferSize, '\0');
    return learnCapture(layout, table, keyNumber, captured, diagnosticFile, mayWrite);
}

std::size_t learnMatches(model::DeviceLayout& layout, model::KeyTable& table,
                         const std::vector<codes::ButtonMatch>& matches,
                         const std::filesystem::path& diagnosticFile, const std::function<bool()>& mayWrite,
                         const std::function<bool(const codes::ButtonMatch&, const LearnResult&)>& learned) {
    std::size_t written = 0;
    for (const codes::ButtonMatch& match : matches) {
        const LearnResult result =
            learnSignal(layout, table, match.keyNumber, match.signal->signal, diagnosticFile, mayWrite);
        const bool goOn = learned(match, result);
        if (result.outcome != LearnOutcome::Written)
            break;
        ++written;
        if (!goOn)
            break;
    }
    return written;
}

} // namespace device
