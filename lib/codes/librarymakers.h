// Makers and device types as the code collections spell them, brought to what a search over the
// library needs: one maker however its files write it, and the side of the remote a device is for.
#pragma once

#include <string>
#include <string_view>

namespace codes {

// A maker's name with letter case, spaces and punctuation aside, its common spellings taken as
// one ("LG Electronics" and "lg" both "lg"); "" for no name.
std::string makerKey(std::string_view maker);

// How the maker is shown: the usual spelling of a known maker, else the name as given, trimmed.
std::string makerDisplayName(std::string_view maker);

// The side of the remote a device type is for: "tv" (TVs, monitors, projectors), "cbl" (cable,
// satellite, IPTV and DVB boxes, streaming boxes), or "" for any other device.
std::string sideOfDeviceType(std::string_view deviceType);

// Whether a folder name is one of the device types a collection sorts its files by.
bool isDeviceTypeFolder(std::string_view folder);

// Letters and digits only, in lower case; other bytes of UTF-8 text (a maker written in Chinese)
// are kept as they are.
std::string foldedWords(std::string_view text);

} // namespace codes
