// Flipper .ir files (raw and parsed signals), as learn --from reads them; the properties of codefilecheck.h.
#include "codefilecheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkCodeFile(data, size, "Filetype: IR signals file\n", "codes.ir");
    return 0;
}
