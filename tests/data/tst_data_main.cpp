#include <QCoreApplication>

int runDatasetTests(int argc, char** argv);
int runBankTests(int argc, char** argv);
int runStatisticsTests(int argc, char** argv);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runDatasetTests(argc, argv);
    failures += runBankTests(argc, argv);
    failures += runStatisticsTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
