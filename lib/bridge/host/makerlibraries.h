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
#include <optional>

namespace host {

class MakerLibraries {
public:
    // Loads the two files of `folder` and finds every export; the Refused answer when it cannot.
    std::optional<bridge::Answer> load(const std::filesystem::path& folder, CallWatch& watch);

    // Makes the call and answers it: Done, Overrun, or TimedOut (the host must then end).
    bridge::Answer call(const bridge::Request& request, CallWatch& watch);

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
