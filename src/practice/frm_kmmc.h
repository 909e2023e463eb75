#pragma once

#include "form_window.h"
#include "practice_hooks.h"
#include "practice_sql.h"

class DatasetModel;
class QLabel;
class QLCDNumber;
class QPushButton;
class QTableView;

// The chapter browser: the chapter tree with each chapter's figures, totals over the
// book, and the commands that start practice on the selected chapter.
class TFrmkmmc : public FormWindow {
    Q_OBJECT
  public:
    explicit TFrmkmmc(QWidget* parent = nullptr);

    void setHooks(const PracticeHooks& hooks) { hooks_ = hooks; }

    // Starts practice of `mode` on the current chapter (the grid's double-click is New
    // with its own order and message).
    void StartPractice(PracticeMode mode, bool doubleClicked = false);
    void QuestionEntry();
    void ShowGuidance();

    QString LastChapterCode;

    QTableView* grid() const { return grid_; }
    QLCDNumber* totalQuestions() const { return lcdTotal_; }
    QLCDNumber* totalAnswers() const { return lcdAnswers_; }
    QLCDNumber* totalWrong() const { return lcdWrong_; }
    QLabel* score() const { return lblScore_; }

  protected:
    void FormShow() override;
    void FormClose() override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildLayout();
    void applyScreenMode();
    void showTotals();
    void showAgain();
    void syncGridToDataset();

    PracticeHooks hooks_;
    DatasetModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QLCDNumber* lcdTotal_ = nullptr;
    QLCDNumber* lcdAnswers_ = nullptr;
    QLCDNumber* lcdWrong_ = nullptr;
    QLabel* lblScore_ = nullptr;
    QPushButton* btnGuidance_ = nullptr;
    QWidget* statsBox_ = nullptr;

    bool syncing_ = false;
};

// The chapter browser while it is open (the window reference).
inline TFrmkmmc* Frmkmmc = nullptr;

// The "lx" commands: the browser, modal, freed when it closes.
void OpenChapterBrowser(const PracticeHooks& hooks);
