#include "datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

QString dataFolderOf(const QString& programFolder) {
    const QDir program(programFolder);
    // Any skin bundle tells the folder; the installed layout keeps them in share/qtm418.
    if (QFileInfo::exists(program.filePath(QStringLiteral("bn100C.rcc"))))
        return program.path();
    const QString installed = QDir::cleanPath(program.filePath(QStringLiteral("../share/qtm418")));
    return QFileInfo::exists(installed) ? installed : program.path();
}

QString dataFolder() { return dataFolderOf(QCoreApplication::applicationDirPath()); }

} // namespace platform
