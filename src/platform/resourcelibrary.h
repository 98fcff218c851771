// A skin bundle: a file of named pictures next to the program, loaded and released like a
// resource-only library. Each bundle is mounted under its own root, since the four key bundles
// use the same resource names.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

class ResourceLibrary {
public:
    // Loads bundle `name` ("on100C") from the skin folder, in the program's language (see
    // localisedFile); nullopt when it is missing or unreadable.
    static std::optional<ResourceLibrary> load(const QString& name);

    ResourceLibrary(ResourceLibrary&& other) noexcept;
    ResourceLibrary& operator=(ResourceLibrary&&) = delete;
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;
    // A bundle left loaded would answer for its name in every later load: dropping it releases it.
    ~ResourceLibrary() { release(); }

    // The bytes of resource `resource` ("gif26"); nullopt when the bundle has no such resource.
    std::optional<QByteArray> data(const QString& resource) const;
    // Unloads the bundle; its data must no longer be used.
    void release();

private:
    ResourceLibrary(QString file, QString root);
    QString file_;
    QString root_;
    bool loaded_ = true;
};

// The folder the bundles are loaded from: the program's own folder unless a test chose another.
QString skinFolder();
void setSkinFolder(const QString& folder);

} // namespace platform
