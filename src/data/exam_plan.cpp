#include "exam_plan.h"

namespace {

constexpr DrawPlanEntry kPlan[] = {
    {1, 61, "1", 15},  {1, 61, "2", 15},  {1, 65, "1", 20},  {1, 65, "2", 20},  {1, 66, "1", 15},
    {1, 66, "2", 15},

    {2, 61, "10", 20}, {2, 61, "11", 17}, {2, 61, "04", 13}, {2, 62, "10", 12}, {2, 62, "11", 11},
    {2, 62, "04", 7},  {2, 65, "10", 8},  {2, 65, "11", 7},  {2, 65, "04", 5},

    {3, 61, "05", 23}, {3, 61, "08", 10}, {3, 61, "07", 17}, {3, 62, "05", 14}, {3, 62, "08", 6},
    {3, 62, "07", 10}, {3, 65, "05", 8},  {3, 65, "08", 4},  {3, 65, "07", 8},

    {4, 70, "10", 2},  {4, 70, "11", 2},  {4, 70, "05", 2},  {4, 70, "08", 1},  {4, 70, "07", 2},
    {4, 70, "04", 1},

    {5, 64, "05", 6},
};

constexpr QuestionTypeName kTypeNames[] = {
    {61, "单选"},     {62, "判断"}, {64, "填空"}, {65, "多选"},     {66, "配伍"},
    {70, "案例分析"}, {71, "简答"}, {72, "论述"}, {73, "名词解释"}, {74, "计算"},
};

}  // namespace

std::span<const DrawPlanEntry> drawPlan() {
    return kPlan;
}

int plannedCount(int examType, int typeCode) {
    int total = 0;
    for (const DrawPlanEntry& e : kPlan) {
        if (e.examType == examType && e.typeCode == typeCode)
            total += e.count;
    }
    return total;
}

QString paperTitle(int examType) {
    switch (examType) {
        case 2:
            return QStringLiteral("系统与编码模拟卷");
        case 3:
            return QStringLiteral("网络与数据库模拟卷");
        case 4:
            return QStringLiteral("案例分析模拟卷");
        case 5:
            return QStringLiteral("网络填空专项卷");
        default:
            return QStringLiteral("综合知识模拟卷");
    }
}

std::span<const QuestionTypeName> questionTypeNames() {
    return kTypeNames;
}
