// The owner's choice of remote, made in the window and taking effect at the next start: the maker's
// kestrio.dll and ConLCode.dll taken into the `maker` folder, or given up for the virtual remote.
// The remote is chosen once a run and the host may hold the files open, so a choice is prepared
// beside the folder (`maker.next`) and put in place when the next run starts, before anything is
// loaded from there.
#pragma once

#include "makerfiles.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace bridge {

struct ChoiceProblem {
    enum class Kind {
        Files,     // the files offered cannot serve: `files` says which and why
        Installed, // the files serving now were put beside the program by the installer
        Writing,   // `path` could not be written or removed: `systemError` says why
    };
    Kind kind = Kind::Files;
    std::optional<MakerProblem> files;
    std::filesystem::path path;
    std::string systemError;
};

// What the next start will do, when a choice waits for it.
enum class PendingChoice { None, Maker, Virtual };

// The folder a choice changes, among the folders looked in (makerFolders): the one whose files
// serve now, else the last (the user's own, or the one QTM418_MAKER_DIR names). The installer's
// files beside the program are the installer's to change.
std::variant<std::filesystem::path, ChoiceProblem>
folderToChange(const std::vector<std::filesystem::path>& folders);

// Where a choice for `folder` waits for the next start.
std::filesystem::path pendingFolder(const std::filesystem::path& folder);
PendingChoice pendingChoice(const std::filesystem::path& folder);

// Checks the maker's two files in `from` (as the program will when it starts) and prepares them
// for `folder` as kestrio.dll and ConLCode.dll: both copied, or nothing changed.
std::optional<ChoiceProblem> chooseMakerFiles(const std::filesystem::path& from,
                                              const std::filesystem::path& folder);

// Prepares the virtual remote for `folder`: at the next start the folder is emptied of the
// maker's files.
std::optional<ChoiceProblem> chooseVirtualRemote(const std::filesystem::path& folder);

// Puts a waiting choice in place at the start of a run. A choice that cannot be put in place yet
// (another run's host holds the files) waits for the next start; nothing is half-replaced.
void applyPendingChoice(const std::filesystem::path& folder);

} // namespace bridge
