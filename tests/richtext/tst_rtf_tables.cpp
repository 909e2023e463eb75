#include "richtext_tests.h"
#include "rtf_reader.h"
#include "rtf_samples.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

using namespace Qt::StringLiterals;

namespace {

QString describeTable(const QTextTable* table) {
    QStringList rows;
    for (int r = 0; r < table->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columns(); ++c) {
            QStringList blocks;
            const QTextTableCell cell = table->cellAt(r, c);
            for (auto it = cell.begin(); !it.atEnd(); ++it)
                blocks << it.currentBlock().text();
            cells << blocks.join(u'/');
        }
        rows << cells.join(u',');
    }
    return "[" + rows.join(u';') + "]";
}

// The document's top-level layout in one line: paragraphs as their text, tables as
// [cell,cell;cell,cell] with a cell's paragraphs joined by '/', all joined by '|'.
QString layout(const QTextDocument& document) {
    QStringList items;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame()))
            items << describeTable(table);
        else if (!it.currentFrame())
            items << it.currentBlock().text();
    }
    return items.join(u'|');
}

QTextTable* firstTable(const QTextDocument& document) {
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame()))
            return table;
    }
    return nullptr;
}

}  // namespace

class TestRtfTables : public QObject {
    Q_OBJECT

  private slots:
    void tableBetweenParagraphs() {
        const auto document = rtfToDocument(samples::table());
        QCOMPARE(layout(*document), u"before|[中,b;c/c2,d]|after"_s);

        const QTextTable* table = firstTable(*document);
        QVERIFY(table);
        const QList<QTextLength> widths = table->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 2);
        QCOMPARE(widths[0], QTextLength(QTextLength::FixedLength, 100));  // \cellx1500
        QCOMPARE(widths[1], QTextLength(QTextLength::FixedLength, 200));  // \cellx4500
        const QTextCursor bold = table->cellAt(0, 1).firstCursorPosition();
        QTextCursor inside(bold);
        inside.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(inside.charFormat().fontWeight(), int(QFont::Bold));
    }

    void tableLayouts_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("layout");
        // A document that starts with a table keeps Qt's empty paragraph before it.
        QTest::newRow("cells without a row definition")
            << QByteArray("\\intbl a\\cell b\\cell c\\cell\\row\\pard x") << u"|[a,b,c]|x"_s;
        QTest::newRow("cells and rows inside nested groups")
            << QByteArray(
                   "\\trowd\\cellx1000\\cellx2000{\\pard\\intbl{a}\\cell}"
                   "{\\intbl b\\cell{\\row}}\\pard after")
            << u"|[a,b]|after"_s;
        QTest::newRow("a plain paragraph ends an unfinished row")
            << QByteArray("\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell\\pard b\\par")
            << u"|[a,]|b"_s;
        QTest::newRow("more cells than defined")
            << QByteArray("\\trowd\\cellx1000\\pard\\intbl a\\cell b\\cell\\row") << u"|[a,b]|"_s;
        QTest::newRow("a shorter second row")
            << QByteArray(
                   "\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row"
                   "\\trowd\\cellx1000\\intbl c\\cell\\row\\pard")
            << u"|[a,b;c,]|"_s;
        QTest::newRow("row definition repeated before \\row")
            << QByteArray(
                   "\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell"
                   "\\trowd\\cellx1000\\cellx2000\\row")
            << u"|[a,b]|"_s;
        QTest::newRow("two tables with a paragraph between")
            << QByteArray("\\intbl a\\cell\\row\\pard mid\\par\\intbl b\\cell\\row\\pard\\par")
            << u"|[a]|mid|[b]|"_s;
        QTest::newRow("nested table flattened into its cell")
            << QByteArray(
                   "\\trowd\\cellx3000\\pard\\intbl a\\par\\itap2 x\\nestcell y\\nestcell"
                   "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}"
                   "{\\nonesttables\\par}\\itap1 z\\cell\\row")
            << u"|[a/x\ty\t/z]|"_s;
    }

    void tableLayouts() {
        QFETCH(QByteArray, body);
        QFETCH(QString, layout);
        QCOMPARE(::layout(*rtfToDocument(samples::document(body))), layout);
    }

    // Very long tables are split so that reading stays fast; no cell may get lost.
    void longTablesKeepEveryCell() {
        const int rows = 1500;
        const auto document = rtfToDocument(
            samples::document("\\trowd\\cellx1000\\cellx2000 " +
                              QByteArray("\\intbl a\\cell b\\cell\\row ").repeated(rows)));
        int tableRows = 0;
        for (auto it = document->rootFrame()->begin(); !it.atEnd(); ++it) {
            if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame())) {
                QCOMPARE(table->columns(), 2);
                tableRows += table->rows();
            }
        }
        QCOMPARE(tableRows, rows);
        QCOMPARE(document->toPlainText().count(u'a'), rows);
        QCOMPARE(document->toPlainText().count(u'b'), rows);
    }

    void picturesInCells() {
        const QByteArray png = samples::png(samples::testImage(2, 2)).toHex();
        const auto document = rtfToDocument(
            samples::document("\\trowd\\cellx1000\\cellx2000\\intbl{\\pict\\pngblip " + png +
                              "}\\cell x\\cell\\row"));
        QCOMPARE(samples::images(*document).size(), 1);
        QCOMPARE(layout(*document), u"|[\ufffc,x]|"_s);
    }
};

int runTableTests(int argc, char** argv) {
    TestRtfTables test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_rtf_tables.moc"
