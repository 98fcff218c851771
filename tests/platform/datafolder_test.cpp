// Where the program looks for its skin bundles and help file.
#include "platform/datafolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(DataFolder, TheProgramsOwnFolderInTheBuildTreeElseTheInstalledShareFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir top(root.path());
    ASSERT_TRUE(top.mkpath(QStringLiteral("usr/bin")) && top.mkpath(QStringLiteral("usr/share/qtm418")));
    const QString bin = top.filePath(QStringLiteral("usr/bin"));
    EXPECT_EQ(platform::dataFolderOf(bin), top.filePath(QStringLiteral("usr/share/qtm418")));

    QFile bundle(QDir(bin).filePath(QStringLiteral("bn100C.rcc")));
    ASSERT_TRUE(bundle.open(QIODevice::WriteOnly));
    bundle.close();
    EXPECT_EQ(platform::dataFolderOf(bin), bin) << "bundles next to the program win";

    ASSERT_TRUE(top.mkpath(QStringLiteral("alone")));
    EXPECT_EQ(platform::dataFolderOf(top.filePath(QStringLiteral("alone"))),
              top.filePath(QStringLiteral("alone")));
}
