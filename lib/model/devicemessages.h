// Texts shown to the user about the remote's link, shared by start-up's several checks.
#pragma once

#include <string>
#include <string_view>

namespace model {

// No remote answered as one: at the wait for the device, a failed identification read, or a
// memory layout that cannot be read.
inline constexpr const char* kNoRemoteMessage = "未检测到遥控器，请检查USB连接线";

// The remote's or a file's own bytes quoted in a message: the message boxes take UTF-8, and a byte
// that is not printable ASCII (a glitch, the zero rest of a buffer) shows as "?".
inline std::string printableBytes(std::string_view bytes) {
    std::string out(bytes);
    for (char& c : out)
        if (c < 0x20 || c > 0x7E)
            c = '?';
    return out;
}

} // namespace model
