// GlobalCache sendir commands, as learn --from reads them; the properties of codefilecheck.h.
#include "codefilecheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkCodeFile(data, size, "sendir,", "codes.gc");
    return 0;
}
