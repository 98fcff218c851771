// The program speaks its desktop's language where it has a translation for it: English on an
// English desktop; the Chinese it is written in everywhere else.
#pragma once

#include <QLocale>

// Installs the program's own translation for `locale` and the toolkit's for the same language, so
// that file dialogs and standard buttons speak it too, and makes it the language of the pictures
// and the help file (platform::language); replaces what an earlier call installed.
// Without an English translation for `locale`, the program's Chinese texts stay and the toolkit's
// dialogs are given Chinese to match.
void installTranslations(const QLocale& locale);
