#include "linkstathread.h"

#include "devicelink.h"

#include <chrono>

void LinkAnswer::give(model::Answer answer) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        answer_ = answer;
    }
    given_.notify_all();
}

std::optional<model::Answer> LinkAnswer::waitFor(const std::function<bool()>& stop) {
    std::unique_lock<std::mutex> lock(mutex_);
    // A window that goes away never answers: the stop request ends the wait instead.
    while (!answer_) {
        if (stop())
            return std::nullopt;
        given_.wait_for(lock, std::chrono::milliseconds(20));
    }
    return answer_;
}

linkstate::linkstate(std::string deviceIdentity, QObject* parent)
    : QThread(parent), deviceIdentity_(std::move(deviceIdentity)) {
    setObjectName(QStringLiteral("linkstate"));
    qRegisterMetaType<std::shared_ptr<LinkAnswer>>();
}

std::optional<model::Answer> linkstate::ask(void (linkstate::*question)(std::shared_ptr<LinkAnswer>)) {
    auto answer = std::make_shared<LinkAnswer>();
    emit(this->*question)(answer);
    return answer->waitFor([this] { return isInterruptionRequested(); });
}

// The period's sleep, cut short by a stop request so a closing window is not kept waiting.
void linkstate::pause() {
    constexpr unsigned long step = 10;
    for (unsigned long slept = 0; slept < kPeriodMs && !isInterruptionRequested(); slept += step)
        msleep(step);
}

void linkstate::run() {
    bool linkLost = false;
    bool reconnecting = false;
    while (!isInterruptionRequested()) {
        if (device::link::attached()) {
            linkLost = false;
            emit linkStateText(QStringLiteral(" 遥控器连接正常"));
            // Only the remote that was identified at start-up gets the window back.
            if (reconnecting && device::link::basicInformation().substr(0, 30) != deviceIdentity_)
                return;
        } else {
            linkLost = true;
            emit linkStateText(QStringLiteral(" 遥控器连接断开"));
        }
        pause();
        if (linkLost) {
            emit keypadLocked();
            reconnecting = true;
            const auto reconnect = ask(&linkstate::reconnectAsked);
            if (!reconnect)
                return;
            if (*reconnect == model::Answer::Cancel) {
                const auto close = ask(&linkstate::closeAsked);
                if (!close || *close == model::Answer::Ok)
                    return;
            }
            if (deviceIdentity_.empty())
                return;
        } else if (reconnecting) {
            reconnecting = false;
            emit keypadUnlocked();
        }
    }
}
