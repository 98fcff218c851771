// The code library's index as the cache folder keeps it, its bytes damaged here and there or cut
// short: opening it, bringing it up to date and searching it never crash or hang, and the library
// is always open afterwards (made anew, or kept in memory). Each three bytes of the input say
// where in a good index (two bytes, spread over its length) a byte is put and which; one byte
// more cuts the file short to that share of its length.
#include "fuzzcheck.h"

#include "codes/librarysearch.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Library {
    fs::path folder, codes, cache;
    std::string good; // the bytes of the index of `codes`

    Library() {
        folder = fs::temp_directory_path() / ("qtm418-fuzz-index-" + std::to_string(getpid()));
        codes = folder / "codes";
        cache = folder / "codeindex.db";
        fs::create_directories(codes / "TVs" / "Samsung");
        fs::create_directories(codes / "DVB-T" / "Sony");
        std::ofstream(codes / "TVs" / "Samsung" / "Samsung_UE40.ir")
            << "Filetype: IR signals file\nVersion: 1\n#\nname: Power\ntype: parsed\nprotocol: NEC\n"
               "address: 07 00 00 00\ncommand: 02 00 00 00\n#\nname: Mute\ntype: parsed\nprotocol: NEC\n"
               "address: 07 00 00 00\ncommand: 0F 00 00 00\n";
        std::ofstream(codes / "DVB-T" / "Sony" / "Sony_box.ir")
            << "Filetype: IR signals file\nVersion: 1\n#\nname: Power\ntype: raw\nfrequency: 38000\n"
               "duty_cycle: 0.33\ndata: 9000 4500 560 560 560 1690 560\n";
        {
            codes::LibraryIndex index;
            codes::refreshIndex(index, {codes}, cache, 1);
        }
        std::ifstream in(cache, std::ios::binary);
        good.assign(std::istreambuf_iterator<char>(in), {});
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Library library;
    std::string bytes = library.good;
    for (std::size_t i = 0; i + 3 <= size; i += 3)
        bytes[((static_cast<std::size_t>(data[i]) << 8 | data[i + 1]) * bytes.size()) >> 16] =
            static_cast<char>(data[i + 2]);
    if (size % 3 == 1)
        bytes.resize(bytes.size() * data[size - 1] / 256);
    std::ofstream(library.cache, std::ios::binary | std::ios::trunc) << bytes;

    codes::LibraryIndex index;
    codes::refreshIndex(index, {library.codes}, library.cache, 1);
    fuzzCheck(index.isOpen(), "the index is open after it is brought up to date");
    const codes::CodeLibrary search(index);
    search.search("samsung ue40");
    search.search("so");
    search.candidates("tv", "Samsung");
    search.makers("cbl");
    search.find("0000000000");
    search.size();
    search.distinct();
    return 0;
}
