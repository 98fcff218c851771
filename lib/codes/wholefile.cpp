#include "wholefile.h"

#include <fstream>

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
    std::filesystem::rename(partial, file, error);
    if (error) {
        SaveFailure failure{file, error.message()};
        std::filesystem::remove(partial, error);
        return failure;
    }
    return std::nullopt;
}

} // namespace codes
