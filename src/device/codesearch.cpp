#include "codesearch.h"

#include <algorithm>

namespace device {

std::string powerKeyOf(std::string_view side) { return side == "cbl" ? "01" : "00"; }

SetTry tryCodeSet(model::DeviceLayout& layout, model::KeyTable& table, const codes::CodeSet& set,
                  std::string_view side, const std::filesystem::path& diagnosticFile,
                  const std::function<bool()>& mayWrite) {
    SetTry tried;
    if (set.power < 0) {
        tried.problem = {.fault = codes::FileFault::NoPowerButton, .file = set.file, .text = set.id};
        return tried;
    }
    auto read = codes::readSetSignals(set);
    if (auto* problem = std::get_if<codes::FileProblem>(&read)) {
        tried.problem = std::move(*problem);
        return tried;
    }
    tried.setSignals = std::get<std::vector<codes::NamedSignal>>(std::move(read));
    const codes::NamedSignal& power = tried.setSignals[static_cast<std::size_t>(set.power)];
    if (power.unusable) {
        tried.problem = *power.unusable;
        return tried;
    }
    tried.learned = learnSignal(layout, table, powerKeyOf(side), power.signal, diagnosticFile, mayWrite);
    switch (tried.learned.outcome) {
    case LearnOutcome::Written:
        tried.outcome = TryOutcome::Learned;
        break;
    case LearnOutcome::NotConverted:
    case LearnOutcome::AnswerIncomplete:
        tried.problem = {.fault = codes::FileFault::PowerNotConverted, .file = set.file, .text = power.name};
        break;
    case LearnOutcome::Refused:
        tried.problem = {.fault = codes::FileFault::PowerNotKept, .file = set.file, .text = power.name};
        break;
    case LearnOutcome::NotAllowed:
    case LearnOutcome::KeyUnchanged:
    case LearnOutcome::KeyEmptied:
        tried.outcome = TryOutcome::WriteFailed;
        break;
    }
    return tried;
}

CodeSearchResult searchCodeSets(model::DeviceLayout& layout, model::KeyTable& table,
                                const std::vector<codes::Candidate>& candidates, std::string_view side,
                                const std::filesystem::path& diagnosticFile,
                                const std::function<bool()>& mayWrite,
                                const std::function<TryAnswer(std::size_t, const SetTry&)>& ask,
                                const AskKey& askKey,
                                const std::function<void(std::size_t, const codes::FileProblem&)>& skipped) {
    CodeSearchResult result;
    for (std::size_t at = 0; at < candidates.size(); ++at) {
        result.at = at;
        SetTry tried = tryCodeSet(layout, table, *candidates[at].set, side, diagnosticFile, mayWrite);
        if (tried.outcome == TryOutcome::NotLearnable) {
            if (skipped)
                skipped(at, tried.problem);
            result.skipped.push_back(std::move(tried.problem));
            continue;
        }
        if (tried.outcome == TryOutcome::WriteFailed) {
            result.end = SearchEnd::Failed;
            result.failedKey = powerKeyOf(side);
            result.last = std::move(tried);
            return result;
        }
        ++result.tried;
        const TryAnswer answer = ask(at, tried);
        result.last = std::move(tried);
        result.roomNotFreedAt = result.last.learned.roomNotFreedAt;
        if (answer == TryAnswer::Stop) {
            result.end = SearchEnd::Stopped;
            return result;
        }
        if (answer == TryAnswer::NextSet)
            continue;
        result.end = SearchEnd::Taken;
        result.answeredAt = at;
        if (!askKey)
            return result;
        Narrowing narrowed =
            narrowSamePowerSets(layout, table, candidates, at, std::move(result.last.setSignals), side,
                                diagnosticFile, mayWrite, askKey);
        result.keysTried = std::move(narrowed.tried);
        result.keysNotTried = std::move(narrowed.notTried);
        std::vector<const LearnResult*> inOrder{&result.last.learned};
        for (const LearnResult& learned : narrowed.learned)
            inOrder.push_back(&learned);
        result.roomNotFreedAt = roomLeftInUse(inOrder);
        switch (narrowed.end) {
        case NarrowingEnd::Taken:
            result.at = narrowed.taken;
            result.last.setSignals = std::move(narrowed.takenSignals);
            break;
        case NarrowingEnd::Stopped:
            result.end = SearchEnd::Stopped;
            break;
        case NarrowingEnd::Failed:
            result.end = SearchEnd::Failed;
            result.failedKey = std::move(narrowed.failedKey);
            result.last.learned = std::move(narrowed.failed);
            break;
        }
        return result;
    }
    result.end = SearchEnd::Exhausted;
    result.at = candidates.size();
    return result;
}

std::vector<std::string> keysChanged(const CodeSearchResult& result, std::string_view side) {
    std::vector<std::string> keys{powerKeyOf(side)};
    const auto add = [&](const std::string& key) {
        if (!key.empty() && std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    };
    for (const KeyTry& tried : result.keysTried)
        add(tried.keyNumber);
    add(result.failedKey);
    return keys;
}

RestoreResult putBack(const OpenedRemote& remote, const model::MemoryBackup& before,
                      const RestoreProgress& progress) {
    RestoreResult result = restoreBackup(remote, before, progress);
    const bool retry = result.outcome == RestoreOutcome::WriteStopped ||
                       result.outcome == RestoreOutcome::Differs ||
                       result.outcome == RestoreOutcome::NotVerified;
    if (retry && !(result.failure && result.failure->remoteGone))
        result = restoreBackup(remote, before, progress);
    return result;
}

} // namespace device
