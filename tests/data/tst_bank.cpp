#include "data_module.h"
#include "database.h"
#include "db_error.h"
#include "exam_point_lists.h"
#include "jet_text.h"
#include "globals.h"
#include "jet_functions.h"
#include "schema.h"
#include "statement.h"
#include "temp_bank.h"
#include "time_text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The bank file: its key, what opening it demands, and the small rules every statement
// relies on (CInt, time texts, exam-point lists).
class BankTest : public QObject {
    Q_OBJECT

  private slots:
    void opensOnlyWithItsKey() {
        TempBank bank(TempBank::Content::SchemaOnly);
        const QString path = bank.bankPath();
        bank.dm().closeConnection();

        // Encrypted: the plain SQLite header is nowhere in the file.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(!f.readAll().contains("SQLite format 3"));
        f.close();

        Database plain;
        QVERIFY_THROWS_EXCEPTION(DbError, plain.open(path, {}, Database::OpenMode::ExistingOnly));
        Database wrong;
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 wrong.open(path, "not-the-key", Database::OpenMode::ExistingOnly));
        QVERIFY(!wrong.isOpen());

        TDM1 dm;
        QVERIFY(dm.openBank(path));
        QVERIFY(hasFixedTables(dm.ADOCn1));
        QCOMPARE(dm.ADOCn1.scalar(QStringLiteral("PRAGMA journal_mode")).toString(),
                 QStringLiteral("wal"));
        QCOMPARE(dm.ADOCn1.scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
    }

    void refusesWhatIsNotItsBank_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("garbage") << QByteArray(5000, 'x') << true;
        QTest::newRow("jet header") << QByteArray("\x00\x01\x00\x00Standard Jet DB", 19) << true;
    }

    void refusesWhatIsNotItsBank() {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bank.mdb"));
        if (exists) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);
        TDM1 dm;
        QVERIFY(!dm.openBank(path));
        QVERIFY(!dm.ADOCn1.isOpen());
        // Nothing was created: no bank, no journal beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);
        QCOMPARE(QFile(path).size(), static_cast<qint64>(content.size()));
    }

    void refusesAWrongKeyAndABankWithoutItsTables() {
        QTemporaryDir dir;
        const QString other = dir.filePath(QStringLiteral("other.mdb"));
        {
            Database db;
            db.open(other, "another key", Database::OpenMode::CreateIfMissing);
            createBankSchema(db);
        }
        TDM1 dm;
        QVERIFY(!dm.openBank(other));

        const QString partial = dir.filePath(QStringLiteral("partial.mdb"));
        {
            Database db;
            db.open(partial, bankKey(), Database::OpenMode::CreateIfMissing);
            db.execute(QStringLiteral("CREATE TABLE tab_answ (A1 TEXT)"));
        }
        QVERIFY(!dm.openBank(partial));
    }

    void dataModuleCreateOpensTheBankBesideTheProgram() {
        TDM1 dm;
        dm.DataModuleCreate();
        QVERIFY(AppPath.endsWith(QLatin1Char('/')));
        QCOMPARE(dm.DbOpened, QFile::exists(AppPath + TDM1::bankRelativePath()));
    }

    void cintRoundsHalfToEven_data() {
        QTest::addColumn<QString>("expr");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("2.5") << "CInt(2.5)" << QVariant(qint64(2));
        QTest::newRow("3.5") << "CInt(3.5)" << QVariant(qint64(4));
        QTest::newRow("-2.5") << "CInt(-2.5)" << QVariant(qint64(-2));
        QTest::newRow("text") << "CInt(' 0042')" << QVariant(qint64(42));
        QTest::newRow("text decimal") << "cint('6.5')" << QVariant(qint64(6));
        QTest::newRow("integer") << "CINT(7)" << QVariant(qint64(7));
        QTest::newRow("not a number") << "CInt('12a')" << QVariant();
        QTest::newRow("null") << "CInt(NULL)" << QVariant();
        QTest::newRow("right four of a user id")
            << "CInt(substr('US0101016140012',-4))" << QVariant(qint64(12));
    }

    void cintRoundsHalfToEven() {
        QFETCH(QString, expr);
        QFETCH(QVariant, expected);
        TempBank bank(TempBank::Content::SchemaOnly);
        const QVariant got = bank.db().scalar(QStringLiteral("SELECT ") + expr);
        QCOMPARE(got.isNull(), expected.isNull());
        if (!expected.isNull())
            QCOMPARE(got.toLongLong(), expected.toLongLong());
    }

    void answersCompareExactlyIdsWithoutCase() {
        TempBank bank;
        auto& db = bank.db();
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM tab_answ WHERE A2='ac'")).toInt(),
                 0);
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT count(*) FROM tab_answ WHERE A10='010101'")).toInt(),
            2);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM tab_kmmc WHERE C1='XX'")).toInt(),
                 1);
        // NULL + 1 would stay NULL: counters are never NULL.
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 db.execute(QStringLiteral("UPDATE tab_answ SET E3=NULL")));
    }

    void nestedTransactions() {
        TempBank bank;
        auto& db = bank.db();
        {
            Transaction outer(db);
            db.execute(QStringLiteral("UPDATE tab_answ SET E3=1"));
            {
                Transaction inner(db);
                db.execute(QStringLiteral("UPDATE tab_answ SET E3=2"));
            }  // inner rolled back
            QCOMPARE(db.scalar(QStringLiteral("SELECT max(E3) FROM tab_answ")).toInt(), 1);
            {
                Transaction inner(db);
                db.execute(QStringLiteral("UPDATE tab_answ SET E4=-3"));
                inner.commit();
            }
            outer.commit();
        }
        QCOMPARE(db.scalar(QStringLiteral("SELECT min(E4) FROM tab_answ")).toInt(), -3);
        QCOMPARE(db.transactionDepth(), 0);
    }

    void timeTextToSeconds_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("1:02:03") << "1:02:03" << qint64(3723);
        QTest::newRow("12:30:00") << "12:30:00" << qint64(12 * 3600 + 30 * 60);
        QTest::newRow("0:00:00") << "0:00:00" << qint64(0);
        QTest::newRow("no colon") << "1234" << qint64(0);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("one colon: hours only") << "5:07" << qint64(5 * 3600);
        QTest::newRow("log form") << "00:30:59" << qint64(30 * 60 + 59);
        QTest::newRow("long hours") << "123:04:05" << qint64(123 * 3600 + 4 * 60 + 5);
        QTest::newRow("third colon ends it") << "1:02:03:04" << qint64(3720);
        QTest::newRow("seconds: first two characters") << "0:00:456" << qint64(45);
    }

    void timeTextToSeconds() {
        QFETCH(QString, text);
        QFETCH(qint64, seconds);
        QCOMPARE(TimeTextToSeconds(text), seconds);
    }

    void timeTextFailsOnDamagedParts() {
        for (const char* bad : {"1::03", "a:00:00", "1:00:", "1:0x:00"})
            QVERIFY_THROWS_EXCEPTION(DbError, TimeTextToSeconds(QString::fromLatin1(bad)));
        QCOMPARE(secondsToLogTime(3930), QStringLiteral("01:05:30"));
        QCOMPARE(secondsToLogTime(360000), QStringLiteral("100:00:00"));
        QCOMPARE(secondsToClockTime(3930), QStringLiteral("1:05:30"));
        QCOMPARE(rateText(8, 1), QStringLiteral("87.50"));
        QCOMPARE(rateText(3, 1), QStringLiteral("66.67"));
        QCOMPARE(rateText(0, 0), QStringLiteral("0"));
    }

    void examPointLists() {
        const auto two = buildExamPointLists({"010001000001", "010001000002", "", "020001000001"});
        QCOMPARE(two.count, 2);
        QCOMPARE(two.ruleIds, QStringLiteral("('010001000001','010001000002')"));
        QCOMPARE(two.catalogIds6, QStringLiteral("('010001','010001')"));
        QCOMPARE(two.catalogIds2, QStringLiteral("('01','01')"));

        // A blank K3 ends the list at once; control characters and blanks count as empty.
        QVERIFY(buildExamPointLists({" \t", "010001000001"}).isEmpty());
        QVERIFY(buildExamPointLists({}).isEmpty());
        // Quotes are doubled, never pasted raw.
        QCOMPARE(buildExamPointLists({"ab'c"}).ruleIds, QStringLiteral("('ab''c')"));
        QCOMPARE(jetTrim(QStringLiteral("\x01 a b \n")), QStringLiteral("a b"));
        QCOMPARE(jetTrim(QStringLiteral("\u3000a")), QStringLiteral("\u3000a"));
    }
};

int runBankTests(int argc, char** argv) {
    BankTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_bank.moc"
