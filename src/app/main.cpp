#include "firstpaint.h"
#include "mainstudy.h"
#include "platform/threadexit.h"
#include "qidong.h"

#include <QApplication>
#include <QThread>

#include <memory>

namespace {

int run(int argc, char** argv) {
    QApplication app(argc, argv);

    auto splash = std::make_unique<TForm1>();
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    Tmaincodelearn window;
    QThread::msleep(500);
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
