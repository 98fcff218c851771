#include "artwork.h"

#include "artfolder.h"
#include "keyart.h"
#include "pictures.h"

#include <array>
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
std::map<QString, std::vector<Resource>> writeKeySets(ArtFolder& out, QString* error) {
    const QImage body = remoteBodyAtBox();
    std::map<int, KeyFace> keyAt;
    for (KeyFace& face : keyFaces()) {
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

std::vector<Resource> writeSinglePictures(ArtFolder& out) {
    out.animation(QStringLiteral("skin/bn/flash1.gif"), learningAnimationFrames(), learningAnimationDelays());
    out.jpeg(QStringLiteral("skin/bn/gifquorel.jpg"), idleHintBanner());
    out.jpeg(QStringLiteral("skin/bn/jpgjingtai.jpg"), learningStill());
    const std::pair<QString, QImage> faces[] = {
        {QStringLiteral("stopdelete"), buttonFace(QStringLiteral("停止删除"), FaceTone::Stop)},
        {QStringLiteral("deletehui"), buttonFace(QStringLiteral("删除按键"), FaceTone::Grey)},
        {QStringLiteral("delete"), buttonFace(QStringLiteral("删除按键"), FaceTone::Action)},
        {QStringLiteral("clear"), buttonFace(QStringLiteral("全部清除"), FaceTone::Action)},
        {QStringLiteral("clearhui"), buttonFace(QStringLiteral("全部清除"), FaceTone::Grey)},
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

std::vector<Resource> writeWindowPictures(ArtFolder& out) {
    out.jpeg(QStringLiteral("window/Image1.jpg"), backgroundPicture());
    out.jpeg(QStringLiteral("window/beginstudyibtn.jpg"),
             buttonFace(QStringLiteral("开始学习"), FaceTone::Action));
    out.jpeg(QStringLiteral("window/beginstudyibtn-stop.jpg"),
             buttonFace(QStringLiteral("停止学习"), FaceTone::Stop));
    out.gif(QStringLiteral("window/helpibtn.gif"), helpButtonPicture(), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/updateibtn.gif"), updateButtonPicture(), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/IBtn79.gif"), closeButtonPicture(), GifVersion::Gif89a);
    out.jpeg(QStringLiteral("window/IBtn79-grey.jpg"), closeButtonGreyPicture());
    out.gif(QStringLiteral("window/Image4.gif"), hintPanel(HintPanel::IdleSomeLearned), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/Image5.gif"), hintPanel(HintPanel::Learning), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/Image7.gif"), hintPanel(HintPanel::DeletingOne), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/Image8.gif"), hintPanel(HintPanel::IdleNothingLearned),
            GifVersion::Gif89a);
    out.gif(QStringLiteral("window/z.gif"), remoteBodyPicture(), GifVersion::Gif89a);
    out.gif(QStringLiteral("window/splash.gif"), splashPicture(), GifVersion::Gif89a);

    std::vector<Resource> resources;
    for (const char* name : {"Image1.jpg", "beginstudyibtn.jpg", "beginstudyibtn-stop.jpg", "helpibtn.gif",
                             "updateibtn.gif", "IBtn79.gif", "IBtn79-grey.jpg", "Image4.gif", "Image5.gif",
                             "Image7.gif", "Image8.gif", "z.gif", "splash.gif"})
        resources.push_back(
            {QString::fromLatin1(name), QStringLiteral("window/%1").arg(QLatin1String(name))});
    for (const auto& key : model::kKeyButtons) {
        const QString name = QStringLiteral("keys/%1.gif").arg(QString::fromUtf8(key.name));
        resources.push_back({name, QStringLiteral("window/") + name});
    }
    return resources;
}

} // namespace

bool writeArtwork(const QString& folder, QString* error) {
    ArtFolder out(folder);
    QString keyError;
    const auto keyBundles = writeKeySets(out, &keyError);
    if (!keyError.isEmpty()) {
        if (error)
            *error = keyError;
        return false;
    }
    const std::vector<Resource> singles = writeSinglePictures(out);
    const std::vector<Resource> window = writeWindowPictures(out);
    for (const int size : kIconSizes)
        out.png(QStringLiteral("icons/hicolor/%1x%1/apps/qtm418.png").arg(size), applicationIcon(size));
    // Bytes that start like a GIF and stop before its first picture: no decoder accepts them.
    out.bytes(QStringLiteral("skin/broken/gif7"), QByteArrayLiteral("GIF89a\x01"));

    const QString root = QStringLiteral("/");
    for (const auto& [bundle, resources] : keyBundles)
        out.collection(bundle + QStringLiteral(".qrc"), root, resources);
    out.collection(QStringLiteral("bn100C.qrc"), root, singles);
    out.collection(QStringLiteral("window.qrc"), QStringLiteral("/window"), window);
    out.collection(QStringLiteral("on100C-without-gif100.qrc"), root,
                   without(keyBundles.at(QStringLiteral("on100C")), keyResource(100)));
    out.collection(QStringLiteral("bn100C-without-clear.qrc"), root,
                   without(singles, QStringLiteral("clear")));
    out.collection(QStringLiteral("sn100C-bad-gif7.qrc"), root,
                   replacing(keyBundles.at(QStringLiteral("sn100C")), keyResource(7),
                             QStringLiteral("skin/broken/gif7")));
    if (!out.ok() && error)
        *error = out.error();
    return out.ok();
}

} // namespace artwork
