#include "keytexts.h"

#include "ir/frames.h"

#include <QCoreApplication>
#include <QStringList>

namespace keytexts {

namespace {

// The context these texts are translated in; lupdate files them under it.
class KeyTexts {
    Q_DECLARE_TR_FUNCTIONS(KeyTexts)
};

// The key names with Chinese words in them, as the keypad's layout table writes them.
// clang-format off
constexpr const char* kChineseKeyPaths[] = {
    QT_TRANSLATE_NOOP("KeyNames", "TV/静音"),   QT_TRANSLATE_NOOP("KeyNames", "TV/菜单"),
    QT_TRANSLATE_NOOP("KeyNames", "TV/音量+"),  QT_TRANSLATE_NOOP("KeyNames", "TV/确认"),
    QT_TRANSLATE_NOOP("KeyNames", "TV/音量-"),  QT_TRANSLATE_NOOP("KeyNames", "TV/后退"),
    QT_TRANSLATE_NOOP("KeyNames", "TV/退出"),   QT_TRANSLATE_NOOP("KeyNames", "CBL/声道"),
    QT_TRANSLATE_NOOP("KeyNames", "CBL/下页"),  QT_TRANSLATE_NOOP("KeyNames", "CBL/上页"),
    QT_TRANSLATE_NOOP("KeyNames", "CBL/指南"),  QT_TRANSLATE_NOOP("KeyNames", "CBL/退出"),
    QT_TRANSLATE_NOOP("KeyNames", "CBL/信息"),  QT_TRANSLATE_NOOP("KeyNames", "CBL/频道＋"),
    QT_TRANSLATE_NOOP("KeyNames", "CBL/后退"),  QT_TRANSLATE_NOOP("KeyNames", "CBL/节目表"),
    QT_TRANSLATE_NOOP("KeyNames", "CBL/频道－"), QT_TRANSLATE_NOOP("KeyNames", "CBL/音量+"),
    QT_TRANSLATE_NOOP("KeyNames", "CBL/静音"),  QT_TRANSLATE_NOOP("KeyNames", "CBL/音量-"),
    QT_TRANSLATE_NOOP("KeyNames", "CBL/交替"),  QT_TRANSLATE_NOOP("KeyNames", "CBL/收藏"),
};
// clang-format on

} // namespace

QString stateText(const device::KeyReport& key) {
    if (key.state == "learned")
        return KeyTexts::tr("已学习");
    if (key.state == "downloaded")
        return KeyTexts::tr("已下载");
    return KeyTexts::tr("没有编码");
}

QString sendsText(const device::KeyReport& key) {
    if (!key.code || !key.code->played)
        return KeyTexts::tr("无法识别的编码");
    if (const auto sends = device::protocolSends(key))
        return KeyTexts::tr("%1 地址 %2 命令 %3")
            .arg(QString::fromStdString(sends->protocol))
            .arg(sends->key.address)
            .arg(sends->key.command);
    return KeyTexts::tr("原始信号，载波 %1 Hz").arg(key.code->played->transmission.carrierHz);
}

QString keyTip(const device::KeyReport& key) {
    const QString name = QString::fromStdString(key.label);
    if (key.state == "empty")
        return KeyTexts::tr("%1 — 没有编码").arg(name);
    // A key whose code could not be read says only what its slot holds.
    if (!key.code)
        return KeyTexts::tr("%1 — %2").arg(name, stateText(key));
    return KeyTexts::tr("%1 — %2：%3").arg(name, stateText(key), sendsText(key));
}

QString codeText(const device::KeyReport& key) {
    if (!key.code)
        return key.state == "empty" ? KeyTexts::tr("没有编码") : KeyTexts::tr("无法读取");
    const device::StoredKey& code = *key.code;
    const QString identity = QString::fromStdString(code.identity);
    if (!code.entry)
        return KeyTexts::tr("预置编码 %1").arg(identity);
    QString text =
        KeyTexts::tr("已存储的编码 %1（条目 %2，%3 个存储块").arg(identity).arg(*code.entry).arg(code.blocks);
    if (!key.sharedWith.empty()) {
        QStringList shared;
        for (const std::string& number : key.sharedWith)
            shared << QString::fromStdString(number);
        text += KeyTexts::tr("，与 %1 共用").arg(shared.join(KeyTexts::tr("、")));
    }
    return text + KeyTexts::tr("）");
}

QString durationsText(const device::KeyReport& key) {
    if (!key.code || !key.code->played)
        return {};
    QStringList words;
    for (const int micros : ir::heldPress(key.code->played->transmission, 0))
        words << QString::number(micros);
    return words.join(QLatin1Char(' '));
}

QString pathText(const QString& path) {
    for (const char* chinese : kChineseKeyPaths)
        if (path == QString::fromUtf8(chinese))
            return QCoreApplication::translate("KeyNames", chinese);
    return path;
}

} // namespace keytexts
