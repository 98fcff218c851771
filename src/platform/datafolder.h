// Where the program finds the files it ships with (the skin bundles, the help file): next to the
// program in the build tree and on Windows, in ../share/qtm418 once installed, whatever the
// current folder.
#pragma once

#include <QString>

namespace platform {

// The data folder of a program that lies in `programFolder`: the program's own folder when the
// skin bundles lie there, else the installed share folder beside it.
QString dataFolderOf(const QString& programFolder);

// The data folder of this program.
QString dataFolder();

} // namespace platform
