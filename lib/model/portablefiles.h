// What std::filesystem leaves to each system: paths kept or shown as text, folders named by
// environment variables, and a file replaced by another in one step.
//
// Paths travel as UTF-8 text on every system. Windows keeps them in UTF-16, and there a narrow
// std::string is not read as UTF-8 (MinGW's std::filesystem reads it in another encoding than it
// writes, MSVC's in the ANSI code page), so a path made text and back loses any letter outside
// ASCII unless it goes through pathText and textPath.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace model {

// The path as UTF-8 text.
std::string pathText(const std::filesystem::path& path);

// The path that UTF-8 text names.
std::filesystem::path textPath(std::string_view utf8);

// The folder or file an environment variable names, read as the system keeps it (on Windows in
// UTF-16); empty when the variable is unset or empty.
std::filesystem::path environmentPath(const char* name);

// Puts `from` in the place of `to` in one step, replacing what `to` was: a reader sees the old
// file or the new one, never a mix. On Windows a file briefly held open by another program (a
// virus scanner, the indexer) is waited for a little.
void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error);

} // namespace model
