// A downloaded archive unpacked with libarchive into a folder of its own, refusing the whole
// archive when any entry would land outside that folder: a path that climbs out (../) or starts at
// a root, or a link (symbolic or hard) that points outside.
#pragma once

#include "downloadproblem.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace codes {

struct UnpackProgress {
    std::uint64_t read = 0; // of the archive file
    std::uint64_t size = 0; // the archive file's size
    std::size_t files = 0;  // unpacked so far
};

using UnpackNote = std::function<void(const UnpackProgress&)>;

struct UnpackLimits {
    std::uint64_t largest = std::uint64_t(4) << 30; // all files together
    std::size_t mostEntries = 1000000;
};

// The parts of an entry's path, "." and empty parts dropped; nullopt when the path starts at a
// root ("/x", "\\x", "C:x") or climbs out of the folder through "..". Backslashes separate too.
std::optional<std::vector<std::string>> entryParts(std::string_view name);

// Whether a symbolic link named `link` (an entry's path) whose target is `target` stays inside the
// folder, as far as the names tell.
bool linkStaysInside(std::string_view link, std::string_view target);

// Where a symbolic link named `link` whose target is `target` leads: the parts of a path in the
// folder, following on the way the archive's other links (`links`: each one's path in the folder,
// its parts joined by "/", with its target). nullopt when it leads outside the folder, starts at
// a root, or goes round through more links than Linux would follow.
std::optional<std::vector<std::string>> linkLeadsTo(std::string_view link, std::string_view target,
                                                    const std::map<std::string, std::string>& links);

// Unpacks `archive` (zip or tar, plain or compressed with gzip, or with bzip2 or xz where this
// libarchive was built with them) into `folder`, which exists and is empty. The folder holding the
// collection: `folder`, or its one subfolder when the archive put everything under one top folder
// (GitHub's "Flipper-IRDB-main/"). On failure `folder` may hold part of the archive: the caller
// removes it. On Windows, where a program may not make symbolic links without an administrator's
// rights, a link to a file of the archive is unpacked as a copy of the file, and a link to a
// folder or to nothing is left out.
std::variant<std::filesystem::path, DownloadProblem>
unpackArchive(const std::filesystem::path& archive, const std::filesystem::path& folder,
              const UnpackNote& note, const std::atomic<bool>& cancelled, const UnpackLimits& limits = {});

} // namespace codes
