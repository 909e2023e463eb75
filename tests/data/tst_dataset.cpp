#include "data_module.h"
#include "database.h"
#include "dataset.h"
#include "db_error.h"
#include "temp_bank.h"

#include <QSignalSpy>
#include <QTest>

// The dataset as the windows use it: filters in the program's own texts, locate, sort,
// typed reads, and edits written back by key.
class DatasetTest : public QObject {
    Q_OBJECT

  private:
    static QStringList ids(Dataset& ds, const QString& column = QStringLiteral("A1")) {
        QStringList out;
        for (ds.first(); !ds.eof(); ds.next())
            out << ds.field(column).asString();
        return out;
    }

  private slots:
    void filterTexts_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("type code") << "A13=61" << QStringList{"0101010001"};
        QTest::newRow("draw view")
            << "A13=65 and a10 like '01*' and f1<>1" << QStringList{"0101010002"};
        QTest::newRow("like is case-insensitive, ? is one character")
            << "A1 like '020101-M00000001-?'"
            << QStringList{"020101-M00000001-1", "020101-M00000001-2"};
        QTest::newRow("text compare ignores case")
            << "A2='abd'" << QStringList{"020101-M00000001-2"};
        QTest::newRow("or and parentheses")
            << "(A13=62 or A13=64) and A2_1 = 0" << QStringList{"0101020001", "0101020002"};
        QTest::newRow("NULL equals nothing")
            << "K4='010001000002' or K4<>'x'" << QStringList{"0101010001"};
        QTest::newRow("NULL is not unequal either")
            << "f1<>1"
            << QStringList{"0101010001", "0101010002", "0101020002", "020101-M00000001-1",
                           "020101-M00000001-2"};
        QTest::newRow("is null") << "K3 is null and A13 > 62"
                                 << QStringList{"0101020002", "020101-M00000001-1",
                                                "020101-M00000001-2"};
        QTest::newRow("empty filter shows all")
            << "" << QStringList{"0101010001", "0101010002",         "0101020001",
                                 "0101020002", "020101-M00000001-1", "020101-M00000001-2"};
    }

    void filterTexts() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        TempBank bank;
        // One row with F1 NULL: "f1<>1" must not show it.
        bank.db().execute(QStringLiteral("UPDATE tab_answ SET F1=NULL WHERE A1='0101020001'"));
        Dataset ds(QStringLiteral("q"), &bank.db());
        ds.open(QStringLiteral("select * from tab_answ"));
        ds.setFilter(filter);
        QCOMPARE(ids(ds), expected);
        QCOMPARE(ds.recordCount(), static_cast<int>(expected.size()));
    }

    void numericAndTextFilters() {
        TempBank bank;
        auto& db = bank.db();
        db.execute(
            QStringLiteral("INSERT INTO tab_cj (A1,A3,A3_1,A6) VALUES "
                           "('tab_exam1','a',1,59.5),('tab_exam2','b',2,60),"
                           "('tab_exam3','c',3,NULL),('tab_exam4','d',4,87.25)"));
        Dataset cj(QStringLiteral("cj"), &db);
        cj.setTableName(QStringLiteral("tab_cj"));
        cj.open();
        cj.setFilter(QStringLiteral("A6 >=60"));
        QCOMPARE(ids(cj), (QStringList{"tab_exam2", "tab_exam4"}));

        Dataset kmmc(QStringLiteral("kmmc"), &db);
        kmmc.setTableName(QStringLiteral("tab_kmmc"));
        kmmc.setIndexFieldNames(QStringLiteral("bh"));
        kmmc.open();
        kmmc.setFilter(QStringLiteral("c1<>'xx'"));
        QCOMPARE(kmmc.recordCount(), 8);
        QVERIFY(!kmmc.locate(QStringLiteral("C1"), QStringLiteral("XX")));

        QVERIFY_THROWS_EXCEPTION(DbError, kmmc.setFilter(QStringLiteral("nosuch=1")));
        QVERIFY_THROWS_EXCEPTION(DbError, kmmc.setFilter(QStringLiteral("C1 = 'open")));
    }

    void locateAndSort() {
        TempBank bank;
        Dataset ds(QStringLiteral("kmmc"), &bank.db());
        ds.setTableName(QStringLiteral("tab_kmmc"));
        ds.setIndexFieldNames(QStringLiteral("bh"));
        ds.open();
        QCOMPARE(ds.field(QStringLiteral("C1")).asString(), QStringLiteral("0"));
        QVERIFY(ds.locate(QStringLiteral("c1"), QStringLiteral("010102")));
        QCOMPARE(ds.recNo(), 5);
        // Ids compare without regard to case; a failed locate stays on the row.
        QVERIFY(ds.locate(QStringLiteral("C1"), QStringLiteral("XX")));
        QCOMPARE(ds.field(QStringLiteral("C2")).asString(), QStringLiteral("隐藏"));
        QVERIFY(!ds.locate(QStringLiteral("C1"), QStringLiteral("9")));
        QCOMPARE(ds.field(QStringLiteral("C1")).asString(), QStringLiteral("xx"));
        QVERIFY(!ds.locate(QStringLiteral("C1"), QStringLiteral("XX"), false));

        ds.setSort(QStringLiteral("C1 DESC"));
        QCOMPARE(ids(ds, QStringLiteral("C1")).first(), QStringLiteral("xx"));
        QCOMPARE(ids(ds, QStringLiteral("C1")).last(), QStringLiteral("0"));

        Dataset q(QStringLiteral("q"), &bank.db());
        q.open(QStringLiteral("select A1, A13, E3 from tab_answ"));
        q.setSort(QStringLiteral("A13 DESC, A1"));
        QCOMPARE(ids(q).first(), QStringLiteral("020101-M00000001-1"));
        QCOMPARE(q.recordCount(), 6);
    }

    void typedReads() {
        TempBank bank;
        auto& db = bank.db();
        // A note that looks like a number reads back as the text it was.
        db.execute(QStringLiteral("UPDATE tab_answ SET A14=?, E1=? WHERE A1='0101010001'"),
                   {QStringLiteral("007"), QStringLiteral("2026-12-11")});
        Dataset ds(QStringLiteral("q"), &db);
        ds.open(QStringLiteral("select * from tab_answ where A1=?"),
                {QStringLiteral("0101010001")});
        QCOMPARE(ds.field(QStringLiteral("a14")).asString(), QStringLiteral("007"));
        QCOMPARE(ds.field(QStringLiteral("E1")).asString(), QStringLiteral("2026-12-11"));
        QCOMPARE(ds.field(QStringLiteral("A13")).asInteger(), 61);
        // NULL reads as 0, 0.0 and "".
        QVERIFY(ds.field(QStringLiteral("E2")).isNull());
        QCOMPARE(ds.field(QStringLiteral("E2")).asString(), QString());
        QCOMPARE(ds.field(QStringLiteral("K5")).asInteger(), 0);
        QCOMPARE(ds.field(QStringLiteral("csbs")).asFloat(), 0.0);
        QVERIFY_THROWS_EXCEPTION(DbError, ds.field(QStringLiteral("nosuch")));
        QVERIFY_THROWS_EXCEPTION(DbError, ds.field(QStringLiteral("A2")).asInteger());
    }

    void postWritesOnlyChangedColumnsAndKeepsTheView() {
        TempBank bank;
        auto& db = bank.db();
        Dataset tm(QStringLiteral("Cn1Query_tm"), &db);
        tm.setUpdateTable(QStringLiteral("tab_answ"), QStringLiteral("A1"));
        tm.open(QStringLiteral("select a1,a2,e2,e2_1,e3,f1 from tab_answ order by a1"));
        tm.setFilter(QStringLiteral("f1<>1"));
        QCOMPARE(tm.recordCount(), 6);
        QVERIFY(tm.moveTo(2));
        // Someone else changes E3 of the row behind the dataset's back.
        db.execute(QStringLiteral("UPDATE tab_answ SET E3=5, A14='note' WHERE A1='0101010002'"));
        tm.edit();
        tm.setField(QStringLiteral("F1"), 1);
        tm.setField(QStringLiteral("E2"), QStringLiteral("zero"));
        tm.post();
        // Only F1 and E2 were written: E3 keeps the other writer's 5, and the dataset now
        // shows what the table holds.
        QCOMPARE(db.scalar(QStringLiteral("SELECT E3 FROM tab_answ WHERE A1='0101010002'")).toInt(),
                 5);
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT E2 FROM tab_answ WHERE A1='0101010002'")).toString(),
            QStringLiteral("zero"));
        QCOMPARE(tm.field(QStringLiteral("E3")).asInteger(), 5);
        // The row no longer matches the filter, yet record numbers stay as they were until
        // the filter is set again.
        QCOMPARE(tm.recordCount(), 6);
        QCOMPARE(tm.recNo(), 2);
        QVERIFY(tm.moveTo(3));
        QCOMPARE(tm.field(QStringLiteral("A1")).asString(), QStringLiteral("0101020001"));
        tm.setFilter(QStringLiteral("f1<>1"));
        QCOMPARE(tm.recordCount(), 5);

        // Moving away from an edited row posts it, as leaving a question does.
        tm.first();
        tm.setField(QStringLiteral("E2_1"), QStringLiteral("B"));
        tm.next();
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT E2_1 FROM tab_answ WHERE A1='0101010001'")).toString(),
            QStringLiteral("B"));
    }

    void appendAndRemove() {
        TempBank bank;
        auto& db = bank.db();
        Dataset rz(QStringLiteral("rz"), &db);
        rz.setTableName(QStringLiteral("tab_rz"));
        rz.open();
        QVERIFY(rz.isEmpty());
        rz.append();
        rz.setField(QStringLiteral("A1"), QStringLiteral("2026-12-11"));
        rz.setField(QStringLiteral("A2"), 1);
        rz.post();
        QCOMPARE(rz.recordCount(), 1);
        // Columns not set take the table's defaults, in memory too.
        QCOMPARE(rz.field(QStringLiteral("B2")).value(), QVariant(qint64(0)));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM tab_rz")).toInt(), 1);
        rz.remove();
        QVERIFY(rz.isEmpty());
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM tab_rz")).toInt(), 0);

        // A key that exists already fails and is reported with SQLite's message.
        Dataset kmmc(QStringLiteral("kmmc"), &db);
        kmmc.setTableName(QStringLiteral("tab_kmmc"));
        kmmc.open();
        kmmc.append();
        kmmc.setField(QStringLiteral("C1"), QStringLiteral("XX"));
        try {
            kmmc.post();
            QFAIL("duplicate key accepted");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("UNIQUE")), qPrintable(e.message()));
        }
        // A dataset without a key to write back to refuses edits.
        Dataset sums(QStringLiteral("sums"), &db);
        sums.open(QStringLiteral("select sum(C3) as s from tab_kmmc"));
        QVERIFY_THROWS_EXCEPTION(DbError, sums.edit());
    }

    void rollbackRestoresWhatTheTableHolds() {
        TempBank bank;
        auto& db = bank.db();
        Dataset tm(QStringLiteral("tm"), &db);
        tm.setUpdateTable(QStringLiteral("tab_answ"), QStringLiteral("A1"));
        tm.open(QStringLiteral("select a1,e2,e3 from tab_answ order by a1"));
        const int before = tm.recordCount();
        {
            Transaction tx(db);
            tm.first();
            tm.setField(QStringLiteral("E2"), QStringLiteral("B"));
            tm.setField(QStringLiteral("E3"), 1);
            tm.post();
            tm.last();
            tm.remove();
            QCOMPARE(tm.recordCount(), before - 1);
            // no commit: rolled back when the scope ends
        }
        QCOMPARE(tm.recordCount(), before);
        tm.first();
        QVERIFY(tm.field(QStringLiteral("E2")).isNull());
        QCOMPARE(tm.field(QStringLiteral("E3")).asInteger(), 0);
        QVERIFY(tm.locate(QStringLiteral("A1"), QStringLiteral("020101-M00000001-2")));
    }

    void currentRowNotification() {
        TempBank bank;
        Dataset ds(QStringLiteral("kmmc"), &bank.db());
        ds.setTableName(QStringLiteral("tab_kmmc"));
        QSignalSpy spy(&ds, &Dataset::currentRowChanged);
        ds.open();
        QVERIFY(spy.count() >= 1);
        spy.clear();
        ds.moveTo(3);
        QCOMPARE(spy.count(), 1);
        ds.moveTo(3);
        QCOMPARE(spy.count(), 1);
        ds.setField(QStringLiteral("C2"), QStringLiteral("新名"));
        ds.post();
        QCOMPARE(spy.count(), 2);
    }
};

int runDatasetTests(int argc, char** argv) {
    DatasetTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_dataset.moc"
