#include "firstpaint.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

// Watches every paint of the program: the window itself is covered by its controls, so the first
// of them to paint is the window's first paint.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == window_) {
            std::fputs("first paint\n", stderr);
            std::fflush(stderr);
            qApp->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

void reportFirstPaint(QWidget* window) {
    if (std::getenv("QTM418_REPORT_FIRST_PAINT"))
        qApp->installEventFilter(new FirstPaint(window));
}
