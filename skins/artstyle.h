// One look for every picture of the configurator: the window's blues, the remote's dark shell,
// the four colourings of a key, the button faces and the one typeface for all text.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

namespace artwork {

// The window and its background.
inline constexpr QColor kWindowBlue{53, 124, 168};
inline constexpr QColor kLegendBand{27, 66, 96};
inline constexpr QColor kLegendBandEdge{84, 150, 194};
inline constexpr QColor kInfoPanel{43, 106, 148};
inline constexpr QColor kInfoPanelEdge{96, 164, 206};
inline constexpr QColor kCaptionText{226, 240, 250};
inline constexpr QColor kSoftText{176, 212, 236};

// The remote's body.
inline constexpr QColor kBodyShell{46, 50, 58};
inline constexpr QColor kBodyRim{104, 112, 126};
inline constexpr QColor kBodyShadow{22, 24, 30};
inline constexpr QColor kKeyWell{26, 28, 34};
inline constexpr QColor kRingBase{62, 67, 78};
inline constexpr QColor kBodyLabel{176, 184, 196};
inline constexpr QColor kTvAccent{120, 196, 250};
inline constexpr QColor kCblAccent{255, 190, 84};
inline constexpr QColor kInfraredLens{120, 20, 30};

// A key's four colourings: what its code state looks like on the keypad.
enum class KeyColouring { Normal, Learned, Learning, Occupied };

struct KeyColours {
    QColor faceTop;
    QColor faceBottom;
    QColor edge;
    QColor label;
    QColor glow; // invalid: the key does not glow
};

inline KeyColours keyColours(KeyColouring colouring) {
    switch (colouring) {
    case KeyColouring::Learned:
        return {{242, 100, 86}, {184, 34, 30}, {112, 18, 16}, {255, 255, 255}, {}};
    case KeyColouring::Learning:
        return {{255, 240, 150}, {250, 178, 36}, {176, 110, 8}, {74, 42, 0}, {255, 220, 70}};
    case KeyColouring::Occupied:
        return {{118, 208, 112}, {38, 142, 58}, {22, 88, 34}, {255, 255, 255}, {}};
    case KeyColouring::Normal:
        break;
    }
    return {{238, 240, 244}, {180, 186, 196}, {112, 118, 130}, {36, 40, 48}, {}};
}

// The command buttons' faces: a call to act, an action under way, and unavailable.
enum class FaceTone { Action, Stop, Grey };

struct FaceColours {
    QColor top;
    QColor bottom;
    QColor edge;
    QColor label;
};

inline FaceColours faceColours(FaceTone tone) {
    switch (tone) {
    case FaceTone::Stop:
        return {{238, 96, 80}, {176, 36, 30}, {116, 20, 16}, {255, 255, 255}};
    case FaceTone::Grey:
        return {{214, 218, 224}, {168, 174, 182}, {128, 134, 142}, {120, 126, 134}};
    case FaceTone::Action:
        break;
    }
    return {{255, 196, 84}, {232, 124, 22}, {160, 80, 8}, {255, 255, 255}};
}

// The hint panels and banners.
inline constexpr QColor kHintPanelTop{236, 246, 253};
inline constexpr QColor kHintPanelBottom{212, 232, 247};
inline constexpr QColor kHintHeader{30, 98, 152};
inline constexpr QColor kHintText{24, 50, 78};
inline constexpr QColor kHintRemark{176, 60, 20};

inline QFont artFont(int pixelSize, QFont::Weight weight = QFont::Normal) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The largest pixel size, from `preferred` down to 8, at which `text` fits `width` on one line:
// a word longer in one language than in another shrinks rather than running out of its place.
inline int fittingPixelSize(const QString& text, QFont::Weight weight, int preferred, qreal width) {
    int size = preferred;
    while (size > 8 && QFontMetricsF(artFont(size, weight)).horizontalAdvance(text) > width)
        --size;
    return size;
}

} // namespace artwork
