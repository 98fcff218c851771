#include "display.h"

#include <QGuiApplication>
#include <QScreen>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

namespace {

class ScreenDisplay final : public Display {
public:
    QSize size() override {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->size() : QSize();
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

Display* installed = nullptr;

} // namespace

Display& display() {
    static ScreenDisplay screen;
    return installed ? *installed : screen;
}

void setDisplay(Display* replacement) { installed = replacement; }

} // namespace platform
