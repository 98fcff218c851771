// The program's side of the channel against a host the test plays: calls from several threads
// take turns in the order they came, and a host that answers garbage, stops in the middle of an
// answer, does not answer or ends closes the channel for good, ended, instead of hanging or
// reading on.
#include "bridge/channel.h"
#include "bridge/makerremote.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace bridge;
using namespace std::chrono_literals;

// What the played host puts on the channel for a request; nullopt ends it there.
using Respond = std::function<std::optional<std::string>(const Request&)>;

class PlayedHost : public Transport {
public:
    explicit PlayedHost(Respond respond) : respond_(std::move(respond)) {}

    bool send(std::string_view bytes) override {
        std::unique_lock<std::mutex> lock(mutex_);
        if (ended_)
            return false;
        reader_.feed(bytes);
        while (auto payload = reader_.next()) {
            const auto request = decodeRequest(*payload);
            if (!request)
                return false;
            requests_.push_back(*request);
            lock.unlock();
            auto bytesOut = respond_(*request);
            lock.lock();
            if (!bytesOut)
                ended_ = true;
            else
                pending_ += *bytesOut;
        }
        changed_.notify_all();
        return true;
    }

    Received receive(std::string& into, std::chrono::steady_clock::time_point deadline) override {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_until(lock, deadline, [this] { return !pending_.empty() || ended_; });
        if (!pending_.empty()) {
            into += pending_;
            pending_.clear();
            return Received::Data;
        }
        return ended_ ? Received::Ended : Received::TimedOut;
    }

    void stop() override {
        std::lock_guard<std::mutex> guard(mutex_);
        ended_ = true;
        stopped_ = true;
        changed_.notify_all();
    }

    std::vector<Request> requests() {
        std::lock_guard<std::mutex> guard(mutex_);
        return requests_;
    }
    bool stopped() {
        std::lock_guard<std::mutex> guard(mutex_);
        return stopped_;
    }

private:
    Respond respond_;
    std::mutex mutex_;
    std::condition_variable changed_;
    FrameReader reader_;
    std::string pending_;
    std::vector<Request> requests_;
    bool ended_ = false;
    bool stopped_ = false;
};

std::string framed(const Answer& answer) { return frame(encode(answer)); }

struct Played {
    PlayedHost* host;
    std::unique_ptr<Transport> transport;
};

Played play(Respond respond) {
    auto host = std::make_unique<PlayedHost>(std::move(respond));
    PlayedHost* raw = host.get();
    return {raw, std::move(host)};
}

TEST(BridgeChannel, ACallWaitingForItsTurnGoesBeforeTheNextCallOfABusyThread) {
    std::mutex mutex;
    std::condition_variable changed;
    bool linkCheckAsked = false;
    bool firstCapturePoll = true;
    Channel* channelSeen = nullptr;
    auto played = play([&](const Request& request) -> std::optional<std::string> {
        if (request.operation == Operation::CollectCode && firstCapturePoll) {
            // The capture thread's first poll is still in the host when the link monitor asks.
            firstCapturePoll = false;
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return linkCheckAsked; });
            while (channelSeen->waiting() == 0)
                std::this_thread::yield();
        }
        return framed(doneAnswer(1));
    });
    Channel channel(std::move(played.transport));
    channelSeen = &channel;
    std::thread capture([&] {
        for (int poll = 0; poll < 3; ++poll)
            EXPECT_TRUE(channel.exchange(callRequest(Operation::CollectCode), 5s));
    });
    while (played.host->requests().empty())
        std::this_thread::yield();
    std::thread monitor([&] {
        {
            std::lock_guard<std::mutex> guard(mutex);
            linkCheckAsked = true;
        }
        changed.notify_all();
        EXPECT_TRUE(channel.exchange(callRequest(Operation::LinkState), 5s));
    });
    capture.join();
    monitor.join();
    std::vector<Operation> order;
    for (const Request& r : played.host->requests())
        order.push_back(r.operation);
    EXPECT_EQ(order, (std::vector<Operation>{Operation::CollectCode, Operation::LinkState,
                                             Operation::CollectCode, Operation::CollectCode}));
}

TEST(BridgeChannel, CallsFromThreeThreadsEachGetTheirOwnAnswer) {
    auto played = play([](const Request& request) -> std::optional<std::string> {
        return framed(
            doneAnswer(static_cast<std::uint8_t>(request.operation), exportName(request.operation)));
    });
    Channel channel(std::move(played.transport));
    const Operation ops[] = {Operation::LinkState, Operation::BasicInfo, Operation::CollectCode};
    std::vector<std::thread> threads;
    for (const Operation op : ops)
        threads.emplace_back([&channel, op] {
            for (int i = 0; i < 200; ++i) {
                const auto answer = channel.exchange(callRequest(op), 5s);
                ASSERT_TRUE(answer);
                EXPECT_EQ(answer->result, static_cast<std::uint8_t>(op));
                EXPECT_EQ(answer->buffer, exportName(op));
            }
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(played.host->requests().size(), 600u);
    EXPECT_FALSE(channel.closed());
}

TEST(BridgeChannel, AHostThatMisbehavesClosesTheChannelForGood) {
    const std::string good = framed(doneAnswer(1));
    const struct {
        const char* what;
        std::optional<std::string> bytes; // nullopt: the host ends without a word
        std::chrono::milliseconds limit;
        const char* because;
    } cases[] = {
        {"garbage", std::string("\x05\x00\x00\x00garbage", 11), 5s, "the host answered something unreadable"},
        {"an impossible length", std::string("\xFF\xFF\xFF\x7F", 4), 5s,
         "the host answered something unreadable"},
        {"a frame cut short", std::optional<std::string>(good.substr(0, good.size() - 1)), 50ms,
         "the host gave no answer in time"},
        {"nothing at all", std::string(), 50ms, "the host gave no answer in time"},
        {"the end", std::nullopt, 5s, "the host ended"},
    };
    for (const auto& c : cases) {
        auto played = play([&](const Request&) { return c.bytes; });
        Channel channel(std::move(played.transport));
        EXPECT_FALSE(channel.exchange(callRequest(Operation::LinkState), c.limit)) << c.what;
        EXPECT_TRUE(channel.closed()) << c.what;
        EXPECT_EQ(channel.closedBecause(), c.because) << c.what;
        EXPECT_TRUE(played.host->stopped()) << c.what << ": the host is ended, not left running";
        EXPECT_FALSE(channel.exchange(callRequest(Operation::LinkState), 5s)) << c.what;
        EXPECT_EQ(played.host->requests().size(), 1u) << c.what << ": nothing more is sent";
    }
}

TEST(BridgeChannel, AHostEndingInTheMiddleOfAnAnswerIsToldApart) {
    const std::string good = framed(doneAnswer(1, std::string(100, 'x')));
    auto played = play([&](const Request&) -> std::optional<std::string> { return good.substr(0, 20); });
    // The played host ends once it has begun its answer.
    Channel channel(std::move(played.transport));
    std::thread ender([host = played.host] {
        while (host->requests().empty())
            std::this_thread::yield();
        host->stop();
    });
    EXPECT_FALSE(channel.exchange(callRequest(Operation::ReadVersion), 5s));
    ender.join();
    EXPECT_EQ(channel.closedBecause(), "the host ended in the middle of an answer");
}

TEST(MakerRemote, TheFirstExchangeSaysWhyTheFilesCannotServe) {
    Answer ready;
    ready.kind = Kind::Ready;
    Answer otherVersion = ready;
    otherVersion.version = kProtocolVersion + 1;
    const Answer lacking = refusal(MakerFile::DeviceLibrary, Refusal::ExportMissing, "RBasicInfo");
    const struct {
        const char* what;
        std::optional<std::string> bytes;
        std::optional<MakerFile> file; // nullopt: no problem
        Refusal reason;
        std::string detail;
    } cases[] = {
        {"ready", framed(ready), std::nullopt, Refusal::Missing, ""},
        {"an export missing", framed(lacking), MakerFile::DeviceLibrary, Refusal::ExportMissing,
         "RBasicInfo"},
        {"another version", framed(otherVersion), MakerFile::Host, Refusal::OtherVersion,
         std::to_string(kProtocolVersion + 1)},
        {"an answer to a call", framed(doneAnswer(1)), MakerFile::Host, Refusal::ChannelBroken,
         "the host's first answer was no greeting"},
        {"the host ended", std::nullopt, MakerFile::Host, Refusal::ChannelBroken, "the host ended"},
    };
    for (const auto& c : cases) {
        auto played = play([&](const Request& request) {
            EXPECT_EQ(request.kind, Kind::Hello);
            EXPECT_EQ(request.makerFolder, "maker folder");
            return c.bytes;
        });
        MakerRemote remote(std::move(played.transport));
        const auto problem = remote.open("maker folder", 5s);
        ASSERT_EQ(problem.has_value(), c.file.has_value()) << c.what;
        EXPECT_EQ(remote.gone(), c.file.has_value()) << c.what;
        if (!problem)
            continue;
        EXPECT_EQ(problem->file, *c.file) << c.what;
        EXPECT_EQ(problem->reason, c.reason) << c.what;
        EXPECT_EQ(problem->detail, c.detail) << c.what;
    }
}

TEST(MakerRemote, ABufferWrittenPastFailsThatCallAloneAndIsKept) {
    auto played = play([](const Request& request) -> std::optional<std::string> {
        if (request.kind == Kind::Hello) {
            Answer ready;
            ready.kind = Kind::Ready;
            return framed(ready);
        }
        if (request.operation == Operation::ReadVersion)
            return framed(answerAbout(Kind::Overrun, Operation::ReadVersion));
        return framed(doneAnswer(1, "attached"));
    });
    MakerRemote remote(std::move(played.transport));
    ASSERT_FALSE(remote.open("maker", 5s));
    EXPECT_FALSE(remote.fault());
    EXPECT_FALSE(remote.call(callRequest(Operation::ReadVersion)).ok);
    const auto fault = remote.fault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->file, MakerFile::DeviceLibrary);
    EXPECT_EQ(fault->reason, Refusal::WritesPastBuffer);
    EXPECT_EQ(fault->detail, "ReadVersion");
    const CallOutcome next = remote.call(callRequest(Operation::LinkState));
    EXPECT_TRUE(next.ok);
    EXPECT_EQ(next.buffer, "attached");
    EXPECT_FALSE(remote.gone());
}

TEST(MakerRemote, ACallThatDidNotReturnLeavesTheRemoteGoneAndIsTheFaultTold) {
    auto played = play([](const Request& request) -> std::optional<std::string> {
        if (request.kind == Kind::Hello) {
            Answer ready;
            ready.kind = Kind::Ready;
            return framed(ready);
        }
        return framed(answerAbout(Kind::TimedOut, Operation::ConvertCode));
    });
    MakerRemote remote(std::move(played.transport));
    ASSERT_FALSE(remote.open("maker", 5s));
    Request convert = callRequest(Operation::ConvertCode);
    convert.number = 2;
    convert.texts = {"22EE11CE"};
    EXPECT_FALSE(remote.call(convert).ok);
    EXPECT_TRUE(remote.gone());
    EXPECT_FALSE(remote.call(callRequest(Operation::LinkState)).ok);
    const auto fault = remote.fault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->file, MakerFile::Converter);
    EXPECT_EQ(fault->reason, Refusal::CallDoesNotReturn)
        << "the cause is kept, not the closed channel after it";
    EXPECT_EQ(fault->detail, "ConvertCode");
}

} // namespace
