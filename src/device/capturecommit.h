// A captured code all the way to a learned key: trimmed, encoded, converted, planned and written.
// The window's commit and the command line's learning take this one path, so a key learned from a
// file holds what the same signal learned by hand would.
#pragma once

#include "commitwrite.h"

#include "model/commitplan.h"
#include "model/keytable.h"
#include "model/memorylayout.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace device {

enum class LearnOutcome {
    NotConverted,     // the converter made nothing of it
    AnswerIncomplete, // the converter's answer lacks a piece
    NotAllowed,       // the caller withheld the writes (the remote is no longer the one read)
    Refused,          // the plan cannot be carried out: see `refusal`; nothing written
    KeyUnchanged,     // a write failed; the key still holds what it held
    KeyEmptied,       // a write failed after the key was emptied to make room
    Written,
};

struct LearnResult {
    LearnOutcome outcome = LearnOutcome::NotConverted;
    std::string trimmed;    // the capture cut after its first frame group
    std::string encoded;    // what the encoder made of it
    std::string answerText; // the converter's answer, as it came
    std::optional<model::CommitRefusal> refusal;
    std::optional<model::CommitPlan> plan; // once planned
    // Written, but the write that was to free the old code's room failed at this address.
    std::optional<unsigned> roomNotFreedAt;
};

// Learns `captured` (capture words as the remote records them) for key `keyNumber`. `mayWrite` is
// asked once the code is converted and before the plan is made; `layout` and `table` follow what
// the remote holds afterwards. `diagnosticFile` receives a capture the encoder finds no end in.
// Across keys learned one after another, in that order: the address of a failed write that left
// an old code's room in use, unless a later key's successful index write gave it back.
std::optional<unsigned> roomLeftInUse(const std::vector<const LearnResult*>& inOrder);

LearnResult learnCapture(model::DeviceLayout& layout, model::KeyTable& table, std::string_view keyNumber,
                         const std::string& captured, const std::filesystem::path& diagnosticFile,
                         const std::function<bool()>& mayWrite);

} // namespace device
