// Answers the program's dialogs from a script and records the title of every dialog shown: a
// file chosen by name, or a dialog handed to the test to work with its own widgets.
#pragma once

#include "platform/dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

namespace testsupport {

class ScriptedDialogs final : public platform::Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // The next file dialog answers `file` (empty: cancelled), with name filter `filter` chosen
    // when one is given.
    void expectFile(const QString& file, const QString& filter = {});
    // The next other dialog is handed to `answer`, which returns QDialog::Accepted or Rejected.
    void expectDialog(std::function<int(QDialog&)> answer);
    // The next other dialog is accepted as it is shown.
    void expectAccepted();

    // Drops the answers no dialog took (a run that ended sooner than scripted).
    void dropAnswers() {
        files_.clear();
        dialogs_.clear();
    }

    int exec(QDialog& dialog) override;
    QString chooseFile(QFileDialog& dialog) override;

    const QStringList& titles() const { return titles_; }
    // The file a file dialog offered first (a save dialog's suggested name, with its folder).
    const QString& offeredFile() const { return offered_; }
    int unexpected() const { return unexpected_; }
    std::size_t pendingAnswers() const { return files_.size() + dialogs_.size(); }

private:
    struct FileAnswer {
        QString file;
        QString filter;
    };
    std::deque<FileAnswer> files_;
    std::deque<std::function<int(QDialog&)>> dialogs_;
    QStringList titles_;
    QString offered_;
    int unexpected_ = 0;
};

} // namespace testsupport
