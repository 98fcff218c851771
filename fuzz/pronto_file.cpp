// Pronto hex in every form the reader takes, as learn --from reads them; the properties of codefilecheck.h.
#include "codefilecheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkCodeFile(data, size, "", "codes.pronto");
    return 0;
}
