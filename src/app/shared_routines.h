#pragma once

#include <QString>

// Full marks of a paper of the question-type table the data module's Cn1Table_tx names:
// the sum of B2 * B3 over its rows. Leaves the table on its last row.
int PaperTotalScore();

// Removes a stored paper: its table and its register row, in one transaction. Acts only
// on names of the form "tab_exam" followed by digits that are tables of the bank, so a
// damaged register row naming another table can never drop it. Reports nothing.
void DropPaperTable(const QString& TableName);

// Whether `name` has the form of a paper table's name.
bool isPaperTableName(const QString& name);

// The answer page of a question type: 61 single choice (0), 65 multiple choice (1),
// 64 fill-in (2), 62 and 31 true/false (3), 70..74 self-assessed (4), 66 matching (5);
// any other code 99, which leaves the page shown as it was.
int AnswerPageOfType(int TypeCode);
