// The one thin layer over the device library: addresses in, text out.
#pragma once

#include <cstddef>
#include <string>

namespace device {

// A buffer turns into text byte by byte, zero bytes included: after a successful call the text is
// as long as the whole buffer, after a failed one it is empty.
namespace link {

bool attached();
std::string readVersion();
std::string basicInformation();

// Reads `blockCount` blocks at `address` into a buffer of `bufferSize` characters, widened to 16
// characters per requested block so the device never writes past it.
std::string readData(unsigned address, int blockCount, const std::string& blockUnit, std::size_t bufferSize);

bool writeData(const std::string& blockUnit, unsigned address, const std::string& hexData);

bool setCodeCarrierWave();
std::string collectCodeInfo();

} // namespace link

} // namespace device
