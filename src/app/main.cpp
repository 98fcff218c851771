#include "firstpaint.h"
#include "mainstudy.h"
#include "platform/threadexit.h"
#include "qidong.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <memory>

namespace {

int run(int argc, char** argv) {
    QApplication app(argc, argv);

    auto splash = std::make_unique<TForm1>();
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    Tmaincodelearn window;
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
