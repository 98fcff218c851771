// The remote-control protocols the virtual remote can generate by itself (its presets): how each
// is recognised in a captured signal and sent again from its data bits.
#pragma once

#include "frames.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ir {

// Bit `n` of a key's data bits, the first sent being bit 0.
inline std::uint64_t bitAt(std::uint64_t bits, int n) { return (bits >> n) & 1u; }

// Numbered as the presets' code identities: the number followed by 0000.
enum class Protocol : std::uint8_t {
    NEC = 0x01,
    NECext,
    Samsung32,
    RC5,
    RC6,
    SIRC,
    SIRC15,
    SIRC20,
    JVC,
    Kaseikyo,
    Sharp,
    RCA,
    Pioneer,
    Denon,
};
constexpr std::array<Protocol, 14> kProtocols = {
    Protocol::NEC,   Protocol::NECext, Protocol::Samsung32, Protocol::RC5,  Protocol::RC6,
    Protocol::SIRC,  Protocol::SIRC15, Protocol::SIRC20,    Protocol::JVC,  Protocol::Kaseikyo,
    Protocol::Sharp, Protocol::RCA,    Protocol::Pioneer,   Protocol::Denon};

// How the frames after the first look.
enum class RepeatForm : std::uint8_t {
    SameFrame = 0,     // the first frame again
    RepeatCode = 1,    // a short header-and-mark code (NEC)
    WithoutHeader = 2, // the first frame without its header (JVC)
    InvertedPair = 3,  // a second frame with the command inverted, the pair repeating (Sharp, Denon)
};

// A recognised key: everything the slot's 16 parameter bytes carry for a preset.
struct ProtocolCode {
    Protocol protocol = Protocol::NEC;
    int bitCount = 0;
    std::uint64_t bits = 0; // in the order sent: bit 0 first
    RepeatForm repeat = RepeatForm::SameFrame;
    int gapMicros = 0; // silence after the first frame
    int minimumFrames = 1;
    // How much longer the captured marks and spaces were than the protocol's own, kept so the
    // key sounds like the remote it was learned from.
    int markCorrection = 0;
    int spaceCorrection = 0;
};

constexpr std::size_t kParameterBytes = 16;
using Parameters = std::array<std::uint8_t, kParameterBytes>;

std::string protocolName(Protocol protocol);
std::optional<Protocol> protocolFromNumber(unsigned number);
int standardCarrier(Protocol protocol);

// A key of the protocol sending `bits` (cut to its bit count) with the protocol's own timing,
// repeat form, gap and frame count, as its remotes send it.
ProtocolCode standardCode(Protocol protocol, std::uint64_t bits);

// The protocols whose structure the frames have, closest first; when the first frame has none,
// those of the frames after it.
std::vector<ProtocolCode> recognise(const std::vector<Frame>& frames);

// What a preset key sends.
Transmission protocolTransmission(const ProtocolCode& code);

Parameters packParameters(const ProtocolCode& code);
// nullopt when the bytes cannot belong to a key of that protocol.
std::optional<ProtocolCode> unpackParameters(Protocol protocol, const Parameters& parameters);

} // namespace ir
