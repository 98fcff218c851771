#include "threadexit.h"

#include <QDir>
#include <QThread>

namespace platform {

namespace {

// The number of threads the process runs, or 0 where the system does not say.
qsizetype threadCount() {
#if defined(Q_OS_LINUX)
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
#else
    return 0;
#endif
}

} // namespace

bool awaitOtherThreadsEnded(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const qsizetype count = threadCount();
        if (count <= 1)
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        QThread::msleep(1);
    }
}

} // namespace platform
