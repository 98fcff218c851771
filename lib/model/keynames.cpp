#include "keynames.h"

#include "model/hextext.h"

#include <cctype>

namespace model {

namespace {

std::string lower(std::string_view text) {
    std::string out;
    for (char c : text)
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool listed(std::string_view names, std::string_view folded) {
    while (!names.empty()) {
        const std::size_t bar = names.find('|');
        if (names.substr(0, bar) == folded)
            return true;
        if (bar == std::string_view::npos)
            break;
        names.remove_prefix(bar + 1);
    }
    return false;
}

} // namespace

const std::vector<KeyName>& keyNames() {
    // clang-format off
    static const std::vector<KeyName> names = {
        {"00", "tv",  "Power",    "power|pwr|onoff|standby|poweronoff|powertoggle"},
        {"02", "tv",  "Mute",     "mute|muting"},
        {"03", "tv",  "TV-AV",    "input|source|tvav|av|inputsource|src"},
        {"04", "tv",  "Up",       "up|arrowup|cursorup|navup"},
        {"05", "tv",  "Menu",     "menu|settings|setup"},
        {"06", "tv",  "Vol+",     "vol+|volup|volumeup|volplus|volume+|vup"},
        {"07", "tv",  "Left",     "left|arrowleft|cursorleft|navleft"},
        {"10", "tv",  "OK",       "ok|enter|select|confirm"},
        {"11", "tv",  "Right",    "right|arrowright|cursorright|navright"},
        {"12", "tv",  "Vol-",     "vol-|voldn|voldown|volumedown|volminus|volume-|vdown"},
        {"13", "tv",  "Back",     "back|return|ret"},
        {"14", "tv",  "Down",     "down|arrowdown|cursordown|navdown"},
        {"15", "tv",  "Exit",     "exit|quit"},
        {"01", "cbl", "Power",    "power|pwr|onoff|standby|poweronoff|powertoggle"},
        {"16", "cbl", "F1",       "f1|red"},
        {"17", "cbl", "F2",       "f2|green"},
        {"20", "cbl", "F3",       "f3|yellow"},
        {"21", "cbl", "F4",       "f4|blue"},
        {"22", "cbl", "Info",     "info|display|information"},
        {"23", "cbl", "PageUp",   "pageup|pgup"},
        {"24", "cbl", "PageDown", "pagedown|pgdn|pagedn"},
        {"25", "cbl", "Audio",    "audio|lang|language"},
        {"26", "cbl", "Guide",    "guide|epg"},
        {"27", "cbl", "Up",       "up|arrowup|cursorup|navup"},
        {"30", "cbl", "Menu",     "menu|settings|setup"},
        {"31", "cbl", "Left",     "left|arrowleft|cursorleft|navleft"},
        {"32", "cbl", "OK",       "ok|enter|select|confirm"},
        {"33", "cbl", "Right",    "right|arrowright|cursorright|navright"},
        {"34", "cbl", "Back",     "back|return|ret"},
        {"35", "cbl", "Down",     "down|arrowdown|cursordown|navdown"},
        {"36", "cbl", "Exit",     "exit|quit"},
        {"37", "cbl", "Vol+",     "vol+|volup|volumeup|volplus|volume+|vup"},
        {"40", "cbl", "List",     "list|channellist|chlist"},
        {"41", "cbl", "Ch+",      "ch+|chnext|chup|channelup|channelnext|chplus|channel+|prog+"},
        {"42", "cbl", "Vol-",     "vol-|voldn|voldown|volumedown|volminus|volume-|vdown"},
        {"43", "cbl", "Mute",     "mute|muting"},
        {"44", "cbl", "Ch-",      "ch-|chprev|chdn|chdown|channeldown|channelprev|chminus|channel-|prog-"},
        {"45", "cbl", "1",        "1|num1|digit1|key1|btn1"},
        {"46", "cbl", "2",        "2|num2|digit2|key2|btn2"},
        {"47", "cbl", "3",        "3|num3|digit3|key3|btn3"},
        {"50", "cbl", "4",        "4|num4|digit4|key4|btn4"},
        {"51", "cbl", "5",        "5|num5|digit5|key5|btn5"},
        {"52", "cbl", "6",        "6|num6|digit6|key6|btn6"},
        {"53", "cbl", "7",        "7|num7|digit7|key7|btn7"},
        {"54", "cbl", "8",        "8|num8|digit8|key8|btn8"},
        {"55", "cbl", "9",        "9|num9|digit9|key9|btn9"},
        {"56", "cbl", "Fav",      "fav|favorite|favourite|favorites|favourites"},
        {"57", "cbl", "0",        "0|num0|digit0|key0|btn0"},
        {"60", "cbl", "Alt",      "alt|alternate|last|prevch|recall"},
    };
    // clang-format on
    return names;
}

std::string keyLabel(std::string_view keyNumber) {
    for (const KeyName& key : keyNames())
        if (key.number == keyNumber)
            return (key.side == "tv" ? "TV/" : "CBL/") + std::string(key.name);
    return std::string(keyNumber);
}

std::optional<std::string> keyNumberOf(std::string_view given) {
    if (given.size() == 2 && model::parseHex(given))
        return model::formatHex(*model::parseHex(given), 2);
    const std::string wanted = lower(given);
    for (const KeyName& key : keyNames())
        if (lower(keyLabel(key.number)) == wanted)
            return std::string(key.number);
    return std::nullopt;
}

std::string foldName(std::string_view buttonName) {
    std::string folded;
    for (std::size_t i = 0; i < buttonName.size(); ++i) {
        const char c = buttonName[i];
        const bool last = i + 1 == buttonName.size();
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '+' || (c == '-' && last))
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

std::optional<std::string> keyForButton(std::string_view side, std::string_view buttonName) {
    const std::string folded = foldName(buttonName);
    // LIRC's names carry a prefix ("KEY_VOLUMEUP"): the name after it counts as well.
    const std::string unprefixed = folded.rfind("key", 0) == 0 ? folded.substr(3) : std::string();
    for (const std::string& name : {folded, unprefixed})
        for (const KeyName& key : keyNames())
            if (!name.empty() && key.side == side && listed(key.buttonNames, name))
                return std::string(key.number);
    return std::nullopt;
}

} // namespace model
