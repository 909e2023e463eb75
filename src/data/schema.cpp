#include "schema.h"

#include "database.h"

QByteArray bankKey() {
    return QByteArrayLiteral("k3wq8zt0mbx5nhv2rcy7");
}

QStringList fixedTableNames() {
    return {QStringLiteral("tab_answ"), QStringLiteral("tab_exer"), QStringLiteral("tab_title"),
            QStringLiteral("tab_kmmc"), QStringLiteral("tab_rule"), QStringLiteral("tab_fgmc"),
            QStringLiteral("tab_cj"),   QStringLiteral("tab_rz"),   QStringLiteral("tab_plan"),
            QStringLiteral("tab_sj"),   QStringLiteral("tab_tx1"),  QStringLiteral("tab_tx2"),
            QStringLiteral("tab_tx3"),  QStringLiteral("tab_tx4"),  QStringLiteral("tab_tx5")};
}

// Declared types decide what reads back: TEXT for texts, memos and dates (a note "007"
// stays "007"), INTEGER for whole numbers, REAL for numbers with decimals, BLOB for rich
// text. Ids and codes compare without regard to case, as they did in Jet; answers compare
// exactly. Counters default to 0 so that "c=c+1" never meets NULL.
static const char* const kSchema[] = {
    R"(CREATE TABLE tab_answ (
        A1 TEXT NOT NULL COLLATE NOCASE PRIMARY KEY,
        A2 TEXT, A2_1 INTEGER,
        K3 TEXT COLLATE NOCASE, K4 TEXT COLLATE NOCASE, K5 TEXT COLLATE NOCASE,
        K6 TEXT COLLATE NOCASE, K7 TEXT COLLATE NOCASE, K8 TEXT COLLATE NOCASE,
        K9 TEXT COLLATE NOCASE, K10 TEXT COLLATE NOCASE, K11 TEXT COLLATE NOCASE,
        K12 TEXT COLLATE NOCASE,
        A10 TEXT COLLATE NOCASE, A13 INTEGER, A14 TEXT,
        E1 TEXT, E2 TEXT, E2_1 TEXT,
        E3 INTEGER NOT NULL DEFAULT 0, E4 INTEGER NOT NULL DEFAULT 0,
        F1 INTEGER, csbs TEXT, xx INTEGER, ecount INTEGER NOT NULL DEFAULT 0))",
    R"(CREATE TABLE tab_exer (
        A1 TEXT NOT NULL COLLATE NOCASE PRIMARY KEY, A15 BLOB, jx BLOB))",
    R"(CREATE TABLE tab_title (
        A1 TEXT NOT NULL COLLATE NOCASE PRIMARY KEY, A15 BLOB))",
    R"(CREATE TABLE tab_kmmc (
        C1 TEXT NOT NULL COLLATE NOCASE PRIMARY KEY, C1_1 TEXT, C2 TEXT,
        C3 INTEGER NOT NULL DEFAULT 0, C4 INTEGER NOT NULL DEFAULT 0,
        D1 INTEGER NOT NULL DEFAULT 0, D2 INTEGER NOT NULL DEFAULT 0,
        C6 TEXT, C7 TEXT, bh TEXT, jx BLOB))",
    R"(CREATE TABLE tab_rule (
        ftid TEXT NOT NULL COLLATE NOCASE PRIMARY KEY, id TEXT COLLATE NOCASE, sn TEXT, n BLOB,
        q INTEGER NOT NULL DEFAULT 0, q1 INTEGER NOT NULL DEFAULT 0,
        q2 INTEGER NOT NULL DEFAULT 0, q4 INTEGER NOT NULL DEFAULT 0))",
    R"(CREATE TABLE tab_fgmc (
        id TEXT NOT NULL COLLATE NOCASE PRIMARY KEY, n TEXT, bh TEXT,
        q INTEGER NOT NULL DEFAULT 0, q1 INTEGER NOT NULL DEFAULT 0,
        q2 INTEGER NOT NULL DEFAULT 0, q4 INTEGER NOT NULL DEFAULT 0))",
    R"(CREATE TABLE tab_cj (
        A1 TEXT NOT NULL COLLATE NOCASE PRIMARY KEY, A3 TEXT, A3_1 INTEGER, D1 TEXT,
        A6 REAL, D2 TEXT))",
    R"(CREATE TABLE tab_rz (
        A1 TEXT NOT NULL PRIMARY KEY,
        A2 INTEGER NOT NULL DEFAULT 0, A3 INTEGER NOT NULL DEFAULT 0,
        B1 INTEGER NOT NULL DEFAULT 0, B2 INTEGER NOT NULL DEFAULT 0,
        D1 TEXT, A4 TEXT))",
    R"(CREATE TABLE tab_plan (
        PlanMark INTEGER, PlanAmount INTEGER, PlanTime INTEGER, ExamDate TEXT,
        LeastMark INTEGER, ExamTime INTEGER))",
    R"(CREATE TABLE tab_sj (sjbs TEXT COLLATE NOCASE, cpbs TEXT COLLATE NOCASE))",
    // The lookups of the practice sets, the paper draw and the exam-point counts.
    "CREATE INDEX ix_answ_a10 ON tab_answ (A10)",
    "CREATE INDEX ix_answ_a13_a10 ON tab_answ (A13, A10)",
    "CREATE INDEX ix_answ_k3 ON tab_answ (K3)",
    "CREATE INDEX ix_answ_k4 ON tab_answ (K4)",
    "CREATE INDEX ix_answ_k5 ON tab_answ (K5)",
    "CREATE INDEX ix_answ_k6 ON tab_answ (K6)",
    "CREATE INDEX ix_answ_k7 ON tab_answ (K7)",
    "CREATE INDEX ix_answ_k8 ON tab_answ (K8)",
    "CREATE INDEX ix_answ_k9 ON tab_answ (K9)",
    "CREATE INDEX ix_answ_k10 ON tab_answ (K10)",
    "CREATE INDEX ix_answ_k11 ON tab_answ (K11)",
    "CREATE INDEX ix_answ_k12 ON tab_answ (K12)",
    "CREATE INDEX ix_kmmc_bh ON tab_kmmc (bh)",
    "CREATE INDEX ix_rule_id ON tab_rule (id)",
    "CREATE INDEX ix_fgmc_bh ON tab_fgmc (bh)",
};

void createBankSchema(Database& db) {
    Transaction tx(db);
    for (const char* sql : kSchema)
        db.execute(QString::fromUtf8(sql));
    for (int n = 1; n <= 5; ++n) {
        // "time" is in minutes with one decimal.
        db.execute(QStringLiteral("CREATE TABLE tab_tx%1 (A1 INTEGER NOT NULL UNIQUE, B1 TEXT, "
                                  "B2 INTEGER NOT NULL DEFAULT 0, B3 INTEGER NOT NULL DEFAULT 0, "
                                  "time REAL)")
                       .arg(n));
    }
    tx.commit();
}

bool hasFixedTables(Database& db) {
    const QStringList present = db.userTables();
    for (const QString& name : fixedTableNames()) {
        if (!present.contains(name, Qt::CaseInsensitive))
            return false;
    }
    return true;
}
