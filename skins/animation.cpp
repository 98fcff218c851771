#include "pictures.h"

#include "model/keypadlayout.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace artwork {

namespace {

constexpr QSize kAnimationSize{409, 84};
constexpr QSize kStillSize{413, 86};
constexpr int kFrameCount = 8;
constexpr qreal kRemoteLength = 108;
constexpr qreal kRemoteThickness = 26;
constexpr qreal kWaveStep = 24;

struct Scene {
    QSizeF size;
    qreal remoteTop;
    int phase; // 0: waiting; from 1 on the key is held and the waves travel
    QString caption;
    int captionPixels;
};

QRectF sourceBody(const Scene& scene) { return {14, scene.remoteTop, kRemoteLength, kRemoteThickness}; }

QRectF learnerBody(const Scene& scene) {
    return {scene.size.width() - 14 - kRemoteLength, scene.remoteTop, kRemoteLength, kRemoteThickness};
}

void paintGround(QPainter& p, const Scene& scene) {
    QLinearGradient ground(0, 0, 0, scene.size.height());
    ground.setColorAt(0, QColor(34, 96, 146));
    ground.setColorAt(1, QColor(18, 58, 96));
    p.fillRect(QRectF(QPointF(0, 0), scene.size), ground);
}

void paintKeyRows(QPainter& p, QRectF body, qreal firstX, int columns, const QColor& key) {
    p.setPen(Qt::NoPen);
    p.setBrush(key);
    for (int col = 0; col < columns; ++col)
        for (int row = 0; row < 2; ++row)
            p.drawRoundedRect(QRectF(firstX + col * 14, body.top() + 6 + row * 9, 10, 6), 2, 2);
}

// The remote whose code is copied, its window on the right.
void paintSource(QPainter& p, const Scene& scene) {
    const QRectF body = sourceBody(scene);
    p.setPen(QPen(QColor(10, 10, 14), 1));
    p.setBrush(QColor(58, 58, 66));
    p.drawRoundedRect(body, 11, 11);
    paintKeyRows(p, body, body.left() + 26, 5, QColor(150, 154, 162));
    p.setBrush(QColor(210, 50, 44));
    p.drawEllipse(QPointF(body.left() + 13, body.center().y()), 4, 4);
    // The held key.
    if (scene.phase > 0) {
        p.setBrush(keyColours(KeyColouring::Learning).faceBottom);
        p.drawRoundedRect(QRectF(body.left() + 54, body.top() + 6, 10, 6), 2, 2);
    }
    const QRectF lens(body.right() - 3, body.center().y() - 6, 6, 12);
    p.setBrush(scene.phase > 0 ? QColor(255, 90, 80) : kInfraredLens);
    p.drawRoundedRect(lens, 3, 3);
}

// The QTM-418 learning the code, its window on the left and its lamp lit once the code arrives.
void paintLearner(QPainter& p, const Scene& scene, bool received) {
    const QRectF body = learnerBody(scene);
    p.setPen(QPen(kBodyShadow, 1));
    p.setBrush(kBodyShell);
    p.drawRoundedRect(body, 11, 11);
    paintKeyRows(p, body, body.left() + 24, 4, keyColours(KeyColouring::Normal).faceBottom);
    p.setPen(kBodyLabel);
    p.setFont(artFont(8, QFont::Bold));
    p.drawText(QRectF(body.right() - 32, body.top(), 28, body.height()), Qt::AlignCenter,
               QStringLiteral("QTM\n418"));
    p.setPen(Qt::NoPen);
    p.setBrush(kInfraredLens);
    p.drawRoundedRect(QRectF(body.left() - 3, body.center().y() - 6, 6, 12), 3, 3);
    const QPointF lamp(body.left() + 13, body.center().y());
    if (received) {
        p.setBrush(QColor(255, 80, 70, 90));
        p.drawEllipse(lamp, 7, 7);
    }
    p.setBrush(received ? QColor(255, 96, 86) : QColor(110, 36, 34));
    p.drawEllipse(lamp, 3.5, 3.5);
}

// One arc leaves the source's window each frame and travels towards the learner, flattening as it
// spreads so it stays in the remotes' band.
void paintWaves(QPainter& p, const Scene& scene) {
    const QRectF source = sourceBody(scene);
    const QPointF emitter(source.right() + 3, source.center().y());
    const qreal reach = learnerBody(scene).left() - 6 - emitter.x();
    for (int wave = 1; wave <= scene.phase; ++wave) {
        const qreal radius = 10 + (scene.phase - wave) * kWaveStep;
        if (radius > reach)
            continue;
        const qreal halfAngle = std::min(32.0, qRadiansToDegrees(std::asin(std::min(1.0, 15 / radius))));
        QColor colour(255, 110, 96);
        colour.setAlpha(static_cast<int>(240 - 140 * radius / reach));
        p.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(emitter.x() - radius, emitter.y() - radius, 2 * radius, 2 * radius),
                  static_cast<int>(-halfAngle * 16), static_cast<int>(2 * halfAngle * 16));
    }
}

// The caption's font: its own size where the words fit the room, on one line or wrapped onto
// more, smaller where they do not.
QFont captionFont(const QString& caption, int pixels, const QRectF& room) {
    for (;; --pixels) {
        const QFont font = artFont(pixels, QFont::Bold);
        const QRectF needed =
            QFontMetricsF(font).boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, caption);
        if ((needed.width() <= room.width() && needed.height() <= room.height()) || pixels <= 8)
            return font;
    }
}

QImage paintScene(const Scene& scene, bool received) {
    QImage picture(scene.size.toSize(), QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintGround(p, scene);
    paintWaves(p, scene);
    paintSource(p, scene);
    paintLearner(p, scene, received);
    p.setPen(Qt::white);
    const qreal captionTop = scene.remoteTop + kRemoteThickness + 4;
    const QRectF caption(6, captionTop, scene.size.width() - 12, scene.size.height() - captionTop - 2);
    p.setFont(captionFont(scene.caption, scene.captionPixels, caption));
    p.drawText(caption, Qt::AlignCenter | Qt::TextWordWrap, scene.caption);
    p.end();
    return picture;
}

} // namespace

std::vector<QImage> learningAnimationFrames(const ArtWords& words) {
    std::vector<QImage> frames;
    for (int phase = 0; phase < kFrameCount; ++phase) {
        const Scene scene{QSizeF(kAnimationSize), 12, phase, words.animationCaption, 13};
        frames.push_back(paintScene(scene, phase == kFrameCount - 1));
    }
    return frames;
}

std::vector<int> learningAnimationDelays() {
    std::vector<int> delays(kFrameCount, 12);
    delays.front() = 40;
    delays.back() = 60;
    return delays;
}

QImage learningStill(const ArtWords& words) {
    const Scene scene{QSizeF(kStillSize), 10, 5, words.stillCaption, 17};
    return paintScene(scene, false);
}

} // namespace artwork
