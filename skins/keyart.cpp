#include "keyart.h"

#include "model/hextext.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

using model::KeyButtonRow;

// The set-top box's navigation ring: four arrow segments around OK.
constexpr QPointF kRingCentre{100, 318.5};
constexpr qreal kRingInner = 36;
constexpr qreal kRingOuter = 52.5;
constexpr qreal kPadRadius = 57;
// Up and down are wider than left and right, as their buttons are.
constexpr qreal kVerticalHalfAngle = 42;
constexpr qreal kSideHalfAngle = 32;
constexpr QPointF kOkCentre{100, 320.5};
constexpr qreal kOkRadius = 19;

// Faces keep this far inside what the button shows, leaving room for the well's rim.
constexpr qreal kFaceInset = 2;

// A key's display name is its group (TV, CBL, or POWER for the two power keys), "/" and its name.
std::string_view groupOf(std::string_view path) { return path.substr(0, path.find('/')); }

QString displayName(std::string_view path) {
    return QString::fromUtf8(path.substr(path.find('/') + 1)).trimmed();
}

// What a button shows of its picture: the picture, cut off at the button's edges.
QRect visibleRect(const KeyButtonRow& key) {
    const QRect button(key.place.left, key.place.top, key.place.width, key.place.height);
    const QRect picture(key.place.left, key.place.top, key.picture.width, key.picture.height);
    return button.intersected(picture);
}

QPainterPath roundedRect(const QRectF& rect, qreal topRadius, qreal bottomRadius) {
    QPainterPath path;
    path.moveTo(rect.left() + topRadius, rect.top());
    path.arcTo(QRectF(rect.right() - 2 * topRadius, rect.top(), 2 * topRadius, 2 * topRadius), 90, -90);
    path.arcTo(QRectF(rect.right() - 2 * bottomRadius, rect.bottom() - 2 * bottomRadius, 2 * bottomRadius,
                      2 * bottomRadius),
               0, -90);
    path.arcTo(QRectF(rect.left(), rect.bottom() - 2 * bottomRadius, 2 * bottomRadius, 2 * bottomRadius), 270,
               -90);
    path.arcTo(QRectF(rect.left(), rect.top(), 2 * topRadius, 2 * topRadius), 180, -90);
    path.closeSubpath();
    return path;
}

QPainterPath disc(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// An arrow key: its name, and where its segment of the ring lies (degrees, 0 right, 90 up).
struct ArrowKey {
    const char* name;
    KeySymbol symbol;
    qreal direction;
    qreal halfAngle;
};

constexpr ArrowKey kArrowKeys[] = {
    {"UP", KeySymbol::ArrowUp, 90, kVerticalHalfAngle},
    {"DOWN", KeySymbol::ArrowDown, 270, kVerticalHalfAngle},
    {"LEFT", KeySymbol::ArrowLeft, 180, kSideHalfAngle},
    {"RIGHT", KeySymbol::ArrowRight, 0, kSideHalfAngle},
};

QPainterPath ringSegment(qreal direction, qreal halfAngle) {
    const QRectF outer(kRingCentre.x() - kRingOuter, kRingCentre.y() - kRingOuter, 2 * kRingOuter,
                       2 * kRingOuter);
    QPainterPath pie;
    pie.moveTo(kRingCentre);
    pie.arcTo(outer, direction - halfAngle, 2 * halfAngle);
    pie.closeSubpath();
    return pie.subtracted(disc(kRingCentre, kRingInner));
}

QPointF ringLabelCentre(qreal direction) {
    const qreal radius = (kRingInner + kRingOuter) / 2;
    const qreal radians = qDegreesToRadians(direction);
    return kRingCentre + QPointF(radius * std::cos(radians), -radius * std::sin(radians));
}

// The face's shape follows the key's name in the keypad's table, whatever language it is labelled in.
KeyFace describe(const KeyButtonRow& key, const ArtWords& words) {
    const QRectF shown = QRectF(visibleRect(key)).adjusted(kFaceInset, kFaceInset, -kFaceInset, -kFaceInset);
    const QString name = displayName(key.path);
    const bool setTopBox = groupOf(key.path) == "CBL";
    const auto label = words.keyLabels.find(key.code);
    KeyFace face{&key,
                 QRect(key.place.left, key.place.top, key.picture.width, key.picture.height),
                 {},
                 shown.center(),
                 KeySymbol::Text,
                 label != words.keyLabels.end() ? label->second : name};

    for (const ArrowKey& arrow : kArrowKeys) {
        if (name != QLatin1String(arrow.name))
            continue;
        face.symbol = arrow.symbol;
        if (setTopBox) {
            face.face = ringSegment(arrow.direction, arrow.halfAngle);
            face.labelCentre = ringLabelCentre(arrow.direction);
            return face;
        }
    }
    if (setTopBox && name == QLatin1String("OK")) {
        face.face = disc(kOkCentre, kOkRadius);
        face.labelCentre = kOkCentre;
        return face;
    }
    if (groupOf(key.path) == "POWER") {
        face.symbol = KeySymbol::Power;
        const qreal radius = std::min(shown.width(), shown.height()) / 2;
        face.face = disc(shown.center(), radius);
        return face;
    }
    // The volume and channel keys of the set-top box pair up as rockers: + above, - below.
    const bool rocker =
        setTopBox && (name.startsWith(QStringLiteral("音量")) || name.startsWith(QStringLiteral("频道")));
    if (rocker) {
        const bool upper = name.endsWith(QLatin1Char('+')) || name.endsWith(QChar(0xFF0B));
        const QRectF half =
            upper ? shown.adjusted(1, 0, -1, kFaceInset - 1) : shown.adjusted(1, 1 - kFaceInset, -1, 0);
        const qreal round = half.width() / 2 - 2;
        face.face = upper ? roundedRect(half, round, 4) : roundedRect(half, 4, round);
        return face;
    }
    const qreal radius = std::min(shown.width(), shown.height()) * 0.3;
    face.face.addRoundedRect(shown, radius, radius);
    return face;
}

void paintText(QPainter& p, const QString& text, QPointF centre, int pixelSize, QFont::Weight weight) {
    p.setFont(artFont(pixelSize, weight));
    const QRectF box(centre.x() - 40, centre.y() - pixelSize, 80, 2 * pixelSize);
    p.drawText(box, Qt::AlignCenter, text);
}

void paintSign(QPainter& p, QPointF centre, qreal half, bool plus, const QColor& colour) {
    p.setPen(QPen(colour, half > 4 ? 2.4 : 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre - QPointF(half, 0), centre + QPointF(half, 0));
    if (plus)
        p.drawLine(centre - QPointF(0, half), centre + QPointF(0, half));
}

void paintArrow(QPainter& p, QPointF centre, KeySymbol symbol, qreal size, const QColor& colour) {
    // Pointing up; the others are turned from it.
    const QPolygonF up{{0, -size * 0.55}, {size * 0.6, size * 0.35}, {-size * 0.6, size * 0.35}};
    qreal turn = 0;
    if (symbol == KeySymbol::ArrowRight)
        turn = 90;
    else if (symbol == KeySymbol::ArrowDown)
        turn = 180;
    else if (symbol == KeySymbol::ArrowLeft)
        turn = 270;
    QTransform place;
    place.translate(centre.x(), centre.y());
    place.rotate(turn);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(place.map(up));
}

void paintPower(QPainter& p, QPointF centre, qreal radius, const QColor& colour) {
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 120 * 16, 300 * 16);
    p.drawLine(centre, centre - QPointF(0, radius * 1.25));
}

bool isDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

bool isLatin(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

void paintMark(QPainter& p, const KeyFace& key, const QColor& colour) {
    const QRectF face = key.face.boundingRect();
    const QPointF centre = key.labelCentre;
    switch (key.symbol) {
    case KeySymbol::Power:
        return paintPower(p, centre + QPointF(0, 1.5), face.height() * 0.22, colour);
    case KeySymbol::ArrowUp:
    case KeySymbol::ArrowDown:
    case KeySymbol::ArrowLeft:
    case KeySymbol::ArrowRight:
        return paintArrow(p, centre, key.symbol, std::min(face.width(), face.height()) > 24 ? 12 : 10,
                          colour);
    case KeySymbol::Text:
        break;
    }
    p.setPen(colour);
    QString text = key.label;
    const QChar last = text.isEmpty() ? QChar() : text.back();
    const bool plus = last == QLatin1Char('+') || last == QChar(0xFF0B);
    const bool minus = last == QLatin1Char('-') || last == QChar(0xFF0D);
    if (plus || minus) {
        text.chop(1);
        // On a rocker the signs sit at its two ends; a small key reads its name over the sign.
        const bool large = face.height() > 36;
        const bool signFirst = large && plus;
        const qreal nameOffset = large ? 8 : 6.5;
        const qreal signOffset = large ? 8 : 7.5;
        const QPointF nameAt = centre + QPointF(0, signFirst ? nameOffset : -nameOffset);
        const QPointF signAt = centre + QPointF(0, signFirst ? -signOffset : signOffset);
        const QFont::Weight weight = large ? QFont::Bold : QFont::Normal;
        paintText(p, text, nameAt, fittingPixelSize(text, weight, 11, face.width() - 5), weight);
        return paintSign(p, signAt, large ? 6 : 4, plus, colour);
    }
    const qreal room = face.width() - 5;
    if (isDigits(text))
        return paintText(p, text, centre, 17, QFont::Bold);
    if (isLatin(text))
        return paintText(p, text, centre,
                         fittingPixelSize(text, QFont::Bold, text.size() <= 2 ? 13 : 11, room), QFont::Bold);
    paintText(p, text, centre, fittingPixelSize(text, QFont::Bold, 12, room), QFont::Bold);
}

} // namespace

std::vector<KeyFace> keyFaces(const ArtWords& words) {
    std::vector<KeyFace> faces;
    faces.reserve(model::kKeyButtons.size());
    for (const KeyButtonRow& key : model::kKeyButtons)
        faces.push_back(describe(key, words));
    // A face stays clear of the buttons painted over its own, and of its own button's edges.
    for (std::size_t i = 0; i < faces.size(); ++i) {
        QPainterPath clip;
        clip.addRect(visibleRect(*faces[i].key));
        for (std::size_t later = i + 1; later < faces.size(); ++later) {
            QPainterPath cover;
            cover.addRect(visibleRect(*faces[later].key));
            clip = clip.subtracted(cover);
        }
        faces[i].face = faces[i].face.intersected(clip).simplified();
    }
    return faces;
}

QPainterPath navigationPad() { return disc(kRingCentre, kPadRadius); }

void paintKeyWell(QPainter& p, const QPainterPath& face) {
    p.setPen(QPen(kKeyWell, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kKeyWell);
    p.drawPath(face);
}

void paintKeyFace(QPainter& p, const QPainterPath& face, KeyColouring colouring) {
    const KeyColours colours = keyColours(colouring);
    const QRectF bounds = face.boundingRect();
    p.save();
    if (colours.glow.isValid()) {
        QColor glow = colours.glow;
        glow.setAlpha(200);
        p.strokePath(face, QPen(glow, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
    fill.setColorAt(0, colours.faceTop);
    fill.setColorAt(1, colours.faceBottom);
    p.fillPath(face, fill);
    // A soft sheen on the upper half, as on moulded rubber keys.
    p.setClipPath(face);
    QLinearGradient sheen(bounds.topLeft(), QPointF(bounds.left(), bounds.center().y()));
    sheen.setColorAt(0, QColor(255, 255, 255, 90));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(bounds.left(), bounds.top(), bounds.width(), bounds.height() / 2), sheen);
    p.setClipping(false);
    p.strokePath(face, QPen(colours.edge, 1));
    p.restore();
}

QImage keyPicture(const KeyFace& key, KeyColouring colouring, const QImage& bodyAtBox) {
    QImage picture = bodyAtBox.copy(key.picture).convertToFormat(QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.translate(-key.picture.topLeft());
    paintKeyFace(p, key.face, colouring);
    paintMark(p, key, keyColours(colouring).label);
    return picture;
}

QImage plainKeyPicture(KeyColouring colouring) {
    QImage picture(kPlainKeySize, QImage::Format_RGB32);
    picture.fill(kBodyShell);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath face;
    face.addRoundedRect(QRectF(picture.rect()).adjusted(kFaceInset, kFaceInset, -kFaceInset, -kFaceInset), 8,
                        8);
    paintKeyWell(p, face);
    paintKeyFace(p, face, colouring);
    return picture;
}

} // namespace artwork
