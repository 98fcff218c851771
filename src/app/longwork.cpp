#include "longwork.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>

#include <algorithm>
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

void runCancellable(
    QWidget* parent, const QString& title,
    const std::function<void(const CancellableNote&, const std::atomic<bool>& cancelled)>& work) {
    QProgressDialog dialog(title, QCoreApplication::translate("runCancellable", "取消"), 0, 0, parent);
    dialog.setObjectName(QStringLiteral("cancellableProgress"));
    dialog.setWindowTitle(title);
    dialog.setMinimumWidth(420);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    auto* cancel = new QPushButton(QCoreApplication::translate("runCancellable", "取消"), &dialog);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    dialog.setCancelButton(cancel);
    std::atomic<bool> cancelled{false};
    // Cancel only asks: the dialog stays until the work has stopped and put things back.
    QObject::disconnect(&dialog, SIGNAL(canceled()), &dialog, SLOT(cancel()));
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&dialog, &cancelled, cancel] {
        cancelled.store(true);
        cancel->setEnabled(false);
        dialog.setLabelText(QCoreApplication::translate("runCancellable", "正在取消…"));
    });
    QProgressDialog* shown = &dialog;
    const CancellableNote note = [shown, cancel, &cancelled](const QString& what, std::size_t done,
                                                             std::size_t total, bool mayCancel) {
        const int permille = total ? static_cast<int>(1000.0 * static_cast<double>(std::min(done, total)) /
                                                      static_cast<double>(total))
                                   : -1;
        QMetaObject::invokeMethod(
            shown,
            [shown, cancel, &cancelled, what, permille, mayCancel] {
                if (cancelled.load())
                    return;
                shown->setLabelText(what);
                shown->setRange(0, permille < 0 ? 0 : 1000);
                shown->setValue(permille < 0 ? 0 : permille);
                cancel->setEnabled(mayCancel);
            },
            Qt::QueuedConnection);
    };
    dialog.show();
    std::unique_ptr<QThread> thread(QThread::create([&work, &note, &cancelled] { work(note, cancelled); }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    // The modal dialog takes the input; its Cancel button must be reachable.
    loop.exec();
    thread->wait();
}
