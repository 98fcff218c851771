#include "guardedbuffer.h"

#include <algorithm>

namespace host {

namespace {

// Enough to catch a text written a little too long, and its terminating zero byte.
constexpr std::size_t kGuardBytes = 256;
constexpr char kGuard = static_cast<char>(0xA5);

} // namespace

GuardedBuffer::GuardedBuffer(std::size_t size) : size_(size), bytes_(size + kGuardBytes, 0) {
    std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(size_), bytes_.end(), kGuard);
}

bool GuardedBuffer::intact() const {
    return std::all_of(bytes_.begin() + static_cast<std::ptrdiff_t>(size_), bytes_.end(),
                       [](char c) { return c == kGuard; });
}

} // namespace host
