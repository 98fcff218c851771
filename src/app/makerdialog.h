// The first step of setting a side up by the device's maker: the side, and the maker chosen from
// the library's makers of that side, found by typing part of the name.
#pragma once

#include "codes/librarysearch.h"

#include <QDialog>

#include <string>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class MakerDialog : public QDialog {
    Q_OBJECT
public:
    explicit MakerDialog(const codes::CodeLibrary& library, QWidget* parent = nullptr);

    std::string side() const;  // "tv" or "cbl"
    std::string maker() const; // the chosen maker's key; "" when none is chosen

    QLineEdit* searchBox() const { return search_; }
    QListWidget* list() const { return list_; }
    void chooseSide(const std::string& side);

private:
    void showMakers();

    std::vector<codes::LibraryMaker> tv_, cbl_; // the makers with sets to try, by side
    QButtonGroup* sides_ = nullptr;
    QLineEdit* search_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* none_ = nullptr;
    QPushButton* ok_ = nullptr;
};
