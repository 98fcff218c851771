#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace artwork {

QImage applicationIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // The remote, upright and a little to the left, leaving room for its signal.
    const QRectF body(8, 8, 30, 54);
    QLinearGradient shell(body.topLeft(), body.topRight());
    shell.setColorAt(0, kBodyRim);
    shell.setColorAt(0.35, kBodyShell);
    shell.setColorAt(1, kBodyShadow);
    p.setPen(QPen(kBodyShadow, 1.5));
    p.setBrush(shell);
    p.drawRoundedRect(body, 9, 9);

    // The learning light and two rows of keys in the remote's own colours.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 60, 60));
    p.drawEllipse(QPointF(23, 16), 3.2, 3.2);
    const QColor keys[] = {kTvAccent, kCblAccent, QColor(220, 226, 234)};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column) {
            p.setBrush(keys[row]);
            p.drawRoundedRect(QRectF(14 + 11 * column, 25 + 11 * row, 8, 7), 2, 2);
        }

    // The code leaving the remote's lens: three widening arcs.
    p.setBrush(Qt::NoBrush);
    for (int arc = 0; arc < 3; ++arc) {
        const double r = 10 + 6 * arc;
        p.setPen(QPen(QColor(255, 90, 90, 235 - 50 * arc), 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(23 - r, 16 - r, 2 * r, 2 * r), -10 * 16, 45 * 16);
    }
    return icon;
}

} // namespace artwork
