// Report: every signal of every code file under a folder, learned into a fresh virtual remote,
// and per format the files, signals, keys learned, signals refused (by reason) and the time per
// file (reading and learning).
//
//   bench_code_formats DIR...
#include "benchdevice.h"

#include "codes/signalfile.h"
#include "device/layoutio.h"
#include "device/signallearning.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>

namespace {

struct Tally {
    unsigned files = 0, signals = 0, learnable = 0;
    std::map<std::string, unsigned> refused; // reason, count
    double seconds = 0;
};

// A refusal's reason without the file, line, numbers and quoted input, so like refusals count together.
std::string reasonOf(const std::string& message) {
    std::string rest = message;
    for (int field = 0; field < 2; ++field) {
        const auto colon = rest.find(": ");
        if (colon != std::string::npos && colon < rest.size() / 2 + 40 && rest.find(':') <= colon)
            rest = rest.substr(colon + 2);
    }
    std::string reason;
    bool quoted = false;
    for (const char c : rest) {
        if (c == '\'') {
            quoted = !quoted;
            reason += quoted ? "'...'" : "";
        } else if (!quoted) {
            reason += std::isdigit(static_cast<unsigned char>(c)) ? '#' : c;
        }
    }
    reason.erase(
        std::unique(reason.begin(), reason.end(), [](char a, char b) { return a == '#' && b == '#'; }),
        reason.end());
    return reason.substr(0, 90);
}

const char* learnRefusal(device::LearnOutcome outcome) {
    switch (outcome) {
    case device::LearnOutcome::NotConverted:
        return "learning: the converter made no code of it";
    case device::LearnOutcome::AnswerIncomplete:
        return "learning: the converter's answer lacks a piece";
    case device::LearnOutcome::Refused:
        return "learning: the remote cannot keep the code";
    case device::LearnOutcome::KeyUnchanged:
    case device::LearnOutcome::KeyEmptied:
        return "learning: a write failed";
    case device::LearnOutcome::NotAllowed:
    case device::LearnOutcome::Written:
        break;
    }
    return "learning: withheld";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: bench_code_formats DIR...\n";
        return 2;
    }
    std::vector<std::filesystem::path> files;
    for (int a = 1; a < argc; ++a) {
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(argv[a], ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            if (it->is_regular_file() && it->path().filename().string().rfind("LICENSE", 0) != 0 &&
                it->path().extension() != ".md")
                files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::map<std::string, Tally> byFormat;
    BenchDevice remote("factory", 0);
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        Tally& tally = byFormat[codes::codeFormatName(text.str())];
        ++tally.files;
        const auto started = std::chrono::steady_clock::now();
        const auto read = codes::readSignalFile(file);
        if (const auto* problem = std::get_if<codes::FileProblem>(&read)) {
            ++tally.refused["file: " + reasonOf(codes::describe(*problem))];
        } else {
            model::LayoutRead layout = device::readDeviceLayout();
            for (const codes::NamedSignal& signal : std::get<std::vector<codes::NamedSignal>>(read)) {
                ++tally.signals;
                if (signal.unusable) {
                    ++tally.refused[reasonOf(codes::describe(*signal.unusable))];
                    continue;
                }
                const auto learned = device::learnSignal(
                    layout.layout, layout.keyTable, "51", signal.signal,
                    std::filesystem::temp_directory_path() / "qtm418-formats.txt", [] { return true; });
                if (learned.outcome == device::LearnOutcome::Written)
                    ++tally.learnable;
                else
                    ++tally.refused[learnRefusal(learned.outcome)];
            }
        }
        tally.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }
    std::cout << std::left << std::setw(14) << "format" << std::right << std::setw(7) << "files"
              << std::setw(9) << "signals" << std::setw(11) << "learnable" << std::setw(9) << "refused"
              << std::setw(14) << "ms per file" << '\n';
    for (const auto& [format, t] : byFormat) {
        unsigned refused = 0;
        for (const auto& [reason, count] : t.refused)
            refused += count;
        std::cout << std::left << std::setw(14) << format << std::right << std::setw(7) << t.files
                  << std::setw(9) << t.signals << std::setw(11) << t.learnable << std::setw(9) << refused
                  << std::setw(14) << std::fixed << std::setprecision(2)
                  << 1000 * t.seconds / std::max(1u, t.files) << '\n';
        for (const auto& [reason, count] : t.refused)
            std::cout << "    " << std::setw(5) << count << "  " << reason << '\n';
    }
    return 0;
}
