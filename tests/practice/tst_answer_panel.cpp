#include "answer_panel.h"
#include "practice_tests.h"
#include "screenshots.h"

#include <QLabel>
#include <QSignalSpy>

namespace {

// Steps until the slide ends, recording the width after each step.
QList<int> slide(AnswerPanel& panel) {
    QList<int> widths;
    for (int guard = 0; panel.isSliding() && guard < 100; ++guard) {
        panel.step();
        widths << panel.width();
    }
    return widths;
}

}  // namespace

// The verdict panel: its texts and its slide over the question area.
class AnswerPanelTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        area_ = std::make_unique<QWidget>();
        area_->resize(600, 400);
        panel_ = new AnswerPanel(area_.get());
        panel_->setGeometry(0, 0, 0, 400);
        area_->show();
        QVERIFY(QTest::qWaitForWindowExposed(area_.get()));
    }
    void cleanup() { area_.reset(); }

    void verdicts() {
        panel_->setAnswers(QStringLiteral("AC"), QStringLiteral("AC"), true);
        QCOMPARE(verdictText(), QStringLiteral("恭喜你，做对了！"));
        const QColor right = verdictColor();
        QCOMPARE(panel_->findChild<QLabel*>("panelYourAnswer")->text(), QStringLiteral("AC"));
        QCOMPARE(panel_->findChild<QLabel*>("panelCorrectAnswer")->text(), QStringLiteral("AC"));

        panel_->setAnswers(QStringLiteral("错"), QStringLiteral("对"), false);
        QCOMPARE(verdictText(), QStringLiteral("很遗憾，做错了，请继续努力！"));
        const QColor wrong = verdictColor();
        QCOMPARE(panel_->findChild<QLabel*>("panelYourAnswer")->text(), QStringLiteral("错"));
        QCOMPARE(panel_->findChild<QLabel*>("panelCorrectAnswer")->text(), QStringLiteral("对"));

        QVERIFY2(right.green() > right.red(), qPrintable(right.name()));
        QVERIFY2(wrong.red() > wrong.green(), qPrintable(wrong.name()));
    }

    void opensAndShutsInGrowingSteps() {
        QSignalSpy finished(panel_, &AnswerPanel::slideFinished);
        panel_->toggle(500);
        QVERIFY(panel_->isOpen());
        QVERIFY(panel_->isSliding());
        QCOMPARE(slide(*panel_), (QList<int>{20, 60, 120, 200, 300, 420, 500}));
        QVERIFY(panel_->isOpen());
        QCOMPARE(panel_->height(), 400);
        QCOMPARE(panel_->x(), 0);
        QVERIFY(panel_->isVisible());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), true);

        panel_->toggle(500);
        QVERIFY(!panel_->isOpen());  // shutting has started
        QCOMPARE(slide(*panel_), (QList<int>{480, 440, 380, 300, 200, 80, 0}));
        QCOMPARE(finished.count(), 2);
        QCOMPARE(finished.at(1).at(0).toBool(), false);
        QVERIFY(!panel_->isVisible());
    }

    void anExactFitEndsOnTheStep() {
        panel_->toggle(120);
        QCOMPARE(slide(*panel_), (QList<int>{20, 60, 120}));
    }

    void toggleWhileSlidingIsIgnored() {
        panel_->toggle(500);
        panel_->step();
        panel_->step();
        panel_->toggle(500);
        QVERIFY(panel_->isOpen());
        panel_->step();
        QCOMPARE(panel_->width(), 120);
        slide(*panel_);
        panel_->toggle(500);
        panel_->step();
        panel_->toggle(500);
        QVERIFY(!panel_->isOpen());
        panel_->step();
        QCOMPARE(panel_->width(), 440);
    }

    void closeAtOnceStopsTheSlide() {
        QSignalSpy finished(panel_, &AnswerPanel::slideFinished);
        panel_->toggle(500);
        panel_->step();
        panel_->step();
        panel_->closeAtOnce();
        QCOMPARE(panel_->width(), 0);
        QVERIFY(!panel_->isOpen());
        QVERIFY(!panel_->isSliding());
        panel_->step();
        QTest::qWait(4 * AnswerPanel::kStepIntervalMs);
        QCOMPARE(panel_->width(), 0);
        QCOMPARE(finished.count(), 0);
        // The next toggle opens again from the start.
        panel_->toggle(500);
        panel_->step();
        QCOMPARE(panel_->width(), 20);
    }

    void theTimerDrivesTheSlide() {
        QSignalSpy finished(panel_, &AnswerPanel::slideFinished);
        panel_->toggle(500);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(panel_->width(), 500);
        panel_->toggle(500);
        QTRY_COMPARE(finished.count(), 2);
        QCOMPARE(panel_->width(), 0);
    }

    void screenshots() {
        panel_->setAnswers(QStringLiteral("AC"), QStringLiteral("AC"), true);
        panel_->toggle(560);
        slide(*panel_);
        saveScreenshot(area_.get(), QStringLiteral("panel_right"));
        panel_->setAnswers(QStringLiteral("32, 128"), QStringLiteral("32,128"), false);
        saveScreenshot(area_.get(), QStringLiteral("panel_wrong"));
        panel_->toggle(560);
        panel_->step();
        panel_->step();
        panel_->step();
        saveScreenshot(area_.get(), QStringLiteral("panel_shutting"));
    }

  private:
    QString verdictText() const { return panel_->findChild<QLabel*>("panelVerdict")->text(); }
    QColor verdictColor() const {
        QLabel* verdict = panel_->findChild<QLabel*>("panelVerdict");
        verdict->ensurePolished();
        return verdict->palette().color(verdict->foregroundRole());
    }

    std::unique_ptr<QWidget> area_;
    AnswerPanel* panel_ = nullptr;
};

static const bool registered = registerPracticeTest<AnswerPanelTest>();

#include "tst_answer_panel.moc"
