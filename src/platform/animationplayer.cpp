#include "animationplayer.h"

#include <QMovie>

namespace platform {

AnimationPlayer::AnimationPlayer(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void AnimationPlayer::setMovie(const QString& file) {
    stopPlay();
    file_ = file;
    delete movie_;
    // The file keeps the name the animation has always had, whatever its format, so the
    // format is named rather than guessed from the suffix.
    movie_ = new QMovie(file, "GIF", this);
    // Read the frames now: the file may be replaced on disk while the animation plays.
    movie_->setCacheMode(QMovie::CacheAll);
    QLabel::setMovie(movie_);
}

void AnimationPlayer::play() {
    if (movie_ && movie_->isValid())
        movie_->start();
}

void AnimationPlayer::stopPlay() {
    if (movie_)
        movie_->stop();
}

bool AnimationPlayer::isPlaying() const { return movie_ && movie_->state() == QMovie::Running; }

} // namespace platform
