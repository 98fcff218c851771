#include "shell.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <utility>

#ifdef Q_OS_WIN
#include <QDir>

#include <windows.h>

#include <shellapi.h>
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
        report(done, shellOpen(path));
#else
        openWithDesktop(path, std::move(done));
#endif
    }

private:
#ifdef Q_OS_WIN
    // The shell's "open", as Explorer's double-click: a help file comes up in Windows' own help
    // viewer. ShellExecute answers a number above 32 when a program took the file.
    static OpenOutcome shellOpen(const QString& path) {
        const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
        const auto answer = reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", native.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (answer > 32)
            return OpenOutcome::Opened;
        return answer == ERROR_FILE_NOT_FOUND || answer == ERROR_PATH_NOT_FOUND ? OpenOutcome::Missing
                                                                                : OpenOutcome::NoProgram;
    }
#else
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
#endif
};

Shell* installedShell = nullptr;

} // namespace

Shell& shell() {
    static DesktopShell desktop;
    return installedShell ? *installedShell : desktop;
}

void setShell(Shell* replacement) { installedShell = replacement; }

} // namespace platform
