#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// The readable source of the shipped question bank, as assets/bank/*.json hold it.
// Texts marked "html" are a small HTML subset that becomes RTF in the bank.

struct SourceChapter {
    QString code;          // C1: 1, 2, 4 or 6 characters
    QString title;         // C1_1, the practice window's heading
    QString name;          // C2, the browser's and the chart's label
    bool chart = false;    // C7 = "0": shown by the score chart
    QString guidanceHtml;  // jx
};

struct SourceExamPoint {
    QString ftid;   // 12 characters, beginning with its entry's id
    QString label;  // sn
    QString html;   // n
};

struct SourceCatalogueEntry {
    QString id;  // 6 characters, beginning with its group's id
    QString name;
    QVector<SourceExamPoint> points;
};

struct SourceCatalogueGroup {
    QString id;  // 2 characters
    QString name;
    QVector<SourceCatalogueEntry> entries;
};

struct SourceQuestion {
    QString id;
    QString chapter;          // A10, a six-character chapter code
    int type = 0;             // A13
    QStringList options;      // choices shown as "A. ...", their count is A2_1
    int optionCount = 0;      // A2_1 when the options are part of the text
    QString answer;           // A2
    QString html;             // A15
    QString explanationHtml;  // jx
    QStringList points;       // K3..K12
    int order = 0;            // xx, position within its chapter
};

struct SourceStem {
    QString id;  // the first 16 characters of its questions' ids
    QString html;
};

struct SourceTypeTime {
    int code = 0;
    double minutes = 1.0;
};

struct BankSource {
    QString productMark;      // cpbs
    QString baseUpgradeMark;  // sjbs of the shipped content
    QVector<SourceTypeTime> typeTimes;
    QMap<int, QMap<int, int>> marks;  // exam type -> type code -> B3
    QVector<SourceChapter> chapters;
    QVector<SourceCatalogueGroup> catalogue;
    QVector<SourceQuestion> questions;
    QVector<SourceStem> stems;
};

// Reads every *.json file of `folder` (in name order) into one source. Raises
// std::runtime_error naming the file on malformed input.
BankSource readBankSource(const QString& folder);

// Every rule the shipped bank must satisfy: ids, codes, answer forms, stems, exam points.
// Returns the problems found (empty when the source is sound).
QStringList validateBankSource(const BankSource& source);

// The answer form a question type expects; empty when `answer` fits it.
QString answerFormProblem(int typeCode, const QString& answer, int optionCount);
