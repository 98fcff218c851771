#include "makerremote.h"

#include "model/portablefiles.h"

#include <cstdio>

namespace bridge {

namespace {

// The host gives a call kCallLimitSeconds and then reports it; this much more is for the report
// to arrive.
constexpr std::chrono::seconds kAnswerLimit(kCallLimitSeconds + 5);

MakerFile fileOf(Operation op) {
    return isConverterOperation(op) ? MakerFile::Converter : MakerFile::DeviceLibrary;
}

std::string hexCode(std::uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

} // namespace

MakerRemote::MakerRemote(std::unique_ptr<Transport> transport) : channel_(std::move(transport)) {}

std::optional<MakerProblem> MakerRemote::open(const std::filesystem::path& folder,
                                              std::chrono::milliseconds limit) {
    Request hello;
    hello.kind = Kind::Hello;
    hello.makerFolder = model::pathText(folder);
    const auto answer = channel_.exchange(hello, limit);
    if (!answer)
        return MakerProblem{MakerFile::Host, Refusal::ChannelBroken, channel_.closedBecause(), {}};
    if (answer->kind == Kind::Ready && answer->version == kProtocolVersion)
        return std::nullopt;
    MakerProblem problem{
        MakerFile::Host, Refusal::ChannelBroken, "the host's first answer was no greeting", {}};
    if (answer->kind == Kind::Ready ||
        (answer->kind == Kind::Refused && answer->reason == Refusal::OtherVersion))
        problem = {MakerFile::Host, Refusal::OtherVersion, std::to_string(answer->version), {}};
    else if (answer->kind == Kind::Refused)
        problem = {answer->file, answer->reason, answer->text, {}};
    channel_.close("the host could not serve");
    return problem;
}

CallOutcome MakerRemote::call(const Request& request) {
    const auto answer = channel_.exchange(request, kAnswerLimit);
    if (!answer) {
        noteFault({MakerFile::Host, Refusal::ChannelBroken, channel_.closedBecause(), {}});
        return {};
    }
    const char* name = exportName(request.operation);
    switch (answer->kind) {
    case Kind::Done:
        return {answer->result != 0, answer->buffer};
    case Kind::Overrun:
        noteFault({fileOf(answer->operation), Refusal::WritesPastBuffer, name, {}});
        break;
    case Kind::TimedOut:
        noteFault({fileOf(answer->operation), Refusal::CallDoesNotReturn, name, {}});
        break;
    case Kind::Crashed:
        noteFault({fileOf(answer->operation),
                   Refusal::Crashed,
                   std::string(name) + " " + hexCode(answer->exceptionCode),
                   {}});
        break;
    default:
        noteFault({MakerFile::Host,
                   Refusal::ChannelBroken,
                   "the host did not take the call to " + std::string(name),
                   {}});
        break;
    }
    return {};
}

std::optional<MakerProblem> MakerRemote::fault() const {
    std::lock_guard<std::mutex> guard(faultMutex_);
    return fault_;
}

void MakerRemote::noteFault(MakerProblem problem) {
    std::lock_guard<std::mutex> guard(faultMutex_);
    // The first cause is the one worth telling: after a call that never returned, every later
    // one fails because the host is gone.
    const bool hostEndedItself =
        fault_ && (fault_->reason == Refusal::CallDoesNotReturn || fault_->reason == Refusal::Crashed);
    if (!hostEndedItself || problem.reason != Refusal::ChannelBroken)
        fault_ = std::move(problem);
}

} // namespace bridge
