// Archives made by the tests themselves with libarchive, in memory: zip or tar.gz, with files,
// folders and links named as the test likes, however unsafe.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct ArchiveEntry {
    enum class Kind { File, Folder, Symlink, Hardlink };
    std::string name;
    std::string data{}; // a file's contents
    Kind kind = Kind::File;
    std::string target{}; // a link's target
};

enum class ArchiveForm { Zip, TarGz };

std::string makeArchive(ArchiveForm form, const std::vector<ArchiveEntry>& entries);

} // namespace testsupport
