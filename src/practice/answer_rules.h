#pragma once

#include <QString>

// The answer pages of the answer pad, as AnswerPageOfType chooses them.
enum AnswerPage {
    SingleChoicePage = 0,
    MultipleChoicePage = 1,
    FillInPage = 2,
    TrueFalsePage = 3,
    SelfAssessedPage = 4,
    MatchingPage = 5,
};

// An answer is right when it equals the correct answer exactly: case, every byte, no
// trimming, no reordering. An empty answer means "not answered".
bool answerIsRight(const QString& answer, const QString& correct);

// The wrong-answer score after a changed answer is recorded: a first answer gives 0
// when right and -3 when wrong; later, a wrong answer subtracts 1 and a right one adds 1
// while the score is below 0. Below 0 the question is in the wrong set.
int nextWrongScore(bool hadEarlierAnswer, int e4, bool right);

// Types whose correct answer is not shown ("答案" stays disabled): 71..74.
bool isNoAnswerType(int typeCode);

// An answer text as the answer panel shows it: "对"/"错" for true/false, "会"/"不会"
// for a self-assessment, the text itself otherwise.
QString displayAnswer(int page, const QString& answer);
