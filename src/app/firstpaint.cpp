#include "firstpaint.h"

#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            std::fputs("first paint\n", stderr);
            std::fflush(stderr);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void reportFirstPaint(QWidget* window) {
    if (std::getenv("QTM418_REPORT_FIRST_PAINT"))
        window->installEventFilter(new FirstPaint(window));
}
