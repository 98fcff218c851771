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

std::optional<QPixmap> decode(const ResourceLibrary& library, const QString& resource, const char* format) {
    const auto bytes = library.data(resource);
    if (!bytes)
        return std::nullopt;
    QImage image = QImage::fromData(*bytes, format);
    if (image.isNull())
        return std::nullopt;
    return QPixmap::fromImage(std::move(image), Qt::NoOpaqueDetection);
}

// Failing to write the animation only leaves it with nothing to play.
void writeAnimation(const ResourceLibrary& library, const QString& animationFile) {
    if (QFile::exists(animationFile))
        QFile::remove(animationFile);
    const auto bytes = library.data(QStringLiteral("flash1"));
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

bool loadSkin(SkinPictures& skin, const QString& animationFile) {
    // Every bundle is released again on every way out, a failed load included.
    std::vector<ResourceLibrary> bundles;
    for (const char* name : kBundleNames) {
        auto library = ResourceLibrary::load(QString::fromLatin1(name));
        if (!library)
            return false;
        bundles.push_back(std::move(*library));
    }
    writeAnimation(bundles[Bn], animationFile);

    const std::pair<Bundle, KeyPictures*> keySets[] = {{On, &skin.normalKeyPictures},
                                                       {Sn, &skin.learnedKeyPictures},
                                                       {Fn, &skin.learningKeyPictures},
                                                       {Dn, &skin.occupiedKeyPictures}};
    for (int n = 0; n < kKeyPictureCount; ++n) {
        const QString resource = QStringLiteral("gif%1").arg(n);
        for (const auto& [bundle, pictures] : keySets) {
            auto picture = decode(bundles[bundle], resource, "GIF");
            if (!picture)
                return false;
            (*pictures)[static_cast<std::size_t>(n)] = std::move(*picture);
        }
    }
    // Whatever their names say, the single pictures are all JPEG.
    for (const char* name : kSingleNames) {
        auto picture = decode(bundles[Bn], QString::fromLatin1(name), "JPEG");
        if (!picture)
            return false;
        skin.singles.insert_or_assign(QString::fromLatin1(name), std::move(*picture));
    }
    return true;
}
