#include "splashpicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap splashPicture() {
    constexpr int width = 462;
    constexpr int height = 258;
    QPixmap picture(width, height);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

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
    QFont title(QStringLiteral("Noto Sans CJK SC"));
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(140, 52, 300, 56), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QTM-418"));

    QFont subtitle(QStringLiteral("Noto Sans CJK SC"));
    subtitle.setPixelSize(22);
    p.setFont(subtitle);
    p.drawText(QRect(140, 112, 300, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("学习型遥控器 自学习软件"));

    QFont small(QStringLiteral("Noto Sans CJK SC"));
    small.setPixelSize(14);
    p.setFont(small);
    p.setPen(QColor(214, 232, 244));
    p.drawText(QRect(140, 196, 300, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("正在连接遥控器……"));
    return picture;
}
