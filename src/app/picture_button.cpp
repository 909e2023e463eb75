#include "picture_button.h"

#include <QPainter>

PictureButton::PictureButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::setPictures(const QPixmap& normal, const QPixmap& pressed) {
    normal_ = normal;
    pressed_ = pressed;
    update();
}

void PictureButton::setNormalPicture(const QPixmap& normal) {
    normal_ = normal;
    update();
}

void PictureButton::setPressedPicture(const QPixmap& pressed) {
    pressed_ = pressed;
    update();
}

void PictureButton::setPictureNames(const QString& normal, const QString& pressed) {
    if (!normal.isEmpty())
        normalName_ = normal;
    if (!pressed.isEmpty())
        pressedName_ = pressed;
}

QSize PictureButton::sizeHint() const {
    return normal_.isNull() ? QSize(36, 26) : normal_.size();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool down = isChecked() || isDown();
    const QPixmap& picture = down ? pressed_ : normal_;
    if (!picture.isNull())
        p.drawPixmap(rect(), picture);
    QColor ink = isEnabled() ? QColor(0x1e, 0x29, 0x3b) : QColor(0x94, 0xa3, 0xb8);
    if (isEnabled() && underMouse())
        ink = QColor(0x0f, 0x76, 0x6e);
    p.setPen(ink);
    QFont f = font();
    f.setBold(down);
    p.setFont(f);
    p.drawText(rect(), Qt::AlignCenter, text());
}
