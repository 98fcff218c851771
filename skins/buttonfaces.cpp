#include "pictures.h"

#include "model/keypadlayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

namespace {

constexpr QSize kFaceSize{model::kStudyButtonPicture.width, model::kStudyButtonPicture.height};
constexpr QSize kIconSize{model::kHelpButtonPicture.width, model::kHelpButtonPicture.height};
constexpr QSize kGreyCloseSize{model::kCloseButtonDisabled.width, model::kCloseButtonDisabled.height};
constexpr QColor kIconInk{28, 86, 132};
constexpr QColor kCrossRed{214, 40, 36};
constexpr QColor kCrossGrey{150, 156, 164};

// A small button: a light rounded tile on the window's blue, and its glyph on the tile.
template <typename Glyph> QImage iconPicture(QSize size, Glyph paintGlyph) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(kWindowBlue);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QRectF tile = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(5, 2, -5, -3);
    p.setPen(Qt::NoPen);
    p.setBrush(kWindowBlue.darker(140));
    p.drawRoundedRect(tile.translated(1, 1.5), 8, 8);
    QLinearGradient ground(tile.topLeft(), tile.bottomLeft());
    ground.setColorAt(0, QColor(250, 252, 255));
    ground.setColorAt(1, QColor(206, 226, 242));
    p.setBrush(ground);
    p.setPen(QPen(kWindowBlue.darker(170), 1));
    p.drawRoundedRect(tile, 8, 8);
    paintGlyph(p);
    p.end();
    return picture;
}

void paintCross(QPainter& p, QPointF centre, qreal half, const QColor& colour) {
    p.setPen(QPen(colour.darker(130), 7.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    p.drawLine(centre + QPointF(half, -half), centre + QPointF(-half, half));
    p.setPen(QPen(colour, 5.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    p.drawLine(centre + QPointF(half, -half), centre + QPointF(-half, half));
}

} // namespace

QImage buttonFace(const QString& text, FaceTone tone) {
    const FaceColours colours = faceColours(tone);
    QImage picture(kFaceSize, QImage::Format_RGB32);
    picture.fill(kWindowBlue);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QRectF face = QRectF(QPointF(0, 0), QSizeF(kFaceSize)).adjusted(1.5, 1.5, -2.5, -3);
    p.setPen(Qt::NoPen);
    p.setBrush(kWindowBlue.darker(150));
    p.drawRoundedRect(face.translated(1, 1.5), 9, 9);

    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, colours.top);
    fill.setColorAt(1, colours.bottom);
    p.setPen(QPen(colours.edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, 9, 9);
    QLinearGradient sheen(face.topLeft(), QPointF(face.left(), face.center().y()));
    sheen.setColorAt(0, QColor(255, 255, 255, 110));
    sheen.setColorAt(1, QColor(255, 255, 255, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(QRectF(face.left() + 2, face.top() + 1.5, face.width() - 4, face.height() / 2 - 1), 8,
                      8);

    p.setFont(artFont(fittingPixelSize(text, QFont::Bold, 17, face.width() - 14), QFont::Bold));
    if (tone != FaceTone::Grey) {
        p.setPen(colours.edge);
        p.drawText(face.translated(0, 1), Qt::AlignCenter, text);
    }
    p.setPen(colours.label);
    p.drawText(face, Qt::AlignCenter, text);
    return picture;
}

QImage helpButtonPicture() {
    return iconPicture(kIconSize, [](QPainter& p) {
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(12, 8, 25, 19), 7, 7);
        QPainterPath tail;
        tail.moveTo(17, 25);
        tail.lineTo(15, 33);
        tail.lineTo(24, 26);
        tail.closeSubpath();
        p.setPen(QPen(kIconInk, 1.4));
        p.setBrush(kIconInk);
        p.drawPath(bubble.united(tail));
        p.setPen(Qt::white);
        p.setFont(artFont(16, QFont::Bold));
        p.drawText(QRectF(12, 7, 25, 20), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QImage updateButtonPicture() {
    return iconPicture(kIconSize, [](QPainter& p) {
        // The computer: screen, stand and foot.
        p.setPen(QPen(kIconInk, 1.4));
        p.setBrush(QColor(120, 190, 236));
        p.drawRoundedRect(QRectF(11, 8, 22, 16), 2, 2);
        p.setBrush(kIconInk);
        p.drawRect(QRectF(20, 24, 4, 4));
        p.drawRoundedRect(QRectF(15, 28, 14, 2.5), 1, 1);
        // The network: a globe linked to the computer.
        p.setPen(QPen(kIconInk, 1.6));
        p.drawLine(QPointF(33, 16), QPointF(35, 20));
        p.setBrush(QColor(110, 200, 120));
        const QPointF globe(36.5, 26.5);
        p.drawEllipse(globe, 6.5, 6.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kIconInk, 1));
        p.drawEllipse(globe, 3, 6.5);
        p.drawLine(globe - QPointF(6.5, 0), globe + QPointF(6.5, 0));
    });
}

QImage closeButtonPicture() {
    return iconPicture(kIconSize, [](QPainter& p) { paintCross(p, QPointF(24.5, 19.5), 8, kCrossRed); });
}

QImage closeButtonGreyPicture() {
    return iconPicture(kGreyCloseSize, [](QPainter& p) { paintCross(p, QPointF(19.5, 18), 7, kCrossGrey); });
}

} // namespace artwork
