#include "artwords.h"

namespace artwork {

namespace {

ArtWords chineseWords() {
    ArtWords w;
    w.legendHeading = QStringLiteral("按键颜色说明");
    w.legendLearned = QStringLiteral("已学习的按键");
    w.legendDownloaded = QStringLiteral("已下载的按键");
    w.legendNoCode = QStringLiteral("没有编码的按键");
    w.bandProduct = QStringLiteral("学习型遥控器");
    w.title = QStringLiteral("QTM-418 学习型遥控器 自学习软件");
    w.modelCaption = QStringLiteral("遥控器型号：");
    w.softwareCaption = QStringLiteral("软件版本：");
    w.firmwareCaption = QStringLiteral("固件版本：");
    w.linkCaption = QStringLiteral("遥控器状态：");

    w.learningLamp = QStringLiteral("学习");
    w.tvMode = QStringLiteral("TV 电视");
    w.cblMode = QStringLiteral("CBL 机顶盒");
    w.bodyProduct = QStringLiteral("学习型遥控器");

    w.learn = QStringLiteral("开始学习");
    w.stopLearning = QStringLiteral("停止学习");
    w.deleteKey = QStringLiteral("删除按键");
    w.stopDeleting = QStringLiteral("停止删除");
    w.clearAll = QStringLiteral("全部清除");

    w.hintHeading = QStringLiteral("提示");
    w.idleNothingLearned = {{QStringLiteral("要学习遥控器的编码，请点击下方的“开始学习”按钮。")}, {}};
    w.idleSomeLearned = {{QStringLiteral("要学习遥控器的编码，请点击“开始学习”按钮；"),
                          QStringLiteral("要删除已学习的编码，请点击“删除按键”按钮；"),
                          QStringLiteral("要清除全部已学习的编码，请点击“全部清除”按钮。")},
                         {}};
    w.learning = {{QStringLiteral("在左边的遥控器图片上，点击要学习的按键；"),
                   QStringLiteral("如动画所示，将原遥控器对准学习型遥控器，按下对应的按键；"),
                   QStringLiteral("重复以上步骤，学习其他按键；"),
                   QStringLiteral("全部学完后，点击“停止学习”按钮；"),
                   QStringLiteral("按原遥控器的按键时，请按住至少2秒。")},
                  QStringLiteral("注意：点击“停止学习”之前，请勿拔下USB连接线！")};
    w.deletingOne = {{QStringLiteral("在遥控器图片的红色按键中，点击要删除的按键；"),
                      QStringLiteral("在随后出现的对话框中确认删除；"),
                      QStringLiteral("重复以上步骤，删除其他按键；"),
                      QStringLiteral("全部删完后，点击“停止删除”按钮。")},
                     QStringLiteral("注意：每个按键删除成功或失败，都有对话框提示。")};
    w.bannerName = QStringLiteral("QTM-418 学习型遥控器");
    w.bannerLine = QStringLiteral("一个遥控器，学会电视和机顶盒的按键");
    w.animationCaption = QStringLiteral("请将原遥控器对准学习型遥控器，按住要学习的按键");
    w.stillCaption = QStringLiteral("请按下要学习的按键");

    w.splashLine = QStringLiteral("学习型遥控器 自学习软件");
    w.splashConnecting = QStringLiteral("正在连接遥控器……");
    return w;
}

// The button names, and the plain quotes around them, are those the window's English texts use.
ArtWords englishWords() {
    ArtWords w;
    w.legendHeading = QStringLiteral("Key colours");
    w.legendLearned = QStringLiteral("Learned");
    w.legendDownloaded = QStringLiteral("Preloaded");
    w.legendNoCode = QStringLiteral("No code");
    w.bandProduct = QStringLiteral("Learning remote");
    w.title = QStringLiteral("QTM-418 Remote Configurator");
    w.modelCaption = QStringLiteral("Remote model:");
    w.softwareCaption = QStringLiteral("Software version:");
    w.firmwareCaption = QStringLiteral("Firmware version:");
    w.linkCaption = QStringLiteral("Remote status:");

    w.learningLamp = QStringLiteral("LEARN");
    w.tvMode = QStringLiteral("TV");
    w.cblMode = QStringLiteral("CABLE BOX");
    w.bodyProduct = QStringLiteral("LEARNING REMOTE");

    w.learn = QStringLiteral("Learn");
    w.stopLearning = QStringLiteral("Stop learning");
    w.deleteKey = QStringLiteral("Delete key");
    w.stopDeleting = QStringLiteral("Stop deleting");
    w.clearAll = QStringLiteral("Clear all");

    w.hintHeading = QStringLiteral("Notice");
    w.idleNothingLearned = {{QStringLiteral("To learn a remote's codes, click the \"Learn\" button below.")},
                            {}};
    w.idleSomeLearned = {{QStringLiteral("To learn a remote's codes, click \"Learn\"."),
                          QStringLiteral("To delete a learned code, click \"Delete key\"."),
                          QStringLiteral("To clear all learned codes, click \"Clear all\".")},
                         {}};
    w.learning = {{QStringLiteral("Click the key to learn on the remote's picture on the left."),
                   QStringLiteral("As the animation shows, point the original remote at the learning remote "
                                  "and press the matching key."),
                   QStringLiteral("Repeat these steps to learn other keys."),
                   QStringLiteral("When all keys are learned, click \"Stop learning\"."),
                   QStringLiteral("Hold the original remote's key down for at least 2 seconds.")},
                  QStringLiteral("Note: do not unplug the USB cable before you click \"Stop learning\"!")};
    w.deletingOne = {{QStringLiteral("Among the red keys of the picture, click the key to delete."),
                      QStringLiteral("Confirm the deletion in the dialog that follows."),
                      QStringLiteral("Repeat these steps to delete other keys."),
                      QStringLiteral("When done, click \"Stop deleting\".")},
                     QStringLiteral("Note: a dialog tells you whether each deletion succeeded or failed.")};
    w.bannerName = QStringLiteral("QTM-418 Learning Remote");
    w.bannerLine = QStringLiteral("One remote that learns your TV and cable box keys");
    w.animationCaption =
        QStringLiteral("Point the original remote at the learning remote and hold down the key to learn");
    w.stillCaption = QStringLiteral("Press the key to learn");

    w.splashLine = QStringLiteral("Learning Remote Configurator");
    w.splashConnecting = QStringLiteral("Connecting to the remote...");

    // As remotes print them: short, in capitals.
    w.keyLabels = {
        {"02", QStringLiteral("MUTE")},  {"05", QStringLiteral("MENU")},  {"06", QStringLiteral("VOL+")},
        {"10", QStringLiteral("OK")},    {"12", QStringLiteral("VOL-")},  {"13", QStringLiteral("BACK")},
        {"15", QStringLiteral("EXIT")},  {"22", QStringLiteral("INFO")},  {"23", QStringLiteral("PG UP")},
        {"24", QStringLiteral("PG DN")}, {"25", QStringLiteral("AUDIO")}, {"26", QStringLiteral("GUIDE")},
        {"34", QStringLiteral("BACK")},  {"36", QStringLiteral("EXIT")},  {"37", QStringLiteral("VOL+")},
        {"40", QStringLiteral("LIST")},  {"41", QStringLiteral("CH+")},   {"42", QStringLiteral("VOL-")},
        {"43", QStringLiteral("MUTE")},  {"44", QStringLiteral("CH-")},   {"56", QStringLiteral("FAV")},
        {"60", QStringLiteral("ALT")},
    };
    return w;
}

} // namespace

const ArtWords& artWords(ArtLanguage language) {
    static const ArtWords chinese = chineseWords();
    static const ArtWords english = englishWords();
    return language == ArtLanguage::English ? english : chinese;
}

QString languageFolder(ArtLanguage language) {
    return language == ArtLanguage::English ? QStringLiteral("en") : QString();
}

} // namespace artwork
