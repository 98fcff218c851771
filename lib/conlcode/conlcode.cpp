#include "conlcode.h"

#include "ir/storedcode.h"

#include <exception>
#include <string>

namespace {

constexpr int32_t kConvertMode = 2;

} // namespace

extern "C" CONLCODE_API const char* CONLCODE_CALL ConvertCode(const char* text, int32_t mode) {
    thread_local std::string answer;
    answer.clear();
    if (!text || mode != kConvertMode)
        return answer.c_str();
    try {
        answer = ir::convertBody(text);
    } catch (const std::exception&) {
        // Nothing may cross into the caller: a conversion that ran out of memory converts nothing.
        answer.clear();
    }
    return answer.c_str();
}
