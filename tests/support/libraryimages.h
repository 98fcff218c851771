// The first bytes of Windows libraries, as a maker's folder may hold them: enough for the program's
// check of what a file is, written without a compiler for that machine.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace testsupport {

inline constexpr std::uint16_t kMachineX86 = 0x014C;
inline constexpr std::uint16_t kMachineX64 = 0x8664;
inline constexpr std::uint16_t kMachineArm64 = 0xAA64;

// The DOS header pointing at a PE header at 0x80, for `machine`; a library or a program.
inline std::string imageHead(std::uint16_t machine, bool library = true) {
    std::string head(0x200, '\0');
    head[0] = 'M';
    head[1] = 'Z';
    head[0x3C] = static_cast<char>(0x80);
    head.replace(0x80, 4, std::string("PE\0\0", 4));
    head[0x84] = static_cast<char>(machine & 0xFF);
    head[0x85] = static_cast<char>(machine >> 8);
    head[0x80 + 22] = 0x02;                           // executable
    head[0x80 + 23] = library ? char{0x20} : char{0}; // a library
    return head;
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace testsupport
