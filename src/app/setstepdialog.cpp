#include "setstepdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SetStepDialog::SetStepDialog(std::size_t number, std::size_t total, const std::string& side,
                             const QString& setTitle, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("setStepDialog"));
    setWindowTitle(tr("按品牌设置"));
    auto* step = new QLabel(tr("第 %1 组，共 %2 组").arg(number).arg(total), this);
    step->setObjectName(QStringLiteral("stepLabel"));
    QFont bold = step->font();
    bold.setBold(true);
    step->setFont(bold);
    auto* set = new QLabel(setTitle, this);
    set->setObjectName(QStringLiteral("setLabel"));
    set->setWordWrap(true);
    auto* question = new QLabel(side == "cbl" ? tr("请拿遥控器对准机顶盒，按一下电源键。机顶盒有反应吗？")
                                              : tr("请拿遥控器对准电视，按一下电源键。电视有反应吗？"),
                                this);
    question->setObjectName(QStringLiteral("questionLabel"));
    question->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* yes = buttons->addButton(tr("有反应(&Y)"), QDialogButtonBox::YesRole);
    QPushButton* next = buttons->addButton(tr("没有反应，试下一组(&N)"), QDialogButtonBox::NoRole);
    QPushButton* stop = buttons->addButton(tr("停止(&S)"), QDialogButtonBox::RejectRole);
    yes->setObjectName(QStringLiteral("respondedButton"));
    next->setObjectName(QStringLiteral("nextButton"));
    stop->setObjectName(QStringLiteral("stopButton"));
    next->setDefault(true);
    connect(yes, &QPushButton::clicked, this, [this] { done(Responded); });
    connect(next, &QPushButton::clicked, this, [this] { done(NextSet); });
    connect(stop, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(step);
    layout->addWidget(set);
    layout->addSpacing(8);
    layout->addWidget(question);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}
