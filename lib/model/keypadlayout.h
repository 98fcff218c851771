// The fixed places of the main window's controls and of the 49 keys laid over the remote's body.
// Plain data, one row per control, in creation order, so it can be read against the window's
// description line by line; the window and the artwork generator both build from it.
#pragma once

#include <array>
#include <string_view>

namespace model {

struct Place {
    int left;
    int top;
    int width;
    int height;
};

struct Size {
    int width;
    int height;
};

// One key button of the keypad box: where it lies, the key number it carries in `Code`, the
// display name in `Path`, and the size of the key's picture.
struct KeyButtonRow {
    std::string_view name;
    Place place;
    std::string_view code;
    std::string_view path;
    Size picture;
};

// Later rows are stacked over earlier ones where they overlap.
// clang-format off
inline constexpr std::array<KeyButtonRow, 49> kKeyButtons{{
    {"IBtn1", {23, 40, 42, 36}, "00", "POWER/TV", {37, 34}},
    {"IBtn4", {135, 39, 38, 32}, "01", "POWER/CBL", {38, 34}},
    {"IBtn5", {24, 79, 31, 34}, "02", "TV/静音", {34, 32}},
    {"IBtn6", {62, 78, 30, 35}, "03", "TV/ TV/AV", {34, 32}},
    {"IBtn7", {99, 78, 38, 36}, "04", "TV/UP", {36, 32}},
    {"IBtn8", {141, 77, 31, 37}, "05", "TV/菜单", {36, 32}},
    {"IBtn9", {24, 112, 32, 33}, "06", "TV/音量+", {34, 35}},
    {"IBtn10", {63, 111, 31, 36}, "07", "TV/LEFT", {34, 35}},
    {"IBtn11", {99, 112, 33, 32}, "10", "TV/确认", {36, 35}},
    {"IBtn12", {141, 111, 32, 38}, "11", "TV/RIGHT", {36, 35}},
    {"IBtn13", {24, 147, 31, 31}, "12", "TV/音量-", {34, 32}},
    {"IBtn14", {63, 147, 30, 30}, "13", "TV/后退", {34, 32}},
    {"IBtn15", {99, 147, 33, 31}, "14", "TV/DOWN", {36, 32}},
    {"IBtn16", {141, 148, 30, 30}, "15", "TV/退出", {36, 32}},
    {"IBtn21", {63, 184, 35, 26}, "17", "CBL/F2", {34, 25}},
    {"IBtn22", {101, 186, 36, 24}, "20", "CBL/F3", {36, 25}},
    {"IBtn23", {137, 216, 37, 25}, "25", "CBL/声道", {36, 24}},
    {"IBtn24", {139, 187, 35, 23}, "21", "CBL/F4", {36, 25}},
    {"IBtn25", {24, 184, 34, 26}, "16", "CBL/F1", {34, 25}},
    {"IBtn28", {101, 216, 36, 25}, "24", "CBL/下页", {36, 24}},
    {"IBtn29", {64, 216, 34, 25}, "23", "CBL/上页", {34, 24}},
    {"IBtn30", {25, 254, 32, 34}, "26", "CBL/指南", {34, 32}},
    {"IBtn31", {78, 300, 43, 45}, "32", "CBL/OK", {43, 41}},
    {"IBtn32", {144, 357, 36, 31}, "36", "CBL/退出", {34, 33}},
    {"IBtn33", {25, 216, 35, 24}, "22", "CBL/信息", {34, 24}},
    {"IBtn35", {65, 264, 70, 35}, "27", "CBL/UP", {70, 29}},
    {"IBtn36", {131, 406, 46, 48}, "41", "CBL/频道＋", {48, 43}},
    {"IBtn37", {22, 358, 33, 31}, "34", "CBL/后退", {32, 33}},
    {"IBtn38", {66, 345, 72, 30}, "35", "CBL/DOWN", {70, 27}},
    {"IBtn39", {75, 416, 48, 29}, "40", "CBL/节目表", {50, 28}},
    {"IBtn40", {131, 449, 47, 45}, "44", "CBL/频道－", {48, 44}},
    {"IBtn41", {15, 408, 51, 49}, "37", "CBL/音量+", {48, 43}},
    {"IBtn44", {132, 503, 47, 34}, "47", "CBL/3", {48, 33}},
    {"IBtn45", {78, 585, 47, 37}, "54", "CBL/8", {50, 33}},
    {"IBtn46", {76, 456, 48, 27}, "43", "CBL/静音", {50, 27}},
    {"IBtn47", {15, 451, 50, 46}, "42", "CBL/音量-", {48, 44}},
    {"IBtn50", {132, 586, 49, 34}, "55", "CBL/9", {48, 33}},
    {"IBtn51", {21, 544, 52, 36}, "50", "CBL/4", {48, 33}},
    {"IBtn52", {76, 503, 50, 35}, "46", "CBL/2", {50, 33}},
    {"IBtn55", {23, 585, 46, 32}, "53", "CBL/7", {48, 33}},
    {"IBtn56", {77, 544, 49, 34}, "51", "CBL/5", {50, 33}},
    {"IBtn60", {133, 624, 47, 35}, "60", "CBL/交替", {48, 33}},
    {"IBtn61", {23, 623, 51, 33}, "56", "CBL/收藏", {48, 33}},
    {"IBtn63", {21, 504, 49, 35}, "45", "CBL/1", {48, 33}},
    {"IBtn64", {79, 624, 48, 33}, "57", "CBL/0", {50, 33}},
    {"IBtn67", {131, 546, 50, 34}, "52", "CBL/6", {48, 33}},
    {"IBtn49", {37, 290, 35, 63}, "31", "CBL/LEFT", {38, 58}},
    {"IBtn53", {126, 288, 30, 64}, "33", "CBL/RIGHT", {30, 58}},
    {"IBtn57", {141, 255, 37, 33}, "30", "CBL/MENU", {36, 32}},
}};
// clang-format on

// The keypad box and the remote's body that fills it.
inline constexpr Place kKeypadBox{146, 0, 197, 731};
inline constexpr Size kRemoteBodyPicture{213, 730};

// The window's client area and the size of its background picture.
inline constexpr Size kWindowSize{1028, 737};
inline constexpr Size kBackgroundPicture{1024, 734};

enum class ControlKind { Label, Image, ImageButton, ScrollBox, Memo, Animation, PushButton };

// A control of the window itself, in creation order. Windowless controls (labels, images, image
// buttons) are painted in this order; the windowed ones lie above all of them.
struct ControlRow {
    std::string_view name;
    ControlKind kind;
    Place place;
};

// clang-format off
inline constexpr std::array<ControlRow, 23> kWindowControls{{
    {"runstate_lab1", ControlKind::Label, {680, 426, 271, 16}},
    {"Image1", ControlKind::Image, {0, 0, 1028, 737}},
    {"Imagehint", ControlKind::Image, {472, 275, 413, 86}},
    {"beginstudyibtn", ControlKind::ImageButton, {432, 636, 137, 37}},
    {"helpibtn", ControlKind::ImageButton, {969, 90, 52, 43}},
    {"updateibtn", ControlKind::ImageButton, {969, 49, 50, 44}},
    {"delallstudykey", ControlKind::ImageButton, {787, 636, 137, 37}},
    {"runstate_lab", ControlKind::Label, {467, 375, 422, 22}},
    {"IBtn79", ControlKind::ImageButton, {969, 5, 50, 43}},
    {"Image4", ControlKind::Image, {472, 411, 410, 168}},
    {"Image5", ControlKind::Image, {472, 410, 412, 169}},
    {"Image7", ControlKind::Image, {473, 410, 412, 167}},
    {"Image8", ControlKind::Image, {473, 409, 411, 171}},
    {"lab_usbstate", ControlKind::Label, {610, 226, 228, 15}},
    {"lab_ykqtype", ControlKind::Label, {611, 118, 225, 15}},
    {"lab_gjbb", ControlKind::Label, {611, 188, 221, 17}},
    {"lab_softver", ControlKind::Label, {611, 152, 225, 17}},
    {"delstudykey", ControlKind::ImageButton, {609, 636, 137, 37}},
    {"ykqbox", ControlKind::ScrollBox, kKeypadBox},
    {"Memo2", ControlKind::Memo, {848, 168, 185, 89}},
    {"Memo1", ControlKind::Memo, {456, 536, 185, 89}},
    {"donghuaflash2", ControlKind::Animation, {473, 277, 409, 84}},
    {"Button1", ControlKind::PushButton, {408, 184, 75, 25}},
}};

// Pictures that belong to the window itself rather than to a skin: their sizes.
inline constexpr Size kStudyButtonPicture{132, 39};   // beginstudyibtn, and its DisablePic
inline constexpr Size kHelpButtonPicture{49, 42};     // helpibtn
inline constexpr Size kUpdateButtonPicture{49, 42};   // updateibtn
inline constexpr Size kCloseButtonPicture{49, 42};    // IBtn79
inline constexpr Size kCloseButtonDisabled{39, 38};   // IBtn79's DisablePic
inline constexpr Size kHintPanelPicture{413, 170};    // Image4, Image5, Image7, Image8
// clang-format on
inline constexpr Size kSplashPicture{460, 260};

} // namespace model
