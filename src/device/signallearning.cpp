#include "signallearning.h"

#include "ir/capturewords.h"
#include "model/wire.h"

#include <filesystem>

namespace device {

LearnResult learnSignal(model::LayoutRead& read, std::string_view keyNumber, const ir::Signal& signal,
                        const std::function<bool()>& mayWrite) {
    // The whole capture buffer, zero rest included, as the remote hands it over after a capture.
    std::string captured = ir::captureRecord(signal);
    captured.resize(wire::kCaptureBufferSize, '\0');
    return learnCapture(read.layout, read.keyTable, keyNumber, captured,
                        std::filesystem::temp_directory_path() / "qtm418ctl-unencoded.txt", mayWrite);
}

std::size_t learnMatches(model::LayoutRead& read, const std::vector<codes::ButtonMatch>& matches,
                         const std::function<bool()>& mayWrite,
                         const std::function<bool(const codes::ButtonMatch&, const LearnResult&)>& learned) {
    std::size_t written = 0;
    for (const codes::ButtonMatch& match : matches) {
        const LearnResult result = learnSignal(read, match.keyNumber, match.signal->signal, mayWrite);
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
