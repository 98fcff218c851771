// Builds the main window's controls and the keypad from the layout table, with their fixed
// properties and the pictures the window carries itself.
#pragma once

#include <QString>

#include <vector>

class IBtn;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace platform {
class AnimationPlayer;
}

namespace controls {

struct MainControls {
    QLabel* runstate_lab1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Imagehint = nullptr;
    IBtn* beginstudyibtn = nullptr;
    IBtn* helpibtn = nullptr;
    IBtn* updateibtn = nullptr;
    IBtn* delallstudykey = nullptr;
    QLabel* runstate_lab = nullptr;
    IBtn* IBtn79 = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Image5 = nullptr;
    QLabel* Image7 = nullptr;
    QLabel* Image8 = nullptr;
    QLabel* lab_usbstate = nullptr;
    QLabel* lab_ykqtype = nullptr;
    QLabel* lab_gjbb = nullptr;
    QLabel* lab_softver = nullptr;
    IBtn* delstudykey = nullptr;
    QWidget* ykqbox = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    platform::AnimationPlayer* donghuaflash2 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* z = nullptr;
    // The 49 key buttons, in creation order.
    std::vector<IBtn*> keys;
};

// Starts decoding the window's pictures on a thread of their own, ahead of the window; creating
// the controls starts it too when nobody did.
void startDecodingWindowPictures();

// Creates every control of `window` in creation order and returns them.
MainControls createMainControls(QWidget* window);

// A picture the window carries itself, by its file name: ":/window/<name>", or its English twin
// ":/window/en/<name>" when the program speaks English and the picture has words in it.
QString windowPicture(const QString& name);

} // namespace controls
