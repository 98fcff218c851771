// The device library over the virtual remote alone: the seven exported operations. The program's
// own kestrio is the bridging one (lib/bridge); this one stands in for the maker's library where
// a maker's file is needed.
#include "kestrio.h"

#include "virtualoperations.h"

extern "C" {

KESTRIO_API unsigned char KESTRIO_CALL link_state(void) { return emu::operations::linkState(); }

KESTRIO_API unsigned char KESTRIO_CALL ReadVersion(char* buffer) {
    return emu::operations::readVersion(buffer);
}

KESTRIO_API unsigned char KESTRIO_CALL RBasicInfo(char* buffer) { return emu::operations::basicInfo(buffer); }

KESTRIO_API unsigned char KESTRIO_CALL readdatav20(char* buffer, int32_t blockCount, const char* addrHigh,
                                                   const char* addrLow, const char* blockUnit) {
    return emu::operations::readData(buffer, blockCount, addrHigh, addrLow, blockUnit);
}

KESTRIO_API unsigned char KESTRIO_CALL writedatav20(const char* blockUnit, const char* addrHigh,
                                                    const char* addrLow, const char* data) {
    return emu::operations::writeData(blockUnit, addrHigh, addrLow, data);
}

KESTRIO_API unsigned char KESTRIO_CALL SetCodeCarrierWave(void) { return emu::operations::setCarrier(); }

KESTRIO_API unsigned char KESTRIO_CALL RCollectCodeInfo(char* buffer) {
    return emu::operations::collectCode(buffer);
}

} // extern "C"
