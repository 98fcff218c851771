#include "devicetexts.h"

#include "model/identitycheck.h"

#include <QCoreApplication>

namespace devicetexts {

namespace {

constexpr const char* kContext = "DeviceTexts";

// What stands for %1 in a text: nothing, the maker's web site, or characters the firmware sent.
enum class Fill { None, WebSite, Firmware };

struct Known {
    const char* source;
    Fill fill;
};

// Every text is written here as lib/model, src/device words it, so the Chinese stays exactly the
// same and lupdate files each one under "DeviceTexts".
// clang-format off
constexpr Known kKnown[] = {
    {QT_TRANSLATE_NOOP("DeviceTexts", "未检测到遥控器，请检查USB连接线"), Fill::None},
    {QT_TRANSLATE_NOOP("DeviceTexts", " 遥控器连接正常"), Fill::None},
    {QT_TRANSLATE_NOOP("DeviceTexts", " 遥控器连接断开"), Fill::None},
    {QT_TRANSLATE_NOOP("DeviceTexts", "自学习软件不支持改遥控器，请到%1网站下载最新的该款自学习软件！"), Fill::WebSite},
    {QT_TRANSLATE_NOOP("DeviceTexts", "自学习软件版本比较低，请到%1下载最新的该款自学习软件！"), Fill::WebSite},
    {QT_TRANSLATE_NOOP("DeviceTexts", "遥控器固件程序版本比较低，请到%1网站下载最新的固件程序版本！"), Fill::WebSite},
    {QT_TRANSLATE_NOOP("DeviceTexts", "遥控器固件程序版本比较低，请到%1下载最新的固件程序版本！"), Fill::WebSite},
    {QT_TRANSLATE_NOOP("DeviceTexts", "遥控器固件版本比较低，请到%1下载最新的固件程序版本！"), Fill::WebSite},
    {QT_TRANSLATE_NOOP("DeviceTexts", "无法识别遥控器的版本号（%1），请重新插拔USB连接线后再启动自学习软件！"), Fill::Firmware},
};
// clang-format on

} // namespace

QString translated(const QString& text) {
    const QString site = QString::fromUtf8(model::kMakerWebSite);
    for (const Known& known : kKnown) {
        const QString source = QString::fromUtf8(known.source);
        if (known.fill == Fill::None) {
            if (text == source)
                return QCoreApplication::translate(kContext, known.source);
            continue;
        }
        const qsizetype at = source.indexOf(QStringLiteral("%1"));
        const QString before = source.left(at);
        const QString after = source.mid(at + 2);
        if (text.size() < before.size() + after.size() || !text.startsWith(before) || !text.endsWith(after))
            continue;
        const QString filled = text.mid(before.size(), text.size() - before.size() - after.size());
        if (known.fill == Fill::WebSite && filled != site)
            continue;
        return QCoreApplication::translate(kContext, known.source).arg(filled);
    }
    return text;
}

QString translated(const std::string& text) { return translated(QString::fromStdString(text)); }

QString translated(const char* text) { return translated(QString::fromUtf8(text)); }

} // namespace devicetexts
