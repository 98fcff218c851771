// The owner's code library as the commands open it, and a code set found in it by the identifier
// 'library search' prints (or its code file's path).
#pragma once

#include "console.h"

#include "codes/librarysearch.h"
#include "codes/ownerslibrary.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ctl {

// What to say when the library has no folder yet: where code files come from, how to add them.
extern const char* const kWhereToGetCodes;

// The library with its index brought up to date; nullopt after saying why it cannot be opened, or,
// when `needsFolders`, that it has no folder yet (and where code files come from).
std::optional<codes::OwnersLibrary> openLibrary(const Console& console, bool needsFolders = false);

// The set `id` names in `search`; nullptr after saying there is none.
const codes::CodeSet* findSet(const codes::CodeLibrary& search, const std::string& id,
                              const Console& console);

// The whole signals of library set `id`, with how messages name it ("file" or "file (remote)");
// nullopt after saying why not.
std::optional<std::pair<std::string, std::vector<codes::NamedSignal>>>
librarySetSignals(const std::string& id, const Console& console);

// How a set is named in messages: "<id> (<maker> <model>, <file>)".
std::string setTitle(const codes::CodeSet& set);

} // namespace ctl
