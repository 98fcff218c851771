// The seven operations over the virtual remote in the folder DeviceStore::defaultFolder() names,
// with the device library's arguments and results: the exports of kestrio.h call these.
#pragma once

#include <cstdint>

namespace emu::operations {

unsigned char linkState();
unsigned char readVersion(char* buffer);
unsigned char basicInfo(char* buffer);
unsigned char readData(char* buffer, std::int32_t blockCount, const char* addrHigh, const char* addrLow,
                       const char* blockUnit);
unsigned char writeData(const char* blockUnit, const char* addrHigh, const char* addrLow, const char* data);
unsigned char setCarrier();
unsigned char collectCode(char* buffer);

} // namespace emu::operations
