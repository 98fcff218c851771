// A command line taken apart: the command, its operands and its options, checked against what
// the command accepts.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace ctl {

struct ArgumentRules {
    std::size_t fewestOperands = 0;
    std::size_t mostOperands = 0;
    std::set<std::string> flags;  // options on their own: "--json"
    std::set<std::string> valued; // options followed by a value: "--from"
    std::set<std::string> needed; // valued options that must be given
};

struct Arguments {
    std::vector<std::string> operands;
    std::set<std::string> flags;
    std::map<std::string, std::string> values;

    bool has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::optional<std::string> value(const std::string& option) const;
};

// The operands and options after the command's name; the usage error's text when they break the
// rules.
std::variant<Arguments, std::string> parseArguments(const std::vector<std::string>& words,
                                                    const ArgumentRules& rules);

} // namespace ctl
