// The main window: owns everything the program knows about the attached remote, from the device
// check at creation to the close.
#pragma once

#include "codes/buttonmatching.h"
#include "codes/downloadsources.h"
#include "codes/librarysearch.h"
#include "codes/signalfile.h"
#include "controls/mainlayout.h"
#include "device/keylisting.h"
#include "device/openremote.h"
#include "device/startupread.h"
#include "model/keytable.h"
#include "model/memorylayout.h"
#include "skin.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QThread>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <vector>

class IBtn;
class QLabel;
class QTimer;

namespace model {
struct Identification;
struct MemoryBackup;
struct LayoutRead;
} // namespace model
namespace device {
struct CodeSearchResult;
} // namespace device

// The window's mode flags and the state its worker threads share with it.
struct MainState {
    bool learningOn = false;
    bool deleteOneOn = false;
    bool startupRefused = false; // cancelled or refused at creation: close as soon as shown
    bool closingDown = false;    // the window has agreed to close
    QPointer<QThread> linkThread;
    QPointer<QThread> captureThread;
    std::atomic<std::int32_t> captureRunState{1}; // 1: capture may run; 2: stop requested
    std::string capturedCode;
    std::string deviceIdentity;
    std::string deviceBlockUnit;
};

class Tmaincodelearn : public QWidget {
    Q_OBJECT
public:
    // Creation waits for the remote, identifies it and reads its memory before returning; a read
    // already started (see device::startReadingAtStartup) is taken as the first answers.
    explicit Tmaincodelearn(QWidget* parent = nullptr, std::future<device::StartupRead> startupRead = {});
    ~Tmaincodelearn() override;

    MainState& state() { return state_; }
    const MainState& state() const { return state_; }
    const model::DeviceLayout& layout() const { return layout_; }
    // Entry n belongs to key slot n: key number, "|", then the slot's state.
    const std::vector<std::string>& keyTable() const { return keyTable_; }
    const controls::MainControls& controls() const { return c_; }
    const SkinPictures& skin() const { return skin_; }
    // Where the learning animation is written when the window is shown.
    static QString animationFile();
    // Where each conversion's capture and answer are written for diagnosis.
    static std::filesystem::path diagnosticFile();
    // Work the first show needs that nobody sees: decoding the skin. Done ahead, while the splash
    // is up, it shortens the wait for the window; showing still applies it, or does it all itself.
    void prepareShow();

    // Gives every key button the picture its key-table entries call for.
    void showKeyStates();
    bool hasLearnedKeys() const;
    // The key being learned first; empty while no capture is under way.
    const QList<IBtn*>& selectedKeyList() const { return selectedKeyList_; }

    // Learning mode.
    void toggleLearning();
    void keyClick(IBtn* key);
    void learnKeyClick(IBtn* key);
    void learningFailed();

    // Deleting keys.
    void toggleDeleteMode();
    void deleteKeyClick(IBtn* key);
    // Clears slot `slot` on the remote; false when its flag byte was not written. The address of
    // a failed write that was to give its code's room back goes to `roomNotFreedAt`.
    bool clearKeyOnDevice(std::size_t slot, std::optional<unsigned>* roomNotFreedAt = nullptr);
    void clearAllKeys();

    // The menus of a key and of the window, opened by a right-button release.
    void openKeyMenu(IBtn* key, const QPoint& globalPos);
    void openWindowMenu(const QPoint& globalPos);
    // What the key menu does.
    void showKeyCode(IBtn* key);
    void learnKeyFromFile(IBtn* key);
    // What the window menu does.
    void backupRemote();
    void restoreRemote();
    void learnSideFromFile();
    void exportLearnedKeys();
    void checkMemory();
    // A side set up by the device's maker, trying the library's code sets on it; the library's
    // folders.
    void setUpByMaker();
    void manageLibrary();
    // The remote the next start configures: the virtual one, or a real one through the maker's
    // kestrio.dll and ConLCode.dll taken from a folder the owner chooses.
    void chooseRemote();
    // A public collection of codes chosen from the known ones and downloaded into the library;
    // true when the library gained code sets.
    bool downloadLibrary();
    // `collection` downloaded into the library behind a cancellable progress dialog, after asking
    // for consent where its licence has conditions; the outcome told in a message.
    bool downloadCollection(const codes::Collection& collection);

    // The tip over a key, which is its accessible name as well: its name and what it sends.
    void showKeyTip(IBtn* key);
    // Every key's tip, read from the remote off this thread.
    void refreshKeyTips();

    // Help, update and the screen check.
    void showHelp();
    void answerUpdate();
    void checkScreenSize();

public slots:
    // Runs on this thread when a capture thread has ended.
    void captureFinished();
    // Runs on this thread when the link monitor has ended: a monitor that gave up closes the window.
    void linkMonitorFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void showSteps();
    void closeSteps();
    void setDeleteButtons(bool available);
    void showIdleHintPanel();
    bool keyHasLook(const IBtn* key, model::KeyLook look) const;
    // A learned key is learned again only once the user agreed and the remote may be written.
    bool mayLearnAgain(IBtn* key);
    // False, having said why, when the remote's memory was not read completely at start-up.
    bool layoutReadable();
    // False, having said why unless the window is closing, when the remote attached now is not
    // the one whose memory the window holds: asked after every question, before any write.
    bool remoteMayBeWritten();
    QPixmap keyPicture(const KeyPictures& set, const IBtn& key) const;
    void connectCommands();
    void startLinkMonitor();
    void setKeypadAvailable(bool available);
    void commitCapture();
    void replayDiagnosticCapture();
    void startCapture(IBtn* key);
    void stopCapture();
    void setStatus(const QString& text, bool repaintNow = false);
    // The remote is attached and its layout known: what the menus need to read it.
    bool remoteReady() const;
    // ... and nothing else is under way: what the menus need to change it.
    bool menusMayChange() const;
    // Every key shows what the key table holds, from scratch.
    void showAllKeyStates();
    // After the memory changed behind the key table (a restore, a repair): read the layout again
    // and show the remote as it now is.
    void rereadLayout();
    // After a change that may have reached the remote and did not end as planned (a failed write,
    // the cable pulled, a put-back cut short): the layout is read again now when the remote is
    // there, else the keypad stays locked until it is back and read.
    void rereadWhenBack();
    void rereadIfBack();
    // The keypad and the key commands, shown only while the remote is there and its layout known.
    void applyKeypadLock();
    void repairLayout();
    // A side's keys learned from matched buttons, after showing the matching, with progress;
    // nullopt when the owner declined.
    struct KeysLearned {
        QStringList keys; // the labels of the keys learned
        QString failure;  // the key that failed and why, "" when none did
        // A failed write left an old code's room in use at this address.
        std::optional<unsigned> roomNotFreedAt;
    };
    std::optional<KeysLearned> learnMatchedKeys(const codes::ButtonMatching& matching, const QString& side,
                                                const QString& title);
    // The search by maker once the side, the maker and its sets are known.
    void searchCodeSets(const std::vector<codes::Candidate>& candidates, const std::string& side);
    // One step of the search shown, over the keys as the remote now holds them; its answer.
    int askSearchStep(QDialog& step);
    // The side learned from the set a search took; `keysChanged` names the keys the search tried.
    void learnSideFromSearch(const codes::CodeSet& set, const device::CodeSearchResult& result,
                             const std::string& side, const QStringList& keysChanged);
    // The remote put back as it was before a search that took no set, and why none was taken said.
    void putBackAfterSearch(const device::OpenedRemote& remote, const model::MemoryBackup& before,
                            const device::CodeSearchResult& result, std::size_t sets,
                            const QStringList& keysChanged);
    // The whole memory of `remote` read behind a progress dialog; nullopt after saying why not.
    std::optional<model::MemoryBackup> readWholeMemory(const device::OpenedRemote& remote,
                                                       const QString& title);
    // The remote attached now, identified as start-up does; nullopt after saying why there is none.
    std::optional<device::OpenedRemote> attachedRemote();
    // A code file chosen and read, and one of its signals chosen; nullopt after saying why not.
    std::optional<std::vector<codes::NamedSignal>> readChosenCodeFile(const QString& caption);
    QString chooseFileToSave(const QString& caption, const QString& suggestedName, const QStringList& filters,
                             QString* chosenFilter = nullptr);
    void applyKeyTips(const std::vector<device::KeyReport>& reports);
    void startTipReader();
    void runCreation(device::StartupRead read);
    bool waitForDevice();
    bool applyIdentification(const model::Identification& id);
    void applyLayout(model::LayoutRead read);

    MainState state_;
    model::DeviceLayout layout_;
    std::vector<std::string> keyTable_;
    controls::MainControls c_;
    SkinPictures skin_;
    std::optional<DecodedSkin> preparedSkin_;
    QList<IBtn*> selectedKeyList_;
    // The key whose code the running capture thread was started for.
    QPointer<IBtn> captureKey_;
    // The capture thread object until it is gone, for the window's last wait on it.
    QPointer<QThread> captureObject_;
    // False while the link monitor finds no remote.
    bool keypadAvailable_ = true;
    // What the window shows may no longer be what the remote holds: read again once it is back.
    bool layoutDoubtful_ = false;
    QTimer* rereadTimer_ = nullptr;
    // A long exchange (backup, restore, a whole side learned) is under way.
    bool busy_ = false;
    // The thread reading every key's tip, and whether the table changed since it started.
    QThread* tipReader_ = nullptr;
    bool tipsStale_ = false;
    // A search by maker is asking the owner about a set; closing or losing the remote ends it.
    QPointer<QDialog> searchStep_;
    bool searching_ = false;
    bool searchInterrupted_ = false; // the window was closed or the remote lost meanwhile
    bool closeAfterSearch_ = false;
};

// The main window, for the worker threads.
extern Tmaincodelearn* maincodelearn;
