// The backup file as restore reads it: the input is the file. A fuzzer cannot forge a CRC-32, so
// the same text is read once more with its last checksum line made right (or one added), and the
// mutations reach what lies behind the checksum. What must hold: what parseBackup accepts, written
// back with formatBackup, reads again as the same backup, and so does that file with CRLF line
// endings and blanks at the ends of its lines; a refusal names a line of the file, in a message
// of printable characters.
#include "fuzzcheck.h"

#include "model/backupfile.h"
#include "model/hextext.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

constexpr std::string_view kChecksumLine = "\ncrc32: ";

std::string withChecksumMadeRight(std::string_view text) {
    const std::size_t line = text.rfind(kChecksumLine);
    if (line == std::string_view::npos) {
        std::string lines(text);
        if (!lines.empty() && lines.back() != '\n')
            lines += '\n';
        return lines + "crc32: " + model::formatHex(model::backupChecksum(lines), 8) + "\n";
    }
    const std::string_view before = text.substr(0, line + 1);
    const std::size_t end = text.find('\n', line + 1);
    const std::string_view after = end == std::string_view::npos ? std::string_view() : text.substr(end);
    return std::string(before) + "crc32: " + model::formatHex(model::backupChecksum(before), 8) +
           std::string(after);
}

std::string endedByCrlfAndBlanks(std::string_view text) {
    std::string edited;
    edited.reserve(text.size() + 3 * static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    for (const char c : text)
        edited += c == '\n' ? std::string_view(" \t\r\n") : std::string_view(&c, 1);
    return edited;
}

void readAndCheck(std::string_view text) {
    const auto read = model::parseBackup(text);
    if (const auto* problem = std::get_if<model::BackupProblem>(&read)) {
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        fuzzCheck(problem->line >= 1 && problem->line <= lines + 2, "a refusal names a line of the file");
        const std::string message = model::describe(*problem);
        fuzzCheck(std::all_of(message.begin(), message.end(), [](char c) { return c >= 0x20 && c <= 0x7E; }),
                  "a refusal's message is printable text");
        return;
    }
    const auto& backup = std::get<model::MemoryBackup>(read);
    const std::string written = model::formatBackup(backup);
    const auto again = model::parseBackup(written);
    fuzzCheck(std::holds_alternative<model::MemoryBackup>(again) &&
                  std::get<model::MemoryBackup>(again) == backup,
              "an accepted backup written back reads as the same backup");
    const auto edited = model::parseBackup(endedByCrlfAndBlanks(written));
    fuzzCheck(std::holds_alternative<model::MemoryBackup>(edited) &&
                  std::get<model::MemoryBackup>(edited) == backup,
              "a backup with CRLF line endings and trailing blanks reads as the same backup");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    readAndCheck(text);
    readAndCheck(withChecksumMadeRight(text));
    return 0;
}
