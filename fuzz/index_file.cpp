// The code library's index as the cache folder keeps it, read back as the library reads it at
// start: a damaged or foreign file gives an empty index, never a crash; and what it accepts,
// written again, reads back to an index that writes the very same bytes.
#include "fuzzcheck.h"

#include "codes/libraryindex.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qtm418-fuzz-index-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto cache = folder / "codeindex";
    std::ofstream(cache, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const codes::LibraryIndex index = codes::loadIndex(cache);
    if (index.files.empty())
        return 0;
    fuzzCheck(codes::saveIndex(cache, index).empty(), "an index read can be written again");
    const std::string once = bytesOf(cache);
    const codes::LibraryIndex again = codes::loadIndex(cache);
    fuzzCheck(again.files.size() == index.files.size(), "an index written again reads back whole");
    fuzzCheck(codes::saveIndex(cache, again).empty() && bytesOf(cache) == once,
              "an index read back writes the very same bytes");
    return 0;
}
