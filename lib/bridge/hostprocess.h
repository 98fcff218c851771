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

} // namespace bridge
