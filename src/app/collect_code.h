// The capture thread: puts the remote into capture mode and polls it for one infrared code for
// at most the capture window, leaving the code in the window's state.
#pragma once

#include <QThread>

#include <cstdint>
#include <functional>

struct MainState;

class TCollectCode : public QThread {
    Q_OBJECT
public:
    // The capture window: the thread gives up at the first pass 9 or more whole seconds after it
    // started, so the window lasts between 8 and 9 seconds.
    static constexpr std::int64_t kWindowSeconds = 8;

    explicit TCollectCode(MainState& state, QObject* parent = nullptr);

    // Whole seconds of a clock that never goes back; tests may put their own in place.
    using SecondsClock = std::function<std::int64_t()>;
    static void setClock(SecondsClock clock);

protected:
    void run() override;

private:
    MainState& state_;
};
