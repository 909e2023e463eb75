#pragma once

#include "elapsed_clock.h"
#include "form_window.h"
#include "practice_hooks.h"

#include <QPixmap>
#include <QTimer>
#include <QVector>

class AnswerPad;
class AnswerPanel;
class Dataset;
class PictureButton;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTextBrowser;
class QGridLayout;
class QVBoxLayout;

class ReleasableGroup;

// The practice window: one question at a time from the set the opener chose, its shared
// stem, the answer pad, the pads of question types and numbers (groups of 20), judging
// and recording of every answer, the answer panel, the answer timer and the clock.
class TFrmLxxt : public FormWindow {
    Q_OBJECT
  public:
    explicit TFrmLxxt(QWidget* parent = nullptr);
    ~TFrmLxxt() override;

    void setHooks(const PracticeHooks& hooks) { hooks_ = hooks; }

    // Runs PracticeSql; true when the set holds at least one question.
    bool LoadQuestionSet();

    // Records the answer on the pad for record `r` (mode 0 leaving the question, 1 the
    // "完成" command, 2 silently on a type change or closing); `first`..`last` are the
    // records of the group on display.
    void SaveAnswer(int r, int page, int mode, int first, int last);
    void ShowAnswerControls(int page);
    void ShowGroup(const QString& mode, int n);
    void ShowQuestion(int t);
    void ShowQuestionText(const QString& id);
    void PreviousQuestion();
    void NextQuestion();
    void PreviousGroup();
    void NextGroup();
    void Commit();             // "完成"
    void ToggleAnswerPanel();  // "答案" / "返回"
    void ToggleVoid();         // "题目作废" / "取消作废"
    void OpenNotes();          // "笔记"
    void OpenExamPoints();     // "考点"
    void EditQuestion();       // "修改本题"
    void ShowDesktop();        // "桌面"

    // One tick of the answer timer (the timer calls it; tests may too).
    void answerTimerTick();

    int CurrentRecNo = 0;
    int GroupFirst = 1;
    int GroupCount = 0;

    AnswerPad* pad() const { return pad_; }
    AnswerPanel* answerPanel() const { return panel_; }
    const QVector<PictureButton*>& numberButtons() const { return numberButtons_; }
    const QVector<PictureButton*>& typeButtons() const { return typeButtons_; }
    QTimer& answerTimer() { return answerTimer_; }
    ElapsedClock& clock() { return clock_; }
    int gaugeValue() const;
    int currentGroup() const { return group_; }
    int groupCount() const { return groups_; }

  protected:
    void FormShow() override;
    void FormClose() override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildLayout();
    void applyScreenMode();
    QPixmap loadPicture(const QString& name) const;
    void onTypePressed(PictureButton* button);
    void onNumberPressed(PictureButton* button);
    void setNumberPictures(PictureButton* button, const QString& normal, const QString& pressed);
    void setNumberNormal(int index, const QString& name);
    void setNumberPressed(int index, const QString& name);
    int pageShown() const;
    void startAnswerTimer(int typeCode);
    void setGauge(int value);
    void showTimeNotice();
    template <typename F>
    void runModal(F&& f);
    void layoutPanel();
    Dataset& tm() const;

    PracticeHooks hooks_;
    QHash<QString, QPixmap> pictures_;
    QPixmap typeUp_;
    QPixmap typeDown_;

    QLabel* lblQuestionNo_ = nullptr;
    QLabel* lblRedNotice_ = nullptr;
    QLabel* lblBoldNotice_ = nullptr;
    QLabel* lblNoticeBoard_ = nullptr;
    QProgressBar* gauge_ = nullptr;
    QWidget* questionArea_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTextBrowser* upper_ = nullptr;
    QTextBrowser* lower_ = nullptr;
    AnswerPanel* panel_ = nullptr;
    QLabel* lblClock_ = nullptr;
    QWidget* typePad_ = nullptr;
    QGridLayout* typeGrid_ = nullptr;
    QGridLayout* numberGrid_ = nullptr;
    QVBoxLayout* rightColumn_ = nullptr;
    QLabel* lblGroups_ = nullptr;
    QLabel* lblGroup_ = nullptr;
    QPushButton* btnPrevGroup_ = nullptr;
    QPushButton* btnNextGroup_ = nullptr;
    QPushButton* btnPrev_ = nullptr;
    QPushButton* btnNext_ = nullptr;
    AnswerPad* pad_ = nullptr;
    QPushButton* btnDone_ = nullptr;
    QPushButton* btnAnswer_ = nullptr;
    QPushButton* btnNote_ = nullptr;
    QPushButton* btnExamPoints_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnVoid_ = nullptr;
    QPushButton* btnClose_ = nullptr;
    QPushButton* btnConfig_ = nullptr;
    QPushButton* btnDesktop_ = nullptr;
    QWidget* decoration_ = nullptr;

    ReleasableGroup* typeGroup_ = nullptr;
    ReleasableGroup* numberGroup_ = nullptr;
    QVector<PictureButton*> typeButtons_;
    QVector<PictureButton*> numberButtons_;
    PictureButton* previousType_ = nullptr;

    QTimer answerTimer_;
    int gaugeSteps_ = 0;
    ElapsedClock clock_;
    int group_ = 1;
    int groups_ = 0;
    int modalDepth_ = 0;
    bool timeNoticePending_ = false;
};

// The practice window while it is open (the window reference).
inline TFrmLxxt* FrmLxxt = nullptr;
