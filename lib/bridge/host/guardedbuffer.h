// A buffer for the maker's library to fill: zero-filled to the length it is promised, followed
// by guard bytes that a library writing past that length cannot help changing.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace host {

class GuardedBuffer {
public:
    explicit GuardedBuffer(std::size_t size);

    char* data() { return bytes_.data(); }
    // True while every guard byte is as it was put.
    bool intact() const;
    // The buffer itself, zero bytes included, without the guard.
    std::string contents() const { return std::string(bytes_.data(), size_); }

private:
    std::size_t size_;
    std::vector<char> bytes_;
};

} // namespace host
