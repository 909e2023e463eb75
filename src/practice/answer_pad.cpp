#include "answer_pad.h"

#include "app_look.h"
#include "jet_text.h"
#include "releasable_group.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStackedWidget>

namespace {

constexpr int kButtonWidth = 36;
constexpr int kButtonHeight = 30;

QString letter(int index) {
    return QString(QChar(u'A' + index));
}

// Two or three characters of a caption, one above the other.
QString stacked(const QString& text) {
    QStringList lines;
    for (const QChar c : text)
        lines << QString(c);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

AnswerPad::AnswerPad(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AnswerPad"));
    stack_ = new QStackedWidget(this);
    stack_->setObjectName(QStringLiteral("padPages"));
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(stack_);

    singleGroup_ = new ReleasableGroup(this);
    connect(singleGroup_, &ReleasableGroup::pressedChanged, this, &AnswerPad::userChanged);
    trueFalseGroup_ = new ReleasableGroup(this);
    connect(trueFalseGroup_, &ReleasableGroup::pressedChanged, this, &AnswerPad::userChanged);

    makePage(QStringLiteral("单选"),
             makeOptionRow(QStringLiteral("padSingle"), single_, singleGroup_));
    makePage(QStringLiteral("多选"), makeOptionRow(QStringLiteral("padMulti"), multi_, nullptr));

    fillIn_ = new QLineEdit;
    fillIn_->setObjectName(QStringLiteral("padFillIn"));
    fillIn_->setFixedHeight(kButtonHeight);
    connect(fillIn_, &QLineEdit::textEdited, this, &AnswerPad::userChanged);
    makePage(QStringLiteral("填空"), fillIn_);

    auto* trueFalse = new QWidget;
    auto* tfLayout = new QHBoxLayout(trueFalse);
    tfLayout->setContentsMargins(0, 0, 0, 0);
    true_ = makePadButton(QStringLiteral("对"), QStringLiteral("padTrue"));
    false_ = makePadButton(QStringLiteral("错"), QStringLiteral("padFalse"));
    for (QPushButton* b : {true_, false_}) {
        // A Chinese glyph needs more size than a letter to read, and room beside the padding.
        b->setFont(sansFont(15));
        b->setFixedWidth(48);
        trueFalseGroup_->addButton(b);
        tfLayout->addWidget(b);
    }
    makePage(QStringLiteral("判断"), trueFalse);

    selfAssessment_ = new QComboBox;
    selfAssessment_->setObjectName(QStringLiteral("padSelfAssessment"));
    selfAssessment_->addItems({QStringLiteral("不会"), QStringLiteral("会")});
    selfAssessment_->setCurrentIndex(-1);
    selfAssessment_->setFixedHeight(kButtonHeight);
    selfAssessment_->setMinimumWidth(96);
    connect(selfAssessment_, &QComboBox::activated, this, &AnswerPad::userChanged);
    makePage(QStringLiteral("主观"), selfAssessment_);

    makePage(QStringLiteral("不定项"), makeOptionRow(QStringLiteral("padMatch"), match_, nullptr));

    applyLayoutMetrics();
    setPage(SelfAssessedPage);
}

QWidget* AnswerPad::makePage(const QString& sideText, QWidget* control) {
    const int index = stack_->count();
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("padPage%1").arg(index));
    auto* layout = new QHBoxLayout(page);
    auto* side = new QLabel(stacked(sideText));
    side->setObjectName(QStringLiteral("padSideLabel%1").arg(index));
    side->setAlignment(Qt::AlignCenter);
    side->setFont(sansFont(12, true));
    // The side label is the pad's one accent: the teal of the title strips.
    side->setStyleSheet(QStringLiteral("background: #0f766e; color: #ffffff; border-radius: 6px;"));
    layout->addWidget(side);
    layout->addWidget(control, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    sideLabels_[index] = side;
    pageLayouts_[index] = layout;
    stack_->addWidget(page);
    return page;
}

QWidget* AnswerPad::makeOptionRow(const QString& namePrefix, OptionRow& row,
                                  ReleasableGroup* group) {
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kMaxOptions; ++i) {
        row[i] = makePadButton(letter(i), namePrefix + letter(i));
        if (group != nullptr) {
            group->addButton(row[i]);
        } else {
            row[i]->setCheckable(true);
            connect(row[i], &QPushButton::clicked, this, &AnswerPad::userChanged);
        }
        layout->addWidget(row[i]);
    }
    return holder;
}

QPushButton* AnswerPad::makePadButton(const QString& caption, const QString& name) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setFixedSize(kButtonWidth, kButtonHeight);
    // Focus stays on the window, whose keys answer; Enter must never click an option.
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

void AnswerPad::applyLayoutMetrics() {
    const int spacing = compact_ ? 4 : 6;
    setFixedHeight(compact_ ? 52 : 60);
    for (int i = 0; i < kPageCount; ++i) {
        pageLayouts_[i]->setContentsMargins(0, 2, 4, 2);
        pageLayouts_[i]->setSpacing(compact_ ? 8 : 12);
        sideLabels_[i]->setFixedWidth(compact_ ? 24 : 28);
    }
    for (const OptionRow* row : {&single_, &multi_, &match_})
        row->front()->parentWidget()->layout()->setSpacing(spacing);
    true_->parentWidget()->layout()->setSpacing(spacing);
    fillIn_->setFixedWidth(compact_ ? 300 : 420);
}

void AnswerPad::setCompact(bool compact) {
    compact_ = compact;
    applyLayoutMetrics();
}

int AnswerPad::page() const {
    return stack_->currentIndex();
}

void AnswerPad::setPage(int page) {
    if (page < 0 || page >= kPageCount)
        return;
    stack_->setCurrentIndex(page);
    setToolTip(hintOf(page));
}

void AnswerPad::setOptionCount(int count) {
    const QScopedValueRollback quiet(quiet_, true);
    optionCount_ = qBound(0, count, kMaxOptions);
    for (const OptionRow* row : {&single_, &multi_, &match_}) {
        for (int i = 0; i < kMaxOptions; ++i) {
            QPushButton* b = (*row)[i];
            const bool shown = i < optionCount_;
            b->setVisible(shown);
            if (shown)
                continue;
            if (singleGroup_->pressed() == b)
                singleGroup_->release();
            b->setChecked(false);
        }
    }
}

QLabel* AnswerPad::sideLabel(int page) const {
    return page >= 0 && page < kPageCount ? sideLabels_[page] : nullptr;
}

QPushButton* AnswerPad::optionButton(int page, int index) const {
    if (index < 0 || index >= kMaxOptions)
        return nullptr;
    switch (page) {
        case SingleChoicePage:
            return single_[index];
        case MultipleChoicePage:
            return multi_[index];
        case MatchingPage:
            return match_[index];
        default:
            return nullptr;
    }
}

QString AnswerPad::pressedLetters(const OptionRow& row) const {
    QString letters;
    for (int i = 0; i < optionCount_; ++i) {
        if (row[i]->isChecked())
            letters += letter(i);
    }
    return letters;
}

void AnswerPad::pressLetters(const OptionRow& row, const QString& stored) {
    for (int i = 0; i < optionCount_; ++i)
        row[i]->setChecked(stored.contains(letter(i)));
}

QString AnswerPad::answerText() const {
    switch (page()) {
        case SingleChoicePage: {
            const auto* pressed = singleGroup_->pressed();
            for (int i = 0; i < optionCount_; ++i) {
                if (single_[i] == pressed)
                    return single_[i]->text();
            }
            return {};
        }
        case MultipleChoicePage:
            return pressedLetters(multi_);
        case MatchingPage:
            return pressedLetters(match_);
        case FillInPage:
            return jetTrim(fillIn_->text());
        case TrueFalsePage:
            if (true_->isChecked())
                return QStringLiteral("A");
            if (false_->isChecked())
                return QStringLiteral("B");
            return {};
        case SelfAssessedPage: {
            const int index = selfAssessment_->currentIndex();
            return index < 0 ? QString() : QString::number(index);
        }
        default:
            return {};
    }
}

void AnswerPad::restore(const QString& stored, int optionCount) {
    setOptionCount(optionCount);
    const QScopedValueRollback quiet(quiet_, true);
    switch (page()) {
        case SingleChoicePage: {
            QPushButton* match = nullptr;
            for (int i = 0; i < optionCount_; ++i) {
                if (single_[i]->text() == stored)
                    match = single_[i];
            }
            if (match != nullptr)
                singleGroup_->press(match);
            else
                singleGroup_->release();
            break;
        }
        case MultipleChoicePage:
            pressLetters(multi_, stored);
            break;
        case MatchingPage:
            pressLetters(match_, stored);
            break;
        case FillInPage:
            fillIn_->setText(stored);
            break;
        case TrueFalsePage:
            if (stored == QLatin1String("A"))
                trueFalseGroup_->press(true_);
            else if (stored == QLatin1String("B"))
                trueFalseGroup_->press(false_);
            else
                trueFalseGroup_->release();
            break;
        case SelfAssessedPage: {
            selfAssessment_->setCurrentIndex(-1);
            for (int i = 0; i < selfAssessment_->count(); ++i) {
                if (QString::number(i) == stored)
                    selfAssessment_->setCurrentIndex(i);
            }
            break;
        }
        default:
            break;
    }
}

void AnswerPad::setSelfAssessmentLabel(const QString& caption) {
    const QString text = caption.isEmpty() ? QStringLiteral("主观") : caption.left(2);
    sideLabels_[SelfAssessedPage]->setText(stacked(text));
}

bool AnswerPad::handleKey(int key) {
    if (key < Qt::Key_A || key > Qt::Key_F)
        return false;
    const int index = key - Qt::Key_A;
    if (index >= optionCount_)
        return false;
    switch (page()) {
        case SingleChoicePage:
            singleGroup_->press(single_[index]);
            return true;
        case MultipleChoicePage:
            multi_[index]->toggle();
            userChanged();
            return true;
        default:
            return false;
    }
}

QString AnswerPad::hintOf(int page) {
    switch (page) {
        case SingleChoicePage:
            return QStringLiteral("选择一个选项作为正确答案");
        case MultipleChoicePage:
            return QStringLiteral("选择两个或者多个选项作为正确答案");
        case FillInPage:
            return QStringLiteral("填写正确答案，答案间用“,”隔开");
        case TrueFalsePage:
            return QStringLiteral("根据判断选择“正确”或者“错误”");
        case SelfAssessedPage:
            return QStringLiteral("根据自己实际情况选择“会”或者“不会”");
        case MatchingPage:
            return QStringLiteral("选择若干个选项作为正确答案");
        default:
            return {};
    }
}

QString AnswerPad::hint() const {
    return hintOf(page());
}

void AnswerPad::userChanged() {
    if (!quiet_)
        emit answerChanged();
}
