// The window's downloads of code collections: one chosen from the known public ones, fetched off
// this thread behind a progress dialog that can cancel it, and the outcome told.
#include "downloadtexts.h"
#include "librarytexts.h"
#include "listdialog.h"
#include "longwork.h"
#include "mainstudy.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"

#include "codes/download.h"
#include "codes/ownerslibrary.h"

bool Tmaincodelearn::downloadLibrary() {
    if (!codes::downloadsBuiltIn()) {
        platform::box(downloadtexts::problemText({.fault = codes::DownloadFault::NotInThisBuild}));
        return false;
    }
    const std::filesystem::path own = codes::standardLibraryFolders().back();
    const auto& known = codes::knownCollections();
    QStringList lines;
    for (const codes::Collection& collection : known) {
        std::error_code error;
        lines << downloadtexts::collectionLine(collection,
                                               std::filesystem::is_directory(own / collection.name, error));
    }
    ListDialog choice(tr("下载代码库"),
                      tr("选择要下载的遥控器代码集合。它将解压到 %1 文件夹中，并自动加入代码库。")
                          .arg(librarytexts::pathText(own)),
                      lines, ListDialog::Use::Choose, this);
    if (platform::dialogs().exec(choice) != QDialog::Accepted || choice.chosen() < 0)
        return false;
    return downloadCollection(known[static_cast<std::size_t>(choice.chosen())]);
}

bool Tmaincodelearn::downloadCollection(const codes::Collection& collection) {
    if (codes::licenceNeedsConsent(collection.licence) &&
        !platform::askYes(downloadtexts::consentQuestion(collection)))
        return false;
    std::variant<codes::Downloaded, codes::DownloadProblem> outcome;
    runCancellable(this, tr("下载代码库"),
                   [&](const CancellableNote& note, const std::atomic<bool>& cancelled) {
                       outcome = codes::downloadIntoLibrary(
                           collection,
                           [&](const codes::DownloadProgress& p) {
                               // Once the new folder is in place there is nothing left to cancel.
                               note(downloadtexts::progressText(collection, p), p.done, p.total,
                                    p.stage != codes::DownloadStage::Indexing);
                           },
                           cancelled);
                   });
    platform::box(downloadtexts::outcomeText(collection, outcome));
    const auto* done = std::get_if<codes::Downloaded>(&outcome);
    return done != nullptr && done->indexProblem.empty() && done->sets > 0;
}
