#include "makerdialog.h"

#include "codes/librarymakers.h"
#include "librarytexts.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

std::vector<codes::LibraryMaker> withSetsToTry(std::vector<codes::LibraryMaker> makers) {
    std::erase_if(makers, [](const codes::LibraryMaker& m) { return m.candidates == 0; });
    return makers;
}

// Part of a name typed matches a maker's shown name, or names the maker by another spelling.
bool matches(const codes::LibraryMaker& maker, const std::string& typed) {
    if (typed.empty())
        return true;
    return codes::foldedWords(maker.maker).find(codes::foldedWords(typed)) != std::string::npos ||
           maker.key == codes::makerKey(typed);
}

} // namespace

MakerDialog::MakerDialog(const codes::CodeLibrary& library, QWidget* parent)
    : QDialog(parent), tv_(withSetsToTry(library.makers("tv"))), cbl_(withSetsToTry(library.makers("cbl"))) {
    setObjectName(QStringLiteral("makerDialog"));
    setWindowTitle(tr("按品牌设置"));
    auto* intro = new QLabel(tr("要设置遥控器的哪一组按键？"), this);
    sides_ = new QButtonGroup(this);
    auto* sideRow = new QHBoxLayout;
    for (const char* side : {"tv", "cbl"}) {
        auto* button = new QRadioButton(librarytexts::sideName(side), this);
        button->setObjectName(QStringLiteral("side_%1").arg(QLatin1String(side)));
        sides_->addButton(button);
        sideRow->addWidget(button);
    }
    sideRow->addStretch();
    sides_->buttons().front()->setChecked(true);
    auto* makerLabel = new QLabel(tr("品牌："), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("makerSearch"));
    search_->setPlaceholderText(tr("输入品牌名称查找"));
    search_->setClearButtonEnabled(true);
    makerLabel->setBuddy(search_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("makerList"));
    none_ = new QLabel(this);
    none_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(sides_, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
        if (on)
            showMakers();
    });
    connect(search_, &QLineEdit::textChanged, this, &MakerDialog::showMakers);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { ok_->setEnabled(row >= 0); });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(sideRow);
    layout->addWidget(makerLabel);
    layout->addWidget(search_);
    layout->addWidget(list_);
    layout->addWidget(none_);
    layout->addWidget(buttons);
    setMinimumWidth(420);
    showMakers();
}

void MakerDialog::chooseSide(const std::string& side) {
    sides_->buttons().at(side == "cbl" ? 1 : 0)->setChecked(true);
}

std::string MakerDialog::side() const { return sides_->buttons().at(1)->isChecked() ? "cbl" : "tv"; }

std::string MakerDialog::maker() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(Qt::UserRole).toString().toStdString() : std::string();
}

void MakerDialog::showMakers() {
    const std::vector<codes::LibraryMaker>& makers = side() == "cbl" ? cbl_ : tv_;
    const std::string typed = search_->text().toStdString();
    list_->clear();
    for (const codes::LibraryMaker& maker : makers) {
        if (!matches(maker, typed))
            continue;
        auto* item = new QListWidgetItem(tr("%1（%n 组）", nullptr, static_cast<int>(maker.candidates))
                                             .arg(QString::fromStdString(maker.maker)),
                                         list_);
        item->setData(Qt::UserRole, QString::fromStdString(maker.key));
    }
    list_->setCurrentRow(list_->count() > 0 ? 0 : -1);
    ok_->setEnabled(list_->count() > 0);
    const QString side = librarytexts::sideName(this->side());
    none_->setText(makers.empty()        ? tr("代码库中没有带电源键的%1代码。").arg(side)
                   : list_->count() == 0 ? tr("没有找到这个品牌的%1代码。").arg(side)
                                         : QString());
    none_->setVisible(!none_->text().isEmpty());
}
