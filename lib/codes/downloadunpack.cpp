#include "downloadunpack.h"

#include "downloadfiles.h"
#include "model/portablefiles.h"

#include <archive.h>
#include <archive_entry.h>

#include <cctype>
#include <chrono>
#include <map>
#include <memory>
#include <set>

namespace codes {

namespace fs = std::filesystem;

namespace {

// As many links as Linux follows in one path before it gives up on a loop.
constexpr int kMostLinksFollowed = 40;

bool startsAtRoot(std::string_view name) {
    if (!name.empty() && (name[0] == '/' || name[0] == '\\'))
        return true;
    return name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

// Appends the parts of `name` to `parts`, ".." taking the last one away; false when ".." finds
// nothing left to take.
bool walk(std::string_view name, std::vector<std::string>& parts) {
    while (!name.empty()) {
        const auto cut = name.find_first_of("/\\");
        const std::string_view part = name.substr(0, cut);
        if (part == "..") {
            if (parts.empty())
                return false;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
        name = cut == std::string_view::npos ? std::string_view() : name.substr(cut + 1);
    }
    return true;
}

// The parts of `target` still to walk, pushed so that the first is last; false when it is empty
// or starts at a root.
bool pushAhead(std::string_view target, std::vector<std::string>& ahead) {
    if (target.empty() || startsAtRoot(target))
        return false;
    std::vector<std::string> parts;
    while (!target.empty()) {
        const auto cut = target.find_first_of("/\\");
        const std::string_view part = target.substr(0, cut);
        if (!part.empty() && part != ".")
            parts.emplace_back(part);
        target = cut == std::string_view::npos ? std::string_view() : target.substr(cut + 1);
    }
    ahead.insert(ahead.end(), parts.rbegin(), parts.rend());
    return true;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string path;
    for (const std::string& part : parts)
        path += (path.empty() ? "" : "/") + part;
    return path;
}

fs::path under(const fs::path& folder, const std::vector<std::string>& parts) {
    fs::path path = folder;
    for (const std::string& part : parts)
        path /= model::textPath(part);
    return path;
}

struct ArchiveDeleter {
    void operator()(archive* a) const { archive_read_free(a); }
};

std::string nameOf(archive_entry* entry) {
    const char* utf8 = archive_entry_pathname_utf8(entry);
    const char* raw = utf8 ? utf8 : archive_entry_pathname(entry);
    return raw ? raw : "";
}

DownloadProblem damaged(archive* a) {
    const char* why = archive_error_string(a);
    return {.fault = DownloadFault::DamagedArchive, .other = why ? why : ""};
}

struct PendingLink {
    fs::path at;
    std::string name, target;
    std::vector<std::string> parts;
};

class Unpacker {
public:
    Unpacker(archive* a, const fs::path& folder, const UnpackNote& note, const std::atomic<bool>& cancelled,
             const UnpackLimits& limits, std::uint64_t size)
        : a_(a), folder_(folder), note_(note), cancelled_(cancelled), limits_(limits), size_(size) {}

    // The folder holding the collection once every entry is unpacked, or the problem.
    std::variant<fs::path, DownloadProblem> run() {
        archive_entry* entry = nullptr;
        std::size_t entries = 0;
        for (;;) {
            const int read = archive_read_next_header(a_, &entry);
            if (read == ARCHIVE_EOF)
                break;
            if (read != ARCHIVE_OK && read != ARCHIVE_WARN)
                return damaged(a_);
            if (cancelled_.load())
                return DownloadProblem{.fault = DownloadFault::Cancelled};
            if (++entries > limits_.mostEntries)
                return DownloadProblem{.fault = DownloadFault::DamagedArchive,
                                       .other =
                                           "more than " + std::to_string(limits_.mostEntries) + " entries"};
            if (auto problem = unpackEntry(entry))
                return *problem;
            tell(false);
        }
        if (files_ == 0)
            return DownloadProblem{.fault = DownloadFault::EmptyArchive};
        // GitHub puts everything under one top folder ("Flipper-IRDB-main/"): the collection is
        // inside it, and its links are judged from there.
        const bool oneTop = tops_.size() == 1 && !topHoldsOther_;
        const fs::path root = oneTop ? under(folder_, {*tops_.begin()}) : folder_;
        if (auto problem = makeLinks(root, oneTop))
            return *problem;
        tell(true);
        return root;
    }

private:
    std::optional<DownloadProblem> unpackEntry(archive_entry* entry) {
        const std::string name = nameOf(entry);
        const auto parts = entryParts(name);
        if (!parts)
            return DownloadProblem{.fault = DownloadFault::EntryClimbsOut, .text = name};
        const fs::path at = under(folder_, *parts);
        if (!parts->empty()) {
            tops_.insert(parts->front());
            // A file or link at the top means there is no single top folder to strip.
            if (parts->size() == 1 && archive_entry_filetype(entry) != AE_IFDIR)
                topHoldsOther_ = true;
        }
        std::error_code error;
        if (const char* linked = archive_entry_hardlink(entry)) {
            const auto target = entryParts(linked);
            if (!target)
                return DownloadProblem{
                    .fault = DownloadFault::LinkPointsOutside, .text = name, .other = linked};
            if (auto problem = makeParent(at))
                return problem;
            fs::create_hard_link(under(folder_, *target), at, error);
            if (error)
                return DownloadProblem{.fault = DownloadFault::DamagedArchive,
                                       .other = name + ": " + error.message()};
            ++files_;
            return std::nullopt;
        }
        switch (archive_entry_filetype(entry)) {
        case AE_IFDIR:
            if (parts->empty())
                return std::nullopt;
            fs::create_directories(at, error);
            return error ? std::optional(writeProblem(at, error)) : std::nullopt;
        case AE_IFREG:
            if (parts->empty())
                return DownloadProblem{.fault = DownloadFault::DamagedArchive,
                                       .other = "a file without a name"};
            return writeFile(at);
        case AE_IFLNK: {
            const char* target = archive_entry_symlink(entry);
            const std::string to = target ? target : "";
            if (parts->empty() || !linkStaysInside(name, to))
                return DownloadProblem{.fault = DownloadFault::LinkPointsOutside, .text = name, .other = to};
            // Made once every file is written, so that no file is ever written through a link.
            links_.push_back({at, name, to, *parts});
            return std::nullopt;
        }
        default:
            // Devices, pipes and sockets hold no codes.
            return std::nullopt;
        }
    }

    std::optional<DownloadProblem> makeParent(const fs::path& at) {
        std::error_code error;
        fs::create_directories(at.parent_path(), error);
        if (error)
            return writeProblem(at.parent_path(), error);
        return std::nullopt;
    }

    std::optional<DownloadProblem> writeFile(const fs::path& at) {
        if (auto problem = makeParent(at))
            return problem;
        std::FILE* file = openForWriting(at);
        if (file == nullptr)
            return writeProblem(at, errno);
        std::uint64_t written = 0;
        const void* block = nullptr;
        std::size_t size = 0;
        la_int64_t offset = 0;
        std::optional<DownloadProblem> problem;
        for (;;) {
            const int read = archive_read_data_block(a_, &block, &size, &offset);
            if (read == ARCHIVE_EOF)
                break;
            if (read != ARCHIVE_OK && read != ARCHIVE_WARN) {
                problem = damaged(a_);
                break;
            }
            if (cancelled_.load()) {
                problem = DownloadProblem{.fault = DownloadFault::Cancelled};
                break;
            }
            if (offset < 0 || static_cast<std::uint64_t>(offset) < written) {
                problem =
                    DownloadProblem{.fault = DownloadFault::DamagedArchive, .other = "blocks out of order"};
                break;
            }
            // A sparse file's holes come as a jump of the offset: they are written as zeros.
            const std::uint64_t hole = static_cast<std::uint64_t>(offset) - written;
            if (total_ + hole + size > limits_.largest) {
                problem = DownloadProblem{
                    .fault = DownloadFault::TooLarge, .text = "files", .limit = limits_.largest};
                break;
            }
            static const char zeros[4096] = {};
            bool wrote = true;
            for (std::uint64_t left = hole; wrote && left > 0;
                 left -= std::min<std::uint64_t>(left, sizeof zeros))
                wrote = writeBytes(file, zeros, std::min<std::uint64_t>(left, sizeof zeros));
            if (!wrote || !writeBytes(file, block, size)) {
                problem = writeProblem(at, errno);
                break;
            }
            written += hole + size;
            total_ += hole + size;
            tell(false);
        }
        const bool closed = closeWritten(file);
        if (!problem && !closed)
            problem = writeProblem(at, errno);
        if (!problem)
            ++files_;
        return problem;
    }

    std::optional<DownloadProblem> makeLinks(const fs::path& root, bool underTop) {
        // Once the top folder is stripped, a link may not lead up into it either.
        const auto inRoot = [underTop](const PendingLink& link) {
            return joined(
                std::vector<std::string>(link.parts.begin() + (underTop ? 1 : 0), link.parts.end()));
        };
        std::map<std::string, std::string> targets;
        for (const PendingLink& link : links_)
            targets[inRoot(link)] = link.target;
        for (const PendingLink& link : links_) {
            const auto leadsTo = linkLeadsTo(inRoot(link), link.target, targets);
            if (!leadsTo)
                return outside(link);
            if (auto problem = makeParent(link.at))
                return problem;
            if (auto problem = makeLink(link, under(root, *leadsTo)))
                return problem;
        }
        return links_.empty() ? std::nullopt : linksLeadInside(root);
    }

    static DownloadProblem outside(const PendingLink& link) {
        return {.fault = DownloadFault::LinkPointsOutside, .text = link.name, .other = link.target};
    }

#if defined(_WIN32)
    // The file the link leads to, copied in its place; a folder, or nothing, is left out.
    std::optional<DownloadProblem> makeLink(const PendingLink& link, const fs::path& leadsTo) {
        std::error_code error;
        if (!fs::is_regular_file(leadsTo, error))
            return std::nullopt;
        fs::copy_file(leadsTo, link.at, error);
        return error ? std::optional(writeProblem(link.at, error)) : std::nullopt;
    }

    // Copies lead nowhere.
    std::optional<DownloadProblem> linksLeadInside(const fs::path&) { return std::nullopt; }
#else
    std::optional<DownloadProblem> makeLink(const PendingLink& link, const fs::path&) {
        std::error_code error;
        fs::create_symlink(model::textPath(link.target), link.at, error);
        if (error)
            return DownloadProblem{.fault = DownloadFault::DamagedArchive,
                                   .other = link.name + ": " + error.message()};
        return std::nullopt;
    }

    // The file system has the last word on where the links made lead.
    std::optional<DownloadProblem> linksLeadInside(const fs::path& root) {
        std::error_code error;
        const fs::path real = fs::canonical(root, error);
        if (error)
            return writeProblem(root, error);
        for (const PendingLink& link : links_) {
            const fs::path resolved = fs::weakly_canonical(link.at, error);
            const fs::path inside = resolved.lexically_relative(real);
            if (error || inside.empty() || *inside.begin() == "..")
                return outside(link);
        }
        return std::nullopt;
    }
#endif

    void tell(bool last) {
        const auto now = std::chrono::steady_clock::now();
        if (!note_ || (!last && now - lastNote_ < std::chrono::milliseconds(100)))
            return;
        lastNote_ = now;
        const la_int64_t read = archive_filter_bytes(a_, -1);
        note_({read > 0 ? static_cast<std::uint64_t>(read) : 0, size_, files_});
    }

    archive* a_;
    const fs::path& folder_;
    const UnpackNote& note_;
    const std::atomic<bool>& cancelled_;
    const UnpackLimits& limits_;
    std::uint64_t size_;
    std::uint64_t total_ = 0;
    std::size_t files_ = 0;
    std::vector<PendingLink> links_;
    std::set<std::string> tops_; // the first part of every entry's path
    bool topHoldsOther_ = false; // a file or link lies at the top, beside any folder
    std::chrono::steady_clock::time_point lastNote_{};
};

} // namespace

std::optional<std::vector<std::string>> entryParts(std::string_view name) {
    std::vector<std::string> parts;
    if (startsAtRoot(name) || !walk(name, parts))
        return std::nullopt;
    return parts;
}

bool linkStaysInside(std::string_view link, std::string_view target) {
    auto parts = entryParts(link);
    if (!parts || parts->empty() || target.empty() || startsAtRoot(target))
        return false;
    parts->pop_back();
    return walk(target, *parts);
}

std::optional<std::vector<std::string>> linkLeadsTo(std::string_view link, std::string_view target,
                                                    const std::map<std::string, std::string>& links) {
    auto parts = entryParts(link);
    if (!parts || parts->empty())
        return std::nullopt;
    parts->pop_back();
    std::vector<std::string> ahead;
    if (!pushAhead(target, ahead))
        return std::nullopt;
    int followed = 0;
    while (!ahead.empty()) {
        std::string part = std::move(ahead.back());
        ahead.pop_back();
        if (part == "..") {
            if (parts->empty())
                return std::nullopt;
            parts->pop_back();
            continue;
        }
        parts->push_back(std::move(part));
        const auto other = links.find(joined(*parts));
        if (other == links.end())
            continue;
        // Another link on the way: its target is walked from the folder it lies in.
        parts->pop_back();
        if (++followed > kMostLinksFollowed || !pushAhead(other->second, ahead))
            return std::nullopt;
    }
    return parts;
}

std::variant<fs::path, DownloadProblem> unpackArchive(const fs::path& archiveFile, const fs::path& folder,
                                                      const UnpackNote& note,
                                                      const std::atomic<bool>& cancelled,
                                                      const UnpackLimits& limits) {
    const std::unique_ptr<archive, ArchiveDeleter> a(archive_read_new());
    if (!a)
        return DownloadProblem{.fault = DownloadFault::DamagedArchive, .other = "libarchive could not start"};
    // A zip is read from its central directory at the end: one cut short is not taken for whole.
    archive_read_support_format_zip_seekable(a.get());
    archive_read_support_format_tar(a.get());
    archive_read_support_filter_gzip(a.get());
    // Only where built in: without the library libarchive would hand the archive to an outside
    // bzip2 or xz program, which Windows would look for in the current folder and on the PATH.
    if (archive_bzlib_version() != nullptr)
        archive_read_support_filter_bzip2(a.get());
    if (archive_liblzma_version() != nullptr)
        archive_read_support_filter_xz(a.get());
#if defined(_WIN32)
    const int opened = archive_read_open_filename_w(a.get(), archiveFile.c_str(), 1 << 16);
#else
    const int opened = archive_read_open_filename(a.get(), archiveFile.c_str(), 1 << 16);
#endif
    if (opened != ARCHIVE_OK)
        return damaged(a.get());
    std::error_code error;
    const std::uint64_t size = fs::file_size(archiveFile, error);
    Unpacker unpacker(a.get(), folder, note, cancelled, limits, error ? 0 : size);
    return unpacker.run();
}

} // namespace codes
