#include "temp_bank.h"

#include "data_module.h"
#include "database.h"
#include "globals.h"
#include "schema.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

void insertFixture(Database& db) {
    // Chapters: a book "0", chapters "01" and "02", sections "0101" with leaves "010101" and
    // "010102", and "0201" with "020101". Row "xx" is the one the browser hides.
    const char* const chapters[][4] = {
        {"0", "第一篇", "基础", "01"},         {"01", "第一章", "数制", "02"},
        {"0101", "第一节", "进位计数", "03"},  {"010101", "1.1.1", "二进制", "04"},
        {"010102", "1.1.2", "十六进制", "05"}, {"02", "第二章", "网络", "06"},
        {"0201", "第一节", "协议", "07"},      {"020101", "2.1.1", "TCP/IP", "08"},
        {"xx", "隐藏", "隐藏", "09"},
    };
    for (const auto& c : chapters) {
        db.execute(QStringLiteral(
                       "INSERT INTO tab_kmmc (C1, C1_1, C2, bh, C6, C7) VALUES (?,?,?,?,'0','0')"),
                   {QString::fromUtf8(c[0]), QString::fromUtf8(c[1]), QString::fromUtf8(c[2]),
                    QString::fromUtf8(c[3])});
    }
    db.execute(QStringLiteral("UPDATE tab_kmmc SET jx=? WHERE C1='01'"),
               {QByteArray("{\\rtf1 guidance}")});

    db.execute(
        QStringLiteral("INSERT INTO tab_fgmc (id, n, bh) VALUES ('01','组一','1'),"
                       "('010001','条目一','2'),('010002','条目二','3')"));
    db.execute(
        QStringLiteral("INSERT INTO tab_rule (ftid, id, sn) VALUES "
                       "('010001000001','010001','点一'),('010001000002','010001','点二'),"
                       "('010002000001','010002','点三')"));

    struct Q {
        const char* id;
        const char* answer;
        int options;
        const char* chapter;
        int type;
        const char* k3;
        const char* k4;
    };
    const Q questions[] = {
        {"0101010001", "B", 4, "010101", 61, "010001000001", "010001000002"},
        {"0101010002", "AC", 4, "010101", 65, "010002000001", nullptr},
        {"0101020001", "A", 0, "010102", 62, nullptr, nullptr},
        {"0101020002", "10,16", 0, "010102", 64, nullptr, nullptr},
        {"020101-M00000001-1", "1", 0, "020101", 71, nullptr, nullptr},
        {"020101-M00000001-2", "ABD", 5, "020101", 66, nullptr, nullptr},
    };
    int xx = 0;
    for (const Q& q : questions) {
        db.execute(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, K3, K4, A10, A13, F1, xx) "
                                  "VALUES (?,?,?,?,?,?,?,0,?)"),
                   {QString::fromLatin1(q.id), QString::fromLatin1(q.answer), q.options,
                    q.k3 ? QVariant(QString::fromLatin1(q.k3)) : QVariant(),
                    q.k4 ? QVariant(QString::fromLatin1(q.k4)) : QVariant(),
                    QString::fromLatin1(q.chapter), q.type, ++xx});
        db.execute(QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES (?,?)"),
                   {QString::fromLatin1(q.id), QByteArray("{\\rtf1 question}")});
    }
    db.execute(QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES ('020101-M00000001', ?)"),
               {QByteArray("{\\rtf1 stem}")});
    db.execute(
        QStringLiteral("UPDATE tab_kmmc SET C3=(SELECT count(*) FROM tab_answ WHERE "
                       "substr(A10,1,length(tab_kmmc.C1))=tab_kmmc.C1) WHERE C1<>'xx'"));
    db.execute(
        QStringLiteral("INSERT INTO tab_tx1 (A1,B1,B2,B3,time) VALUES (61,'单选',30,1,1.0),"
                       "(62,'判断',0,1,0.5),(64,'填空',0,1,2.0),(65,'多选',40,1,1.5),"
                       "(66,'配伍',30,1,1.5),(71,'简答',0,1,3.0)"));
}

}  // namespace

void TempBank::writeBank(const QString& path, Content content) {
    Database db;
    db.open(path, bankKey(), Database::OpenMode::CreateIfMissing);
    createBankSchema(db);
    Transaction tx(db);
    db.execute(
        QStringLiteral("INSERT INTO tab_plan (PlanMark, PlanAmount, PlanTime, ExamDate, "
                       "LeastMark, ExamTime) VALUES (0, 50, 60, '2027-04-10', 60, 7200)"));
    db.execute(QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES ('BASE', 'LORVANE')"));
    if (content == Content::Fixture)
        insertFixture(db);
    tx.commit();
}

TempBank::TempBank(Content content) {
    QVERIFY2(dir_.isValid(), "temporary folder");
    QDir(dir_.path()).mkpath(QStringLiteral("data"));
    writeBank(bankPath(), content);
    dm_ = std::make_unique<TDM1>();
    AppPath = folder();
    DM1 = dm_.get();
    dm_->DbOpened = dm_->openBank(bankPath());
    QVERIFY2(dm_->DbOpened, "open temp bank");
}

TempBank::~TempBank() {
    if (DM1 == dm_.get())
        DM1 = nullptr;
}

QString TempBank::folder() const {
    return dir_.path() + QLatin1Char('/');
}

QString TempBank::bankPath() const {
    return folder() + TDM1::bankRelativePath();
}

Database& TempBank::db() {
    return dm_->ADOCn1;
}

void TempBank::installPictures() {
    const QDir from(qEnvironmentVariable("LORVANE_BIN_DIR") + QStringLiteral("/pic"));
    QDir(dir_.path()).mkpath(QStringLiteral("pic"));
    for (const QString& name : from.entryList({QStringLiteral("*.bmp")}, QDir::Files))
        QFile::copy(from.filePath(name), folder() + QStringLiteral("pic/") + name);
}
