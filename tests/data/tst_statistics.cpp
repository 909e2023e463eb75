#include "data_module.h"
#include "database.h"
#include "db_error.h"
#include "exam_point_lists.h"
#include "globals.h"
#include "temp_bank.h"

#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int Yes = 2;
constexpr int No = 1;

struct DayRow {
    qint64 a2, a3, b1, b2;
    QString d1, a4;
    bool operator==(const DayRow& o) const {
        return a2 == o.a2 && a3 == o.a3 && b1 == o.b1 && b2 == o.b2 && d1 == o.d1 && a4 == o.a4;
    }
};

char* toString(const DayRow& r) {
    return qstrdup(QStringLiteral("A2=%1 A3=%2 B1=%3 B2=%4 D1=%5 A4=%6")
                       .arg(r.a2)
                       .arg(r.a3)
                       .arg(r.b1)
                       .arg(r.b2)
                       .arg(r.d1, r.a4)
                       .toUtf8()
                       .constData());
}

DayRow dayRow(Database& db, const QString& day) {
    Dataset ds(QStringLiteral("rz"), &db);
    ds.open(QStringLiteral("select * from tab_rz where A1=?"), {day});
    if (ds.isEmpty())
        return {-1, -1, -1, -1, {}, {}};
    return {ds.field("A2").asInteger(), ds.field("A3").asInteger(), ds.field("B1").asInteger(),
            ds.field("B2").asInteger(), ds.field("D1").asString(),  ds.field("A4").asString()};
}

}  // namespace

// The counters every recorded answer moves: the day's log, the chapter tree, the exam
// points, and the study time with the rates.
class StatisticsTest : public QObject {
    Q_OBJECT

  private:
    static constexpr const char* kDay = "2026-12-11";

    static std::unique_ptr<TempBank> bank() {
        auto b = std::make_unique<TempBank>();
        b->dm().setToday(QDate(2026, 12, 11));
        return b;
    }

  private slots:
    void dailyLog_data() {
        // Each answer: FirstToday, Wrong, PrevWrong as the windows compute them.
        QTest::addColumn<QVector<QVector<int>>>("answers");
        QTest::addColumn<DayRow>("expected");
        QTest::newRow("first answer right")
            << QVector<QVector<int>>{{Yes, No, Yes}} << DayRow{1, 0, 1, 0, {}, {}};
        QTest::newRow("first answer wrong")
            << QVector<QVector<int>>{{Yes, Yes, Yes}} << DayRow{1, 1, 1, 1, {}, {}};
        QTest::newRow("right, wrong, right on one question")
            << QVector<QVector<int>>{{Yes, No, Yes}, {No, Yes, No}, {No, No, Yes}}
            << DayRow{3, 1, 1, 0, {}, {}};
        QTest::newRow("wrong then right")
            << QVector<QVector<int>>{{Yes, Yes, Yes}, {No, No, Yes}} << DayRow{2, 1, 1, 0, {}, {}};
        QTest::newRow("two questions, one wrong")
            << QVector<QVector<int>>{{Yes, Yes, Yes}, {Yes, No, No}} << DayRow{2, 1, 2, 1, {}, {}};
        QTest::newRow("wrong count never below zero")
            << QVector<QVector<int>>{{Yes, No, Yes}, {No, No, Yes}} << DayRow{2, 0, 1, 0, {}, {}};
    }

    void dailyLog() {
        QFETCH(QVector<QVector<int>>, answers);
        QFETCH(DayRow, expected);
        auto b = bank();
        for (const auto& a : answers)
            b->dm().RecordDailyAnswer(a[0], a[1], a[2]);
        QCOMPARE(dayRow(b->db(), kDay), expected);
    }

    void dailyLogWithTheTableOpen() {
        auto b = bank();
        TDM1& dm = b->dm();
        dm.RecordDailyAnswer(Yes, Yes, Yes);
        QVERIFY(!dm.Cn1Table_rz.isOpen());  // closed after creating the day's row
        dm.Cn1Table_rz.open();
        dm.RecordDailyAnswer(Yes, No, Yes);
        QVERIFY(dm.Cn1Table_rz.isOpen());
        QCOMPARE(dm.Cn1Table_rz.field("A1").asString(), QString::fromLatin1(kDay));
        QCOMPARE(dm.Cn1Table_rz.field("A2").asInteger(), 2);
        QCOMPARE(dm.Cn1Table_rz.field("B1").asInteger(), 2);
    }

    void chapterCounters() {
        auto b = bank();
        TDM1& dm = b->dm();
        dm.RecordChapterAnswer(QStringLiteral("010101"), Yes, Yes);
        dm.RecordChapterAnswer(QStringLiteral("010101"), No, No);
        Dataset k(QStringLiteral("k"), &b->db());
        k.open(QStringLiteral("select C1, C4, D1, D2 from tab_kmmc order by C1"));
        QMap<QString, QString> got;
        for (k.first(); !k.eof(); k.next()) {
            got[k.field("C1").asString()] = QStringLiteral("%1/%2/%3")
                                                .arg(k.field("C4").asInteger())
                                                .arg(k.field("D1").asInteger())
                                                .arg(k.field("D2").asInteger());
        }
        // The code and its existing prefixes each once per answer; lengths 5 and 3 are no
        // chapters; neighbours untouched.
        for (const char* c : {"010101", "0101", "01", "0"})
            QCOMPARE(got.value(QString::fromLatin1(c)), QStringLiteral("1/2/1"));
        for (const char* c : {"010102", "02", "0201", "020101", "xx"})
            QCOMPARE(got.value(QString::fromLatin1(c)), QStringLiteral("0/0/0"));
        // The chapter table rests on the top level, and memory shows the new counters.
        QCOMPARE(dm.Cn1Table_kmmc.field("C1").asString(), QStringLiteral("0"));
        QCOMPARE(dm.Cn1Table_kmmc.field("D1").asInteger(), 2);
        QCOMPARE(CurrentChapterTitle, QStringLiteral("第一篇"));
    }

    void examPointCounters() {
        auto b = bank();
        const auto lists = buildExamPointLists({"010001000001", "010001000002"});
        b->dm().Cn1Table_fgmc.open();
        b->dm().RecordExamPointAnswer(lists.ruleIds, lists.catalogIds6, lists.catalogIds2, Yes,
                                      Yes);
        b->dm().RecordExamPointAnswer(lists.ruleIds, lists.catalogIds6, lists.catalogIds2, No, No);
        auto counters = [&](const QString& sql) {
            Dataset d(QStringLiteral("d"), &b->db());
            d.open(sql);
            QStringList out;
            for (d.first(); !d.eof(); d.next())
                out << QStringLiteral("%1:%2/%3/%4")
                           .arg(d.field("id").asString())
                           .arg(d.field("q1").asInteger())
                           .arg(d.field("q2").asInteger())
                           .arg(d.field("q4").asInteger());
            return out;
        };
        QCOMPARE(counters("select ftid as id,q1,q2,q4 from tab_rule order by ftid"),
                 (QStringList{"010001000001:1/2/1", "010001000002:1/2/1", "010002000001:0/0/0"}));
        // The entry and the group named twice in one list are raised once per answer.
        QCOMPARE(counters("select id,q1,q2,q4 from tab_fgmc order by id"),
                 (QStringList{"01:1/2/1", "010001:1/2/1", "010002:0/0/0"}));
        QVERIFY(b->dm().Cn1Table_fgmc.locate("id", "010001"));
        QCOMPARE(b->dm().Cn1Table_fgmc.field("q2").asInteger(), 2);
    }

    void studyTime_data() {
        QTest::addColumn<QVariant>("storedTime");
        QTest::addColumn<QString>("elapsed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("adds up") << QVariant("00:55:30") << "0:10:00"
                                 << "01:05:30";
        QTest::newRow("empty day time") << QVariant() << "0:10:00"
                                        << "00:10:00";
        QTest::newRow("long day") << QVariant("99:59:59") << "0:00:01"
                                  << "100:00:00";
    }

    void studyTime() {
        QFETCH(QVariant, storedTime);
        QFETCH(QString, elapsed);
        QFETCH(QString, expected);
        auto b = bank();
        b->db().execute(
            QStringLiteral("INSERT INTO tab_rz (A1,A2,A3,B1,B2,D1) VALUES (?,8,1,5,1,?)"),
            {QString::fromLatin1(kDay), storedTime});
        b->dm().AddStudyTime(elapsed);
        QCOMPARE(dayRow(b->db(), kDay), (DayRow{8, 1, 5, 1, expected, "87.50"}));
    }

    void studyTimeRefreshesEveryChapterRate() {
        auto b = bank();
        TDM1& dm = b->dm();
        // Answers in two chapters in one sitting: every rate is refreshed, though the
        // chapter table rests on the top level of the last one.
        dm.RecordDailyAnswer(Yes, No, Yes);
        dm.RecordChapterAnswer(QStringLiteral("010101"), Yes, No);
        dm.RecordChapterAnswer(QStringLiteral("010101"), No, Yes);
        dm.RecordChapterAnswer(QStringLiteral("010101"), No, No);
        dm.RecordChapterAnswer(QStringLiteral("020101"), Yes, Yes);
        dm.AddStudyTime(QStringLiteral("0:01:00"));
        auto rate = [&](const char* c) {
            return b->db()
                .scalar(QStringLiteral("SELECT C6 FROM tab_kmmc WHERE C1=?"),
                        {QString::fromLatin1(c)})
                .toString();
        };
        QCOMPARE(rate("0"), QStringLiteral("50.00"));
        QCOMPARE(rate("010101"), QStringLiteral("66.67"));
        QCOMPARE(rate("02"), QStringLiteral("0.00"));
        QCOMPARE(rate("010102"), QStringLiteral("0"));
        QVERIFY(dm.Cn1Table_kmmc.locate("C1", "0"));
        QCOMPARE(dm.Cn1Table_kmmc.field("C6").asString(), QStringLiteral("50.00"));
        QCOMPARE(dayRow(b->db(), kDay).d1, QStringLiteral("00:01:00"));
    }

    void studyTimeWithoutADayRow() {
        auto b = bank();
        b->db().execute(QStringLiteral("UPDATE tab_kmmc SET D1=4, D2=1 WHERE C1='02'"));
        b->dm().AddStudyTime(QStringLiteral("0:10:00"));
        QCOMPARE(b->db().scalar(QStringLiteral("SELECT count(*) FROM tab_rz")).toInt(), 0);
        QCOMPARE(b->db().scalar(QStringLiteral("SELECT C6 FROM tab_kmmc WHERE C1='02'")).toString(),
                 QStringLiteral("75.00"));
        // A day row without answers gets the rate "0".
        b->db().execute(QStringLiteral("INSERT INTO tab_rz (A1) VALUES (?)"),
                        {QString::fromLatin1(kDay)});
        b->dm().AddStudyTime(QStringLiteral("0:00:05"));
        QCOMPARE(dayRow(b->db(), kDay).a4, QStringLiteral("0"));
    }

    void damagedDayTimeRaisesAndChangesNothing() {
        auto b = bank();
        b->db().execute(QStringLiteral("INSERT INTO tab_rz (A1,A2,D1) VALUES (?,1,'1::00')"),
                        {QString::fromLatin1(kDay)});
        b->db().execute(QStringLiteral("UPDATE tab_kmmc SET D1=2 WHERE C1='0'"));
        QVERIFY_THROWS_EXCEPTION(DbError, b->dm().AddStudyTime(QStringLiteral("0:01:00")));
        QCOMPARE(b->db().scalar(QStringLiteral("SELECT C6 FROM tab_kmmc WHERE C1='0'")).toString(),
                 QStringLiteral("0"));
    }

    void rolledBackAnswerLeavesMemoryEqualToTheTable() {
        auto b = bank();
        TDM1& dm = b->dm();
        dm.Cn1Table_kmmc.open();
        dm.Cn1Table_rz.open();
        dm.RecordDailyAnswer(Yes, No, Yes);
        dm.Cn1Table_rz.open();
        {
            Transaction answer(b->db());
            dm.RecordDailyAnswer(No, Yes, No);
            dm.RecordChapterAnswer(QStringLiteral("010101"), Yes, Yes);
            const auto lists = buildExamPointLists({"010002000001"});
            dm.RecordExamPointAnswer(lists.ruleIds, lists.catalogIds6, lists.catalogIds2, Yes, Yes);
            QCOMPARE(dm.Cn1Table_kmmc.field("D1").asInteger(), 1);
            // a failure after the counters moved: nothing of the answer may stay
        }
        QCOMPARE(b->db().scalar(QStringLiteral("SELECT sum(D1) FROM tab_kmmc")).toInt(), 0);
        QCOMPARE(b->db().scalar(QStringLiteral("SELECT sum(q2) FROM tab_rule")).toInt(), 0);
        QCOMPARE(dayRow(b->db(), kDay), (DayRow{1, 0, 1, 0, {}, {}}));
        for (dm.Cn1Table_kmmc.first(); !dm.Cn1Table_kmmc.eof(); dm.Cn1Table_kmmc.next())
            QCOMPARE(dm.Cn1Table_kmmc.field("D1").asInteger(), 0);
        QVERIFY(dm.Cn1Table_rz.locate("A1", kDay));
        QCOMPARE(dm.Cn1Table_rz.field("A2").asInteger(), 1);
    }

    void chapterRowChangeFollowsTitleAndGuidance() {
        auto b = bank();
        TDM1& dm = b->dm();
        QSignalSpy guidance(&dm, &TDM1::chapterGuidanceChanged);
        ChapterBrowserShown = false;
        dm.Cn1Table_kmmc.open();
        QCOMPARE(CurrentChapterTitle, QStringLiteral("第一篇"));
        QCOMPARE(guidance.count(), 0);
        ChapterBrowserShown = true;
        dm.Cn1Table_kmmc.locate("C1", "01");
        QCOMPARE(CurrentChapterTitle, QStringLiteral("第一章"));
        QCOMPARE(guidance.last().at(0).toBool(), true);
        dm.Cn1Table_kmmc.locate("C1", "0101");
        QCOMPARE(guidance.last().at(0).toBool(), false);
        ChapterBrowserShown = false;
    }
};

int runStatisticsTests(int argc, char** argv) {
    StatisticsTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_statistics.moc"
