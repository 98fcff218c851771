// Learning keys from code signals as the learning commands share it: what one learning ended
// with, said, and a whole side learned from a code file's or a library set's buttons.
#pragma once

#include "console.h"
#include "keyarguments.h"
#include "remote.h"

#include "codes/buttonmatching.h"
#include "device/capturecommit.h"

#include <filesystem>
#include <string>

namespace ctl {

// Where a signal the encoder finds no end in is kept for a look.
std::filesystem::path unencodedFile();

// What one learning of a signal into a key ended with, said; kDone once the key holds it.
// `source` names where the signal came from; `withheld` is the status the same-remote check
// ended with, when it withheld the writes.
int learnedStatus(const device::LearnResult& learned, const NamedKey& key, const std::string& source,
                  int carrierHz, int withheld, const Console& console);

// Prints which button goes to which key, what no key takes and what cannot be learned.
void showMatching(const codes::ButtonMatching& matching, const Console& console);

// Learns the matches on `remote` (its layout followed), saying each key; stops at the first that
// is not written, naming the keys done before it. kDone, or the status to end with.
int learnMatchesOn(Remote& remote, const codes::ButtonMatching& matching, const std::string& source,
                   const Console& console);

} // namespace ctl
