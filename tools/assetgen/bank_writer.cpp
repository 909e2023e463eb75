#include "bank_writer.h"

#include "database.h"
#include "db_error.h"
#include "exam_plan.h"
#include "schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <stdexcept>

namespace {

bool keyLess(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

void insertTypeTables(Database& db, const BankSource& source) {
    QMap<int, double> minutes;
    for (const SourceTypeTime& t : source.typeTimes)
        minutes[t.code] = t.minutes;
    for (int examType = 1; examType <= 5; ++examType) {
        const QString sql =
            QStringLiteral("INSERT INTO tab_tx%1 (A1, B1, B2, B3, time) VALUES (?,?,?,?,?)")
                .arg(examType);
        for (const QuestionTypeName& t : questionTypeNames()) {
            const int count = plannedCount(examType, t.code);
            const int marks = source.marks.value(examType).value(t.code, 1);
            db.execute(
                sql, {t.code, QString::fromUtf8(t.name), count, marks, minutes.value(t.code, 1.0)});
        }
    }
}

void insertChapters(Database& db, const BankSource& source, const RichTextConverter& toRtf) {
    QVector<SourceChapter> chapters = source.chapters;
    // bh keeps the source's order; rows go in by key.
    QMap<QString, int> bh;
    for (int i = 0; i < chapters.size(); ++i)
        bh[chapters[i].code] = i + 1;
    std::sort(chapters.begin(), chapters.end(), [](const SourceChapter& a, const SourceChapter& b) {
        return keyLess(a.code, b.code);
    });
    for (const SourceChapter& c : chapters) {
        int count = 0;
        for (const SourceQuestion& q : source.questions) {
            if (q.chapter.startsWith(c.code, Qt::CaseInsensitive))
                ++count;
        }
        db.execute(
            QStringLiteral("INSERT INTO tab_kmmc (C1, C1_1, C2, C3, C4, D1, D2, C6, C7, bh, jx) "
                           "VALUES (?,?,?,?,0,0,0,'0',?,?,?)"),
            {c.code, c.title, c.name, count, c.chart ? QStringLiteral("0") : QStringLiteral("1"),
             QStringLiteral("%1").arg(bh.value(c.code), 4, 10, QLatin1Char('0')),
             c.guidanceHtml.trimmed().isEmpty() ? QVariant() : QVariant(toRtf(c.guidanceHtml))});
    }
}

void insertCatalogue(Database& db, const BankSource& source, const RichTextConverter& toRtf) {
    // q: questions with an exam point under the row, each question counted once per row.
    QMap<QString, QSet<QString>> questionsUnder;
    for (const SourceQuestion& q : source.questions) {
        for (const QString& p : q.points) {
            questionsUnder[p.toLower()].insert(q.id);
            questionsUnder[p.left(6).toLower()].insert(q.id);
            questionsUnder[p.left(2).toLower()].insert(q.id);
        }
    }
    struct FgmcRow {
        QString id, name, bh;
    };
    QVector<FgmcRow> fgmc;
    QVector<std::pair<QString, SourceExamPoint>> rules;
    int order = 0;
    for (const SourceCatalogueGroup& g : source.catalogue) {
        fgmc.push_back({g.id, g.name, QStringLiteral("%1").arg(++order, 4, 10, QLatin1Char('0'))});
        for (const SourceCatalogueEntry& e : g.entries) {
            fgmc.push_back(
                {e.id, e.name, QStringLiteral("%1").arg(++order, 4, 10, QLatin1Char('0'))});
            for (const SourceExamPoint& p : e.points)
                rules.push_back({e.id, p});
        }
    }
    std::sort(fgmc.begin(), fgmc.end(),
              [](const FgmcRow& a, const FgmcRow& b) { return keyLess(a.id, b.id); });
    for (const FgmcRow& r : fgmc) {
        db.execute(QStringLiteral("INSERT INTO tab_fgmc (id, n, bh, q) VALUES (?,?,?,?)"),
                   {r.id, r.name, r.bh, questionsUnder.value(r.id.toLower()).size()});
    }
    std::sort(rules.begin(), rules.end(),
              [](const auto& a, const auto& b) { return keyLess(a.second.ftid, b.second.ftid); });
    for (const auto& [entry, p] : rules) {
        db.execute(
            QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, n, q) VALUES (?,?,?,?,?)"),
            {p.ftid, entry, p.label, toRtf(p.html), questionsUnder.value(p.ftid.toLower()).size()});
    }
}

QString questionHtml(const SourceQuestion& q) {
    QString html = q.html;
    for (int i = 0; i < q.options.size(); ++i)
        html += QStringLiteral("<p>%1. %2</p>").arg(QChar('A' + i)).arg(q.options.at(i));
    return html;
}

void insertQuestions(Database& db, const BankSource& source, const RichTextConverter& toRtf) {
    QVector<SourceQuestion> questions = source.questions;
    std::sort(questions.begin(), questions.end(),
              [](const SourceQuestion& a, const SourceQuestion& b) { return keyLess(a.id, b.id); });
    for (const SourceQuestion& q : questions) {
        Params values{q.id, q.answer, q.optionCount};
        for (int k = 0; k < 10; ++k)
            values << (k < q.points.size() ? QVariant(q.points.at(k)) : QVariant());
        values << q.chapter << q.type << q.order;
        db.execute(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, K3, K4, K5, K6, K7, K8, K9, "
                                  "K10, K11, K12, A10, A13, xx, F1, E3, E4, ecount) "
                                  "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,0,0,0,0)"),
                   values);
    }
    for (const SourceQuestion& q : questions) {
        db.execute(QStringLiteral("INSERT INTO tab_exer (A1, A15, jx) VALUES (?,?,?)"),
                   {q.id, toRtf(questionHtml(q)),
                    q.explanationHtml.trimmed().isEmpty() ? QVariant()
                                                          : QVariant(toRtf(q.explanationHtml))});
    }
    QVector<SourceStem> stems = source.stems;
    std::sort(stems.begin(), stems.end(),
              [](const SourceStem& a, const SourceStem& b) { return keyLess(a.id, b.id); });
    for (const SourceStem& s : stems)
        db.execute(QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES (?,?)"),
                   {s.id, toRtf(s.html)});
}

void removeWithJournal(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

}  // namespace

void writeBank(const BankSource& source, const QString& path, const QDate& buildDay,
               const RichTextConverter& toRtf) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString temp = path + QStringLiteral(".new");
    removeWithJournal(temp);
    {
        Database db;
        db.open(temp, bankKey(), Database::OpenMode::CreateIfMissing);
        createBankSchema(db);
        Transaction tx(db);
        insertTypeTables(db, source);
        insertChapters(db, source, toRtf);
        insertCatalogue(db, source, toRtf);
        insertQuestions(db, source, toRtf);
        db.execute(QStringLiteral("INSERT INTO tab_plan (PlanMark, PlanAmount, PlanTime, ExamDate, "
                                  "LeastMark, ExamTime) VALUES (0, 50, 60, ?, 60, 7200)"),
                   {buildDay.addDays(120).toString(QStringLiteral("yyyy-MM-dd"))});
        db.execute(QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES (?, ?)"),
                   {source.baseUpgradeMark, source.productMark});
        tx.commit();
        db.executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
    }
    removeWithJournal(path);
    if (!QFile::rename(temp, path))
        throw std::runtime_error("cannot move the bank into place: " + path.toStdString());
    removeWithJournal(temp);
}

bool bankHoldsProgress(const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    try {
        Database db;
        db.open(path, bankKey(), Database::OpenMode::ExistingOnly);
        if (!hasFixedTables(db))
            return false;
        const QString sql = QStringLiteral(
            "SELECT (SELECT count(*) FROM tab_rz) + (SELECT count(*) FROM tab_cj) + "
            "(SELECT count(*) FROM tab_answ WHERE E3 > 0 OR coalesce(A14,'') <> '' OR F1 = 1 "
            "OR A1 LIKE 'U%')");
        return db.scalar(sql).toLongLong() > 0;
    } catch (const DbError&) {
        // Not a bank this program can read: nothing of the learner's is lost by replacing it.
        return false;
    }
}
