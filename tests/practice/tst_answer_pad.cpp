#include "answer_pad.h"
#include "practice_tests.h"
#include "screenshots.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>

namespace {

// The pad's buttons on `page`, hidden ones included.
QList<QPushButton*> buttonsOf(const AnswerPad& pad, int page) {
    return pad.pages()->widget(page)->findChildren<QPushButton*>();
}

QPushButton* buttonCaptioned(const AnswerPad& pad, const QString& caption) {
    for (QPushButton* b : buttonsOf(pad, pad.page())) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

QStringList pressedCaptions(const AnswerPad& pad) {
    QStringList captions;
    for (const QPushButton* b : buttonsOf(pad, pad.page())) {
        if (b->isChecked())
            captions << b->text();
    }
    captions.sort();
    return captions;
}

QStringList shownCaptions(const AnswerPad& pad, int page) {
    QStringList captions;
    for (const QPushButton* b : buttonsOf(pad, page)) {
        if (b->isVisibleTo(&pad))
            captions << b->text();
    }
    return captions;
}

// Plays what a candidate does on the current page: "click X" clicks the button captioned X,
// "key X" is the letter key X, "type T" types into the fill-in edit, "set T" puts T there
// (for characters a keyboard would not type), "pick N" chooses self-assessment item N.
void play(AnswerPad& pad, const QStringList& actions) {
    for (const QString& action : actions) {
        const QString verb = action.section(QLatin1Char(' '), 0, 0);
        const QString arg = action.section(QLatin1Char(' '), 1);
        if (verb == QLatin1String("click")) {
            QPushButton* b = buttonCaptioned(pad, arg);
            QVERIFY2(b != nullptr, qPrintable(action));
            QTest::mouseClick(b, Qt::LeftButton);
        } else if (verb == QLatin1String("key")) {
            pad.handleKey(Qt::Key_A + (arg.at(0).unicode() - u'A'));
        } else if (verb == QLatin1String("type")) {
            QTest::keyClicks(pad.fillInEdit(), arg);
        } else if (verb == QLatin1String("set")) {
            pad.fillInEdit()->setText(arg);
        } else if (verb == QLatin1String("pick")) {
            pad.selfAssessmentBox()->setCurrentIndex(arg.toInt());
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
        }
    }
}

}  // namespace

// The answer pad: what each page reads as the answer, how a stored answer comes back, and
// the option count that limits the choice pages.
class AnswerPadTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        pad_ = std::make_unique<AnswerPad>();
        pad_->show();
        QVERIFY(QTest::qWaitForWindowExposed(pad_.get()));
    }
    void cleanup() { pad_.reset(); }

    void answerText_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("options");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("answer");

        QTest::newRow("single: one option") << 0 << 4 << QStringList{"click B"} << "B";
        QTest::newRow("single: the last click wins")
            << 0 << 4 << QStringList{"click B", "click D"} << "D";
        QTest::newRow("single: clicking the pressed one releases it")
            << 0 << 4 << QStringList{"click A", "click A"} << "";
        QTest::newRow("single: key of a visible option") << 0 << 4 << QStringList{"key C"} << "C";
        QTest::newRow("single: key of a hidden option selects nothing")
            << 0 << 4 << QStringList{"key F"} << "";
        QTest::newRow("single: key presses, never releases")
            << 0 << 4 << QStringList{"key B", "key B"} << "B";
        QTest::newRow("multi: letters in order A..F")
            << 1 << 4 << QStringList{"click C", "click A"} << "AC";
        QTest::newRow("multi: keys, hidden F ignored")
            << 1 << 4 << QStringList{"key A", "key B", "key F"} << "AB";
        QTest::newRow("multi: a key toggles")
            << 1 << 6 << QStringList{"key A", "key F", "key A"} << "F";
        QTest::newRow("multi: nothing pressed") << 1 << 4 << QStringList{} << "";
        QTest::newRow("fill-in: blanks and tabs trimmed")
            << 2 << 0 << QStringList{"set   32,128 \t"} << "32,128";
        QTest::newRow("fill-in: inner blank kept")
            << 2 << 0 << QStringList{"type 32, 128"} << "32, 128";
        QTest::newRow("fill-in: ideographic space is no blank")
            << 2 << 0 << QStringList{"set \u3000答\u3000 "} << "\u3000答\u3000";
        QTest::newRow("fill-in: only blanks") << 2 << 0 << QStringList{"type    "} << "";
        QTest::newRow("true/false: 对") << 3 << 0 << QStringList{"click 对"} << "A";
        QTest::newRow("true/false: 错") << 3 << 0 << QStringList{"click 错"} << "B";
        QTest::newRow("true/false: 对 then 错")
            << 3 << 0 << QStringList{"click 对", "click 错"} << "B";
        QTest::newRow("true/false: released")
            << 3 << 0 << QStringList{"click 对", "click 对"} << "";
        QTest::newRow("true/false: letter keys do nothing") << 3 << 0 << QStringList{"key A"} << "";
        QTest::newRow("self-assessed: 会") << 4 << 0 << QStringList{"pick 1"} << "1";
        QTest::newRow("self-assessed: 不会") << 4 << 0 << QStringList{"pick 0"} << "0";
        QTest::newRow("self-assessed: nothing chosen") << 4 << 0 << QStringList{} << "";
        QTest::newRow("matching: like multi")
            << 5 << 5 << QStringList{"click D", "click B"} << "BD";
        QTest::newRow("matching: letter keys do nothing") << 5 << 5 << QStringList{"key A"} << "";
    }

    void answerText() {
        QFETCH(int, page);
        QFETCH(int, options);
        QFETCH(QStringList, actions);
        QFETCH(QString, answer);
        pad_->setPage(page);
        pad_->restore(QString(), options);
        play(*pad_, actions);
        QCOMPARE(pad_->answerText(), answer);
    }

    void optionCountLimitsTheChoicePages_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("four") << 4 << QStringList{"A", "B", "C", "D"};
        QTest::newRow("six") << 6 << QStringList{"A", "B", "C", "D", "E", "F"};
        QTest::newRow("more than six") << 9 << QStringList{"A", "B", "C", "D", "E", "F"};
        QTest::newRow("none") << 0 << QStringList{};
        QTest::newRow("negative") << -2 << QStringList{};
    }

    void optionCountLimitsTheChoicePages() {
        QFETCH(int, stored);
        QFETCH(QStringList, shown);
        for (const int page : {0, 1, 5}) {
            pad_->setPage(page);
            pad_->restore(QString(), stored);
            QCOMPARE(shownCaptions(*pad_, page), shown);
        }
        QCOMPARE(pad_->optionCount(), int(shown.size()));
    }

    void hiddenOptionsAreReleasedAndNeverRead() {
        pad_->setPage(MultipleChoicePage);
        pad_->restore(QStringLiteral("AEF"), 6);
        QCOMPARE(pad_->answerText(), QStringLiteral("AEF"));
        pad_->restore(QStringLiteral("AEF"), 4);  // the next question has four options
        QCOMPARE(pad_->answerText(), QStringLiteral("A"));
        pad_->setOptionCount(6);  // shown again, E and F come back released
        QCOMPARE(pad_->answerText(), QStringLiteral("A"));

        pad_->setPage(SingleChoicePage);
        pad_->restore(QStringLiteral("F"), 6);
        QCOMPARE(pad_->answerText(), QStringLiteral("F"));
        pad_->setOptionCount(4);
        pad_->setOptionCount(6);
        QCOMPARE(pad_->answerText(), QString());
        QCOMPARE(pressedCaptions(*pad_), QStringList{});
    }

    void restore_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("pressed");

        QTest::newRow("single") << 0 << QStringList{} << "B" << 4 << "B" << QStringList{"B"};
        QTest::newRow("single: replaces the pressed one")
            << 0 << QStringList{"click A"} << "C" << 4 << "C" << QStringList{"C"};
        QTest::newRow("single: two letters press nothing")
            << 0 << QStringList{"click A"} << "AC" << 4 << "" << QStringList{};
        QTest::newRow("single: letter beyond the options")
            << 0 << QStringList{} << "F" << 4 << "" << QStringList{};
        QTest::newRow("single: empty releases")
            << 0 << QStringList{"click D"} << "" << 4 << "" << QStringList{};
        QTest::newRow("multi") << 1 << QStringList{} << "ABD" << 5 << "ABD"
                               << QStringList{"A", "B", "D"};
        QTest::newRow("multi: letters beyond the options")
            << 1 << QStringList{} << "ACEF" << 4 << "AC" << QStringList{"A", "C"};
        QTest::newRow("multi: earlier presses cleared")
            << 1 << QStringList{"click A", "click C"} << "B" << 4 << "B" << QStringList{"B"};
        QTest::newRow("multi: any order")
            << 1 << QStringList{} << "DA" << 4 << "AD" << QStringList{"A", "D"};
        QTest::newRow("matching") << 5 << QStringList{"click A"} << "BE" << 6 << "BE"
                                  << QStringList{"B", "E"};
        QTest::newRow("fill-in") << 2 << QStringList{} << "10,16" << 0 << "10,16" << QStringList{};
        QTest::newRow("fill-in: empty clears")
            << 2 << QStringList{"type 99"} << "" << 0 << "" << QStringList{};
        QTest::newRow("true/false: A")
            << 3 << QStringList{} << "A" << 0 << "A" << QStringList{"对"};
        QTest::newRow("true/false: B")
            << 3 << QStringList{"click 对"} << "B" << 0 << "B" << QStringList{"错"};
        QTest::newRow("true/false: anything else releases")
            << 3 << QStringList{"click 对"} << "C" << 0 << "" << QStringList{};
        QTest::newRow("self-assessed: 1") << 4 << QStringList{} << "1" << 0 << "1" << QStringList{};
        QTest::newRow("self-assessed: 0")
            << 4 << QStringList{"pick 1"} << "0" << 0 << "0" << QStringList{};
        QTest::newRow("self-assessed: no such item")
            << 4 << QStringList{"pick 1"} << "2" << 0 << "" << QStringList{};
        QTest::newRow("self-assessed: not the decimal text")
            << 4 << QStringList{} << " 1" << 0 << "" << QStringList{};
    }

    void restore() {
        QFETCH(int, page);
        QFETCH(QStringList, before);
        QFETCH(QString, stored);
        QFETCH(int, options);
        QFETCH(QString, answer);
        QFETCH(QStringList, pressed);
        pad_->setPage(page);
        pad_->restore(QString(), 6);
        play(*pad_, before);
        QSignalSpy changed(pad_.get(), &AnswerPad::answerChanged);
        pad_->restore(stored, options);
        QCOMPARE(pad_->answerText(), answer);
        QCOMPARE(pressedCaptions(*pad_), pressed);
        QCOMPARE(changed.count(), 0);
        if (page == FillInPage)
            QCOMPARE(pad_->fillInEdit()->text(), stored);
    }

    // The group must know what restore pressed: clicking it again releases it, and a
    // restored true/false answer is replaced by the other button, not added to it.
    void restoredPressesBehaveLikeClicks() {
        pad_->setPage(SingleChoicePage);
        pad_->restore(QStringLiteral("B"), 4);
        play(*pad_, {"click B"});
        QCOMPARE(pad_->answerText(), QString());

        pad_->setPage(TrueFalsePage);
        pad_->restore(QStringLiteral("A"), 0);
        play(*pad_, {"click 错"});
        QCOMPARE(pressedCaptions(*pad_), QStringList{"错"});
    }

    void answerChangedOnlyForTheCandidate() {
        QSignalSpy changed(pad_.get(), &AnswerPad::answerChanged);
        pad_->setPage(SingleChoicePage);
        pad_->restore(QStringLiteral("A"), 4);
        pad_->setOptionCount(2);
        QCOMPARE(changed.count(), 0);
        play(*pad_, {"click B"});
        QCOMPARE(changed.count(), 1);
        QVERIFY(pad_->handleKey(Qt::Key_A));
        QCOMPARE(changed.count(), 2);
        QVERIFY(!pad_->handleKey(Qt::Key_C));  // hidden
        QVERIFY(!pad_->handleKey(Qt::Key_Backspace));
        QVERIFY(!pad_->handleKey(Qt::Key_Return));
        QCOMPARE(changed.count(), 2);

        pad_->setPage(FillInPage);
        play(*pad_, {"type ab"});
        QCOMPARE(changed.count(), 4);
    }

    void pageStaysOnAnUnknownValue() {
        QCOMPARE(pad_->page(), int(SelfAssessedPage));  // the first page shown
        pad_->setPage(FillInPage);
        pad_->setPage(99);
        QCOMPARE(pad_->page(), int(FillInPage));
        pad_->setPage(-1);
        QCOMPARE(pad_->page(), int(FillInPage));
        pad_->setPage(6);
        QCOMPARE(pad_->page(), int(FillInPage));
    }

    void hints_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("hint");
        QTest::newRow("single") << 0 << "选择一个选项作为正确答案";
        QTest::newRow("multi") << 1 << "选择两个或者多个选项作为正确答案";
        QTest::newRow("fill-in") << 2 << "填写正确答案，答案间用“,”隔开";
        QTest::newRow("true/false") << 3 << "根据判断选择“正确”或者“错误”";
        QTest::newRow("self-assessed") << 4 << "根据自己实际情况选择“会”或者“不会”";
        QTest::newRow("matching") << 5 << "选择若干个选项作为正确答案";
    }

    void hints() {
        QFETCH(int, page);
        QFETCH(QString, hint);
        pad_->setPage(page == 0 ? 1 : 0);
        pad_->setPage(page);
        QCOMPARE(pad_->hint(), hint);
        QCOMPARE(pad_->toolTip(), hint);
    }

    void sideLabels() {
        const QStringList defaults{"单\n选", "多\n选", "填\n空", "判\n断", "主\n观", "不\n定\n项"};
        for (int page = 0; page < AnswerPad::kPageCount; ++page)
            QCOMPARE(pad_->sideLabel(page)->text(), defaults.at(page));
    }

    void selfAssessmentLabel_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        QTest::newRow("two characters") << "简答"
                                        << "简\n答";
        QTest::newRow("first two of three") << "论述题"
                                            << "论\n述";
        QTest::newRow("one character") << "问"
                                       << "问";
        QTest::newRow("empty gives the default") << ""
                                                 << "主\n观";
    }

    void selfAssessmentLabel() {
        QFETCH(QString, caption);
        QFETCH(QString, label);
        pad_->setSelfAssessmentLabel(QStringLiteral("计算"));
        pad_->setSelfAssessmentLabel(caption);
        QCOMPARE(pad_->sideLabel(SelfAssessedPage)->text(), label);
    }

    // Enter and Backspace belong to the window: no pad button may take focus or be the
    // default button.
    void buttonsTakeNoFocus() {
        const auto buttons = pad_->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 3 * AnswerPad::kMaxOptions + 2);
        for (const QPushButton* b : buttons) {
            QVERIFY2(b->focusPolicy() == Qt::NoFocus, qPrintable(b->objectName()));
            QVERIFY2(!b->autoDefault() && !b->isDefault(), qPrintable(b->objectName()));
        }
        for (const char* name :
             {"padSingleA", "padSingleF", "padMultiA", "padMatchF", "padTrue", "padFalse"})
            QVERIFY2(pad_->findChild<QPushButton*>(name) != nullptr, name);
        QVERIFY(pad_->findChild<QLineEdit*>("padFillIn") != nullptr);
        QVERIFY(pad_->findChild<QComboBox*>("padSelfAssessment") != nullptr);
        QCOMPARE(pad_->objectName(), QStringLiteral("AnswerPad"));
    }

    void screenshots() {
        const QList<std::pair<int, QStringList>> shots{
            {0, {"click B"}}, {1, {"click A", "click C"}}, {2, {"type 32,128"}}, {3, {"click 对"}},
            {4, {"pick 1"}},  {5, {"click B", "click E"}}};
        for (const bool compact : {false, true}) {
            pad_->setCompact(compact);
            pad_->resize(compact ? 760 : 980, pad_->height());
            for (const auto& [page, actions] : shots) {
                pad_->setPage(page);
                pad_->restore(QString(), page == 0 ? 4 : 5);
                play(*pad_, actions);
                QCoreApplication::processEvents();  // let the shown options lay out
                saveScreenshot(
                    pad_.get(),
                    QStringLiteral("pad_page%1%2").arg(page).arg(compact ? "_compact" : ""));
            }
        }
    }

  private:
    std::unique_ptr<AnswerPad> pad_;
};

static const bool registered = registerPracticeTest<AnswerPadTest>();

#include "tst_answer_pad.moc"
