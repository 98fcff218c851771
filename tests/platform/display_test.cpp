// The real display, on the scaled screen this suite runs on: a 1920 x 1080 panel at 200 %, which
// the toolkit reports as 960 x 540.
#include "platform/display.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#ifdef _WIN32
#include "model/windowsapi.h"
#endif

TEST(ScreenDisplay, MeasuresTheScreenInItsOwnPixelsNotInScaledOnes) {
#ifdef _WIN32
    // Windows is asked for the display's own mode, whatever platform the toolkit runs on here; at
    // the 96 dpi the tests run at, the system's metrics give the same pixels another way.
    EXPECT_EQ(platform::display().size(),
              QSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
#else
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen);
    ASSERT_EQ(screen->devicePixelRatio(), 2.0) << "the suite runs on the scaled screen";
    ASSERT_EQ(screen->size(), QSize(960, 540));
    EXPECT_EQ(platform::display().size(), QSize(1920, 1080));
#endif
}
