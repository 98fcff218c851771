// The window's work with the code library: a side set up by the device's maker, the library's
// sets tried one by one on the side's Power key, and the library's folders. The search itself is
// the one qtm418ctl find runs.
#include "codefiletexts.h"
#include "codes/download.h"
#include "controls/ibtn1.h"
#include "coretext.h"
#include "device/codesearch.h"
#include "device/identification.h"
#include "devicetexts.h"
#include "keytexts.h"
#include "learntexts.h"
#include "librarydialog.h"
#include "librarytexts.h"
#include "longwork.h"
#include "mainstudy.h"
#include "makerdialog.h"
#include "memorytexts.h"
#include "model/keydeletion.h"
#include "model/keynames.h"
#include "platform/dialogs.h"
#include "platform/fixedpaths.h"
#include "platform/messagebox.h"
#include "setstepdialog.h"

#include <QTimer>

namespace {

// A key as the window names it: its button's name ("POWER/TV", "TV/音量+").
QString keyName(const std::vector<IBtn*>& keys, const std::string& number) {
    for (const IBtn* key : keys)
        if (key->Code() == text(number))
            return keytexts::pathText(key->Path());
    return text(model::keyLabel(number));
}

} // namespace

void Tmaincodelearn::manageLibrary() {
    LibraryDialog dialog(this);
    platform::dialogs().exec(dialog);
}

void Tmaincodelearn::setUpByMaker() {
    if (!layoutReadable())
        return;
    std::variant<codes::OwnersLibrary, std::string> opened;
    runWithProgress(this, tr("正在读取代码库…"),
                    [&](const ProgressNote&) { opened = codes::openOwnersLibrary(); });
    if (const auto* problem = std::get_if<std::string>(&opened)) {
        platform::box(tr("无法读取代码库的文件夹列表：%1").arg(text(*problem)));
        return;
    }
    const codes::OwnersLibrary& library = std::get<codes::OwnersLibrary>(opened);
    const codes::CodeLibrary search(library.index);
    if (search.size() == 0) {
        // Where the build can download, the owner is offered a collection instead of a way there.
        if (!codes::downloadsBuiltIn())
            platform::box(librarytexts::whereToGetCodes());
        else if (platform::askYes(tr("代码库中还没有代码文件，因此无法按品牌设置。\n"
                                     "要现在下载一个遥控器代码集合（例如 Flipper-IRDB）吗？")) &&
                 downloadLibrary())
            setUpByMaker();
        return;
    }
    MakerDialog choice(search, this);
    if (platform::dialogs().exec(choice) != QDialog::Accepted || choice.maker().empty())
        return;
    searchCodeSets(search.candidates(choice.side(), choice.maker()), choice.side());
}

void Tmaincodelearn::searchCodeSets(const std::vector<codes::Candidate>& candidates,
                                    const std::string& side) {
    if (candidates.empty())
        return;
    const auto remote = attachedRemote();
    if (!remote || !remoteMayBeWritten())
        return;
    // The whole memory as it is now, to put every key tried back exactly when no set is taken.
    const auto before = readWholeMemory(*remote, tr("正在读取遥控器的存储…"));
    if (!before)
        return;
    model::reclaimOrphans(layout_, keyTable_);
    searching_ = true;
    searchInterrupted_ = false;
    const device::CodeSearchResult result = device::searchCodeSets(
        layout_, keyTable_, candidates, side, diagnosticFile(), [this] { return remoteMayBeWritten(); },
        [&](std::size_t at, const device::SetTry&) {
            SetStepDialog step(at + 1, candidates.size(), side, librarytexts::setTitle(*candidates[at].set),
                               this);
            const int answer = askSearchStep(step);
            // Closing the window or losing the remote meanwhile ends the search as 停止 does.
            if (searchInterrupted_ || answer == SetStepDialog::Stop)
                return device::TryAnswer::Stop;
            return answer == SetStepDialog::Responded ? device::TryAnswer::Responded
                                                      : device::TryAnswer::NextSet;
        },
        [&](const device::KeyTry& tried) {
            KeyStepDialog step(tried.among, librarytexts::setTitle(*candidates[tried.setAt].set),
                               librarytexts::keyQuestion(side, keyName(c_.keys, tried.keyNumber)), this);
            const int answer = askSearchStep(step);
            if (searchInterrupted_)
                return device::KeyAnswer::Stop;
            if (answer == KeyStepDialog::Enough)
                return device::KeyAnswer::Enough;
            return answer == KeyStepDialog::Responded ? device::KeyAnswer::Responded
                                                      : device::KeyAnswer::NotResponded;
        });
    searching_ = false;

    QStringList keysChanged;
    for (const std::string& number : device::keysChanged(result, side))
        keysChanged << keyName(c_.keys, number);
    if (result.end == device::SearchEnd::Taken && !searchInterrupted_)
        learnSideFromSearch(*candidates[result.at].set, result, side, keysChanged);
    else
        putBackAfterSearch(*remote, *before, result, candidates.size(), keysChanged);
}

int Tmaincodelearn::askSearchStep(QDialog& step) {
    showAllKeyStates();
    searchStep_ = &step;
    const int answer = platform::dialogs().exec(step);
    searchStep_ = nullptr;
    return answer;
}

void Tmaincodelearn::learnSideFromSearch(const codes::CodeSet& set, const device::CodeSearchResult& result,
                                         const std::string& side, const QStringList& keysChanged) {
    const codes::ButtonMatching matching = codes::matchButtons(result.last.setSignals, side);
    const auto learned = learnMatchedKeys(matching, librarytexts::sideName(side), tr("从代码组学习整组按键"));
    if (!learned) {
        showAllKeyStates();
        setDeleteButtons(hasLearnedKeys());
        refreshKeyTips();
        if (result.roomNotFreedAt)
            rereadWhenBack();
        const QString only = keysChanged.size() == 1
                                 ? tr("只有%1键学习了代码组“%2”的电源编码。")
                                       .arg(keysChanged.front(), librarytexts::setTitle(set))
                                 : tr("只有按键 %1 学习了代码组“%2”的编码。")
                                       .arg(keysChanged.join(tr("、")), librarytexts::setTitle(set));
        platform::box(withRoomNotFreed(only, result.roomNotFreedAt));
        return;
    }
    QString message =
        tr("已从代码组“%1”学习了 %n 个按键：%2。", nullptr, static_cast<int>(learned->keys.size()))
            .arg(librarytexts::setTitle(set), learned->keys.join(tr("、")));
    if (!learned->failure.isEmpty())
        message += QLatin1Char('\n') + learned->failure;
    platform::box(withRoomNotFreed(message, learned->roomNotFreedAt));
}

void Tmaincodelearn::putBackAfterSearch(const device::OpenedRemote& remote, const model::MemoryBackup& before,
                                        const device::CodeSearchResult& result, std::size_t sets,
                                        const QStringList& keysChanged) {
    QString message;
    if (result.end == device::SearchEnd::Failed) {
        message = learnFailureText(result.last.learned);
    } else if (result.end == device::SearchEnd::Exhausted) {
        message = tr("已试完全部 %n 组代码。", nullptr, static_cast<int>(sets));
    } else {
        message = tr("已停止。");
    }
    if (!result.skipped.empty())
        message += QLatin1Char('\n') +
                   tr("有 %n 组代码无法试用：%1", nullptr, static_cast<int>(result.skipped.size()))
                       .arg(codefiletexts::problemText(result.skipped.front()));
    const bool one = keysChanged.size() == 1;
    const QString keys = keysChanged.join(tr("、"));
    const QString putting = one ? tr("正在恢复%1键…").arg(keys) : tr("正在恢复按键 %1…").arg(keys);
    device::RestoreResult back;
    busy_ = true;
    runWithProgress(this, putting, [&](const ProgressNote& note) {
        back = device::putBack(remote, before, [&](device::RestoreStep, std::size_t done, std::size_t total) {
            note(putting, done, total);
        });
    });
    busy_ = false;
    // Whatever was written, the window shows the remote as it is now.
    rereadWhenBack();
    message += QLatin1Char('\n');
    if (back.outcome == device::RestoreOutcome::Restored)
        message +=
            one ? tr("%1键已恢复为搜索前的状态。").arg(keys) : tr("按键 %1 已恢复为搜索前的状态。").arg(keys);
    else
        message += (one ? tr("%1键无法恢复为搜索前的状态：%2") : tr("按键 %1 无法恢复为搜索前的状态：%2"))
                       .arg(keys, memorytexts::restoreResultText(back));
    platform::box(message.trimmed());
    if (closeAfterSearch_)
        QTimer::singleShot(0, this, &QWidget::close);
}
