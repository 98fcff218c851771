// The maker's remote as the host serves it: the first exchange that has the host load the two
// files, then the calls, with what went wrong on the way kept for the program to say.
#pragma once

#include "channel.h"
#include "makerfiles.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

namespace bridge {

struct CallOutcome {
    bool ok = false;
    std::string buffer; // the whole buffer after a successful call; ConvertCode: its answer
};

class MakerRemote {
public:
    explicit MakerRemote(std::unique_ptr<Transport> transport);

    // Has the host load the maker's files from `folder`; why not, when it cannot. The host's
    // first start under wine may take a while: `limit` is for that.
    std::optional<MakerProblem> open(const std::filesystem::path& folder, std::chrono::milliseconds limit);

    // One call; a call refused (a buffer written past) or not answered fails.
    CallOutcome call(const Request& request);

    // The last thing that went wrong after opening: a buffer written past, a call that did not
    // return or crashed, the host gone.
    std::optional<MakerProblem> fault() const;
    // The host is gone, and every later call fails at once: the remote counts as unplugged.
    bool gone() const { return channel_.closed(); }

private:
    void noteFault(MakerProblem problem);

    Channel channel_;
    mutable std::mutex faultMutex_;
    std::optional<MakerProblem> fault_;
};

} // namespace bridge
