#include "richtext_tests.h"
#include "rtf_plain_text.h"
#include "rtf_reader.h"
#include "rtf_samples.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// Paragraph texts joined by '\n', keeping characters that toPlainText() would rewrite.
QString blockTexts(const QTextDocument& document) {
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines.join(u'\n');
}

QTextCharFormat formatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

// The character formats a reader can set, as one comparable line.
QString describe(const QTextCharFormat& format) {
    QStringList parts;
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
    parts << QStringLiteral("size=%1").arg(format.fontPointSize());
    if (format.foreground().style() != Qt::NoBrush)
        parts << "fg=" + format.foreground().color().name();
    if (format.background().style() != Qt::NoBrush)
        parts << "bg=" + format.background().color().name();
    return parts.join(u' ');
}

QByteArray withColors(const QByteArray& body) {
    return "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}"
           "{\\f1\\fswiss\\fcharset0 Arial;}}"
           "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\\pard\\fs18 " +
           body + "}";
}

}  // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

  private slots:
    void richEditSampleKeepsTextAndFormats() {
        const auto document = rtfToDocument(samples::gbkRichEdit());
        QCOMPARE(blockTexts(*document), QStringLiteral("第一题\n乗憑倉\ncafé"));

        const QTextBlock first = document->begin();
        const QTextBlock second = first.next();
        const QTextBlock third = second.next();
        QCOMPARE(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(third.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

        const QTextCharFormat plain = formatAt(*document, first.position());
        QCOMPARE(describe(plain), QStringLiteral("size=9"));
        QCOMPARE(plain.fontFamilies().toStringList(), QStringList{QStringLiteral("宋体")});

        const QTextCharFormat title = formatAt(*document, second.position());
        QCOMPARE(describe(title), QStringLiteral("bold size=14 fg=#ff0000"));
        QCOMPARE(describe(formatAt(*document, second.position() + 2)), describe(title));

        const QTextCharFormat western = formatAt(*document, third.position());
        QCOMPARE(western.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    }

    void decodesText_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QByteArray& body, const QString& text) {
            QTest::newRow(name) << (body.startsWith("{\\rtf") ? body : samples::document(body))
                                << text;
        };
        row("GBK trail bytes 5C 7B 7D as escapes", "\\'81\\'5c\\'91\\'7b\\'82\\'7d\\'9c\\'5c",
            u"乗憑倉淺"_s);
        row("GBK trail bytes 5C 7B 7D raw",
            "\x81\x5c\x91\x7b\x82\x7d"
            "a",
            u"乗憑倉a"_s);
        row("unicode with ? fallback", "\\u20013?\\u25991?", u"中文"_s);
        row("unicode with two-byte fallback", "\\uc2\\u20013\\'d6\\'d0x", u"中x"_s);
        row("unicode without fallback", "\\uc0\\u20013 x", u"中x"_s);
        row("fallback count is scoped to its group", "{\\uc2\\u20013\\'d6\\'d0}\\u25991?",
            u"中文"_s);
        row("fallback ends at a group boundary", "{\\uc3\\u20013}ab", u"中ab"_s);
        row("fallback may be a control word", "\\u8220\\ldblquote x", u"\u201cx"_s);
        row("negative unicode", "\\u-255?", u"！"_s);
        row("surrogate pair", "\\u-10179?\\u-8704?", u"😀"_s);
        row("Western font in a Chinese document",
            "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 S;}{\\f1\\fcharset0 Arial;}}"
            "\\f1 caf\\'e9\\f0\\'d6\\'d0}",
            u"café中"_s);
        row("document code page without a font", "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0}", u"中"_s);
        row("Western code page by default", "{\\rtf1\\ansi caf\\'e9 \\'80}", u"café €"_s);
        row("typographic characters",
            "\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote", u"—–•‘’“”"_s);
        row("non-breaking and optional hyphens", "a\\~b\\_c\\-d", u"a\u00a0b\u2011cd"_s);
        row("escaped braces and backslash", "\\{x\\}\\\\", u"{x}\\"_s);
        row("tab and line break", "a\\tab b\\line c", u"a\tb\u2028c"_s);
        row("paragraphs; the final mark adds no empty line", "a\\par b\\par", u"a\nb"_s);
        row("an intended empty last paragraph stays", "a\\par\\par", u"a\n"_s);
        row("backslash before a line break is a paragraph", "a\\\nb", u"a\nb"_s);
        row("raw line breaks are not text", "a\r\nb", u"ab"_s);
        row("control word delimiter is one space", "\\b\\b0  a  b", u" a  b"_s);
        row("destinations that are not shown",
            "{\\*\\unknown x}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}a"
            "{\\*\\objdata 0102}{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt b}}"
            "{\\header h}{\\footnote f}c",
            u"abc"_s);
        row("hidden text", "a{\\v hidden}b", u"ab"_s);
        row("binary data inside a skipped group", "a{\\*\\blob\\bin3 }}}}b", u"ab"_s);
        row("list markers written as text", "{\\pntext\\f0 1.\\tab}item", u"1.\titem"_s);
        row("bullet in a Symbol font",
            "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 S;}{\\f1\\fcharset2 Symbol;}}"
            "{\\pntext\\f1\\'b7\\tab}\\f0\\'d6\\'d0}",
            u"\u00b7\t中"_s);
        row("text after the closing brace", "{\\rtf1 a}junk{b}", u"a"_s);
    }

    void decodesText() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(blockTexts(*rtfToDocument(rtf)), text);
    }

    void characterFormats_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("format");
        QTest::newRow("bold") << QByteArray("\\b x") << "bold size=9";
        QTest::newRow("bold off") << QByteArray("\\b a\\b0 x") << "size=9";
        QTest::newRow("italic underline strike")
            << QByteArray("\\i\\ul\\strike x") << "italic underline strike size=9";
        QTest::newRow("underline variants") << QByteArray("\\ulw x") << "underline size=9";
        QTest::newRow("underline off") << QByteArray("\\ul a\\ulnone x") << "size=9";
        QTest::newRow("superscript") << QByteArray("\\super x") << "super size=9";
        QTest::newRow("subscript") << QByteArray("\\sub x") << "sub size=9";
        QTest::newRow("no super/sub") << QByteArray("\\super a\\nosupersub x") << "size=9";
        QTest::newRow("half-point size") << QByteArray("\\fs31 x") << "size=15.5";
        QTest::newRow("group restores") << QByteArray("{\\b\\i a}x") << "size=9";
        QTest::newRow("plain resets") << QByteArray("\\b\\i\\fs40\\cf1\\plain x") << "size=12";
        QTest::newRow("text colour") << QByteArray("\\cf1 x") << "size=9 fg=#ff0000";
        QTest::newRow("automatic colour") << QByteArray("\\cf1 a\\cf0 x") << "size=9";
        QTest::newRow("colour beyond the table") << QByteArray("\\cf9 x") << "size=9";
        QTest::newRow("cb background") << QByteArray("\\cb2 x") << "size=9 bg=#008000";
        QTest::newRow("highlight") << QByteArray("\\highlight2 x") << "size=9 bg=#008000";
        QTest::newRow("highlight off") << QByteArray("\\highlight2 a\\highlight0 x") << "size=9";
        QTest::newRow("chcbpat") << QByteArray("\\chcbpat1 x") << "size=9 bg=#ff0000";
    }

    void characterFormats() {
        QFETCH(QByteArray, body);
        QFETCH(QString, format);
        const auto document = rtfToDocument(withColors(body));
        const int x = document->toPlainText().indexOf(u'x');
        QVERIFY(x >= 0);
        QCOMPARE(describe(formatAt(*document, x)), format);
    }

    void paragraphFormats() {
        const auto document = rtfToDocument(withColors(
            "\\pard\\qj\\li720\\ri360\\fi-360\\sb120\\sa240 a\\par\\pard\\qc b\\par\\pard c\\par"));
        const QTextBlockFormat a = document->begin().blockFormat();
        QCOMPARE(a.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
        QCOMPARE(a.leftMargin(), 48.0);
        QCOMPARE(a.rightMargin(), 24.0);
        QCOMPARE(a.textIndent(), -24.0);
        QCOMPARE(a.topMargin(), 8.0);
        QCOMPARE(a.bottomMargin(), 16.0);
        const QTextBlockFormat b = document->begin().next().blockFormat();
        QCOMPARE(b.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(b.leftMargin(), 0.0);
        const QTextBlockFormat c = document->lastBlock().blockFormat();
        QCOMPARE(document->blockCount(), 3);
        QCOMPARE(c.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    void lastParagraphWithoutMarkKeepsItsFormat() {
        const auto document = rtfToDocument(withColors("a\\par\\qr b"));
        QCOMPARE(document->blockCount(), 2);
        QCOMPARE(document->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
    }

    void plainText_data() {
        QTest::addColumn<QByteArray>("blob");
        QTest::addColumn<QString>("text");
        QTest::newRow("null") << QByteArray() << QString();
        QTest::newRow("empty") << QByteArray("") << QString();
        QTest::newRow("ASCII") << QByteArray("hello") << u"hello"_s;
        QTest::newRow("UTF-8") << QByteArray("中文 text") << u"中文 text"_s;
        QTest::newRow("GBK") << QByteArray("\xd6\xd0\xce\xc4") << u"中文"_s;
        QTest::newRow("trailing NUL") << QByteArray("text\0", 5) << u"text"_s;
        QTest::newRow("RTF after white space") << QByteArray("\r\n {\\rtf1 x}") << u"x"_s;
        QTest::newRow("rich-edit sample") << samples::gbkRichEdit() << u"第一题\n乗憑倉\ncafé"_s;
        QTest::newRow("table") << samples::table() << u"before\n中\nb\nc\nc2\nd\nafter"_s;
        QTest::newRow("picture only")
            << samples::document("{\\pict\\pngblip " +
                                 samples::png(samples::testImage(2, 2)).toHex() + "}")
            << QString();
        QTest::newRow("unreadable picture")
            << samples::document("{\\pict\\emfblip 0102}") << u"[图片]"_s;
        QTest::newRow("non-breaking space") << samples::document("a\\~b") << u"a b"_s;
    }

    void plainText() {
        QFETCH(QByteArray, blob);
        QFETCH(QString, text);
        QCOMPARE(rtfToPlainText(blob), text);
    }

    void isRtfOnlyForRtf() {
        QVERIFY(isRtf("{\\rtf1}"));
        QVERIFY(isRtf(" \n{\\rtf"));
        QVERIFY(!isRtf("{\\rt"));
        QVERIFY(!isRtf("text {\\rtf1}"));
        QVERIFY(!isRtf(QByteArray()));
    }

    void readingReplacesContentAndHistory() {
        QTextDocument document;
        QTextCursor(&document).insertText("old");
        readRtf(samples::pastedBitmapObject(), &document);
        const QString picture = samples::images(document).value(0).name();
        QVERIFY(!samples::imageOf(document, samples::images(document).value(0)).isNull());

        readRtf(samples::document("new"), &document);
        QCOMPARE(document.toPlainText(), u"new"_s);
        // Pictures of the previous content do not linger in the document's resources.
        QVERIFY(document.resource(QTextDocument::ImageResource, QUrl(picture)).isNull());
        QVERIFY(!document.isUndoAvailable());
        QVERIFY(document.isUndoRedoEnabled());
        QVERIFY(!document.isModified());
    }
};

int runReaderTests(int argc, char** argv) {
    TestRtfReader test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_rtf_reader.moc"
