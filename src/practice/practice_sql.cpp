#include "practice_sql.h"

#include "sql_text.h"

QString practiceSql(PracticeMode mode, const QString& chapterCode, bool doubleClicked) {
    const QString length = QString::number(chapterCode.size());
    const QString code = quoted(chapterCode);
    switch (mode) {
        case PracticeMode::Wrong:
            return QStringLiteral(
                       "select a1,a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,"
                       "e2_1,e3,e4,f1,xx,csbs,ecount from tab_answ  where (substr(A10,1,") +
                   length + QStringLiteral(") = ") + code + QStringLiteral(") and (E4 < 0) ") +
                   QStringLiteral(" and (f1<>1)") + QStringLiteral(" order by a13,e3,e4,e1,xx,a1");
        case PracticeMode::Review:
            return QStringLiteral(
                       "select a1,a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,"
                       "e2_1,e3,e4,f1,xx,csbs,ecount from tab_answ where (substr(A10,1,") +
                   length + QStringLiteral(") = ") + code +
                   QStringLiteral(") and (E2 <> '' and E2 is not null) ") +
                   QStringLiteral("order by a13,e3,e4,e1,xx,a1");
        case PracticeMode::New:
        default:
            return QStringLiteral(
                       "select a1 ,a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,"
                       "e2_1,e3,e4,f1,xx,csbs,ecount from tab_answ where (substr(A10,1,") +
                   length + QStringLiteral(") = ") + code +
                   QStringLiteral(") and (E2 = '' or E2 is null) ") +
                   QStringLiteral(" and (f1<>1) ") +
                   (doubleClicked ? QStringLiteral(" order by a13,a10,xx")
                                  : QStringLiteral(" order by a13,a10,xx,a1"));
    }
}
