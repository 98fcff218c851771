#include "identitycheck.h"

#include "devicemessages.h"
#include "hextext.h"
#include "wire.h"

namespace model {

namespace {

// Every field read below ends with the model code; a shorter text was no complete read.
constexpr std::size_t kMinimumBasicInformation = 2 * (wire::kModelOffset + 2);
constexpr unsigned kSupportedMajor = 1;
constexpr unsigned kSupportedMinor = 3;

std::string site() { return kMakerWebSite; }

std::string unsupportedRemote() {
    return "自学习软件不支持改遥控器，请到" + site() + "网站下载最新的该款自学习软件！";
}
std::string softwareTooOld() { return "自学习软件版本比较低，请到" + site() + "下载最新的该款自学习软件！"; }

Identification refuse(Identification id, std::string text) {
    id.outcome = IdentifyOutcome::Refused;
    id.notice = Notice{MessageStyle::Plain, std::move(text)};
    return id;
}

} // namespace

std::optional<Notice> checkVersionText(const std::string& versionText) {
    const std::string code = versionText.substr(0, 4);
    if (code == "1020") // digits only, so letter case cannot matter
        return std::nullopt;
    return Notice{MessageStyle::Plain, unsupportedRemote()};
}

Identification checkBasicInformation(const std::string& info) {
    Identification id;
    if (info.size() < kMinimumBasicInformation) {
        id.outcome = IdentifyOutcome::NoBasicInformation;
        id.notice = Notice{MessageStyle::Boxed, kNoRemoteMessage};
        return id;
    }
    id.identity = info.substr(0, 30);
    id.showFirmwareVersion = true;

    const std::string modelCode = info.substr(2 * wire::kModelOffset, 4);
    const std::string majorText = info.substr(2 * wire::kVersionMajorOffset, 2);
    const std::string minorText = info.substr(2 * wire::kVersionMinorOffset, 2);
    const auto major = parseHex(majorText);
    const auto minor = parseHex(minorText);
    if (!major || !minor) {
        // The firmware answered something that is no version number: say so instead of guessing.
        id.outcome = IdentifyOutcome::UnreadableVersion;
        id.notice =
            Notice{MessageStyle::Boxed, "无法识别遥控器的版本号（" + printableBytes(majorText + minorText) +
                                            "），请重新插拔USB连接线后再启动自学习软件！"};
        return id;
    }
    if (modelCode == "8888")
        return refuse(id, "遥控器固件程序版本比较低，请到" + site() + "网站下载最新的固件程序版本！");
    if (modelCode != "100R")
        return refuse(id, unsupportedRemote());
    if (*major > kSupportedMajor)
        return refuse(id, softwareTooOld());
    if (*major < kSupportedMajor)
        return refuse(id, "遥控器固件程序版本比较低，请到" + site() + "下载最新的固件程序版本！");
    if (*minor > kSupportedMinor)
        return refuse(id, softwareTooOld());
    if (*minor < kSupportedMinor)
        return refuse(id, "遥控器固件版本比较低，请到" + site() + "下载最新的固件程序版本！");
    id.outcome = IdentifyOutcome::Accepted;
    return id;
}

} // namespace model
