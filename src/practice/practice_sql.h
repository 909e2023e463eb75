#pragma once

#include <QString>

// The kinds of practice the chapter browser starts.
enum class PracticeMode { New = 1, Wrong = 2, Review = 3 };

// The SELECT of a chapter's practice set: new questions (never answered, not voided),
// wrong ones (E4 below 0, not voided) or answered ones (voided included). A question
// belongs to a chapter when its chapter code begins with the chapter's code.
// `doubleClicked` is the grid's double-click variant of New (no id tie-break).
QString practiceSql(PracticeMode mode, const QString& chapterCode, bool doubleClicked = false);
