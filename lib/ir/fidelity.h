// How faithfully a learned key sends what the original remote sent, duration by duration, for a
// short press and for a press held as long as the capture lasted.
#pragma once

#include <vector>

namespace ir {

// The capture without leading noise: while one of its first three durations is a space of 5 ms
// or more, everything up to and including that space goes.
std::vector<int> withoutLeadingNoise(std::vector<int> timings);

// How long the capture lasted, from its first mark.
long captureMicros(const std::vector<int>& timings);

// How long a key is held to send what the capture holds: until the capture ends, and 20 ms more.
// The original remote was silent much longer than that after its last frame (else the capture
// would hold more), so a release at any moment of that silence agrees with the capture; 20 ms,
// a silence no receiver times, leaves the learned key's own small timing differences room.
long holdFor(const std::vector<int>& timings);

// The capture up to (not including) its second space of 20 ms or more: what a short press sends.
std::vector<int> shortPress(const std::vector<int>& timings);

// The first position where `sent` does not send what `captured` holds: every captured duration
// must match the sent one at the same position (within 100 us or a quarter; two spaces of 20 ms
// or more always match, receivers do not time them), though a final captured space may be
// missing. -1 when all match.
long firstMismatch(const std::vector<int>& sent, const std::vector<int>& captured);

} // namespace ir
