#include "answer_rules.h"
#include "practice_tests.h"

// The judging rule and the wrong-answer score every recorded answer goes through.
class AnswerRulesTest : public QObject {
    Q_OBJECT

  private slots:
    void judging_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("correct");
        QTest::addColumn<bool>("right");
        QTest::newRow("same letters") << "AC"
                                      << "AC" << true;
        QTest::newRow("stored out of order never matches") << "AC"
                                                           << "CA" << false;
        QTest::newRow("case matters") << "a"
                                      << "A" << false;
        QTest::newRow("a blank after the comma") << "32, 128"
                                                 << "32,128" << false;
        QTest::newRow("correct answer is not trimmed") << "11001"
                                                       << "11001 " << false;
        QTest::newRow("self-assessed") << "1"
                                       << "1" << true;
    }

    void judging() {
        QFETCH(QString, answer);
        QFETCH(QString, correct);
        QFETCH(bool, right);
        QCOMPARE(answerIsRight(answer, correct), right);
    }

    void wrongScore_data() {
        QTest::addColumn<bool>("earlier");
        QTest::addColumn<int>("e4");
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("next");
        QTest::newRow("first, right") << false << 7 << true << 0;
        QTest::newRow("first, wrong") << false << 0 << false << -3;
        QTest::newRow("again, wrong") << true << -3 << false << -4;
        QTest::newRow("again, wrong from 0") << true << 0 << false << -1;
        QTest::newRow("again, right below 0") << true << -1 << true << 0;
        QTest::newRow("again, right at 0") << true << 0 << true << 0;
        QTest::newRow("again, right above 0") << true << 2 << true << 2;
    }

    void wrongScore() {
        QFETCH(bool, earlier);
        QFETCH(int, e4);
        QFETCH(bool, right);
        QFETCH(int, next);
        QCOMPARE(nextWrongScore(earlier, e4, right), next);
    }

    void wrongFirstThenRightThreeTimesLeavesTheWrongSet() {
        int e4 = nextWrongScore(false, 0, false);
        QList<int> seen{e4};
        for (int i = 0; i < 3; ++i)
            seen << (e4 = nextWrongScore(true, e4, true));
        QCOMPARE(seen, (QList<int>{-3, -2, -1, 0}));
    }

    void display() {
        QCOMPARE(displayAnswer(TrueFalsePage, "A"), QStringLiteral("对"));
        QCOMPARE(displayAnswer(TrueFalsePage, "B"), QStringLiteral("错"));
        QCOMPARE(displayAnswer(SelfAssessedPage, "1"), QStringLiteral("会"));
        QCOMPARE(displayAnswer(SelfAssessedPage, "0"), QStringLiteral("不会"));
        QCOMPARE(displayAnswer(SingleChoicePage, "A"), QStringLiteral("A"));
        QVERIFY(isNoAnswerType(71) && isNoAnswerType(74));
        QVERIFY(!isNoAnswerType(70) && !isNoAnswerType(61));
    }
};

static const bool registered = registerPracticeTest<AnswerRulesTest>();

#include "tst_answer_rules.moc"
