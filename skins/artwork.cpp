#include "artwork.h"

#include "artfolder.h"
#include "artwords.h"
#include "keyart.h"
#include "pictures.h"

#include <QDir>

#include <array>
#include <initializer_list>
#include <map>

namespace artwork {

namespace {

struct KeySet {
    QString bundle;
    QString folder;
    KeyColouring colouring;
};

const std::array<KeySet, 4> kKeySets{{
    {QStringLiteral("on100C"), QStringLiteral("skin/on"), KeyColouring::Normal},
    {QStringLiteral("sn100C"), QStringLiteral("skin/sn"), KeyColouring::Learned},
    {QStringLiteral("fn100C"), QStringLiteral("skin/fn"), KeyColouring::Learning},
    {QStringLiteral("dn100C"), QStringLiteral("skin/dn"), KeyColouring::Occupied},
}};

QString keyResource(int index) { return QStringLiteral("gif%1").arg(index); }

std::vector<Resource> without(std::vector<Resource> resources, const QString& name) {
    std::erase_if(resources, [&](const Resource& r) { return r.name == name; });
    return resources;
}

std::vector<Resource> replacing(std::vector<Resource> resources, const QString& name, const QString& file) {
    for (Resource& r : resources)
        if (r.name == name)
            r.file = file;
    return resources;
}

// The four key bundles; returns each bundle's resources.
std::map<QString, std::vector<Resource>> writeKeySets(ArtFolder& out, const ArtWords& words, QString* error) {
    const QImage body = remoteBodyAtBox(words);
    std::map<int, KeyFace> keyAt;
    for (KeyFace& face : keyFaces(words)) {
        const auto index = keyPictureIndex(face.key->code);
        if (!index) {
            *error = QStringLiteral("key %1 has the malformed number %2")
                         .arg(QString::fromUtf8(face.key->name), QString::fromUtf8(face.key->code));
            return {};
        }
        keyAt.emplace(*index, std::move(face));
    }
    std::map<QString, std::vector<Resource>> bundles;
    for (const KeySet& set : kKeySets) {
        const QImage plain = plainKeyPicture(set.colouring);
        for (int index = 0; index < kKeyPictureCount; ++index) {
            const auto key = keyAt.find(index);
            const QImage picture = key == keyAt.end() ? plain : keyPicture(key->second, set.colouring, body);
            const QString file = QStringLiteral("%1/%2.gif").arg(set.folder, keyResource(index));
            out.gif(file, picture, GifVersion::Gif89a);
            bundles[set.bundle].push_back({keyResource(index), file});
            if (set.colouring == KeyColouring::Normal && key != keyAt.end()) {
                // The window's own first picture of each key button.
                out.gif(QStringLiteral("window/keys/%1.gif").arg(QString::fromUtf8(key->second.key->name)),
                        picture, GifVersion::Gif87a);
            }
        }
    }
    return bundles;
}

std::vector<Resource> writeSinglePictures(ArtFolder& out, const ArtWords& words) {
    out.animation(QStringLiteral("skin/bn/flash1.gif"), learningAnimationFrames(words),
                  learningAnimationDelays());
    out.jpeg(QStringLiteral("skin/bn/gifquorel.jpg"), idleHintBanner(words));
    out.jpeg(QStringLiteral("skin/bn/jpgjingtai.jpg"), learningStill(words));
    const std::pair<QString, QImage> faces[] = {
        {QStringLiteral("stopdelete"), buttonFace(words.stopDeleting, FaceTone::Stop)},
        {QStringLiteral("deletehui"), buttonFace(words.deleteKey, FaceTone::Grey)},
        {QStringLiteral("delete"), buttonFace(words.deleteKey, FaceTone::Action)},
        {QStringLiteral("clear"), buttonFace(words.clearAll, FaceTone::Action)},
        {QStringLiteral("clearhui"), buttonFace(words.clearAll, FaceTone::Grey)},
    };
    std::vector<Resource> resources{{QStringLiteral("flash1"), QStringLiteral("skin/bn/flash1.gif")},
                                    {QStringLiteral("gifquorel"), QStringLiteral("skin/bn/gifquorel.jpg")},
                                    {QStringLiteral("jpgjingtai"), QStringLiteral("skin/bn/jpgjingtai.jpg")}};
    for (const auto& [name, picture] : faces) {
        const QString file = QStringLiteral("skin/bn/%1.jpg").arg(name);
        out.jpeg(file, picture);
        resources.push_back({name, file});
    }
    return resources;
}

std::vector<Resource> windowResources(std::initializer_list<const char*> names) {
    std::vector<Resource> resources;
    for (const char* name : names)
        resources.push_back(
            {QString::fromLatin1(name), QStringLiteral("window/%1").arg(QLatin1String(name))});
    return resources;
}

// The window's pictures with words in them, the key buttons' first pictures among them.
std::vector<Resource> writeWindowWordPictures(ArtFolder& out, const ArtWords& words) {
    out.jpeg(QStringLiteral("window/Image1.jpg"), backgroundPicture(words));
    out.jpeg(QStringLiteral("window/beginstudyibtn.jpg"), buttonFace(words.learn, FaceTone::Action));
    out.jpeg(QStringLiteral("window/beginstudyibtn-stop.jpg"),
             buttonFace(words.stopLearning, FaceTone::Stop));
    out.gif(QStringLiteral("window/Image4.gif"), hintPanel(HintPanel::IdleSomeLearned, words),
            GifVersion::Gif89a);
    out.gif(QStringLiteral("window/Image5.gif"), hintPanel(HintPanel::Learning, words), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/Image7.gif"), hintPanel(HintPanel::DeletingOne, words),
            GifVersion::Gif89a);
    out.gif(QStringLiteral("window/Image8.gif"), hintPanel(HintPanel::IdleNothingLearned, words),
            GifVersion::Gif89a);
    out.gif(QStringLiteral("window/z.gif"), remoteBodyPicture(words), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/splash.gif"), splashPicture(words), GifVersion::Gif89a);

    std::vector<Resource> resources =
        windowResources({"Image1.jpg", "beginstudyibtn.jpg", "beginstudyibtn-stop.jpg", "Image4.gif",
                         "Image5.gif", "Image7.gif", "Image8.gif", "z.gif", "splash.gif"});
    for (const auto& key : model::kKeyButtons) {
        const QString name = QStringLiteral("keys/%1.gif").arg(QString::fromUtf8(key.name));
        resources.push_back({name, QStringLiteral("window/") + name});
    }
    return resources;
}

// The window's pictures without words, the same in every language.
std::vector<Resource> writeWindowPlainPictures(ArtFolder& out) {
    out.gif(QStringLiteral("window/helpibtn.gif"), helpButtonPicture(), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/updateibtn.gif"), updateButtonPicture(), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/IBtn79.gif"), closeButtonPicture(), GifVersion::Gif89a);
    out.jpeg(QStringLiteral("window/IBtn79-grey.jpg"), closeButtonGreyPicture());
    return windowResources({"helpibtn.gif", "updateibtn.gif", "IBtn79.gif", "IBtn79-grey.jpg"});
}

// One language's skin: its pictures and the collections of its five bundles, in `out`.
struct LanguageSkin {
    std::map<QString, std::vector<Resource>> keyBundles;
    std::vector<Resource> singles;
    std::vector<Resource> window;
};

LanguageSkin writeLanguageSkin(ArtFolder& out, const ArtWords& words, QString* keyError) {
    LanguageSkin skin{writeKeySets(out, words, keyError), {}, {}};
    if (!keyError->isEmpty())
        return skin;
    skin.singles = writeSinglePictures(out, words);
    skin.window = writeWindowWordPictures(out, words);
    const QString root = QStringLiteral("/");
    for (const auto& [bundle, resources] : skin.keyBundles)
        out.collection(bundle + QStringLiteral(".qrc"), root, resources);
    out.collection(QStringLiteral("bn100C.qrc"), root, skin.singles);
    return skin;
}

} // namespace

bool writeArtwork(const QString& folder, QString* error) {
    ArtFolder out(folder);
    ArtFolder english(QDir(folder).filePath(languageFolder(ArtLanguage::English)));
    QString keyError;
    const LanguageSkin chinese = writeLanguageSkin(out, artWords(ArtLanguage::Chinese), &keyError);
    const LanguageSkin inEnglish = keyError.isEmpty()
                                       ? writeLanguageSkin(english, artWords(ArtLanguage::English), &keyError)
                                       : LanguageSkin{};
    if (!keyError.isEmpty()) {
        if (error)
            *error = keyError;
        return false;
    }
    std::vector<Resource> window = chinese.window;
    const std::vector<Resource> plain = writeWindowPlainPictures(out);
    window.insert(window.end(), plain.begin(), plain.end());
    // The English twins of the pictures with words, under en/ beside the Chinese ones.
    const QString en = languageFolder(ArtLanguage::English) + QLatin1Char('/');
    for (const Resource& twin : inEnglish.window)
        window.push_back({en + twin.name, en + twin.file});

    for (const int size : kIconSizes)
        out.png(QStringLiteral("icons/hicolor/%1x%1/apps/qtm418.png").arg(size), applicationIcon(size));
    // Bytes that start like a GIF and stop before its first picture: no decoder accepts them.
    out.bytes(QStringLiteral("skin/broken/gif7"), QByteArrayLiteral("GIF89a\x01"));

    const QString root = QStringLiteral("/");
    out.collection(QStringLiteral("window.qrc"), QStringLiteral("/window"), window);
    out.collection(QStringLiteral("on100C-without-gif100.qrc"), root,
                   without(chinese.keyBundles.at(QStringLiteral("on100C")), keyResource(100)));
    out.collection(QStringLiteral("bn100C-without-clear.qrc"), root,
                   without(chinese.singles, QStringLiteral("clear")));
    out.collection(QStringLiteral("sn100C-bad-gif7.qrc"), root,
                   replacing(chinese.keyBundles.at(QStringLiteral("sn100C")), keyResource(7),
                             QStringLiteral("skin/broken/gif7")));
    for (const ArtFolder* written : {&out, &english}) {
        if (!written->ok()) {
            if (error)
                *error = written->error();
            return false;
        }
    }
    return true;
}

} // namespace artwork
