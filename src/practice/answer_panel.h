#pragma once

#include <QFrame>

class QLabel;
class QTimer;

// The card that slides over the question area to show the verdict, the candidate's answer
// and the correct one. Its parent window sets its height and position (the question area,
// x 0); the panel animates only its width: it opens from the left edge and shuts back to it.
class AnswerPanel : public QFrame {
    Q_OBJECT
  public:
    explicit AnswerPanel(QWidget* parent = nullptr);

    // Texts as shown (the caller passes them through displayAnswer).
    void setAnswers(const QString& yourAnswer, const QString& correctAnswer, bool right);

    // Opens the panel to `fullWidth` when it is shut, shuts it when it is open. Each step
    // moves the edge 20 pixels further than the step before; a toggle while the panel is
    // still sliding is ignored.
    void toggle(int fullWidth);
    // Stops any slide and shuts the panel at once (no slideFinished).
    void closeAtOnce();

    // True from the moment opening is asked until shutting starts.
    bool isOpen() const { return open_; }
    bool isSliding() const { return sliding_; }
    // One step of the slide; the timer calls it, tests call it to slide without waiting.
    void step();

    QLabel* verdictLabel() const { return verdict_; }
    QLabel* yourAnswerLabel() const { return yourAnswer_; }
    QLabel* correctAnswerLabel() const { return correctAnswer_; }

    static constexpr int kStepIntervalMs = 15;
    static constexpr int kStepGrowth = 20;

  signals:
    void slideFinished(bool open);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void placeContent();

    QWidget* content_ = nullptr;
    QLabel* verdict_ = nullptr;
    QLabel* yourAnswer_ = nullptr;
    QLabel* correctAnswer_ = nullptr;
    QTimer* timer_ = nullptr;
    int fullWidth_ = 0;
    int stepSize_ = 0;
    bool open_ = false;
    bool sliding_ = false;
};
