#include "shared_routines.h"

#include "data_module.h"
#include "database.h"
#include "globals.h"
#include "sql_text.h"

#include <QRegularExpression>

int PaperTotalScore() {
    Dataset& tx = DM1->Cn1Table_tx;
    tx.openIfClosed();
    int total = 0;
    for (int n = 1; n <= tx.recordCount(); ++n) {
        tx.moveTo(n);
        total += static_cast<int>(tx.field(QStringLiteral("B2")).asInteger() *
                                  tx.field(QStringLiteral("B3")).asInteger());
    }
    return total;
}

bool isPaperTableName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^tab_exam[0-9]+$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

void DropPaperTable(const QString& TableName) {
    try {
        if (!isPaperTableName(TableName))
            return;
        Database& db = DM1->ADOCn1;
        const QStringList tables = db.userTables();
        const auto found = std::find_if(tables.cbegin(), tables.cend(), [&](const QString& t) {
            return t.compare(TableName, Qt::CaseInsensitive) == 0;
        });
        if (found == tables.cend())
            return;
        Dataset& cj = DM1->Cn1Table_cj;
        cj.openIfClosed();
        Transaction tx(db);
        db.execute(QStringLiteral("DROP TABLE %1").arg(quotedIdentifier(*found)));
        if (cj.locate(QStringLiteral("A1"), TableName))
            cj.remove();
        else
            db.execute(QStringLiteral("DELETE FROM tab_cj WHERE A1=?"), {TableName});
        tx.commit();
    } catch (...) {
        // The routine never reports: a paper that cannot be dropped stays, with its row.
    }
}

int AnswerPageOfType(int TypeCode) {
    switch (TypeCode) {
        case 61:
            return 0;
        case 65:
            return 1;
        case 64:
            return 2;
        case 62:
        case 31:
            return 3;
        case 70:
        case 71:
        case 72:
        case 73:
        case 74:
            return 4;
        case 66:
            return 5;
        default:
            return 99;
    }
}
