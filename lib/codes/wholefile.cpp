#include "wholefile.h"

#include "model/portablefiles.h"

#include <fstream>
#include <sstream>

namespace codes {

std::optional<SaveFailure> saveWhole(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::path partial = file;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            return SaveFailure{partial, {}};
        }
    }
    std::error_code error;
    model::replaceFile(partial, file, error);
    if (error) {
        SaveFailure failure{file, error.message()};
        std::filesystem::remove(partial, error);
        return failure;
    }
    return std::nullopt;
}

std::optional<std::string> readWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    // Streaming an empty file marks `text` failed though nothing went wrong; only the file says.
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return std::move(text).str();
}

} // namespace codes
