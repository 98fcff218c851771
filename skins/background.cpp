#include "keyart.h"
#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace artwork {

namespace {

constexpr QSize kSize{model::kBackgroundPicture.width, model::kBackgroundPicture.height};
// The band ends where the keypad box begins.
constexpr int kBandWidth = model::kKeypadBox.left - 1;
// Captions end just before the labels they name.
constexpr int kCaptionRight = 604;

void paintLegendRow(QPainter& p, int top, KeyColouring colouring, const QString& meaning) {
    QPainterPath face;
    face.addRoundedRect(QRectF(16, top, 30, 22), 6, 6);
    paintKeyWell(p, face);
    paintKeyFace(p, face, colouring);
    p.setPen(kCaptionText);
    const QRectF line(54, top - 4, kBandWidth - 56, 30);
    p.setFont(artFont(fittingPixelSize(meaning, QFont::Normal, 12, line.width())));
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, meaning);
}

void paintLegendBand(QPainter& p, const ArtWords& words) {
    p.fillRect(QRect(0, 0, kBandWidth, kSize.height()), kLegendBand);
    p.setPen(QPen(kLegendBandEdge, 1));
    p.drawLine(QPointF(kBandWidth - 0.5, 0), QPointF(kBandWidth - 0.5, kSize.height()));

    p.setPen(Qt::white);
    p.setFont(artFont(fittingPixelSize(words.legendHeading, QFont::Bold, 14, kBandWidth - 8), QFont::Bold));
    p.drawText(QRectF(0, 86, kBandWidth, 24), Qt::AlignCenter, words.legendHeading);
    p.setPen(QPen(kLegendBandEdge, 1));
    p.drawLine(QPointF(16, 116.5), QPointF(kBandWidth - 16, 116.5));
    paintLegendRow(p, 132, KeyColouring::Learned, words.legendLearned);
    paintLegendRow(p, 170, KeyColouring::Occupied, words.legendDownloaded);
    paintLegendRow(p, 208, KeyColouring::Normal, words.legendNoCode);

    p.setPen(kSoftText);
    p.setFont(artFont(16, QFont::Bold));
    p.drawText(QRectF(0, 650, kBandWidth, 24), Qt::AlignCenter, QStringLiteral("QTM-418"));
    p.setFont(artFont(fittingPixelSize(words.bandProduct, QFont::Normal, 11, kBandWidth - 8)));
    p.drawText(QRectF(0, 674, kBandWidth, 20), Qt::AlignCenter, words.bandProduct);
}

void paintTitle(QPainter& p, const QString& title) {
    const QRectF line(380, 26, 560, 40);
    p.setPen(Qt::white);
    p.setFont(artFont(fittingPixelSize(title, QFont::Bold, 26, line.width()), QFont::Bold));
    p.drawText(line, Qt::AlignCenter, title);
    p.setPen(QPen(kInfoPanelEdge, 1));
    p.drawLine(QPointF(472, 80.5), QPointF(885, 80.5));
}

// The four captions, each centred on the line of the label it names.
void paintInformation(QPainter& p, const ArtWords& words) {
    const std::pair<std::string_view, const QString&> captions[] = {
        {"lab_ykqtype", words.modelCaption},
        {"lab_softver", words.softwareCaption},
        {"lab_gjbb", words.firmwareCaption},
        {"lab_usbstate", words.linkCaption},
    };
    const QRectF panel(500, 104, 360, 152);
    p.setPen(QPen(kInfoPanelEdge, 1));
    p.setBrush(kInfoPanel);
    p.drawRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.setPen(kCaptionText);
    // One size for all four, so they read as one column.
    int pixels = 13;
    for (const auto& [label, caption] : captions)
        pixels =
            std::min(pixels, fittingPixelSize(caption, QFont::Normal, 13, kCaptionRight - panel.left() - 8));
    p.setFont(artFont(pixels));
    for (const auto& [label, caption] : captions) {
        const QRectF line = windowControlRect(label);
        p.drawText(QRectF(panel.left(), line.top() - 4, kCaptionRight - panel.left(), line.height() + 8),
                   Qt::AlignRight | Qt::AlignVCenter, caption);
    }
}

// A calm frame around the hint picture, the status line and the hint panels.
void paintHintFrame(QPainter& p) {
    const QRectF hints =
        QRectF(windowControlRect("Imagehint").united(windowControlRect("Image8"))).adjusted(-12, -12, 12, 12);
    p.setPen(QPen(kInfoPanelEdge, 1));
    p.setBrush(kInfoPanel);
    p.drawRoundedRect(hints.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
}

} // namespace

QRect windowControlRect(std::string_view name) {
    for (const auto& control : model::kWindowControls)
        if (control.name == name)
            return {control.place.left, control.place.top, control.place.width, control.place.height};
    qFatal("the window has no control %.*s", static_cast<int>(name.size()), name.data());
}

QImage backgroundPicture(const ArtWords& words) {
    QImage picture(kSize, QImage::Format_RGB32);
    picture.fill(kWindowBlue);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintLegendBand(p, words);
    paintTitle(p, words.title);
    paintInformation(p, words);
    paintHintFrame(p);
    return picture;
}

} // namespace artwork
