#pragma once

#include <QString>
#include <QStringList>

// The three SQL lists of a question's exam points: every id, its catalogue entry (first
// six characters) and its catalogue group (first two), each quoted, joined by "," and
// enclosed in parentheses. Equal prefixes are repeated, not merged.
struct ExamPointLists {
    QString ruleIds;
    QString catalogIds6;
    QString catalogIds2;
    int count = 0;
    bool isEmpty() const { return count == 0; }
};

// `points` are the values of K3, K4, ... K12 in that order; the list ends at the first
// value that is empty after trimming (or missing).
ExamPointLists buildExamPointLists(const QStringList& points);
