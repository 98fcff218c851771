#include "shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

namespace {

class DesktopShell final : public Shell {
public:
    bool open(const QString& file) override {
        // A bare name is looked for in the current folder, as the shell does.
        const QFileInfo info(file);
        if (!info.exists())
            return false;
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())))
            return true;
        // A desktop without file associations still has the help viewer the run script installs.
        return info.suffix().compare(QStringLiteral("chm"), Qt::CaseInsensitive) == 0 &&
               QProcess::startDetached(QStringLiteral("xchm"), {info.absoluteFilePath()});
    }
};

Shell* installed = nullptr;

} // namespace

Shell& shell() {
    static DesktopShell desktop;
    return installed ? *installed : desktop;
}

void setShell(Shell* replacement) { installed = replacement; }

} // namespace platform
