// What stopped a code collection from being fetched, unpacked or put in the library, as a value:
// the window words it in its own language and qtm418ctl in English (describe).
#pragma once

#include <cstdint>
#include <string>

namespace codes {

// Each kind names the details it fills in: `text`, `other`, `number` and `limit`.
enum class DownloadFault {
    NotInThisBuild,    // this build was made without the transfer and archive libraries
    AddressRefused,    // `text`: the address; only https, or plain http to this computer itself
    HostNotFound,      // `text`: the host's name
    NoConnection,      // `text`: the address, `other`: the reason
    Stalled,           // no data came for `number` seconds
    SecureLinkFailed,  // the TLS connection or the server's certificate failed: `other` the reason
    HttpStatus,        // the server answered `number` for `text`
    ConnectionCut,     // the transfer broke off after `number` bytes
    TransferFailed,    // any other fault of the transfer: `other` the reason
    TooLarge,          // more than `limit` bytes, fetched (`text` "archive") or unpacked ("files")
    DamagedArchive,    // not a zip or tar archive, or a broken one: `other` the reason
    EmptyArchive,      // the archive holds no file
    EntryClimbsOut,    // entry `text` names a place outside the folder (../ or an absolute path)
    LinkPointsOutside, // link entry `text` points outside the folder, to `other`
    DiskFull,          // writing `text` found no room left
    CannotWrite,       // `text` cannot be created or written: `other` the system's reason
    Cancelled,
};

struct DownloadProblem {
    DownloadFault fault = DownloadFault::TransferFailed;
    std::string text{};
    std::string other{};
    std::uint64_t number = 0;
    std::uint64_t limit = 0;
};

// The problem in English: "the server answered 404 for https://...".
std::string describe(const DownloadProblem& problem);

} // namespace codes
