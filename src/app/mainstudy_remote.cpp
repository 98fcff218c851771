// The window menu's choice of remote for the next start: the maker's own device library and
// converter taken from a folder the owner chooses, or the virtual remote again.
#include "listdialog.h"
#include "mainstudy.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "remotetexts.h"

#include "bridge/makerchoice.h"

#include <QFileDialog>

#include <variant>

void Tmaincodelearn::chooseRemote() {
    const auto target = bridge::folderToChange(bridge::makerFoldersLookedIn());
    if (const auto* problem = std::get_if<bridge::ChoiceProblem>(&target)) {
        platform::box(remotetexts::choiceProblem(*problem));
        return;
    }
    const std::filesystem::path& folder = std::get<std::filesystem::path>(target);
    const bridge::RemoteInUse inUse = bridge::remoteInUse();
    const bridge::PendingChoice pending = bridge::pendingChoice(folder);
    ListDialog choice(tr("遥控器的设备库"), remotetexts::choiceIntro(inUse, pending),
                      {remotetexts::useMakerItem(), remotetexts::useVirtualItem()}, ListDialog::Use::Choose,
                      this);
    if (platform::dialogs().exec(choice) != QDialog::Accepted || choice.chosen() < 0)
        return;

    std::optional<bridge::ChoiceProblem> problem;
    bridge::PendingChoice made = bridge::PendingChoice::Virtual;
    if (choice.chosen() == 0) {
        QFileDialog dialog(this, remotetexts::chooseFolderTitle());
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        const QString from = platform::dialogs().chooseFile(dialog);
        if (from.isEmpty())
            return;
        problem = bridge::chooseMakerFiles(std::filesystem::path(from.toStdU16String()), folder);
        made = bridge::PendingChoice::Maker;
    } else {
        // Nothing to go back from: neither files serving now nor a choice of them waiting.
        if (!inUse.maker && pending != bridge::PendingChoice::Maker) {
            platform::box(remotetexts::alreadyVirtual());
            return;
        }
        problem = bridge::chooseVirtualRemote(folder);
    }
    platform::box(problem ? remotetexts::choiceProblem(*problem) : remotetexts::choiceMade(made));
}
