// The two pipes to a running host and its life: what the channel reads and writes.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace bridge {

class Transport {
public:
    virtual ~Transport() = default;

    // False when the host no longer reads.
    virtual bool send(std::string_view bytes) = 0;

    enum class Received { Data, TimedOut, Ended };
    // Appends what has arrived to `into`, waiting until something does, the host ends, or
    // `deadline` passes.
    virtual Received receive(std::string& into, std::chrono::steady_clock::time_point deadline) = 0;

    // Ends the host at once; later sends fail and receives report the end.
    virtual void stop() = 0;
};

} // namespace bridge
