#include "listdialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

ListDialog::ListDialog(const QString& title, const QString& intro, const QStringList& items, Use use,
                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("listDialog"));
    setWindowTitle(title);
    auto* label = new QLabel(intro, this);
    label->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->addItems(items);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    if (use == Use::Choose) {
        list_->setCurrentRow(0);
        // A double-click chooses, as in every list of choices.
        connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    } else {
        list_->setSelectionMode(QAbstractItemView::NoSelection);
        list_->setFocusPolicy(Qt::NoFocus);
    }
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    // As tall as its items, up to a dozen; a longer list scrolls.
    const int rows = std::clamp(static_cast<int>(items.size()), 3, 12);
    list_->setMinimumHeight(rows * list_->sizeHintForRow(0) + 2 * list_->frameWidth() + 4);
    // As wide as its longest item, so none is cut, within most of the screen.
    const int widest = list_->sizeHintForColumn(0) + 2 * list_->frameWidth() +
                       list_->verticalScrollBar()->sizeHint().width() + 2 * layout->contentsMargins().left();
    const QScreen* shown = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int most = shown ? shown->availableGeometry().width() * 9 / 10 : 800;
    setMinimumWidth(std::clamp(widest, 420, std::max(420, most)));
    resize(minimumSizeHint());
}

int ListDialog::chosen() const { return list_->currentRow(); }
