// The converter's answer as the configurator parses it before planning a commit. What must hold:
// an answer the parser accepts has the fields it claims (an identity of 6 hex digits, parameter
// fields of 32 hex digits together, code data of whole hex bytes), and they are the whole answer.
#include "fuzzcheck.h"

#include "model/converteranswer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool isHexText(std::string_view text) {
    return text.find_first_not_of("0123456789ABCDEFabcdef") == text.npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const auto parsed = model::parseConverterAnswer(answer);
    if (!parsed)
        return 0;
    fuzzCheck(parsed->identity.size() == 6 && isHexText(parsed->identity), "the identity is 6 hex digits");
    fuzzCheck(!parsed->firstField.empty() && !parsed->secondField.empty() &&
                  parsed->firstField.size() + parsed->secondField.size() == 32 &&
                  isHexText(parsed->firstField) && isHexText(parsed->secondField),
              "the parameter fields are 32 hex digits together");
    fuzzCheck(parsed->codeData.size() % 2 == 0 && isHexText(parsed->codeData),
              "the code data is whole bytes of hex");
    fuzzCheck(parsed->identity + "::" + parsed->firstField + ":" + parsed->secondField +
                      ":::" + parsed->codeData ==
                  answer,
              "the fields are the whole answer");
    return 0;
}
