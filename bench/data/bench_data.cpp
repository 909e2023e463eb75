// Figures for the data layer on a bank of tens of thousands of questions: loading a
// practice set, filtering it, recording answers with their counters, adding study time.
//
//   bench_data [QUESTIONS]     (default 30000)

#include "data_module.h"
#include "database.h"
#include "exam_point_lists.h"
#include "schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void buildBank(const QString& path, int questions) {
    Database db;
    db.open(path, bankKey(), Database::OpenMode::CreateIfMissing);
    createBankSchema(db);
    Transaction tx(db);
    db.execute(QStringLiteral("INSERT INTO tab_plan VALUES (0,50,60,'2027-04-10',60,7200)"));
    // 3 books x 10 chapters x 10 sections x 10 leaves = 300 leaf chapters.
    for (int b = 0; b < 3; ++b) {
        const QString book = QString::number(b);
        db.execute(QStringLiteral("INSERT INTO tab_kmmc (C1,C1_1,C2,bh) VALUES (?,?,?,?)"),
                   {book, book, book, book});
        for (int c = 0; c < 10; ++c) {
            const QString ch = book + QString::number(c);
            db.execute(QStringLiteral("INSERT INTO tab_kmmc (C1,C1_1,C2,bh) VALUES (?,?,?,?)"),
                       {ch, ch, ch, ch});
            for (int s = 0; s < 10; ++s) {
                const QString sec = ch + QStringLiteral("0") + QString::number(s);
                db.execute(QStringLiteral("INSERT INTO tab_kmmc (C1,C1_1,C2,bh) VALUES (?,?,?,?)"),
                           {sec, sec, sec, sec});
                for (int l = 0; l < 10; ++l) {
                    const QString leaf = sec + QStringLiteral("0") + QString::number(l);
                    db.execute(
                        QStringLiteral("INSERT INTO tab_kmmc (C1,C1_1,C2,bh) VALUES (?,?,?,?)"),
                        {leaf, leaf, leaf, leaf});
                }
            }
        }
    }
    db.execute(
        QStringLiteral("INSERT INTO tab_fgmc (id,n,bh) VALUES ('01','g','1'),('010001','e','2')"));
    for (int p = 0; p < 100; ++p)
        db.execute(QStringLiteral("INSERT INTO tab_rule (ftid,id,sn) VALUES (?, '010001', 'p')"),
                   {QStringLiteral("010001%1").arg(p, 6, 10, QLatin1Char('0'))});
    const int types[] = {61, 62, 64, 65, 66, 70};
    const QByteArray text(600, 'x');
    for (int i = 0; i < questions; ++i) {
        const int leaf = i % 300;
        const QString chapter = QStringLiteral("%1%2%3%4")
                                    .arg(leaf / 100)
                                    .arg((leaf / 10) % 10)
                                    .arg(QStringLiteral("0") + QString::number(leaf % 10))
                                    .arg(QStringLiteral("00"));
        const QString id = QStringLiteral("%1%2").arg(chapter).arg(i, 8, 10, QLatin1Char('0'));
        db.execute(
            QStringLiteral(
                "INSERT INTO tab_answ (A1,A2,A2_1,K3,A10,A13,F1,xx) VALUES (?,?,4,?,?,?,0,?)"),
            {id, QStringLiteral("B"),
             QStringLiteral("010001%1").arg(i % 100, 6, 10, QLatin1Char('0')), chapter,
             types[i % 6], i});
        db.execute(QStringLiteral("INSERT INTO tab_exer (A1,A15) VALUES (?,?)"), {id, text});
    }
    tx.commit();
}

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int questions = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 30000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bank.mdb"));
    QElapsedTimer t;
    t.start();
    buildBank(path, questions);
    std::printf("build bank of %d questions: %.0f ms\n", questions, ms(t));

    TDM1 dm;
    dm.openBank(path);
    t.restart();
    dm.openBank(path);
    std::printf("open bank (key derivation included): %.1f ms\n", ms(t));

    Dataset& tm = dm.Cn1Query_tm;
    t.restart();
    tm.execSql(QStringLiteral("Update tab_answ set E2_1= ''"));
    std::printf("reset E2_1 of every question: %.1f ms\n", ms(t));

    const QString setSql = QStringLiteral(
        "select a1 "
        ",a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,e2_1,e3,e4,f1,xx,csbs,"
        "ecount from tab_answ where (substr(A10,1,1) = '0') and (E2 = '' or E2 is null)  and "
        "(f1<>1)  "
        "order by a13,a10,xx,a1");
    t.restart();
    tm.open(setSql);
    std::printf("open a practice set of %d questions: %.1f ms\n", tm.recordCount(), ms(t));

    t.restart();
    for (const int code : {61, 62, 64, 65, 66, 70})
        tm.setFilter(QStringLiteral("A13=%1").arg(code));
    tm.setFilter(QString());
    std::printf("seven type filters over the set: %.2f ms\n", ms(t));

    t.restart();
    tm.setFilter(QStringLiteral("A13=61 and a10 like '01*' and f1<>1"));
    std::printf("draw filter: %.2f ms (%d rows)\n", ms(t), tm.recordCount());
    tm.setFilter(QString());

    dm.Cn1Table_kmmc.open();
    const int answers = 200;
    t.restart();
    for (int i = 1; i <= answers; ++i) {
        tm.moveTo(i);
        Transaction tx(dm.ADOCn1);
        tm.setField(QStringLiteral("E2"), QStringLiteral("A"));
        tm.setField(QStringLiteral("E2_1"), QStringLiteral("A"));
        tm.setField(QStringLiteral("E3"), 1);
        tm.setField(QStringLiteral("E4"), -3);
        tm.post();
        dm.RecordDailyAnswer(i == 1 ? 2 : 2, 2, 2);
        dm.RecordChapterAnswer(tm.field(QStringLiteral("A10")).asString(), 2, 2);
        const auto lists = buildExamPointLists({tm.field(QStringLiteral("K3")).asString()});
        dm.RecordExamPointAnswer(lists.ruleIds, lists.catalogIds6, lists.catalogIds2, 2, 2);
        tx.commit();
    }
    std::printf("record one answer with its counters (synchronous FULL): %.2f ms\n",
                ms(t) / answers);

    t.restart();
    dm.AddStudyTime(QStringLiteral("0:25:00"));
    std::printf("add study time and refresh every chapter rate: %.1f ms\n", ms(t));
    return 0;
}
