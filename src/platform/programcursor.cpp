#include "programcursor.h"

#include <QFile>
#include <QPixmap>

#ifdef Q_OS_WIN
#include <QImage>

#include "model/windowsapi.h"
#endif

namespace platform {

std::optional<QCursor> programCursor() {
#ifdef Q_OS_WIN
    // A cursor resource named "CUR" in the program's own module, as the program loads it; a
    // shared cursor is the system's to free.
    const auto cursor = static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(nullptr), L"CUR", IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (cursor != nullptr) {
        ICONINFO info{};
        if (GetIconInfo(cursor, &info)) {
            const QImage picture = QImage::fromHICON(cursor);
            if (info.hbmMask != nullptr)
                DeleteObject(info.hbmMask);
            if (info.hbmColor != nullptr)
                DeleteObject(info.hbmColor);
            if (!picture.isNull())
                return QCursor(QPixmap::fromImage(picture), static_cast<int>(info.xHotspot),
                               static_cast<int>(info.yHotspot));
        }
    }
#endif
    const QString resource = QStringLiteral(":/CUR");
    if (QFile::exists(resource)) {
        const QPixmap picture(resource);
        if (!picture.isNull())
            return QCursor(picture);
    }
    return std::nullopt;
}

} // namespace platform
