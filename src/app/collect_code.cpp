#include "collect_code.h"

#include "device/devicelink.h"
#include "mainstudy.h"

#include <chrono>

namespace {

std::int64_t steadySeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
}

TCollectCode::SecondsClock& secondsClock() {
    static TCollectCode::SecondsClock current = steadySeconds;
    return current;
}

} // namespace

TCollectCode::TCollectCode(MainState& state, QObject* parent) : QThread(parent), state_(state) {
    setObjectName(QStringLiteral("TCollectCode"));
}

void TCollectCode::setClock(SecondsClock replacement) {
    secondsClock() = replacement ? std::move(replacement) : steadySeconds;
}

// Polls without a pause of its own: each answer of the remote sets the pace.
void TCollectCode::run() {
    state_.capturedCode.clear();
    const std::int64_t captureStart = secondsClock()();
    if (!device::link::setCodeCarrierWave())
        return;
    for (;;) {
        if (state_.captureRunState.load() >= 2)
            return;
        if (secondsClock()() - captureStart > kWindowSeconds)
            return;
        std::string text = device::link::collectCodeInfo();
        if (!text.empty()) {
            state_.capturedCode = std::move(text);
            return;
        }
        if (!device::link::attached())
            return;
    }
}
