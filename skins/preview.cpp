#include "artstyle.h"
#include "artwork.h"
#include "keyart.h"
#include "pictures.h"

#include "model/keypadlayout.h"

#include <QDir>
#include <QPainter>

namespace artwork {

namespace {

// A picture drawn at its own size from the control's top-left, cut off at the control's edges.
void place(QPainter& p, const QDir& folder, const QString& file, const QRect& control) {
    p.save();
    p.setClipRect(control);
    p.drawImage(control.topLeft(), QImage(folder.filePath(file)));
    p.restore();
}

// Shows each colouring somewhere on the keypad, as a remote in use would.
QString keySetFor(std::string_view code) {
    if (code == "00" || code == "01" || code == "45")
        return QStringLiteral("skin/dn");
    if (code == "02" || code == "06" || code == "12" || code == "27" || code == "32" || code == "41" ||
        code == "46")
        return QStringLiteral("skin/sn");
    if (code == "37")
        return QStringLiteral("skin/fn");
    return QStringLiteral("skin/on");
}

void paintLabel(QPainter& p, std::string_view control, const QString& text, const QFont& font,
                Qt::Alignment align) {
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(windowControlRect(control), align, text);
}

} // namespace

QImage windowPreview(const QString& folderPath) {
    const QDir folder(folderPath);
    QImage window(model::kWindowSize.width, model::kWindowSize.height, QImage::Format_RGB32);
    window.fill(kWindowBlue);
    QPainter p(&window);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(0, 0, QImage(folder.filePath(QStringLiteral("window/Image1.jpg"))));

    const auto& keypad = model::kKeypadBox;
    const QRect box(keypad.left, keypad.top, keypad.width, keypad.height);
    p.fillRect(box, kWindowBlue);
    p.drawImage(box, QImage(folder.filePath(QStringLiteral("window/z.gif"))));
    for (const auto& key : model::kKeyButtons) {
        const QRect button =
            QRect(key.place.left, key.place.top, key.place.width, key.place.height).translated(box.topLeft());
        const QString file =
            QStringLiteral("%1/gif%2.gif").arg(keySetFor(key.code)).arg(*keyPictureIndex(key.code));
        place(p, folder, file, button);
    }

    p.drawImage(windowControlRect("Imagehint"),
                QImage(folder.filePath(QStringLiteral("skin/bn/gifquorel.jpg"))));
    place(p, folder, QStringLiteral("window/Image4.gif"), windowControlRect("Image4"));
    place(p, folder, QStringLiteral("window/beginstudyibtn.jpg"), windowControlRect("beginstudyibtn"));
    place(p, folder, QStringLiteral("skin/bn/delete.jpg"), windowControlRect("delstudykey"));
    place(p, folder, QStringLiteral("skin/bn/clear.jpg"), windowControlRect("delallstudykey"));
    place(p, folder, QStringLiteral("window/IBtn79.gif"), windowControlRect("IBtn79"));
    place(p, folder, QStringLiteral("window/updateibtn.gif"), windowControlRect("updateibtn"));
    place(p, folder, QStringLiteral("window/helpibtn.gif"), windowControlRect("helpibtn"));

    const QFont labelFont = artFont(11);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    paintLabel(p, "lab_ykqtype", QStringLiteral("QTM-418"), labelFont, left);
    paintLabel(p, "lab_softver", QStringLiteral("V 2.2"), labelFont, left);
    paintLabel(p, "lab_gjbb", QStringLiteral("V 2.0"), labelFont, left);
    paintLabel(p, "lab_usbstate", QStringLiteral("遥控器已连接"), labelFont, left);
    paintLabel(p, "runstate_lab", QStringLiteral("请点击“开始学习”按钮"), artFont(15, QFont::Bold),
               Qt::AlignCenter);
    p.end();
    return window;
}

} // namespace artwork
