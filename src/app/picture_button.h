#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A pad button drawn from two pictures, its normal and its pressed one, with its caption
// on top. The pictures are set by whoever knows the question's state; the button never
// derives them itself. Pad buttons take no focus.
class PictureButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit PictureButton(const QString& caption = {}, QWidget* parent = nullptr);

    void setPictures(const QPixmap& normal, const QPixmap& pressed);
    void setNormalPicture(const QPixmap& normal);
    void setPressedPicture(const QPixmap& pressed);
    const QPixmap& normalPicture() const { return normal_; }
    const QPixmap& pressedPicture() const { return pressed_; }
    // Which picture is meant, for tests: the file name the picture came from.
    void setPictureNames(const QString& normal, const QString& pressed);
    QString normalName() const { return normalName_; }
    QString pressedName() const { return pressedName_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap normal_;
    QPixmap pressed_;
    QString normalName_;
    QString pressedName_;
};
