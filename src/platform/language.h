// The language the program speaks, decided once, when its translations are installed. The files
// it ships with words in them (the skin bundles, the window's pictures, the help file) follow it:
// a language's own copy lies in a folder named after the language, beside the Chinese one.
#pragma once

#include <QString>

namespace platform {

enum class Language { Chinese, English };

Language language();
void setLanguage(Language language);

// File `name` of `folder` (a folder on disk, or one of the program's resources such as
// ":/window") as the program's language has it: `folder`/en/`name` in English, when that is
// there; otherwise `folder`/`name`, the Chinese the program is written in.
QString localisedFile(const QString& folder, const QString& name);

} // namespace platform
