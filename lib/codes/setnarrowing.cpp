#include "setnarrowing.h"

#include "model/keynames.h"

#include <algorithm>

namespace codes {

namespace {

bool sendsSame(const CodeSet& a, int codeA, const CodeSet& b, int codeB) {
    return sameCode(a.codes[static_cast<std::size_t>(codeA)], b.codes[static_cast<std::size_t>(codeB)]);
}

} // namespace

std::vector<std::string> secondKeysOf(std::string_view side) {
    // The keys an owner finds without looking and a device answers to at once.
    static constexpr std::string_view kPreferred[] = {"Vol+", "Mute", "Ch+", "1", "2", "3", "4",
                                                      "5",    "6",    "7",   "8", "9", "0"};
    std::vector<std::string> keys;
    for (const std::string_view name : kPreferred)
        for (const model::KeyName& key : model::keyNames())
            if (key.side == side && key.name == name)
                keys.emplace_back(key.number);
    return keys;
}

int codeForKey(const CodeSet& set, std::string_view side, std::string_view keyNumber) {
    for (std::size_t i = 0; i < set.codes.size(); ++i) {
        if (set.codes[i].timings.empty())
            continue;
        // A key the side learns from an earlier button keeps that button's code.
        if (const auto number = model::keyForButton(side, set.codes[i].button)) {
            if (*number == keyNumber)
                return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<std::size_t> samePowerSets(const std::vector<Candidate>& candidates, std::size_t at) {
    std::vector<std::size_t> same;
    if (at >= candidates.size() || candidates[at].set->power < 0)
        return same;
    const CodeSet& answered = *candidates[at].set;
    same.push_back(at);
    for (std::size_t i = at + 1; i < candidates.size(); ++i) {
        const CodeSet& other = *candidates[i].set;
        if (other.power >= 0 && sendsSame(answered, answered.power, other, other.power))
            same.push_back(i);
    }
    return same;
}

std::optional<KeyQuestion> nextKeyQuestion(const std::vector<const CodeSet*>& sets, std::string_view side,
                                           const std::vector<std::string>& excluded) {
    std::optional<KeyQuestion> best;
    std::size_t bestRuledOut = 0; // the sets an answer rules out at least, whichever it is
    std::size_t bestKinds = 0;
    for (const std::string& key : secondKeysOf(side)) {
        if (std::find(excluded.begin(), excluded.end(), key) != excluded.end())
            continue;
        std::vector<int> codes;
        for (const CodeSet* set : sets)
            codes.push_back(codeForKey(*set, side, key));
        if (std::find(codes.begin(), codes.end(), -1) != codes.end())
            continue;
        // Each set joins the first kind whose first set it sends the same as.
        std::vector<std::vector<std::size_t>> kinds;
        for (std::size_t i = 0; i < sets.size(); ++i) {
            const auto kind =
                std::find_if(kinds.begin(), kinds.end(), [&](const std::vector<std::size_t>& k) {
                    return sendsSame(*sets[k.front()], codes[k.front()], *sets[i], codes[i]);
                });
            if (kind == kinds.end())
                kinds.push_back({i});
            else
                kind->push_back(i);
        }
        for (const std::vector<std::size_t>& kind : kinds) {
            const std::size_t ruledOut = std::min(kind.size(), sets.size() - kind.size());
            if (ruledOut > bestRuledOut ||
                (ruledOut == bestRuledOut && ruledOut > 0 && kinds.size() > bestKinds)) {
                bestRuledOut = ruledOut;
                bestKinds = kinds.size();
                best = KeyQuestion{key, kind.front(), codes[kind.front()], kind};
            }
        }
    }
    return best;
}

std::vector<std::size_t> setsAfter(const KeyQuestion& question, std::size_t setCount, bool responded) {
    std::vector<std::size_t> staying;
    for (std::size_t i = 0; i < setCount; ++i) {
        const bool sends =
            std::find(question.sending.begin(), question.sending.end(), i) != question.sending.end();
        if (sends == responded)
            staying.push_back(i);
    }
    return staying;
}

} // namespace codes
