#pragma once

#include "answer_rules.h"

#include <QString>
#include <QWidget>

#include <array>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class ReleasableGroup;

// The answer pad under the question: one page per kind of answer (see AnswerPage), each
// with a side label naming it and the control the candidate answers with. The pad turns
// what is pressed or typed into the stored answer text and back again.
class AnswerPad : public QWidget {
    Q_OBJECT
  public:
    // The choice pages offer at most this many options, A..F.
    static constexpr int kMaxOptions = 6;
    static constexpr int kPageCount = 6;

    explicit AnswerPad(QWidget* parent = nullptr);

    int page() const;
    // Shows page 0..5; any other value leaves the page as it is.
    void setPage(int page);

    // Shows the first `count` option buttons of the choice pages (never more than six,
    // none for 0 or less); the others are hidden and released.
    void setOptionCount(int count);
    int optionCount() const { return optionCount_; }

    // Puts a stored answer back on the current page, with the question's option count.
    // Quiet: answerChanged is not emitted.
    void restore(const QString& stored, int optionCount);
    // The answer as stored: letters of the pressed visible options in order A..F, the
    // trimmed fill-in text, "A"/"B" for true/false, "0"/"1" for a self-assessment, or ""
    // when nothing is answered.
    QString answerText() const;

    // Page 4's side label: the first two characters of a type button's caption, one above
    // the other; an empty caption gives the default 主观.
    void setSelfAssessmentLabel(const QString& caption);

    // Letter keys A..F on the choice pages: pressed on page 0, toggled on page 1, visible
    // options only. True when the key was used.
    bool handleKey(int key);

    // The current page's instruction (also the pad's tool tip).
    QString hint() const;
    static QString hintOf(int page);

    // Tighter spacing for the 800 layout.
    void setCompact(bool compact);
    bool isCompact() const { return compact_; }

    QStackedWidget* pages() const { return stack_; }
    QLabel* sideLabel(int page) const;
    // Option button `index` (0 = A) of page 0, 1 or 5; nullptr for other pages.
    QPushButton* optionButton(int page, int index) const;
    QLineEdit* fillInEdit() const { return fillIn_; }
    QPushButton* trueButton() const { return true_; }
    QPushButton* falseButton() const { return false_; }
    QComboBox* selfAssessmentBox() const { return selfAssessment_; }

  signals:
    // The candidate changed the answer (click, key or typing), never on restore().
    void answerChanged();

  private:
    using OptionRow = std::array<QPushButton*, kMaxOptions>;

    QWidget* makePage(const QString& sideText, QWidget* control);
    QWidget* makeOptionRow(const QString& namePrefix, OptionRow& row, ReleasableGroup* group);
    QPushButton* makePadButton(const QString& caption, const QString& name);
    QString pressedLetters(const OptionRow& row) const;
    void pressLetters(const OptionRow& row, const QString& stored);
    void userChanged();
    void applyLayoutMetrics();

    QStackedWidget* stack_ = nullptr;
    std::array<QLabel*, kPageCount> sideLabels_{};
    std::array<QHBoxLayout*, kPageCount> pageLayouts_{};
    OptionRow single_{};
    OptionRow multi_{};
    OptionRow match_{};
    ReleasableGroup* singleGroup_ = nullptr;
    ReleasableGroup* trueFalseGroup_ = nullptr;
    QLineEdit* fillIn_ = nullptr;
    QPushButton* true_ = nullptr;
    QPushButton* false_ = nullptr;
    QComboBox* selfAssessment_ = nullptr;
    int optionCount_ = kMaxOptions;
    bool compact_ = false;
    bool quiet_ = false;
};
