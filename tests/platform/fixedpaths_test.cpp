// Where the fixed files go: the first folder a file can be made in, so a drive root the account
// may not write to gives way to the temporary folder.
#include "platform/fixedpaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(FixedPaths, TheFirstFolderAFileCanBeMadeIn) {
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString writable = scratch.path();
    const QString other = scratch.filePath(QStringLiteral("other"));
    ASSERT_TRUE(QDir().mkpath(other));
    // A plain file standing where a folder should be: nobody, not even an administrator, makes a
    // file inside it.
    const QString notAFolder = scratch.filePath(QStringLiteral("file"));
    QFile(notAFolder).open(QIODevice::WriteOnly);
    const QString missing = scratch.filePath(QStringLiteral("missing"));

    const struct {
        QStringList folders;
        QString chosen;
    } cases[] = {
        {{notAFolder, writable}, writable},
        {{missing, other, writable}, other},
        {{writable, other}, writable},
        {{notAFolder, missing}, missing},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::firstWritableFolder(c.folders), c.chosen) << c.folders.join(' ').toStdString();
    // The probing leaves nothing behind.
    EXPECT_EQ(QDir(writable).entryList(QDir::Files), QStringList{QStringLiteral("file")});
}
