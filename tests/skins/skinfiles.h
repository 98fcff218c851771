// Reading the built skin bundles and pictures in tests.
#pragma once

#include "model/keypadlayout.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QResource>
#include <QString>
#include <QStringList>

#include <map>
#include <string>

namespace skintest {

inline QString skinBundle(const QString& name) { return QStringLiteral(QTM418_SKIN_DIR "/%1.rcc").arg(name); }

inline QString testSkinBundle(const QString& name) {
    return QStringLiteral(QTM418_TEST_SKIN_DIR "/%1.rcc").arg(name);
}

// A bundle registered under its own root for as long as the object lives, as the program does.
class RegisteredBundle {
public:
    RegisteredBundle(QString file, QString root)
        : file_(std::move(file)), root_(std::move(root)),
          registered_(QResource::registerResource(file_, root_)) {}
    ~RegisteredBundle() {
        if (registered_)
            QResource::unregisterResource(file_, root_);
    }
    RegisteredBundle(const RegisteredBundle&) = delete;
    RegisteredBundle& operator=(const RegisteredBundle&) = delete;

    bool registered() const { return registered_; }
    QString path(const QString& name) const { return QStringLiteral(":%1/%2").arg(root_, name); }
    bool has(const QString& name) const { return QFile::exists(path(name)); }
    QByteArray bytes(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The names of its resources, sorted.
    QStringList names() const { return QDir(QLatin1Char(':') + root_).entryList(QDir::Files, QDir::Name); }

private:
    QString file_;
    QString root_;
    bool registered_;
};

inline bool isGif87a(const QByteArray& bytes) { return bytes.startsWith("GIF87a"); }
inline bool isGif89a(const QByteArray& bytes) { return bytes.startsWith("GIF89a"); }
inline bool isJpeg(const QByteArray& bytes) { return bytes.startsWith("\xFF\xD8\xFF"); }

// Decoded as the format its first bytes claim, as a picture loader without a hint does.
inline QImage decode(const QByteArray& bytes) { return QImage::fromData(bytes); }

// The picture size each index of a key set must have: the keypad's keys at their table size.
inline std::map<int, QSize> keySizesByIndex() {
    std::map<int, QSize> sizes;
    for (const auto& key : model::kKeyButtons)
        sizes[std::stoi(std::string(key.code), nullptr, 16)] = QSize(key.picture.width, key.picture.height);
    return sizes;
}

inline constexpr int kKeyPictureCount = 168;
inline const QSize kPlainKeySize{36, 32};

} // namespace skintest
