#include "keyart.h"
#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

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
    p.setFont(artFont(12));
    p.drawText(QRectF(54, top - 4, kBandWidth - 56, 30), Qt::AlignLeft | Qt::AlignVCenter, meaning);
}

void paintLegendBand(QPainter& p) {
    p.fillRect(QRect(0, 0, kBandWidth, kSize.height()), kLegendBand);
    p.setPen(QPen(kLegendBandEdge, 1));
    p.drawLine(QPointF(kBandWidth - 0.5, 0), QPointF(kBandWidth - 0.5, kSize.height()));

    p.setPen(Qt::white);
    p.setFont(artFont(14, QFont::Bold));
    p.drawText(QRectF(0, 86, kBandWidth, 24), Qt::AlignCenter, QStringLiteral("按键颜色说明"));
    p.setPen(QPen(kLegendBandEdge, 1));
    p.drawLine(QPointF(16, 116.5), QPointF(kBandWidth - 16, 116.5));
    paintLegendRow(p, 132, KeyColouring::Learned, QStringLiteral("已学习的按键"));
    paintLegendRow(p, 170, KeyColouring::Occupied, QStringLiteral("已下载的按键"));
    paintLegendRow(p, 208, KeyColouring::Normal, QStringLiteral("没有编码的按键"));

    p.setPen(kSoftText);
    p.setFont(artFont(16, QFont::Bold));
    p.drawText(QRectF(0, 650, kBandWidth, 24), Qt::AlignCenter, QStringLiteral("QTM-418"));
    p.setFont(artFont(11));
    p.drawText(QRectF(0, 674, kBandWidth, 20), Qt::AlignCenter, QStringLiteral("学习型遥控器"));
}

void paintTitle(QPainter& p) {
    p.setPen(Qt::white);
    p.setFont(artFont(26, QFont::Bold));
    p.drawText(QRectF(380, 26, 560, 40), Qt::AlignCenter, QStringLiteral("QTM-418 学习型遥控器 自学习软件"));
    p.setPen(QPen(kInfoPanelEdge, 1));
    p.drawLine(QPointF(472, 80.5), QPointF(885, 80.5));
}

// The four captions, each centred on the line of the label it names.
void paintInformation(QPainter& p) {
    static const std::pair<std::string_view, const char*> kCaptions[] = {
        {"lab_ykqtype", "遥控器型号："},
        {"lab_softver", "软件版本："},
        {"lab_gjbb", "固件版本："},
        {"lab_usbstate", "遥控器状态："},
    };
    const QRectF panel(500, 104, 360, 152);
    p.setPen(QPen(kInfoPanelEdge, 1));
    p.setBrush(kInfoPanel);
    p.drawRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.setPen(kCaptionText);
    p.setFont(artFont(13));
    for (const auto& [label, caption] : kCaptions) {
        const QRectF line = windowControlRect(label);
        p.drawText(QRectF(panel.left(), line.top() - 4, kCaptionRight - panel.left(), line.height() + 8),
                   Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(caption));
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

QImage backgroundPicture() {
    QImage picture(kSize, QImage::Format_RGB32);
    picture.fill(kWindowBlue);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintLegendBand(p);
    paintTitle(p);
    paintInformation(p);
    paintHintFrame(p);
    return picture;
}

} // namespace artwork
