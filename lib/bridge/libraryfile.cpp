#include "libraryfile.h"

#include <cstdint>
#include <fstream>
#include <string>

namespace bridge {

namespace {

// The Windows image format's facts this check needs (PE/COFF).
constexpr std::size_t kNewHeaderPointer = 0x3C; // where the DOS stub keeps the PE header's offset
constexpr std::uint32_t kLargestHeaderOffset = 0x10000;
constexpr std::size_t kMachineOffset = 4;          // from the "PE\0\0" signature
constexpr std::size_t kCharacteristicsOffset = 22; // from the signature
constexpr std::uint16_t kMachineX86 = 0x014C;
constexpr std::uint16_t kMachineX64 = 0x8664;
constexpr std::uint16_t kImageIsLibrary = 0x2000;
constexpr std::size_t kHeadBytes = kLargestHeaderOffset + kCharacteristicsOffset + 2;

std::uint32_t little(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= std::uint32_t{static_cast<std::uint8_t>(bytes[at + i])} << (8 * i);
    return value;
}

} // namespace

std::optional<Refusal> libraryHeadProblem(std::string_view head) {
    if (head.size() < kNewHeaderPointer + 4 || head.substr(0, 2) != "MZ")
        return Refusal::NotALibrary;
    const std::uint32_t pe = little(head, kNewHeaderPointer, 4);
    if (pe > kLargestHeaderOffset || head.size() < pe + kCharacteristicsOffset + 2 ||
        head.substr(pe, 4) != std::string_view("PE\0\0", 4))
        return Refusal::NotALibrary;
    if (!(little(head, pe + kCharacteristicsOffset, 2) & kImageIsLibrary))
        return Refusal::NotALibrary;
    const std::uint32_t machine = little(head, pe + kMachineOffset, 2);
    if (machine == kMachineX86)
        return std::nullopt;
    return machine == kMachineX64 ? Refusal::Needs32Bit : Refusal::OtherMachine;
}

std::optional<Refusal> libraryFileProblem(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Refusal::Missing;
    std::string head(kHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return libraryHeadProblem(head);
}

} // namespace bridge
