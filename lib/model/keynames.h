// The remote's 49 keys by English name, and the button names code files commonly give them, so a
// key can be named on the command line and a file's buttons matched to keys.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace model {

struct KeyName {
    std::string_view number; // the key number, as in the key list
    std::string_view side;   // "tv" or "cbl"
    std::string_view name;   // "Vol+", shown as "TV/Vol+"
    // Button names of code files that mean this key, already folded (see `foldName`), "|"-separated.
    std::string_view buttonNames;
};

const std::vector<KeyName>& keyNames();

// "TV/Vol+" for key "06"; the key number itself for a key of no known name.
std::string keyLabel(std::string_view keyNumber);

// The key number a user means: a key number ("04", "4f"), or a label such as "tv/up" (letter
// case aside); nullopt when it names no key.
std::optional<std::string> keyNumberOf(std::string_view given);

// A button name as the matching sees it: lower case, without spaces, "_", "-" between letters and
// digits, "." or "/"; "+" and "-" at the end kept as "+" and "-".
std::string foldName(std::string_view buttonName);

// The key of side `side` that a code file's button name stands for.
std::optional<std::string> keyForButton(std::string_view side, std::string_view buttonName);

} // namespace model
