#include "archives.h"

#include <archive.h>
#include <archive_entry.h>

#include <stdexcept>

namespace testsupport {

namespace {

la_ssize_t append(archive*, void* out, const void* bytes, size_t size) {
    static_cast<std::string*>(out)->append(static_cast<const char*>(bytes), size);
    return static_cast<la_ssize_t>(size);
}

} // namespace

std::string makeArchive(ArchiveForm form, const std::vector<ArchiveEntry>& entries) {
    std::string out;
    archive* a = archive_write_new();
    if (form == ArchiveForm::Zip) {
        archive_write_set_format_zip(a);
    } else {
        archive_write_set_format_pax_restricted(a);
        archive_write_add_filter_gzip(a);
    }
    // Whole blocks are not padded out for memory.
    archive_write_set_bytes_in_last_block(a, 1);
    if (archive_write_open(a, &out, nullptr, append, nullptr) != ARCHIVE_OK)
        throw std::runtime_error(archive_error_string(a));
    for (const ArchiveEntry& e : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.name.c_str());
        archive_entry_set_perm(entry, 0644);
        switch (e.kind) {
        case ArchiveEntry::Kind::File:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, static_cast<la_int64_t>(e.data.size()));
            break;
        case ArchiveEntry::Kind::Folder:
            archive_entry_set_filetype(entry, AE_IFDIR);
            archive_entry_set_perm(entry, 0755);
            break;
        case ArchiveEntry::Kind::Symlink:
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_symlink(entry, e.target.c_str());
            break;
        case ArchiveEntry::Kind::Hardlink:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_hardlink(entry, e.target.c_str());
            break;
        }
        if (archive_write_header(a, entry) != ARCHIVE_OK)
            throw std::runtime_error(archive_error_string(a));
        if (e.kind == ArchiveEntry::Kind::File && !e.data.empty())
            archive_write_data(a, e.data.data(), e.data.size());
        archive_entry_free(entry);
    }
    archive_write_close(a);
    archive_write_free(a);
    return out;
}

} // namespace testsupport
