#include "backupfile.h"

#include "devicemessages.h"
#include "hextext.h"
#include "memorylayout.h"
#include "wire.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace model {

namespace {

constexpr unsigned kMemoryLines = kMemoryEnd / kBackupBytesPerLine;
constexpr std::array<const char*, 5> kFields = {"identity", "model", "firmware", "time", "memory"};

// The firmware answers the model field as text: letters and digits, never spaces or controls.
bool isIdentificationChar(char c) {
    return isHexDigit(c) || (c >= 'G' && c <= 'Z') || (c >= 'g' && c <= 'z');
}

bool isFieldText(std::string_view value) {
    if (value.empty() || value.size() > 64)
        return false;
    for (const char c : value)
        if (c < 0x21 || c > 0x7E)
            return false;
    return true;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A line's text without the carriage return or blanks that an editor may leave at its end.
std::string_view trimmedEnd(std::string_view line) {
    const std::size_t last = line.find_last_not_of(" \t\r");
    return line.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

struct Line {
    std::size_t start = 0; // offset of its first byte in the file
    std::string_view text; // without its end
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        lines.push_back({start, trimmedEnd(text.substr(start, stop - start))});
        start = stop + 1;
    }
    return lines;
}

std::uint32_t crcUpdate(std::uint32_t crc, std::string_view bytes) {
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc;
}

bool isPrintable(char c) { return c >= 0x20 && c <= 0x7E; }

BackupProblem problem(std::size_t line, BackupFault fault, std::string text = {}, unsigned address = 0,
                      char character = 0) {
    return {static_cast<unsigned>(line), fault, std::move(text), address, character};
}

} // namespace

std::uint32_t backupChecksum(std::string_view lines) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const Line& line : splitLines(lines))
        crc = crcUpdate(crcUpdate(crc, line.text), "\n");
    return ~crc;
}

bool inIdentificationBlock(unsigned address) {
    return address >= wire::kIdentificationAddress &&
           address < wire::kIdentificationAddress + kIdentificationBlockBytes;
}

std::string formatBackup(const MemoryBackup& backup) {
    std::string text = std::string(kBackupMagic) + "\n";
    text += "identity: " + backup.identity + "\n";
    text += "model: " + backup.model + "\n";
    text += "firmware: " + backup.firmware + "\n";
    text += "time: " + backup.time + "\n";
    text += "memory: " + std::to_string(kMemoryEnd) + "\n";
    for (unsigned line = 0; line < kMemoryLines; ++line) {
        const unsigned address = line * kBackupBytesPerLine;
        text += formatHex(address, 4) + " " + backup.memoryText.substr(2 * address, 2 * kBackupBytesPerLine) +
                "\n";
    }
    return text + "crc32: " + formatHex(backupChecksum(text), 8) + "\n";
}

std::variant<MemoryBackup, BackupProblem> parseBackup(std::string_view text) {
    const std::vector<Line> lines = splitLines(text);
    if (lines.empty() || lines[0].text != kBackupMagic) {
        const std::string_view first = lines.empty() ? std::string_view() : lines[0].text;
        if (first.substr(0, 14) == "QTM418-BACKUP ")
            return problem(1, BackupFault::UnknownFormat, printableBytes(first.substr(14, 16)));
        return problem(1, BackupFault::NotABackup);
    }
    MemoryBackup backup;
    std::array<std::string*, 5> values = {&backup.identity, &backup.model, &backup.firmware, &backup.time,
                                          nullptr};
    std::size_t at = 1;
    for (std::size_t f = 0; f < kFields.size(); ++f, ++at) {
        const std::string name = std::string(kFields[f]) + ": ";
        if (at >= lines.size())
            return problem(at + 1, BackupFault::EndsBeforeField, kFields[f]);
        const std::string_view line = lines[at].text;
        if (line.substr(0, name.size()) != name || !isFieldText(line.substr(name.size())))
            return problem(at + 1, BackupFault::ExpectedField, kFields[f]);
        if (values[f])
            *values[f] = std::string(line.substr(name.size()));
        else if (line.substr(name.size()) != std::to_string(kMemoryEnd))
            return problem(at + 1, BackupFault::MemorySize, printableBytes(line.substr(name.size(), 16)));
    }
    backup.memoryText.reserve(2 * kMemoryEnd);
    for (unsigned m = 0; m < kMemoryLines; ++m, ++at) {
        const unsigned address = m * kBackupBytesPerLine;
        const std::string label = formatHex(address, 4);
        if (at >= lines.size())
            return problem(at + 1, BackupFault::EndsBeforeMemory, {}, address);
        const std::string_view line = lines[at].text;
        if (line.size() != 5 + 2 * kBackupBytesPerLine || line.substr(0, 5) != label + " ")
            return problem(at + 1, BackupFault::ExpectedAddress, {}, address);
        for (unsigned i = 0; i < 2 * kBackupBytesPerLine; ++i) {
            const char c = line[5 + i];
            const bool fits =
                inIdentificationBlock(address + i / 2) ? isIdentificationChar(c) : isHexDigit(c);
            if (!fits)
                return problem(at + 1, BackupFault::NotHexDigit, {}, address + i / 2, c);
            backup.memoryText += upper(c);
        }
    }
    if (at >= lines.size())
        return problem(at + 1, BackupFault::EndsBeforeChecksum);
    const std::string_view sum = lines[at].text;
    const auto stored =
        sum.size() == 15 && sum.substr(0, 7) == "crc32: " ? parseHex(sum.substr(7)) : std::nullopt;
    if (!stored)
        return problem(at + 1, BackupFault::ExpectedChecksum);
    const std::string_view contents = text.substr(0, lines[at].start);
    if (*stored != backupChecksum(contents)) {
        // The CRLF or blanks an editor left are not the damage: the problem says they were set aside.
        const bool endsChanged = std::any_of(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(at),
                                             [&text](const Line& line) {
                                                 const std::size_t end = line.start + line.text.size();
                                                 return end < text.size() && text[end] != '\n';
                                             });
        return problem(at + 1,
                       endsChanged ? BackupFault::ChecksumMismatchEndsAside : BackupFault::ChecksumMismatch);
    }
    for (std::size_t after = at + 1; after < lines.size(); ++after)
        if (!lines[after].text.empty())
            return problem(after + 1, BackupFault::TextAfterChecksum);
    return backup;
}

std::string describe(const BackupProblem& problem) {
    const std::string address = formatHex(problem.address, 4);
    switch (problem.fault) {
    case BackupFault::NotABackup:
        return "not a qtm418ctl backup (its first line is not '" + std::string(kBackupMagic) + "')";
    case BackupFault::UnknownFormat:
        return "backup format '" + problem.text + "' is not known; this program reads format 1";
    case BackupFault::EndsBeforeField:
        return "the file ends before its '" + problem.text + "' line";
    case BackupFault::ExpectedField:
        return "expected '" + problem.text + ": ' and a value of 1 to 64 characters";
    case BackupFault::MemorySize:
        return "a backup holds " + std::to_string(kMemoryEnd) + " bytes of memory, not " + problem.text;
    case BackupFault::EndsBeforeMemory:
        return "the file ends before the memory at " + address + "; it is truncated";
    case BackupFault::ExpectedAddress:
        return "expected the address " + address + " and " + std::to_string(2 * kBackupBytesPerLine) +
               " hex digits";
    case BackupFault::NotHexDigit:
        return (isPrintable(problem.character)
                    ? "'" + std::string(1, problem.character) + "'"
                    : "character " + formatHex(static_cast<unsigned char>(problem.character), 2)) +
               " at " + address + " is not a hex digit";
    case BackupFault::EndsBeforeChecksum:
        return "the file ends before its checksum; it is truncated";
    case BackupFault::ExpectedChecksum:
        return "expected 'crc32: ' and 8 hex digits";
    case BackupFault::ChecksumMismatch:
        return "the checksum does not match the contents; the file is damaged";
    case BackupFault::ChecksumMismatchEndsAside:
        return "the checksum does not match the contents, line endings and trailing blanks aside; the file "
               "is "
               "damaged";
    case BackupFault::TextAfterChecksum:
        return "unexpected text after the checksum";
    }
    return {};
}

} // namespace model
