#include "bridge.h"

#include "hostprocess.h"
#include "locations.h"
#include "makerchoice.h"
#include "makerremote.h"

#include "kestrio/virtualoperations.h"
#include "model/wire.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <variant>

namespace bridge {

namespace fs = std::filesystem;

namespace {

// Wine makes its prefix on the first start of a Windows program, which takes tens of seconds;
// the host then loads the maker's files, which it gives kCallLimitSeconds.
constexpr std::chrono::seconds kOpenLimit(90);

struct Served {
    RemoteInUse choice;
    std::unique_ptr<MakerRemote> remote; // while the maker's files serve
};

std::optional<fs::path> foundHost() {
    for (const fs::path& place : hostPlaces()) {
        std::error_code ec;
        if (fs::is_regular_file(place, ec))
            return place;
    }
    return std::nullopt;
}

Served choose() {
    Served served;
    const std::vector<fs::path> folders = makerFolders(programFolder());
    // What the owner chose in the last run takes effect now, before anything is loaded.
    for (const fs::path& folder : folders)
        applyPendingChoice(folder);
    const auto files = findMakerFiles(folders);
    if (!files)
        return served;
    served.choice.maker = true;
    served.choice.folder = files->folder;
    if ((served.choice.problem = checkMakerFiles(*files)))
        return served;
    const auto host = foundHost();
    if (!host) {
        served.choice.problem = MakerProblem{MakerFile::Host, Refusal::Missing, {}, hostPlaces().front()};
        return served;
    }
    auto started = startHost(*host);
    if (auto* why = std::get_if<std::string>(&started)) {
        served.choice.problem = MakerProblem{MakerFile::Host, Refusal::CannotStart, *why, *host};
        return served;
    }
    auto remote = std::make_unique<MakerRemote>(std::move(std::get<std::unique_ptr<Transport>>(started)));
    if (auto problem = remote->open(files->folder, kOpenLimit)) {
        problem->path = problem->file == MakerFile::DeviceLibrary ? files->deviceLibrary
                        : problem->file == MakerFile::Converter   ? files->converter
                                                                  : *host;
        served.choice.problem = std::move(problem);
        return served;
    }
    served.remote = std::move(remote);
    return served;
}

// Kept past the program's end: the host ends by itself when the end of the program closes its
// input, and nothing is waited for while the process exits.
std::mutex& choosing() {
    static auto* mutex = new std::mutex;
    return *mutex;
}
std::shared_ptr<Served>& current() {
    static auto* served = new std::shared_ptr<Served>;
    return *served;
}

// The remote in use, chosen at the first call after the start or after chooseAgain. Each call
// holds its own reference, so choosing again never pulls the remote from under a call.
std::shared_ptr<Served> served() {
    std::lock_guard<std::mutex> guard(choosing());
    if (!current())
        current() = std::make_shared<Served>(choose());
    return current();
}

// A call that fills a buffer of `size` characters, copied into the caller's whole.
unsigned char bufferCall(MakerRemote& remote, Request request, char* buffer, std::size_t size) {
    if (!buffer)
        return 0;
    const CallOutcome outcome = remote.call(request);
    if (!outcome.ok)
        return 0;
    std::memcpy(buffer, outcome.buffer.data(), std::min(size, outcome.buffer.size()));
    return 1;
}

} // namespace

RemoteInUse remoteInUse() { return served()->choice; }

std::vector<fs::path> makerFoldersLookedIn() { return makerFolders(programFolder()); }

std::optional<MakerProblem> makerFault() {
    // Asking starts nothing: before the first call there is no fault to tell.
    std::shared_ptr<Served> s;
    {
        std::lock_guard<std::mutex> guard(choosing());
        s = current();
    }
    return s && s->remote ? s->remote->fault() : std::nullopt;
}

void chooseAgain() {
    std::shared_ptr<Served> old;
    {
        std::lock_guard<std::mutex> guard(choosing());
        old = std::move(current());
    }
    // The host ends here, or with the last call still holding it.
}

std::optional<std::string> makerConversion(const std::string& input) {
    const auto s = served();
    if (!s->choice.maker)
        return std::nullopt;
    if (!s->remote)
        return std::string();
    // The converter reads a zero-terminated text, as the program hands it over.
    const CallOutcome outcome =
        s->remote->call(callRequest(Operation::ConvertCode, 2, {input.substr(0, input.find('\0'))}));
    return outcome.ok ? outcome.buffer : std::string();
}

unsigned char linkState() {
    const auto s = served();
    if (!s->choice.maker)
        return emu::operations::linkState();
    return s->remote && s->remote->call(callRequest(Operation::LinkState)).ok ? 1 : 0;
}

unsigned char readVersion(char* buffer) {
    const auto s = served();
    if (!s->choice.maker)
        return emu::operations::readVersion(buffer);
    return s->remote
               ? bufferCall(*s->remote, callRequest(Operation::ReadVersion), buffer, wire::kVersionBufferSize)
               : 0;
}

unsigned char basicInfo(char* buffer) {
    const auto s = served();
    if (!s->choice.maker)
        return emu::operations::basicInfo(buffer);
    return s->remote
               ? bufferCall(*s->remote, callRequest(Operation::BasicInfo), buffer, wire::kBasicInfoBufferSize)
               : 0;
}

unsigned char readData(char* buffer, std::int32_t blockCount, const char* addrHigh, const char* addrLow,
                       const char* blockUnit) {
    const auto s = served();
    if (!s->choice.maker)
        return emu::operations::readData(buffer, blockCount, addrHigh, addrLow, blockUnit);
    if (!s->remote || blockCount <= 0 || blockCount > kMaxBlockCount || !addrHigh || !addrLow || !blockUnit)
        return 0;
    return bufferCall(*s->remote,
                      callRequest(Operation::ReadData, blockCount, {addrHigh, addrLow, blockUnit}), buffer,
                      wire::kCharsPerBlock * static_cast<std::size_t>(blockCount));
}

unsigned char writeData(const char* blockUnit, const char* addrHigh, const char* addrLow, const char* data) {
    const auto s = served();
    if (!s->choice.maker)
        return emu::operations::writeData(blockUnit, addrHigh, addrLow, data);
    if (!s->remote || !blockUnit || !addrHigh || !addrLow || !data)
        return 0;
    return s->remote->call(callRequest(Operation::WriteData, 0, {blockUnit, addrHigh, addrLow, data})).ok ? 1
                                                                                                          : 0;
}

unsigned char setCarrier() {
    const auto s = served();
    if (!s->choice.maker)
        return emu::operations::setCarrier();
    return s->remote && s->remote->call(callRequest(Operation::SetCarrier)).ok ? 1 : 0;
}

unsigned char collectCode(char* buffer) {
    const auto s = served();
    if (!s->choice.maker)
        return emu::operations::collectCode(buffer);
    return s->remote
               ? bufferCall(*s->remote, callRequest(Operation::CollectCode), buffer, wire::kCaptureBufferSize)
               : 0;
}

} // namespace bridge
