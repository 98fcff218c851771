// Whether a command's output holds a given part: most checks of printed text ask just that.
#pragma once

#include <string>

inline bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
