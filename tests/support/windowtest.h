// One fixture for tests of the main window: a fresh virtual remote and scripted message boxes,
// checked for unanswered or unexpected boxes after every test.
#pragma once

#include "app/mainstudy.h"
#include "controls/ibtn1.h"
#include "devicefolder.h"
#include "platform/fixedpaths.h"
#include "recordingdisplay.h"
#include "recordingshell.h"
#include "scripteddialogs.h"
#include "scriptedmessages.h"

#include "app/listdialog.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { platform::setFixedFileFolder(fixedFiles.path()); }

    void TearDown() override {
        window.reset();
        platform::setFixedFileFolder(QString());
        EXPECT_EQ(messages.unexpected(), 0) << "a message box appeared that the test did not expect";
        EXPECT_EQ(messages.pendingAnswers(), 0u) << "an expected message box never appeared";
        EXPECT_EQ(dialogs.unexpected(), 0) << "a dialog appeared that the test did not expect";
        EXPECT_EQ(dialogs.pendingAnswers(), 0u) << "an expected dialog never appeared";
    }

    Tmaincodelearn& create() {
        window = std::make_unique<Tmaincodelearn>();
        return *window;
    }

    QString label(const char* name) const {
        const auto* l = window->findChild<QLabel*>(QString::fromLatin1(name));
        return l ? l->text() : QStringLiteral("<no such label>");
    }

    // The window, created and shown as the program shows it.
    Tmaincodelearn& createShown() {
        Tmaincodelearn& w = create();
        w.prepareShow();
        w.show();
        return w;
    }

    IBtn* button(const char* name) const { return window->findChild<IBtn*>(QString::fromLatin1(name)); }

    // The key button carrying key number `code`.
    IBtn* key(const char* code) const {
        for (IBtn* k : window->controls().keys)
            if (k->Code() == QLatin1String(code))
                return k;
        return nullptr;
    }

    static void click(IBtn* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(3, 3)); }

    // The menu a right-button press and release on `target` opens.
    QMenu* rightClick(QWidget* target, QPoint at = QPoint(4, 4)) {
        QTest::mouseClick(target, Qt::RightButton, {}, at);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    QMenu* keyMenu(const char* code) { return rightClick(key(code)); }
    // A place of the window's background, outside every key and button.
    QMenu* windowMenu() { return rightClick(window.get(), QPoint(1000, 400)); }

    // Clicks item `name` of `menu` and lets its work run.
    void choose(QMenu* menu, const char* name) {
        ASSERT_NE(menu, nullptr);
        QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QCoreApplication::processEvents();
    }

    // A list dialog answered by choosing row `row`.
    static std::function<int(QDialog&)> chooseRow(int row) {
        return [row](QDialog& d) {
            auto* list = static_cast<ListDialog&>(d).list();
            list->setCurrentRow(row);
            return QDialog::Accepted;
        };
    }

    testsupport::ShownMessage onlyMessage() const {
        EXPECT_EQ(messages.shown().size(), 1u);
        return messages.shown().empty() ? testsupport::ShownMessage{} : messages.shown().front();
    }

    testsupport::DeviceFolder folder{"factory"};
    testsupport::ScriptedMessages messages;
    testsupport::ScriptedDialogs dialogs;
    testsupport::RecordingShell shell;
    testsupport::RecordingDisplay display;
    QTemporaryDir fixedFiles;
    std::unique_ptr<Tmaincodelearn> window;
};
