#include "downloadtexts.h"
#include "coretext.h"

#include "librarytexts.h"

#include <QCoreApplication>

namespace downloadtexts {

namespace {

// The context these texts are translated in; lupdate files them under it.
class DownloadTexts {
    Q_DECLARE_TR_FUNCTIONS(DownloadTexts)
};

QString licenceText(codes::Licence licence) {
    switch (licence) {
    case codes::Licence::Cc0:
        return DownloadTexts::tr("CC0 1.0（可自由使用）");
    case codes::Licence::Mit:
        return DownloadTexts::tr("MIT（须保留版权声明）");
    case codes::Licence::Irdb:
        return DownloadTexts::tr("IRDB 自有许可（附有条件，下载前显示）");
    case codes::Licence::Unknown:
        break;
    }
    return DownloadTexts::tr("以其作者所说为准");
}

} // namespace

QString byteSize(std::uint64_t bytes) {
    if (bytes < 1024)
        return DownloadTexts::tr("%1 字节").arg(bytes);
    const char* units[] = {"KB", "MB", "GB"};
    double value = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    for (; value >= 1024 && unit + 1 < std::size(units); ++unit)
        value /= 1024;
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
}

QString collectionLine(const codes::Collection& collection, bool downloaded) {
    QString line = DownloadTexts::tr("%1 — 约 %2，许可：%3")
                       .arg(text(collection.name), byteSize(collection.approximateBytes),
                            licenceText(collection.licence));
    if (downloaded)
        line += DownloadTexts::tr("（已下载，将重新下载以更新）");
    return line;
}

QString consentQuestion(const codes::Collection& collection) {
    return DownloadTexts::tr(
               "%1 的许可附有条件：包含该数据库或通过网络访问该数据库的产品（软件或硬件）须\n"
               "1. 在使用前告知 irdb 项目（在 https://github.com/probonopd/irdb 提交报告）；\n"
               "2. 在产品中附上声明“Contains/accesses irdb by Simon Peter, used under permission. For "
               "details, see https://github.com/probonopd/irdb”；\n"
               "3. 应要求免费向 Simon Peter 提供最多三份产品。\n"
               "许可全文：https://github.com/probonopd/irdb/blob/master/LICENSE.md\n\n"
               "是否在这些条件下下载 %1？")
        .arg(text(collection.name));
}

QString progressText(const codes::Collection& collection, const codes::DownloadProgress& p) {
    const QString name = text(collection.name);
    switch (p.stage) {
    case codes::DownloadStage::Fetching: {
        const QString speed = byteSize(static_cast<std::uint64_t>(p.bytesPerSecond));
        if (p.total != 0)
            return DownloadTexts::tr("正在下载 %1：%2 / %3，%4/秒")
                .arg(name, byteSize(p.done), byteSize(p.total), speed);
        return DownloadTexts::tr("正在下载 %1：已收到 %2，%3/秒").arg(name, byteSize(p.done), speed);
    }
    case codes::DownloadStage::Unpacking:
        return DownloadTexts::tr("正在解压 %1：已解压 %n 个文件", nullptr, static_cast<int>(p.files))
            .arg(name);
    case codes::DownloadStage::Indexing:
        break;
    }
    return DownloadTexts::tr("正在把 %1 加入代码库…").arg(name);
}

QString problemText(const codes::DownloadProblem& p) {
    using codes::DownloadFault;
    const QString t = text(p.text);
    const QString o = text(p.other);
    switch (p.fault) {
    case DownloadFault::NotInThisBuild:
        return DownloadTexts::tr(
            "此版本不包含下载代码库的功能。请手动下载代码集合并解压，然后在“代码库”中添加其文件夹。");
    case DownloadFault::AddressRefused:
        return DownloadTexts::tr("“%1”不是可以下载的地址：地址必须以 https:// 开头。").arg(t);
    case DownloadFault::HostNotFound:
        return DownloadTexts::tr("找不到服务器 %1。请检查电脑是否已连接到互联网。").arg(t);
    case DownloadFault::NoConnection:
        return DownloadTexts::tr("无法连接到 %1：%2").arg(t, o);
    case DownloadFault::Stalled:
        return DownloadTexts::tr("服务器已有 %1 秒没有发送数据。").arg(p.number);
    case DownloadFault::SecureLinkFailed:
        return DownloadTexts::tr("与服务器的安全连接（TLS）失败：%1").arg(o);
    case DownloadFault::HttpStatus:
        if (p.number == 404)
            return DownloadTexts::tr("服务器上没有这个文件（404）：%1").arg(t);
        return DownloadTexts::tr("服务器的回答是 %1：%2").arg(p.number).arg(t);
    case DownloadFault::ConnectionCut:
        return DownloadTexts::tr("连接在收到 %1 后中断。").arg(byteSize(p.number));
    case DownloadFault::TransferFailed:
        return DownloadTexts::tr("下载失败：%1").arg(o);
    case DownloadFault::TooLarge:
        if (p.text == "archive")
            return DownloadTexts::tr("下载的文件超过 %1，不是代码集合。").arg(byteSize(p.limit));
        return DownloadTexts::tr("解压后的文件超过 %1，不是代码集合。").arg(byteSize(p.limit));
    case DownloadFault::DamagedArchive:
        return DownloadTexts::tr("下载的文件不是 zip 或 tar 压缩包，或者已损坏：%1").arg(o);
    case DownloadFault::EmptyArchive:
        return DownloadTexts::tr("下载的压缩包中没有文件。");
    case DownloadFault::EntryClimbsOut:
        return DownloadTexts::tr("压缩包中的“%1”会写到代码集合的文件夹之外，整个压缩包已被拒绝。").arg(t);
    case DownloadFault::LinkPointsOutside:
        return DownloadTexts::tr("压缩包中的链接“%1”指向代码集合的文件夹之外（%2），整个压缩包已被拒绝。")
            .arg(t, o);
    case DownloadFault::DiskFull:
        return DownloadTexts::tr("磁盘已满：无法写入 %1。").arg(t);
    case DownloadFault::CannotWrite:
        return DownloadTexts::tr("无法写入 %1：%2").arg(t, o);
    case DownloadFault::Cancelled:
        break;
    }
    return DownloadTexts::tr("已取消。");
}

QString outcomeText(const codes::Collection& collection,
                    const std::variant<codes::Downloaded, codes::DownloadProblem>& outcome) {
    const QString name = text(collection.name);
    if (const auto* problem = std::get_if<codes::DownloadProblem>(&outcome)) {
        if (problem->fault == codes::DownloadFault::Cancelled)
            return DownloadTexts::tr("已取消下载 %1，代码库保持原样。").arg(name);
        if (problem->fault == codes::DownloadFault::NotInThisBuild)
            return problemText(*problem);
        return DownloadTexts::tr("无法下载 %1：%2\n代码库保持原样。").arg(name, problemText(*problem));
    }
    const codes::Downloaded& done = std::get<codes::Downloaded>(outcome);
    const QString folder = librarytexts::pathText(done.folder);
    if (!done.indexProblem.empty())
        return DownloadTexts::tr("%1 已下载到 %2，但无法更新代码库的索引：%3")
            .arg(name, folder, text(done.indexProblem));
    const QString said = done.replaced ? DownloadTexts::tr("已更新 %1（%2，用时 %3 秒），保存在 %4。")
                                       : DownloadTexts::tr("已下载 %1（%2，用时 %3 秒），保存在 %4。");
    return said.arg(name, byteSize(done.bytes), QString::number(done.seconds, 'f', 1), folder) +
           QLatin1Char('\n') +
           DownloadTexts::tr("代码库中加入了其中的 %n 组代码。", nullptr, static_cast<int>(done.sets));
}

} // namespace downloadtexts
