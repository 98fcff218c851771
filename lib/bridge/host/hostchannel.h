// The host's side of the channel: its standard input and output, taken for the frames alone. The
// process's standard handles then lead nowhere, so a maker's library that prints or reads the
// console cannot spoil a frame.
#pragma once

#include "bridge/protocol.h"

#include "model/windowsapi.h"

#include <mutex>
#include <optional>

namespace host {

class HostChannel {
public:
    HostChannel();

    // The next request; nullopt when the program closed the channel, or after answering
    // BadRequest to a stream that cannot be read on (`broken` then holds).
    std::optional<bridge::Request> next();
    bool broken() const { return broken_; }

    // Sends one answer; safe from any thread, and from an exception filter (which must not wait
    // for a writer that will never finish).
    void answer(const bridge::Answer& answer);
    bool tryAnswer(const bridge::Answer& answer);

private:
    void write(const std::string& bytes);

    HANDLE in_ = nullptr;
    HANDLE out_ = nullptr;
    bridge::FrameReader reader_;
    bool broken_ = false;
    std::mutex writing_;
};

} // namespace host
