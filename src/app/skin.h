// The pictures that come from the five skin bundles next to the program: the keys in their four
// colourings, the hint and delete/clear pictures, and the learning animation.
#pragma once

#include <QPixmap>
#include <QString>

#include <array>
#include <map>

// Index = the value of a key number read as hex.
inline constexpr int kKeyPictureCount = 168;
using KeyPictures = std::array<QPixmap, kKeyPictureCount>;

struct SkinPictures {
    KeyPictures normalKeyPictures;
    KeyPictures learnedKeyPictures;
    KeyPictures learningKeyPictures;
    KeyPictures occupiedKeyPictures;
    // "gifquorel", "jpgjingtai", "stopdelete", "deletehui", "delete", "clear", "clearhui".
    std::map<QString, QPixmap> singles;

    // A single picture by its resource name; a null picture before the skin was loaded.
    QPixmap single(const QString& name) const;
};

// Loads every picture and writes the animation to `animationFile` (replacing an older one).
// False when a bundle, a key picture or a single picture is missing or does not decode; what
// was loaded before the failure stays in `skin`.
bool loadSkin(SkinPictures& skin, const QString& animationFile);
