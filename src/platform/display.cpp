#include "display.h"

#include <QGuiApplication>
#include <QScreen>

#ifdef Q_OS_WIN
#include "model/windowsapi.h"
#endif

namespace platform {

namespace {

class ScreenDisplay final : public Display {
public:
    QSize size() override {
#ifdef Q_OS_WIN
        DEVMODEW current{};
        current.dmSize = sizeof(current);
        if (EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &current))
            return QSize(static_cast<int>(current.dmPelsWidth), static_cast<int>(current.dmPelsHeight));
#endif
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return QSize();
        const qreal ratio = screen->devicePixelRatio();
        return QSize(qRound(screen->size().width() * ratio), qRound(screen->size().height() * ratio));
    }

    bool useMinimumMode() override {
#ifdef Q_OS_WIN
        // Only a mode the display itself lists is applied, and never saved to the registry.
        DEVMODEW mode{};
        mode.dmSize = sizeof(mode);
        for (DWORD n = 0; EnumDisplaySettingsW(nullptr, n, &mode); ++n) {
            if (mode.dmPelsWidth == 1024 && mode.dmPelsHeight == 768) {
                mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
                return ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
            }
        }
        return false;
#else
        return false;
#endif
    }
};

Display* installedDisplay = nullptr;

} // namespace

Display& display() {
    static ScreenDisplay screen;
    return installedDisplay ? *installedDisplay : screen;
}

void setDisplay(Display* replacement) { installedDisplay = replacement; }

} // namespace platform
