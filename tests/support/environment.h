// An environment variable set for a test and put back as it was, alike on Linux and Windows
// (where the value is kept in UTF-16, so a path outside ASCII survives).
#pragma once

#include "model/portablefiles.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

namespace testsupport {

// Sets `name` to `value`, or removes it when there is no value.
inline void setEnvironment(const char* name, const std::optional<std::filesystem::path>& value) {
#if defined(_WIN32)
    const std::wstring wide(name, name + std::strlen(name));
    _wputenv_s(wide.c_str(), value ? value->c_str() : L""); // an empty value removes the variable
#else
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
#endif
}

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<std::filesystem::path>& value)
        : name_(name), old_(model::environmentPath(name)) {
        setEnvironment(name, value);
    }
    ~ScopedEnvironment() {
        setEnvironment(name_.c_str(),
                       old_.empty() ? std::nullopt : std::optional<std::filesystem::path>(old_));
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::filesystem::path old_;
};

} // namespace testsupport
