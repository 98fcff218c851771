// Infrared signals for tests, as a receiver hands them over: mark, space, ... in microseconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// An NEC frame and one repeat code.
inline std::vector<int> necTimings(unsigned address, unsigned command) {
    std::vector<int> t{9000, 4500};
    const std::uint32_t word = address | (~address & 0xFF) << 8 | command << 16 | (~command & 0xFF) << 24;
    for (int bit = 0; bit < 32; ++bit) {
        t.push_back(560);
        t.push_back(word >> bit & 1 ? 1690 : 560);
    }
    t.insert(t.end(), {560, 40000, 9000, 2250, 560});
    return t;
}

// A remote of no known protocol: a pulse-distance code with its own odd timings.
inline std::vector<int> oddRemoteTimings(unsigned command) {
    std::vector<int> t{3100, 1450};
    for (int bit = 0; bit < 20; ++bit) {
        t.push_back(410);
        t.push_back(command >> bit & 1 ? 1280 : 720);
    }
    t.push_back(410);
    return t;
}

// The arguments of `qtm418-emu send` for these timings.
inline std::vector<std::string> sendArguments(const std::vector<int>& timings) {
    std::vector<std::string> args{"send"};
    for (int t : timings)
        args.push_back(std::to_string(t));
    return args;
}

} // namespace testsupport
