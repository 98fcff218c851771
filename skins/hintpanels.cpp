#include "pictures.h"

#include "model/keypadlayout.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QTextLayout>

namespace artwork {

namespace {

constexpr QSize kPanelSize{model::kHintPanelPicture.width, model::kHintPanelPicture.height};
constexpr QSize kBannerSize{413, 86};
constexpr int kHeaderHeight = 26;
constexpr qreal kMargin = 12;
constexpr qreal kNumberWidth = 18;
constexpr int kTextPixels = 13;

struct Instructions {
    std::vector<QString> steps;
    QString remark; // empty: none
    qreal linePitch;
};

Instructions instructionsFor(HintPanel panel) {
    switch (panel) {
    case HintPanel::IdleNothingLearned:
        return {{QStringLiteral("要学习遥控器的编码，请点击下方的“开始学习”按钮。")}, {}, 21};
    case HintPanel::IdleSomeLearned:
        return {{QStringLiteral("要学习遥控器的编码，请点击“开始学习”按钮；"),
                 QStringLiteral("要删除已学习的编码，请点击“删除按键”按钮；"),
                 QStringLiteral("要清除全部已学习的编码，请点击“全部清除”按钮。")},
                {},
                21};
    case HintPanel::Learning:
        return {{QStringLiteral("在左边的遥控器图片上，点击要学习的按键；"),
                 QStringLiteral("如动画所示，将原遥控器对准学习型遥控器，按下对应的按键；"),
                 QStringLiteral("重复以上步骤，学习其他按键；"),
                 QStringLiteral("全部学完后，点击“停止学习”按钮；"),
                 QStringLiteral("按原遥控器的按键时，请按住至少2秒。")},
                QStringLiteral("注意：点击“停止学习”之前，请勿拔下USB连接线！"),
                19};
    case HintPanel::DeletingOne:
        break;
    }
    return {{QStringLiteral("在遥控器图片的红色按键中，点击要删除的按键；"),
             QStringLiteral("在随后出现的对话框中确认删除；"), QStringLiteral("重复以上步骤，删除其他按键；"),
             QStringLiteral("全部删完后，点击“停止删除”按钮。")},
            QStringLiteral("注意：每个按键删除成功或失败，都有对话框提示。"),
            21};
}

// Lays `text` out in lines of `width`, each `pitch` below the last, from `origin`; returns the
// height used.
qreal paintWrapped(QPainter& p, const QString& text, const QFont& font, QPointF origin, qreal width,
                   qreal pitch) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y + (pitch - line.height()) / 2));
        y += pitch;
    }
    layout.endLayout();
    layout.draw(&p, origin);
    return y;
}

void paintPanelGround(QPainter& p, QSize size) {
    QLinearGradient ground(0, 0, 0, size.height());
    ground.setColorAt(0, kHintPanelTop);
    ground.setColorAt(1, kHintPanelBottom);
    p.fillRect(QRect(QPoint(0, 0), size), ground);
    p.setPen(QPen(kHintHeader, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
}

void paintHeader(QPainter& p) {
    p.fillRect(QRect(0, 0, kPanelSize.width(), kHeaderHeight), kHintHeader);
    // An "i" in a ring before the heading.
    const QPointF mark(kMargin + 8, kHeaderHeight / 2.0);
    p.setPen(QPen(Qt::white, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(mark, 7.5, 7.5);
    p.setPen(Qt::white);
    p.setFont(artFont(11, QFont::Bold));
    p.drawText(QRectF(mark.x() - 8, mark.y() - 8, 16, 16), Qt::AlignCenter, QStringLiteral("i"));
    p.setFont(artFont(15, QFont::Bold));
    p.drawText(QRectF(kMargin + 22, 0, 200, kHeaderHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("提示"));
}

// A faint remote sending its arcs, in the panel's free lower corner.
void paintWatermark(QPainter& p) {
    QColor ink = kHintHeader;
    ink.setAlpha(26);
    p.save();
    p.translate(378, 138);
    p.rotate(30);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(-12, -26, 24, 56), 9, 9);
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const qreal radius : {8.0, 15.0, 22.0})
        p.drawArc(QRectF(-radius, -32 - radius, 2 * radius, 2 * radius), 50 * 16, 80 * 16);
    p.restore();
}

} // namespace

QImage hintPanel(HintPanel panel) {
    const Instructions text = instructionsFor(panel);
    QImage picture(kPanelSize, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintPanelGround(p, kPanelSize);
    paintWatermark(p);
    paintHeader(p);

    const QFont font = artFont(kTextPixels);
    const QFont numberFont = artFont(kTextPixels, QFont::Bold);
    const qreal textLeft = kMargin + kNumberWidth;
    const qreal textWidth = kPanelSize.width() - textLeft - kMargin;
    qreal y = kHeaderHeight + 6;
    p.setPen(kHintText);
    for (std::size_t i = 0; i < text.steps.size(); ++i) {
        p.setFont(numberFont);
        p.drawText(QRectF(kMargin, y, kNumberWidth, text.linePitch), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1.").arg(i + 1));
        y += paintWrapped(p, text.steps[i], font, QPointF(textLeft, y), textWidth, text.linePitch);
    }
    if (!text.remark.isEmpty()) {
        p.setPen(kHintRemark);
        paintWrapped(p, text.remark, numberFont, QPointF(kMargin, y + 2), kPanelSize.width() - 2 * kMargin,
                     text.linePitch);
    }
    return picture;
}

QImage idleHintBanner() {
    QImage picture(kBannerSize, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QLinearGradient ground(0, 0, kBannerSize.width(), kBannerSize.height());
    ground.setColorAt(0, QColor(24, 84, 130));
    ground.setColorAt(1, QColor(46, 128, 180));
    p.fillRect(picture.rect(), ground);

    // Faint infrared arcs behind the name.
    for (int i = 0; i < 4; ++i) {
        QColor arc = kSoftText;
        arc.setAlpha(60 - i * 12);
        p.setPen(QPen(arc, 3));
        const qreal r = 30 + i * 18;
        p.drawArc(QRectF(360 - r, 43 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
    }
    // A small remote on its side, its window towards the arcs.
    p.setPen(QPen(kBodyShadow, 1));
    p.setBrush(kBodyShell);
    p.drawRoundedRect(QRectF(20, 30, 62, 26), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(kInfraredLens.lighter(150));
    p.drawRoundedRect(QRectF(78, 37, 6, 12), 3, 3);
    p.setBrush(keyColours(KeyColouring::Normal).faceTop);
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 2; ++row)
            p.drawRoundedRect(QRectF(32 + col * 14, 35 + row * 9, 9, 6), 2, 2);
    p.setBrush(keyColours(KeyColouring::Learned).faceBottom);
    p.drawEllipse(QPointF(26.5, 43), 3.2, 3.2);

    p.setPen(Qt::white);
    p.setFont(artFont(22, QFont::Bold));
    p.drawText(QRectF(100, 12, 300, 34), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("QTM-418 学习型遥控器"));
    p.setPen(kCaptionText);
    p.setFont(artFont(13));
    p.drawText(QRectF(100, 48, 300, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("一个遥控器，学会电视和机顶盒的按键"));
    return picture;
}

} // namespace artwork
