#pragma once

#include "form_window.h"

class QLabel;
class QPushButton;
class QStackedWidget;
class TitleStrip;

// The program's own message dialog: a caption strip, an icon (page 0 information, 1
// warning, 2 error), the message and up to three buttons. Created once at start-up.
class TFrmDlg : public FormWindow {
    Q_OBJECT
  public:
    explicit TFrmDlg(QWidget* parent = nullptr);

    // Sets the dialog up for one call: caption, text, buttons by Kind (0: buttons 1 and 2;
    // 1: button 3 alone; 2: all three; 3: button 1 alone, 200 wide; other Kinds keep the
    // previous call's buttons), icon page and the captions of ButtonSet ("Exam": 确定,
    // 作废, 取消; anything else: 确定, 取消, 确定).
    void prepare(const QString& caption, const QString& text, int kind, int page,
                 const QString& buttonSet);
    // Captions of the visible buttons, left to right, with the result each gives.
    QList<std::pair<QString, int>> visibleButtons() const;

    QLabel* Label1;
    QLabel* fcLabel1;
    QStackedWidget* epNoteBook1;
    QPushButton* fcShapeBtn1;
    QPushButton* fcShapeBtn2;
    QPushButton* fcShapeBtn3;

  private:
    void finish(int result);
    void fitText();

    TitleStrip* strip_;
    int designWidth_;
};

// The one message dialog, created at start-up (Lorvane's window reference).
inline TFrmDlg* FrmDlg = nullptr;

// Shows the message dialog modally; returns 1, 2 or 3, the result of the pressed button.
int ShowDialog(const QString& Caption, const QString& Text, int Kind, int Page,
               const QString& ButtonSet);
