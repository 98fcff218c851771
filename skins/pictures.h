// The configurator's pictures, one function per picture, each at the size the window gives it.
#pragma once

#include "artstyle.h"
#include "artwords.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <string_view>
#include <vector>

namespace artwork {

// Where a control of the main window lies, by its name.
QRect windowControlRect(std::string_view name);

// The remote's body, in the keypad box's own coordinates (197 × 731).
QImage remoteBodyAtBox(const ArtWords& words);
// The body as stored (213 × 730): the keypad box stretches it back to 197 × 731.
QImage remoteBodyPicture(const ArtWords& words);

// The window's background (1024 × 734): legend band, title, captions of the information labels.
QImage backgroundPicture(const ArtWords& words);

enum class HintPanel { IdleNothingLearned, IdleSomeLearned, Learning, DeletingOne };
// The blue instruction panels under their heading (413 × 170).
QImage hintPanel(HintPanel panel, const ArtWords& words);
// The idle banner of the hint area (413 × 86).
QImage idleHintBanner(const ArtWords& words);

// A command button's face (132 × 39).
QImage buttonFace(const QString& text, FaceTone tone);
// The three small buttons at the window's top right (49 × 42), and the close button's grey form.
QImage helpButtonPicture();
QImage updateButtonPicture();
QImage closeButtonPicture();
QImage closeButtonGreyPicture();

// The learning scene: a remote sending its infrared code to the QTM-418.
std::vector<QImage> learningAnimationFrames(const ArtWords& words); // 409 × 84
std::vector<int> learningAnimationDelays();                         // centiseconds, one per frame
QImage learningStill(const ArtWords& words); // 413 × 86, with the call to press the key

// The splash window's picture (460 × 260).
QImage splashPicture(const ArtWords& words);

// The program's desktop icon, `size` pixels square: the remote with its keys and learning light,
// sending its code.
QImage applicationIcon(int size);

} // namespace artwork
