#include "ibtn1.h"

#include "platform/messagebox.h"
#include "platform/programcursor.h"
#include "platform/shell.h"

#include <QCursor>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>

#include <map>

namespace {

std::map<int, QCursor>& cursorRegistry() {
    static std::map<int, QCursor> cursors;
    return cursors;
}

// Position of the last folder separator or drive colon; -1 for a bare file name.
qsizetype folderEnd(const QString& path) {
    return std::max({path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')),
                     path.lastIndexOf(QLatin1Char(':'))});
}

// The extension of the file name: from its last dot on, the dot included; dots in folder names
// do not count.
QString fileExtension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > folderEnd(path) ? path.mid(dot) : QString();
}

// Everything up to and including the last folder separator or drive colon.
QString folderPart(const QString& path) { return path.left(folderEnd(path) + 1); }

} // namespace

QCursor applicationCursor(int number) {
    const auto& cursors = cursorRegistry();
    const auto found = cursors.find(number);
    return found != cursors.end() ? found->second : QCursor(Qt::ArrowCursor);
}

IBtn::IBtn(QWidget* owner) : QWidget(owner) {
    // Every button registers the cursor again, replacing what was registered under its number.
    cursorRegistry().insert_or_assign(kCursorNumber,
                                      platform::programCursor().value_or(QCursor(Qt::ArrowCursor)));
    setCursor(applicationCursor(kCursorNumber));
    resize(80, 25);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
}

void IBtn::setMoveDown(int pixels) {
    const auto value = static_cast<std::uint8_t>(pixels);
    if (value != moveDown_)
        moveDown_ = value;
}

void IBtn::setMoveRight(int pixels) {
    const auto value = static_cast<std::uint8_t>(pixels);
    if (value != moveRight_)
        moveRight_ = value;
}

// The setter does not look at the previous state: false twice keeps the disabled picture as the
// saved one, and true always puts the saved picture back, even an empty one.
void IBtn::setIsEnable(bool enable) {
    if (enable)
        setPicture(savedPicture_);
    else {
        savedPicture_ = picture_;
        setPicture(disablePic_);
    }
    isEnable_ = enable;
}

void IBtn::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void IBtn::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void IBtn::mousePressEvent(QMouseEvent* event) {
    event->accept();
    secondPressOfDoubleClick_ = false;
    pressShift();
    openPath();
}

// The second press of a double-click is still a press (it shifts, it opens the path) but the
// first press and release already clicked: a double-click on "begin learning" must not undo it.
void IBtn::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    secondPressOfDoubleClick_ = event->button() == Qt::LeftButton;
}

void IBtn::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool left = event->button() == Qt::LeftButton;
    const bool clicks = left && !secondPressOfDoubleClick_;
    if (left)
        secondPressOfDoubleClick_ = false;
    // The click comes first, so the owner's handler runs while the button still looks pressed.
    const bool inside = rect().contains(event->position().toPoint());
    if (clicks && inside)
        emit clicked(this);
    releaseShift();
    // The menu opens once the button is back in its place, so it opens where the user sees it.
    if (event->button() == Qt::RightButton && inside)
        emit menuRequested(this, event->globalPosition().toPoint());
}

void IBtn::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved(this);
}

void IBtn::pressShift() { move(x() + moveRight_, y() + moveDown_); }

void IBtn::releaseShift() { move(x() - moveRight_, y() - moveDown_); }

void IBtn::openPath() {
    if (path_.isEmpty() || !opensPath_)
        return;
    // A program is started from its own folder; the suffix must be exactly ".exe".
    if (fileExtension(path_) == QStringLiteral(".exe")) {
        const QString folder = folderPart(path_);
        if (!QDir::setCurrent(folder)) {
            platform::showMessage(nullptr, platform::MessageStyle::Plain, platform::Buttons::Ok,
                                  tr("无法进入文件夹“%1”，没有打开 %2").arg(folder, path_));
            return;
        }
    }
    platform::shell().open(path_, {});
}
