// The five skin bundles as the program reads them: every resource present, decodable, in its
// format and at its size; the key sets coloured as their names say; the test skins lacking
// exactly what their names say.
#include "skinfiles.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace skintest;

namespace {

const QStringList kKeySets{QStringLiteral("on100C"), QStringLiteral("sn100C"), QStringLiteral("fn100C"),
                           QStringLiteral("dn100C")};
const QStringList kButtonFaces{QStringLiteral("stopdelete"), QStringLiteral("deletehui"),
                               QStringLiteral("delete"), QStringLiteral("clear"), QStringLiteral("clearhui")};

QString keyResource(int index) { return QStringLiteral("gif%1").arg(index); }

enum class Tint { Red, Green, Amber, Grey };

Tint tintOf(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 200 && g > 130 && b < 110)
        return Tint::Amber;
    if (r > g + 60 && r > b + 60)
        return Tint::Red;
    if (g > r + 40 && g > b + 30)
        return Tint::Green;
    return Tint::Grey;
}

// The share of a picture's pixels in one tint.
double shareOf(const QImage& picture, Tint tint) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            count += tintOf(rgb.pixel(x, y)) == tint;
    return static_cast<double>(count) / (rgb.width() * rgb.height());
}

} // namespace

TEST(SkinBundles, EveryKeySetHoldsAPictureForEachIndexAtItsSize) {
    const auto keySizes = keySizesByIndex();
    ASSERT_EQ(keySizes.size(), model::kKeyButtons.size());
    for (const QString& set : kKeySets) {
        SCOPED_TRACE(set.toStdString());
        const RegisteredBundle bundle(skinBundle(set), QLatin1Char('/') + set);
        ASSERT_TRUE(bundle.registered());
        for (int index = 0; index < skintest::kKeyPictureCount; ++index) {
            SCOPED_TRACE(index);
            const QByteArray bytes = bundle.bytes(keyResource(index));
            ASSERT_TRUE(isGif89a(bytes) || isGif87a(bytes));
            const QImage picture = decode(bytes);
            ASSERT_FALSE(picture.isNull());
            const auto key = keySizes.find(index);
            EXPECT_EQ(picture.size(), key == keySizes.end() ? skintest::kPlainKeySize : key->second);
        }
        EXPECT_FALSE(bundle.has(keyResource(skintest::kKeyPictureCount)));
    }
}

TEST(SkinBundles, EachKeySetShowsItsOwnColouring) {
    const RegisteredBundle normal(skinBundle(QStringLiteral("on100C")), QStringLiteral("/on100C"));
    const RegisteredBundle learned(skinBundle(QStringLiteral("sn100C")), QStringLiteral("/sn100C"));
    const RegisteredBundle learning(skinBundle(QStringLiteral("fn100C")), QStringLiteral("/fn100C"));
    const RegisteredBundle occupied(skinBundle(QStringLiteral("dn100C")), QStringLiteral("/dn100C"));
    ASSERT_TRUE(normal.registered() && learned.registered() && learning.registered() &&
                occupied.registered());
    for (int index = 0; index < skintest::kKeyPictureCount; ++index) {
        SCOPED_TRACE(index);
        const QString name = keyResource(index);
        const QImage grey = decode(normal.bytes(name));
        const QImage red = decode(learned.bytes(name));
        const QImage amber = decode(learning.bytes(name));
        const QImage green = decode(occupied.bytes(name));
        // A key face covers at least a sixth of its picture; the rest is the remote around it.
        EXPECT_GT(shareOf(red, Tint::Red), 1.0 / 6);
        EXPECT_GT(shareOf(amber, Tint::Amber), 1.0 / 6);
        EXPECT_GT(shareOf(green, Tint::Green), 1.0 / 6);
        EXPECT_EQ(shareOf(grey, Tint::Red) + shareOf(grey, Tint::Green) + shareOf(grey, Tint::Amber), 0.0);
    }
}

TEST(SkinBundles, PictureBundleHoldsTheAnimationAndSevenJpegs) {
    const RegisteredBundle bundle(skinBundle(QStringLiteral("bn100C")), QStringLiteral("/bn100C"));
    ASSERT_TRUE(bundle.registered());
    for (const char* name : {"gifquorel", "jpgjingtai"}) {
        SCOPED_TRACE(name);
        const QByteArray bytes = bundle.bytes(QLatin1String(name));
        EXPECT_TRUE(isJpeg(bytes));
        EXPECT_EQ(decode(bytes).size(), QSize(413, 86));
    }
    for (const QString& name : kButtonFaces) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = bundle.bytes(name);
        EXPECT_TRUE(isJpeg(bytes));
        EXPECT_EQ(decode(bytes).size(), QSize(132, 39));
    }
    // A disabled face is grey: nothing of the call-to-act orange is left in it.
    EXPECT_GT(shareOf(decode(bundle.bytes(QStringLiteral("delete"))), Tint::Amber), 0.2);
    EXPECT_EQ(shareOf(decode(bundle.bytes(QStringLiteral("deletehui"))), Tint::Amber), 0.0);
    EXPECT_EQ(shareOf(decode(bundle.bytes(QStringLiteral("clearhui"))), Tint::Amber), 0.0);
}

TEST(SkinBundles, LearningAnimationLoopsForeverOverSeveralFrames) {
    const RegisteredBundle bundle(skinBundle(QStringLiteral("bn100C")), QStringLiteral("/bn100C"));
    ASSERT_TRUE(bundle.registered());
    QByteArray bytes = bundle.bytes(QStringLiteral("flash1"));
    ASSERT_TRUE(isGif89a(bytes));
    EXPECT_TRUE(bytes.contains("NETSCAPE2.0"));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    ASSERT_TRUE(reader.supportsAnimation());
    EXPECT_EQ(reader.loopCount(), -1);
    EXPECT_GE(reader.imageCount(), 4);
    int frames = 0;
    QImage previous;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read()) {
        SCOPED_TRACE(frames);
        EXPECT_EQ(frame.size(), QSize(409, 84));
        EXPECT_GT(reader.nextImageDelay(), 0);
        EXPECT_NE(frame, previous);
        previous = frame;
        ++frames;
    }
    EXPECT_EQ(frames, reader.imageCount());
}

// An English bundle stands in for its Chinese one: the same names, each picture at the Chinese
// one's size, and the pictures with words drawn anew.
TEST(SkinBundles, EachEnglishBundleHoldsTheChineseNamesAtTheChineseSizes) {
    const std::pair<QString, QString> worded[] = {
        {"on100C", "gif2"},       {"sn100C", "gif37"},      {"bn100C", "flash1"}, {"bn100C", "gifquorel"},
        {"bn100C", "jpgjingtai"}, {"bn100C", "stopdelete"}, {"bn100C", "delete"}, {"bn100C", "clearhui"}};
    for (const QString& name : kKeySets + QStringList{QStringLiteral("bn100C")}) {
        SCOPED_TRACE(name.toStdString());
        const RegisteredBundle chinese(skinBundle(name), QStringLiteral("/zh/") + name);
        const RegisteredBundle english(skinBundle(QStringLiteral("en/") + name),
                                       QStringLiteral("/en/") + name);
        ASSERT_TRUE(chinese.registered() && english.registered());
        const QStringList names = chinese.names();
        ASSERT_GE(names.size(), 8);
        EXPECT_EQ(english.names(), names);
        for (const QString& resource : names) {
            SCOPED_TRACE(resource.toStdString());
            const QImage picture = decode(english.bytes(resource));
            ASSERT_FALSE(picture.isNull());
            EXPECT_EQ(picture.size(), decode(chinese.bytes(resource)).size());
        }
        for (const auto& [bundle, resource] : worded) {
            if (bundle == name) {
                EXPECT_NE(english.bytes(resource), chinese.bytes(resource)) << resource.toStdString();
            }
        }
    }
}

TEST(TestSkins, KeySetWithoutGif100LacksOnlyThat) {
    const RegisteredBundle bundle(testSkinBundle(QStringLiteral("on100C-without-gif100")),
                                  QStringLiteral("/on100C"));
    ASSERT_TRUE(bundle.registered());
    for (int index = 0; index < skintest::kKeyPictureCount; ++index)
        EXPECT_EQ(bundle.has(keyResource(index)), index != 100) << index;
    EXPECT_FALSE(decode(bundle.bytes(keyResource(99))).isNull());
}

TEST(TestSkins, PictureBundleWithoutClearLacksOnlyThat) {
    const RegisteredBundle bundle(testSkinBundle(QStringLiteral("bn100C-without-clear")),
                                  QStringLiteral("/bn100C"));
    ASSERT_TRUE(bundle.registered());
    EXPECT_FALSE(bundle.has(QStringLiteral("clear")));
    for (const char* name :
         {"flash1", "gifquorel", "jpgjingtai", "stopdelete", "deletehui", "delete", "clearhui"})
        EXPECT_FALSE(decode(bundle.bytes(QLatin1String(name))).isNull()) << name;
}

TEST(TestSkins, KeySetWithBadGif7HoldsBytesNoDecoderAccepts) {
    const RegisteredBundle bundle(testSkinBundle(QStringLiteral("sn100C-bad-gif7")),
                                  QStringLiteral("/sn100C"));
    ASSERT_TRUE(bundle.registered());
    const QByteArray bad = bundle.bytes(keyResource(7));
    ASSERT_FALSE(bad.isEmpty());
    EXPECT_TRUE(decode(bad).isNull());
    EXPECT_TRUE(QImage::fromData(bad, "GIF").isNull());
    EXPECT_TRUE(QImage::fromData(bad, "JPEG").isNull());
    for (int index = 0; index < skintest::kKeyPictureCount; ++index) {
        if (index != 7) {
            EXPECT_FALSE(decode(bundle.bytes(keyResource(index))).isNull()) << index;
        }
    }
}
