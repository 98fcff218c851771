// A short list shown with OK and Cancel: one item to choose (a button of a code file, a side of
// the remote), or lines to look over before going on (the keys a code file will fill).
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

class ListDialog : public QDialog {
    Q_OBJECT
public:
    enum class Use { Choose, Confirm };

    ListDialog(const QString& title, const QString& intro, const QStringList& items, Use use,
               QWidget* parent = nullptr);

    // The row chosen; -1 when none is.
    int chosen() const;
    QListWidget* list() const { return list_; }

private:
    QListWidget* list_ = nullptr;
};
