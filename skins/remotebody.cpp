#include "keyart.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

namespace {

constexpr QSize kBoxSize{model::kKeypadBox.width, model::kKeypadBox.height};
constexpr QSize kStoredSize{model::kRemoteBodyPicture.width, model::kRemoteBodyPicture.height};
constexpr QRectF kShell{4.5, 3.5, 188, 724};
constexpr qreal kShellRadius = 30;
constexpr qreal kRimWidth = 3;

void paintLabel(QPainter& p, const QString& text, QPointF centre, int pixelSize, const QColor& colour,
                QFont::Weight weight = QFont::Bold) {
    p.setFont(artFont(pixelSize, weight));
    p.setPen(colour);
    p.drawText(QRectF(centre.x() - 60, centre.y() - pixelSize, 120, 2 * pixelSize), Qt::AlignCenter, text);
}

void paintShell(QPainter& p) {
    QPainterPath outline;
    outline.addRoundedRect(kShell, kShellRadius, kShellRadius);
    p.fillPath(outline.translated(2, 3), kWindowBlue.darker(150));
    QLinearGradient rim(kShell.topLeft(), kShell.topRight());
    rim.setColorAt(0, kBodyRim);
    rim.setColorAt(0.5, kBodyShell);
    rim.setColorAt(1, kBodyShadow);
    p.fillPath(outline, rim);
    QPainterPath surface;
    surface.addRoundedRect(kShell.adjusted(kRimWidth, kRimWidth, -kRimWidth, -kRimWidth),
                           kShellRadius - kRimWidth, kShellRadius - kRimWidth);
    p.fillPath(surface, kBodyShell);
}

// The top: the infrared window, the learning lamp and the two modes above their power keys.
void paintHead(QPainter& p, const ArtWords& words) {
    const QRectF lens(80, 8, 40, 9);
    QLinearGradient glass(lens.topLeft(), lens.bottomLeft());
    glass.setColorAt(0, kInfraredLens.lighter(170));
    glass.setColorAt(1, kInfraredLens);
    p.setPen(QPen(kBodyShadow, 1));
    p.setBrush(glass);
    p.drawRoundedRect(lens, 4.5, 4.5);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 40, 36));
    p.drawEllipse(QPointF(100, 48), 3, 3);
    p.setBrush(QColor(255, 150, 140, 160));
    p.drawEllipse(QPointF(99.2, 47.2), 1.1, 1.1);
    paintLabel(p, words.learningLamp, QPointF(100, 60), 9, kBodyLabel, QFont::Normal);

    const auto& tvPower = model::kKeyButtons[0];
    const auto& cblPower = model::kKeyButtons[1];
    const qreal labelY = 29;
    paintLabel(p, words.tvMode, QPointF(tvPower.place.left + tvPower.picture.width / 2.0, labelY), 10,
               kTvAccent);
    paintLabel(p, words.cblMode, QPointF(cblPower.place.left + cblPower.picture.width / 2.0, labelY), 10,
               kCblAccent);
}

// Between the television's keys and the set-top box's.
void paintDivider(QPainter& p) {
    QColor line = kBodyRim;
    line.setAlpha(140);
    p.setPen(QPen(line, 1));
    p.drawLine(QPointF(18, 181.5), QPointF(180, 181.5));
}

void paintNavigationPad(QPainter& p) {
    const QPainterPath pad = navigationPad();
    p.setPen(QPen(kBodyShadow, 1.2));
    p.setBrush(kRingBase);
    p.drawPath(pad);
}

void paintFoot(QPainter& p, const ArtWords& words) {
    paintLabel(p, QStringLiteral("QTM-418"), QPointF(100, 688), 13, kBodyLabel);
    paintLabel(p, words.bodyProduct, QPointF(100, 705), 9, kBodyLabel, QFont::Normal);
}

void paintBody(QPainter& p, const ArtWords& words) {
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(kBoxSize)), kWindowBlue);
    paintShell(p);
    paintHead(p, words);
    paintDivider(p);
    paintNavigationPad(p);
    for (const KeyFace& key : keyFaces(words))
        paintKeyWell(p, key.face);
    paintFoot(p, words);
}

} // namespace

QImage remoteBodyAtBox(const ArtWords& words) {
    QImage body(kBoxSize, QImage::Format_RGB32);
    QPainter p(&body);
    paintBody(p, words);
    return body;
}

QImage remoteBodyPicture(const ArtWords& words) {
    QImage body(kStoredSize, QImage::Format_RGB32);
    QPainter p(&body);
    p.scale(static_cast<qreal>(kStoredSize.width()) / kBoxSize.width(),
            static_cast<qreal>(kStoredSize.height()) / kBoxSize.height());
    paintBody(p, words);
    return body;
}

} // namespace artwork
