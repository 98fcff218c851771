#include "dialogs.h"

#include <QFileDialog>

namespace platform {

namespace {

class ModalDialogs final : public Dialogs {
public:
    int exec(QDialog& dialog) override { return dialog.exec(); }
    QString chooseFile(QFileDialog& dialog) override {
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles().value(0);
    }
};

Dialogs* installedDialogs = nullptr;

} // namespace

Dialogs& dialogs() {
    static ModalDialogs modal;
    return installedDialogs ? *installedDialogs : modal;
}

void setDialogs(Dialogs* scripted) { installedDialogs = scripted; }

} // namespace platform
