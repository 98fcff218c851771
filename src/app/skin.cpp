#include "skin.h"

#include "platform/resourcelibrary.h"

#include <QFile>
#include <QImage>

#include <optional>
#include <vector>

namespace {

using platform::ResourceLibrary;

const char* const kBundleNames[] = {"on100C", "sn100C", "fn100C", "bn100C", "dn100C"};
enum Bundle { On, Sn, Fn, Bn, Dn };

const char* const kSingleNames[] = {"gifquorel", "jpgjingtai", "stopdelete", "deletehui",
                                    "delete",    "clear",      "clearhui"};

QImage decode(const ResourceLibrary& library, const QString& resource, const char* format) {
    const auto bytes = library.data(resource);
    return bytes ? QImage::fromData(*bytes, format) : QImage();
}

// Failing to write the animation only leaves it with nothing to play.
void writeAnimation(const std::optional<QByteArray>& bytes, const QString& animationFile) {
    if (QFile::exists(animationFile))
        QFile::remove(animationFile);
    if (!bytes)
        return;
    QFile file(animationFile);
    if (file.open(QIODevice::WriteOnly))
        file.write(*bytes);
}

} // namespace

QPixmap SkinPictures::single(const QString& name) const {
    const auto found = singles.find(name);
    return found != singles.end() ? found->second : QPixmap();
}

DecodedSkin decodeSkin() {
    DecodedSkin decoded;
    // Every bundle is released again on every way out, a failed load included.
    std::vector<ResourceLibrary> bundles;
    for (const char* name : kBundleNames) {
        auto library = ResourceLibrary::load(QString::fromLatin1(name));
        if (!library)
            return decoded;
        bundles.push_back(std::move(*library));
    }
    decoded.bundlesLoaded = true;
    // A bundle's bytes live only as long as the bundle is loaded; the animation outlives it.
    if (const auto animation = bundles[Bn].data(QStringLiteral("flash1")))
        decoded.animation = QByteArray(animation->constData(), animation->size());

    const Bundle keySets[] = {On, Sn, Fn, Dn};
    decoded.keyPictures.reserve(kKeyPictureCount * std::size(keySets));
    for (int n = 0; n < kKeyPictureCount; ++n) {
        const QString resource = QStringLiteral("gif%1").arg(n);
        for (const Bundle bundle : keySets) {
            QImage picture = decode(bundles[bundle], resource, "GIF");
            if (picture.isNull())
                return decoded;
            decoded.keyPictures.push_back(std::move(picture));
        }
    }
    // Whatever their names say, the single pictures are all JPEG.
    for (const char* name : kSingleNames) {
        QImage picture = decode(bundles[Bn], QString::fromLatin1(name), "JPEG");
        if (picture.isNull())
            return decoded;
        decoded.singles.emplace_back(QString::fromLatin1(name), std::move(picture));
    }
    decoded.complete = true;
    return decoded;
}

bool applySkin(SkinPictures& skin, DecodedSkin decoded, const QString& animationFile) {
    if (!decoded.bundlesLoaded)
        return false;
    writeAnimation(decoded.animation, animationFile);
    KeyPictures* const keySets[] = {&skin.normalKeyPictures, &skin.learnedKeyPictures,
                                    &skin.learningKeyPictures, &skin.occupiedKeyPictures};
    const std::size_t sets = std::size(keySets);
    for (std::size_t i = 0; i < decoded.keyPictures.size(); ++i)
        (*keySets[i % sets])[i / sets] =
            QPixmap::fromImage(std::move(decoded.keyPictures[i]), Qt::NoOpaqueDetection);
    for (auto& [name, picture] : decoded.singles)
        skin.singles.insert_or_assign(name, QPixmap::fromImage(std::move(picture), Qt::NoOpaqueDetection));
    return decoded.complete;
}

bool loadSkin(SkinPictures& skin, const QString& animationFile) {
    return applySkin(skin, decodeSkin(), animationFile);
}
