#pragma once

#include <QWidget>

class QLabel;

// The please-wait window shown (not modally) while work runs: a message in bold maroon
// over a bevelled card, the hourglass as its cursor. Created once at start-up.
class TFrmProgress : public QWidget {
    Q_OBJECT
  public:
    explicit TFrmProgress(QWidget* parent = nullptr);

    // Shows the window with `message`, lets it paint, and returns to the caller's work.
    void showMessage(const QString& message);

    QLabel* Label1;
};

// The one progress window (Lorvane's window reference).
inline TFrmProgress* FrmProgress = nullptr;
