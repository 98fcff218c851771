// The commands of qtm418-emu, the virtual remote's control tool.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace emu {

// Runs one command line (without the program name) on the device in `folder`.
// Returns the process exit code: 0 done, 1 the device could not do it, 2 a usage error.
int runCommand(const std::vector<std::string>& args, const std::filesystem::path& folder, std::ostream& out,
               std::ostream& err);

} // namespace emu
