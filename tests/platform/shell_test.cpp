// The desktop's shell with stand-in programs on the search path: xdg-open answering as told, and
// a help viewer that only notes what it was given.
#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using platform::OpenOutcome;

class DesktopShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        savedPath = qgetenv("PATH");
        qputenv("PATH", folder.path().toLocal8Bit());
        help = folder.filePath(QStringLiteral("studyhelp.chm"));
        QFile file(help);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    // A program on the search path that notes its name and argument, then exits with `status`.
    void program(const char* name, int status) {
        QFile script(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"%1 $1\" >> '%2'\nexit %3\n")
                         .arg(QString::fromLatin1(name), log(), QString::number(status))
                         .toLocal8Bit());
        script.close();
        ASSERT_TRUE(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    QString log() const { return folder.filePath(QStringLiteral("started.log")); }
    std::vector<std::string> started() const {
        QFile file(log());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        std::vector<std::string> lines;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty())
                lines.push_back(line.trimmed().toStdString());
        return lines;
    }

    std::optional<OpenOutcome> open(const QString& file) {
        std::optional<OpenOutcome> outcome;
        platform::shell().open(file, [&outcome](OpenOutcome o) { outcome = o; });
        EXPECT_TRUE(QTest::qWaitFor([&outcome] { return outcome.has_value(); }, 10000));
        return outcome;
    }

    QTemporaryDir folder;
    QByteArray savedPath;
    QString help;
};

#ifdef _WIN32
// Windows' own shell: a command file is opened by running it, as Explorer would, and a file of a
// kind no program is associated with is refused.
TEST_F(DesktopShellTest, TheShellOpensWithTheAssociatedProgram) {
    const QString command = folder.filePath(QStringLiteral("note.cmd"));
    QFile script(command);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        QStringLiteral("@echo opened %~nx0>\"%1\"\r\n").arg(QDir::toNativeSeparators(log())).toLocal8Bit());
    script.close();
    EXPECT_EQ(open(command), OpenOutcome::Opened);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !started().empty(); }, 10000));
    EXPECT_EQ(started(), std::vector<std::string>{"opened note.cmd"});

    const QString unknown = folder.filePath(QStringLiteral("help.qtm418-unknown"));
    QFile(unknown).open(QIODevice::WriteOnly);
    EXPECT_EQ(open(unknown), OpenOutcome::NoProgram);
}
#else
TEST_F(DesktopShellTest, TheHelpViewerStandsInWhenTheDesktopCannotOpenTheHelp) {
    struct Case {
        int xdgOpen; // its exit status; -1: not installed
        bool viewer;
        OpenOutcome outcome;
        std::vector<std::string> started; // what ran, with the file given to it
    };
    const std::string desktop = "xdg-open " + help.toStdString();
    const std::string viewer = "xchm " + help.toStdString();
    const Case cases[] = {
        {0, true, OpenOutcome::Opened, {desktop}},         {4, true, OpenOutcome::Opened, {desktop, viewer}},
        {3, true, OpenOutcome::Opened, {desktop, viewer}}, {-1, true, OpenOutcome::Opened, {viewer}},
        {4, false, OpenOutcome::NoProgram, {desktop}},     {-1, false, OpenOutcome::NoProgram, {}},
    };
    for (const Case& c : cases) {
        QFile::remove(log());
        QFile::remove(folder.filePath(QStringLiteral("xdg-open")));
        QFile::remove(folder.filePath(QStringLiteral("xchm")));
        if (c.xdgOpen >= 0)
            program("xdg-open", c.xdgOpen);
        if (c.viewer)
            program("xchm", 0);
        const std::string label = "xdg-open " + std::to_string(c.xdgOpen) + (c.viewer ? ", xchm" : "");
        EXPECT_EQ(open(help), c.outcome) << label;
        // The viewer runs on its own; give it the moment it needs to note its start.
        EXPECT_TRUE(QTest::qWaitFor([&] { return started().size() >= c.started.size(); }, 10000)) << label;
        EXPECT_EQ(started(), c.started) << label;
    }
}
#endif

TEST_F(DesktopShellTest, AMissingFileIsReportedWithoutStartingAnything) {
    program("xdg-open", 0);
    program("xchm", 0);
    EXPECT_EQ(open(folder.filePath(QStringLiteral("gone.chm"))), OpenOutcome::Missing);
    EXPECT_TRUE(started().empty());
}

} // namespace
