// Long exchanges with the remote (a backup, a restore, a whole side learned) run off the
// user-interface thread behind a progress dialog, so the window never freezes and the link
// monitor's questions are still answered meanwhile.
#pragma once

#include <QString>

#include <atomic>
#include <cstddef>
#include <functional>

class QWidget;

// Tells the progress dialog how far the work has come; callable from the work's own thread.
using ProgressNote = std::function<void(const QString& what, std::size_t done, std::size_t total)>;

// Runs `work` on a thread of its own while a modal progress dialog over `parent` shows `title`;
// returns once the work is done. The user-interface thread keeps serving events meanwhile.
void runWithProgress(QWidget* parent, const QString& title,
                     const std::function<void(const ProgressNote&)>& work);

// What a cancellable work tells its dialog: the label, how far it has come (`total` 0 shows a busy
// bar) and whether Cancel may still be pressed; callable from the work's own thread.
using CancellableNote =
    std::function<void(const QString& what, std::size_t done, std::size_t total, bool mayCancel)>;

// Runs `work` on a thread of its own behind a modal progress dialog with a Cancel button, shown at
// once; Cancel (or closing the dialog) sets `cancelled`, which the work watches to stop soon after.
// Returns once the work is done.
void runCancellable(
    QWidget* parent, const QString& title,
    const std::function<void(const CancellableNote&, const std::atomic<bool>& cancelled)>& work);
