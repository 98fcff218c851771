// What every code-file harness asserts beyond "no crash": a refusal names the file and a line of
// it in a message of bounded length; every signal it accepts has durations a remote can send;
// and what it accepts, written back as learned Pronto and read again, is accepted once more and
// writes back to the same text (so nothing a reader takes in is lost on its way back out).
#pragma once

#include "fuzzcheck.h"

#include "codes/signalexport.h"
#include "codes/signalfile.h"
#include "ir/timings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

inline std::string prontoOf(const std::vector<codes::NamedSignal>& signals) {
    std::vector<codes::ExportedKey> keys;
    for (const codes::NamedSignal& signal : signals)
        if (!signal.unusable)
            keys.push_back({"00", "K", signal.signal, std::nullopt});
    return codes::exportText(keys, codes::ExportFormat::Pronto);
}

inline void checkCodeFile(const std::string& text, const char* name) {
    const auto read = codes::readSignalText(text, name);
    if (const auto* problem = std::get_if<codes::FileProblem>(&read)) {
        const std::string message = codes::describe(*problem);
        fuzzCheck(message.rfind(std::string(name) + ":", 0) == 0, "a refusal names the file and a line");
        fuzzCheck(message.size() < 400, "a refusal quotes no more than a short piece of the input");
        return;
    }
    const auto& signals = std::get<std::vector<codes::NamedSignal>>(read);
    fuzzCheck(!signals.empty(), "an accepted file holds a signal");
    std::size_t usable = 0;
    for (const codes::NamedSignal& signal : signals) {
        if (signal.unusable)
            continue;
        ++usable;
        fuzzCheck(ir::plausibleTimings(signal.signal.timings),
                  "an accepted signal has durations a remote can send");
        fuzzCheck(signal.signal.carrierHz >= 0 && signal.signal.carrierHz <= 1000000,
                  "a carrier of 0 to 1 MHz");
    }
    if (usable != 1)
        return; // a Pronto file holds one code
    const std::string once = prontoOf(signals);
    const auto again = codes::readSignalText(once, "again.pronto");
    fuzzCheck(std::holds_alternative<std::vector<codes::NamedSignal>>(again),
              "a signal written back as Pronto reads again");
    fuzzCheck(prontoOf(std::get<std::vector<codes::NamedSignal>>(again)) == once,
              "a signal read back from Pronto writes the same Pronto");
}

// The harness's input, led by `lead` so that the reader it is for takes it.
inline void checkCodeFile(const std::uint8_t* data, std::size_t size, const char* lead, const char* name) {
    checkCodeFile(lead + std::string(reinterpret_cast<const char*>(data), size), name);
}
