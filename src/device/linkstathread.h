// The link monitor: watches the USB link five times a second, locks the window while the remote
// is away, and checks that the remote that comes back is the same one. It never touches a widget:
// it tells the window through queued signals and waits for the user's answers.
#pragma once

#include "model/messagestyle.h"

#include <QThread>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

// One answer of the user that the monitor waits for while the window shows the question.
class LinkAnswer {
public:
    void give(model::Answer answer);
    // The answer once given; nullopt when `stop` turned true first.
    std::optional<model::Answer> waitFor(const std::function<bool()>& stop);

private:
    std::mutex mutex_;
    std::condition_variable given_;
    std::optional<model::Answer> answer_;
};

class linkstate : public QThread {
    Q_OBJECT
public:
    static constexpr unsigned long kPeriodMs = 200;

    // `deviceIdentity`: the remote's identity read at start-up; empty when none was read.
    explicit linkstate(std::string deviceIdentity, QObject* parent = nullptr);

signals:
    void linkStateText(const QString& text);
    // The remote went away: hide the keypad and disable the key commands.
    void keypadLocked();
    // The same remote is back.
    void keypadUnlocked();
    // "Reconnect?" (Retry/Cancel) and "close the program?" (OK/Cancel); the window answers.
    void reconnectAsked(std::shared_ptr<LinkAnswer> answer);
    void closeAsked(std::shared_ptr<LinkAnswer> answer);

protected:
    void run() override;

private:
    void pause();
    std::optional<model::Answer> ask(void (linkstate::*question)(std::shared_ptr<LinkAnswer>));

    const std::string deviceIdentity_;
};
