#include "addresscommand.h"

#include "protocols.h"

#include <cctype>

namespace ir {

namespace {

// Reads `count` bits of `bits` from position `first` with the first one sent as the highest.
unsigned long msbFirst(std::uint64_t bits, int first, int count) {
    unsigned long value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 1) | bitAt(bits, first + i);
    return value;
}

// Places `value` at position `first` so that its highest of `count` bits is sent first.
std::uint64_t placedMsbFirst(unsigned long value, int first, int count) {
    std::uint64_t bits = 0;
    for (int i = 0; i < count; ++i)
        bits |= std::uint64_t{(value >> (count - 1 - i)) & 1u} << (first + i);
    return bits;
}

std::uint64_t inverted(unsigned long byte) { return ~byte & 0xFFu; }

// A byte followed by its inverse, as NEC-like frames send address and command.
std::uint64_t checkedBytes(unsigned long address, unsigned long command) {
    return address | inverted(address) << 8 | std::uint64_t{command} << 16 | inverted(command) << 24;
}

// Kaseikyo's 48 bits: vendor, a nibble of vendor parity under genre 1, genre 2 and command, the
// command's rest and the id, and a byte that makes the last three bytes' parity even.
std::uint64_t kaseikyoBits(unsigned long address, unsigned long command) {
    const std::uint64_t vendor = (address >> 8) & 0xFFFF;
    const std::uint64_t vendorParity = ((vendor ^ vendor >> 8) ^ (vendor ^ vendor >> 8) >> 4) & 0xF;
    const std::uint64_t d2 = ((address >> 4) & 0xF) << 4 | vendorParity;
    const std::uint64_t d3 = (address & 0xF) | (command & 0xF) << 4;
    const std::uint64_t d4 = (command >> 4) | (address >> 24) << 6;
    return vendor | d2 << 16 | d3 << 24 | d4 << 32 | (d2 ^ d3 ^ d4) << 40;
}

struct Fields {
    unsigned long address, command; // the largest of each
};

Fields fieldsOf(Protocol protocol) {
    switch (protocol) {
    case Protocol::NECext:
        return {0xFFFF, 0xFFFF};
    case Protocol::RC5:
        return {0x1F, 0x7F};
    case Protocol::SIRC:
        return {0x1F, 0x7F};
    case Protocol::SIRC15:
        return {0xFF, 0x7F};
    case Protocol::SIRC20:
        return {0x1FFF, 0x7F};
    case Protocol::Kaseikyo:
        return {0x3FFFFFF, 0x3FF};
    case Protocol::Sharp:
    case Protocol::Denon:
        return {0x1F, 0xFF};
    case Protocol::RCA:
        return {0xF, 0xFF};
    default:
        return {0xFF, 0xFF};
    }
}

} // namespace

AddressCommand addressAndCommand(const ProtocolCode& code) {
    const std::uint64_t b = code.bits;
    const auto byte = [b](int n) { return static_cast<unsigned long>((b >> (8 * n)) & 0xFF); };
    switch (code.protocol) {
    case Protocol::NEC:
    case Protocol::Pioneer:
    case Protocol::Samsung32:
        return {byte(0), byte(2)};
    case Protocol::NECext:
        return {byte(0) | byte(1) << 8, byte(2) | byte(3) << 8};
    case Protocol::RC5:
        return {msbFirst(b, 3, 5), msbFirst(b, 8, 6) | (bitAt(b, 1) ? 0 : 0x40)};
    case Protocol::RC6:
        return {msbFirst(b, 5, 8), msbFirst(b, 13, 8)};
    case Protocol::SIRC:
    case Protocol::SIRC15:
    case Protocol::SIRC20:
        return {static_cast<unsigned long>(b >> 7), static_cast<unsigned long>(b & 0x7F)};
    case Protocol::JVC:
        return {byte(0), byte(1)};
    case Protocol::Kaseikyo: {
        const unsigned long vendor = byte(0) | byte(1) << 8;
        return {(byte(4) >> 6) << 24 | vendor << 8 | (byte(2) >> 4) << 4 | (byte(3) & 15),
                byte(3) >> 4 | (byte(4) & 63) << 4};
    }
    case Protocol::Sharp:
    case Protocol::Denon:
        return {static_cast<unsigned long>(b & 0x1F), static_cast<unsigned long>((b >> 5) & 0xFF)};
    case Protocol::RCA:
        return {static_cast<unsigned long>(b & 0xF), static_cast<unsigned long>((b >> 4) & 0xFF)};
    }
    return {};
}

std::optional<ProtocolCode> codeFor(Protocol protocol, AddressCommand key) {
    const Fields most = fieldsOf(protocol);
    if (key.address > most.address || key.command > most.command)
        return std::nullopt;
    const unsigned long a = key.address, c = key.command;
    std::uint64_t bits = 0;
    switch (protocol) {
    case Protocol::NEC:
    case Protocol::Pioneer:
        bits = checkedBytes(a, c);
        break;
    case Protocol::NECext:
        bits = a | std::uint64_t{c} << 16;
        break;
    case Protocol::Samsung32:
        bits = a | std::uint64_t{a} << 8 | std::uint64_t{c} << 16 | inverted(c) << 24;
        break;
    case Protocol::RC5:
        // Start bit, then the field bit, which is the inverse of the command's seventh bit.
        bits = 1u | (c < 0x40 ? 2u : 0u) | placedMsbFirst(a, 3, 5) | placedMsbFirst(c & 0x3F, 8, 6);
        break;
    case Protocol::RC6:
        bits = 1u | placedMsbFirst(a, 5, 8) | placedMsbFirst(c, 13, 8); // start bit, mode 0
        break;
    case Protocol::SIRC:
    case Protocol::SIRC15:
    case Protocol::SIRC20:
        bits = c | std::uint64_t{a} << 7;
        break;
    case Protocol::JVC:
        bits = a | std::uint64_t{c} << 8;
        break;
    case Protocol::Kaseikyo:
        bits = kaseikyoBits(a, c);
        break;
    case Protocol::Sharp:
        bits = a | std::uint64_t{c} << 5 | std::uint64_t{1} << 13; // expansion 1, check 0
        break;
    case Protocol::Denon:
        bits = a | std::uint64_t{c} << 5;
        break;
    case Protocol::RCA: {
        const std::uint64_t data = a | std::uint64_t{c} << 4;
        bits = data | (~data & 0xFFF) << 12;
        break;
    }
    }
    return standardCode(protocol, bits);
}

std::optional<Protocol> protocolNamed(std::string_view name) {
    const auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) !=
                std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    };
    for (Protocol p : kProtocols)
        if (same(protocolName(p), name))
            return p;
    return std::nullopt;
}

} // namespace ir
