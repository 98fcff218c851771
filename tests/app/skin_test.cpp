// Loading the skin bundles: the whole skin, each bundle missing in turn, a missing or broken
// picture, the pictures of the desktop's language, and the learning animation written on show and
// removed on close.
#include "windowtest.h"

#include "app/translations.h"
#include "platform/resourcelibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QResource>

using platform::Answer;

namespace {

const QStringList kBundles{"on100C", "sn100C", "fn100C", "bn100C", "dn100C"};

class SkinTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        platform::setSkinFolder(skins.path());
    }
    void TearDown() override {
        WindowTest::TearDown();
        platform::setSkinFolder(QString());
    }

    // The program's own bundles, except `left out`, with `replacement` standing in for its namesake.
    void useBundles(const QString& leftOut = {}, const QString& replacement = {}) {
        for (const QString& name : kBundles) {
            const QString target = skins.filePath(name + ".rcc");
            QFile::remove(target);
            if (name == leftOut)
                continue;
            QString source = QDir(QCoreApplication::applicationDirPath()).filePath(name + ".rcc");
            if (!replacement.isEmpty() && replacement.startsWith(name))
                source = QDir(QStringLiteral(QTM418_TEST_SKIN_DIR)).filePath(replacement + ".rcc");
            ASSERT_TRUE(QFile::copy(source, target)) << source.toStdString();
        }
    }

    // The program's English bundles, in the skin folder's en/.
    void useEnglishBundles() {
        ASSERT_TRUE(QDir(skins.path()).mkpath(QStringLiteral("en")));
        for (const QString& name : kBundles) {
            const QString file = QStringLiteral("en/") + name + QStringLiteral(".rcc");
            QFile::remove(skins.filePath(file));
            ASSERT_TRUE(QFile::copy(QDir(QCoreApplication::applicationDirPath()).filePath(file),
                                    skins.filePath(file)));
        }
    }

    // Shows the window expecting the picture error; true when it then closed.
    bool showFailsWithThePictureError() {
        messages.expect(Answer::Ok);
        Tmaincodelearn& w = createShown();
        const bool closed = QTest::qWaitFor([&w] { return !w.isVisible(); }, 2000);
        EXPECT_EQ(onlyMessage().text, "调用图片出错！");
        EXPECT_EQ(onlyMessage().caption, "提示");
        EXPECT_TRUE(w.state().startupRefused);
        return closed;
    }

    QTemporaryDir skins;
};

TEST_F(SkinTest, TheWholeSkinGivesEveryPictureItsPlace) {
    useBundles();
    SkinPictures skin;
    ASSERT_TRUE(loadSkin(skin, fixedFiles.filePath("888.swf")));
    for (const KeyPictures* set : {&skin.normalKeyPictures, &skin.learnedKeyPictures,
                                   &skin.learningKeyPictures, &skin.occupiedKeyPictures})
        for (const QPixmap& picture : *set)
            ASSERT_FALSE(picture.isNull());
    // Key 27 (IBtn35, "CBL/UP") is 70 x 29; an index no key uses is a plain key.
    EXPECT_EQ(skin.learnedKeyPictures[0x27].size(), QSize(70, 29));
    EXPECT_EQ(skin.normalKeyPictures[0x08].size(), QSize(36, 32));
    for (const char* name :
         {"gifquorel", "jpgjingtai", "stopdelete", "deletehui", "delete", "clear", "clearhui"})
        EXPECT_FALSE(skin.single(name).isNull()) << name;
    // Written after its bundle was released: the bytes must be the animation's own.
    QFile animation(fixedFiles.filePath("888.swf"));
    ASSERT_TRUE(animation.open(QIODevice::ReadOnly));
    EXPECT_GT(animation.size(), 1000);
    EXPECT_TRUE(animation.read(6).startsWith("GIF89a"));
}

TEST_F(SkinTest, EachMissingBundleClosesTheWindowWithThePictureError) {
    for (const QString& missing : kBundles) {
        SCOPED_TRACE(missing.toStdString());
        useBundles(missing);
        EXPECT_TRUE(showFailsWithThePictureError());
        window.reset();
        messages.clear();
    }
}

// Decoded while the splash is up, the skin still takes effect, or fails, only when shown.
TEST_F(SkinTest, ASkinPreparedAheadActsOnlyOnShow) {
    useBundles("dn100C");
    Tmaincodelearn& w = create();
    QFile::remove(Tmaincodelearn::animationFile());
    w.prepareShow();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(QFile::exists(Tmaincodelearn::animationFile()));
    useBundles();
    messages.expect(Answer::Ok);
    w.show();
    EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.isVisible(); }, 2000)) << "the skin decoded ahead is shown";
    EXPECT_EQ(onlyMessage().text, "调用图片出错！");
}

TEST_F(SkinTest, AMissingKeyPictureStopsLoadingThere) {
    useBundles({}, "on100C-without-gif100");
    SkinPictures skin;
    EXPECT_FALSE(loadSkin(skin, fixedFiles.filePath("888.swf")));
    EXPECT_FALSE(skin.occupiedKeyPictures[99].isNull()) << "what loaded before stays";
    EXPECT_TRUE(skin.normalKeyPictures[100].isNull());
    EXPECT_TRUE(skin.learnedKeyPictures[100].isNull());
    EXPECT_TRUE(showFailsWithThePictureError());
}

TEST_F(SkinTest, AnUndecodableKeyPictureIsAPictureError) {
    useBundles({}, "sn100C-bad-gif7");
    EXPECT_TRUE(showFailsWithThePictureError());
}

TEST_F(SkinTest, AMissingSinglePictureIsAPictureErrorToo) {
    useBundles({}, "bn100C-without-clear");
    SkinPictures skin;
    EXPECT_FALSE(loadSkin(skin, fixedFiles.filePath("888.swf")));
    EXPECT_FALSE(skin.normalKeyPictures[167].isNull());
    EXPECT_TRUE(showFailsWithThePictureError());
}

QImage rgb(const QImage& picture) { return picture.convertToFormat(QImage::Format_RGB32); }

// Resource `resource` of bundle `file`, as a picture.
QImage bundlePicture(const QString& file, const QString& resource) {
    const QString root = QStringLiteral("/expected");
    if (!QResource::registerResource(file, root))
        return {};
    const QImage picture(QStringLiteral(":") + root + QLatin1Char('/') + resource);
    QResource::unregisterResource(file, root);
    return rgb(picture);
}

// The window's pictures and the skin's follow the desktop's language; an English desktop without
// the English bundles still gets the Chinese skin.
TEST_F(SkinTest, TheWindowShowsThePicturesOfTheDesktopsLanguage) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const struct {
        QLocale locale;
        bool englishBundles;
        QString windowFolder;
        QString bundleFolder;
    } cases[] = {
        {QLocale::c(), true, "", ""},
        {QLocale(QLocale::Chinese, QLocale::China), true, "", ""},
        {english, true, "en/", "en/"},
        {english, false, "en/", ""},
    };
    useBundles();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString() + (c.englishBundles ? "" : ", no English bundles"));
        QDir(skins.filePath(QStringLiteral("en"))).removeRecursively();
        if (c.englishBundles)
            useEnglishBundles();
        installTranslations(c.locale);
        const Tmaincodelearn& w = createShown();
        const auto windowPicture = [&c](const char* name) {
            return rgb(QImage(QStringLiteral(":/window/") + c.windowFolder + QLatin1String(name)));
        };
        const auto skinPicture = [&](const char* bundle, const char* resource) {
            return bundlePicture(
                skins.filePath(c.bundleFolder + QLatin1String(bundle) + QStringLiteral(".rcc")),
                QLatin1String(resource));
        };
        EXPECT_EQ(rgb(w.controls().Image1->pixmap().toImage()), windowPicture("Image1.jpg"));
        EXPECT_EQ(rgb(w.controls().Image8->pixmap().toImage()), windowPicture("Image8.gif"));
        EXPECT_EQ(rgb(w.controls().beginstudyibtn->Picture().toImage()), windowPicture("beginstudyibtn.jpg"));
        EXPECT_EQ(rgb(w.controls().Imagehint->pixmap().toImage()), skinPicture("bn100C", "gifquorel"));
        EXPECT_EQ(rgb(w.skin().single(QStringLiteral("delete")).toImage()), skinPicture("bn100C", "delete"));
        EXPECT_EQ(rgb(w.skin().normalKeyPictures[2].toImage()), skinPicture("on100C", "gif2"));
        window.reset();
    }
    installTranslations(QLocale::c());
}

TEST_F(SkinTest, TheAnimationIsWrittenAfreshOnShowAndRemovedOnClose) {
    useBundles();
    const QString animation = Tmaincodelearn::animationFile();
    {
        QFile old(animation);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an animation from an earlier run");
    }
    Tmaincodelearn& w = createShown();
    QFile written(animation);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(6).startsWith("GIF89a"));
    written.close();
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(QFile::exists(animation));
}

} // namespace
