#include "channel.h"

namespace bridge {

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

Channel::Channel(std::unique_ptr<Transport> transport) : transport_(std::move(transport)) {}

bool Channel::closed() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return !closedBecause_.empty();
}

std::string Channel::closedBecause() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return closedBecause_;
}

std::size_t Channel::waiting() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return nextTicket_ > serving_ ? static_cast<std::size_t>(nextTicket_ - serving_ - 1) : 0;
}

std::optional<Answer> Channel::exchange(const Request& request, std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(mutex_);
    const std::uint64_t ticket = nextTicket_++;
    turns_.wait(lock, [&] { return serving_ == ticket; });
    std::optional<Answer> answer;
    if (closedBecause_.empty()) {
        lock.unlock();
        answer = exchangeInTurn(request, limit);
        lock.lock();
    }
    ++serving_;
    turns_.notify_all();
    return answer;
}

void Channel::close(const std::string& because) {
    std::unique_lock<std::mutex> lock(mutex_);
    const std::uint64_t ticket = nextTicket_++;
    turns_.wait(lock, [&] { return serving_ == ticket; });
    lock.unlock();
    closeInTurn(because);
    lock.lock();
    ++serving_;
    turns_.notify_all();
}

// Runs only in the caller's turn, so the transport and the reader are the caller's alone.
std::optional<Answer> Channel::exchangeInTurn(const Request& request, std::chrono::milliseconds limit) {
    if (!transport_->send(frame(encode(request)))) {
        closeInTurn("the host no longer reads");
        return std::nullopt;
    }
    const auto deadline = Clock::now() + limit;
    for (;;) {
        if (auto payload = reader_.next()) {
            auto answer = decodeAnswer(*payload);
            if (!answer) {
                closeInTurn("the host answered something unreadable");
                return std::nullopt;
            }
            if (answer->kind == Kind::TimedOut || answer->kind == Kind::Crashed)
                closeInTurn(answer->kind == Kind::TimedOut ? "a call did not return" : "a library crashed");
            return answer;
        }
        if (reader_.broken()) {
            closeInTurn("the host answered something unreadable");
            return std::nullopt;
        }
        std::string bytes;
        switch (transport_->receive(bytes, deadline)) {
        case Transport::Received::Data:
            reader_.feed(bytes);
            break;
        case Transport::Received::Ended:
            closeInTurn(reader_.midFrame() ? "the host ended in the middle of an answer" : "the host ended");
            return std::nullopt;
        case Transport::Received::TimedOut:
            closeInTurn("the host gave no answer in time");
            return std::nullopt;
        }
    }
}

void Channel::closeInTurn(const std::string& because) {
    transport_->stop();
    std::lock_guard<std::mutex> guard(mutex_);
    if (closedBecause_.empty())
        closedBecause_ = because;
}

} // namespace bridge
