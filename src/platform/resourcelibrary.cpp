#include "resourcelibrary.h"

#include "datafolder.h"
#include "language.h"

#include <QResource>

namespace platform {

namespace {
QString overrideFolder;
}

QString skinFolder() { return overrideFolder.isEmpty() ? dataFolder() : overrideFolder; }

void setSkinFolder(const QString& folder) { overrideFolder = folder; }

std::optional<ResourceLibrary> ResourceLibrary::load(const QString& name) {
    // The bundles of the program's language; the names inside are the same in every language.
    const QString file = localisedFile(skinFolder(), name + QStringLiteral(".rcc"));
    const QString root = QLatin1Char('/') + name;
    if (!QResource::registerResource(file, root))
        return std::nullopt;
    return ResourceLibrary(file, root);
}

ResourceLibrary::ResourceLibrary(QString file, QString root)
    : file_(std::move(file)), root_(std::move(root)) {}

ResourceLibrary::ResourceLibrary(ResourceLibrary&& other) noexcept
    : file_(std::move(other.file_)), root_(std::move(other.root_)), loaded_(other.loaded_) {
    other.loaded_ = false;
}

std::optional<QByteArray> ResourceLibrary::data(const QString& resource) const {
    if (!loaded_)
        return std::nullopt;
    const QResource entry(QLatin1Char(':') + root_ + QLatin1Char('/') + resource);
    if (!entry.isValid())
        return std::nullopt;
    return entry.uncompressedData();
}

void ResourceLibrary::release() {
    if (loaded_)
        QResource::unregisterResource(file_, root_);
    loaded_ = false;
}

} // namespace platform
