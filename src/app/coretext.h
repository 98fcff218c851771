// The core keeps its texts in UTF-8 std::strings and names files by std::filesystem::path; the
// window speaks QString. These are the two crossings it needs.
#pragma once

#include <QString>

#include <filesystem>
#include <string>

inline QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// A file the owner chose, named so that any letters in it survive on every system.
inline std::filesystem::path pathOf(const QString& file) {
    return std::filesystem::path(file.toStdU16String());
}
