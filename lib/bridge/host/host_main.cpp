// qtm418-host32.exe: the 32-bit process that loads the maker's kestrio.dll and ConLCode.dll and
// serves their calls to the 64-bit program over its standard input and output (bridge/protocol.h).
// It ends when the program closes the channel, when a call does not return (the remote is then
// as good as unplugged), and when a library crashes.
#include "callwatch.h"
#include "hostchannel.h"
#include "makerlibraries.h"

#include "model/portablefiles.h"

#include <cstdlib>

namespace {

using bridge::Answer;
using bridge::Kind;

host::HostChannel* channel = nullptr;

// The exit statuses, for whoever looks at the host from outside.
constexpr int kClosed = 0;
constexpr int kRefused = 2;
constexpr int kCallDidNotReturn = 3;
constexpr int kCrashed = 4;
constexpr int kUnreadable = 5;

// A crash inside the maker's library: said on the channel, then the host ends at once (the
// library's state cannot be trusted for another call).
LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception) {
    if (channel) {
        Answer crashed = bridge::answerAbout(Kind::Crashed, host::runningOperation());
        crashed.exceptionCode =
            exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 0;
        channel->tryAnswer(crashed);
    }
    TerminateProcess(GetCurrentProcess(), kCrashed);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Ends now, without waiting for a thread that may be stuck in the library.
[[noreturn]] void endNow(int status) {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
    std::_Exit(status);
}

} // namespace

int main() {
    // No dialog of Windows' own may wait for a click nobody can give: a missing dependency, a
    // crash.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    static host::HostChannel hostChannel;
    channel = &hostChannel;
    SetUnhandledExceptionFilter(reportCrash);

    const auto hello = hostChannel.next();
    if (!hello)
        return hostChannel.broken() ? kUnreadable : kClosed;
    if (hello->kind != Kind::Hello || hello->version != bridge::kProtocolVersion) {
        hostChannel.answer(bridge::refusal(bridge::MakerFile::Host, bridge::Refusal::OtherVersion));
        return kRefused;
    }
    static host::CallWatch watch;
    static host::MakerLibraries libraries;
    // A call that never returns: said from the watch's thread, and the host ends at once.
    const host::EndWith endWith = [](const Answer& last) {
        channel->answer(last);
        endNow(last.kind == Kind::TimedOut ? kCallDidNotReturn : kRefused);
    };
    if (auto refusal = libraries.load(model::textPath(hello->makerFolder), watch, endWith)) {
        hostChannel.answer(*refusal);
        endNow(kRefused);
    }
    Answer ready;
    ready.kind = Kind::Ready;
    hostChannel.answer(ready);

    while (const auto request = hostChannel.next()) {
        if (request->kind != Kind::Call) {
            Answer bad;
            bad.kind = Kind::BadRequest;
            bad.text = "a second greeting";
            hostChannel.answer(bad);
            continue;
        }
        hostChannel.answer(libraries.call(*request, watch, endWith));
    }
    // The program closed the channel: the libraries are let go as the maker's program let them
    // go on closing.
    return hostChannel.broken() ? kUnreadable : kClosed;
}
