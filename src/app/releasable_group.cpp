#include "releasable_group.h"

#include <QAbstractButton>

ReleasableGroup::ReleasableGroup(QObject* parent) : QObject(parent) {}

void ReleasableGroup::addButton(QAbstractButton* button) {
    button->setCheckable(true);
    button->setChecked(false);
    buttons_.push_back(button);
    connect(button, &QAbstractButton::clicked, this, [this, button]() { onClicked(button); });
}

void ReleasableGroup::clear() {
    for (const auto& b : buttons_) {
        if (b)
            b->disconnect(this);
    }
    buttons_.clear();
    pressed_ = nullptr;
}

void ReleasableGroup::onClicked(QAbstractButton* button) {
    // The click has toggled the button already.
    if (button == pressed_) {
        if (releasable_) {
            button->setChecked(false);
            pressed_ = nullptr;
            emit pressedChanged(nullptr);
        } else {
            button->setChecked(true);
        }
        return;
    }
    press(button);
}

void ReleasableGroup::press(QAbstractButton* button) {
    if (pressed_ && pressed_ != button)
        pressed_->setChecked(false);
    pressed_ = button;
    if (button)
        button->setChecked(true);
    emit pressedChanged(button);
}

void ReleasableGroup::release() {
    if (!pressed_)
        return;
    pressed_->setChecked(false);
    pressed_ = nullptr;
    emit pressedChanged(nullptr);
}
