// Setting up one side of the remote by the device's maker, without its own remote: the code sets
// of that maker are tried one after another, each set's Power code learned into the side's Power
// key for the owner to press, until the device responds; sets that send that same Power code are
// then told apart by one more key (secondkey.h). The caller asks the owner after each try, keeps a
// backup taken before the search, and restores it when no set is taken, which puts the Power key
// and any key tried back exactly as they were (code and slot).
#pragma once

#include "memorybackup.h"
#include "secondkey.h"
#include "signallearning.h"

#include "codes/librarysearch.h"
#include "codes/signalfile.h"

#include <functional>
#include <optional>
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
    Taken,     // set `at` is taken: learn the side from `last.setSignals`
    Stopped,   // the owner stopped at set `at`
    Exhausted, // no set was taken
    Failed,    // key `failedKey`, tried with set `at`, could not be written (see last.learned)
};

struct CodeSearchResult {
    SearchEnd end = SearchEnd::Exhausted;
    std::size_t at = 0;                      // into the candidates
    std::size_t answeredAt = 0;              // the set whose Power code the device responded to
    std::size_t tried = 0;                   // sets whose Power code the key was given
    SetTry last;                             // the try the search ended on
    std::vector<codes::FileProblem> skipped; // why each set that could not be tried was not
    std::vector<KeyTry> keysTried;           // the keys that told sets of one Power code apart
    std::vector<std::string> keysNotTried;   // keys that could not be given a set's code
    std::string failedKey;
    // Of the learnings that stand, the failed write that left an old code's room in use.
    std::optional<unsigned> roomNotFreedAt;
};

// Tries `candidates` in order. `ask` is told each set learned (its position, the try) and answers
// whether the device responded; then `askKey` (may be empty: the set answered is taken) is told
// each key that tells apart the sets that send the same Power code. `skipped` (may be empty) hears
// of each set that could not be tried, and the search goes on with the next.
CodeSearchResult
searchCodeSets(model::DeviceLayout& layout, model::KeyTable& table,
               const std::vector<codes::Candidate>& candidates, std::string_view side,
               const std::filesystem::path& diagnosticFile, const std::function<bool()>& mayWrite,
               const std::function<TryAnswer(std::size_t at, const SetTry& tried)>& ask, const AskKey& askKey,
               const std::function<void(std::size_t at, const codes::FileProblem& why)>& skipped = {});

// The keys a search gave codes to: the side's Power key, then each key tried on top of it, once.
std::vector<std::string> keysChanged(const CodeSearchResult& result, std::string_view side);

// Puts back the memory read before the search (a restore: only what the tries changed is written,
// and read back), once more when a write failed while the remote stayed attached. While its
// writes are under way the Power key and any key tried are empty, as a restore leaves a key it
// rewrites.
RestoreResult putBack(const OpenedRemote& remote, const model::MemoryBackup& before,
                      const RestoreProgress& progress = {});

} // namespace device
