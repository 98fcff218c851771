#include "fixedpaths.h"

#include <QDir>

namespace platform {

namespace {
QString overrideFolder;
}

QString fixedFilePath(const QString& name) {
    if (!overrideFolder.isEmpty())
        return QDir(overrideFolder).filePath(name);
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\") + name;
#else
    return QDir(QDir::tempPath()).filePath(name);
#endif
}

void setFixedFileFolder(const QString& folder) { overrideFolder = folder; }

} // namespace platform
