#pragma once

// How the day's work measures against the study plan when the program is left.
enum class PlanVerdict { Less, Equal, More, NoPlan };

// PlanMark 0 compares the day's answers with PlanAmount, 1 the day's minutes with
// PlanTime; any other mark has no plan to measure.
PlanVerdict planVerdict(int planMark, int planAmount, int planTime, int answersToday,
                        int minutesToday);
