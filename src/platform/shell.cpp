#include "shell.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <utility>

#ifdef Q_OS_WIN
#include <QDesktopServices>
#include <QUrl>
#endif

namespace platform {

namespace {

void report(const Shell::Done& done, OpenOutcome outcome) {
    if (done)
        done(outcome);
}

class DesktopShell final : public Shell {
public:
    void open(const QString& file, Done done) override {
        // A bare name is looked for in the current folder, as the shell does.
        const QFileInfo info(file);
        if (!info.exists()) {
            report(done, OpenOutcome::Missing);
            return;
        }
        const QString path = info.absoluteFilePath();
#ifdef Q_OS_WIN
        report(done, QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? OpenOutcome::Opened
                                                                          : OpenOutcome::NoProgram);
#else
        openWithDesktop(path, std::move(done));
#endif
    }

private:
    // Only xdg-open's exit status tells whether the desktop had a program for the file, so it runs
    // attached and the outcome comes when it ends.
    static void openWithDesktop(const QString& path, Done done) {
        auto* opener = new QProcess(QCoreApplication::instance());
        opener->setProgram(QStringLiteral("xdg-open"));
        opener->setArguments({path});
        opener->setStandardInputFile(QProcess::nullDevice());
        opener->setProcessChannelMode(QProcess::ForwardedChannels);
        QObject::connect(opener, &QProcess::finished, opener,
                         [opener, path, done](int status, QProcess::ExitStatus exit) {
                             opener->deleteLater();
                             report(done, exit == QProcess::NormalExit && status == 0 ? OpenOutcome::Opened
                                                                                      : openWithViewer(path));
                         });
        // A program that never started never finishes either.
        QObject::connect(opener, &QProcess::errorOccurred, opener,
                         [opener, path, done](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart)
                                 return;
                             opener->deleteLater();
                             report(done, openWithViewer(path));
                         });
        opener->start();
    }

    // A desktop without file associations still has the help viewer the run script installs.
    static OpenOutcome openWithViewer(const QString& path) {
        const bool helpFile =
            QFileInfo(path).suffix().compare(QStringLiteral("chm"), Qt::CaseInsensitive) == 0;
        return helpFile && QProcess::startDetached(QStringLiteral("xchm"), {path}) ? OpenOutcome::Opened
                                                                                   : OpenOutcome::NoProgram;
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
