#include "fixedpaths.h"

#include <QDir>
#include <QTemporaryFile>

namespace platform {

namespace {
QString overrideFolder;
}

QString firstWritableFolder(const QStringList& folders) {
    for (const QString& folder : folders) {
        QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("qtm418-XXXXXX.probe")));
        if (probe.open())
            return folder;
    }
    return folders.isEmpty() ? QString() : folders.last();
}

QString fixedFilePath(const QString& name) {
    if (!overrideFolder.isEmpty())
        return QDir(overrideFolder).filePath(name);
#ifdef Q_OS_WIN
    // Without the right to make files in C:\ the animation would never play and a capture's
    // diagnostic would be lost; the temporary folder keeps both.
    static const QString folder = firstWritableFolder({QStringLiteral("c:\\"), QDir::tempPath()});
    return QDir::toNativeSeparators(QDir(folder).filePath(name));
#else
    return QDir(QDir::tempPath()).filePath(name);
#endif
}

void setFixedFileFolder(const QString& folder) { overrideFolder = folder; }

} // namespace platform
