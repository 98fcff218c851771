// Plays the learning animation from its file, in the place of the window's movie control:
// a movie path, play, stop, and show/hide as a widget.
#pragma once

#include <QLabel>

class QMovie;

namespace platform {

class AnimationPlayer : public QLabel {
    Q_OBJECT
public:
    explicit AnimationPlayer(QWidget* parent = nullptr);

    // The file to play from the next play(); an unreadable file plays nothing.
    void setMovie(const QString& file);
    QString movie() const { return file_; }
    void play();
    void stopPlay();
    bool isPlaying() const;

private:
    QString file_;
    QMovie* movie_ = nullptr;
};

} // namespace platform
