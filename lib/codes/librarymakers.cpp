#include "librarymakers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace codes {

namespace {

struct KnownMaker {
    std::string_view shown;
    // Folded spellings that mean this maker, "|"-separated, the folded shown name among them.
    std::string_view spellings;
};

// clang-format off
constexpr std::array kKnownMakers{
    KnownMaker{"LG",        "lg|lgelectronics|lge|goldstar|乐金"},
    KnownMaker{"Samsung",   "samsung|samsungelectronics|三星"},
    KnownMaker{"Sony",      "sony|sonycorporation|索尼"},
    KnownMaker{"Philips",   "philips|royalphilips|philipsmagnavox|飞利浦"},
    KnownMaker{"Panasonic", "panasonic|matsushita|national|松下"},
    KnownMaker{"Sharp",     "sharp|sharpcorporation|夏普"},
    KnownMaker{"Toshiba",   "toshiba|东芝"},
    KnownMaker{"Hisense",   "hisense|hisence|vidaa|海信"},
    KnownMaker{"TCL",       "tcl|tclelectronics|tcltv|王牌"},
    KnownMaker{"Xiaomi",    "xiaomi|mi|mitv|mibox|redmi|小米"},
    KnownMaker{"Skyworth",  "skyworth|coocaa|酷开|创维"},
    KnownMaker{"Changhong", "changhong|长虹"},
    KnownMaker{"Haier",     "haier|海尔"},
    KnownMaker{"Konka",     "konka|康佳"},
    KnownMaker{"Huawei",    "huawei|华为"},
    KnownMaker{"Vizio",     "vizio"},
    KnownMaker{"JVC",       "jvc|jvckenwood"},
    KnownMaker{"Hitachi",   "hitachi|日立"},
    KnownMaker{"Funai",     "funai|船井"},
};

// Folded words a device type's name contains, by the side it is for.
// SmartIR's media players are mostly TVs. A security camera's recorder (CCTV) is neither side's.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kSideWords{{
    {"tv", "tv|television|monitor|projector|beamer|mediaplayer|电视|显示器|投影"},
    {"cbl", "cable|satellite|iptv|dvb|settop|stb|decoder|streaming|box|机顶盒|卫星|网络盒"},
}};
constexpr std::string_view kNeitherSide = "cctv|camera";

// The folders the collections sort their files by device: Flipper-IRDB's, IRDB's, SmartIR's.
constexpr std::string_view kDeviceTypeFolders =
    "tvs|tv|monitors|projectors|dvbt|dvbs|cableboxes|cable|satellite|sat|iptv|settopboxes|"
    "streamingdevices|streaming|acs|airpurifiers|audioandvideoreceivers|cctv|cdplayers|"
    "carmultimedia|dvdplayers|bluray|fans|headunits|heaters|ledlighting|miscellaneous|soundbars|"
    "speakers|toys|vcr|cameras|consoles|digitalsigns|whiteboards|climate|fan|light|mediaplayer|"
    "amplifier|dvd|laserdisc";
// clang-format on

bool listed(std::string_view list, std::string_view word) {
    while (!list.empty()) {
        const auto bar = list.find('|');
        if (list.substr(0, bar) == word)
            return true;
        if (bar == std::string_view::npos)
            break;
        list.remove_prefix(bar + 1);
    }
    return false;
}

const KnownMaker* knownMaker(std::string_view folded) {
    const auto it = std::find_if(kKnownMakers.begin(), kKnownMakers.end(),
                                 [&](const KnownMaker& m) { return listed(m.spellings, folded); });
    return it == kKnownMakers.end() ? nullptr : &*it;
}

bool containsListed(std::string_view list, std::string_view folded) {
    while (!list.empty()) {
        const auto bar = list.find('|');
        if (folded.find(list.substr(0, bar)) != std::string_view::npos)
            return true;
        if (bar == std::string_view::npos)
            break;
        list.remove_prefix(bar + 1);
    }
    return false;
}

} // namespace

std::string foldedWords(std::string_view text) {
    std::string folded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80)
            folded += c;
        else if (std::isalnum(byte))
            folded += static_cast<char>(std::tolower(byte));
    }
    return folded;
}

std::string makerKey(std::string_view maker) {
    const std::string folded = foldedWords(maker);
    if (const KnownMaker* known = knownMaker(folded))
        return foldedWords(known->shown);
    return folded;
}

std::string makerDisplayName(std::string_view maker) {
    if (const KnownMaker* known = knownMaker(foldedWords(maker)))
        return std::string(known->shown);
    const auto first = maker.find_first_not_of(" \t_");
    const auto last = maker.find_last_not_of(" \t_");
    if (first == std::string_view::npos)
        return {};
    std::string shown(maker.substr(first, last - first + 1));
    std::replace(shown.begin(), shown.end(), '_', ' ');
    return shown;
}

std::string sideOfDeviceType(std::string_view deviceType) {
    const std::string folded = foldedWords(deviceType);
    if (folded.empty() || containsListed(kNeitherSide, folded))
        return {};
    // "TV box" and "IPTV" are boxes: the box words are looked for first.
    for (const auto side : {1, 0})
        if (containsListed(kSideWords[static_cast<std::size_t>(side)].second, folded))
            return std::string(kSideWords[static_cast<std::size_t>(side)].first);
    return {};
}

bool isDeviceTypeFolder(std::string_view folder) { return listed(kDeviceTypeFolders, foldedWords(folder)); }

} // namespace codes
