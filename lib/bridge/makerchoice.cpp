#include "makerchoice.h"

#include "model/portablefiles.h"

#include <system_error>

namespace bridge {

namespace fs = std::filesystem;

namespace {

ChoiceProblem writing(const fs::path& path, const std::error_code& error) {
    return ChoiceProblem{ChoiceProblem::Kind::Writing, std::nullopt, path, error.message()};
}

fs::path besideWithSuffix(const fs::path& folder, const char* suffix) {
    fs::path plain = folder;
    if (!plain.has_filename())
        plain = plain.parent_path();
    return plain.parent_path() / (model::pathText(plain.filename()) + suffix);
}

// `prepared` becomes the waiting choice in one rename, so the next start sees a whole choice or
// the one before it.
std::optional<ChoiceProblem> makeWaiting(const fs::path& prepared, const fs::path& folder) {
    const fs::path waiting = pendingFolder(folder);
    std::error_code error;
    fs::remove_all(waiting, error);
    if (!error)
        fs::rename(prepared, waiting, error);
    if (error) {
        std::error_code ignored;
        fs::remove_all(prepared, ignored);
        return writing(waiting, error);
    }
    return std::nullopt;
}

// A fresh, empty folder beside `folder` to prepare a choice in.
std::variant<fs::path, ChoiceProblem> freshPreparation(const fs::path& folder) {
    const fs::path prepared = besideWithSuffix(folder, ".preparing");
    std::error_code error;
    fs::remove_all(prepared, error);
    if (!error)
        fs::create_directories(prepared, error);
    if (error)
        return writing(prepared, error);
    return prepared;
}

} // namespace

fs::path pendingFolder(const fs::path& folder) { return besideWithSuffix(folder, ".next"); }

PendingChoice pendingChoice(const fs::path& folder) {
    const fs::path waiting = pendingFolder(folder);
    std::error_code error;
    if (!fs::is_directory(waiting, error))
        return PendingChoice::None;
    return findMakerFiles({waiting}) ? PendingChoice::Maker : PendingChoice::Virtual;
}

std::variant<fs::path, ChoiceProblem> folderToChange(const std::vector<fs::path>& folders) {
    if (folders.empty())
        return ChoiceProblem{ChoiceProblem::Kind::Writing, std::nullopt, {}, {}};
    const auto serving = findMakerFiles(folders);
    if (!serving)
        return folders.back();
    if (serving->folder != folders.back())
        return ChoiceProblem{ChoiceProblem::Kind::Installed, std::nullopt, serving->folder, {}};
    return serving->folder;
}

std::optional<ChoiceProblem> chooseMakerFiles(const fs::path& from, const fs::path& folder) {
    // The same rules the program applies when it starts: both files, both 32-bit libraries.
    const auto offered = findMakerFiles({from});
    const MakerFiles files = offered ? *offered : MakerFiles{from, {}, {}};
    if (auto problem = checkMakerFiles(files))
        return ChoiceProblem{ChoiceProblem::Kind::Files, std::move(problem), {}, {}};

    auto prepared = freshPreparation(folder);
    if (auto* problem = std::get_if<ChoiceProblem>(&prepared))
        return *problem;
    const fs::path& into = std::get<fs::path>(prepared);
    const std::pair<const fs::path*, const char*> copies[] = {{&files.deviceLibrary, "kestrio.dll"},
                                                              {&files.converter, "ConLCode.dll"}};
    for (const auto& [source, name] : copies) {
        std::error_code error;
        fs::copy_file(*source, into / name, error);
        if (error) {
            std::error_code ignored;
            fs::remove_all(into, ignored);
            return writing(into / name, error);
        }
    }
    return makeWaiting(into, folder);
}

std::optional<ChoiceProblem> chooseVirtualRemote(const fs::path& folder) {
    auto prepared = freshPreparation(folder);
    if (auto* problem = std::get_if<ChoiceProblem>(&prepared))
        return *problem;
    return makeWaiting(std::get<fs::path>(prepared), folder);
}

void applyPendingChoice(const fs::path& folder) {
    const fs::path waiting = pendingFolder(folder);
    std::error_code error;
    if (!fs::is_directory(waiting, error))
        return;
    // The folder goes aside whole first: Windows renames no folder over another, and a folder
    // whose files another run's host holds open cannot move, so the choice then waits.
    const fs::path old = besideWithSuffix(folder, ".old");
    fs::remove_all(old, error);
    const bool hadFolder = fs::exists(folder, error);
    if (hadFolder) {
        fs::rename(folder, old, error);
        if (error)
            return;
    }
    fs::rename(waiting, folder, error);
    if (error) {
        if (hadFolder) {
            std::error_code ignored;
            fs::rename(old, folder, ignored);
        }
        return;
    }
    fs::remove_all(old, error);
}

} // namespace bridge
