#include "toolkitsetup.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform {

void prepareToolkit() {
#ifdef Q_OS_WIN
    // With MinGW a thread's own storage is released before the destructors of its thread-local
    // objects run. The regular expressions' compiled-code stack is one of them: a thread that
    // matched one (the window's pictures are decoded on one, and image formats are told apart by
    // patterns) brought the program down as it ended. The interpreter does the same matching.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_REGEXP_JIT"))
        qputenv("QT_ENABLE_REGEXP_JIT", QByteArray("0"));
#endif
}

} // namespace platform
