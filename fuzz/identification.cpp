// The identification text: the basic-information block as the device library returns it (the
// whole 1024-character buffer, or the text as it is), and the version text. What must hold: the
// block is accepted exactly when it says model 100R, version 1.3; every other outcome comes with
// a message in UTF-8, as the message boxes take it; and a virtual remote whose identification
// block holds the input's bytes is accepted exactly when its version bytes are 01 03.
#include "fuzzcheck.h"

#include "kestrio/device.h"
#include "kestrio/firmware.h"
#include "model/hextext.h"
#include "model/identitycheck.h"
#include "model/wire.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kIdentificationBytes = 48;

bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80         ? 1
                                   : (lead >> 5) == 6  ? 2
                                   : (lead >> 4) == 14 ? 3
                                   : (lead >> 3) == 30 ? 4
                                                       : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2)
                return false;
        i += length;
    }
    return true;
}

model::Identification checkBlock(const std::string& info) {
    const model::Identification id = model::checkBasicInformation(info);
    const bool accepted = id.outcome == model::IdentifyOutcome::Accepted;
    const bool says100R13 = info.size() >= 2 * (wire::kModelOffset + 2) &&
                            info.substr(2 * wire::kModelOffset, 4) == "100R" &&
                            model::parseHex(info.substr(2 * wire::kVersionMajorOffset, 2)) == 1u &&
                            model::parseHex(info.substr(2 * wire::kVersionMinorOffset, 2)) == 3u;
    fuzzCheck(accepted == says100R13, "a block is accepted exactly when it says model 100R, version 1.3");
    fuzzCheck(accepted != id.notice.has_value(), "every outcome but acceptance has its message");
    fuzzCheck(!id.notice || isUtf8(id.notice->text), "a message is UTF-8");
    return id;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const auto versionNotice = model::checkVersionText(text);
    fuzzCheck(!versionNotice || isUtf8(versionNotice->text), "a message is UTF-8");
    checkBlock(text);
    text.resize(wire::kBasicInfoBufferSize, '\0');
    checkBlock(text);

    emu::Device remote;
    const std::size_t taken = std::min(size, kIdentificationBytes);
    std::copy(data, data + taken, remote.memory.begin() + wire::kIdentificationAddress);
    std::string answer = emu::basicInformation(remote);
    answer.resize(wire::kBasicInfoBufferSize, '\0');
    const bool version13 = remote.memory[wire::kIdentificationAddress + wire::kVersionMajorOffset] == 1 &&
                           remote.memory[wire::kIdentificationAddress + wire::kVersionMinorOffset] == 3;
    fuzzCheck((checkBlock(answer).outcome == model::IdentifyOutcome::Accepted) == version13,
              "a virtual remote is accepted exactly when its version bytes are 01 03");
    return 0;
}
