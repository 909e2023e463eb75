#include "frm_start.h"

#include "app_cursor.h"
#include "data_module.h"
#include "exit_check.h"
#include "globals.h"
#include "main_menu.h"
#include "message_box.h"
#include "start_checks.h"
#include "time_text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

TFrmStart::TFrmStart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmStart"));
    setWindowTitle(QStringLiteral("Lorvane"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("#FrmStart { background: #ffffff; }"));

    if (!IsNormalDpi()) {
        SystemMessageBox(QStringLiteral("提示"),
                         QStringLiteral("推荐您在小字体下使用本软件，请在设置后重新运行！"),
                         QMessageBox::Warning);
        terminated_ = true;
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen != nullptr ? screen->size() : QSize(1024, 768);
    ScreenMode = ScreenModeFor(size);
    resize(ScreenMode == QLatin1String("800") ? QSize(800, 600) : QSize(1024, 768));

    menu_ = new MainMenu(this);
    menu_->setScreenMode(ScreenMode);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(menu_);
    connect(menu_, &MainMenu::command, this, &TFrmStart::ShockwaveFlash1FSCommand);
}

void TFrmStart::setWindowOpener(CommandWindow window, WindowOpener opener) {
    openers_[window] = std::move(opener);
}

void TFrmStart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TFrmStart::FormShow() {
    if (const QScreen* s = screen())
        setGeometry(s->geometry());
    MusicOn = true;
    SetWaveVolume(VolumeLevel);
    if (ExamType == 0)
        ExamType = 1;
    loadAnswerTimes();
    refreshMenuInfo();
}

void TFrmStart::loadAnswerTimes() {
    Dataset& q = DM1->Cn1Query1;
    q.open(QStringLiteral("select * from tab_tx") + QString::number(ExamType));
    if (q.isEmpty())
        return;
    AnswerTimes.resize(q.recordCount());
    AnswerTimeTypes.resize(q.recordCount());
    int i = 0;
    for (q.first(); !q.eof(); q.next(), ++i) {
        // Round to nearest, half to even.
        AnswerTimes[i] =
            static_cast<int>(std::nearbyint(q.field(QStringLiteral("time")).asFloat() * 600.0));
        AnswerTimeTypes[i] = static_cast<int>(q.field(QStringLiteral("A1")).asInteger());
    }
    q.close();
}

void TFrmStart::refreshMenuInfo() {
    if (DM1 == nullptr || !DM1->ADOCn1.isOpen())
        return;
    try {
        Dataset& q = DM1->Cn1Query1;
        q.open(QStringLiteral("SELECT PlanMark, PlanAmount, PlanTime, ExamDate FROM tab_plan"));
        const int mark = static_cast<int>(q.field(QStringLiteral("PlanMark")).asInteger());
        const qint64 amount = q.field(QStringLiteral("PlanAmount")).asInteger();
        const qint64 minutes = q.field(QStringLiteral("PlanTime")).asInteger();
        const QDate date = QDate::fromString(
            q.field(QStringLiteral("ExamDate")).asString().left(10), QStringLiteral("yyyy-MM-dd"));
        q.open(QStringLiteral("SELECT A2, D1 FROM tab_rz WHERE A1=?"), {DM1->today()});
        const qint64 answers = q.isEmpty() ? 0 : q.field(QStringLiteral("A2")).asInteger();
        const QString time = q.isEmpty() ? QString() : q.field(QStringLiteral("D1")).asString();
        q.close();
        const QDate today = QDate::fromString(DM1->today(), QStringLiteral("yyyy-MM-dd"));
        if (date.isValid()) {
            const qint64 days = today.daysTo(date);
            const QString day = date.toString(QStringLiteral("yyyy年M月d日"));
            menu_->setCountdown(
                days >= 0 ? QStringLiteral("距考试还有<br><span style='font-size:30px; "
                                           "font-weight:700;'>%1</span> 天"
                                           "<br><span style='font-size:12px;'>%2</span>")
                                .arg(days)
                                .arg(day)
                          : QStringLiteral("考试日期 %1 已过<br>可在学习计划中重新设置").arg(day));
        } else {
            menu_->setCountdown(QString());
        }
        if (mark == 1) {
            menu_->setPlanProgress(QStringLiteral("今日计划学习 %1 分钟，已学 %2 分钟")
                                       .arg(minutes)
                                       .arg(TimeTextToSeconds(time) / 60));
        } else {
            menu_->setPlanProgress(
                QStringLiteral("今日计划做题 %1 道，已做 %2 道").arg(amount).arg(answers));
        }
    } catch (const std::exception&) {
        // The menu's small read-outs never stand in the way of the menu itself.
        menu_->setCountdown(QString());
        menu_->setPlanProgress(QString());
    }
}

void TFrmStart::ShockwaveFlash1FSCommand(const QString& command, const QString& arguments) {
    Q_UNUSED(arguments);
    const CommandAction action = commandFor(command);
    switch (action.kind) {
        case CommandAction::Kind::Nothing:
            return;
        case CommandAction::Kind::Window: {
            if (action.practiceBook > 0)
                PracticeBook = action.practiceBook;
            if (action.configMode >= 0)
                ConfigMode = action.configMode;
            const auto opener = openers_.find(action.window);
            if (opener == openers_.end())
                return;
            // The hourglass until the window shows; the normal cursor afterwards, also when
            // an error escapes from the window (it is then shown by the application).
            struct NormalCursorAfterwards {
                ~NormalCursorAfterwards() { SetNormalCursor(); }
            } normalCursor;
            if (action.hourglass)
                SetHourglassCursor();
            opener->second(command);
            break;
        }
        case CommandAction::Kind::Page:
            OpenShellDocument(AppPath + action.page);
            return;
        case CommandAction::Kind::Quit:
            exitCheck();
            return;
        case CommandAction::Kind::MockExam:
            mnks(action.examType);
            break;
    }
    refreshMenuInfo();
}

void TFrmStart::mnks(int examType) {
    if (examStarter_)
        examStarter_(examType);
    ExamType = examType;
}

void TFrmStart::exitCheck() {
    int planMark = 0;
    int planAmount = 0;
    int planTime = 0;
    int answers = 0;
    int minutes = 0;
    try {
        Dataset& plan = DM1->Cn1Table_plan;
        plan.openIfClosed();
        plan.first();
        planMark = static_cast<int>(plan.field(QStringLiteral("PlanMark")).asInteger());
        planAmount = static_cast<int>(plan.field(QStringLiteral("PlanAmount")).asInteger());
        planTime = static_cast<int>(plan.field(QStringLiteral("PlanTime")).asInteger());
        Dataset& rz = DM1->Cn1Table_rz;
        if (rz.isOpen())
            rz.requery();
        else
            rz.open();
        if (rz.locate(QStringLiteral("A1"), DM1->today())) {
            answers = static_cast<int>(rz.field(QStringLiteral("A2")).asInteger());
            minutes =
                static_cast<int>(TimeTextToSeconds(rz.field(QStringLiteral("D1")).asString()) / 60);
        }
    } catch (const std::exception& e) {
        // A damaged plan or log must never keep the user from leaving.
        SystemMessageBox(QStringLiteral("错误"), QString::fromUtf8(e.what()),
                         QMessageBox::Critical);
        close();
        return;
    }
    switch (planVerdict(planMark, planAmount, planTime, answers, minutes)) {
        case PlanVerdict::Less:
            if (SystemMessageBox(QStringLiteral("提示"),
                                 QStringLiteral("还未完成今日学习计划，要退出吗？"),
                                 QMessageBox::Question,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok)
                close();
            return;
        case PlanVerdict::Equal:
            SystemMessageBox(QStringLiteral("提示"), QStringLiteral("恭喜完成今日学习计划！"),
                             QMessageBox::Information);
            close();
            return;
        case PlanVerdict::More:
            SystemMessageBox(QStringLiteral("提示"),
                             QStringLiteral("超额完成学习计划，要注意休息呦！"),
                             QMessageBox::Information);
            close();
            return;
        case PlanVerdict::NoPlan:
            close();
            return;
    }
}

void TFrmStart::closeEvent(QCloseEvent* event) {
    MidiMediaPlayer.stop();
    if (DM1 != nullptr) {
        // Errors while closing are of no consequence any more.
        DM1->Cn1Table_plan.close();
        DM1->Cn1Table_rz.close();
        DM1->closeConnection();
    }
    event->accept();
}

void TFrmStart::keyPressEvent(QKeyEvent* event) {
    // The menu is left only by its "quit" command.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

int SetWaveVolume(int Level) {
    const int level = ClampVolumeLevel(Level);
    if (FrmStart != nullptr)
        FrmStart->MidiMediaPlayer.setVolumeLevel(level);
    return level;
}
