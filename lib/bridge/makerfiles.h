// Where the maker's kestrio.dll and ConLCode.dll are looked for, and what is found there: the two
// together, one without the other, or neither (the virtual remote then serves).
#pragma once

#include "protocol.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bridge {

// Why the maker's files cannot serve, naming the file.
struct MakerProblem {
    MakerFile file = MakerFile::Host;
    Refusal reason = Refusal::Missing;
    std::string detail;         // the export's name, an error number, what the host said
    std::filesystem::path path; // the file concerned, when there is one
};

struct MakerFiles {
    std::filesystem::path folder;
    std::filesystem::path deviceLibrary; // empty when missing
    std::filesystem::path converter;     // empty when missing
};

// The folders looked in, first first: the one QTM418_MAKER_DIR names, and then no other; else
// `maker` beside the program, then the user's data folder (%LOCALAPPDATA%\qtm418\maker,
// ~/.local/share/qtm418/maker).
std::vector<std::filesystem::path> makerFolders(const std::filesystem::path& programFolder);

// The user's own `maker` folder, where the program copies the maker's files.
std::filesystem::path userMakerFolder();

// The first folder holding either file (names compared without regard to letter case, as
// Windows does); nullopt when none does.
std::optional<MakerFiles> findMakerFiles(const std::vector<std::filesystem::path>& folders);

// What keeps the files found from serving, as far as can be told without loading them: one of
// the two missing, or a file that is no 32-bit Windows library.
std::optional<MakerProblem> checkMakerFiles(const MakerFiles& files);

} // namespace bridge
