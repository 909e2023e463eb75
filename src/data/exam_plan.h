#pragma once

#include <QString>

#include <span>

// What each of the five mock exam types draws: for a question type code, the chapter
// prefixes in drawing order and how many questions each gives.
struct DrawPlanEntry {
    int examType;
    int typeCode;
    const char* chapterPrefix;
    int count;
};

std::span<const DrawPlanEntry> drawPlan();

// Questions of `typeCode` a full paper of `examType` holds (0 when the plan draws none).
int plannedCount(int examType, int typeCode);

// The paper title of an exam type 1..5 (part of every paper's name and the menu's label).
QString paperTitle(int examType);

// The question type codes every question-type table lists, with their names.
struct QuestionTypeName {
    int code;
    const char* name;
};
std::span<const QuestionTypeName> questionTypeNames();
