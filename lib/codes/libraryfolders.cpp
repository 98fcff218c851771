#include "libraryfolders.h"

#include "ir/json.h"
#include "jsontext.h"
#include "model/portablefiles.h"
#include "wholefile.h"

#include <algorithm>
#include <system_error>

namespace codes {

namespace {

std::filesystem::path normalFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    if (error)
        absolute = folder;
    absolute = absolute.lexically_normal();
    // "/codes/" and "/codes" are one folder.
    if (!absolute.has_filename() && absolute.has_parent_path() && absolute != absolute.root_path())
        absolute = absolute.parent_path();
    return absolute;
}

} // namespace

std::variant<LibraryFolders, std::string> loadLibraryFolders(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return LibraryFolders{};
    const auto text = readWhole(file);
    if (!text)
        return model::pathText(file) + ": cannot be read";
    const auto parsed = ir::parseJson(*text);
    if (const auto* fault = std::get_if<ir::JsonError>(&parsed))
        return model::pathText(file) + ":" + std::to_string(fault->line) + ": " + fault->message;
    const ir::JsonValue* folders = std::get<ir::JsonValue>(parsed).member("folders");
    if (folders == nullptr || folders->kind != ir::JsonValue::Kind::Array)
        return model::pathText(file) + ": expected {\"folders\": [...]}";
    LibraryFolders list;
    for (const ir::JsonValue& folder : folders->items) {
        if (folder.kind != ir::JsonValue::Kind::String || folder.text.empty())
            return model::pathText(file) + ": a folder is not a non-empty string";
        list.folders.push_back(normalFolder(model::textPath(folder.text)));
    }
    return list;
}

std::optional<std::string> saveLibraryFolders(const std::filesystem::path& file, const LibraryFolders& list) {
    std::string text = "{\n  \"folders\": [";
    for (std::size_t i = 0; i < list.folders.size(); ++i)
        text += (i == 0 ? "\n    " : ",\n    ") + jsonString(model::pathText(list.folders[i]));
    text += list.folders.empty() ? "]\n}\n" : "\n  ]\n}\n";
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (const auto failure = saveWhole(file, text))
        return model::pathText(failure->file) + ": cannot be written" +
               (failure->why.empty() ? "" : ": " + failure->why);
    return std::nullopt;
}

std::vector<std::filesystem::path> libraryFolders(const LibraryFolders& list,
                                                  const std::vector<std::filesystem::path>& standardFolders) {
    std::vector<std::filesystem::path> folders = list.folders;
    for (const auto& standard : standardFolders) {
        std::error_code error;
        const auto folder = normalFolder(standard);
        if (std::filesystem::is_directory(folder, error) &&
            std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

bool addLibraryFolder(LibraryFolders& list, const std::filesystem::path& folder) {
    const auto normal = normalFolder(folder);
    if (std::find(list.folders.begin(), list.folders.end(), normal) != list.folders.end())
        return false;
    list.folders.push_back(normal);
    return true;
}

bool removeLibraryFolder(LibraryFolders& list, const std::filesystem::path& folder) {
    const auto it = std::find(list.folders.begin(), list.folders.end(), normalFolder(folder));
    if (it == list.folders.end())
        return false;
    list.folders.erase(it);
    return true;
}

} // namespace codes
