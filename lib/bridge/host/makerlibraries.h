// The maker's kestrio.dll and ConLCode.dll loaded into the host, each export found under its
// plain name or one of its __stdcall decorations, and the calls made with the buffers the program
// hands them: zero-filled, of the sizes the program uses, guarded against writing past.
#pragma once

#include "callwatch.h"

#include "bridge/makerfiles.h"
#include "bridge/protocol.h"

#include "model/windowsapi.h"

#include <array>
#include <filesystem>
#include <functional>
#include <optional>

namespace host {

// Says a last answer and ends the host: what a call that does not return leaves to do.
using EndWith = std::function<void(const bridge::Answer&)>;

class MakerLibraries {
public:
    // Loads the two files of `folder` and finds every export; the Refused answer when it cannot.
    // A library whose loading does not return ends the host with that refusal.
    std::optional<bridge::Answer> load(const std::filesystem::path& folder, CallWatch& watch,
                                       const EndWith& endWith);

    // Makes the call and answers it: Done or Overrun. A call that does not return ends the host
    // with TimedOut.
    bridge::Answer call(const bridge::Request& request, CallWatch& watch, const EndWith& endWith);

private:
    FARPROC exportOf(bridge::Operation op) const { return exports_[static_cast<std::size_t>(op)]; }

    HMODULE deviceLibrary_ = nullptr;
    HMODULE converter_ = nullptr;
    std::array<FARPROC, 16> exports_{};
};

// The names an export of `argumentBytes` bytes of __stdcall arguments may carry, in the order
// they are tried: "name", "name@N" (MinGW), "_name@N" (MSVC without a .def file).
std::array<std::string, 3> exportNames(const char* name, unsigned argumentBytes);

// The operation whose call is running, for a report of a crash inside it.
bridge::Operation runningOperation();

} // namespace host
