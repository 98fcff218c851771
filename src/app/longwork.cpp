#include "longwork.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>

#include <memory>

void runWithProgress(QWidget* parent, const QString& title,
                     const std::function<void(const ProgressNote&)>& work) {
    QProgressDialog dialog(title, QString(), 0, 100, parent);
    dialog.setWindowTitle(title);
    dialog.setMinimumWidth(360);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(300);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setValue(0);
    // The dialog outlives the thread; a note still queued when it closes goes with it.
    QProgressDialog* shown = &dialog;
    const ProgressNote note = [shown](const QString& what, std::size_t done, std::size_t total) {
        const int percent = total ? static_cast<int>(100 * done / total) : 100;
        QMetaObject::invokeMethod(
            shown,
            [shown, what, percent] {
                shown->setLabelText(what);
                shown->setValue(percent);
            },
            Qt::QueuedConnection);
    };
    std::unique_ptr<QThread> thread(QThread::create([&work, &note] { work(note); }));
    QEventLoop loop;
    // Queued, so a thread that ends before the loop runs still ends it.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    // Input to the window is held by the modal dialog; everything else goes on.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
}
