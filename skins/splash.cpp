#include "pictures.h"

#include "model/keypadlayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

QImage splashPicture(const ArtWords& words) {
    constexpr int width = model::kSplashPicture.width;
    constexpr int height = model::kSplashPicture.height;
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0.0, QColor(82, 156, 204));
    sky.setColorAt(1.0, QColor(33, 86, 124));
    p.fillRect(picture.rect(), sky);

    // A stylised remote on the left: body, a row of keys and the infrared window.
    QPainterPath body;
    body.addRoundedRect(QRectF(38, 34, 74, 196), 26, 26);
    p.fillPath(body, QColor(236, 240, 244));
    p.setPen(QPen(QColor(20, 52, 80), 2));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QRectF(66, 50, 18, 18));
    p.setBrush(QColor(120, 132, 146));
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(50 + col * 18, 88 + row * 24, 14, 14), 4, 4);
    p.setBrush(QColor(50, 50, 60));
    p.drawRoundedRect(QRectF(60, 26, 30, 10), 4, 4);

    p.setPen(Qt::white);
    p.setFont(artFont(44, QFont::Bold));
    p.drawText(QRect(140, 52, 300, 56), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QTM-418"));
    const QRect line(140, 112, 300, 32);
    p.setFont(artFont(fittingPixelSize(words.splashLine, QFont::Normal, 22, line.width())));
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, words.splashLine);
    const QRect connecting(140, 196, 300, 24);
    p.setFont(artFont(fittingPixelSize(words.splashConnecting, QFont::Normal, 14, connecting.width())));
    p.setPen(QColor(214, 232, 244));
    p.drawText(connecting, Qt::AlignLeft | Qt::AlignVCenter, words.splashConnecting);
    p.end();
    return picture;
}

} // namespace artwork
