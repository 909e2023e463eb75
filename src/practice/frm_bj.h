#pragma once

#include "form_window.h"

#include <QPointer>

class Dataset;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The candidate's note on a question. The note is edited through the question's row: each
// change goes into the row at once, so a post of that row by other code while the notes are
// open (the answer timer's) stores the note as typed so far. Closing stores it.
class TFrmBj : public FormWindow {
    Q_OBJECT
  public:
    explicit TFrmBj(QWidget* parent = nullptr);

    // Puts `source` into edit mode on its current row and shows `fieldName` in the memo.
    void BindNote(Dataset& source, const QString& fieldName);

    // A note counts as written when anything but blanks and control characters is left.
    static bool noteHasText(const QString& note);

    QPlainTextEdit* DBMemo1;
    QPushButton* btnClose;
    // Which window opened the notes ("lx" or "ks"); shown nowhere.
    QLabel* lblContext;

  protected:
    void FormClose() override;

  private:
    void storeNote();

    QPointer<Dataset> source_;
    QString fieldName_;
};

// The notes window while it is open (the window reference).
inline TFrmBj* FrmBj = nullptr;
