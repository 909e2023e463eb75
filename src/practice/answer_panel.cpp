#include "answer_panel.h"

#include "app_look.h"

#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel* makeCaption(const QString& text) {
    auto* label = new QLabel(text);
    label->setFont(sansFont(16, true));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* makeAnswerField(const QString& name) {
    auto* field = new QLabel;
    field->setObjectName(name);
    field->setFont(sansFont(16));
    field->setWordWrap(true);
    field->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    field->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return field;
}

}  // namespace

AnswerPanel::AnswerPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("AnswerPanel"));
    setProperty("card", true);
    setFrameShape(QFrame::StyledPanel);

    // The content keeps the panel's full width while the panel itself is narrower, so the
    // slide uncovers it like a curtain instead of squeezing the text.
    content_ = new QWidget(this);
    content_->setObjectName(QStringLiteral("panelContent"));
    auto* layout = new QVBoxLayout(content_);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(16);

    verdict_ = new QLabel;
    verdict_->setObjectName(QStringLiteral("panelVerdict"));
    verdict_->setFont(sansFont(20, true));
    layout->addWidget(verdict_);

    auto* answers = new QGridLayout;
    answers->setHorizontalSpacing(8);
    answers->setVerticalSpacing(12);
    yourAnswer_ = makeAnswerField(QStringLiteral("panelYourAnswer"));
    correctAnswer_ = makeAnswerField(QStringLiteral("panelCorrectAnswer"));
    answers->addWidget(makeCaption(QStringLiteral("你的答案：")), 0, 0);
    answers->addWidget(yourAnswer_, 0, 1);
    answers->addWidget(makeCaption(QStringLiteral("正确答案：")), 1, 0);
    answers->addWidget(correctAnswer_, 1, 1);
    answers->setColumnStretch(1, 1);
    layout->addLayout(answers);
    layout->addStretch(1);

    timer_ = new QTimer(this);
    timer_->setInterval(kStepIntervalMs);
    connect(timer_, &QTimer::timeout, this, &AnswerPanel::step);

    resize(0, height());
    hide();
}

void AnswerPanel::setAnswers(const QString& yourAnswer, const QString& correctAnswer, bool right) {
    verdict_->setText(right ? QStringLiteral("恭喜你，做对了！")
                            : QStringLiteral("很遗憾，做错了，请继续努力！"));
    verdict_->setStyleSheet(right ? QStringLiteral("color: #15803d;")
                                  : QStringLiteral("color: #dc2626;"));
    yourAnswer_->setText(yourAnswer);
    correctAnswer_->setText(correctAnswer);
}

void AnswerPanel::toggle(int fullWidth) {
    if (sliding_)
        return;
    stepSize_ = 0;
    sliding_ = true;
    if (!open_) {
        open_ = true;
        fullWidth_ = qMax(0, fullWidth);
        resize(0, height());
        placeContent();
        show();
        raise();
    } else {
        open_ = false;
    }
    timer_->start();
}

void AnswerPanel::step() {
    if (!sliding_)
        return;
    stepSize_ += kStepGrowth;
    const int w = open_ ? qMin(width() + stepSize_, fullWidth_) : qMax(width() - stepSize_, 0);
    resize(w, height());
    repaint();
    const bool done = open_ ? w >= fullWidth_ : w <= 0;
    if (!done)
        return;
    timer_->stop();
    sliding_ = false;
    if (!open_)
        hide();
    emit slideFinished(open_);
}

void AnswerPanel::closeAtOnce() {
    timer_->stop();
    sliding_ = false;
    open_ = false;
    stepSize_ = 0;
    resize(0, height());
    hide();
}

void AnswerPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    placeContent();
}

void AnswerPanel::placeContent() {
    content_->setGeometry(0, 0, qMax(fullWidth_, width()), height());
}
