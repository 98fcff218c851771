// What the window says about the code library: where code files come from when it has none, and
// how a code set and a library folder are named. No widgets.
#pragma once

#include "codes/libraryindex.h"

#include <QString>

#include <filesystem>

namespace librarytexts {

// Where to get code files and how to add a folder of them, for a library with none yet.
QString whereToGetCodes();

// "Samsung BN59-01330C（Samsung_BN59-01330C.ir）".
QString setTitle(const codes::CodeSet& set);

QString pathText(const std::filesystem::path& path);

// "电视" or "机顶盒".
QString sideName(const std::string& side);

// The question about one more key tried in a search by maker, the key named by its button's name
// as the window shows it ("TV/音量+"): "请按一下音量+键。电视有反应吗？".
QString keyQuestion(const std::string& side, const QString& keyPath);

} // namespace librarytexts
