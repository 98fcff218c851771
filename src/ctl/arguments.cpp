#include "arguments.h"

namespace ctl {

std::optional<std::string> Arguments::value(const std::string& option) const {
    const auto it = values.find(option);
    return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::variant<Arguments, std::string> parseArguments(const std::vector<std::string>& words,
                                                    const ArgumentRules& rules) {
    Arguments args;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 2 || word[0] != '-') {
            args.operands.push_back(word);
        } else if (rules.flags.count(word)) {
            args.flags.insert(word);
        } else if (rules.valued.count(word)) {
            if (i + 1 >= words.size())
                return word + " needs a value";
            if (!args.values.emplace(word, words[++i]).second)
                return word + " is given twice";
        } else {
            return "unknown option " + word;
        }
    }
    for (const std::string& option : rules.needed)
        if (!args.values.count(option))
            return option + " is needed";
    if (args.operands.size() < rules.fewestOperands)
        return "too few arguments";
    if (args.operands.size() > rules.mostOperands)
        return "unexpected argument " + args.operands[rules.mostOperands];
    return args;
}

} // namespace ctl
