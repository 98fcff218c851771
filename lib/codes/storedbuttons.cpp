#include "storedbuttons.h"

#include <algorithm>
#include <cstdint>

namespace codes {

namespace {

constexpr std::uint64_t kMostMicros = 1000000;
constexpr std::uint64_t kMostCarrierHz = 10000000;

void putNumber(std::string& out, std::uint64_t n) {
    for (; n >= 0x80; n >>= 7)
        out += static_cast<char>((n & 0x7F) | 0x80);
    out += static_cast<char>(n);
}

class BlobReader {
public:
    explicit BlobReader(std::string_view in) : in_(in) {}

    bool number(std::uint64_t& n) {
        n = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (at_ == in_.size())
                return false;
            const auto byte = static_cast<unsigned char>(in_[at_++]);
            n |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (byte < 0x80)
                return true;
        }
        return false;
    }
    bool bounded(int& out, std::uint64_t most) {
        std::uint64_t n = 0;
        if (!number(n) || n > most)
            return false;
        out = static_cast<int>(n);
        return true;
    }
    // A count of things each taking at least a byte: a damaged count cannot ask for more memory
    // than the blob holds.
    bool count(std::size_t& n) {
        std::uint64_t read = 0;
        if (!number(read) || read > in_.size() - at_)
            return false;
        n = static_cast<std::size_t>(read);
        return true;
    }
    bool text(std::string& out) {
        std::size_t length = 0;
        if (!count(length))
            return false;
        out.assign(in_.substr(at_, length));
        at_ += length;
        return true;
    }
    bool done() const { return at_ == in_.size(); }

private:
    std::string_view in_;
    std::size_t at_ = 0;
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
        for (const int micros : code.timings)
            putNumber(out, static_cast<std::uint64_t>(micros));
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
        if (!in.text(code.button) || !in.bounded(code.carrierHz, kMostCarrierHz) || !in.count(durations))
            return std::nullopt;
        code.timings.resize(durations);
        for (int& micros : code.timings)
            if (!in.bounded(micros, kMostMicros) || micros == 0)
                return std::nullopt;
    }
    if (!in.done())
        return std::nullopt;
    return codes;
}

} // namespace codes
