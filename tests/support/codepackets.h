// Broadlink packets for tests: durations in the packet's units, its length field given in one
// of the three readings in use, in base64 as the collections keep them.
#pragma once

#include <cmath>
#include <string>
#include <vector>

namespace testsupport {

inline std::string base64(const std::vector<unsigned char>& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const unsigned n = bytes[i] << 16 | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                           (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        out += digits[n >> 18 & 63];
        out += digits[n >> 12 & 63];
        out += i + 1 < bytes.size() ? digits[n >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? digits[n & 63] : '=';
    }
    return out;
}

// `length`: 'a' the bytes after the header up to and including 0D 05, 'b' the number of
// durations, 'c' the whole packet; `padding` zeros after it.
inline std::string broadlinkPacket(const std::vector<int>& units, int repeat, char length,
                                   std::size_t padding = 0, unsigned char kind = 0x26) {
    std::vector<unsigned char> body;
    for (const int u : units) {
        if (u < 256)
            body.push_back(static_cast<unsigned char>(u));
        else
            body.insert(body.end(),
                        {0, static_cast<unsigned char>(u >> 8), static_cast<unsigned char>(u & 0xFF)});
    }
    body.insert(body.end(), {0x0D, 0x05});
    const std::size_t n = length == 'a' ? body.size() : length == 'b' ? units.size() : body.size() + 4;
    std::vector<unsigned char> bytes{kind, static_cast<unsigned char>(repeat),
                                     static_cast<unsigned char>(n & 0xFF),
                                     static_cast<unsigned char>(n >> 8)};
    bytes.insert(bytes.end(), body.begin(), body.end());
    bytes.insert(bytes.end(), padding, 0);
    return base64(bytes);
}

// Durations in microseconds as a packet's units of 8192/269 us, and back.
inline std::vector<int> broadlinkUnits(const std::vector<int>& micros) {
    std::vector<int> units;
    for (const int m : micros)
        units.push_back(static_cast<int>(std::lround(m * 269.0 / 8192.0)));
    return units;
}
inline std::vector<int> broadlinkMicros(const std::vector<int>& units) {
    std::vector<int> micros;
    for (const int u : units)
        micros.push_back(static_cast<int>(std::lround(u * 8192.0 / 269.0)));
    return micros;
}

} // namespace testsupport
