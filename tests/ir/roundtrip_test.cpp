// Every capture of the test data, through the remote's receiver, the encoder, the converter and
// the remote's memory, played back again.
#include "ir/addresscommand.h"
#include "ir/capturewords.h"
#include "ir/fidelity.h"
#include "ir/storedcode.h"
#include "model/codeencoding.h"

#include "model/hextext.h"
#include "model/wire.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>

using namespace ir;

namespace {

const std::filesystem::path kCaptures = QTM418_IR_TESTDATA "/public.jsonl";

std::vector<CaptureLine> captureLines() {
    std::vector<CaptureLine> lines;
    std::ifstream in(kCaptures);
    std::string text;
    while (std::getline(in, text)) {
        auto line = parseCaptureLine(text);
        if (line)
            lines.push_back(std::move(*line));
    }
    return lines;
}

std::vector<std::uint8_t> bytesOf(std::string_view hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(*model::parseHex(hex.substr(i, 2))));
    return bytes;
}

struct Learned {
    std::string answer;
    Identity identity{};
    std::optional<PlayedKey> played;
};

// What the configurator does with a capture, and what the remote then holds and sends.
Learned learn(const Signal& signal) {
    std::string buffer = captureRecord(signal);
    buffer.resize(wire::kCaptureBufferSize, '\0');
    const std::string encoded = model::encodeCapture(
        model::trimCapture(buffer), std::filesystem::temp_directory_path() / "qtm418-rt-123.txt");
    Learned learned;
    if (encoded.size() <= 5)
        return learned;
    learned.answer = convertBody(encoded.substr(5));
    const auto fields = learned.answer.find("::");
    const auto data = learned.answer.find(":::");
    if (fields == std::string::npos || data == std::string::npos)
        return learned;
    const auto identity = bytesOf(learned.answer.substr(0, fields));
    std::string parameters = learned.answer.substr(fields + 2, data - fields - 2);
    parameters.erase(parameters.find(':'), 1);
    std::vector<std::uint8_t> stored = bytesOf(learned.answer.substr(data + 3));
    // The code area holds whole blocks; the rest of the last block is whatever was there.
    stored.resize((stored.size() + 7) / 8 * 8, 0xA5);
    Parameters slot{};
    const auto slotBytes = bytesOf(parameters);
    if (identity.size() != 3 || slotBytes.size() != slot.size())
        return learned;
    std::copy(slotBytes.begin(), slotBytes.end(), slot.begin());
    std::copy(identity.begin(), identity.end(), learned.identity.begin());
    learned.played = playKey(learned.identity, stored, slot);
    return learned;
}

std::string sourceFile(const std::string& source) {
    const auto colon = source.find(':');
    return source.substr(colon + 1, source.rfind('#') - colon - 1);
}

} // namespace

TEST(RoundTrip, EveryTestCaptureIsLearnedRecognisedAndPlayedBackFaithfully) {
    // The captures are the team's, kept beside the project rather than in it.
    if (!std::filesystem::exists(kCaptures))
        GTEST_SKIP() << "no test captures at " << kCaptures;
    const auto lines = captureLines();
    ASSERT_EQ(lines.size(), 300u) << kCaptures;
    std::size_t faithfulCount = 0, labelled = 0, recognised = 0, pressFaithful = 0, heldFaithful = 0;
    std::map<std::string, int> kinds;
    std::map<std::pair<std::string, std::string>, std::vector<Identity>> identitiesByFileAndKind;
    for (const CaptureLine& line : lines) {
        const Learned learned = learn(line.signal);
        const auto captured = splitFrames(receivedTimings(line.signal));
        const bool ok = learned.played && faithful(learned.played->transmission, captured);
        faithfulCount += ok;
        EXPECT_TRUE(ok) << line.source << " answer " << learned.answer;
        if (!learned.played)
            continue;
        // The measure of bench_ir_fidelity: the key held as long as the capture lasted.
        const auto capture = withoutLeadingNoise(line.signal.timings);
        const auto sent =
            withoutLeadingNoise(heldPress(learned.played->transmission, holdFor(line.signal.timings)));
        pressFaithful += firstMismatch(sent, shortPress(capture)) < 0;
        heldFaithful += firstMismatch(sent, capture) < 0;
        ++kinds[learned.played->kind];
        identitiesByFileAndKind[{sourceFile(line.source), learned.played->kind}].push_back(learned.identity);
        if (!line.label)
            continue;
        ++labelled;
        const auto& protocol = learned.played->protocol;
        const bool same = protocol && protocolName(protocol->protocol) == line.label->protocol &&
                          addressAndCommand(*protocol).address == line.label->address &&
                          addressAndCommand(*protocol).command == line.label->command;
        recognised += same;
        EXPECT_TRUE(same) << line.source << " label " << line.label->protocol << " " << line.label->address
                          << "/" << line.label->command << " learned as " << learned.played->kind
                          << (protocol ? " " + std::to_string(addressAndCommand(*protocol).address) + "/" +
                                             std::to_string(addressAndCommand(*protocol).command)
                                       : std::string());
        // The same key built from its label, as a parsed signal of a code file is learned.
        const auto named = protocolNamed(line.label->protocol);
        const auto built = named ? codeFor(*named, {line.label->address, line.label->command}) : std::nullopt;
        const std::uint64_t toggle = protocol && protocol->protocol == Protocol::RC5   ? 0x4
                                     : protocol && protocol->protocol == Protocol::RC6 ? 0x10
                                                                                       : 0;
        EXPECT_TRUE(built && protocol && built->bits == (protocol->bits & ~toggle))
            << line.source << " built from its label as " << (built ? built->bits : 0);
        if (protocol && protocol->protocol >= Protocol::SIRC && protocol->protocol <= Protocol::SIRC20) {
            EXPECT_GE(learned.played->transmission.minimumFrames, 3u);
        }
    }
    std::size_t groups = 0, sharing = 0;
    // Keys of one remote file learned in one protocol; a raw signal is a key's own.
    for (const auto& [key, identities] : identitiesByFileAndKind) {
        if (key.second == "raw" || identities.size() < 2)
            continue;
        ++groups;
        const bool shared = std::set<Identity>(identities.begin(), identities.end()).size() == 1;
        sharing += shared;
        EXPECT_TRUE(shared) << key.first << " learned as " << key.second;
    }
    std::cout << "faithful " << faithfulCount << "/" << lines.size() << " (press " << pressFaithful
              << ", held " << heldFaithful << "), recognised " << recognised << "/" << labelled
              << ", one stored code for " << sharing << "/" << groups
              << " files with several keys in a protocol;";
    for (const auto& [kind, count] : kinds)
        std::cout << ' ' << kind << '=' << count;
    std::cout << '\n';
    EXPECT_EQ(labelled, 45u);
    EXPECT_EQ(sharing, groups);
    EXPECT_GE(pressFaithful, 297u);
    EXPECT_GE(heldFaithful, 291u);
}
