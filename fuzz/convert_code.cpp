// ConvertCode's input: the encoded body the configurator hands the converter, a zero-terminated
// text. What must hold: the answer is empty, or one that the configurator's parser accepts and
// whose key the remote plays back, from the identity, parameters and code data it names, as the
// signal the body holds.
#include "fuzzcheck.h"

#include "conlcode/conlcode.h"
#include "ir/frames.h"
#include "ir/storedcode.h"
#include "model/converteranswer.h"
#include "model/hextext.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kConvertMode = 2;

std::vector<std::uint8_t> bytesOf(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 2 <= hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(model::parseHex(hex.substr(i, 2)).value()));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    const std::string answer = ConvertCode(body.c_str(), kConvertMode);
    if (answer.empty())
        return 0;
    const auto parsed = model::parseConverterAnswer(answer);
    fuzzCheck(parsed.has_value(), "the configurator accepts every answer of the converter");
    ir::Identity identity{};
    const std::vector<std::uint8_t> identityBytes = bytesOf(parsed->identity);
    std::copy(identityBytes.begin(), identityBytes.end(), identity.begin());
    ir::Parameters parameters{};
    const std::vector<std::uint8_t> parameterBytes = bytesOf(parsed->firstField + parsed->secondField);
    std::copy(parameterBytes.begin(), parameterBytes.end(), parameters.begin());
    const auto played = ir::playKey(identity, bytesOf(parsed->codeData), parameters);
    fuzzCheck(played.has_value(), "the remote plays back the key the converter answered");
    const auto frames = ir::parseEncodedBody(body.c_str());
    fuzzCheck(frames && ir::faithful(played->transmission, *frames),
              "the key the converter answered plays back the signal it was given");
    return 0;
}
