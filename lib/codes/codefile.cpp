#include "codefile.h"

#include "ir/frames.h"

#include <charconv>

namespace codes {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

std::string excerpt(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    if (text.size() <= kLongest)
        return "'" + std::string(text) + "'";
    return "'" + std::string(text.substr(0, kLongest - 3)) + "...'";
}

std::optional<long> wholeNumber(std::string_view text) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::variant<ir::Signal, FileProblem> protocolPress(ir::Protocol protocol, ir::AddressCommand key) {
    const auto code = ir::codeFor(protocol, key);
    if (!code)
        return FileProblem{.fault = FileFault::KeyDoesNotFitProtocol,
                           .number = static_cast<long>(key.address),
                           .limit = static_cast<long>(key.command)};
    const ir::Transmission sent = ir::protocolTransmission(*code);
    return ir::Signal{sent.carrierHz, ir::joinFrames(ir::pressFrames(sent, sent.frames.size()))};
}

} // namespace codes
