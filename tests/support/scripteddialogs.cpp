#include "scripteddialogs.h"

#include <QDir>
#include <QFileDialog>

namespace testsupport {

ScriptedDialogs::ScriptedDialogs() { platform::setDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() { platform::setDialogs(nullptr); }

void ScriptedDialogs::expectFile(const QString& file, const QString& filter) {
    files_.push_back({file, filter});
}

void ScriptedDialogs::expectDialog(std::function<int(QDialog&)> answer) {
    dialogs_.push_back(std::move(answer));
}

void ScriptedDialogs::expectAccepted() {
    expectDialog([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
}

int ScriptedDialogs::exec(QDialog& dialog) {
    titles_ << dialog.windowTitle();
    if (dialogs_.empty()) {
        ++unexpected_;
        return QDialog::Rejected;
    }
    const auto answer = std::move(dialogs_.front());
    dialogs_.pop_front();
    return answer(dialog);
}

QString ScriptedDialogs::chooseFile(QFileDialog& dialog) {
    titles_ << dialog.windowTitle();
    offered_ = QDir(dialog.directory()).filePath(dialog.selectedFiles().value(0));
    if (files_.empty()) {
        ++unexpected_;
        return {};
    }
    const FileAnswer answer = files_.front();
    files_.pop_front();
    if (!answer.filter.isEmpty())
        dialog.selectNameFilter(answer.filter);
    return answer.file;
}

} // namespace testsupport
