#include "app_cursor.h"
#include "app_look.h"
#include "commands.h"
#include "data_module.h"
#include "exit_check.h"
#include "form_window.h"
#include "frm_dlg.h"
#include "frm_progress.h"
#include "frm_start.h"
#include "globals.h"
#include "lorvane_application.h"
#include "main_menu.h"
#include "midi_player.h"
#include "modal_script.h"
#include "releasable_group.h"
#include "screenshots.h"
#include "shared_routines.h"
#include "single_instance.h"
#include "start_checks.h"
#include "temp_bank.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocalServer>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

namespace {

// A window that counts its closing steps and can hide itself while modal.
class ProbeWindow : public FormWindow {
  public:
    int closings = 0;
    int showings = 0;

  protected:
    void FormShow() override { ++showings; }
    void FormClose() override { ++closings; }
};

QString momentSummary(const ModalMoment& m) {
    return m.caption + QLatin1Char('|') + m.text;
}

}  // namespace

// The shell: command dispatch, the exit check, the message dialog, the shared routines,
// the modal helper and the single-instance guard.
class AppTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        dialog_ = std::make_unique<TFrmDlg>();
        FrmDlg = dialog_.get();
    }

    void cleanupTestCase() {
        FrmDlg = nullptr;
        dialog_.reset();
    }

    void commandTable_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("hourglass");
        using K = CommandAction::Kind;
        using W = CommandWindow;
        auto row = [](const char* c, K k, W w, bool h) {
            QTest::newRow(c) << QString::fromLatin1(c) << static_cast<int>(k) << static_cast<int>(w)
                             << h;
        };
        row("ksdg", K::Window, W::Catalogue, true);
        row("zsd", K::Window, W::Catalogue, true);
        row("lx", K::Window, W::ChapterBrowser, true);
        row("lx5", K::Window, W::ChapterBrowser, true);
        row("szjh", K::Window, W::StudyPlan, true);
        row("szks", K::Window, W::ExamSettings, true);
        row("rz", K::Window, W::StudyLog, true);
        row("tj", K::Window, W::ScoreChart, true);
        row("sj", K::Window, W::Upgrade, false);
        row("music", K::Window, W::Config, false);
        row("sztime", K::Window, W::Config, false);
        row("about", K::Window, W::About, false);
        row("cj", K::Window, W::ScoreRegister, true);
        row("fg", K::Page, W::None, false);
        row("help", K::Page, W::None, false);
        row("quit", K::Quit, W::None, false);
        row("mnks4", K::MockExam, W::None, false);
        row("LX", K::Nothing, W::None, false);
        row("Quit", K::Nothing, W::None, false);
        row("lx6", K::Nothing, W::None, false);
        row("mnks6", K::Nothing, W::None, false);
        row("", K::Nothing, W::None, false);
        row("lx ", K::Nothing, W::None, false);
    }

    void commandTable() {
        QFETCH(QString, command);
        QFETCH(int, kind);
        QFETCH(int, window);
        QFETCH(bool, hourglass);
        const CommandAction a = commandFor(command);
        QCOMPARE(static_cast<int>(a.kind), kind);
        QCOMPARE(static_cast<int>(a.window), window);
        QCOMPARE(a.hourglass, hourglass);
    }

    void commandArguments() {
        QCOMPARE(commandFor("lx").practiceBook, 1);
        QCOMPARE(commandFor("lx3").practiceBook, 3);
        QCOMPARE(commandFor("music").configMode, 0);
        QCOMPARE(commandFor("sztime").configMode, 1);
        QCOMPARE(commandFor("mnks").examType, 1);
        QCOMPARE(commandFor("mnks5").examType, 5);
        QCOMPARE(commandFor("fg").page, QStringLiteral("htm/Quessel相关法规汇编.htm"));
        QCOMPARE(commandFor("lxfs").page, QStringLiteral("htm/发行站及专业书店联系方式.htm"));
        QCOMPARE(commandFor("lnst").page, QStringLiteral("htm/lnst.htm"));
        QCOMPARE(commandFor("help").page, QStringLiteral("qzhelp.htm"));
    }

    void dispatchThroughTheMainWindow() {
        TempBank bank;
        TFrmStart start;
        QStringList opened;
        bool hourglassWhileOpening = false;
        start.setWindowOpener(CommandWindow::ChapterBrowser, [&](const QString& c) {
            hourglassWhileOpening = HourglassShown();
            opened << c + QStringLiteral("/book") + QString::number(PracticeBook);
        });
        start.setWindowOpener(CommandWindow::Config, [&](const QString& c) {
            opened << c + QStringLiteral("/mode") + QString::number(ConfigMode);
        });
        start.setWindowOpener(CommandWindow::About,
                              [&](const QString&) { throw std::runtime_error("broken window"); });
        int examStarted = 0;
        start.setExamStarter([&](int type) { examStarted = type; });
        ScopedModalScript script([](ModalMoment&) { return 0; });

        start.ShockwaveFlash1FSCommand("lx3", {});
        QCOMPARE(opened, QStringList{"lx3/book3"});
        QVERIFY(hourglassWhileOpening);
        QVERIFY(!HourglassShown());
        start.ShockwaveFlash1FSCommand("LX", {});
        start.ShockwaveFlash1FSCommand("nonsense", {});
        start.ShockwaveFlash1FSCommand("sztime", {});
        QCOMPARE(opened, (QStringList{"lx3/book3", "sztime/mode1"}));
        // A command whose window is not wired yet does nothing.
        start.ShockwaveFlash1FSCommand("rz", {});
        QCOMPARE(opened.size(), 2);
        // An error escaping a window reaches the caller with the cursor restored.
        SetHourglassCursor();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, start.ShockwaveFlash1FSCommand("about", {}));
        QVERIFY(!HourglassShown());

        start.ShockwaveFlash1FSCommand("mnks3", {});
        QCOMPARE(examStarted, 3);
        QCOMPARE(ExamType, 3);
        start.ShockwaveFlash1FSCommand("help", {});
        QCOMPARE(ModalScript::log().last().kind, ModalMoment::Kind::Document);
        QCOMPARE(ModalScript::log().last().text, AppPath + QStringLiteral("qzhelp.htm"));
        ExamType = 0;
    }

    void menuTilesDeliverCommands() {
        MainMenu menu;
        QStringList got;
        connect(&menu, &MainMenu::command, [&](const QString& c, const QString&) { got << c; });
        for (const char* c : {"lx", "ksdg", "mnks", "mnks2", "mnks3", "mnks4", "mnks5",
                              "cj", "rz",   "tj",   "szjh",  "szks",  "music", "sztime",
                              "sj", "fg",   "lxfs", "lnst",  "help",  "about"}) {
            MenuTile* tile = menu.tile(QString::fromLatin1(c));
            QVERIFY2(tile != nullptr, c);
            tile->click();
        }
        menu.findChild<QPushButton*>("menu_quit")->click();
        QCOMPARE(got.size(), 21);
        QCOMPARE(got.last(), QStringLiteral("quit"));
        // Keyboard: the arrows move between tiles, Enter delivers the focused one.
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.tile("lx")->setFocus();
        QTest::keyClick(menu.tile("lx"), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), menu.tile("ksdg"));
        QTest::keyClick(menu.tile("ksdg"), Qt::Key_Down);
        QVERIFY(qobject_cast<MenuTile*>(QApplication::focusWidget())->command().startsWith("mnks"));
        got.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(got.size(), 1);
    }

    void screenMode_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("mode");
        QTest::newRow("1280x1024") << QSize(1280, 1024) << "1024";
        QTest::newRow("1024x768") << QSize(1024, 768) << "1024";
        QTest::newRow("800x600") << QSize(800, 600) << "800";
        QTest::newRow("800 wide, any height") << QSize(800, 1200) << "800";
        QTest::newRow("600 high") << QSize(1600, 600) << "800";
        QTest::newRow("1280x720 is too low") << QSize(1280, 720) << "800";
        QTest::newRow("1000x900 is too narrow") << QSize(1000, 900) << "800";
        QTest::newRow("1920x1080") << QSize(1920, 1080) << "1024";
    }

    void screenMode() {
        QFETCH(QSize, screen);
        QFETCH(QString, mode);
        QCOMPARE(ScreenModeFor(screen), mode);
    }

    void volumeLevels() {
        QCOMPARE(SetWaveVolume(0), 1);
        QCOMPARE(SetWaveVolume(-5), 1);
        QCOMPARE(SetWaveVolume(40), 16);
        QCOMPARE(SetWaveVolume(12), 12);
        QCOMPARE(MidiPlayer::gainForLevel(1), 0.0);
        QVERIFY(MidiPlayer::gainForLevel(16) > MidiPlayer::gainForLevel(15));
        QCOMPARE(MidiPlayer::gainForLevel(40), MidiPlayer::gainForLevel(16));
        MidiPlayer player;
        player.setVolumeLevel(-3);
        QCOMPARE(player.volumeLevel(), 1);
        QVERIFY(!player.play(QStringLiteral("/nonexistent.mid")));
    }

    void planVerdicts_data() {
        QTest::addColumn<int>("mark");
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("answers");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("verdict");
        QTest::newRow("questions short") << 0 << 20 << 60 << 0 << 90 << int(PlanVerdict::Less);
        QTest::newRow("questions equal") << 0 << 20 << 60 << 20 << 0 << int(PlanVerdict::Equal);
        QTest::newRow("questions over") << 0 << 20 << 60 << 21 << 0 << int(PlanVerdict::More);
        QTest::newRow("nothing planned, nothing done")
            << 0 << 0 << 60 << 0 << 0 << int(PlanVerdict::Equal);
        QTest::newRow("minutes short") << 1 << 20 << 30 << 99 << 29 << int(PlanVerdict::Less);
        QTest::newRow("minutes equal") << 1 << 20 << 30 << 0 << 30 << int(PlanVerdict::Equal);
        QTest::newRow("unknown mark") << 2 << 20 << 30 << 0 << 0 << int(PlanVerdict::NoPlan);
    }

    void planVerdicts() {
        QFETCH(int, mark);
        QFETCH(int, amount);
        QFETCH(int, time);
        QFETCH(int, answers);
        QFETCH(int, minutes);
        QFETCH(int, verdict);
        QCOMPARE(int(planVerdict(mark, amount, time, answers, minutes)), verdict);
    }

    void exitCheck_data() {
        QTest::addColumn<QString>("plan");
        QTest::addColumn<QString>("dayRow");  // A2, D1 or empty for no row
        QTest::addColumn<int>("answer");      // the message box's button
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("closes");
        QTest::newRow("no answers, plan of 20, cancel")
            << "0,20,60"
            << "" << int(QMessageBox::Cancel) << "提示|还未完成今日学习计划，要退出吗？" << false;
        QTest::newRow("no answers, plan of 20, ok")
            << "0,20,60"
            << "" << int(QMessageBox::Ok) << "提示|还未完成今日学习计划，要退出吗？" << true;
        QTest::newRow("30 minutes planned, 00:30:59 studied")
            << "1,20,30"
            << "5,00:30:59" << int(QMessageBox::Ok) << "提示|恭喜完成今日学习计划！" << true;
        QTest::newRow("plan of 0, no answers")
            << "0,0,60"
            << "" << int(QMessageBox::Ok) << "提示|恭喜完成今日学习计划！" << true;
        QTest::newRow("more than planned") << "0,3,60"
                                           << "4,00:01:00" << int(QMessageBox::Ok)
                                           << "提示|超额完成学习计划，要注意休息呦！" << true;
        QTest::newRow("unknown plan mark quits quietly") << "7,3,60"
                                                         << "" << 0 << "" << true;
        QTest::newRow("damaged day time: error, then quit")
            << "1,20,30"
            << "5,1::00" << int(QMessageBox::Ok) << "错误|'' is not a valid integer value" << true;
    }

    void exitCheck() {
        QFETCH(QString, plan);
        QFETCH(QString, dayRow);
        QFETCH(int, answer);
        QFETCH(QString, shown);
        QFETCH(bool, closes);
        TempBank bank;
        bank.dm().setToday(QDate(2026, 12, 11));
        const QStringList p = plan.split(',');
        bank.db().execute(
            QStringLiteral("UPDATE tab_plan SET PlanMark=?, PlanAmount=?, PlanTime=?"),
            {p[0].toInt(), p[1].toInt(), p[2].toInt()});
        if (!dayRow.isEmpty()) {
            const QStringList d = dayRow.split(',');
            bank.db().execute(
                QStringLiteral("INSERT INTO tab_rz (A1, A2, D1) VALUES ('2026-12-11', ?, ?)"),
                {d[0].toInt(), d[1]});
        }
        TFrmStart start;
        start.show();
        ScopedModalScript script([answer](ModalMoment&) { return answer; });
        start.ShockwaveFlash1FSCommand("quit", {});
        QStringList messages;
        for (const ModalMoment& m : ModalScript::log())
            messages << momentSummary(m);
        QCOMPARE(messages, shown.isEmpty() ? QStringList{} : QStringList{shown});
        QCOMPARE(start.isVisible(), !closes);
        if (closes)
            QVERIFY(!bank.dm().ADOCn1.isOpen());
    }

    void answerTimesOfTheExamType() {
        TempBank bank;
        ExamType = 0;
        TFrmStart start;
        start.show();
        QCOMPARE(ExamType, 1);
        QCOMPARE(AnswerTimeTypes, (QVector<int>{61, 62, 64, 65, 66, 71}));
        QCOMPARE(AnswerTimes, (QVector<int>{600, 300, 1200, 900, 900, 1800}));
        ExamType = 0;
    }

    void showDialogKinds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("buttonSet");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<int>("width");
        QTest::newRow("exam question")
            << 2 << "Exam" << QStringList{"确定", "取消", "作废"} << QList<int>{1, 3, 2} << 399;
        QTest::newRow("notice") << 1 << "NO" << QStringList{"确定"} << QList<int>{3} << 399;
        QTest::newRow("two buttons")
            << 0 << "No" << QStringList{"确定", "取消"} << QList<int>{1, 2} << 399;
        QTest::newRow("all three, ordinary")
            << 2 << "" << QStringList{"确定", "确定", "取消"} << QList<int>{1, 3, 2} << 399;
        QTest::newRow("narrow") << 3 << "" << QStringList{"确定"} << QList<int>{1} << 200;
    }

    void showDialogKinds() {
        QFETCH(int, kind);
        QFETCH(QString, buttonSet);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, results);
        QFETCH(int, width);
        FrmDlg->prepare("提示", "正文", 3, 0,
                        "");  // a narrow dialog before: every call restores the width
        FrmDlg->prepare("标题", "正文", kind, 1, buttonSet);
        QStringList got;
        QList<int> gotResults;
        for (const auto& [caption, result] : FrmDlg->visibleButtons()) {
            got << caption;
            gotResults << result;
        }
        QCOMPARE(got, captions);
        QCOMPARE(gotResults, results);
        QCOMPARE(FrmDlg->width(), width);
        QCOMPARE(FrmDlg->Label1->text(), QStringLiteral("标题"));
        saveScreenshot(FrmDlg, QStringLiteral("dialog-kind%1").arg(kind));
        QCOMPARE(FrmDlg->epNoteBook1->currentIndex(), 1);
        if (kind == 1) {
            // The single button sits in the middle.
            QVERIFY(qAbs(FrmDlg->fcShapeBtn3->geometry().center().x() - 399 / 2) <= 4);
        }
    }

    void showDialogReturnsThePressedButton() {
        // The real modal loop: a click ends it with that button's result.
        for (const auto& [button, expected] :
             {std::pair{FrmDlg->fcShapeBtn1, 1}, std::pair{FrmDlg->fcShapeBtn2, 2},
              std::pair{FrmDlg->fcShapeBtn3, 3}}) {
            QTimer::singleShot(0, button, [b = button]() { b->click(); });
            QCOMPARE(ShowDialog("提示", "请选择", 2, 0, "Exam"), expected);
        }
        // Escape is no way out of the dialog.
        QTimer::singleShot(0, FrmDlg, []() {
            QTest::keyClick(FrmDlg, Qt::Key_Escape);
            QVERIFY(FrmDlg->isVisible());
            FrmDlg->fcShapeBtn3->click();
        });
        QCOMPARE(ShowDialog("提示", "到时间了", 1, 1, "NO"), 3);
        // Under a script the dialog is answered without showing.
        ScopedModalScript script([](ModalMoment& m) {
            return m.buttons == QStringList{"确定", "取消", "作废"} ? 2 : -1;
        });
        QCOMPARE(ShowDialog("提示", "交卷吗？", 2, 0, "Exam"), 2);
    }

    void dropPaperTable() {
        TempBank bank;
        Database& db = bank.db();
        db.execute("CREATE TABLE tab_exam1 (A1 TEXT)");
        db.execute("CREATE TABLE tab_exam2 (A1 TEXT)");
        db.execute(
            "INSERT INTO tab_cj (A1, A3, A3_1) VALUES ('tab_exam1','a',1),('tab_exam2','b',2),"
            "('tab_exam9','c',3),('tab_answ','d',4)");
        auto tables = [&]() { return db.userTables().filter("tab_exam"); };
        auto rows = [&]() {
            return db.scalar("SELECT group_concat(A1) FROM (SELECT A1 FROM tab_cj ORDER BY A1)")
                .toString();
        };

        DropPaperTable("tab_exam9");  // a register row without its table: nothing changes
        QCOMPARE(rows(), QStringLiteral("tab_answ,tab_exam1,tab_exam2,tab_exam9"));
        DropPaperTable("tab_answ");  // a damaged row naming a bank table: never dropped
        QVERIFY(db.tableExists("tab_answ"));
        QCOMPARE(rows(), QStringLiteral("tab_answ,tab_exam1,tab_exam2,tab_exam9"));
        DropPaperTable("tab_exam1; DROP TABLE tab_answ");
        QVERIFY(db.tableExists("tab_answ"));
        DropPaperTable("TAB_EXAM1");  // letter case does not matter
        QCOMPARE(tables(), QStringList{"tab_exam2"});
        QCOMPARE(rows(), QStringLiteral("tab_answ,tab_exam2,tab_exam9"));
        bank.dm().Cn1Table_cj.open();
        DropPaperTable("tab_exam2");
        QVERIFY(tables().isEmpty());
        QVERIFY(!bank.dm().Cn1Table_cj.locate("A1", "tab_exam2"));
        QCOMPARE(rows(), QStringLiteral("tab_answ,tab_exam9"));
    }

    void paperTotalScore() {
        TempBank bank;
        QCOMPARE(PaperTotalScore(), 100);
        QCOMPARE(bank.dm().Cn1Table_tx.recNo(), bank.dm().Cn1Table_tx.recordCount());
        bank.dm().Cn1Table_tx.setTableName("tab_tx2");
        QCOMPARE(PaperTotalScore(), 0);  // an empty type table
    }

    void answerPages_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("page");
        for (auto [code, page] : {std::pair{61, 0},
                                  {65, 1},
                                  {66, 5},
                                  {62, 3},
                                  {31, 3},
                                  {64, 2},
                                  {70, 4},
                                  {71, 4},
                                  {72, 4},
                                  {73, 4},
                                  {74, 4},
                                  {0, 99},
                                  {63, 99},
                                  {75, 99}})
            QTest::newRow(qPrintable(QString::number(code))) << code << page;
    }

    void answerPages() {
        QFETCH(int, code);
        QFETCH(int, page);
        QCOMPARE(AnswerPageOfType(code), page);
    }

    void modalWindowEndsOnCloseNotOnHide() {
        ProbeWindow w;
        QTimer::singleShot(0, &w, [&]() {
            w.hide();
            QVERIFY(w.isHidden());
            // Still modal: hidden is not closed. Show again, then close by Escape.
            QTimer::singleShot(0, &w, [&]() {
                w.show();
                QTest::keyClick(&w, Qt::Key_Escape);
            });
        });
        showModal(w);
        QVERIFY(w.isClosed());
        QCOMPARE(w.closings, 1);
        QCOMPARE(w.showings, 2);  // the show steps ran again after hiding

        // Closing again (the window manager after a close command) runs nothing twice.
        ProbeWindow second;
        QTimer::singleShot(0, &second, [&]() {
            second.close();
            second.close();
        });
        showModal(second);
        QCOMPARE(second.closings, 1);

        // A window whose only exit is a command ignores Escape.
        ProbeWindow commandOnly;
        commandOnly.setEscapeCloses(false);
        QTimer::singleShot(0, &commandOnly, [&]() {
            QTest::keyClick(&commandOnly, Qt::Key_Escape);
            QVERIFY(!commandOnly.isClosed());
            commandOnly.close();
        });
        showModal(commandOnly);
        QCOMPARE(commandOnly.closings, 1);
    }

    void scriptAnswersModalWindows() {
        ProbeWindow w;
        w.setObjectName("Probe");
        QStringList seen;
        ScopedModalScript script([&](ModalMoment& m) {
            seen << m.text;
            return 0;
        });
        showModal(w);  // the script leaves it open: it is closed for the test, once
        QCOMPARE(seen, QStringList{"Probe"});
        QCOMPARE(w.closings, 1);
    }

    void errorsEscapingHandlersAreShown() {
        QObject thrower;
        ScopedModalScript script([](ModalMoment&) { return int(QMessageBox::Ok); });
        QTimer::singleShot(0, &thrower, []() { throw std::runtime_error("磁盘已满"); });
        QTest::qWait(20);
        QCOMPARE(ModalScript::log().size(), 1);
        QCOMPARE(momentSummary(ModalScript::log().first()), QStringLiteral("错误|磁盘已满"));
    }

    void releasableButtons() {
        QWidget host;
        QPushButton a("A", &host), b("B", &host);
        ReleasableGroup group;
        group.addButton(&a);
        group.addButton(&b);
        QSignalSpy changes(&group, &ReleasableGroup::pressedChanged);
        a.click();
        QCOMPARE(group.pressed(), &a);
        b.click();
        QVERIFY(!a.isChecked() && b.isChecked());
        b.click();  // clicked again: released, none pressed
        QCOMPARE(group.pressed(), nullptr);
        QVERIFY(!b.isChecked());
        QCOMPARE(changes.count(), 3);
        // Release-and-press of the same button signals every time.
        group.press(&a);
        group.press(&a);
        QCOMPARE(changes.count(), 5);
        group.setReleasable(false);
        a.click();
        QVERIFY(a.isChecked());
        QCOMPARE(group.pressed(), &a);
    }

    void colourNumbersAreBgr() {
        QCOMPARE(colorFromBgr(255), QColor(255, 0, 0));
        QCOMPARE(colorFromBgr(8421504), QColor(128, 128, 128));
        QCOMPARE(colorFromBgr(0xFF0000), QColor(0, 0, 255));
    }

    void progressWindow() {
        TFrmProgress progress;
        QCOMPARE(progress.Label1->text(), QStringLiteral("请等待..."));
        progress.showMessage(QStringLiteral("正在整理数据..."));
        QVERIFY(progress.isVisible());
        QCOMPARE(progress.Label1->text(), QStringLiteral("正在整理数据..."));
        QCOMPARE(progress.size(), QSize(358, 63));
        saveScreenshot(&progress, QStringLiteral("progress"));
    }

    void singleInstance() {
        const QString name =
            QStringLiteral("lorvane-test-%1").arg(QCoreApplication::applicationPid());
        SingleInstance first(name);
        QVERIFY(!first.ActivatePrevInstance());
        QVERIFY(first.isServing());
        QSignalSpy forward(&first, &SingleInstance::activationRequested);
        SingleInstance second(name);
        QVERIFY(second.ActivatePrevInstance());
        QVERIFY(!second.isServing());
        QTRY_COMPARE(forward.count(), 1);
    }

    void singleInstanceAfterACrash() {
        // A crashed run leaves its socket file; nobody answers on it.
        const QString name =
            QStringLiteral("lorvane-crash-%1").arg(QCoreApplication::applicationPid());
        {
            QLocalServer stale;
            QVERIFY(stale.listen(name));
            const QString path = stale.fullServerName();
            stale.close();
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        SingleInstance next(name);
        QVERIFY(!next.ActivatePrevInstance());
        QVERIFY(next.isServing());
    }

  private:
    std::unique_ptr<TFrmDlg> dialog_;
};

int main(int argc, char** argv) {
    LorvaneApplication app(argc, argv);
    applyLook(app);
    AppTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app.moc"
