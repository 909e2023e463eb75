#pragma once

// Each test class of the practice program registers a runner here; main runs them all.
#include <functional>
#include <vector>

using PracticeTestRunner = std::function<int(int, char**)>;
std::vector<PracticeTestRunner>& practiceTestRunners();

// Registers a QObject test class at start-up: static const bool r = registerPracticeTest<T>();
template <typename T>
bool registerPracticeTest();

#include <QTest>

template <typename T>
bool registerPracticeTest() {
    practiceTestRunners().push_back([](int argc, char** argv) {
        T test;
        return QTest::qExec(&test, argc, argv);
    });
    return true;
}
