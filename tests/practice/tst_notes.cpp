#include "app_cursor.h"
#include "data_module.h"
#include "frm_bj.h"
#include "frm_jx.h"
#include "globals.h"
#include "modal_script.h"
#include "practice_tests.h"
#include "screenshots.h"
#include "temp_bank.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>

namespace {

const QString kQuestion = QStringLiteral("0101010002");

QVariant stored(Database& db, const QString& column) {
    return db.scalar(QStringLiteral("SELECT %1 FROM tab_answ WHERE A1=?").arg(column), {kQuestion});
}

// The practice window's question query, on the question the notes belong to.
Dataset& openQuestion(TempBank& bank) {
    Dataset& ds = bank.dm().Cn1Query_tm;
    ds.open(QStringLiteral("SELECT * FROM tab_answ ORDER BY A1"));
    if (!ds.locate(QStringLiteral("A1"), kQuestion))
        qFatal("fixture question missing");
    return ds;
}

// Opens the notes on the current row of `ds` and lets `act` work on the open window.
void editNote(Dataset& ds, const std::function<void(TFrmBj&)>& act) {
    TFrmBj window;
    window.BindNote(ds, QStringLiteral("A14"));
    window.lblContext->setText(QStringLiteral("lx"));
    ScopedModalScript script([&](ModalMoment& moment) {
        auto* open = qobject_cast<TFrmBj*>(moment.window);
        if (open == nullptr)
            return 0;
        act(*open);
        return 0;
    });
    showModal(window);
    QVERIFY(window.isClosed());
}

}  // namespace

// The notes window: the note goes through the question's row, so nothing typed is lost.
class NotesWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void anotherPostWhileOpenStoresTheNoteSoFar() {
        TempBank bank;
        Dataset& ds = openQuestion(bank);
        QString storedMidway;
        editNote(ds, [&](TFrmBj& w) {
            w.DBMemo1->insertPlainText(QStringLiteral("进位"));  // typed through an input method
            // The answer timer records the question meanwhile.
            ds.setField(QStringLiteral("csbs"), QStringLiteral("Y"));
            ds.post();
            storedMidway = stored(bank.db(), QStringLiteral("A14")).toString();
            QTest::keyClicks(w.DBMemo1, QStringLiteral(" carry"));
            saveScreenshot(&w, QStringLiteral("notes_window"));
        });
        QCOMPARE(storedMidway, QStringLiteral("进位"));
        QCOMPARE(stored(bank.db(), QStringLiteral("A14")).toString(), QStringLiteral("进位 carry"));
        QCOMPARE(stored(bank.db(), QStringLiteral("csbs")).toString(), QStringLiteral("Y"));
        QCOMPARE(ds.field(QStringLiteral("A14")).asString(), QStringLiteral("进位 carry"));
        QCOMPARE(ds.state(), Dataset::State::Browse);
        QVERIFY(NoteHasText);
    }

    void everyWayOfClosingStores_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("close button") << "button";
        QTest::newRow("Escape in the memo") << "escape";
        QTest::newRow("close box") << "close";
    }

    void everyWayOfClosingStores() {
        QFETCH(QString, how);
        TempBank bank;
        Dataset& ds = openQuestion(bank);
        editNote(ds, [&](TFrmBj& w) {
            QTest::keyClicks(w.DBMemo1, QStringLiteral("note"));
            if (how == QLatin1String("button"))
                QTest::mouseClick(w.findChild<QPushButton*>("btnClose"), Qt::LeftButton);
            else if (how == QLatin1String("escape"))
                QTest::keyClick(w.DBMemo1, Qt::Key_Escape);
            else
                w.close();
            QVERIFY(w.isClosed());
        });
        QCOMPARE(stored(bank.db(), QStringLiteral("A14")).toString(), QStringLiteral("note"));
        QCOMPARE(ds.state(), Dataset::State::Browse);
    }

    void blanksAreStoredAsTypedButAreNoNote() {
        TempBank bank;
        Dataset& ds = openQuestion(bank);
        NoteHasText = true;
        editNote(ds, [](TFrmBj& w) { QTest::keyClicks(w.DBMemo1, QStringLiteral("  \t ")); });
        QCOMPARE(stored(bank.db(), QStringLiteral("A14")).toString(), QStringLiteral("  \t "));
        QVERIFY(!NoteHasText);
    }

    void closingWithoutTypingPostsTheRow() {
        TempBank bank;
        bank.db().execute(QStringLiteral("UPDATE tab_answ SET A14='旧笔记' WHERE A1=?"),
                          {kQuestion});
        Dataset& ds = openQuestion(bank);
        // A change already pending on the row goes out with the note's post.
        ds.edit();
        ds.setField(QStringLiteral("csbs"), QStringLiteral("Y"));
        NoteHasText = false;
        editNote(ds,
                 [](TFrmBj& w) { QCOMPARE(w.DBMemo1->toPlainText(), QStringLiteral("旧笔记")); });
        QCOMPARE(stored(bank.db(), QStringLiteral("A14")).toString(), QStringLiteral("旧笔记"));
        QCOMPARE(stored(bank.db(), QStringLiteral("csbs")).toString(), QStringLiteral("Y"));
        QCOMPARE(ds.state(), Dataset::State::Browse);
        QVERIFY(NoteHasText);
    }

    void anEmptiedNoteIsAnEmptyText() {
        TempBank bank;
        bank.db().execute(QStringLiteral("UPDATE tab_answ SET A14='x' WHERE A1=?"), {kQuestion});
        Dataset& ds = openQuestion(bank);
        editNote(ds, [](TFrmBj& w) {
            w.DBMemo1->selectAll();
            QTest::keyClick(w.DBMemo1, Qt::Key_Backspace);
        });
        const QVariant note = stored(bank.db(), QStringLiteral("A14"));
        QVERIFY(!note.isNull());
        QCOMPARE(note.toString(), QString());
    }

    void noteHasText_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("hasText");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks and line ends") << " \t\r\n " << false;
        QTest::newRow("text between blanks") << "  x " << true;
        QTest::newRow("ideographic space counts as text") << "\u3000" << true;
    }

    void noteHasText() {
        QFETCH(QString, note);
        QFETCH(bool, hasText);
        QCOMPARE(TFrmBj::noteHasText(note), hasText);
    }

    void windowLayout() {
        TFrmBj w;
        QCOMPARE(w.windowTitle(), QStringLiteral("笔记"));
        QCOMPARE(w.size(), QSize(392, 353));
        QCOMPARE(w.findChild<QPushButton*>("btnClose")->text(), QStringLiteral("关  闭"));
        QCOMPARE(w.findChild<QPlainTextEdit*>("DBMemo1")->size(), QSize(377, 305));
        QVERIFY(w.findChild<QLabel*>("lblContext")->isHidden());
    }
};

// The explanation window: a read-only view of a question's explanation.
class ExplanationWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheFieldOfTheCurrentRow() {
        TempBank bank;
        bank.db().execute(QStringLiteral("UPDATE tab_exer SET jx=? WHERE A1='0101010001'"),
                          {QByteArray("{\\rtf1\\ansi Carry the {\\b one}.\\par}")});
        Dataset& nr = bank.dm().cn1query_nr;
        nr.open(QStringLiteral("SELECT * FROM tab_exer ORDER BY A1"));

        TFrmJx w;
        QVERIFY(nr.locate(QStringLiteral("A1"), QStringLiteral("0101010001")));
        w.BindText(nr, QStringLiteral("jx"));
        QCOMPARE(w.DBRichEdit1->toPlainText().trimmed(), QStringLiteral("Carry the one."));
        QVERIFY(w.DBRichEdit1->isReadOnly());

        // The next question has no explanation: the old one must not stay on screen.
        QVERIFY(nr.locate(QStringLiteral("A1"), QStringLiteral("0101010002")));
        w.BindText(nr, QStringLiteral("jx"));
        QCOMPARE(w.DBRichEdit1->toPlainText(), QString());
        QVERIFY(w.DBRichEdit1->isReadOnly());
    }

    void unreadableSourcesLeaveItEmpty() {
        TempBank bank;
        Dataset& nr = bank.dm().cn1query_nr;
        TFrmJx w;
        w.BindBlob(QByteArray("{\\rtf1 stale}"));
        w.BindText(nr, QStringLiteral("jx"));  // not open: no row
        QCOMPARE(w.DBRichEdit1->toPlainText(), QString());

        nr.open(QStringLiteral("SELECT A1 FROM tab_exer ORDER BY A1"));
        w.BindBlob(QByteArray("{\\rtf1 stale}"));
        w.BindText(nr, QStringLiteral("jx"));  // no such field
        QCOMPARE(w.DBRichEdit1->toPlainText(), QString());
        QVERIFY(w.DBRichEdit1->isReadOnly());
    }

    void shownModallyAndClosed() {
        TFrmJx w;
        w.BindBlob(QByteArray(
            "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0 "
            "\\'bd\\'e2\\'ce\\'f6\\'a3\\'ba\\'b6\\'fe\\'bd\\'f8\\'d6\\'c6 1011 = 11\\par}"));
        QCOMPARE(w.windowTitle(), QStringLiteral("解析"));
        QCOMPARE(w.size(), QSize(596, 359));
        QCOMPARE(w.DBRichEdit1->size(), QSize(588, 317));
        QCOMPARE(w.DBRichEdit1->font().pixelSize(), 16);

        SetHourglassCursor();
        bool hourglassWhileShown = true;
        bool closedByEscape = false;
        {
            ScopedModalScript script([&](ModalMoment& moment) {
                hourglassWhileShown = HourglassShown();
                saveScreenshot(moment.window, QStringLiteral("explanation_window"));
                QTest::keyClick(w.DBRichEdit1, Qt::Key_Escape);
                closedByEscape = w.isClosed();  // Escape, not the script, closed it
                return 0;
            });
            showModal(w);
        }
        QVERIFY(!hourglassWhileShown);
        QVERIFY(closedByEscape);

        TFrmJx again;
        bool closedByButton = false;
        {
            ScopedModalScript script([&](ModalMoment&) {
                QTest::mouseClick(again.btnClose, Qt::LeftButton);
                closedByButton = again.isClosed();
                return 0;
            });
            showModal(again);
        }
        QVERIFY(closedByButton);
    }
};

static const bool notesRegistered = registerPracticeTest<NotesWindowTest>();
static const bool explanationRegistered = registerPracticeTest<ExplanationWindowTest>();

#include "tst_notes.moc"
