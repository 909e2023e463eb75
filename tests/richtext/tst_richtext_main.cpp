#include "richtext_tests.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    for (const auto run : {runReaderTests, runPictureTests, runTableTests, runWriterTests,
                           runRobustnessTests, runWidgetTests})
        failures += run(argc, argv);
    return failures;
}
