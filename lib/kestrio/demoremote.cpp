#include "demoremote.h"

#include <array>
#include <cstdint>

namespace emu {

namespace {

constexpr std::uint16_t kDemoAddress = 0x6B2D;
// Power, volume up and down, channel up and down, mute, menu, OK.
constexpr std::array<std::uint8_t, kDemoKeyCount> kDemoCommands = {0x01, 0x10, 0x11, 0x20,
                                                                   0x21, 0x0D, 0x30, 0x31};

void appendFrame(std::vector<int>& timings, std::uint32_t bits) {
    timings.push_back(3400);
    timings.push_back(1700);
    for (int i = 0; i < 32; ++i) {
        timings.push_back(420);
        timings.push_back((bits >> i) & 1 ? 1300 : 420);
    }
    timings.push_back(420);
}

} // namespace

ir::Signal demoRemoteKey(unsigned n) {
    const std::uint32_t command = kDemoCommands[n % kDemoKeyCount];
    const std::uint32_t bits = kDemoAddress | command << 16 | (command ^ 0xFF) << 24;
    ir::Signal signal;
    appendFrame(signal.timings, bits);
    signal.timings.push_back(40000);
    appendFrame(signal.timings, bits);
    return signal;
}

} // namespace emu
