#include "controls/mainlayout.h"
#include "device/startupread.h"
#include "firstpaint.h"
#include "mainstudy.h"
#include "platform/threadexit.h"
#include "platform/toolkitsetup.h"
#include "qidong.h"
#include "translations.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <memory>

namespace {

int run(int argc, char** argv) {
    platform::prepareToolkit();
    // Reading the remote and decoding the window's pictures take their time at their own pace;
    // they start now and run while the toolkit starts and the splash goes up. The remote needs
    // nothing of the toolkit; the pictures need its image readers.
    std::future<device::StartupRead> startupRead = device::startReadingAtStartup();
    QApplication app(argc, argv);
    installTranslations(QLocale::system());
    controls::startDecodingWindowPictures();

    auto splash = std::make_unique<TForm1>();
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    Tmaincodelearn window(nullptr, std::move(startupRead));
    // The splash stays up half a second after the window is made; what the window can prepare
    // unseen is done within that half second rather than after it.
    QElapsedTimer pause;
    pause.start();
    window.prepareShow();
    QThread::msleep(static_cast<unsigned long>(std::max<qint64>(0, 500 - pause.elapsed())));
    splash.reset();

    // A start-up that was cancelled or refused ends here, without flashing the window.
    if (window.state().startupRefused)
        return 0;
    reportFirstPaint(&window);
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    const int result = run(argc, argv);
    platform::awaitOtherThreadsEnded();
    return result;
}
