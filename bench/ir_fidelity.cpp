// Report: how faithfully keys learned from the team's captures send what the original remotes
// sent, for a short press and for a press held as long as each capture lasted, and how much of
// the remote's code area they take.
//
//   bench_ir_fidelity [CAPTURES.jsonl]      (default: ../shared/testdata/ir/public.jsonl)
//
// Each capture goes the whole way a learned key goes: the capture words the remote records, the
// trimming and encoding, the code converter, the commit into a fresh virtual remote, and the
// remote's play-back of the key.
#include "benchdevice.h"

#include "device/codeconverter.h"
#include "device/commitwrite.h"
#include "device/layoutio.h"
#include "ir/capturewords.h"
#include "ir/fidelity.h"
#include "kestrio/keysignal.h"
#include "model/codeencoding.h"
#include "model/commitplan.h"
#include "model/converteranswer.h"
#include "model/wire.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* kKey = "04";

struct Learned {
    std::optional<ir::Transmission> transmission;
    unsigned blocks = 0;
    std::string why; // when nothing plays
};

Learned learn(const ir::Signal& signal, const std::filesystem::path& folder) {
    Learned learned;
    emu::Device fresh = emu::makeProfile("factory").value();
    fresh.settings.latencyMicros = 0;
    fresh.settings.demo = false;
    emu::DeviceStore store(folder);
    store.replace(fresh);

    std::string buffer = ir::captureRecord(signal);
    buffer.resize(wire::kCaptureBufferSize, '\0');
    const std::string encoded = model::encodeCapture(
        model::trimCapture(buffer), std::filesystem::temp_directory_path() / "qtm418-fidelity.txt");
    const std::string answerText =
        device::convertCode(encoded.size() > 5 ? encoded.substr(5) : std::string());
    const auto answer = model::parseConverterAnswer(answerText);
    if (!answer) {
        learned.why = "the converter gave no code";
        return learned;
    }
    learned.blocks = model::blocksFor(answer->codeData);
    model::LayoutRead read = device::readDeviceLayout();
    const auto decision = model::planCommit(read.layout, read.keyTable, kKey, *answer);
    if (!std::holds_alternative<model::CommitPlan>(decision)) {
        learned.why = "refused by the commit plan";
        return learned;
    }
    if (device::storeLearnedCode(read.layout, read.keyTable, std::get<model::CommitPlan>(decision)) !=
        device::CommitOutcome::Written) {
        learned.why = "not written";
        return learned;
    }
    emu::Device device;
    store.transact([&device](emu::Device& d) {
        device = d;
        return 0u;
    });
    std::string why;
    const auto key = emu::pressKey(device, kKey, why);
    if (!key) {
        learned.why = why;
        return learned;
    }
    learned.transmission = key->played.transmission;
    return learned;
}

std::string around(const std::vector<int>& timings, long at) {
    std::string text;
    for (long i = std::max(0L, at - 2); i < std::min<long>(static_cast<long>(timings.size()), at + 3); ++i)
        text += (i == at ? "[" : "") + std::to_string(timings[static_cast<std::size_t>(i)]) +
                (i == at ? "] " : " ");
    return text;
}

} // namespace

int main(int argc, char** argv) {
    // Options meant for the timing benchmarks that scripts/bench runs beside this report are not files.
    std::filesystem::path captures = "../shared/testdata/ir/public.jsonl";
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).rfind("--", 0) != 0)
            captures = argv[i];
    std::ifstream in(captures);
    if (!in) {
        std::cerr << "ir_fidelity: cannot read " << captures << '\n';
        return 2;
    }
    BenchDevice folderOwner("factory", 0);
    const std::filesystem::path folder = std::getenv("QTM418_DEVICE_DIR");

    std::size_t lines = 0, pressFaithful = 0, heldFaithful = 0, blockTotal = 0;
    std::size_t pressLiteral = 0, heldLiteral = 0;
    unsigned mostBlocks = 0;
    for (std::string text; std::getline(in, text);) {
        const auto line = ir::parseCaptureLine(text);
        if (!line)
            continue;
        ++lines;
        const Learned learned = learn(line->signal, folder);
        blockTotal += learned.blocks;
        mostBlocks = std::max(mostBlocks, learned.blocks);
        if (!learned.transmission) {
            std::cout << "FAIL press+held  " << line->source << ": " << learned.why << '\n';
            continue;
        }
        const std::vector<int> captured = ir::withoutLeadingNoise(line->signal.timings);
        const std::vector<int> sent =
            ir::withoutLeadingNoise(ir::heldPress(*learned.transmission, ir::holdFor(line->signal.timings)));
        const long press = ir::firstMismatch(sent, ir::shortPress(captured));
        const long held = ir::firstMismatch(sent, captured);
        pressFaithful += press < 0;
        heldFaithful += held < 0;
        // The same with the noise rule taken to the capture alone: a header or preamble with a
        // long space then counts as noise that the key must not send.
        const std::vector<int> sentWhole =
            ir::heldPress(*learned.transmission, ir::holdFor(line->signal.timings));
        pressLiteral += ir::firstMismatch(sentWhole, ir::shortPress(captured)) < 0;
        heldLiteral += ir::firstMismatch(sentWhole, captured) < 0;
        if (held >= 0)
            std::cout << (press >= 0 ? "FAIL press+held  " : "FAIL held        ") << line->source << ": at "
                      << held << " of " << captured.size() << " captured " << around(captured, held)
                      << "sent " << around(sent, held) << '\n';
    }
    if (lines == 0) {
        std::cerr << "ir_fidelity: no captures in " << captures << '\n';
        return 2;
    }
    std::cout << "captures:        " << lines << '\n'
              << "press-faithful:  " << pressFaithful << " of " << lines << '\n'
              << "held-faithful:   " << heldFaithful << " of " << lines << '\n'
              << "with the noise rule on the capture alone: press-faithful " << pressLiteral
              << ", held-faithful " << heldLiteral << '\n'
              << "code blocks per key: mean " << static_cast<double>(blockTotal) / static_cast<double>(lines)
              << ", largest " << mostBlocks << '\n';
    return 0;
}
