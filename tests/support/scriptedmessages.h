// Answers the program's message boxes from a script and records every box shown.
#pragma once

#include "platform/messagebox.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

namespace testsupport {

struct ShownMessage {
    model::MessageStyle style;
    platform::Buttons buttons;
    QString caption;
    QString text;
};

class ScriptedMessages final : public platform::MessageBoxes {
public:
    ScriptedMessages();
    ~ScriptedMessages() override;

    // The next box is answered with `answer`; `whileShown` runs first, as if the user did
    // something (plugged the cable in) while the box was open.
    void expect(platform::Answer answer, std::function<void()> whileShown = {});

    // Once the script is used up, every box is answered going ahead (OK, Yes, Retry) instead of
    // counting as unexpected: for runs whose boxes depend on where a fault strikes.
    void goAheadWhenUnscripted(bool on = true) { goAhead_ = on; }

    platform::Answer show(QWidget* parent, model::MessageStyle style, platform::Buttons buttons,
                          const QString& text) override;

    const std::vector<ShownMessage>& shown() const { return shown_; }
    // Forgets the boxes shown so far.
    void clear() { shown_.clear(); }
    // Boxes that came with no scripted answer left (answered with Cancel/No/OK).
    int unexpected() const { return unexpected_; }
    std::size_t pendingAnswers() const { return script_.size(); }

private:
    struct Step {
        platform::Answer answer;
        std::function<void()> whileShown;
    };
    std::deque<Step> script_;
    std::vector<ShownMessage> shown_;
    int unexpected_ = 0;
    bool goAhead_ = false;
};

} // namespace testsupport
