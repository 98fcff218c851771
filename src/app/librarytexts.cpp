#include "librarytexts.h"

#include "codes/ownerslibrary.h"

#include <QCoreApplication>

namespace librarytexts {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("librarytexts", text); }

} // namespace

QString whereToGetCodes() {
    const auto own = codes::standardLibraryFolders().back();
    return tr("代码库中还没有代码文件。\n"
              "可以从 Flipper-IRDB、IRDB、SmartIR 或 LIRC 等遥控器代码集合下载代码文件"
              "（.ir、.json、.csv、lircd.conf 等），放到一个文件夹中，然后在窗口菜单的“代码库”中"
              "点击“添加文件夹”；放到 %1 文件夹中的代码文件也会自动加入代码库。")
        .arg(pathText(own));
}

QString setTitle(const codes::CodeSet& set) {
    QString title = QString::fromStdString(set.maker.empty() ? std::string("?") : set.maker);
    if (!set.model.empty())
        title += QLatin1Char(' ') + QString::fromStdString(set.model);
    QString file = pathText(std::filesystem::path(set.file).filename());
    if (!set.remote.empty())
        file += QStringLiteral(" / ") + QString::fromStdString(set.remote);
    return tr("%1（%2）").arg(title, file);
}

QString pathText(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

QString sideName(const std::string& side) { return side == "cbl" ? tr("机顶盒") : tr("电视"); }

QString keyQuestion(const std::string& side, const QString& keyPath) {
    // The device is named in the question, so the key's side is not.
    const QString name = keyPath.section(QLatin1Char('/'), 1).trimmed();
    return side == "cbl" ? tr("请按一下%1键。机顶盒有反应吗？").arg(name)
                         : tr("请按一下%1键。电视有反应吗？").arg(name);
}

} // namespace librarytexts
