// A code set's buttons as the library's index keeps them: one blob a set, so that a set comes back
// whole from one row and a search reads no more rows than the sets it returns.
//
//   count of buttons                 number
//   then for each button, in the set's order:
//     length of its name             number
//     its name                       that many bytes (UTF-8)
//     carrier                        number, in Hz (0 when the file gives none)
//     count of durations             number (0 when the button's code cannot be learned)
//     each duration, in µs           2 bytes, the low first: 1 to 65534;
//                                    or FF FF, then 4 bytes, the lowest first: 65535 to 1000000
//
// A number takes 7 bits a byte, the lowest first, the top bit set on every byte but its last.
// Durations take two bytes as nearly all of them fit: a search decodes every duration of every set
// it returns, and two bytes read without a loop are what makes that quick.
#pragma once

#include "libraryindex.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace codes {

std::string storedButtons(const std::vector<LibraryCode>& codes);

// The buttons a blob holds; nullopt when it is damaged (cut short, a number out of range, bytes
// left over).
std::optional<std::vector<LibraryCode>> readStoredButtons(std::string_view blob);

} // namespace codes
