#include "data_module.h"

#include "db_error.h"
#include "globals.h"
#include "schema.h"
#include "statement.h"
#include "time_text.h"

#include <QCoreApplication>

TDM1::TDM1(QObject* parent)
    : QObject(parent),
      Cn1Table_kmmc(QStringLiteral("Cn1Table_kmmc"), &ADOCn1),
      Cn1Table_tx(QStringLiteral("Cn1Table_tx"), &ADOCn1),
      Cn1Table_rz(QStringLiteral("Cn1Table_rz"), &ADOCn1),
      Cn1Table_cj(QStringLiteral("Cn1Table_cj"), &ADOCn1),
      Cn1Table_plan(QStringLiteral("Cn1Table_plan"), &ADOCn1),
      Cn1Table_fgmc(QStringLiteral("Cn1Table_fgmc"), &ADOCn1),
      Cn1Query1(QStringLiteral("Cn1Query1"), &ADOCn1),
      Cn1Query_tm(QStringLiteral("Cn1Query_tm"), &ADOCn1),
      cn1query_nr(QStringLiteral("cn1query_nr"), &ADOCn1),
      Cn1Query2(QStringLiteral("Cn1Query2"), &ADOCn1),
      Cn1Query_exam(QStringLiteral("Cn1Query_exam"), &ADOCn1),
      Cn1Query3(QStringLiteral("Cn1Query3"), &ADOCn1),
      ADOQ_kl(QStringLiteral("ADOQ_kl"), &ADOCn1),
      m_query(QStringLiteral("m_query"), &ADOCn1),
      m_queryDetail(QStringLiteral("m_queryDetail"), &ADOCn1),
      ADOQ_kmmc(QStringLiteral("ADOQ_kmmc"), &ADOCn1),
      ADOQuery3(QStringLiteral("ADOQuery3"), &ADOCn1),
      Cn2Query1(QStringLiteral("Cn2Query1"), &ADOCn2) {
    Cn1Table_kmmc.setTableName(QStringLiteral("tab_kmmc"));
    Cn1Table_kmmc.setIndexFieldNames(QStringLiteral("bh"));
    Cn1Table_tx.setTableName(QStringLiteral("tab_tx1"));
    Cn1Table_rz.setTableName(QStringLiteral("tab_rz"));
    Cn1Table_cj.setTableName(QStringLiteral("tab_cj"));
    Cn1Table_plan.setTableName(QStringLiteral("tab_plan"));
    Cn1Table_fgmc.setTableName(QStringLiteral("tab_fgmc"));
    // The practice windows post answers, notes and stems through these queries.
    Cn1Query_tm.setUpdateTable(QStringLiteral("tab_answ"), QStringLiteral("A1"));
    cn1query_nr.setUpdateTable(QStringLiteral("tab_exer"), QStringLiteral("A1"));
    Cn1Query2.setUpdateTable(QStringLiteral("tab_title"), QStringLiteral("A1"));
    connect(&Cn1Table_kmmc, &Dataset::currentRowChanged, this, &TDM1::Cn1DS_kmmcDataChange);
}

TDM1::~TDM1() {
    closeConnection();
}

std::vector<Dataset*> TDM1::allDatasets() {
    return {&Cn1Table_kmmc, &Cn1Table_tx, &Cn1Table_rz, &Cn1Table_cj, &Cn1Table_plan,
            &Cn1Table_fgmc, &Cn1Query1,   &Cn1Query_tm, &cn1query_nr, &Cn1Query2,
            &Cn1Query_exam, &Cn1Query3,   &ADOQ_kl,     &m_query,     &m_queryDetail,
            &ADOQ_kmmc,     &ADOQuery3,   &Cn2Query1};
}

void TDM1::DataModuleCreate() {
    AppPath = QCoreApplication::applicationDirPath();
    if (!AppPath.endsWith(QLatin1Char('/')))
        AppPath += QLatin1Char('/');
    DbOpened = openBank(AppPath + bankRelativePath());
}

bool TDM1::openBank(const QString& path) {
    closeConnection();
    try {
        ADOCn1.open(path, bankKey(), Database::OpenMode::ExistingOnly);
        if (!hasFixedTables(ADOCn1)) {
            ADOCn1.close();
            return false;
        }
        return true;
    } catch (const DbError&) {
        ADOCn1.close();
        return false;
    }
}

void TDM1::closeAllDatasets() noexcept {
    for (Dataset* ds : allDatasets())
        ds->close();
}

void TDM1::closeConnection() noexcept {
    closeAllDatasets();
    ADOCn1.close();
    ADOCn2.close();
    DbOpened = false;
}

QString TDM1::today() const {
    const QDate day = fixedToday_.isValid() ? fixedToday_ : QDate::currentDate();
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

void TDM1::refreshTodayRow() {
    if (!Cn1Table_rz.isOpen())
        return;
    Cn1Table_rz.requery();
    Cn1Table_rz.locate(QStringLiteral("A1"), today());
}

void TDM1::RecordDailyAnswer(int FirstToday, int Wrong, int PrevWrong) {
    const bool firstToday = FirstToday == 2;
    const bool wrong = Wrong == 2;
    const QString day = today();
    Transaction tx(ADOCn1);
    Cn1Table_rz.openIfClosed();
    const bool found =
        ADOCn1.scalar(QStringLiteral("SELECT count(*) FROM tab_rz WHERE A1=?"), {day})
            .toLongLong() > 0;
    if (found) {
        int b1 = 0;
        QString b2 = QStringLiteral("B2");
        if (firstToday) {
            b1 = 1;
            if (wrong)
                b2 = QStringLiteral("B2+1");
        } else if (PrevWrong == 1 && wrong) {
            b2 = QStringLiteral("B2+1");
        } else if (PrevWrong == 2 && !wrong) {
            // Never below zero: a question voided today ("zero" differs from its answer) and
            // then answered right was never counted as wrong.
            b2 = QStringLiteral("max(B2-1,0)");
        }
        ADOCn1.execute(
            QStringLiteral("UPDATE tab_rz SET A2=A2+1, A3=A3+?, B1=B1+?, B2=%1 WHERE A1=?").arg(b2),
            {wrong ? 1 : 0, b1, day});
        tx.commit();
        refreshTodayRow();
    } else {
        ADOCn1.execute(
            QStringLiteral("INSERT INTO tab_rz (A1, A2, A3, B1, B2) VALUES (?, 1, ?, 1, ?)"),
            {day, wrong ? 1 : 0, wrong ? 1 : 0});
        tx.commit();
        Cn1Table_rz.close();
    }
}

void TDM1::RecordChapterAnswer(const QString& ChapterCode, int FirstEver, int Wrong) {
    QStringList levels;
    for (int len = static_cast<int>(ChapterCode.size()); len >= 1; --len)
        levels << ChapterCode.left(len);
    if (levels.isEmpty())
        return;
    Transaction tx(ADOCn1);
    Cn1Table_kmmc.openIfClosed();
    QStringList marks;
    Params params{FirstEver == 2 ? 1 : 0, Wrong == 2 ? 1 : 0};
    for (const QString& level : levels) {
        marks << QStringLiteral("?");
        params << level;
    }
    ADOCn1.execute(QStringLiteral("UPDATE tab_kmmc SET C4=C4+?, D1=D1+1, D2=D2+? WHERE C1 IN (%1)")
                       .arg(marks.join(',')),
                   params);
    Cn1Table_kmmc.refreshRowsWhere(QStringLiteral("C1"), levels);
    tx.commit();
    // The chapter table rests on the last level found, the shortest existing prefix.
    for (auto it = levels.crbegin(); it != levels.crend(); ++it) {
        if (Cn1Table_kmmc.locate(QStringLiteral("C1"), *it))
            break;
    }
}

void TDM1::RecordExamPointAnswer(const QString& RuleIds, const QString& CatalogIds6,
                                 const QString& CatalogIds2, int FirstEver, int Wrong) {
    QString counters = QStringLiteral("q2=q2+1");
    if (FirstEver == 2)
        counters += QStringLiteral(",q1=q1+1");
    if (Wrong == 2)
        counters += QStringLiteral(",q4=q4+1");
    Transaction tx(ADOCn1);
    // The lists come quoted from buildExamPointLists; each statement raises a row once
    // however often the list names it.
    ADOQuery3.close();
    ADOQuery3.execSql(
        QStringLiteral("update tab_rule set %1 where ftid in %2").arg(counters, RuleIds));
    ADOQuery3.execSql(
        QStringLiteral("update tab_fgmc set %1 where id in %2").arg(counters, CatalogIds6));
    ADOQuery3.execSql(
        QStringLiteral("update tab_fgmc set %1 where id in %2").arg(counters, CatalogIds2));
    if (Cn1Table_fgmc.isOpen())
        Cn1Table_fgmc.refreshAll();
    tx.commit();
}

void TDM1::AddStudyTime(const QString& Elapsed) {
    const QString day = today();
    Transaction tx(ADOCn1);
    Cn1Table_rz.openIfClosed();
    {
        Statement st(ADOCn1, QStringLiteral("SELECT A2, A3, D1 FROM tab_rz WHERE A1=?"));
        st.bind(1, day);
        if (st.step()) {
            const qint64 answers = Field(st.column(0)).asInteger();
            const qint64 wrong = Field(st.column(1)).asInteger();
            const qint64 seconds =
                TimeTextToSeconds(Field(st.column(2)).asString()) + TimeTextToSeconds(Elapsed);
            ADOCn1.execute(QStringLiteral("UPDATE tab_rz SET A4=?, D1=? WHERE A1=?"),
                           {rateText(answers, wrong), secondsToLogTime(seconds), day});
        }
    }
    // Every chapter's rate, not only those after the table's current row: answers in two
    // top-level chapters in one sitting must both be refreshed.
    Cn1Table_kmmc.openIfClosed();
    {
        Statement rows(ADOCn1, QStringLiteral("SELECT rowid, D1, D2, C6 FROM tab_kmmc"));
        Statement update(ADOCn1, QStringLiteral("UPDATE tab_kmmc SET C6=? WHERE rowid=?"));
        while (rows.step()) {
            const QString rate =
                rateText(Field(rows.column(1)).asInteger(), Field(rows.column(2)).asInteger());
            if (Field(rows.column(3)).asString() != rate || rows.column(3).isNull()) {
                update.reset();
                update.bind(1, rate);
                update.bind(2, rows.column(0));
                update.execute();
            }
        }
    }
    Cn1Table_kmmc.refreshAll();
    tx.commit();
    refreshTodayRow();
}

bool TDM1::HasGuidance(const QVariant& jx) {
    return jx.isValid() && !jx.isNull() && !jx.toByteArray().isEmpty();
}

void TDM1::Cn1DS_kmmcDataChange() {
    if (!Cn1Table_kmmc.isOpen() || Cn1Table_kmmc.isEmpty())
        return;
    CurrentChapterTitle = Cn1Table_kmmc.field(QStringLiteral("C1_1")).asString();
    if (ChapterBrowserShown)
        emit chapterGuidanceChanged(HasGuidance(Cn1Table_kmmc.value(QStringLiteral("jx"))));
}
