#include "keycodedialog.h"

#include "keytexts.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* value(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

KeyCodeDialog::KeyCodeDialog(const device::KeyReport& key, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("keyCodeDialog"));
    setWindowTitle(tr("查看编码"));
    if (const auto exported = device::exportedKey(key))
        pronto_ = QString::fromStdString(codes::prontoHex(*exported));
    auto* form = new QFormLayout;
    form->addRow(
        tr("按键："),
        value(tr("%1（%2）").arg(QString::fromStdString(key.label), QString::fromStdString(key.keyNumber)),
              this));
    form->addRow(tr("状态："), value(keytexts::stateText(key), this));
    form->addRow(tr("编码："), value(keytexts::codeText(key), this));
    if (key.code)
        form->addRow(tr("发送："), value(keytexts::sendsText(key), this));
    if (const QString durations = keytexts::durationsText(key); !durations.isEmpty()) {
        auto* timings = new QPlainTextEdit(durations, this);
        timings->setObjectName(QStringLiteral("durations"));
        timings->setReadOnly(true);
        timings->setMaximumHeight(90);
        form->addRow(tr("时长（微秒）："), timings);
    }
    auto* buttons = new QDialogButtonBox(this);
    copy_ = buttons->addButton(tr("复制(&C)"), QDialogButtonBox::ActionRole);
    copy_->setToolTip(tr("复制该按键的 Pronto 编码"));
    copy_->setEnabled(!pronto_.isEmpty());
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    connect(copy_, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(pronto_); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}
