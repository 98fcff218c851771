// Where the program looks for its skin bundles and help file, and for their copies in its language.
#include "platform/datafolder.h"
#include "platform/language.h"

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

// A language's own copy of a shipped file lies in its folder; the Chinese file stands in for a
// missing one.
TEST(DataFolder, AShippedFileInTheProgramsLanguage) {
    using platform::Language;
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid() && QDir(root.path()).mkpath(QStringLiteral("en")));
    const QDir folder(root.path());
    QFile english(folder.filePath(QStringLiteral("en/studyhelp.chm")));
    ASSERT_TRUE(english.open(QIODevice::WriteOnly));
    english.close();
    const struct {
        Language language;
        const char* name;
        const char* expected;
    } cases[] = {
        {Language::Chinese, "studyhelp.chm", "studyhelp.chm"},
        {Language::English, "studyhelp.chm", "en/studyhelp.chm"},
        {Language::English, "bn100C.rcc", "bn100C.rcc"},
    };
    for (const auto& c : cases) {
        platform::setLanguage(c.language);
        EXPECT_EQ(platform::localisedFile(root.path(), QLatin1String(c.name)),
                  folder.filePath(QLatin1String(c.expected)))
            << c.name;
    }
    platform::setLanguage(Language::Chinese);
}
