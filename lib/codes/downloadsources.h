// The public collections of remote codes the library can fetch in one step, and any other
// archive named by its address: where each comes from, what it weighs and under which licence.
#pragma once

#include "downloadproblem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace codes {

enum class Licence {
    Cc0,    // CC0 1.0: no conditions
    Mit,    // MIT: keep the copyright notice
    Irdb,   // IRDB's own: a product that includes or reaches the database takes on conditions
    Unknown // an archive given by its address: whatever its maker says
};

struct Collection {
    std::string name;    // also the folder it is kept in, under the user's own code folder
    std::string page;    // where the collection is kept and described
    std::string archive; // the archive of its default branch
    Licence licence = Licence::Unknown;
    std::uint64_t approximateBytes = 0; // the archive's size, roughly; 0 when unknown
};

// Flipper-IRDB, IRDB and SmartIR's codes.
const std::vector<Collection>& knownCollections();

// The known collection called `name`, in any case; nullptr when there is none.
const Collection* findCollection(std::string_view name);

// Whether a collection's licence is shown and agreed to before it is downloaded: one whose
// conditions reach beyond keeping a notice.
bool licenceNeedsConsent(Licence licence);

// Whether the word given names an archive by its address rather than a collection by name.
bool looksLikeAddress(std::string_view word);

// The collection an address fetches: a known one when it is that collection's archive, else one
// named after the archive (a GitHub repository by its name). The problem when the address is not
// one to fetch from: only https, or plain http to this computer itself (127.0.0.1, localhost).
std::variant<Collection, DownloadProblem> collectionAt(std::string_view address);

} // namespace codes
