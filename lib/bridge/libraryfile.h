// What a file in the maker's folder is, read from its header before anything loads it: a 32-bit
// Windows library is the only kind the 32-bit host can load.
#pragma once

#include "protocol.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace bridge {

// nullopt for a 32-bit (x86) Windows library; otherwise why it cannot serve: NotALibrary,
// Needs32Bit or OtherMachine. `head` is the file's beginning, as much as examineLibrary reads.
std::optional<Refusal> libraryHeadProblem(std::string_view head);

// The same for the file at `path`; Missing when it is not there or cannot be read.
std::optional<Refusal> libraryFileProblem(const std::filesystem::path& path);

} // namespace bridge
