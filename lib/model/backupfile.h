// A copy of the remote's whole memory kept in a file: the text format, its writer and its reader
// side by side.
//
//     QTM418-BACKUP 1                      magic and format version
//     identity: 51544D343138...            the first 30 characters of the identification block
//     model: 100R
//     firmware: 1.3
//     time: 2024-05-01T09:30:00Z           when the copy was taken, UTC
//     memory: 65536                        bytes that follow, always the whole memory
//     0000 00112233...                     2048 lines: address, then 32 bytes as 64 hex digits
//     ...
//     FFE0 ...
//     crc32: 1A2B3C4D                      CRC-32 of every byte of the file before this line
//
// Lines end in "\n". The identification block (0xB000, 48 bytes) may hold other characters than
// hex digits: the firmware answers the model field as text. A copy whose lines end in "\r\n" or
// carry blanks at their ends (a Windows editor, a mail program) reads as the same file: the
// checksum covers the lines as they were written, without those.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace model {

inline constexpr const char* kBackupMagic = "QTM418-BACKUP 1";
inline constexpr unsigned kBackupBytesPerLine = 32;
inline constexpr unsigned kIdentificationBlockBytes = 48;

// The whole memory as the remote's reads answer it: two characters per byte, 0x0000 to 0xFFFF.
struct MemoryBackup {
    std::string identity;
    std::string model;
    std::string firmware;
    std::string time;
    std::string memoryText; // 131072 characters
    bool operator==(const MemoryBackup&) const = default;
};

// The checksum of the lines before a backup's checksum line, as formatBackup wrote them: the
// CRC-32 (as zlib and PNG compute it) of each line without a carriage return or blanks at its end,
// ended by "\n".
std::uint32_t backupChecksum(std::string_view lines);

// True when `address` lies in the identification block, the remote's own identity and firmware.
bool inIdentificationBlock(unsigned address);

std::string formatBackup(const MemoryBackup& backup);

// What is wrong with a backup file: the first line at fault, its kind, and the details its wording
// names. The window words each kind in its own language; describe() words it in English.
enum class BackupFault {
    NotABackup,       // the first line is not the magic
    UnknownFormat,    // a magic of another format version: `text` holds the version
    EndsBeforeField,  // `text` holds the field's name
    ExpectedField,    // `text` holds the field's name
    MemorySize,       // the memory line gives `text` bytes, not the whole memory
    EndsBeforeMemory, // at `address`: the file is truncated
    ExpectedAddress,  // a memory line that does not start with `address`
    NotHexDigit,      // `character` at `address`
    EndsBeforeChecksum,
    ExpectedChecksum,
    ChecksumMismatch,
    ChecksumMismatchEndsAside, // with line endings or trailing blanks set aside
    TextAfterChecksum,
};

struct BackupProblem {
    unsigned line = 0; // 1-based; the line at fault
    BackupFault fault = BackupFault::NotABackup;
    std::string text{};   // the file's own text at fault, control and non-ASCII bytes shown as '?'
    unsigned address = 0; // the memory address at fault
    char character = 0;   // the character that is not a hex digit
};

// The backup a file's text holds, or the first line that is wrong and why.
std::variant<MemoryBackup, BackupProblem> parseBackup(std::string_view text);

// The problem in English, without its line: "the file ends before its checksum; it is truncated".
std::string describe(const BackupProblem& problem);

} // namespace model
