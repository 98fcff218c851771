// library download: a public collection of remote codes, or any archive by its address, fetched,
// unpacked into the user's own code folder and indexed, with a progress bar; Ctrl+C cancels and
// leaves the library as it was.
#include "commands.h"
#include "interrupt.h"
#include "progress.h"

#include "codes/download.h"
#include "codes/ownerslibrary.h"
#include "model/portablefiles.h"

#include <cstdio>
#include <filesystem>
#include <ostream>

namespace ctl {

namespace fs = std::filesystem;

namespace {

std::string licenceText(codes::Licence licence) {
    switch (licence) {
    case codes::Licence::Cc0:
        return "CC0 1.0, free for any use";
    case codes::Licence::Mit:
        return "MIT, keep its copyright notice";
    case codes::Licence::Irdb:
        return "IRDB's own, with conditions (shown before downloading)";
    case codes::Licence::Unknown:
        break;
    }
    return "as its maker says";
}

const char* const kIrdbConditions =
    "IRDB's licence has conditions: a product (software or hardware) that includes the database or "
    "reaches it over the network must (1) make itself known to the irdb project before using it, with a "
    "report at https://github.com/probonopd/irdb, (2) carry the notice \"Contains/accesses irdb by Simon "
    "Peter, used under permission. For details, see https://github.com/probonopd/irdb\", and (3) give "
    "Simon Peter up to three copies of the product free of charge on request. The licence: "
    "https://github.com/probonopd/irdb/blob/master/LICENSE.md";

int listCollections(const Console& console) {
    const fs::path own = codes::standardLibraryFolders().back();
    console.out << "code collections to download with 'qtm418ctl library download NAME' (or give an "
                   "archive's https:// address):\n";
    for (const codes::Collection& c : codes::knownCollections()) {
        std::error_code error;
        const bool here = fs::is_directory(own / c.name, error);
        console.out << "  " << c.name << ": about " << byteSize(c.approximateBytes) << ", licence "
                    << licenceText(c.licence) << "; " << c.page << (here ? " (downloaded)" : "") << "\n";
    }
    console.out << "they are unpacked into " << model::pathText(own)
                << ", which is always part of the library\n";
    return kDone;
}

std::string stageName(codes::DownloadStage stage) {
    switch (stage) {
    case codes::DownloadStage::Fetching:
        return "download";
    case codes::DownloadStage::Unpacking:
        return "unpack";
    case codes::DownloadStage::Indexing:
        break;
    }
    return "index";
}

} // namespace

int libraryDownload(const Arguments& args, const Console& console) {
    if (args.operands.size() == 1)
        return listCollections(console);
    if (!codes::downloadsBuiltIn())
        return console.fail(kRefused, codes::describe({.fault = codes::DownloadFault::NotInThisBuild}));
    const std::string& wanted = args.operands[1];
    codes::Collection collection;
    if (codes::looksLikeAddress(wanted)) {
        auto at = codes::collectionAt(wanted);
        if (const auto* problem = std::get_if<codes::DownloadProblem>(&at))
            return console.fail(kNoRemote, "library download: " + codes::describe(*problem));
        collection = std::get<codes::Collection>(std::move(at));
    } else if (const codes::Collection* known = codes::findCollection(wanted)) {
        collection = *known;
    } else {
        return console.fail(kNoRemote, "library download: no collection called '" + wanted +
                                           "'; 'qtm418ctl library download' lists them");
    }
    if (codes::licenceNeedsConsent(collection.licence)) {
        console.err << kIrdbConditions << "\n";
        if (!args.has("--yes") &&
            !console.confirm("download " + collection.name + " under these conditions?"))
            return console.fail(kRefused, "not downloaded");
    }

    InterruptCatcher interrupt;
    ProgressLine line(console, args.has("--progress"));
    const auto result = codes::downloadIntoLibrary(
        collection,
        [&](const codes::DownloadProgress& p) {
            const std::string what = stageName(p.stage) + " " + collection.name;
            if (p.stage == codes::DownloadStage::Fetching)
                line.showTransfer(what, p.done, p.total, p.bytesPerSecond);
            else if (p.stage == codes::DownloadStage::Unpacking)
                line.show(what + " (" + std::to_string(p.files) + " files)", p.done, p.total);
            else
                line.showStep(what + "...");
        },
        interrupt.flag());
    line.finish();
    if (const auto* problem = std::get_if<codes::DownloadProblem>(&result)) {
        if (problem->fault == codes::DownloadFault::Cancelled)
            return console.fail(kRefused,
                                "download of " + collection.name + " cancelled; the library is as it was");
        return console.fail(kRefused, "download of " + collection.name + ": " + codes::describe(*problem) +
                                          "; the library is as it was");
    }
    const codes::Downloaded& done = std::get<codes::Downloaded>(result);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", done.seconds);
    console.out << (done.replaced ? "updated " : "downloaded ") << collection.name << " ("
                << byteSize(done.bytes) << " in " << seconds << " s) into " << model::pathText(done.folder)
                << "\n";
    if (!done.indexProblem.empty())
        return console.fail(kRefused,
                            "the library's index could not be brought up to date: " + done.indexProblem);
    console.out << done.sets << " code sets indexed from it\n";
    return kDone;
}

} // namespace ctl
