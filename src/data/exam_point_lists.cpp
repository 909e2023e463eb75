#include "exam_point_lists.h"

#include "jet_text.h"
#include "sql_text.h"

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
