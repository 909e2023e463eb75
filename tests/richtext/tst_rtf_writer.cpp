#include "richtext_tests.h"
#include "rtf_reader.h"
#include "rtf_samples.h"
#include "rtf_writer.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString describeChars(const QTextCharFormat& format) {
    QStringList parts;
    parts << format.fontFamilies().toStringList().value(0);
    parts << QString::number(format.fontPointSize());
    if (format.fontWeight() >= QFont::Bold)
        parts << "bold";
    if (format.fontItalic())
        parts << "italic";
    if (format.fontUnderline())
        parts << "underline";
    if (format.fontStrikeOut())
        parts << "strike";
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        parts << "super";
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        parts << "sub";
    if (format.foreground().style() != Qt::NoBrush)
        parts << "fg=" + format.foreground().color().name();
    if (format.background().style() != Qt::NoBrush)
        parts << "bg=" + format.background().color().name();
    return parts.join(u' ');
}

void snapshotFrame(const QTextDocument& document, const QTextFrame* frame, QStringList& out);

void snapshotBlock(const QTextDocument& document, const QTextBlock& block, QStringList& out) {
    const QTextBlockFormat format = block.blockFormat();
    out << QStringLiteral("block align=%1 li=%2 ri=%3 fi=%4 sb=%5 sa=%6")
               .arg(int(format.alignment() & Qt::AlignHorizontal_Mask))
               .arg(format.leftMargin())
               .arg(format.rightMargin())
               .arg(format.textIndent())
               .arg(format.topMargin())
               .arg(format.bottomMargin());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.charFormat().isImageFormat()) {
            const QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QImage pixels = samples::imageOf(document, image);
            out << QStringLiteral("  image %1x%2 shown %3x%4 first pixel %5")
                       .arg(pixels.width())
                       .arg(pixels.height())
                       .arg(image.width())
                       .arg(image.height())
                       .arg(pixels.isNull() ? QString() : pixels.pixelColor(0, 0).name());
        } else {
            out << "  '" + fragment.text() + "' " + describeChars(fragment.charFormat());
        }
    }
}

void snapshotFrame(const QTextDocument& document, const QTextFrame* frame, QStringList& out) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame())) {
            QStringList widths;
            for (const QTextLength& w : table->format().columnWidthConstraints())
                widths << QString::number(w.rawValue());
            out << QStringLiteral("table %1x%2 widths %3")
                       .arg(table->rows())
                       .arg(table->columns())
                       .arg(widths.join(u','));
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    out << QStringLiteral("cell %1,%2").arg(r).arg(c);
                    const QTextTableCell cell = table->cellAt(r, c);
                    for (auto b = cell.begin(); !b.atEnd(); ++b)
                        snapshotBlock(document, b.currentBlock(), out);
                }
            }
        } else if (it.currentFrame()) {
            snapshotFrame(document, it.currentFrame(), out);
        } else {
            snapshotBlock(document, it.currentBlock(), out);
        }
    }
}

// Everything the writer promises to keep, one line per paragraph, run, table and cell.
QStringList snapshot(const QTextDocument& document) {
    QStringList out;
    snapshotFrame(document, document.rootFrame(), out);
    return out;
}

QTextCharFormat run(const QString& family, double points) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    return format;
}

// A document using every format the writer supports.
void buildRichDocument(QTextDocument& document) {
    QTextCursor cursor(&document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    const QTextCharFormat plain = run(u"SimSun"_s, 11);
    cursor.insertText(u"中文 {a} \\ b "_s, plain);
    QTextCharFormat format = plain;
    format.setFontWeight(QFont::Bold);
    cursor.insertText("bold", format);
    format = plain;
    format.setFontItalic(true);
    format.setFontUnderline(true);
    cursor.insertText("italic underline", format);
    format = plain;
    format.setFontStrikeOut(true);
    cursor.insertText("strike", format);
    format = plain;
    format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText("2", format);
    format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cursor.insertText("i", format);
    format = run(u"Arial"_s, 15);
    format.setForeground(QColor(200, 10, 20));
    format.setBackground(QColor(255, 255, 0));
    cursor.insertText("colour", format);
    cursor.insertText(u" 😀"_s, run(u"宋体"_s, 10.5));

    QTextBlockFormat indented;
    indented.setAlignment(Qt::AlignRight);
    indented.setLeftMargin(48);
    indented.setRightMargin(24);
    indented.setTextIndent(-24);
    indented.setTopMargin(8);
    indented.setBottomMargin(16);
    cursor.insertBlock(indented);
    cursor.insertText(u"line1\u2028line2\ttab\u00a0end"_s, plain);

    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    cursor.insertBlock(left);
    QTextTableFormat tableFormat;
    tableFormat.setColumnWidthConstraints(
        {QTextLength(QTextLength::FixedLength, 100), QTextLength(QTextLength::FixedLength, 200)});
    QTextTable* table = cursor.insertTable(2, 2, tableFormat);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"中"_s, plain);
    format = plain;
    format.setFontWeight(QFont::Bold);
    table->cellAt(0, 1).firstCursorPosition().insertText("b", format);
    QTextCursor cell = table->cellAt(1, 0).firstCursorPosition();
    cell.insertText("c", plain);
    cell.insertBlock(left);
    cell.insertText("c2", plain);
    table->cellAt(1, 1).firstCursorPosition().insertText("d", plain);

    cursor.setPosition(table->lastPosition() + 1);
    cursor.setBlockFormat(left);
    document.addResource(QTextDocument::ImageResource, QUrl("picture"), samples::testImage(4, 3));
    QTextImageFormat image;
    image.setName("picture");
    image.setWidth(8);
    image.setHeight(6);
    cursor.insertImage(image);
    cursor.insertText("after", plain);
}

}  // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT

  private slots:
    void roundTripKeepsTextFormatsTablesAndImages() {
        QTextDocument original;
        buildRichDocument(original);
        const QByteArray rtf = writeRtf(&original);
        const auto copy = rtfToDocument(rtf);
        QCOMPARE(snapshot(*copy), snapshot(original));
        // Writing what was read gives the same bytes: nothing drifts from save to save.
        QCOMPARE(writeRtf(copy.get()), rtf);
    }

    void outputUsesPortableRtf() {
        QTextDocument document;
        buildRichDocument(document);
        const QByteArray rtf = writeRtf(&document);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0"));
        QVERIFY(rtf.endsWith("}"));
        QVERIFY(rtf.contains("\\fcharset134 SimSun;"));
        QVERIFY(rtf.contains("\\fcharset134 \\'cb\\'ce\\'cc\\'e5;"));  // 宋体 in GBK
        QVERIFY(rtf.contains("\\fcharset0 Arial;"));
        QVERIFY(rtf.contains("\\u20013?\\u25991? \\{a\\} \\\\ b "));
        QVERIFY(rtf.contains("\\u-10179?\\u-8704?"));  // 😀 as a surrogate pair
        QVERIFY(rtf.contains("line1\\line line2\\tab tab\\~end"));
        QVERIFY(rtf.contains("\\red200\\green10\\blue20;"));
        QVERIFY(rtf.contains("\\qr\\li720\\ri360\\fi-360\\sb120\\sa240"));
        QVERIFY(rtf.contains("\\cellx1500"));
        QVERIFY(rtf.contains("\\cellx4500"));
        QVERIFY(rtf.contains("\\pict\\pngblip\\picw4\\pich3\\picwgoal120\\pichgoal90"));
        for (const char c : rtf)
            QVERIFY2(static_cast<unsigned char>(c) < 0x80, "RTF output must be 7-bit");
    }

    // Layouts where Qt keeps paragraphs of its own around tables: reading what was written
    // must give the same layout, so saving again changes nothing.
    void layoutsAreStable_data() {
        QTest::addColumn<QByteArray>("body");
        const QByteArray png = samples::png(samples::testImage(2, 2)).toHex();
        QTest::newRow("table first")
            << QByteArray("\\trowd\\cellx1500\\intbl a\\cell\\row\\pard b\\par");
        QTest::newRow("table last") << QByteArray("a\\par\\trowd\\cellx1500\\intbl b\\cell\\row");
        QTest::newRow("two tables") << QByteArray(
            "\\trowd\\cellx1500\\intbl a\\cell\\row\\pard\\par"
            "\\trowd\\cellx1500\\intbl b\\cell\\row\\pard\\par");
        QTest::newRow("empty paragraphs around text") << QByteArray("\\par\\par a\\par\\par");
        QTest::newRow("picture only") << "{\\pict\\pngblip " + png + "}";
        QTest::newRow("rich-edit sample") << QByteArray();
    }

    void layoutsAreStable() {
        QFETCH(QByteArray, body);
        const auto read =
            rtfToDocument(body.isEmpty() ? samples::gbkRichEdit() : samples::document(body));
        const QByteArray written = writeRtf(read.get());
        const auto reread = rtfToDocument(written);
        QCOMPARE(snapshot(*reread), snapshot(*read));
        QCOMPARE(writeRtf(reread.get()), written);
    }

    void imageFromAFile() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("p.png");
        QVERIFY(samples::testImage(3, 2).save(path));
        QTextDocument document;
        QTextImageFormat image;
        image.setName(QUrl::fromLocalFile(path).toString());
        QTextCursor(&document).insertImage(image);

        const auto copy = rtfToDocument(writeRtf(&document));
        const QList<QTextImageFormat> images = samples::images(*copy);
        QCOMPARE(images.size(), 1);
        QCOMPARE(samples::imageOf(*copy, images[0]), samples::testImage(3, 2));
    }

    void missingImageLeavesAPlaceholder() {
        QTextDocument document;
        QTextImageFormat image;
        image.setName("nowhere:missing");
        QTextCursor(&document).insertImage(image);
        QCOMPARE(rtfToDocument(writeRtf(&document))->toPlainText(), u"[图片]"_s);
    }

    void emptyDocument() {
        const QTextDocument empty;
        const auto copy = rtfToDocument(writeRtf(&empty));
        QCOMPARE(copy->toPlainText(), QString());
        QCOMPARE(copy->blockCount(), 1);
    }

    void emptyParagraphsSurvive() {
        QTextDocument document;
        document.setPlainText("a\n\n\nb\n");
        const auto copy = rtfToDocument(writeRtf(&document));
        QCOMPARE(copy->toPlainText(), document.toPlainText());
    }
};

int runWriterTests(int argc, char** argv) {
    TestRtfWriter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_rtf_writer.moc"
