#include "setstepdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct StepAnswer {
    QString text;
    const char* objectName;
    int result; // QDialog::Rejected: the answer a dialog closed any other way gives
};

// The step in bold, the set tried, the question and the three answers, the second the default:
// Enter pressed without looking never answers that the device responded.
void layOutStep(QDialog& dialog, const QString& step, const QString& setTitle, const QString& question,
                const StepAnswer (&answers)[3]) {
    auto* stepLabel = new QLabel(step, &dialog);
    stepLabel->setObjectName(QStringLiteral("stepLabel"));
    stepLabel->setWordWrap(true);
    QFont bold = stepLabel->font();
    bold.setBold(true);
    stepLabel->setFont(bold);
    auto* set = new QLabel(setTitle, &dialog);
    set->setObjectName(QStringLiteral("setLabel"));
    set->setWordWrap(true);
    auto* asked = new QLabel(question, &dialog);
    asked->setObjectName(QStringLiteral("questionLabel"));
    asked->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(&dialog);
    const QDialogButtonBox::ButtonRole roles[] = {QDialogButtonBox::YesRole, QDialogButtonBox::NoRole,
                                                  QDialogButtonBox::RejectRole};
    for (int i = 0; i < 3; ++i) {
        QPushButton* button = buttons->addButton(answers[i].text, roles[i]);
        button->setObjectName(QString::fromLatin1(answers[i].objectName));
        button->setDefault(i == 1);
        const int result = answers[i].result;
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, result] { dialog.done(result); });
    }
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(stepLabel);
    layout->addWidget(set);
    layout->addSpacing(8);
    layout->addWidget(asked);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(460);
}

} // namespace

SetStepDialog::SetStepDialog(std::size_t number, std::size_t total, const std::string& side,
                             const QString& setTitle, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("setStepDialog"));
    setWindowTitle(tr("按品牌设置"));
    layOutStep(*this, tr("第 %1 组，共 %2 组").arg(number).arg(total), setTitle,
               side == "cbl" ? tr("请拿遥控器对准机顶盒，按一下电源键。机顶盒有反应吗？")
                             : tr("请拿遥控器对准电视，按一下电源键。电视有反应吗？"),
               {{tr("有反应(&Y)"), "respondedButton", Responded},
                {tr("没有反应，试下一组(&N)"), "nextButton", NextSet},
                {tr("停止(&S)"), "stopButton", Stop}});
}

KeyStepDialog::KeyStepDialog(std::size_t among, const QString& setTitle, const QString& question,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("keyStepDialog"));
    setWindowTitle(tr("按品牌设置"));
    layOutStep(*this,
               tr("有 %n 组代码发送这个电源编码，再试一个键来区分它们。", nullptr, static_cast<int>(among)),
               setTitle, question,
               {{tr("有反应(&Y)"), "respondedButton", Responded},
                {tr("没有反应(&N)"), "notRespondedButton", NotResponded},
                {tr("不再询问(&S)"), "enoughButton", Enough}});
}
