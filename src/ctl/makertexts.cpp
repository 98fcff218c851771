#include "makertexts.h"

#include "model/portablefiles.h"

namespace ctl {

namespace {

using bridge::MakerFile;
using bridge::Refusal;

std::string fileText(const bridge::MakerProblem& p) {
    const std::string path = p.path.empty() ? std::string() : " " + model::pathText(p.path);
    switch (p.file) {
    case MakerFile::DeviceLibrary:
        return "the maker's device library" + path;
    case MakerFile::Converter:
        return "the maker's converter" + path;
    case MakerFile::Host:
        break;
    }
    return "the 32-bit host" + path;
}

std::string loadErrorText(const std::string& code) {
    if (code == "126")
        return " (error 126: a library it needs is missing beside it)";
    if (code == "193")
        return " (error 193: it is not a valid 32-bit library)";
    return " (error " + code + ")";
}

// Where the host ended before its first answer on Linux, 32-bit wine is the likely reason.
std::string wineHint() {
#if defined(_WIN32)
    return {};
#else
    return "; it runs under 32-bit wine: is wine32:i386 installed?";
#endif
}

} // namespace

std::string remoteInUseText(const bridge::RemoteInUse& remote) {
    if (!remote.maker)
        return "the virtual QTM-418";
    return "a QTM-418 through the maker's library in " + model::pathText(remote.folder);
}

std::string makerProblemText(const bridge::MakerProblem& p) {
    const std::string file = fileText(p);
    const std::string limit = std::to_string(bridge::kCallLimitSeconds);
    switch (p.reason) {
    case Refusal::Missing:
        if (p.file == MakerFile::Host)
            return file + " is missing; reinstall the program";
        return file + " is missing: the maker's kestrio.dll and ConLCode.dll are used together or not at all";
    case Refusal::NotALibrary:
        return file + " is not a Windows library; it may be damaged";
    case Refusal::Needs32Bit:
        return file + " is a 64-bit library; the maker's 32-bit library is needed";
    case Refusal::OtherMachine:
        return file + " is a library for another processor; the maker's 32-bit (x86) library is needed";
    case Refusal::CannotLoad:
        return file + " cannot be loaded" + loadErrorText(p.detail);
    case Refusal::ExportMissing:
        return file + " has no function " + p.detail + "; it is not the QTM-418's library";
    case Refusal::LoadDoesNotReturn:
        return file + " did not finish loading within " + limit + " s";
    case Refusal::OtherVersion:
        return file + " is of another version; reinstall the program";
    case Refusal::CannotStart:
        return file + " cannot be started: " + p.detail;
    case Refusal::ChannelBroken:
        return file + " stopped answering (" + p.detail + ")" + wineHint();
    case Refusal::WritesPastBuffer:
        return file + " wrote past the buffer " + p.detail + " was given; the call was refused";
    case Refusal::CallDoesNotReturn:
        return file + ": " + p.detail + " did not return within " + limit +
               " s; the remote counts as unplugged until the program starts again";
    case Refusal::Crashed:
        return file + " crashed in " + p.detail +
               "; the remote counts as unplugged until the program starts again";
    }
    return file + " cannot be used";
}

std::string noRemoteText() {
    if (const auto problem = bridge::remoteInUse().problem)
        return makerProblemText(*problem);
    return "no remote is attached; check the USB cable";
}

} // namespace ctl
