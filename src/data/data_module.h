#pragma once

#include "database.h"
#include "dataset.h"

#include <QDate>
#include <QObject>

// The data module: the one connection to the question bank, the datasets all windows
// share, and the statistics routines every recorded answer goes through. One instance,
// DM1, created before any window.
//
// Yes/no arguments of the statistics routines are integers: 2 means yes, 1 means no.
class TDM1 : public QObject {
    Q_OBJECT
  public:
    explicit TDM1(QObject* parent = nullptr);
    ~TDM1() override;

    // Where the bank lives below the program folder.
    static QString bankRelativePath() { return QStringLiteral("data/WUPTAVNOR88417.mdb"); }

    // Creation: AppPath := the program's folder, then the bank below it is opened.
    void DataModuleCreate();
    // Opens an existing bank with its key. False, with nothing created or left open, when
    // the file is missing, the key does not read it, it is damaged or lacks the fixed tables.
    bool openBank(const QString& path);
    // Closes every dataset and the connection; errors are not reported.
    void closeConnection() noexcept;
    // Closes every dataset (before an upgrade, or when a window is done with all of them).
    void closeAllDatasets() noexcept;

    void RecordDailyAnswer(int FirstToday, int Wrong, int PrevWrong);
    void RecordChapterAnswer(const QString& ChapterCode, int FirstEver, int Wrong);
    void RecordExamPointAnswer(const QString& RuleIds, const QString& CatalogIds6,
                               const QString& CatalogIds2, int FirstEver, int Wrong);
    void AddStudyTime(const QString& Elapsed);

    // Follows the chapter table's current row: keeps CurrentChapterTitle and tells the
    // chapter browser, while it is shown, whether the row has guidance.
    void Cn1DS_kmmcDataChange();
    // Whether a chapter's guidance (jx) holds anything: NULL and zero length are empty.
    static bool HasGuidance(const QVariant& jx);

    // Today's date as stored ("yyyy-MM-dd"), local time. Tests may fix the day.
    QString today() const;
    void setToday(const QDate& day) { fixedToday_ = day; }

    bool DbOpened = false;

    Database ADOCn1;
    Database ADOCn2;

    Dataset Cn1Table_kmmc;
    Dataset Cn1Table_tx;
    Dataset Cn1Table_rz;
    Dataset Cn1Table_cj;
    Dataset Cn1Table_plan;
    Dataset Cn1Table_fgmc;
    Dataset Cn1Query1;
    Dataset Cn1Query_tm;
    Dataset cn1query_nr;
    Dataset Cn1Query2;
    Dataset Cn1Query_exam;
    Dataset Cn1Query3;
    Dataset ADOQ_kl;
    Dataset m_query;
    Dataset m_queryDetail;
    Dataset ADOQ_kmmc;
    Dataset ADOQuery3;
    Dataset Cn2Query1;

  signals:
    // While the chapter browser is shown: whether the current chapter has guidance.
    void chapterGuidanceChanged(bool hasGuidance);

  private:
    std::vector<Dataset*> allDatasets();
    void refreshTodayRow();

    QDate fixedToday_;
};
