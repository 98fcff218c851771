// JSON timings (a list, an object, objects one a line), as learn --from reads them; the properties of
// codefilecheck.h.
#include "codefilecheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkCodeFile(data, size, "", "codes.json");
    return 0;
}
