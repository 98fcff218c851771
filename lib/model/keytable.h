// The key table: entry n belongs to key slot n of the remote and reads key number, "|", state,
// "|", reference kind, "|", code reference (see the entry texts below). Plain functions over the
// window's list, so the rules can be checked without a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace model {

using KeyTable = std::vector<std::string>;

// Entry states (character 4).
inline constexpr char kNoCode = '0';
inline constexpr char kDownloadedCode = '1';
inline constexpr char kLearnedCode = '2';

// Characters 1-2 of an entry.
std::string_view entryKeyNumber(std::string_view entry);
// Character 4; '\0' for an entry too short to have one.
char entryState(std::string_view entry);

// True when some entry holds a learned code.
bool hasLearnedKeys(const KeyTable& table);

// The first entry of `keyNumber` (exact comparison) becomes the key number followed by "|0".
void markKeyCleared(KeyTable& table, std::string_view keyNumber);

// Position of the first entry of `keyNumber`; letter case is ignored when `anyCase` is set.
std::optional<std::size_t> findKeyEntry(const KeyTable& table, std::string_view keyNumber,
                                        bool anyCase = false);

// The value of a key number as an index into the key picture sets; nullopt when it is not two
// hex digits or lies outside the 168 pictures.
std::optional<int> keyPictureIndex(std::string_view keyNumber);

// What the key table asks of one key button: for each of its entries in order, the learned
// picture (with the disabled state) or the occupied picture.
enum class KeyLook { Learned, Occupied };
std::vector<KeyLook> keyLooks(const KeyTable& table, std::string_view keyNumber);

} // namespace model
