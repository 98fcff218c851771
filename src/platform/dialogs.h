// The one way the program shows its dialogs (a file to choose, a list to pick from, a key's
// code): the real modal ones, or a scripted answerer a test installs, as for message boxes.
#pragma once

#include <QString>

class QDialog;
class QFileDialog;

namespace platform {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Runs `dialog` modally; QDialog::Accepted or QDialog::Rejected.
    virtual int exec(QDialog& dialog) = 0;
    // The file chosen in `dialog` (its name filter chosen as well); empty when cancelled.
    virtual QString chooseFile(QFileDialog& dialog) = 0;
};

// The dialogs in use: the real modal ones unless a test installed its own.
Dialogs& dialogs();
// Installs `scripted` (not owned); nullptr restores the real ones.
void setDialogs(Dialogs* scripted);

} // namespace platform
