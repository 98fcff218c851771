#include "artfolder.h"

#include "indexedimage.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace artwork {

namespace {

constexpr int kJpegQuality = 92;

} // namespace

ArtFolder::ArtFolder(const QString& root) : root_(root) {}

void ArtFolder::fail(const QString& path, const QString& reason) {
    if (ok())
        error_ = QStringLiteral("%1: %2").arg(filePath(path), reason);
}

void ArtFolder::gif(const QString& path, const QImage& picture, GifVersion version) {
    if (!ok())
        return;
    QByteArray encoded;
    QString reason;
    if (!encodeGif(toIndexed(picture), version, encoded, &reason))
        return fail(path, reason);
    bytes(path, encoded);
}

void ArtFolder::animation(const QString& path, const std::vector<QImage>& frames,
                          const std::vector<int>& delays) {
    if (!ok())
        return;
    if (frames.size() != delays.size())
        return fail(path, QStringLiteral("%1 frames but %2 delays").arg(frames.size()).arg(delays.size()));
    const std::vector<QImage> indexed = toIndexed(frames);
    std::vector<GifFrame> gifFrames;
    for (std::size_t i = 0; i < indexed.size(); ++i)
        gifFrames.push_back({indexed[i], delays[i]});
    QByteArray encoded;
    QString reason;
    if (!encodeAnimatedGif(gifFrames, encoded, &reason))
        return fail(path, reason);
    bytes(path, encoded);
}

void ArtFolder::jpeg(const QString& path, const QImage& picture) {
    if (!ok())
        return;
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG", kJpegQuality))
        return fail(path, QStringLiteral("the JPEG writer refused the picture"));
    bytes(path, encoded);
}

void ArtFolder::png(const QString& path, const QImage& picture) {
    if (!ok())
        return;
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG"))
        return fail(path, QStringLiteral("the PNG writer refused the picture"));
    bytes(path, encoded);
}

void ArtFolder::bytes(const QString& path, const QByteArray& data) {
    if (!ok())
        return;
    const QString target = filePath(path);
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return fail(path, QStringLiteral("cannot create its folder"));
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        fail(path, file.errorString());
}

void ArtFolder::collection(const QString& path, const QString& prefix,
                           const std::vector<Resource>& resources) {
    if (!ok())
        return;
    QByteArray text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE RCC>"));
    xml.writeStartElement(QStringLiteral("RCC"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml.writeStartElement(QStringLiteral("qresource"));
    xml.writeAttribute(QStringLiteral("prefix"), prefix);
    for (const Resource& resource : resources) {
        xml.writeStartElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("alias"), resource.name);
        xml.writeCharacters(resource.file);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    bytes(path, text);
}

} // namespace artwork
