// The program itself, started as a user starts it, against the virtual remote.
#include "devicefolder.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

TEST(Program, StartsAgainstAFactoryRemoteAndRunsUntilClosed) {
    testsupport::DeviceFolder folder;
    const emu::Memory before = folder.snapshot().memory;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QTM418_DEVICE_DIR"), QString::fromStdString(folder.path().string()));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(QTM418_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(5000));
    // Splash, device check, layout read and the 500 ms pause: then it waits for the user.
    EXPECT_FALSE(program.waitForFinished(2500)) << program.readAllStandardError().toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished(5000);
    EXPECT_EQ(folder.snapshot().memory, before);
}
