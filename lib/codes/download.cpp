#include "download.h"

#include "downloadfiles.h"
#include "downloadinstall.h"
#include "downloadtransfer.h"
#include "downloadunpack.h"
#include "ownerslibrary.h"

#include <chrono>

namespace codes {

namespace fs = std::filesystem;

namespace {

// Removes the temporary archive and folder however the download ends.
struct Scratch {
    const DownloadPlaces& places;
    ~Scratch() {
        std::error_code ignored;
        fs::remove(places.archive, ignored);
        fs::remove_all(places.unpacked, ignored);
    }
};

} // namespace

bool downloadsBuiltIn() { return true; }

std::variant<Downloaded, DownloadProblem> downloadCollection(const Collection& collection,
                                                             const fs::path& codeFolder,
                                                             const DownloadNote& note,
                                                             const std::atomic<bool>& cancelled) {
    const auto started = std::chrono::steady_clock::now();
    std::error_code error;
    fs::create_directories(codeFolder, error);
    if (error || !fs::is_directory(codeFolder, error))
        return writeProblem(codeFolder, error ? error : std::make_error_code(std::errc::not_a_directory));
    removeLeftovers(codeFolder, collection.name);
    const DownloadPlaces places = downloadPlaces(codeFolder, collection.name);
    const Scratch scratch{places};

    const auto fetched = [&](const TransferProgress& p) {
        if (note)
            note({DownloadStage::Fetching, p.bytes, p.total, p.bytesPerSecond, 0});
    };
    if (auto problem = fetchToFile(collection.archive, places.archive, fetched, cancelled))
        return *problem;
    Downloaded downloaded;
    downloaded.bytes = fs::file_size(places.archive, error);

    fs::create_directory(places.unpacked, error);
    if (error)
        return writeProblem(places.unpacked, error);
    const auto unpacking = [&](const UnpackProgress& p) {
        if (note)
            note({DownloadStage::Unpacking, p.read, p.size, 0, p.files});
    };
    auto unpacked = unpackArchive(places.archive, places.unpacked, unpacking, cancelled);
    if (auto* problem = std::get_if<DownloadProblem>(&unpacked))
        return *problem;
    // The archive's room is given back before the old copy and the new one share the disk.
    fs::remove(places.archive, error);
    if (cancelled.load())
        return DownloadProblem{.fault = DownloadFault::Cancelled};
    downloaded.replaced = fs::exists(places.target, error);
    if (auto problem = replaceFolder(std::get<fs::path>(unpacked), places.target))
        return *problem;
    downloaded.folder = places.target;
    downloaded.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return downloaded;
}

std::variant<Downloaded, DownloadProblem> downloadIntoLibrary(const Collection& collection,
                                                              const DownloadNote& note,
                                                              const std::atomic<bool>& cancelled) {
    auto result = downloadCollection(collection, standardLibraryFolders().back(), note, cancelled);
    auto* downloaded = std::get_if<Downloaded>(&result);
    if (downloaded == nullptr)
        return result;
    if (note)
        note({DownloadStage::Indexing, 0, 0, 0, 0});
    std::error_code error;
    auto opened = openOwnersLibrary();
    if (const auto* problem = std::get_if<std::string>(&opened))
        downloaded->indexProblem = *problem;
    else
        downloaded->sets = setsUnder(std::get<OwnersLibrary>(opened).index,
                                     fs::absolute(downloaded->folder, error).lexically_normal());
    return result;
}

} // namespace codes
