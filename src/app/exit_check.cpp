#include "exit_check.h"

PlanVerdict planVerdict(int planMark, int planAmount, int planTime, int answersToday,
                        int minutesToday) {
    int done = 0;
    int planned = 0;
    if (planMark == 0) {
        done = answersToday;
        planned = planAmount;
    } else if (planMark == 1) {
        done = minutesToday;
        planned = planTime;
    } else {
        return PlanVerdict::NoPlan;
    }
    if (done < planned)
        return PlanVerdict::Less;
    return done == planned ? PlanVerdict::Equal : PlanVerdict::More;
}
