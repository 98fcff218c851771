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
constexpr int kSmallestTextPixels = 10;
constexpr qreal kTextTop = kHeaderHeight + 6;
constexpr qreal kBottomMargin = 3;

// A panel's words and the pitch of its lines.
struct Instructions {
    const HintWords& words;
    qreal linePitch;
};

Instructions instructionsFor(HintPanel panel, const ArtWords& words) {
    switch (panel) {
    case HintPanel::IdleNothingLearned:
        return {words.idleNothingLearned, 21};
    case HintPanel::IdleSomeLearned:
        return {words.idleSomeLearned, 21};
    case HintPanel::Learning:
        return {words.learning, 19};
    case HintPanel::DeletingOne:
        break;
    }
    return {words.deletingOne, 21};
}

// The lines `text` takes in `width`.
int lineCount(const QString& text, const QFont& font, qreal width) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
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

// The text's size and pitch: the panel's own, or smaller where the words need more lines than
// the panel has room for.
struct TextSize {
    int pixels;
    qreal pitch;
};

void paintPanelGround(QPainter& p, QSize size) {
    QLinearGradient ground(0, 0, 0, size.height());
    ground.setColorAt(0, kHintPanelTop);
    ground.setColorAt(1, kHintPanelBottom);
    p.fillRect(QRect(QPoint(0, 0), size), ground);
    p.setPen(QPen(kHintHeader, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
}

void paintHeader(QPainter& p, const QString& heading) {
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
    p.drawText(QRectF(kMargin + 22, 0, 200, kHeaderHeight), Qt::AlignLeft | Qt::AlignVCenter, heading);
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

TextSize fittedTextSize(const Instructions& text) {
    const qreal stepWidth = kPanelSize.width() - kMargin - kNumberWidth - kMargin;
    const qreal remarkWidth = kPanelSize.width() - 2 * kMargin;
    const qreal room = kPanelSize.height() - kTextTop - 2 - kBottomMargin;
    for (int pixels = kTextPixels;; --pixels) {
        const qreal pitch = text.linePitch * pixels / kTextPixels;
        int lines = 0;
        for (const QString& step : text.words.steps)
            lines += lineCount(step, artFont(pixels), stepWidth);
        if (!text.words.remark.isEmpty())
            lines += lineCount(text.words.remark, artFont(pixels, QFont::Bold), remarkWidth);
        if (lines * pitch <= room || pixels <= kSmallestTextPixels)
            return {pixels, pitch};
    }
}

} // namespace

QImage hintPanel(HintPanel panel, const ArtWords& words) {
    const Instructions text = instructionsFor(panel, words);
    const TextSize size = fittedTextSize(text);
    QImage picture(kPanelSize, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintPanelGround(p, kPanelSize);
    paintWatermark(p);
    paintHeader(p, words.hintHeading);

    const QFont font = artFont(size.pixels);
    const QFont numberFont = artFont(size.pixels, QFont::Bold);
    const qreal textLeft = kMargin + kNumberWidth;
    const qreal textWidth = kPanelSize.width() - textLeft - kMargin;
    qreal y = kTextTop;
    p.setPen(kHintText);
    for (std::size_t i = 0; i < text.words.steps.size(); ++i) {
        p.setFont(numberFont);
        p.drawText(QRectF(kMargin, y, kNumberWidth, size.pitch), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1.").arg(i + 1));
        y += paintWrapped(p, text.words.steps[i], font, QPointF(textLeft, y), textWidth, size.pitch);
    }
    if (!text.words.remark.isEmpty()) {
        p.setPen(kHintRemark);
        paintWrapped(p, text.words.remark, numberFont, QPointF(kMargin, y + 2),
                     kPanelSize.width() - 2 * kMargin, size.pitch);
    }
    return picture;
}

QImage idleHintBanner(const ArtWords& words) {
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

    const QRectF name(100, 12, 300, 34);
    p.setPen(Qt::white);
    p.setFont(artFont(fittingPixelSize(words.bannerName, QFont::Bold, 22, name.width()), QFont::Bold));
    p.drawText(name, Qt::AlignLeft | Qt::AlignVCenter, words.bannerName);
    const QRectF line(100, 48, 300, 24);
    p.setPen(kCaptionText);
    p.setFont(artFont(fittingPixelSize(words.bannerLine, QFont::Normal, 13, line.width())));
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, words.bannerLine);
    return picture;
}

} // namespace artwork
