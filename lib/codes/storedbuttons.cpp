#include "storedbuttons.h"

#include <algorithm>
#include <cstdint>

namespace codes {

namespace {

constexpr std::uint64_t kMostMicros = 1000000;
constexpr std::uint64_t kMostCarrierHz = 10000000;
// Two bytes that say four more hold the duration.
constexpr std::uint32_t kLongDuration = 0xFFFF;

void putNumber(std::string& out, std::uint64_t n) {
    for (; n >= 0x80; n >>= 7)
        out += static_cast<char>((n & 0x7F) | 0x80);
    out += static_cast<char>(n);
}

// Reads numbers off the blob, each checked against the blob's end and its own range once: a
// search decodes every duration of the sets it returns.
class BlobReader {
public:
    explicit BlobReader(std::string_view in)
        : at_(reinterpret_cast<const unsigned char*>(in.data())), end_(at_ + in.size()) {}

    bool number(std::uint64_t& n) {
        n = 0;
        for (int shift = 0; shift < 64 && at_ != end_; shift += 7) {
            const unsigned char byte = *at_++;
            n |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (byte < 0x80)
                return true;
        }
        return false;
    }
    bool bounded(int& out, std::uint64_t least, std::uint64_t most) {
        std::uint64_t n = 0;
        if (!number(n) || n < least || n > most)
            return false;
        out = static_cast<int>(n);
        return true;
    }
    // A count of things each taking at least a byte: a damaged count cannot ask for more memory
    // than the blob holds.
    bool count(std::size_t& n) {
        std::uint64_t read = 0;
        if (!number(read) || read > static_cast<std::uint64_t>(end_ - at_))
            return false;
        n = static_cast<std::size_t>(read);
        return true;
    }
    bool text(std::string& out) {
        std::size_t length = 0;
        if (!count(length))
            return false;
        out.assign(reinterpret_cast<const char*>(at_), length);
        at_ += length;
        return true;
    }
    // `count` durations of 1 to kMostMicros.
    bool durations(int* out, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (end_ - at_ < 2)
                return false;
            std::uint32_t n = at_[0] | static_cast<std::uint32_t>(at_[1]) << 8;
            at_ += 2;
            if (n == kLongDuration) {
                if (end_ - at_ < 4)
                    return false;
                n = at_[0] | static_cast<std::uint32_t>(at_[1]) << 8 |
                    static_cast<std::uint32_t>(at_[2]) << 16 | static_cast<std::uint32_t>(at_[3]) << 24;
                at_ += 4;
            }
            if (n == 0 || n > kMostMicros)
                return false;
            out[i] = static_cast<int>(n);
        }
        return true;
    }
    bool done() const { return at_ == end_; }

private:
    const unsigned char* at_;
    const unsigned char* end_;
};

} // namespace

std::string storedButtons(const std::vector<LibraryCode>& codes) {
    std::string out;
    putNumber(out, codes.size());
    for (const LibraryCode& code : codes) {
        putNumber(out, code.button.size());
        out += code.button;
        putNumber(out, static_cast<std::uint64_t>(std::max(code.carrierHz, 0)));
        putNumber(out, code.timings.size());
        for (const int micros : code.timings) {
            const auto n = static_cast<std::uint32_t>(micros);
            if (n >= kLongDuration) {
                out += "\xFF\xFF";
                for (int shift = 0; shift < 32; shift += 8)
                    out += static_cast<char>(n >> shift & 0xFF);
            } else {
                out += static_cast<char>(n & 0xFF);
                out += static_cast<char>(n >> 8);
            }
        }
    }
    return out;
}

std::optional<std::vector<LibraryCode>> readStoredButtons(std::string_view blob) {
    BlobReader in(blob);
    std::size_t buttons = 0;
    if (!in.count(buttons))
        return std::nullopt;
    std::vector<LibraryCode> codes(buttons);
    for (LibraryCode& code : codes) {
        std::size_t durations = 0;
        if (!in.text(code.button) || !in.bounded(code.carrierHz, 0, kMostCarrierHz) || !in.count(durations))
            return std::nullopt;
        code.timings.resize(durations);
        if (!in.durations(code.timings.data(), durations))
            return std::nullopt;
    }
    if (!in.done())
        return std::nullopt;
    return codes;
}

} // namespace codes
