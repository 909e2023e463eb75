#include "bank_source.h"
#include "bank_writer.h"
#include "data_module.h"
#include "database.h"
#include "exam_plan.h"
#include "html_to_rtf.h"
#include "midi_writer.h"
#include "rtf_plain_text.h"
#include "rtf_reader.h"
#include "schema.h"
#include "statement.h"
#include "tunes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace {

QString binDir() {
    return qEnvironmentVariable("LORVANE_BIN_DIR");
}

qint64 count(Database& db, const QString& sql, const Params& params = {}) {
    return db.scalar(sql, params).toLongLong();
}

BankSource smallSource() {
    BankSource s;
    s.productMark = QStringLiteral("P");
    s.baseUpgradeMark = QStringLiteral("BASE");
    s.chapters = {{"0", "篇", "篇", false, {}},
                  {"05", "章", "章", true, "<p>guide</p>"},
                  {"0501", "节", "节", false, {}},
                  {"050101", "小节", "小节", false, {}}};
    s.catalogue = {
        {"02",
         "组",
         {{"020001",
           "条目",
           {{"020001000001", "点一", "<p>x</p>"}, {"020001000002", "点二", "<p>y</p>"}}}}}};
    SourceQuestion b{"0501010002",
                     "050101",
                     61,
                     {"a", "b"},
                     2,
                     "B",
                     "<p>second</p>",
                     {},
                     {"020001000001", "020001000002"},
                     2};
    SourceQuestion a{"0501010001", "050101",         62, {}, 0, "A", "<p>first</p>",
                     "<p>why</p>", {"020001000001"}, 1};
    s.questions = {b, a};
    return s;
}

}  // namespace

// The pipeline that builds the shipped files, and the shipped bank itself.
class AssetgenTest : public QObject {
    Q_OBJECT

  private slots:
    void answerForms_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("options");
        QTest::addColumn<bool>("ok");
        QTest::newRow("single") << 61 << "C" << 4 << true;
        QTest::newRow("single beyond the options") << 61 << "E" << 4 << false;
        QTest::newRow("single two letters") << 61 << "AB" << 4 << false;
        QTest::newRow("multiple in order") << 65 << "ACD" << 5 << true;
        QTest::newRow("multiple out of order") << 65 << "CA" << 4 << false;
        QTest::newRow("multiple needs two") << 65 << "A" << 4 << false;
        QTest::newRow("matching one letter") << 66 << "B" << 5 << true;
        QTest::newRow("true") << 62 << "A" << 0 << true;
        QTest::newRow("true/false as word") << 62 << "对" << 0 << false;
        QTest::newRow("fill-in blanks") << 64 << "32,128" << 0 << true;
        QTest::newRow("fill-in with a blank after the comma") << 64 << "32, 128" << 0 << false;
        QTest::newRow("fill-in padded") << 64 << " 32" << 0 << false;
        QTest::newRow("self-assessed") << 71 << "1" << 0 << true;
        QTest::newRow("self-assessed other") << 70 << "0" << 0 << false;
    }

    void answerForms() {
        QFETCH(int, type);
        QFETCH(QString, answer);
        QFETCH(int, options);
        QFETCH(bool, ok);
        QCOMPARE(answerFormProblem(type, answer, options).isEmpty(), ok);
    }

    void validationFindsBrokenSources() {
        QVERIFY(validateBankSource(smallSource()).isEmpty());
        BankSource s = smallSource();
        s.questions[0].id = QStringLiteral("US01");
        s.questions[1].points << QStringLiteral("990001000001");
        s.questions.push_back(
            {"050101-X00000001-1", "050101", 71, {}, 0, "1", "<p>stemmed</p>", {}, {}, 3});
        s.questions.push_back(
            {"0501010009", "0599", 61, {"a", "b"}, 2, "A", "<p>second</p>", {}, {}, 4});
        const QString problems = validateBankSource(s).join('\n');
        QVERIFY2(problems.contains("user's own"), qPrintable(problems));
        QVERIFY2(problems.contains("unknown exam point 990001000001"), qPrintable(problems));
        QVERIFY2(problems.contains("no stem 050101-X00000001"), qPrintable(problems));
        QVERIFY2(problems.contains("not a six-character chapter"), qPrintable(problems));
        QVERIFY2(problems.contains("same text"), qPrintable(problems));
    }

    void writesABankWithConsistentCounters() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("data/bank.mdb"));
        writeBank(smallSource(), path, QDate(2026, 12, 11),
                  [](const QString& h) { return htmlToRtf(h); });
        TDM1 dm;
        QVERIFY(dm.openBank(path));
        Database& db = dm.ADOCn1;
        // Rows in key order, whatever order the source lists them in.
        Dataset answ(QStringLiteral("a"), &db);
        answ.open(QStringLiteral("select A1, xx, F1, K3, K4, K5 from tab_answ"));
        QCOMPARE(answ.field("A1").asString(), QStringLiteral("0501010001"));
        QCOMPARE(answ.field("F1").value(), QVariant(qint64(0)));
        QVERIFY(answ.field("K4").isNull());
        QCOMPARE(count(db, "SELECT C3 FROM tab_kmmc WHERE C1='0'"), 2);
        QCOMPARE(count(db, "SELECT C3 FROM tab_kmmc WHERE C1='050101'"), 2);
        QCOMPARE(count(db, "SELECT q FROM tab_rule WHERE ftid='020001000001'"), 2);
        QCOMPARE(count(db, "SELECT q FROM tab_rule WHERE ftid='020001000002'"), 1);
        // A question with two points under one entry counts once for the entry and group.
        QCOMPARE(count(db, "SELECT q FROM tab_fgmc WHERE id='020001'"), 2);
        QCOMPARE(count(db, "SELECT q FROM tab_fgmc WHERE id='02'"), 2);
        QCOMPARE(db.scalar("SELECT ExamDate FROM tab_plan").toString(),
                 QStringLiteral("2027-04-10"));
        QCOMPARE(count(db, "SELECT count(*) FROM tab_sj WHERE cpbs='P'"), 1);
        QVERIFY(db.scalar("SELECT A15 FROM tab_exer WHERE A1='0501010002'")
                    .toByteArray()
                    .startsWith("{\\rtf1"));
        QVERIFY(!QFile::exists(path + QStringLiteral(".new")));
    }

    void keepsABankThatHoldsProgress() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bank.mdb"));
        QVERIFY(!bankHoldsProgress(path));
        writeBank(smallSource(), path, QDate(2026, 12, 11),
                  [](const QString& h) { return htmlToRtf(h); });
        QVERIFY(!bankHoldsProgress(path));
        {
            Database db;
            db.open(path, bankKey(), Database::OpenMode::ExistingOnly);
            db.execute(QStringLiteral("UPDATE tab_answ SET E3=1, E2='A' WHERE A1='0501010001'"));
        }
        QVERIFY(bankHoldsProgress(path));
    }

    void htmlBecomesRtf() {
        const QByteArray rtf = htmlToRtf(
            QStringLiteral("<p>二进制数 <b>1011</b><sub>2</sub></p><p><img src=\"fig:dot\"></p>"),
            [](const QString& name) {
                QImage img(4, 3, QImage::Format_RGB32);
                img.fill(name == QLatin1String("dot") ? Qt::red : Qt::blue);
                return img;
            });
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(!rtf.contains("1011") || rtf.contains("\\b"));
        const auto doc = rtfToDocument(rtf);
        QCOMPARE(rtfToPlainText(rtf).trimmed().left(10)
, QStringLiteral("二进制数 10112"));
        bool bold = false;
        bool image = false;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                bold = bold || (f.text() == QLatin1String("1011") &&
                                f.charFormat().fontWeight() >= QFont::Bold);
                image = image || f.charFormat().isImageFormat();
            }
        }
        QVERIFY(bold);
        QVERIFY(image);
        // A picture the pipeline cannot draw stops the build instead of vanishing.
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 htmlToRtf(QStringLiteral("<img src=\"x.png\">")));
    }

    void midiFiles() {
        QCOMPARE(midiKey("C4"), 60);
        QCOMPARE(midiKey("A4"), 69);
        QCOMPARE(midiKey("F#3"), 54);
        QCOMPARE(midiKey("Bb4"), 70);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, midiKey("H4"));
        const QByteArray midi = writeMidi({120, {{0, 0, 80, "C4:1 R:1 E4:0.5 | G4:2"}}});
        QVERIFY(midi.startsWith("MThd"));
        QCOMPARE(midi.count("MTrk"), 2);
        // Three notes: three note-ons on channel 0 with their keys.
        QCOMPARE(midi.count(QByteArray::fromHex("903c")), 1);
        QCOMPARE(midi.count(QByteArray::fromHex("9040")), 1);
        QCOMPARE(midi.count(QByteArray::fromHex("9043")), 1);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, writeMidi({120, {{0, 0, 80, "C4:x"}}}));
        QCOMPARE(backgroundTunes().size(), 6);
        for (const NamedTune& t : backgroundTunes())
            QVERIFY(!writeMidi(t.tune).isEmpty());
    }

    void shippedFilesAreBesideTheProgram() {
        const QDir bin(binDir());
        for (const char* pic : {"vorbup", "vorbdw", "vorbyes", "vorbno", "vorbdw_r", "vorbdw_w",
                                "vorbover", "vorbtxup", "vorbtxdw"}) {
            QImage image(bin.filePath(QStringLiteral("pic/%1.bmp").arg(QLatin1String(pic))));
            QVERIFY2(!image.isNull(), pic);
        }
        for (int i = 1; i <= 6; ++i)
            QVERIFY(QFile::exists(bin.filePath(QStringLiteral("sound/乐曲0%1.mid").arg(i))));
        for (const QString& page : {QStringLiteral("htm/Quessel相关法规汇编.htm"),
                                    QStringLiteral("htm/发行站及专业书店联系方式.htm"),
                                    QStringLiteral("htm/lnst.htm"), QStringLiteral("qzhelp.htm")}) {
            QFile f(bin.filePath(page));
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(page));
            const QByteArray html = f.readAll();
            QVERIFY(html.contains("<style>") && !html.contains("<!--STYLE-->"));
        }
    }

    void shippedBank() {
        const QString path = QDir(binDir()).filePath(TDM1::bankRelativePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(!f.read(16).startsWith("SQLite format 3"));
        f.close();
        TDM1 dm;
        QVERIFY(dm.openBank(path));
        Database& db = dm.ADOCn1;
        QVERIFY(count(db, "SELECT count(*) FROM tab_answ") > 0);
        QCOMPARE(count(db, "SELECT count(*) FROM tab_answ WHERE A1 LIKE 'U%'"), 0);
        QCOMPARE(count(db, "SELECT count(*) FROM tab_answ WHERE F1 IS NULL OR F1 <> 0"), 0);
        QCOMPARE(count(db,
                       "SELECT count(*) FROM tab_answ a WHERE NOT EXISTS "
                       "(SELECT 1 FROM tab_exer b WHERE b.A1 = a.A1 AND length(b.A15) > 0)"),
                 0);
        QCOMPARE(count(db,
                       "SELECT count(*) FROM tab_answ a WHERE a.A1 LIKE '%-%' AND NOT EXISTS "
                       "(SELECT 1 FROM tab_title t WHERE t.A1 = substr(a.A1,1,16))"),
                 0);
        QCOMPARE(count(db, "SELECT count(*) FROM tab_plan"), 1);
        QCOMPARE(db.scalar("SELECT ExamTime FROM tab_plan").toInt(), 7200);
        // Counters agree with the questions: chapters count their subtree.
        QCOMPARE(count(db,
                       "SELECT count(*) FROM tab_kmmc k WHERE C3 <> (SELECT count(*) FROM "
                       "tab_answ a WHERE substr(a.A10,1,length(k.C1)) = k.C1)"),
                 0);
        QCOMPARE(count(db,
                       "SELECT count(*) FROM tab_rule r WHERE q <> (SELECT count(*) FROM tab_answ "
                       "WHERE r.ftid IN (K3,K4,K5,K6,K7,K8,K9,K10,K11,K12))"),
                 0);
        QCOMPARE(
            count(db,
                  "SELECT count(*) FROM tab_fgmc f WHERE q <> (SELECT count(*) FROM tab_answ "
                  "WHERE f.id IN (substr(K3,1,length(f.id)),substr(K4,1,length(f.id)),"
                  "substr(K5,1,length(f.id)),substr(K6,1,length(f.id)),substr(K7,1,length(f.id)),"
                  "substr(K8,1,length(f.id)),substr(K9,1,length(f.id)),substr(K10,1,length(f.id)),"
                  "substr(K11,1,length(f.id)),substr(K12,1,length(f.id))))"),
            0);
        // Every type table lists the ten codes; B2 follows the draw plan.
        for (int examType = 1; examType <= 5; ++examType) {
            Dataset tx(QStringLiteral("tx"), &db);
            tx.setTableName(QStringLiteral("tab_tx%1").arg(examType));
            tx.open();
            QCOMPARE(tx.recordCount(), 10);
            qint64 total = 0;
            for (tx.first(); !tx.eof(); tx.next()) {
                QCOMPARE(tx.field("B2").asInteger(),
                         plannedCount(examType, static_cast<int>(tx.field("A1").asInteger())));
                total += tx.field("B2").asInteger() * tx.field("B3").asInteger();
                QVERIFY(tx.field("time").asFloat() >= 0.5 && tx.field("time").asFloat() <= 3.0);
            }
            QCOMPARE(total, examType == 5 ? 120 : 100);
        }
        // Answers in their type's form.
        Dataset answ(QStringLiteral("a"), &db);
        answ.open(QStringLiteral("select A1, A2, A2_1, A13 from tab_answ"));
        for (answ.first(); !answ.eof(); answ.next()) {
            const QString problem = answerFormProblem(
                static_cast<int>(answ.field("A13").asInteger()), answ.field("A2").asString(),
                static_cast<int>(answ.field("A2_1").asInteger()));
            QVERIFY2(problem.isEmpty(), qPrintable(answ.field("A1").asString() + ": " + problem));
        }
    }
};

QTEST_MAIN(AssetgenTest)
#include "tst_assetgen.moc"
