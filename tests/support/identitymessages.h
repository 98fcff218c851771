// The identification messages as the user reads them, for the checks on text and on a remote.
#pragma once

#include "model/identitycheck.h"

#include <string>

namespace testsupport {

inline const std::string kSite = model::kMakerWebSite;
inline const std::string kUnsupported =
    "自学习软件不支持改遥控器，请到" + kSite + "网站下载最新的该款自学习软件！";
inline const std::string kOldFirmwareModel =
    "遥控器固件程序版本比较低，请到" + kSite + "网站下载最新的固件程序版本！";
inline const std::string kSoftwareOld = "自学习软件版本比较低，请到" + kSite + "下载最新的该款自学习软件！";
inline const std::string kFirmwareOldMajor =
    "遥控器固件程序版本比较低，请到" + kSite + "下载最新的固件程序版本！";
inline const std::string kFirmwareOldMinor =
    "遥控器固件版本比较低，请到" + kSite + "下载最新的固件程序版本！";

} // namespace testsupport
