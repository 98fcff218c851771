#include "mainlayout.h"

#include "ibtn1.h"
#include "model/keypadlayout.h"
#include "picturedecoder.h"
#include "platform/animationplayer.h"
#include "platform/language.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <stdexcept>

// The window's pictures are compiled into the program; a static library must register them.
static void registerWindowPictures() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(windowpictures);
        return true;
    }();
    (void)registered;
}

namespace controls {

namespace {

const QColor kWindowColour(53, 124, 168);

QRect rectOf(const model::Place& place) { return QRect(place.left, place.top, place.width, place.height); }

const model::ControlRow& rowOf(std::string_view name) {
    for (const auto& row : model::kWindowControls)
        if (row.name == name)
            return row;
    throw std::logic_error("no such control in the window's layout");
}

template <typename Widget> Widget* place(Widget* widget, std::string_view name) {
    widget->setObjectName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    widget->setGeometry(rectOf(rowOf(name).place));
    return widget;
}

QFont fontOf(const QStringList& families, int pixels, bool bold = false) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont sansSerif(int pixels) {
    return fontOf({QStringLiteral("MS Sans Serif"), QStringLiteral("Noto Sans CJK SC")}, pixels);
}

QLabel* makeLabel(QWidget* window, std::string_view name, const QString& caption, const QFont& font,
                  Qt::Alignment alignment) {
    auto* label = place(new QLabel(caption, window), name);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    return label;
}

// Draws its picture at its own size from the top-left corner, cut off at the edges, or stretched.
QLabel* makeImage(QWidget* parent, std::string_view name, const QString& picture, bool stretch = false) {
    auto* image = place(new QLabel(parent), name);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setScaledContents(stretch);
    if (!picture.isEmpty())
        image->setPixmap(decodedPicture(picture));
    return image;
}

IBtn* makeButton(QWidget* window, std::string_view name, const QString& picture,
                 const QString& tooltip = {}) {
    auto* button = place(new IBtn(window), name);
    if (!picture.isEmpty())
        button->setPicture(decodedPicture(picture));
    if (!tooltip.isEmpty())
        button->setToolTip(tooltip);
    return button;
}

QPlainTextEdit* makeMemo(QWidget* window, std::string_view name, const QString& text) {
    auto* memo = place(new QPlainTextEdit(text, window), name);
    memo->hide();
    return memo;
}

void createKeypad(MainControls& c) {
    c.z = new QLabel(c.ykqbox);
    c.z->setObjectName(QStringLiteral("z"));
    c.z->setGeometry(0, 0, model::kKeypadBox.width, model::kKeypadBox.height);
    c.z->setScaledContents(true);
    c.z->setPixmap(decodedPicture(QStringLiteral("z.gif")));
    for (const auto& row : model::kKeyButtons) {
        auto* key = new IBtn(c.ykqbox);
        const QString name = QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size()));
        key->setObjectName(name);
        key->setGeometry(rectOf(row.place));
        key->setCode(QString::fromUtf8(row.code.data(), static_cast<qsizetype>(row.code.size())));
        key->setPath(QString::fromUtf8(row.path.data(), static_cast<qsizetype>(row.path.size())));
        key->setOpensPath(false);
        key->setPicture(decodedPicture(QStringLiteral("keys/") + name + QStringLiteral(".gif")));
        c.keys.push_back(key);
    }
}

} // namespace

QString windowPicture(const QString& name) {
    registerWindowPictures();
    return platform::localisedFile(QStringLiteral(":/window"), name);
}

void startDecodingWindowPictures() {
    std::vector<QString> names = {
        QStringLiteral("beginstudyibtn.jpg"),
        QStringLiteral("beginstudyibtn-stop.jpg"),
        QStringLiteral("helpibtn.gif"),
        QStringLiteral("updateibtn.gif"),
        QStringLiteral("IBtn79.gif"),
        QStringLiteral("IBtn79-grey.jpg"),
        QStringLiteral("Image4.gif"),
        QStringLiteral("Image5.gif"),
        QStringLiteral("Image7.gif"),
        QStringLiteral("Image8.gif"),
        QStringLiteral("z.gif"),
    };
    for (const auto& row : model::kKeyButtons)
        names.push_back(QStringLiteral("keys/") +
                        QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size())) +
                        QStringLiteral(".gif"));
    names.push_back(QStringLiteral("Image1.jpg"));
    startDecodingPictures(names);
}

MainControls createMainControls(QWidget* window) {
    MainControls c;
    startDecodingWindowPictures();
    c.runstate_lab1 = makeLabel(window, "runstate_lab1", QString(82, QLatin1Char(' ')), sansSerif(13),
                                Qt::AlignHCenter | Qt::AlignTop);
    c.Image1 = makeImage(window, "Image1", QString());
    c.Imagehint = makeImage(window, "Imagehint", QString(), true);
    c.beginstudyibtn = makeButton(window, "beginstudyibtn", QStringLiteral("beginstudyibtn.jpg"));
    c.beginstudyibtn->setDisablePic(decodedPicture(QStringLiteral("beginstudyibtn-stop.jpg")));
    c.helpibtn = makeButton(window, "helpibtn", QStringLiteral("helpibtn.gif"),
                            QCoreApplication::translate("MainControls", "帮助"));
    c.updateibtn = makeButton(window, "updateibtn", QStringLiteral("updateibtn.gif"),
                              QCoreApplication::translate("MainControls", "升级软件"));
    c.delallstudykey = makeButton(window, "delallstudykey", QString());
    c.runstate_lab =
        makeLabel(window, "runstate_lab", QString(),
                  fontOf({QStringLiteral("文鼎CS中等线"), QStringLiteral("Noto Sans CJK SC")}, 15, true),
                  Qt::AlignHCenter | Qt::AlignTop);
    c.IBtn79 = makeButton(window, "IBtn79", QStringLiteral("IBtn79.gif"),
                          QCoreApplication::translate("MainControls", "关闭软件"));
    c.IBtn79->setDisablePic(decodedPicture(QStringLiteral("IBtn79-grey.jpg")));
    c.Image4 = makeImage(window, "Image4", QStringLiteral("Image4.gif"));
    c.Image5 = makeImage(window, "Image5", QStringLiteral("Image5.gif"));
    c.Image7 = makeImage(window, "Image7", QStringLiteral("Image7.gif"));
    c.Image8 = makeImage(window, "Image8", QStringLiteral("Image8.gif"));
    const auto infoLabel = [window](std::string_view name, const QString& caption) {
        return makeLabel(window, name, caption, sansSerif(11), Qt::AlignLeft | Qt::AlignTop);
    };
    c.lab_usbstate = infoLabel("lab_usbstate", QString());
    c.lab_ykqtype = infoLabel("lab_ykqtype", QStringLiteral(" "));
    c.lab_gjbb = infoLabel("lab_gjbb", QString());
    c.lab_softver = infoLabel("lab_softver", QStringLiteral(" "));
    c.delstudykey = makeButton(window, "delstudykey", QString());

    c.ykqbox = place(new QWidget(window), "ykqbox");
    c.ykqbox->setAutoFillBackground(true);
    QPalette boxColour = c.ykqbox->palette();
    boxColour.setColor(QPalette::Window, kWindowColour);
    c.ykqbox->setPalette(boxColour);
    createKeypad(c);
    c.Memo2 = makeMemo(window, "Memo2", QStringLiteral("Memo2"));
    c.Memo1 = makeMemo(window, "Memo1", QStringLiteral("Memo1"));
    c.donghuaflash2 = place(new platform::AnimationPlayer(window), "donghuaflash2");
    c.donghuaflash2->hide();
    c.Button1 = place(new QPushButton(QStringLiteral("Button1"), window), "Button1");
    c.Button1->hide();

    // The background, by far the largest picture, is decoded last and given to its image once the
    // other controls stand.
    c.Image1->setPixmap(decodedPicture(QStringLiteral("Image1.jpg")));
    finishDecodingPictures();

    // Windowed controls lie above every label, image and image button.
    for (QWidget* windowed : {c.ykqbox, static_cast<QWidget*>(c.Memo2), static_cast<QWidget*>(c.Memo1),
                              static_cast<QWidget*>(c.donghuaflash2), static_cast<QWidget*>(c.Button1)})
        windowed->raise();
    c.ykqbox->setFocusPolicy(Qt::NoFocus);
    QWidget::setTabOrder(c.ykqbox, c.Memo2);
    QWidget::setTabOrder(c.Memo2, c.Memo1);
    QWidget::setTabOrder(c.Memo1, c.donghuaflash2);
    QWidget::setTabOrder(c.donghuaflash2, c.Button1);
    return c;
}

} // namespace controls
