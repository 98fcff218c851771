// The program's few fixed files (the learning animation, the capture diagnostic). On Windows they
// sit at the root of drive C as they always have, or in the user's temporary folder where C:\ may
// not be written (a standard account's); elsewhere in the user's temporary folder.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Full path of the fixed file `name` ("888.swf", "123.txt").
QString fixedFilePath(const QString& name);
// Tests keep the fixed files in a folder of their own; an empty folder restores the default.
void setFixedFileFolder(const QString& folder);
// The first of `folders` in which a new file can be made; the last one when none can.
QString firstWritableFolder(const QStringList& folders);

} // namespace platform
