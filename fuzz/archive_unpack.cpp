// A downloaded archive unpacked as a collection is: whatever the bytes, it ends in the collection's
// folder or a refusal, never a crash; nothing is written beside the folder it is unpacked into, and
// every link it leaves there leads to a place inside the collection.
#include "fuzzcheck.h"

#include "codes/downloadunpack.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path fence =
        fs::temp_directory_path() / ("qtm418-fuzz-unpack-" + std::to_string(getpid()));
    fs::remove_all(fence);
    fs::create_directories(fence / "folder");
    const fs::path archive = fence / "archive";
    std::ofstream(archive, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::atomic<bool> cancelled{false};
    // Small limits keep a compressed bomb from filling the disk.
    const auto result = codes::unpackArchive(archive, fence / "folder", {}, cancelled, {1u << 22, 2000});
    std::size_t beside = 0;
    for (const auto& entry : fs::directory_iterator(fence))
        beside += entry.path().filename() != "folder" && entry.path().filename() != "archive";
    fuzzCheck(beside == 0, "nothing is written beside the folder unpacked into");
    if (const auto* root = std::get_if<fs::path>(&result)) {
        const fs::path real = fs::canonical(*root);
        for (auto it = fs::recursive_directory_iterator(*root); it != fs::recursive_directory_iterator();
             ++it) {
            if (!it->is_symlink())
                continue;
            std::error_code error;
            const auto inside = fs::weakly_canonical(it->path(), error).lexically_relative(real);
            fuzzCheck(!error && !inside.empty() && *inside.begin() != "..", "every link leads inside");
        }
    }
    return 0;
}
