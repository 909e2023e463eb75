#include "answer_rules.h"

bool answerIsRight(const QString& answer, const QString& correct) {
    return answer == correct;
}

int nextWrongScore(bool hadEarlierAnswer, int e4, bool right) {
    if (!hadEarlierAnswer)
        return right ? 0 : -3;
    if (!right)
        return e4 - 1;
    return e4 < 0 ? e4 + 1 : e4;
}

bool isNoAnswerType(int typeCode) {
    return typeCode >= 71 && typeCode <= 74;
}

QString displayAnswer(int page, const QString& answer) {
    if (page == TrueFalsePage) {
        if (answer == QLatin1String("A"))
            return QStringLiteral("对");
        if (answer == QLatin1String("B"))
            return QStringLiteral("错");
    } else if (page == SelfAssessedPage) {
        if (answer == QLatin1String("1"))
            return QStringLiteral("会");
        if (answer == QLatin1String("0"))
            return QStringLiteral("不会");
    }
    return answer;
}
