// The remote the program configures: the virtual one, or a real one through the maker's own
// kestrio.dll and ConLCode.dll, served by the 32-bit host when those two files are found in a
// `maker` folder (makerfiles.h). Decided once, at the first call, for the whole run; the program's
// kestrio exports and its converter go through here.
#pragma once

#include "makerfiles.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#if defined(_WIN32)
#if defined(QTM418_BRIDGE_BUILDING)
#define BRIDGE_API __declspec(dllexport)
#else
#define BRIDGE_API __declspec(dllimport)
#endif
#else
#define BRIDGE_API __attribute__((visibility("default")))
#endif

namespace bridge {

struct RemoteInUse {
    // The maker's files were found: the real remote is meant, and never the virtual one.
    bool maker = false;
    std::filesystem::path folder;
    // Why they cannot serve; the remote then counts as not attached.
    std::optional<MakerProblem> problem;
};

BRIDGE_API RemoteInUse remoteInUse();

// The folders the maker's files are looked for in, first first (makerFolders beside this program).
BRIDGE_API std::vector<std::filesystem::path> makerFoldersLookedIn();

// What went wrong with the maker's library since it was loaded, if anything: a buffer written
// past, a call that did not return (the remote then counts as gone), the host ended. Nothing
// before the first call.
BRIDGE_API std::optional<MakerProblem> makerFault();

// Forgets the remote in use and ends the host, if one runs: the next call chooses again. For
// tests, which try several maker's folders in one process; the program chooses once a run.
BRIDGE_API void chooseAgain();

// The maker's converter's answer to `input` (ConvertCode(input, 2)), empty when it converts
// nothing or cannot be reached; nullopt when the virtual remote serves and our converter is meant.
BRIDGE_API std::optional<std::string> makerConversion(const std::string& input);

// The seven operations with the device library's arguments and results, on the remote in use.
BRIDGE_API unsigned char linkState();
BRIDGE_API unsigned char readVersion(char* buffer);
BRIDGE_API unsigned char basicInfo(char* buffer);
BRIDGE_API unsigned char readData(char* buffer, std::int32_t blockCount, const char* addrHigh,
                                  const char* addrLow, const char* blockUnit);
BRIDGE_API unsigned char writeData(const char* blockUnit, const char* addrHigh, const char* addrLow,
                                   const char* data);
BRIDGE_API unsigned char setCarrier();
BRIDGE_API unsigned char collectCode(char* buffer);

} // namespace bridge
