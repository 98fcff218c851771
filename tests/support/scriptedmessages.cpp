#include "scriptedmessages.h"

namespace testsupport {

ScriptedMessages::ScriptedMessages() { platform::setMessageBoxes(this); }

ScriptedMessages::~ScriptedMessages() { platform::setMessageBoxes(nullptr); }

void ScriptedMessages::expect(platform::Answer answer, std::function<void()> whileShown) {
    script_.push_back({answer, std::move(whileShown)});
}

platform::Answer ScriptedMessages::show(QWidget*, model::MessageStyle style, platform::Buttons buttons,
                                        const QString& text) {
    shown_.push_back({style, buttons, platform::messageCaption(style), text});
    if (script_.empty() && goAhead_)
        return buttons == platform::Buttons::Ok            ? platform::Answer::Ok
               : buttons == platform::Buttons::YesNo       ? platform::Answer::Yes
               : buttons == platform::Buttons::RetryCancel ? platform::Answer::Retry
                                                           : platform::Answer::Ok;
    if (script_.empty()) {
        ++unexpected_;
        return buttons == platform::Buttons::Ok      ? platform::Answer::Ok
               : buttons == platform::Buttons::YesNo ? platform::Answer::No
                                                     : platform::Answer::Cancel;
    }
    Step step = std::move(script_.front());
    script_.pop_front();
    if (step.whileShown)
        step.whileShown();
    return step.answer;
}

} // namespace testsupport
