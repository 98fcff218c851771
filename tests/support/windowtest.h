// One fixture for tests of the main window: a fresh virtual remote and scripted message boxes,
// checked for unanswered or unexpected boxes after every test.
#pragma once

#include "app/mainstudy.h"
#include "devicefolder.h"
#include "scriptedmessages.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <memory>

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        window.reset();
        EXPECT_EQ(messages.unexpected(), 0) << "a message box appeared that the test did not expect";
        EXPECT_EQ(messages.pendingAnswers(), 0u) << "an expected message box never appeared";
    }

    Tmaincodelearn& create() {
        window = std::make_unique<Tmaincodelearn>();
        return *window;
    }

    QString label(const char* name) const {
        const auto* l = window->findChild<QLabel*>(QString::fromLatin1(name));
        return l ? l->text() : QStringLiteral("<no such label>");
    }

    testsupport::ShownMessage onlyMessage() const {
        EXPECT_EQ(messages.shown().size(), 1u);
        return messages.shown().empty() ? testsupport::ShownMessage{} : messages.shown().front();
    }

    testsupport::DeviceFolder folder{"factory"};
    testsupport::ScriptedMessages messages;
    std::unique_ptr<Tmaincodelearn> window;
};
