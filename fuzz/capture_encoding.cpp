// The capture trim and encoding, fed capture text as the device library returns it: the whole
// 10240-character buffer with its rest zero, and the text as it is, as the diagnostic file's line
// comes back. What must hold: the trimmed record is cut out of the capture, never longer than it,
// and the encoding takes at most two characters per character of the record (a mark shorter than
// the receiver's widening is the only item longer than its word), so a capture the buffer holds
// never encodes past twice the buffer.
#include "fuzzcheck.h"

#include "model/codeencoding.h"
#include "model/wire.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kTailChars = model::kGapRun.size() + 8; // the silence and the carrier words

bool isHexText(std::string_view text) { return text.find_first_not_of("0123456789ABCDEF") == text.npos; }

void trimAndEncode(const std::string& captured) {
    const std::string trimmed = model::trimCapture(captured);
    const std::size_t silence = captured.find(model::kGapRun);
    if (silence == std::string::npos) {
        fuzzCheck(trimmed == "0000", "a capture without its silence trims to 0000");
    } else {
        const std::string tail = captured.substr(silence, kTailChars);
        const std::size_t head = trimmed.size() - tail.size();
        fuzzCheck(trimmed.size() >= tail.size() && head <= silence && trimmed.ends_with(tail) &&
                      captured.compare(0, head, trimmed, 0, head) == 0,
                  "the trimmed record is the capture's head up to the silence, then the silence and carrier");
    }
    // The diagnostic line of a capture without a result goes nowhere, quickly.
    const std::string encoded = model::encodeCapture(trimmed, "/dev/null");
    if (encoded.empty())
        return;
    fuzzCheck(encoded.size() <= 2 * trimmed.size(),
              "the encoding takes at most two characters per character");
    fuzzCheck(isHexText(encoded) && encoded.ends_with("EDED"),
              "the encoding is the group count and hex items, ending at the end marker");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string captured(reinterpret_cast<const char*>(data), size);
    trimAndEncode(captured);
    captured.resize(wire::kCaptureBufferSize, '\0');
    trimAndEncode(captured);
    return 0;
}
