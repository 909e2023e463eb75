#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

class QAbstractButton;

// Checkable buttons of which at most one is pressed, where the pressed one can also be
// released: clicking it again (when releasable) or release() leaves none pressed. Unlike
// an exclusive QButtonGroup, "release and press again" signals a change every time.
class ReleasableGroup : public QObject {
    Q_OBJECT
  public:
    explicit ReleasableGroup(QObject* parent = nullptr);

    void addButton(QAbstractButton* button);
    void clear();
    const QVector<QPointer<QAbstractButton>>& buttons() const { return buttons_; }

    // Whether clicking the pressed button releases it.
    void setReleasable(bool on) { releasable_ = on; }

    QAbstractButton* pressed() const { return pressed_; }
    // Presses `button` (releasing the one pressed before) and signals pressedChanged,
    // also when it was pressed already.
    void press(QAbstractButton* button);
    void release();

  signals:
    // The newly pressed button, or nullptr when none is pressed any more.
    void pressedChanged(QAbstractButton* button);

  private:
    void onClicked(QAbstractButton* button);

    QVector<QPointer<QAbstractButton>> buttons_;
    QPointer<QAbstractButton> pressed_;
    bool releasable_ = true;
};
