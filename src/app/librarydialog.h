// The code library's folders as the owner keeps them: each with how many code sets it holds, one
// added or removed, and where to get code files while there are none.
#pragma once

#include "codes/ownerslibrary.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class LibraryDialog : public QDialog {
    Q_OBJECT
public:
    explicit LibraryDialog(QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QLabel* summary() const { return summary_; }
    // Adds the folder the owner chooses; removes the folder chosen in the list.
    void addFolder();
    void removeFolder();

private:
    // Reads the library again (indexing what changed) and shows it.
    void reload();

    codes::OwnersLibrary library_;
    QListWidget* list_ = nullptr;
    QLabel* intro_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* remove_ = nullptr;
};
