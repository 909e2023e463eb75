#include "exam_point_lists.h"

#include "sql_text.h"

QString jetTrim(const QString& s) {
    int b = 0;
    int e = s.size();
    while (b < e && s.at(b).unicode() <= 0x20)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 0x20)
        --e;
    return s.mid(b, e - b);
}

ExamPointLists buildExamPointLists(const QStringList& points) {
    QStringList rule, six, two;
    for (const QString& p : points) {
        if (jetTrim(p).isEmpty())
            break;
        rule << quoted(p);
        six << quoted(p.left(6));
        two << quoted(p.left(2));
    }
    ExamPointLists lists;
    lists.count = static_cast<int>(rule.size());
    if (lists.count > 0) {
        lists.ruleIds = QLatin1Char('(') + rule.join(QLatin1Char(',')) + QLatin1Char(')');
        lists.catalogIds6 = QLatin1Char('(') + six.join(QLatin1Char(',')) + QLatin1Char(')');
        lists.catalogIds2 = QLatin1Char('(') + two.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return lists;
}
