// The bytes on the channel between the program and the 32-bit host, as either side reads them:
// the input is a stream cut into frames, each payload read as a request (the host's side) and as
// an answer (the program's). What must hold: no payload is longer than a frame may be; what is
// read as a message, written back, is the same payload byte for byte (nothing is read that was
// not there, nothing there is dropped); a request's texts hold no zero byte, as a library reads
// them up to the first; and the header check of a maker's file never reads outside its input.
#include "fuzzcheck.h"

#include "bridge/libraryfile.h"
#include "bridge/protocol.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    bridge::libraryHeadProblem(bytes);

    bridge::FrameReader reader;
    // Fed in two pieces, as a pipe may deliver them.
    reader.feed(bytes.substr(0, size / 3));
    reader.feed(bytes.substr(size / 3));
    while (const auto payload = reader.next()) {
        fuzzCheck(!payload->empty() && payload->size() <= bridge::kMaxPayload, "a payload fits a frame");
        if (const auto request = bridge::decodeRequest(*payload)) {
            fuzzCheck(bridge::encode(*request) == *payload, "a request read back writes the same bytes");
            for (const std::string& text : request->texts)
                fuzzCheck(text.find('\0') == std::string::npos, "a request's texts hold no zero byte");
        }
        if (const auto answer = bridge::decodeAnswer(*payload))
            fuzzCheck(bridge::encode(*answer) == *payload, "an answer read back writes the same bytes");
    }
    return 0;
}
