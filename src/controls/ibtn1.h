// The image push button of the whole window: every key of the keypad and every command.
// It draws only its picture, shifts by a few pixels while a mouse button is held on it, can show
// a second picture while it counts as disabled, and may open a file through the shell.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cstdint>

class IBtn : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int MoveDown READ MoveDown WRITE setMoveDown)
    Q_PROPERTY(int MoveRight READ MoveRight WRITE setMoveRight)
    Q_PROPERTY(QString Path READ Path WRITE setPath)
    Q_PROPERTY(bool IsEnable READ IsEnable WRITE setIsEnable)
    Q_PROPERTY(QString Code READ Code WRITE setCode)
public:
    // The application cursor number every image button uses.
    static constexpr int kCursorNumber = 31;

    explicit IBtn(QWidget* owner = nullptr);

    int MoveDown() const { return moveDown_; }
    void setMoveDown(int pixels);
    int MoveRight() const { return moveRight_; }
    void setMoveRight(int pixels);
    const QString& Path() const { return path_; }
    void setPath(const QString& path) { path_ = path; }
    bool IsEnable() const { return isEnable_; }
    void setIsEnable(bool enable);
    const QPixmap& DisablePic() const { return disablePic_; }
    void setDisablePic(const QPixmap& picture) { disablePic_ = picture; }
    const QString& Code() const { return code_; }
    void setCode(const QString& code) { code_ = code; }

    const QPixmap& Picture() const { return picture_; }
    void setPicture(const QPixmap& picture);
    const QPixmap& savedPicture() const { return savedPicture_; }

    // Keys carry their display name in Path, which is no file: the shell is not asked for them.
    void setOpensPath(bool opens) { opensPath_ = opens; }

signals:
    // A left press and release inside the button, once per double-click; raised before the button
    // moves back.
    void clicked(IBtn* button);
    void mouseMoved(IBtn* button);
    // A right press and release inside the button: its menu is asked for, at `globalPos`.
    void menuRequested(IBtn* button, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void pressShift();
    void releaseShift();
    void openPath();

    std::uint8_t moveDown_ = 1;
    std::uint8_t moveRight_ = 1;
    QString path_;
    QPixmap disablePic_;
    QPixmap savedPicture_;
    bool isEnable_ = true;
    QString code_;
    QPixmap picture_;
    bool opensPath_ = true;
    // The left button is down for the second time of a double-click, whose release is no click.
    bool secondPressOfDoubleClick_ = false;
};

// The cursor registered under an application cursor number; the arrow when none is.
QCursor applicationCursor(int number);
