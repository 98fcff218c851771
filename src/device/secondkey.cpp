#include "secondkey.h"

#include "codes/libraryindex.h"
#include "codes/setnarrowing.h"

#include <algorithm>
#include <map>

namespace device {

namespace {

// What the remote's writes came to for one key: written, not learnable (the key is left as it
// was), or refused by the remote.
enum class KeyLearning { Written, NotLearnable, Failed };

KeyLearning outcomeOf(const LearnResult& learned) {
    switch (learned.outcome) {
    case LearnOutcome::Written:
        return KeyLearning::Written;
    case LearnOutcome::NotConverted:
    case LearnOutcome::AnswerIncomplete:
    case LearnOutcome::Refused:
        return KeyLearning::NotLearnable;
    case LearnOutcome::NotAllowed:
    case LearnOutcome::KeyUnchanged:
    case LearnOutcome::KeyEmptied:
        break;
    }
    return KeyLearning::Failed;
}

// The whole signals of the candidates read so far, each file read once.
class SetSignals {
public:
    SetSignals(const std::vector<codes::Candidate>& candidates, std::size_t at,
               std::vector<codes::NamedSignal> answered)
        : candidates_(candidates) {
        read_.emplace(at, std::move(answered));
    }

    // nullptr when the set's file can no longer be read as it was indexed.
    const std::vector<codes::NamedSignal>* of(std::size_t at) {
        auto found = read_.find(at);
        if (found == read_.end()) {
            auto read = codes::readSetSignals(*candidates_[at].set);
            auto* namedSignals = std::get_if<std::vector<codes::NamedSignal>>(&read);
            found =
                read_.emplace(at, namedSignals ? std::move(*namedSignals) : std::vector<codes::NamedSignal>{})
                    .first;
        }
        return found->second.empty() ? nullptr : &found->second;
    }

    std::vector<codes::NamedSignal> take(std::size_t at) { return std::move(read_.at(at)); }

private:
    const std::vector<codes::Candidate>& candidates_;
    std::map<std::size_t, std::vector<codes::NamedSignal>> read_;
};

// The signal of code `code` of a set, when it can be learned.
const codes::NamedSignal* learnable(const std::vector<codes::NamedSignal>& namedSignals, int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= namedSignals.size())
        return nullptr;
    const codes::NamedSignal& signal = namedSignals[static_cast<std::size_t>(code)];
    return signal.unusable ? nullptr : &signal;
}

} // namespace

Narrowing narrowSamePowerSets(model::DeviceLayout& layout, model::KeyTable& table,
                              const std::vector<codes::Candidate>& candidates, std::size_t at,
                              std::vector<codes::NamedSignal> answeredSignals, std::string_view side,
                              const std::filesystem::path& diagnosticFile,
                              const std::function<bool()>& mayWrite, const AskKey& ask) {
    Narrowing result;
    SetSignals namedSignals(candidates, at, std::move(answeredSignals));
    std::vector<std::size_t> group = codes::samePowerSets(candidates, at);
    std::vector<std::string> excluded;
    std::map<std::string, std::size_t> holding; // each key tried: the candidate whose code it holds
    const auto learn = [&](const std::string& key, const codes::NamedSignal& signal) {
        LearnResult learned = learnSignal(layout, table, key, signal.signal, diagnosticFile, mayWrite);
        const KeyLearning outcome = outcomeOf(learned);
        if (outcome == KeyLearning::Written)
            result.learned.push_back(std::move(learned));
        else if (outcome == KeyLearning::Failed) {
            result.end = NarrowingEnd::Failed;
            result.failedKey = key;
            result.failed = std::move(learned);
        }
        return outcome;
    };

    while (group.size() > 1) {
        std::vector<const codes::CodeSet*> sets;
        for (const std::size_t c : group)
            sets.push_back(candidates[c].set);
        const auto question = codes::nextKeyQuestion(sets, side, excluded);
        if (!question)
            break;
        const std::size_t from = group[question->from];
        const std::vector<codes::NamedSignal>* fromSignals = namedSignals.of(from);
        if (!fromSignals) {
            // A set whose file changed since it was indexed cannot give the side either.
            group.erase(group.begin() + static_cast<std::ptrdiff_t>(question->from));
            continue;
        }
        const codes::NamedSignal* signal = learnable(*fromSignals, question->code);
        const KeyLearning outcome = signal ? learn(question->keyNumber, *signal) : KeyLearning::NotLearnable;
        if (outcome == KeyLearning::Failed)
            return result;
        if (outcome == KeyLearning::NotLearnable) {
            excluded.push_back(question->keyNumber);
            result.notTried.push_back(question->keyNumber);
            continue;
        }
        holding[question->keyNumber] = from;
        const KeyTry tried{question->keyNumber,      signal->name,           from, group.size(),
                           question->sending.size(), result.tried.size() + 1};
        result.tried.push_back(tried);
        const KeyAnswer answer = ask(tried);
        if (answer == KeyAnswer::Stop) {
            result.end = NarrowingEnd::Stopped;
            return result;
        }
        if (answer == KeyAnswer::Enough)
            break;
        std::vector<std::size_t> staying;
        for (const std::size_t i : codes::setsAfter(*question, group.size(), answer == KeyAnswer::Responded))
            staying.push_back(group[i]);
        group = std::move(staying);
    }

    const auto readable =
        std::find_if(group.begin(), group.end(), [&](std::size_t c) { return namedSignals.of(c); });
    if (readable == group.end()) {
        result.end = NarrowingEnd::Stopped;
        return result;
    }
    result.taken = *readable;
    const codes::CodeSet& taken = *candidates[result.taken].set;
    const std::vector<codes::NamedSignal>& takenSignals = *namedSignals.of(result.taken);
    // A key last given another set's code (the device did not respond to it) gets the set taken's,
    // which every set still in question has for it.
    for (const auto& [key, from] : holding) {
        const int own = codes::codeForKey(taken, side, key);
        const int held = codes::codeForKey(*candidates[from].set, side, key);
        if (from == result.taken || own < 0 ||
            (held >= 0 && codes::sameCode(taken.codes[static_cast<std::size_t>(own)],
                                          candidates[from].set->codes[static_cast<std::size_t>(held)])))
            continue;
        const codes::NamedSignal* signal = learnable(takenSignals, own);
        if (signal && learn(key, *signal) == KeyLearning::Failed)
            return result;
    }
    result.takenSignals = namedSignals.take(result.taken);
    return result;
}

} // namespace device
