// Setting up one side of the remote by the device's maker, without its own remote: the code sets
// of that maker are tried one after another, each set's Power code learned into the side's Power
// key for the owner to press, until the device responds. The caller asks the owner after each try,
// keeps a backup taken before the search, and restores it when no set is taken, which puts the
// Power key back exactly as it was (code and slot).
#pragma once

#include "memorybackup.h"
#include "signallearning.h"

#include "codes/librarysearch.h"
#include "codes/signalfile.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace device {

// The key a side's code search learns into: "00" (TV/Power) for "tv", "01" (CBL/Power) for "cbl".
std::string powerKeyOf(std::string_view side);

enum class TryOutcome {
    Learned,      // the Power key sends the set's Power code now
    NotLearnable, // the set's file or its Power code cannot be used: nothing written (see problem)
    WriteFailed,  // the remote refused a write or is no longer the one read (see learned)
};

struct SetTry {
    TryOutcome outcome = TryOutcome::NotLearnable;
    // The set's whole signals, read again from its file: what its side is learned from once taken.
    std::vector<codes::NamedSignal> setSignals;
    codes::FileProblem problem;
    LearnResult learned;
};

// Learns the Power code of `set` into the Power key of `side`, down the usual learning path.
SetTry tryCodeSet(model::DeviceLayout& layout, model::KeyTable& table, const codes::CodeSet& set,
                  std::string_view side, const std::filesystem::path& diagnosticFile,
                  const std::function<bool()>& mayWrite);

enum class TryAnswer { Responded, NextSet, Stop };

enum class SearchEnd {
    Taken,     // the device responded to set `at`: learn the side from `last.setSignals`
    Stopped,   // the owner stopped at set `at`
    Exhausted, // no set was taken
    Failed,    // the try of set `at` could not be written (see last.learned)
};

struct CodeSearchResult {
    SearchEnd end = SearchEnd::Exhausted;
    std::size_t at = 0;                      // into the candidates
    std::size_t tried = 0;                   // sets whose Power code the key was given
    SetTry last;                             // the try the search ended on
    std::vector<codes::FileProblem> skipped; // why each set that could not be tried was not
};

// Tries `candidates` in order from `first`. `ask` is told each set learned (its position, the try)
// and answers whether the device responded; `skipped` (may be empty) hears of each set that could
// not be tried, and the search goes on with the next.
CodeSearchResult
searchCodeSets(model::DeviceLayout& layout, model::KeyTable& table,
               const std::vector<codes::Candidate>& candidates, std::string_view side,
               const std::filesystem::path& diagnosticFile, const std::function<bool()>& mayWrite,
               const std::function<TryAnswer(std::size_t at, const SetTry& tried)>& ask,
               const std::function<void(std::size_t at, const codes::FileProblem& why)>& skipped = {});

// Puts back the memory read before the search (a restore: only what the tries changed is written,
// and read back), once more when a write failed while the remote stayed attached. While its
// writes are under way the Power key is empty, as a restore leaves a key it rewrites.
RestoreResult putBack(const OpenedRemote& remote, const model::MemoryBackup& before,
                      const RestoreProgress& progress = {});

} // namespace device
