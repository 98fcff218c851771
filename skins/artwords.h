// The words the pictures carry, one table per language: the painters take the table and never
// choose words themselves, so every language's pictures share one layout.
#pragma once

#include <QString>

#include <map>
#include <string_view>
#include <vector>

namespace artwork {

enum class ArtLanguage { Chinese, English };

// A hint panel's numbered instructions and the remark under them (empty: none).
struct HintWords {
    std::vector<QString> steps;
    QString remark;
};

struct ArtWords {
    // The background: the legend of the key colours, the band's foot, the title, and the captions
    // of the model, software version, firmware version and link labels.
    QString legendHeading;
    QString legendLearned;
    QString legendDownloaded;
    QString legendNoCode;
    QString bandProduct;
    QString title;
    QString modelCaption;
    QString softwareCaption;
    QString firmwareCaption;
    QString linkCaption;

    // The remote's body: the learning lamp, the two modes above their power keys, the foot.
    QString learningLamp;
    QString tvMode;
    QString cblMode;
    QString bodyProduct;

    // The command buttons' faces.
    QString learn;
    QString stopLearning;
    QString deleteKey;
    QString stopDeleting;
    QString clearAll;

    // The hint panels, the idle banner, the learning animation and its still.
    QString hintHeading;
    HintWords idleNothingLearned;
    HintWords idleSomeLearned;
    HintWords learning;
    HintWords deletingOne;
    QString bannerName;
    QString bannerLine;
    QString animationCaption;
    QString stillCaption;

    // The splash.
    QString splashLine;
    QString splashConnecting;

    // What a key's face reads where it is not the key's own name in the keypad's table, by key
    // number; a trailing + or - is drawn as a sign.
    std::map<std::string_view, QString> keyLabels;
};

const ArtWords& artWords(ArtLanguage language);

// The folder, inside the generator's output, that holds a language's pictures and collections:
// the output itself for Chinese, "en" for English.
QString languageFolder(ArtLanguage language);

} // namespace artwork
