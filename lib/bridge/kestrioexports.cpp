// The program's device library: the seven operations of kestrio.h, each served by the remote in
// use, the virtual one or the maker's through the host (bridge.h). The program links this as it
// would link the maker's own, and does not know which remote answers.
#include "kestrio.h"

#include "bridge.h"

extern "C" {

KESTRIO_API unsigned char KESTRIO_CALL link_state(void) { return bridge::linkState(); }

KESTRIO_API unsigned char KESTRIO_CALL ReadVersion(char* buffer) { return bridge::readVersion(buffer); }

KESTRIO_API unsigned char KESTRIO_CALL RBasicInfo(char* buffer) { return bridge::basicInfo(buffer); }

KESTRIO_API unsigned char KESTRIO_CALL readdatav20(char* buffer, int32_t blockCount, const char* addrHigh,
                                                   const char* addrLow, const char* blockUnit) {
    return bridge::readData(buffer, blockCount, addrHigh, addrLow, blockUnit);
}

KESTRIO_API unsigned char KESTRIO_CALL writedatav20(const char* blockUnit, const char* addrHigh,
                                                    const char* addrLow, const char* data) {
    return bridge::writeData(blockUnit, addrHigh, addrLow, data);
}

KESTRIO_API unsigned char KESTRIO_CALL SetCodeCarrierWave(void) { return bridge::setCarrier(); }

KESTRIO_API unsigned char KESTRIO_CALL RCollectCodeInfo(char* buffer) { return bridge::collectCode(buffer); }

} // extern "C"
