#include "frm_lxxt.h"

#include "answer_pad.h"
#include "answer_panel.h"
#include "answer_rules.h"
#include "app_cursor.h"
#include "app_look.h"
#include "data_module.h"
#include "database.h"
#include "exam_point_lists.h"
#include "frm_bj.h"
#include "frm_dlg.h"
#include "globals.h"
#include "jet_text.h"
#include "open_window.h"
#include "picture_button.h"
#include "program_halt.h"
#include "releasable_group.h"
#include "rtf_widgets.h"
#include "shared_routines.h"
#include "sql_text.h"
#include "title_strip.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const char* const kStatusPictures[] = {"vorbup", "vorbdw",   "vorbyes",
                                       "vorbno", "vorbdw_r", "vorbdw_w"};

// Commands take no focus: the window's keys answer the question.
QPushButton* command(const QString& caption, const char* name, QWidget* parent) {
    QPushButton* b = makeCommandButton(caption, name, parent);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QString field(const Dataset& ds, const char* name) {
    return ds.field(QLatin1String(name)).asString();
}

// A small living mark beside the clock: a ring that breathes while the sitting runs.
class StudyMark : public QWidget {
  public:
    explicit StudyMark(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("decoration"));
        setFixedSize(34, 34);
        timer_.setInterval(80);
        connect(&timer_, &QTimer::timeout, this, [this]() {
            phase_ = (phase_ + 1) % 40;
            update();
        });
    }
    void start() { timer_.start(); }
    void stop() { timer_.stop(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal t = phase_ < 20 ? phase_ / 20.0 : (40 - phase_) / 20.0;
        p.setPen(QPen(QColor(0x14, 0xb8, 0xa6), 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(17, 17), 9 + 5 * t, 9 + 5 * t);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x0f, 0x76, 0x6e));
        p.drawEllipse(QPointF(17, 17), 6, 6);
    }

  private:
    QTimer timer_;
    int phase_ = 0;
};

}  // namespace

TFrmLxxt::TFrmLxxt(QWidget* parent) : FormWindow(parent) {
    setObjectName(QStringLiteral("FrmLxxt"));
    setWindowTitle(QStringLiteral("章节练习"));
    makeBorderless(this);
    for (const char* name : kStatusPictures) {
        const QPixmap picture = loadPicture(QString::fromLatin1(name));
        if (picture.isNull()) {
            ShowDialog(QStringLiteral("错误"), QStringLiteral("无法提取资源文件！"), 1, 2,
                       QStringLiteral("NO"));
            HaltProgram();
        }
        pictures_.insert(QString::fromLatin1(name), picture);
    }
    buildLayout();
    answerTimer_.setInterval(600);
    connect(&answerTimer_, &QTimer::timeout, this, &TFrmLxxt::answerTimerTick);
    connect(&clock_, &ElapsedClock::ticked, lblClock_, &QLabel::setText);
}

TFrmLxxt::~TFrmLxxt() = default;

QPixmap TFrmLxxt::loadPicture(const QString& name) const {
    return QPixmap(AppPath + QStringLiteral("pic/") + name + QStringLiteral(".bmp"));
}

Dataset& TFrmLxxt::tm() const {
    return DM1->Cn1Query_tm;
}

void TFrmLxxt::buildLayout() {
    // Top line: question number and occurrence, the red and the bold notice.
    lblQuestionNo_ = new QLabel(this);
    lblQuestionNo_->setObjectName(QStringLiteral("lblQuestionNo"));
    lblRedNotice_ = new QLabel(this);
    lblRedNotice_->setObjectName(QStringLiteral("lblRedNotice"));
    lblRedNotice_->setStyleSheet(QStringLiteral("color: #dc2626;"));
    lblBoldNotice_ = new QLabel(this);
    lblBoldNotice_->setObjectName(QStringLiteral("lblBoldNotice"));
    lblBoldNotice_->setStyleSheet(QStringLiteral("font-weight: 700; color: #b45309;"));
    auto* topLine = new QHBoxLayout;
    topLine->addWidget(lblQuestionNo_);
    topLine->addSpacing(16);
    topLine->addWidget(lblRedNotice_);
    topLine->addSpacing(16);
    topLine->addWidget(lblBoldNotice_);
    topLine->addStretch();

    auto* board = new QGroupBox(QStringLiteral("提示板"), this);
    board->setObjectName(QStringLiteral("grpNoticeBoard"));
    lblNoticeBoard_ = new QLabel(board);
    lblNoticeBoard_->setObjectName(QStringLiteral("lblNoticeBoard"));
    lblNoticeBoard_->setStyleSheet(QStringLiteral("color: #115e59; font-weight: 600;"));
    auto* boardLayout = new QHBoxLayout(board);
    boardLayout->setContentsMargins(10, 2, 10, 4);
    boardLayout->addWidget(lblNoticeBoard_);

    // The question area: text over text with a splitter; the answer panel slides over it.
    questionArea_ = new QWidget(this);
    questionArea_->setObjectName(QStringLiteral("questionArea"));
    splitter_ = new QSplitter(Qt::Vertical, questionArea_);
    splitter_->setObjectName(QStringLiteral("splitterQuestion"));
    splitter_->setChildrenCollapsible(true);
    upper_ = new QTextBrowser(splitter_);
    upper_->setObjectName(QStringLiteral("DBRichEdit1"));
    lower_ = new QTextBrowser(splitter_);
    lower_->setObjectName(QStringLiteral("DBRichEdit2"));
    for (QTextBrowser* view : {upper_, lower_}) {
        view->setReadOnly(true);
        view->setFocusPolicy(Qt::ClickFocus);
    }
    splitter_->addWidget(upper_);
    splitter_->addWidget(lower_);
    auto* areaLayout = new QVBoxLayout(questionArea_);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    areaLayout->addWidget(splitter_);
    panel_ = new AnswerPanel(questionArea_);
    panel_->setGeometry(0, 0, 0, 0);
    panel_->raise();

    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("gaugeAnswer"));
    gauge_->setOrientation(Qt::Vertical);
    gauge_->setRange(0, 100);
    gauge_->setTextVisible(false);
    gauge_->setFixedWidth(14);

    auto* centre = new QVBoxLayout;
    centre->addLayout(topLine);
    centre->addWidget(board);
    centre->addWidget(questionArea_, 1);

    // Right column.
    btnConfig_ = command(QStringLiteral("设置"), "btnConfig", this);
    btnDesktop_ = command(QStringLiteral("桌面"), "btnDesktop", this);
    auto* topButtons = new QHBoxLayout;
    topButtons->addWidget(btnConfig_);
    topButtons->addWidget(btnDesktop_);
    decoration_ = new StudyMark(this);
    auto* clockCaption = new QLabel(QStringLiteral("时钟"), this);
    lblClock_ = new QLabel(QStringLiteral("0:00:00"), this);
    lblClock_->setObjectName(QStringLiteral("lblClock"));
    lblClock_->setStyleSheet(QStringLiteral("font-size: 18px; font-weight: 700; color: #0f766e;"));
    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(decoration_);
    clockRow->addWidget(clockCaption);
    clockRow->addWidget(lblClock_);
    clockRow->addStretch();

    auto* typeBox = new QGroupBox(QStringLiteral("题型指示板"), this);
    typeBox->setObjectName(QStringLiteral("grpTypePad"));
    typePad_ = typeBox;
    typeGrid_ = new QGridLayout(typeBox);
    typeGrid_->setContentsMargins(6, 4, 6, 6);
    typeGrid_->setSpacing(4);

    auto* numberBox = new QGroupBox(QStringLiteral("题目指示板"), this);
    numberBox->setObjectName(QStringLiteral("grpNumberPad"));
    auto* numberGrid = new QGridLayout(numberBox);
    numberGrid_ = numberGrid;

    numberGrid->setContentsMargins(6, 4, 6, 6);
    numberGrid->setSpacing(3);
    numberGroup_ = new ReleasableGroup(this);
    numberGroup_->setReleasable(false);
    for (int i = 0; i < 20; ++i) {
        auto* b = new PictureButton(QString::number(i + 1), numberBox);
        b->setObjectName(QStringLiteral("btnNumber%1").arg(i + 1));
        b->setFixedSize(pictures_.value(QStringLiteral("vorbup")).size());
        setNumberPictures(b, QStringLiteral("vorbup"), QStringLiteral("vorbdw"));
        b->setEnabled(false);
        // Numbered down each column: five columns of four.
        numberGrid->addWidget(b, i % 4, i / 4);
        numberGroup_->addButton(b);
        numberButtons_ << b;
    }
    connect(numberGroup_, &ReleasableGroup::pressedChanged, this, [this](QAbstractButton* b) {
        if (auto* pb = qobject_cast<PictureButton*>(b))
            onNumberPressed(pb);
    });
    typeGroup_ = new ReleasableGroup(this);
    connect(typeGroup_, &ReleasableGroup::pressedChanged, this, [this](QAbstractButton* b) {
        if (auto* pb = qobject_cast<PictureButton*>(b))
            onTypePressed(pb);
    });

    lblGroups_ = new QLabel(this);
    lblGroups_->setObjectName(QStringLiteral("lblGroups"));
    lblGroup_ = new QLabel(this);
    lblGroup_->setObjectName(QStringLiteral("lblGroup"));
    btnPrevGroup_ = command(QStringLiteral("<-上一组"), "btnPrevGroup", this);
    btnNextGroup_ = command(QStringLiteral("下一组->"), "btnNextGroup", this);
    auto* groupButtons = new QHBoxLayout;
    groupButtons->addWidget(btnPrevGroup_);
    groupButtons->addWidget(btnNextGroup_);

    auto* right = new QVBoxLayout;
    rightColumn_ = right;
    right->addLayout(clockRow);
    right->addWidget(typeBox);
    right->addWidget(numberBox);
    auto* groupLabels = new QHBoxLayout;
    groupLabels->addWidget(lblGroups_);
    groupLabels->addStretch();
    groupLabels->addWidget(lblGroup_);
    right->addLayout(groupLabels);
    right->addLayout(groupButtons);
    right->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addWidget(gauge_);
    middle->addLayout(centre, 1);
    middle->addLayout(right);

    // Bottom: previous, the pad, next; then the commands.
    btnPrev_ = command(QStringLiteral("上一题"), "btnPrev", this);
    btnNext_ = command(QStringLiteral("下一题"), "btnNext", this);
    pad_ = new AnswerPad(this);
    auto* padRow = new QHBoxLayout;
    padRow->addWidget(btnPrev_);
    padRow->addWidget(pad_, 1);
    padRow->addWidget(btnNext_);

    btnDone_ = command(QStringLiteral("完成"), "btnDone", this);
    btnAnswer_ = command(QStringLiteral("答案"), "btnAnswer", this);
    btnNote_ = command(QStringLiteral("笔记"), "btnNote", this);
    btnExamPoints_ = command(QStringLiteral("考点"), "btnExamPoints", this);
    btnEdit_ = command(QStringLiteral("修改本题"), "btnEdit", this);
    btnVoid_ = command(QStringLiteral("题目作废"), "btnVoid", this);
    btnClose_ = command(QStringLiteral("关闭"), "btnClose", this);
    btnDone_->setProperty("accent", true);
    auto* commands = new QHBoxLayout;
    // 设置 and 桌面 sit at the left of the command row, so the pads have the right column.
    commands->addLayout(topButtons);
    commands->addStretch();
    for (QPushButton* b :
         {btnDone_, btnAnswer_, btnNote_, btnExamPoints_, btnEdit_, btnVoid_, btnClose_})
        commands->addWidget(b);

    QVBoxLayout* body = layOutWithTitleStrip(this, QStringLiteral("章节练习"), {10, 6, 10, 10});
    body->addLayout(middle, 1);
    body->addLayout(padRow);
    body->addLayout(commands);

    connect(btnPrev_, &QPushButton::clicked, this, &TFrmLxxt::PreviousQuestion);
    connect(btnNext_, &QPushButton::clicked, this, &TFrmLxxt::NextQuestion);
    connect(btnPrevGroup_, &QPushButton::clicked, this, &TFrmLxxt::PreviousGroup);
    connect(btnNextGroup_, &QPushButton::clicked, this, &TFrmLxxt::NextGroup);
    connect(btnDone_, &QPushButton::clicked, this, &TFrmLxxt::Commit);
    connect(btnAnswer_, &QPushButton::clicked, this, &TFrmLxxt::ToggleAnswerPanel);
    connect(btnNote_, &QPushButton::clicked, this, &TFrmLxxt::OpenNotes);
    connect(btnExamPoints_, &QPushButton::clicked, this, &TFrmLxxt::OpenExamPoints);
    connect(btnEdit_, &QPushButton::clicked, this, &TFrmLxxt::EditQuestion);
    connect(btnVoid_, &QPushButton::clicked, this, &TFrmLxxt::ToggleVoid);
    connect(btnClose_, &QPushButton::clicked, this, &QWidget::close);
    connect(btnDesktop_, &QPushButton::clicked, this, &TFrmLxxt::ShowDesktop);
    connect(btnConfig_, &QPushButton::clicked, this, [this]() {
        if (hooks_.settings) {
            ConfigMode = 0;
            runModal([this]() { hooks_.settings(this); });
        }
    });
}

void TFrmLxxt::applyScreenMode() {
    const bool compact = ScreenMode == QLatin1String("800");
    setFixedSize(compact ? QSize(780, 490) : QSize(923, 585));
    const QFont text = serifFont(compact ? 14 : 16);
    upper_->document()->setDefaultFont(text);
    lower_->document()->setDefaultFont(text);
    pad_->setCompact(compact);
    // The compact window is 490 high: the pads shrink so the right column fits.
    decoration_->setVisible(!compact);
    for (QGroupBox* box : findChildren<QGroupBox*>()) {
        box->setProperty("compact", compact);
        box->style()->unpolish(box);
        box->style()->polish(box);
    }
    for (QPushButton* b : {btnConfig_, btnDesktop_, btnPrevGroup_, btnNextGroup_})
        b->setProperty("compact", compact);

    rightColumn_->setSpacing(compact ? 2 : 6);
    for (PictureButton* b : typeButtons_)
        b->setFixedSize(compact ? QSize(74, 18) : QSize(84, 22));
    for (PictureButton* b : numberButtons_)
        b->setFixedSize(compact ? QSize(30, 19) : QSize(36, 24));

    for (QGridLayout* g : {typeGrid_, numberGrid_}) {
        g->setContentsMargins(compact ? 4 : 6, compact ? 2 : 4, compact ? 4 : 6, compact ? 3 : 6);
        g->setSpacing(compact ? 2 : 4);
    }
    const QFont padFont = sansFont(compact ? 11 : 13);
    for (PictureButton* b : typeButtons_ + numberButtons_)
        b->setFont(padFont);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TFrmLxxt::resizeEvent(QResizeEvent* event) {
    FormWindow::resizeEvent(event);
    layoutPanel();
}

void TFrmLxxt::layoutPanel() {
    panel_->setGeometry(0, 0, panel_->width(), questionArea_->height());
}

void TFrmLxxt::setNumberPictures(PictureButton* button, const QString& normal,
                                 const QString& pressed) {
    button->setPictures(pictures_.value(normal), pictures_.value(pressed));
    button->setPictureNames(normal, pressed);
}

void TFrmLxxt::setNumberNormal(int index, const QString& name) {
    if (index < 0 || index >= numberButtons_.size())
        return;
    numberButtons_[index]->setNormalPicture(pictures_.value(name));
    numberButtons_[index]->setPictureNames(name, {});
}

void TFrmLxxt::setNumberPressed(int index, const QString& name) {
    if (index < 0 || index >= numberButtons_.size())
        return;
    numberButtons_[index]->setPressedPicture(pictures_.value(name));
    numberButtons_[index]->setPictureNames({}, name);
}

int TFrmLxxt::pageShown() const {
    return pad_->page();
}

int TFrmLxxt::gaugeValue() const {
    return gauge_->value();
}

template <typename F>
void TFrmLxxt::runModal(F&& f) {
    // While another window is modal over this one, the answer timer only records that
    // time ran out; the notice waits until that window has closed.
    ++modalDepth_;
    struct Leave {
        TFrmLxxt* w;
        ~Leave() { --w->modalDepth_; }
    } leave{this};
    f();
    if (modalDepth_ == 1 && timeNoticePending_) {
        timeNoticePending_ = false;
        ShowDialog(QStringLiteral("提示"), QStringLiteral("到时间了"), 1, 1, QStringLiteral("NO"));
    }
}

bool TFrmLxxt::LoadQuestionSet() {
    Dataset& q = tm();
    q.close();
    q.setFilter(QString());
    q.execSql(QStringLiteral("Update tab_answ set E2_1= ''"));
    q.open(PracticeSql);
    if (q.isEmpty())
        return false;
    q.first();
    FirstQuestionId = field(q, "a1");

    typeUp_ = loadPicture(QStringLiteral("vorbtxup"));
    typeDown_ = loadPicture(QStringLiteral("vorbtxdw"));
    if (typeUp_.isNull() || typeDown_.isNull()) {
        ShowDialog(QStringLiteral("错误"), QStringLiteral("无法提取资源文件！"), 1, 2,
                   QStringLiteral("NO"));
        HaltProgram();
    }
    Dataset& tx = DM1->Cn1Table_tx;
    tx.openIfClosed();
    tx.setSort(QStringLiteral("A1 ASC"));
    tx.first();

    typeGroup_->clear();
    qDeleteAll(typeButtons_);
    typeButtons_.clear();
    auto addType = [this](int code, const QString& caption) {
        auto* b = new PictureButton(caption, typePad_);
        b->setObjectName(QStringLiteral("btnType%1").arg(code));
        b->setProperty("typeCode", code);
        b->setPictures(typeUp_, typeDown_);
        b->setFixedSize(typeUp_.size());
        const int index = static_cast<int>(typeButtons_.size());
        typeGrid_->addWidget(b, index / 2, index % 2);
        typeGroup_->addButton(b);
        typeButtons_ << b;
        return b;
    };
    addType(0, QStringLiteral("任意"));
    for (tx.first(); !tx.eof(); tx.next()) {
        const int code = static_cast<int>(tx.field(QStringLiteral("A1")).asInteger());
        PictureButton* b = addType(code, jetTrim(tx.field(QStringLiteral("B1")).asString()));
        q.setFilter(QStringLiteral("A13=") + QString::number(code));
        if (q.isEmpty())
            b->setEnabled(false);
    }
    // The pictures live on in the buttons.
    typeUp_ = QPixmap();
    typeDown_ = QPixmap();
    return true;
}

void TFrmLxxt::FormShow() {
    SetHourglassCursor();
    setGauge(0);
    applyScreenMode();
    btnExamPoints_->setVisible(true);
    DM1->cn1query_nr.open(QStringLiteral("select * from tab_exer where A1=") +
                          quoted(FirstQuestionId));
    splitter_->setSizes({1, 0});
    panel_->closeAtOnce();
    btnAnswer_->setText(QStringLiteral("答案"));
    lblNoticeBoard_->setText(CurrentChapterTitle);
    CurrentRecNo = 0;
    previousType_ = nullptr;
    if (!typeButtons_.isEmpty())
        typeGroup_->press(typeButtons_.first());
    clock_.start();
    SetNormalCursor();
    static_cast<StudyMark*>(decoration_)->start();
    btnExamPoints_->setEnabled(false);
    layoutPanel();
}

void TFrmLxxt::onTypePressed(PictureButton* button) {
    if (CurrentRecNo > 0) {
        SaveAnswer(CurrentRecNo, pageShown(), 2, 0, 0);
        CurrentRecNo = 0;
    }
    const int code = button->property("typeCode").toInt();
    const QString filter = code == 0 ? QString() : QStringLiteral("A13=") + QString::number(code);
    pad_->setSelfAssessmentLabel(code == 0 ? QString() : button->text());
    Dataset& q = tm();
    if (q.filter() != filter)
        q.setFilter(filter);
    if (q.isEmpty()) {
        button->setEnabled(false);
        PictureButton* previous = previousType_;
        if (previous != nullptr && previous != button && previous->isEnabled())
            typeGroup_->press(previous);
        else
            typeGroup_->release();
        return;
    }
    previousType_ = button;
    ShowGroup(QStringLiteral("1"), q.recordCount());
}

void TFrmLxxt::ShowGroup(const QString& mode, int n) {
    Dataset& q = tm();
    if (mode == QLatin1String("1")) {
        groups_ = n / 20 + (n % 20 != 0 ? 1 : 0);
        group_ = 1;
        btnPrevGroup_->setEnabled(false);
        btnNextGroup_->setEnabled(groups_ > 1);
        GroupFirst = 1;
        GroupCount = n < 20 ? n : 20;
    } else if (mode == QLatin1String("2")) {
        GroupFirst = group_ * 20 - 39;
        group_ -= 1;
        GroupCount = 20;
    } else {
        GroupFirst = group_ * 20 + 1;
        GroupCount = n < group_ * 20 + 20 ? n - group_ * 20 : 20;
        group_ += 1;
    }
    lblGroups_->setText(QStringLiteral("共 %1 组 %2 道题").arg(groups_).arg(n));
    lblGroup_->setText(QStringLiteral("第 %1 组").arg(group_));
    for (int i = 0; i < 20; ++i) {
        PictureButton* b = numberButtons_[i];
        if (i < GroupCount) {
            b->setEnabled(true);
            b->setProperty("recNo", GroupFirst + i);
            q.moveTo(GroupFirst + i);
            const QString given = field(q, "E2_1");
            if (given.isEmpty())
                setNumberPictures(b, QStringLiteral("vorbup"), QStringLiteral("vorbdw"));
            else if (given == field(q, "A2"))
                setNumberPictures(b, QStringLiteral("vorbyes"), QStringLiteral("vorbdw_r"));
            else
                setNumberPictures(b, QStringLiteral("vorbno"), QStringLiteral("vorbdw_w"));
        } else {
            b->setEnabled(false);
            b->setProperty("recNo", 0);
            setNumberPictures(b, QStringLiteral("vorbup"), QStringLiteral("vorbdw"));
        }
    }
    // Release and press the first button so that a change is always signalled.
    numberGroup_->release();
    numberGroup_->press(numberButtons_.first());
}

void TFrmLxxt::onNumberPressed(PictureButton* button) {
    const int t = button->property("recNo").toInt();
    if (t <= 0)
        return;
    lblBoldNotice_->clear();
    if (btnAnswer_->text() == QStringLiteral("返回")) {
        btnAnswer_->setText(QStringLiteral("答案"));
        panel_->closeAtOnce();
    }
    btnPrev_->setEnabled(t > 1);
    btnNext_->setEnabled(t < tm().recordCount());
    ShowQuestion(t);
    Dataset& q = tm();
    lblRedNotice_->clear();
    btnVoid_->setText(QStringLiteral("题目作废"));
    const qint64 f1 = q.field(QStringLiteral("f1")).asInteger();
    if (f1 == 1) {
        lblRedNotice_->setText(QStringLiteral("本题已被您作废！"));
        btnVoid_->setText(QStringLiteral("取消作废"));
    } else if (f1 == 2) {
        lblRedNotice_->setText(QStringLiteral("本题是您加入的题目！"));
    }
    if (q.field(QStringLiteral("ecount")).asInteger() != 0)
        lblBoldNotice_->setText(QStringLiteral("本题被您修改过"));
}

void TFrmLxxt::ShowQuestion(int t) {
    SaveAnswer(CurrentRecNo, pageShown(), 0, GroupFirst, GroupFirst + GroupCount - 1);
    CurrentRecNo = t;
    Dataset& q = tm();
    q.moveTo(t);
    const QString id = field(q, "a1");
    DM1->cn1query_nr.open(QStringLiteral("select * from tab_exer where a1 =") + quoted(id));
    const qint64 e3 = q.field(QStringLiteral("E3")).asInteger();
    const qint64 occurrence = e3 >= 1 ? e3 + 1 : 1;
    lblQuestionNo_->setText(
        QStringLiteral("第 %1 题（第 %2 次出现）").arg(t - GroupFirst + 1).arg(occurrence));
    const int typeCode = static_cast<int>(q.field(QStringLiteral("A13")).asInteger());
    pad_->setPage(AnswerPageOfType(typeCode));
    ShowAnswerControls(pageShown());
    ShowQuestionText(id);
    const int position = t % 20 == 0 ? 20 : t % 20;
    const QString given = field(q, "E2_1");
    setNumberPressed(position - 1, given.isEmpty()           ? QStringLiteral("vorbdw")
                                   : given == field(q, "A2") ? QStringLiteral("vorbdw_r")
                                                             : QStringLiteral("vorbdw_w"));
    startAnswerTimer(typeCode);
}

void TFrmLxxt::startAnswerTimer(int typeCode) {
    int interval = 600;
    for (int i = 0; i < AnswerTimeTypes.size() && i < AnswerTimes.size(); ++i) {
        if (AnswerTimeTypes[i] == typeCode) {
            interval = AnswerTimes[i];
            break;
        }
    }
    answerTimer_.setInterval(interval > 0 ? interval : 600);
    setGauge(0);
    answerTimer_.start();
}

void TFrmLxxt::setGauge(int value) {
    gaugeSteps_ = value;
    gauge_->setValue(value);
    const bool late = value > 65;
    if (gauge_->property("late").toBool() != late) {
        gauge_->setProperty("late", late);
        gauge_->style()->unpolish(gauge_);
        gauge_->style()->polish(gauge_);
    }
}

void TFrmLxxt::answerTimerTick() {
    if (gaugeSteps_ < 100) {
        setGauge(gaugeSteps_ + 1);
        return;
    }
    answerTimer_.stop();
    // Time ran out: marked at once; the notice waits for a window open over this one.
    Dataset& q = tm();
    if (q.isOpen() && q.recNo() > 0) {
        q.setField(QStringLiteral("csbs"), QStringLiteral("Y"));
        q.post();
    }
    if (modalDepth_ > 0)
        timeNoticePending_ = true;
    else
        showTimeNotice();
}

void TFrmLxxt::showTimeNotice() {
    runModal([]() {
        ShowDialog(QStringLiteral("提示"), QStringLiteral("到时间了"), 1, 1, QStringLiteral("NO"));
    });
}

void TFrmLxxt::ShowQuestionText(const QString& id) {
    try {
        const QByteArray own = DM1->cn1query_nr.isEmpty()
                                   ? QByteArray()
                                   : DM1->cn1query_nr.field(QStringLiteral("A15")).asBytes();
        if (id.contains(QLatin1Char('-'))) {
            const QList<int> sizes = splitter_->sizes();
            if (sizes.size() < 2 || sizes.at(1) == 0) {
                const int total = std::max(splitter_->height(), 300);
                splitter_->setHandleWidth(6);
                splitter_->setSizes({total - 150, 150});
            }
            DM1->Cn1Query2.open(QStringLiteral("select * from tab_title where A1=:A1"),
                                {id.left(16)});
            const QByteArray stem = DM1->Cn1Query2.isEmpty()
                                        ? QByteArray()
                                        : DM1->Cn1Query2.field(QStringLiteral("A15")).asBytes();
            showRtf(upper_, stem);
            showRtf(lower_, own);
        } else {
            splitter_->setSizes({1, 0});
            showRtf(upper_, own);
            lower_->clear();
        }
    } catch (const std::exception&) {
        runModal([]() {
            ShowDialog(QStringLiteral("错误"), QStringLiteral("无法打开试题！"), 1, 2,
                       QStringLiteral("NO"));
        });
    }
}

void TFrmLxxt::ShowAnswerControls(int page) {
    Dataset& q = tm();
    const QString given = field(q, "E2_1");
    const int typeCode = static_cast<int>(q.field(QStringLiteral("A13")).asInteger());
    if (!given.isEmpty()) {
        btnExamPoints_->setEnabled(!jetTrim(field(q, "k3")).isEmpty());
        btnAnswer_->setEnabled(!isNoAnswerType(typeCode));
    } else {
        btnExamPoints_->setEnabled(false);
        btnAnswer_->setEnabled(false);
    }
    btnNote_->setText(jetTrim(field(q, "A14")).isEmpty() ? QStringLiteral("笔记")
                                                         : QStringLiteral("有内容"));
    Q_UNUSED(page);
    pad_->restore(given, static_cast<int>(q.field(QStringLiteral("A2_1")).asInteger()));
}

void TFrmLxxt::SaveAnswer(int r, int page, int mode, int first, int last) {
    Q_UNUSED(page);
    if (r <= 0)
        return;
    Dataset& q = tm();
    q.moveTo(r);
    const QString correct = field(q, "A2");
    const QString answer = pad_->answerText();
    if (answer.isEmpty()) {
        q.setField(QStringLiteral("E2_1"), QString());
        q.post();
        if (mode == 1)
            runModal([]() {
                ShowDialog(QStringLiteral("提示"), QStringLiteral("请先做出答案！"), 1, 1,
                           QStringLiteral("NO"));
            });
        else if (mode == 0 && first <= r && r <= last)
            setNumberNormal(r - first, QStringLiteral("vorbup"));
        return;
    }

    // One recorded answer is one transaction: the question's row, the day's log, the
    // chapter and exam-point counters are all stored, or none of them.
    const QString today = DM1->today();
    {
        Transaction tx(DM1->ADOCn1);
        try {
            q.edit();
            if (field(q, "E2_1") != answer) {
                const QString stored = field(q, "E2");
                const bool right = answerIsRight(answer, correct);
                const int firstToday = field(q, "E1").left(10) != today ? 2 : 1;
                const int wrong = right ? 1 : 2;
                const int prevWrong = stored != correct ? 2 : 1;
                const int firstEver = stored.isEmpty() ? 2 : 1;
                const int e4 = static_cast<int>(q.field(QStringLiteral("E4")).asInteger());
                q.setField(QStringLiteral("E4"), nextWrongScore(!stored.isEmpty(), e4, right));
                q.setField(QStringLiteral("E3"), q.field(QStringLiteral("E3")).asInteger() + 1);
                DM1->RecordDailyAnswer(firstToday, wrong, prevWrong);
                DM1->RecordChapterAnswer(field(q, "A10"), firstEver, wrong);
                QStringList points;
                for (int k = 3; k <= 12; ++k)
                    points << q.field(QStringLiteral("k%1").arg(k)).asString();
                const ExamPointLists lists = buildExamPointLists(points);
                if (!lists.isEmpty())
                    DM1->RecordExamPointAnswer(lists.ruleIds, lists.catalogIds6, lists.catalogIds2,
                                               firstEver, wrong);
            }
            q.setField(QStringLiteral("E2_1"), answer);
            q.setField(QStringLiteral("E2"), answer);
            q.setField(QStringLiteral("E1"), today);
            q.post();
            tx.commit();
        } catch (...) {
            q.cancel();
            tx.rollback();
            // Memory holds what the table holds again; so does the pad.
            ShowAnswerControls(pageShown());
            throw;
        }
    }

    const int typeCode = static_cast<int>(q.field(QStringLiteral("A13")).asInteger());
    const bool right = field(q, "E2_1") == correct;
    if (mode == 1) {
        btnExamPoints_->setEnabled(!jetTrim(field(q, "k3")).isEmpty());
        const int position = r % 20 == 0 ? 20 : r % 20;
        setNumberPressed(position - 1,
                         right ? QStringLiteral("vorbdw_r") : QStringLiteral("vorbdw_w"));
        btnAnswer_->setEnabled(!isNoAnswerType(typeCode));
    } else if (mode == 0 && first <= r && r <= last) {
        setNumberNormal(r - first, right ? QStringLiteral("vorbyes") : QStringLiteral("vorbno"));
    }
}

void TFrmLxxt::PreviousQuestion() {
    Dataset& q = tm();
    const int r = q.recNo();
    const int g = group_;
    if (r - 1 >= GroupFirst) {
        numberGroup_->press(numberButtons_[(r - 1) - (g - 1) * 20 - 1]);
    } else if (g >= 2) {
        btnNextGroup_->setEnabled(true);
        if (g < 3)
            btnPrevGroup_->setEnabled(false);
        ShowGroup(QStringLiteral("2"), q.recordCount());
    }
}

void TFrmLxxt::NextQuestion() {
    Dataset& q = tm();
    const int r = q.recNo();
    const int g = group_;
    if (GroupFirst + GroupCount - 1 >= r + 1) {
        numberGroup_->press(numberButtons_[(r + 1) - (g - 1) * 20 - 1]);
    } else if (g < groups_) {
        btnPrevGroup_->setEnabled(true);
        if (groups_ - g < 2)
            btnNextGroup_->setEnabled(false);
        ShowGroup(QStringLiteral("3"), q.recordCount());
    }
}

void TFrmLxxt::PreviousGroup() {
    btnNextGroup_->setEnabled(true);
    if (group_ <= 2)
        btnPrevGroup_->setEnabled(false);
    ShowGroup(QStringLiteral("2"), tm().recordCount());
}

void TFrmLxxt::NextGroup() {
    btnPrevGroup_->setEnabled(true);
    if (groups_ - group_ <= 1)
        btnNextGroup_->setEnabled(false);
    ShowGroup(QStringLiteral("3"), tm().recordCount());
}

void TFrmLxxt::Commit() {
    const int r = tm().recNo();
    if (r >= 1)
        SaveAnswer(r, pageShown(), 1, GroupFirst, GroupFirst + GroupCount - 1);
}

void TFrmLxxt::ToggleAnswerPanel() {
    if (panel_->isSliding())
        return;
    if (btnAnswer_->text() == QStringLiteral("答案")) {
        // The verdict reads the pad exactly as recording does, so both always agree.
        const int page = pageShown();
        const QString yours = pad_->answerText();
        const QString correct = field(tm(), "A2");
        panel_->setAnswers(displayAnswer(page, yours), displayAnswer(page, correct),
                           answerIsRight(yours, correct));
        btnAnswer_->setText(QStringLiteral("返回"));
    } else {
        btnAnswer_->setText(QStringLiteral("答案"));
    }
    layoutPanel();
    panel_->toggle(questionArea_->width());
}

void TFrmLxxt::ToggleVoid() {
    Dataset& q = tm();
    if (q.isEmpty())
        return;
    if (btnVoid_->text() == QStringLiteral("题目作废")) {
        q.setField(QStringLiteral("f1"), 1);
        q.setField(QStringLiteral("e2"), QStringLiteral("zero"));
        q.post();
        lblRedNotice_->setText(QStringLiteral("本题已被您作废！"));
        btnVoid_->setText(QStringLiteral("取消作废"));
    } else {
        // A question the user entered stays marked as the user's own.
        const bool own = field(q, "a1").startsWith(QLatin1String("US"), Qt::CaseInsensitive);
        q.setField(QStringLiteral("f1"), own ? 2 : 0);
        q.post();
        lblRedNotice_->setText(QStringLiteral("本题曾被作废，现已被您取消！"));
        btnVoid_->setText(QStringLiteral("题目作废"));
    }
}

void TFrmLxxt::OpenNotes() {
    Dataset& q = tm();
    if (!q.isOpen() || q.recNo() <= 0)
        return;
    runModal([&q]() {
        openModal(FrmBj, [&q](TFrmBj& w) {
            if (auto* context = w.findChild<QLabel*>(QStringLiteral("lblContext")))
                context->setText(QStringLiteral("lx"));
            w.BindNote(q, QStringLiteral("A14"));
        });
    });
    btnNote_->setText(NoteHasText ? QStringLiteral("有内容") : QStringLiteral("笔记"));
}

void TFrmLxxt::OpenExamPoints() {
    if (!hooks_.examPoints || tm().recNo() <= 0)
        return;
    const QString id = field(tm(), "a1");
    runModal([this, &id]() { hooks_.examPoints(id); });
    if (!isVisible())
        show();
}

void TFrmLxxt::EditQuestion() {
    if (tm().recNo() <= 0)
        return;
    EditQuestionId = field(tm(), "a1");
    answerTimer_.stop();
    if (hooks_.editQuestion)
        runModal([this]() { hooks_.editQuestion(); });
}

void TFrmLxxt::ShowDesktop() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            w->showMinimized();
    }
}

void TFrmLxxt::keyPressEvent(QKeyEvent* event) {
    const int page = pageShown();
    if (page == SingleChoicePage || page == MultipleChoicePage) {
        switch (event->key()) {
            case Qt::Key_Backspace:
                if (btnPrev_->isEnabled())
                    PreviousQuestion();
                event->accept();
                return;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (btnNext_->isEnabled())
                    NextQuestion();
                event->accept();
                return;
            default:
                if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_F &&
                    event->modifiers() == Qt::NoModifier && pad_->handleKey(event->key())) {
                    event->accept();
                    return;
                }
        }
    }
    FormWindow::keyPressEvent(event);
}

void TFrmLxxt::FormClose() {
    SetHourglassCursor();
    clock_.pause();
    answerTimer_.stop();
    static_cast<StudyMark*>(decoration_)->stop();
    const QString elapsed = clock_.text();
    std::exception_ptr failure;
    try {
        if (tm().isOpen() && tm().recNo() > 0)
            SaveAnswer(tm().recNo(), pageShown(), 2, 0, 0);
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        DM1->AddStudyTime(elapsed);
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
    DM1->Cn1Query1.close();
    DM1->Cn1Query2.close();
    DM1->Cn1Query_tm.close();
    DM1->Cn1Table_cj.close();
    DM1->Cn1Table_tx.close();
    pictures_.clear();
    SetNormalCursor();
    if (failure)
        std::rethrow_exception(failure);
}
