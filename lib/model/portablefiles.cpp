#include "portablefiles.h"

#include <cstdlib>

#include "windowsapi.h"

namespace model {

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path textPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::filesystem::path environmentPath(const char* name) {
#if defined(_WIN32)
    // Variable names are ASCII.
    const std::wstring wide(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wide.c_str());
#else
    const char* value = std::getenv(name);
#endif
    if (value == nullptr || *value == 0)
        return {};
    return std::filesystem::path(value);
}

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error) {
    error.clear();
#if defined(_WIN32)
    // MOVEFILE_REPLACE_EXISTING is what makes it a replacement (MoveFile fails when `to` exists);
    // MOVEFILE_WRITE_THROUGH returns only once the new name is on the disk.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return;
        const DWORD code = GetLastError();
        if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) || attempt == 20) {
            error.assign(static_cast<int>(code), std::system_category());
            return;
        }
        Sleep(10);
    }
#else
    std::filesystem::rename(from, to, error);
#endif
}

} // namespace model
