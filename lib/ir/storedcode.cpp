#include "storedcode.h"

#include "model/hextext.h"
#include "rawformat.h"
#include "templateformat.h"

namespace ir {

namespace {

Identity hashIdentity(const std::vector<std::uint8_t>& data) {
    std::uint32_t h = 2166136261u;
    for (std::uint8_t b : data)
        h = (h ^ b) * 16777619u;
    return {static_cast<std::uint8_t>(kFirstStoredIdentity + (h >> 24) % (256 - kFirstStoredIdentity)),
            static_cast<std::uint8_t>(h >> 16), static_cast<std::uint8_t>(h >> 8)};
}

std::string hexOf(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(2 * bytes.size());
    for (std::uint8_t b : bytes)
        text += model::formatHex(b, 2);
    return text;
}

} // namespace

bool isPresetIdentity(const Identity& identity) {
    return identity[0] < kFirstStoredIdentity && identity[1] == 0 && identity[2] == 0;
}

std::optional<Conversion> convertFrames(const std::vector<Frame>& frames) {
    if (frames.empty())
        return std::nullopt;
    const std::vector<ProtocolCode> codes = recognise(frames);
    for (const ProtocolCode& code : codes) {
        if (!faithful(protocolTransmission(code), frames))
            continue;
        Conversion c;
        c.identity = {static_cast<std::uint8_t>(code.protocol), 0, 0};
        c.parameters = packParameters(code);
        c.kind = protocolName(code.protocol);
        return c;
    }
    const auto stored = [](std::vector<std::uint8_t> data, const Parameters& parameters, const char* kind) {
        Conversion c;
        c.identity = hashIdentity(data);
        c.codeData = std::move(data);
        c.parameters = parameters;
        c.kind = kind;
        return c;
    };
    if (auto code = codes.empty() ? writeTemplate(frames) : std::nullopt) {
        const auto played = playKey(hashIdentity(code->data), code->data, code->parameters);
        if (played && faithful(played->transmission, frames))
            return stored(std::move(code->data), code->parameters, "pulse template");
    }
    const std::optional<Protocol> protocol =
        codes.empty() ? std::nullopt : std::optional<Protocol>(codes.front().protocol);
    auto raw = writeRaw(frames, protocol);
    if (raw.empty())
        return std::nullopt;
    const Parameters parameters = codes.empty() ? Parameters{} : packParameters(codes.front());
    const auto played = playKey(hashIdentity(raw), raw, parameters);
    if (!played || !faithful(played->transmission, frames))
        return std::nullopt;
    return stored(std::move(raw), parameters, "raw");
}

std::string answerText(const Conversion& c) {
    const std::span<const std::uint8_t> p(c.parameters);
    return hexOf(c.identity) + "::" + hexOf(p.first(8)) + ":" + hexOf(p.subspan(8)) +
           ":::" + hexOf(c.codeData);
}

std::string convertBody(std::string_view body) {
    const auto frames = parseEncodedBody(body);
    if (!frames)
        return {};
    const auto conversion = convertFrames(*frames);
    return conversion ? answerText(*conversion) : std::string();
}

std::optional<PlayedKey> playKey(const Identity& identity, std::span<const std::uint8_t> codeData,
                                 const Parameters& parameters) {
    PlayedKey key;
    if (isPresetIdentity(identity)) {
        const auto protocol = protocolFromNumber(identity[0]);
        if (!protocol)
            return std::nullopt;
        const auto code = unpackParameters(*protocol, parameters);
        if (!code)
            return std::nullopt;
        key.transmission = protocolTransmission(*code);
        key.protocol = code;
        key.kind = protocolName(*protocol);
        return key;
    }
    std::optional<Transmission> t;
    if (auto raw = readRaw(codeData)) {
        if (raw->protocolNumber != 0) {
            const auto protocol = protocolFromNumber(raw->protocolNumber);
            key.protocol = protocol ? unpackParameters(*protocol, parameters) : std::nullopt;
            if (!key.protocol)
                return std::nullopt;
        }
        t = std::move(raw->transmission);
        key.kind = "raw";
    } else if ((t = readTemplate(codeData, parameters))) {
        key.kind = "pulse template";
    }
    if (!t)
        return std::nullopt;
    key.transmission = std::move(*t);
    return key;
}

} // namespace ir
