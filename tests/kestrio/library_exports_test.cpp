// The two libraries the program loads, found beside it under the names it loads them by
// (kestrio.dll and ConLCode.dll on Windows), with their operations exported under their plain C
// names: on 64-bit Windows a __stdcall name carries no decoration.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/windowsapi.h"

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace {

std::filesystem::path programFolder() {
#if defined(_WIN32)
    std::wstring program(MAX_PATH, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    return std::filesystem::path(program).parent_path();
#else
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
#endif
}

// The names of `exports` that the library beside the program does not export; "(not loaded)"
// when it does not load.
std::vector<std::string> missingExports(const std::string& library, const std::vector<std::string>& exports) {
    const std::filesystem::path file = programFolder() / library;
#if defined(_WIN32)
    HMODULE handle = LoadLibraryW(file.c_str());
    if (!handle)
        return {"(not loaded: error " + std::to_string(GetLastError()) + ")"};
    const auto find = [&](const std::string& name) {
        return GetProcAddress(handle, name.c_str()) != nullptr;
    };
#else
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return {std::string("(not loaded: ") + dlerror() + ")"};
    const auto find = [&](const std::string& name) { return dlsym(handle, name.c_str()) != nullptr; };
#endif
    std::vector<std::string> missing;
    for (const std::string& name : exports)
        if (!find(name))
            missing.push_back(name);
#if defined(_WIN32)
    FreeLibrary(handle);
#else
    dlclose(handle);
#endif
    return missing;
}

#if defined(_WIN32)
const std::string kDeviceLibrary = "kestrio.dll";
const std::string kConverterLibrary = "ConLCode.dll";
#else
const std::string kDeviceLibrary = "libkestrio.so";
const std::string kConverterLibrary = "libConLCode.so";
#endif

} // namespace

TEST(LibraryExports, TheDeviceLibraryExportsItsSevenOperationsByName) {
    EXPECT_EQ(missingExports(kDeviceLibrary, {"link_state", "ReadVersion", "RBasicInfo", "readdatav20",
                                              "writedatav20", "SetCodeCarrierWave", "RCollectCodeInfo"}),
              std::vector<std::string>{});
}

TEST(LibraryExports, TheConverterExportsConvertCodeByName) {
    EXPECT_EQ(missingExports(kConverterLibrary, {"ConvertCode"}), std::vector<std::string>{});
}
