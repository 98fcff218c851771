#include "locations.h"

#include "model/portablefiles.h"
#include "model/windowsapi.h"

#include <string>
#include <system_error>

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace bridge {

namespace fs = std::filesystem;

namespace {

constexpr const char* kHostName = "qtm418-host32.exe";

#if defined(_WIN32)
fs::path moduleFolder(HMODULE module) {
    std::wstring name(32768, L'\0');
    name.resize(GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size())));
    return fs::path(name).parent_path();
}
#endif

} // namespace

fs::path programFolder() {
#if defined(_WIN32)
    return moduleFolder(nullptr);
#else
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : program.parent_path();
#endif
}

fs::path libraryFolder() {
#if defined(_WIN32)
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&libraryFolder), &module))
        return programFolder();
    return moduleFolder(module);
#else
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&libraryFolder), &info) || !info.dli_fname)
        return programFolder();
    std::error_code ec;
    const fs::path library = fs::canonical(info.dli_fname, ec);
    return ec ? programFolder() : library.parent_path();
#endif
}

std::vector<fs::path> hostPlaces() {
    if (fs::path named = model::environmentPath("QTM418_HOST32"); !named.empty())
        return {named};
    const fs::path libraries = libraryFolder();
    return {libraries / kHostName, libraries / "qtm418" / kHostName, programFolder() / kHostName};
}

} // namespace bridge
