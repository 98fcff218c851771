// A maker's kestrio.dll that misbehaves in one way, for the host's tests: the remote it answers
// for is always attached and holds nothing, and ReadVersion does what the fault says:
//   KESTRIO_FAULT_HANGS         never returns
//   KESTRIO_FAULT_OVERRUNS      writes one byte past its 250
//   KESTRIO_FAULT_CRASHES       writes through a null pointer
//   KESTRIO_FAULT_LACKS_EXPORT  RBasicInfo is not exported at all
#include "kestrio.h"

#include <cstring>

#include <windows.h>

namespace {

constexpr std::size_t kVersionBuffer = 250;
constexpr const char* kVersion = "V2.0";

} // namespace

extern "C" {

KESTRIO_API unsigned char KESTRIO_CALL link_state(void) { return 1; }

KESTRIO_API unsigned char KESTRIO_CALL ReadVersion(char* buffer) {
#if defined(KESTRIO_FAULT_HANGS)
    (void)buffer;
    for (;;)
        Sleep(INFINITE);
#elif defined(KESTRIO_FAULT_OVERRUNS)
    std::memset(buffer, 'V', kVersionBuffer + 1);
#elif defined(KESTRIO_FAULT_CRASHES)
    volatile char* nowhere = nullptr;
    *nowhere = buffer[0];
#else
    std::memcpy(buffer, kVersion, std::strlen(kVersion));
#endif
    return 1;
}

#if !defined(KESTRIO_FAULT_LACKS_EXPORT)
KESTRIO_API unsigned char KESTRIO_CALL RBasicInfo(char* buffer) {
    std::memset(buffer, '0', 30);
    return 1;
}
#endif

KESTRIO_API unsigned char KESTRIO_CALL readdatav20(char* buffer, int32_t blockCount, const char*, const char*,
                                                   const char*) {
    std::memset(buffer, '0', 16 * static_cast<std::size_t>(blockCount));
    return 1;
}

KESTRIO_API unsigned char KESTRIO_CALL writedatav20(const char*, const char*, const char*, const char*) {
    return 1;
}

KESTRIO_API unsigned char KESTRIO_CALL SetCodeCarrierWave(void) { return 1; }

KESTRIO_API unsigned char KESTRIO_CALL RCollectCodeInfo(char*) { return 0; }

} // extern "C"
