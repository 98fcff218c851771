// A code library of the test's own: the configuration, cache and data folders pointed at a
// scratch home, with code files written into a folder of it, and all of it gone afterwards.
#pragma once

#include "environment.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace testsupport {

class ScratchLibrary {
public:
    ScratchLibrary()
        : home_(std::filesystem::temp_directory_path() /
                ("qtm418-library-" + std::to_string(std::random_device()()))) {
        for (const char* variable : kVariables)
            variables_.push_back(std::make_unique<ScopedEnvironment>(variable, home_ / variable));
        std::filesystem::create_directories(codes());
    }
    ~ScratchLibrary() {
        variables_.clear();
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
    }
    ScratchLibrary(const ScratchLibrary&) = delete;
    ScratchLibrary& operator=(const ScratchLibrary&) = delete;

    // The folder the test's code files go in (not yet in the library).
    std::filesystem::path codes() const { return home_ / "codes"; }

    // Writes `text` to `relative` under codes(); its path.
    std::filesystem::path write(const std::string& relative, const std::string& text) const {
        const auto path = codes() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

private:
#if defined(_WIN32)
    static constexpr const char* kVariables[] = {"APPDATA", "LOCALAPPDATA"};
#else
    static constexpr const char* kVariables[] = {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"};
#endif
    std::filesystem::path home_;
    std::vector<std::unique_ptr<ScopedEnvironment>> variables_;
};

// Flipper .ir text: the header, then buttons as necButton and rawButton write them.
inline std::string flipperFile(const std::vector<std::string>& buttons) {
    std::string text = "Filetype: IR signals file\nVersion: 1\n";
    for (const std::string& button : buttons)
        text += button;
    return text;
}

inline std::string necButton(const std::string& name, unsigned address, unsigned command) {
    char bytes[64];
    std::snprintf(bytes, sizeof bytes, "address: %02X 00 00 00\ncommand: %02X 00 00 00\n", address, command);
    return "#\nname: " + name + "\ntype: parsed\nprotocol: NEC\n" + bytes;
}

inline std::string rawButton(const std::string& name, const std::vector<int>& timings) {
    std::string data;
    for (const int t : timings)
        data += (data.empty() ? "" : " ") + std::to_string(t);
    return "#\nname: " + name + "\ntype: raw\nfrequency: 38000\nduty_cycle: 0.330000\ndata: " + data + "\n";
}

} // namespace testsupport
