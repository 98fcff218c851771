// Requests and their answers over one transport, one at a time: the program's three threads call
// without a lock, and each waits its turn here, first come first served, so a link check never
// waits for more than the calls already queued before it.
#pragma once

#include "protocol.h"
#include "transport.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace bridge {

class Channel {
public:
    explicit Channel(std::unique_ptr<Transport> transport);

    // The answer to `request`; nullopt when the channel is closed or closes now: the host ended,
    // answered what cannot be read, or gave no answer within `limit`. A host that says it ends
    // (TimedOut, Crashed) closes the channel after its answer.
    std::optional<Answer> exchange(const Request& request, std::chrono::milliseconds limit);

    bool closed() const;
    // Why the channel closed; empty while it is open.
    std::string closedBecause() const;

    // Ends the host and closes the channel, as a call that never returns does.
    void close(const std::string& because);

    // How many callers wait for their turn behind the one being served.
    std::size_t waiting() const;

private:
    std::optional<Answer> exchangeInTurn(const Request& request, std::chrono::milliseconds limit);
    void closeInTurn(const std::string& because);

    std::unique_ptr<Transport> transport_;
    FrameReader reader_;

    mutable std::mutex mutex_;
    std::condition_variable turns_;
    std::uint64_t nextTicket_ = 0;
    std::uint64_t serving_ = 0;
    std::string closedBecause_;
};

} // namespace bridge
