#include "data_module.h"
#include "database.h"
#include "exam_plan.h"

#include <QDir>
#include <QStringList>
#include <QTest>

namespace {

qint64 count(Database& db, const QString& sql, const Params& params = {})
{
    return db.scalar(sql, params).toLongLong();
}

// The first ten values of a query's column "id": the rows at fault, for failure messages.
QString ids(Database& db, const QString& sql)
{
    Dataset rows(QStringLiteral("ids"), &db);
    rows.open(sql);
    QStringList out;
    for (rows.first(); !rows.eof() && out.size() < 10; rows.next())
        out << rows.field(QStringLiteral("id")).asString();
    return out.join(QStringLiteral(", "));
}

}  // namespace

// The demo bank the program ships: enough questions for every mock exam, and content a
// new learner can study from (types, texts, model answers, groups, exam points, guidance).
class DemoBankTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString path = qEnvironmentVariable("LORVANE_BIN_DIR") + QStringLiteral("/data/WUPTAVNOR88417.mdb");
        QVERIFY2(dm_.openBank(path), qPrintable(path));
    }

    // The draw never takes the last of n rows, and a learner may void one more: every
    // (type, chapter prefix) the plan draws needs its count plus two live questions.
    void everyDrawHasEnoughQuestions()
    {
        Database& db = dm_.ADOCn1;
        QStringList shortOf;
        for (const DrawPlanEntry& e : drawPlan()) {
            const QString prefix = QString::fromLatin1(e.chapterPrefix);
            const qint64 have = count(db, QStringLiteral("SELECT count(*) FROM tab_answ WHERE A13 = ? AND F1 <> 1 "
                                                         "AND substr(A10, 1, length(?)) = ?"),
                                      {e.typeCode, prefix, prefix});
            if (have < e.count + 2) {
                shortOf << QStringLiteral("exam %1 type %2 prefix %3: %4 of %5")
                               .arg(e.examType).arg(e.typeCode).arg(prefix).arg(have).arg(e.count + 2);
            }
        }
        QVERIFY2(shortOf.isEmpty(), qPrintable(shortOf.join('\n')));
    }

    void questionsHaveKnownTypesAndContent()
    {
        Database& db = dm_.ADOCn1;
        QStringList codes;
        for (const QuestionTypeName& t : questionTypeNames())
            codes << QString::number(t.code);
        const QString unknownType =
            QStringLiteral("SELECT A1 AS id FROM tab_answ WHERE A13 NOT IN (%1)").arg(codes.join(','));
        QVERIFY2(ids(db, unknownType).isEmpty(), qPrintable(ids(db, unknownType)));

        // Every question text is stored as RTF, and no two questions are the same.
        const QString notRtf = QStringLiteral(
            "SELECT a.A1 AS id FROM tab_answ a LEFT JOIN tab_exer e ON e.A1 = a.A1 "
            "WHERE e.A15 IS NULL OR substr(CAST(e.A15 AS TEXT), 1, 5) <> '{\\rtf'");
        QVERIFY2(ids(db, notRtf).isEmpty(), qPrintable(ids(db, notRtf)));
        QCOMPARE(count(db, "SELECT count(*) - count(DISTINCT A15) FROM tab_exer"), 0);

        // Choice questions show 2 to 6 options; the others show none.
        const QString badOptions = QStringLiteral(
            "SELECT A1 AS id FROM tab_answ WHERE (A13 IN (61, 65, 66) AND (A2_1 < 2 OR A2_1 > 6)) "
            "OR (A13 NOT IN (61, 65, 66) AND A2_1 <> 0)");
        QVERIFY2(ids(db, badOptions).isEmpty(), qPrintable(ids(db, badOptions)));

        // A self-assessed question is only useful with its model answer.
        const QString noModel = QStringLiteral(
            "SELECT a.A1 AS id FROM tab_answ a JOIN tab_exer e ON e.A1 = a.A1 "
            "WHERE a.A13 >= 70 AND (e.jx IS NULL OR length(e.jx) = 0)");
        QVERIFY2(ids(db, noModel).isEmpty(), qPrintable(ids(db, noModel)));
    }

    void groupsShareAStem()
    {
        Database& db = dm_.ADOCn1;
        QVERIFY(count(db, "SELECT count(*) FROM tab_title") >= 15);
        const QString orphan = QStringLiteral(
            "SELECT A1 AS id FROM tab_answ a WHERE A1 LIKE '%-%' AND NOT EXISTS "
            "(SELECT 1 FROM tab_title t WHERE t.A1 = substr(a.A1, 1, 16))");
        QVERIFY2(ids(db, orphan).isEmpty(), qPrintable(ids(db, orphan)));
        // A stem serves a group: two questions or more.
        const QString lonely = QStringLiteral(
            "SELECT A1 AS id FROM tab_title t WHERE (SELECT count(*) FROM tab_answ a "
            "WHERE substr(a.A1, 1, 16) = t.A1 AND length(a.A1) > 16) < 2");
        QVERIFY2(ids(db, lonely).isEmpty(), qPrintable(ids(db, lonely)));
        // Matching questions list their candidate answers in the stem, so each has one.
        const QString loneMatching = QStringLiteral("SELECT A1 AS id FROM tab_answ WHERE A13 = 66 AND A1 NOT LIKE '%-%'");
        QVERIFY2(ids(db, loneMatching).isEmpty(), qPrintable(ids(db, loneMatching)));
    }

    void catalogueOfExamPoints()
    {
        Database& db = dm_.ADOCn1;
        QVERIFY(count(db, "SELECT count(*) FROM tab_fgmc WHERE length(id) = 6") >= 15);
        QVERIFY(count(db, "SELECT count(*) FROM tab_rule") >= 80);
        const QString empty = QStringLiteral(
            "SELECT ftid AS id FROM tab_rule WHERE coalesce(sn, '') = '' OR n IS NULL OR length(n) = 0 OR q = 0");
        QVERIFY2(ids(db, empty).isEmpty(), qPrintable("empty or unused exam points: " + ids(db, empty)));
    }

    void chaptersGuideAndChart()
    {
        Database& db = dm_.ADOCn1;
        const QString unguided = QStringLiteral(
            "SELECT C1 AS id FROM tab_kmmc WHERE length(C1) <= 2 AND (jx IS NULL OR length(jx) = 0)");
        QVERIFY2(ids(db, unguided).isEmpty(), qPrintable(ids(db, unguided)));
        const qint64 charted = count(db, "SELECT count(*) FROM tab_kmmc WHERE C7 = '0'");
        QVERIFY2(charted >= 8 && charted <= 16, qPrintable(QString::number(charted)));
        // Every chapter of the tree leads to questions to practise.
        const QString emptyChapter = QStringLiteral("SELECT C1 AS id FROM tab_kmmc WHERE C3 = 0");
        QVERIFY2(ids(db, emptyChapter).isEmpty(), qPrintable(ids(db, emptyChapter)));
    }

private:
    TDM1 dm_;
};

QTEST_MAIN(DemoBankTest)
#include "tst_demo_bank.moc"
