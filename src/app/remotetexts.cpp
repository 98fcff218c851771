#include "remotetexts.h"

#include <QCoreApplication>

namespace remotetexts {

namespace {

using bridge::MakerFile;
using bridge::Refusal;

// The context these texts are translated in; lupdate files them under it.
class RemoteTexts {
    Q_DECLARE_TR_FUNCTIONS(RemoteTexts)
};

QString pathText(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

QString fileText(const bridge::MakerProblem& p) {
    const QString path = pathText(p.path);
    switch (p.file) {
    case MakerFile::DeviceLibrary:
        return RemoteTexts::tr("厂家的设备库 %1").arg(path);
    case MakerFile::Converter:
        return RemoteTexts::tr("厂家的编码转换库 %1").arg(path);
    case MakerFile::Host:
        break;
    }
    return RemoteTexts::tr("32位主机程序 %1").arg(path);
}

} // namespace

QString remoteInUse(const bridge::RemoteInUse& remote) {
    if (!remote.maker)
        return RemoteTexts::tr("配置的是虚拟遥控器");
    return RemoteTexts::tr("通过厂家的设备库配置真实的遥控器（%1）").arg(pathText(remote.folder));
}

QString makerProblem(const bridge::MakerProblem& p) {
    const QString file = fileText(p);
    const QString detail = QString::fromStdString(p.detail);
    const QString limit = QString::number(bridge::kCallLimitSeconds);
    switch (p.reason) {
    case Refusal::Missing:
        if (p.file == MakerFile::Host)
            return RemoteTexts::tr("%1 不存在，请重新安装本软件。").arg(file);
        return RemoteTexts::tr("%1 不存在：厂家的 kestrio.dll 和 ConLCode.dll 必须一起使用。").arg(file);
    case Refusal::NotALibrary:
        return RemoteTexts::tr("%1 不是 Windows 的库文件，可能已损坏。").arg(file);
    case Refusal::Needs32Bit:
        return RemoteTexts::tr("%1 是64位的库，需要厂家的32位库。").arg(file);
    case Refusal::OtherMachine:
        return RemoteTexts::tr("%1 是其他处理器的库，需要厂家的32位（x86）库。").arg(file);
    case Refusal::CannotLoad:
        return RemoteTexts::tr("%1 无法加载（错误 %2）。").arg(file, detail);
    case Refusal::ExportMissing:
        return RemoteTexts::tr("%1 缺少函数 %2，不是该遥控器的库。").arg(file, detail);
    case Refusal::LoadDoesNotReturn:
        return RemoteTexts::tr("%1 在 %2 秒内没有加载完成。").arg(file, limit);
    case Refusal::OtherVersion:
        return RemoteTexts::tr("%1 的版本不符，请重新安装本软件。").arg(file);
    case Refusal::CannotStart:
        return RemoteTexts::tr("%1 无法启动：%2").arg(file, detail);
    case Refusal::ChannelBroken:
        return RemoteTexts::tr("%1 停止了应答（%2）。").arg(file, detail);
    case Refusal::WritesPastBuffer:
        return RemoteTexts::tr("%1 调用 %2 时写出了缓冲区，该调用已被拒绝。").arg(file, detail);
    case Refusal::CallDoesNotReturn:
        return RemoteTexts::tr("%1 的 %2 在 %3 秒内没有返回，在重新启动本软件之前遥控器视为已断开。")
            .arg(file, detail, limit);
    case Refusal::Crashed:
        return RemoteTexts::tr("%1 在 %2 中崩溃，在重新启动本软件之前遥控器视为已断开。").arg(file, detail);
    }
    return file;
}

QString choiceIntro(const bridge::RemoteInUse& remote, bridge::PendingChoice pending) {
    QString next = RemoteTexts::tr("所作的选择在下次启动本软件时生效。");
    if (pending == bridge::PendingChoice::Maker)
        next = RemoteTexts::tr("下次启动本软件时将使用新选择的厂家设备库。");
    else if (pending == bridge::PendingChoice::Virtual)
        next = RemoteTexts::tr("下次启动本软件时将改回虚拟遥控器。");
    return RemoteTexts::tr("现在%1。%2").arg(remoteInUse(remote), next);
}

QString useMakerItem() {
    return RemoteTexts::tr("使用遥控器厂家的设备库（选择 kestrio.dll 和 ConLCode.dll 所在的文件夹）");
}

QString useVirtualItem() { return RemoteTexts::tr("改回虚拟遥控器"); }

QString chooseFolderTitle() { return RemoteTexts::tr("选择厂家的 kestrio.dll 和 ConLCode.dll 所在的文件夹"); }

QString choiceMade(bridge::PendingChoice made) {
    if (made == bridge::PendingChoice::Virtual)
        return RemoteTexts::tr("下次启动本软件时将改回虚拟遥控器。");
    return RemoteTexts::tr("厂家的设备库已复制。下次启动本软件时，将通过它配置真实的遥控器。");
}

QString alreadyVirtual() { return RemoteTexts::tr("配置的已经是虚拟遥控器。"); }

QString choiceProblem(const bridge::ChoiceProblem& problem) {
    switch (problem.kind) {
    case bridge::ChoiceProblem::Kind::Files:
        if (problem.files)
            return makerProblem(*problem.files);
        break;
    case bridge::ChoiceProblem::Kind::Installed:
        return RemoteTexts::tr("正在使用的厂家设备库是安装程序放在 %1 中的，请重新运行安装程序来更改。")
            .arg(pathText(problem.path));
    case bridge::ChoiceProblem::Kind::Writing:
        break;
    }
    return RemoteTexts::tr("无法写入 %1：%2")
        .arg(pathText(problem.path), QString::fromStdString(problem.systemError));
}

} // namespace remotetexts
