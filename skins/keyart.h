// The keys of the keypad: where each key's face lies on the remote, and its picture in each of the
// four colourings. A key picture's surroundings are cut from the remote's body at the key's place,
// so the picture sits seamlessly over its well.
#pragma once

#include "model/keytable.h"

#include "artstyle.h"
#include "artwords.h"
#include "model/keypadlayout.h"

#include <QImage>
#include <QPainterPath>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

namespace artwork {

// Each set holds a picture for every index a key number can have.
inline constexpr int kKeyPictureCount = 168;
// The picture of an index that no key of the keypad uses.
inline constexpr QSize kPlainKeySize{36, 32};

enum class KeySymbol { Text, Power, ArrowUp, ArrowDown, ArrowLeft, ArrowRight };

struct KeyFace {
    const model::KeyButtonRow* key;
    QRect picture;     // keypad-box coordinates: the button's top-left, the picture's size
    QPainterPath face; // keypad-box coordinates, inside `picture`
    QPointF labelCentre;
    KeySymbol symbol;
    QString label; // what a Text face reads; a trailing + or - is drawn as a sign
};

// The faces of all keys, in the order of kKeyButtons, labelled in `words`.
std::vector<KeyFace> keyFaces(const ArtWords& words);

// Key pictures are indexed by the value of the key number, as the program indexes them.
using model::keyPictureIndex;

// The navigation ring's base on the body, under the four arrows and OK of the set-top box.
QPainterPath navigationPad();

// The recess in the body that a key face sits in.
void paintKeyWell(QPainter& p, const QPainterPath& face);
void paintKeyFace(QPainter& p, const QPainterPath& face, KeyColouring colouring);

// `bodyAtBox` is the remote's body as the keypad box shows it (197 × 731).
QImage keyPicture(const KeyFace& key, KeyColouring colouring, const QImage& bodyAtBox);
QImage plainKeyPicture(KeyColouring colouring);

} // namespace artwork
