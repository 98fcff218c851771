// The 32-bit host started as a child process with its standard input and output as the channel:
// on Windows directly, elsewhere under wine.
#pragma once

#include "transport.h"

#include <filesystem>
#include <memory>
#include <string>
#include <variant>

namespace bridge {

// The running host, or why it could not be started.
std::variant<std::unique_ptr<Transport>, std::string> startHost(const std::filesystem::path& program);

#if !defined(_WIN32)
// Why wine's 32-bit loader at `loader` cannot run the host, when that can be told before the
// host starts: not installed, or a kernel that runs no 32-bit program. Empty when it may run, or
// when wine is laid out in another way (the host's start then tells).
std::string wine32Problem(const std::filesystem::path& loader);
#endif

} // namespace bridge
