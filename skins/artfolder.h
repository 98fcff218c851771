// The folder the generator fills: every picture under its path in the folder, and the resource
// collection files (.qrc) that name them for rcc. The first failure is kept and stops later writes,
// and no file is left half written.
#pragma once

#include "gifwriter.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <vector>

namespace artwork {

// A resource of a collection: the name the program reads it by, and its file in the folder.
struct Resource {
    QString name;
    QString file;
};

class ArtFolder {
public:
    explicit ArtFolder(const QString& root);

    // Reduced to a palette, then written as GIF.
    void gif(const QString& path, const QImage& picture, GifVersion version);
    // Frames sharing one palette, shown `delays` centiseconds each, looping forever.
    void animation(const QString& path, const std::vector<QImage>& frames, const std::vector<int>& delays);
    void jpeg(const QString& path, const QImage& picture);
    // Written as PNG with its transparency, as desktop icons are.
    void png(const QString& path, const QImage& picture);
    void bytes(const QString& path, const QByteArray& data);
    // Resources at the collection's root, or under `prefix`.
    void collection(const QString& path, const QString& prefix, const std::vector<Resource>& resources);

    QString filePath(const QString& path) const { return root_.filePath(path); }
    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

private:
    void fail(const QString& path, const QString& reason);

    QDir root_;
    QString error_;
};

} // namespace artwork
