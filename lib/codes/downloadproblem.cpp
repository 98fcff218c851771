#include "downloadproblem.h"

namespace codes {

namespace {

std::string megabytes(std::uint64_t bytes) { return std::to_string((bytes + (1u << 19)) >> 20) + " MB"; }

std::string because(const std::string& reason) { return reason.empty() ? "" : ": " + reason; }

} // namespace

std::string describe(const DownloadProblem& p) {
    switch (p.fault) {
    case DownloadFault::NotInThisBuild:
        return "downloading code collections is not part of this build; download the collection by hand "
               "and add its folder with 'qtm418ctl library add DIR'";
    case DownloadFault::AddressRefused:
        return "'" + p.text + "' is not an address to download from: it must start with https://";
    case DownloadFault::HostNotFound:
        return "the server " + p.text + " was not found (is this computer connected to the internet?)";
    case DownloadFault::NoConnection:
        return "no connection to " + p.text + because(p.other);
    case DownloadFault::Stalled:
        return "the server sent nothing for " + std::to_string(p.number) + " seconds";
    case DownloadFault::SecureLinkFailed:
        return "the secure connection to the server failed" + because(p.other);
    case DownloadFault::HttpStatus:
        return "the server answered " + std::to_string(p.number) + (p.number == 404 ? " (not found)" : "") +
               " for " + p.text;
    case DownloadFault::ConnectionCut:
        return "the connection broke off after " + std::to_string(p.number) + " bytes";
    case DownloadFault::TransferFailed:
        return "the download failed" + because(p.other);
    case DownloadFault::TooLarge:
        return "the " + p.text + " would be larger than " + megabytes(p.limit) +
               ", more than any code collection";
    case DownloadFault::DamagedArchive:
        return "the downloaded file is not a zip or tar archive or is damaged" + because(p.other);
    case DownloadFault::EmptyArchive:
        return "the downloaded archive holds no file";
    case DownloadFault::EntryClimbsOut:
        return "the archive's entry '" + p.text + "' would be written outside the collection's folder";
    case DownloadFault::LinkPointsOutside:
        return "the archive's link '" + p.text + "' points outside the collection's folder (to '" + p.other +
               "')";
    case DownloadFault::DiskFull:
        return "the disk is full: " + p.text + " cannot be written";
    case DownloadFault::CannotWrite:
        return p.text + " cannot be written" + because(p.other);
    case DownloadFault::Cancelled:
        return "cancelled";
    }
    return {};
}

} // namespace codes
