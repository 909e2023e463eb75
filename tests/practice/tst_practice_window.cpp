#include "answer_pad.h"
#include "answer_panel.h"
#include "data_module.h"
#include "database.h"
#include "db_error.h"
#include "frm_dlg.h"
#include "frm_kmmc.h"
#include "frm_lxxt.h"
#include "globals.h"
#include "modal_script.h"
#include "picture_button.h"
#include "practice_sql.h"
#include "practice_tests.h"
#include "screenshots.h"
#include "temp_bank.h"

#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTextBrowser>

#include <functional>

namespace {

constexpr const char* kToday = "2026-12-11";

std::unique_ptr<TempBank> practiceBank() {
    auto bank = std::make_unique<TempBank>();
    bank->installPictures();
    bank->dm().setToday(QDate(2026, 12, 11));
    return bank;
}

QPushButton* button(QWidget* w, const char* name) {
    auto* b = w->findChild<QPushButton*>(QLatin1String(name));
    if (b == nullptr)
        qFatal("no button %s", name);
    return b;
}

// Runs the practice window on PracticeSql under a script: `actions` act on the open
// window, then it is closed (its closing steps run). Dialogs are answered by `dialogs`.
struct PracticeRun {
    QStringList dialogs;  // captions|texts of the message dialogs shown
};

PracticeRun runPractice(const std::function<void(TFrmLxxt&)>& actions) {
    PracticeRun run;
    TFrmLxxt window;
    if (!window.LoadQuestionSet())
        qFatal("empty practice set");
    ScopedModalScript script([&](ModalMoment& m) {
        if (m.kind == ModalMoment::Kind::Window) {
            if (auto* w = qobject_cast<TFrmLxxt*>(m.window))
                actions(*w);
            return 0;
        }
        run.dialogs << m.text;
        return 3;
    });
    showModal(window);
    return run;
}

QVariant value(Database& db, const QString& sql, const Params& p = {}) {
    return db.scalar(sql, p);
}

void addQuestions(Database& db, const QString& chapter, int count, int type = 61) {
    for (int i = 1; i <= count; ++i) {
        const QString id = chapter + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
        db.execute("INSERT INTO tab_answ (A1,A2,A2_1,A10,A13,F1,xx) VALUES (?,'A',4,?,?,0,?)",
                   {id, chapter, type, i});
        db.execute("INSERT INTO tab_exer (A1,A15) VALUES (?,?)", {id, QByteArray("{\\rtf1 q}")});
    }
}

}  // namespace

// The practice window and the chapter browser: sets, groups, recording, the timer,
// closing, voiding, and the way back to the browser.
class PracticeWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { ScreenMode = QStringLiteral("1024"); }

    void practiceSets_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("chapter");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("ids");
        const QString cols =
            "a1,a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,e2_1,e3,e4,f1,xx,csbs,"
            "ecount";
        QTest::newRow("new") << 1 << "0101"
                             << "select a1 ," + cols.mid(3) +
                                    " from tab_answ where (substr(A10,1,4) = '0101') and (E2 = '' "
                                    "or E2 is null)  and (f1<>1)  order by a13,a10,xx,a1"
                             << QStringList{"0101020001", "0101020002"};
        QTest::newRow("wrong") << 2 << "0101"
                               << "select " + cols +
                                      " from tab_answ  where (substr(A10,1,4) = '0101') and (E4 < "
                                      "0)  and (f1<>1) order by a13,e3,e4,e1,xx,a1"
                               << QStringList{"0101010002"};
        QTest::newRow("review, voided included")
            << 3 << "0101"
            << "select " + cols +
                   " from tab_answ where (substr(A10,1,4) = '0101') and (E2 <> '' and E2 is not "
                   "null) order by a13,e3,e4,e1,xx,a1"
            << QStringList{"0101010001", "0101010002"};
        QTest::newRow("a quote in the code is doubled")
            << 1 << "01'x"
            << "select a1 ," + cols.mid(3) +
                   " from tab_answ where (substr(A10,1,4) = '01''x') and (E2 = '' or E2 is null)  "
                   "and (f1<>1)  order by a13,a10,xx,a1"
            << QStringList{};
    }

    void practiceSets() {
        QFETCH(int, mode);
        QFETCH(QString, chapter);
        QFETCH(QString, sql);
        QFETCH(QStringList, ids);
        const QString built = practiceSql(static_cast<PracticeMode>(mode), chapter);
        QCOMPARE(built, sql);
        auto bank = practiceBank();
        Database& db = bank->db();
        // 0101010001 answered right and voided (E2 "zero"), 0101010002 answered wrong,
        // 0101020001 answered with an empty E2, 0101020002 F1 NULL but E2 NULL too.
        db.execute("UPDATE tab_answ SET E2='zero', F1=1, E4=0, E3=1 WHERE A1='0101010001'");
        db.execute("UPDATE tab_answ SET E2='A', E4=-3, E3=1 WHERE A1='0101010002'");
        db.execute("UPDATE tab_answ SET E2='' WHERE A1='0101020001'");
        Dataset ds("q", &db);
        ds.open(built);
        QStringList got;
        for (ds.first(); !ds.eof(); ds.next())
            got << ds.field("a1").asString();
        QCOMPARE(got, ids);
        // A question whose F1 holds no value is in no new or wrong set.
        db.execute("UPDATE tab_answ SET F1=NULL WHERE A1='0101020002'");
        ds.open(practiceSql(PracticeMode::New, "0101"));
        QCOMPARE(ds.recordCount(), mode == 1 && chapter == "0101" ? 1 : ds.recordCount());
    }

    void doubleClickVariant() {
        QVERIFY(practiceSql(PracticeMode::New, "010101", true).endsWith(" order by a13,a10,xx"));
    }

    void groupsOfTwenty() {
        auto bank = practiceBank();
        addQuestions(bank->db(), "030101", 41);
        PracticeSql = practiceSql(PracticeMode::New, "030101");
        runPractice([](TFrmLxxt& w) {
            QCOMPARE(w.groupCount(), 3);
            QCOMPARE(w.findChild<QLabel*>("lblGroups")->text(), QStringLiteral("共 3 组 41 道题"));
            saveScreenshot(&w, "practice-single-choice");
            w.NextGroup();
            w.NextGroup();
            QCOMPARE(w.currentGroup(), 3);
            QCOMPARE(w.GroupFirst, 41);
            QCOMPARE(w.GroupCount, 1);
            int enabled = 0;
            for (PictureButton* b : w.numberButtons())
                enabled += b->isEnabled() ? 1 : 0;
            QCOMPARE(enabled, 1);
            QVERIFY(!button(&w, "btnNextGroup")->isEnabled());
            // Previous on the first question of group 3 opens group 2 on its first question.
            w.PreviousQuestion();
            QCOMPARE(w.currentGroup(), 2);
            QCOMPARE(w.CurrentRecNo, 21);
            // Next on the last question of a group opens the next group on its first.
            for (int i = 0; i < 19; ++i)
                w.NextQuestion();
            QCOMPARE(w.CurrentRecNo, 40);
            w.NextQuestion();
            QCOMPARE(w.currentGroup(), 3);
            QCOMPARE(w.CurrentRecNo, 41);
            QVERIFY(!button(&w, "btnNext")->isEnabled());
            // Numbered down each column: button 2 sits under button 1.
            QVERIFY(w.numberButtons()[1]->y() > w.numberButtons()[0]->y());
            QCOMPARE(w.numberButtons()[1]->x(), w.numberButtons()[0]->x());
        });
    }

    void recordingAnswers() {
        auto bank = practiceBank();
        Database& db = bank->db();
        PracticeSql = practiceSql(PracticeMode::New, "010101");
        runPractice([&](TFrmLxxt& w) {
            // Question 1: single choice 0101010001, correct B, two exam points.
            QCOMPARE(w.CurrentRecNo, 1);
            button(&w, "padSingleA")->click();
            w.Commit();
            w.Commit();  // the same answer twice counts once
            QCOMPARE(value(db, "SELECT E3 FROM tab_answ WHERE A1='0101010001'").toInt(), 1);
            QCOMPARE(value(db, "SELECT E4 FROM tab_answ WHERE A1='0101010001'").toInt(), -3);
            QCOMPARE(w.numberButtons()[0]->pressedName(), QStringLiteral("vorbdw_w"));
            button(&w, "padSingleB")->click();
            w.Commit();  // a changed answer counts again
            QCOMPARE(value(db, "SELECT E3 FROM tab_answ WHERE A1='0101010001'").toInt(), 2);
            QCOMPARE(value(db, "SELECT E4 FROM tab_answ WHERE A1='0101010001'").toInt(), -2);
            QCOMPARE(value(db, "SELECT E1 FROM tab_answ WHERE A1='0101010001'").toString(),
                     QString(kToday));
            QCOMPARE(w.numberButtons()[0]->pressedName(), QStringLiteral("vorbdw_r"));
            QVERIFY(button(&w, "btnAnswer")->isEnabled());
            QVERIFY(button(&w, "btnExamPoints")->isEnabled());
            // Clearing the pad empties E2_1 and keeps E2.
            button(&w, "padSingleB")->click();
            w.NextQuestion();
            QCOMPARE(value(db, "SELECT E2_1 FROM tab_answ WHERE A1='0101010001'").toString(),
                     QString());
            QCOMPARE(value(db, "SELECT E2 FROM tab_answ WHERE A1='0101010001'").toString(),
                     QStringLiteral("B"));
            QCOMPARE(w.numberButtons()[0]->normalName(), QStringLiteral("vorbup"));
        });
        // The day, the chapter tree and the exam points saw two answers, one wrong.
        QCOMPARE(
            value(db, "SELECT A2 || '/' || A3 || '/' || B1 || '/' || B2 FROM tab_rz WHERE A1=?",
                  {kToday})
                .toString(),
            QStringLiteral("2/1/1/0"));
        QCOMPARE(
            value(db, "SELECT C4 || '/' || D1 || '/' || D2 FROM tab_kmmc WHERE C1='01'").toString(),
            QStringLiteral("1/2/1"));
        QCOMPARE(value(db, "SELECT q1 || '/' || q2 || '/' || q4 FROM tab_fgmc WHERE id='010001'")
                     .toString(),
                 QStringLiteral("1/2/1"));
        // Closing added the sitting's time to the day.
        QVERIFY(!value(db, "SELECT D1 FROM tab_rz WHERE A1=?", {kToday}).toString().isEmpty());
    }

    void keysPadPanelAndRecordAgree() {
        auto bank = practiceBank();
        Database& db = bank->db();
        db.execute("UPDATE tab_answ SET A2='AB' WHERE A1='0101010002'");
        PracticeSql = practiceSql(PracticeMode::New, "010101");
        runPractice([&](TFrmLxxt& w) {
            w.NextQuestion();  // the multiple-choice question, four options
            QCOMPARE(w.pad()->page(), 1);
            for (Qt::Key k : {Qt::Key_A, Qt::Key_B, Qt::Key_F})
                QTest::keyClick(&w, k);
            QCOMPARE(w.pad()->answerText(), QStringLiteral("AB"));
            w.Commit();
            QCOMPARE(w.pad()->answerText(), QStringLiteral("AB"));
            QCOMPARE(button(&w, "btnVoid")->text(), QStringLiteral("题目作废"));
            w.ToggleAnswerPanel();

            QCOMPARE(w.answerPanel()->findChild<QLabel*>("panelYourAnswer")->text(),
                     QStringLiteral("AB"));
            QCOMPARE(w.answerPanel()->findChild<QLabel*>("panelVerdict")->text(),
                     QStringLiteral("恭喜你，做对了！"));
            QCOMPARE(button(&w, "btnAnswer")->text(), QStringLiteral("返回"));
            while (w.answerPanel()->isSliding())
                w.answerPanel()->step();
            saveScreenshot(&w, "practice-answer-panel");
            // Backspace goes back, and leaving closes the panel at once.
            QTest::keyClick(&w, Qt::Key_Backspace);
            QCOMPARE(w.CurrentRecNo, 1);
            QCOMPARE(button(&w, "btnAnswer")->text(), QStringLiteral("答案"));
            QCOMPARE(w.answerPanel()->width(), 0);
        });
        QCOMPARE(value(db, "SELECT E2 FROM tab_answ WHERE A1='0101010002'").toString(),
                 QStringLiteral("AB"));
    }

    void sharedStemAndPages() {
        auto bank = practiceBank();
        PracticeSql = practiceSql(PracticeMode::New, "0201");
        runPractice([&](TFrmLxxt& w) {
            // Sorted by type: 66 (matching, in a group with a stem) then 71.
            QCOMPARE(w.pad()->page(), 5);
            auto* splitter = w.findChild<QSplitter*>("splitterQuestion");
            QVERIFY(splitter->sizes().at(1) > 0);
            // The stem above, the question's own text below.
            QCOMPARE(w.findChild<QTextBrowser*>("DBRichEdit1")->toPlainText(),
                     QStringLiteral("stem"));
            QCOMPARE(w.findChild<QTextBrowser*>("DBRichEdit2")->toPlainText(),
                     QStringLiteral("question"));
            saveScreenshot(&w, "practice-shared-stem");
            w.NextQuestion();
            QCOMPARE(w.pad()->page(), 4);
            QVERIFY(splitter->sizes().at(1) > 0);  // also in the group: the stem stays
            QVERIFY(!button(&w, "btnAnswer")->isEnabled());
        });
        PracticeSql = practiceSql(PracticeMode::New, "010102");
        runPractice([&](TFrmLxxt& w) {
            // No "-" in the id: one view, the lower one collapsed.
            QCOMPARE(w.findChild<QTextBrowser*>("DBRichEdit1")->toPlainText(),
                     QStringLiteral("question"));

            QCOMPARE(w.pad()->page(), 3);  // 62 true/false
            auto* splitter = w.findChild<QSplitter*>("splitterQuestion");
            QCOMPARE(splitter->sizes().at(1), 0);
            button(&w, "padTrue")->click();
            saveScreenshot(&w, "practice-true-false");
            w.NextQuestion();
            QCOMPARE(w.pad()->page(), 2);  // 64 fill-in
            w.pad()->fillInEdit()->setText("  10,16 ");
            saveScreenshot(&w, "practice-fill-in");
            w.Commit();
        });
        QCOMPARE(value(bank->db(), "SELECT E2 FROM tab_answ WHERE A1='0101020002'").toString(),
                 QStringLiteral("10,16"));
        QCOMPARE(value(bank->db(), "SELECT E4 FROM tab_answ WHERE A1='0101020002'").toInt(), 0);
    }

    void answerTimer() {
        auto bank = practiceBank();
        AnswerTimes = {1200};
        AnswerTimeTypes = {61};
        PracticeSql = practiceSql(PracticeMode::New, "010101");
        const PracticeRun run = runPractice([&](TFrmLxxt& w) {
            QCOMPARE(w.answerTimer().interval(), 1200);
            for (int i = 0; i < 100; ++i)
                w.answerTimerTick();
            QCOMPARE(w.gaugeValue(), 100);
            QVERIFY(w.answerTimer().isActive());
            w.answerTimerTick();  // the tick after 100
            QVERIFY(!w.answerTimer().isActive());
            QCOMPARE(
                value(bank->db(), "SELECT csbs FROM tab_answ WHERE A1='0101010001'").toString(),
                QStringLiteral("Y"));
            w.NextQuestion();  // type 65 has no entry: 600 ms
            QCOMPARE(w.answerTimer().interval(), 600);
            QCOMPARE(w.gaugeValue(), 0);
        });
        QCOMPARE(run.dialogs, QStringList{"到时间了"});
        AnswerTimes.clear();
        AnswerTimeTypes.clear();
    }

    void timeRunningOutWhileTheNotesAreOpen() {
        auto bank = practiceBank();
        PracticeSql = practiceSql(PracticeMode::New, "010101");
        QStringList shown;
        bool notesWereOpen = false;
        TFrmLxxt window;
        QVERIFY(window.LoadQuestionSet());
        const std::function<void(QWidget*)> onWindow = [&](QWidget* w) {
            if (auto* practice = qobject_cast<TFrmLxxt*>(w)) {
                practice->OpenNotes();
                // The notice came after the notes window had closed, not over it.
                QCOMPARE(shown, QStringList{"到时间了"});
            } else if (w->objectName() == QLatin1String("FrmBj")) {
                notesWereOpen = true;
                for (int i = 0; i <= 100; ++i)
                    window.answerTimerTick();
                QVERIFY(shown.isEmpty());
                // Marked at once all the same.
                QCOMPARE(
                    value(bank->db(), "SELECT csbs FROM tab_answ WHERE A1='0101010001'").toString(),
                    QStringLiteral("Y"));
            }
        };
        ScopedModalScript script([&](ModalMoment& m) {
            if (m.kind == ModalMoment::Kind::Window) {
                onWindow(m.window);
                return 0;
            }
            shown << m.text;
            return 3;
        });
        showModal(window);
        QVERIFY(notesWereOpen);
        QCOMPARE(shown, QStringList{"到时间了"});
    }

    void closingAddsStudyTimeOnce_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("关闭") << "button";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("window manager") << "close";
    }

    void closingAddsStudyTimeOnce() {
        QFETCH(QString, how);
        auto bank = practiceBank();
        Database& db = bank->db();
        db.execute("INSERT INTO tab_rz (A1, A2, D1) VALUES (?, 1, '00:00:00')", {kToday});
        PracticeSql = practiceSql(PracticeMode::New, "010101");
        runPractice([&](TFrmLxxt& w) {
            for (int i = 0; i < 75; ++i)
                w.clock().tick();
            QCOMPARE(w.findChild<QLabel*>("lblClock")->text(), QStringLiteral("0:01:15"));
            if (how == "button")
                button(&w, "btnClose")->click();
            else if (how == "escape")
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                w.close();
            w.close();
        });
        QCOMPARE(value(db, "SELECT D1 FROM tab_rz WHERE A1=?", {kToday}).toString(),
                 QStringLiteral("00:01:15"));
        QVERIFY(!bank->dm().Cn1Query_tm.isOpen());
    }

    void voiding() {
        auto bank = practiceBank();
        Database& db = bank->db();
        db.execute("UPDATE tab_answ SET A1='US0101016140001', F1=2 WHERE A1='0101010002'");
        db.execute("UPDATE tab_exer SET A1='US0101016140001' WHERE A1='0101010002'");
        PracticeSql = practiceSql(PracticeMode::New, "010101");
        runPractice([&](TFrmLxxt& w) {
            auto* red = w.findChild<QLabel*>("lblRedNotice");
            button(&w, "btnVoid")->click();
            QCOMPARE(red->text(), QStringLiteral("本题已被您作废！"));
            QCOMPARE(button(&w, "btnVoid")->text(), QStringLiteral("取消作废"));
            QCOMPARE(value(db, "SELECT F1 || E2 FROM tab_answ WHERE A1='0101010001'").toString(),
                     QStringLiteral("1zero"));
            button(&w, "btnVoid")->click();
            QCOMPARE(red->text(), QStringLiteral("本题曾被作废，现已被您取消！"));
            QCOMPARE(value(db, "SELECT F1 FROM tab_answ WHERE A1='0101010001'").toInt(), 0);
            w.NextQuestion();
            QCOMPARE(red->text(), QStringLiteral("本题是您加入的题目！"));
            button(&w, "btnVoid")->click();
            button(&w, "btnVoid")->click();
            // The user's own question stays marked as such.
            QCOMPARE(value(db, "SELECT F1 FROM tab_answ WHERE A1='US0101016140001'").toInt(), 2);
        });
    }

    void rolledBackAnswerLeavesMemoryEqualToTheTable() {
        auto bank = practiceBank();
        Database& db = bank->db();
        db.execute(
            "CREATE TRIGGER broken BEFORE UPDATE ON tab_rule BEGIN SELECT RAISE(ABORT, 'disk "
            "full'); END");
        PracticeSql = practiceSql(PracticeMode::New, "010101");
        runPractice([&](TFrmLxxt& w) {
            button(&w, "padSingleB")->click();
            QVERIFY_THROWS_EXCEPTION(DbError, w.Commit());
            Dataset& tm = bank->dm().Cn1Query_tm;
            QCOMPARE(tm.field("E2").asString(), QString());
            QCOMPARE(tm.field("E3").asInteger(), 0);
            QCOMPARE(tm.field("E2_1").asString(), QString());
            QCOMPARE(w.pad()->answerText(), QString());
            db.execute("DROP TRIGGER broken");
        });
        QCOMPARE(value(db, "SELECT E3 FROM tab_answ WHERE A1='0101010001'").toInt(), 0);
        QCOMPARE(value(db, "SELECT sum(D1) FROM tab_kmmc").toInt(), 0);
        QCOMPARE(value(db, "SELECT count(*) FROM tab_rz WHERE A2 > 0").toInt(), 0);
    }

    void browserPractiseAndBack() {
        auto bank = practiceBank();
        TFrmkmmc browser;
        QStringList dialogs;
        bool practised = false;
        const std::function<void(QWidget*)> onWindow = [&](QWidget* window) {
            if (auto* b = qobject_cast<TFrmkmmc*>(window)) {
                QCOMPARE(b->score()->text(), QStringLiteral("分数"));
                QCOMPARE(b->totalQuestions()->intValue(), 6);
                saveScreenshot(b, "chapter-browser");
                // A book-level row cannot be practised.
                DM1->Cn1Table_kmmc.locate("C1", "01");
                button(b, "btnNew")->click();
                QVERIFY(DM1->Cn1Table_kmmc.locate("C1", "010101"));
                button(b, "btnNew")->click();
                QVERIFY(practised);
                // Back on the practised chapter, with the new totals.
                QVERIFY(b->isVisible());
                QVERIFY(ChapterBrowserShown);
                QCOMPARE(DM1->Cn1Table_kmmc.field("C1").asString(), QStringLiteral("010101"));
                QCOMPARE(b->grid()->currentIndex().row() + 1, DM1->Cn1Table_kmmc.recNo());
                QCOMPARE(b->totalAnswers()->intValue(), 1);
                // The question count shows at most 10000; answer counts are not limited.
                DM1->ADOCn1.execute("UPDATE tab_kmmc SET C3=12000, D1=10001 WHERE C1='010102'");
                b->runShowSteps();
                QCOMPARE(b->totalQuestions()->intValue(), 10000);
                QCOMPARE(b->totalAnswers()->intValue(), 10002);
                DM1->ADOCn1.execute("UPDATE tab_kmmc SET C3=2, D1=0 WHERE C1='010102'");
                b->runShowSteps();

                QCOMPARE(b->score()->text(), QStringLiteral("100.00"));
                QCOMPARE(DM1->Cn1Table_kmmc.field("D1").asInteger(), 1);
                // An empty wrong set says so and leaves the browser as it was.
                button(b, "btnWrong")->click();
                QVERIFY(b->isVisible());
            } else if (auto* w = qobject_cast<TFrmLxxt*>(window)) {
                QVERIFY(!ChapterBrowserShown);
                button(w, "padSingleB")->click();
                practised = true;
            }
        };
        ScopedModalScript script([&](ModalMoment& m) {
            if (m.kind == ModalMoment::Kind::Window) {
                onWindow(m.window);
                return 0;
            }
            dialogs << m.text;
            return m.kind == ModalMoment::Kind::Dialog ? 3 : int(QMessageBox::Ok);
        });
        showModal(browser);
        QCOMPARE(dialogs, (QStringList{"请选择具体章节目录！", "本章节下没有错题！"}));
        QVERIFY(!ChapterBrowserShown);
        QVERIFY(!DM1->Cn1Table_kmmc.isOpen());
    }
};

static const bool registered = registerPracticeTest<PracticeWindowTest>();

#include "tst_practice_window.moc"
