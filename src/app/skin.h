// The pictures that come from the five skin bundles next to the program: the keys in their four
// colourings, the hint and delete/clear pictures, and the learning animation.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

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

// The skin read from its bundles and decoded, not yet in the window: decoding needs no window, so
// it can run while the splash is up. Decoding stops at the first bundle or picture that fails,
// keeping what came before it.
struct DecodedSkin {
    bool bundlesLoaded = false;
    std::optional<QByteArray> animation;
    // In the order they are decoded: by key number, then normal, learned, learning, occupied.
    std::vector<QImage> keyPictures;
    std::vector<std::pair<QString, QImage>> singles;
    bool complete = false;
};

DecodedSkin decodeSkin();
// Writes the animation to `animationFile` (replacing an older one) and gives `skin` the decoded
// pictures. False when a bundle, a key picture or a single picture was missing or did not decode;
// what was decoded before the failure is in `skin`, and with no bundle nothing is written.
bool applySkin(SkinPictures& skin, DecodedSkin decoded, const QString& animationFile);
// Both at once.
bool loadSkin(SkinPictures& skin, const QString& animationFile);
