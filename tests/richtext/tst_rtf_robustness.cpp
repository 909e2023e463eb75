#include "richtext_tests.h"
#include "rtf_plain_text.h"
#include "rtf_reader.h"
#include "rtf_samples.h"
#include "rtf_writer.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

QByteArray repeated(const QByteArray& piece, int times) {
    return piece.repeated(times);
}

// One random edit of the kind that damaged files show: flipped or replaced bytes, lost or
// duplicated stretches, stray braces, backslashes and control words, and cut-off ends.
void mutate(QByteArray& bytes, QRandomGenerator& random) {
    static const QByteArray kInserts[] = {"{",           "}",
                                          "\\",          "\\'",
                                          "\\par ",      "\\bin5 ",
                                          "\\bin99999 ", "\\u-5000 ",
                                          "\\uc3 ",      "\\pict ",
                                          "\\pngblip ",  "\\wmetafile8 ",
                                          "\\object ",   "\\result ",
                                          "\\cell ",     "\\row ",
                                          "\\intbl ",    "\\trowd\\cellx100 ",
                                          "{\\*",        "\\fs99999 ",
                                          "\\f77 ",      "\\cf200 ",
                                          "\\'81",       "\\fonttbl ",
                                          "\\colortbl ", "\\dibitmap0 ",
                                          "\xff",        "\0"};
    // Mostly keep the "{\rtf" signature, so that most variants exercise the RTF reader.
    const int first = random.bounded(20) == 0 ? 0 : 5;
    const auto at = [&] {
        return bytes.size() <= first ? int(bytes.size())
                                     : first + random.bounded(int(bytes.size()) - first);
    };
    switch (random.bounded(6)) {
        case 0:
            if (bytes.size() > first)
                bytes[at()] ^= static_cast<char>(1 << random.bounded(8));
            break;
        case 1:
            if (bytes.size() > first)
                bytes[at()] = static_cast<char>(random.bounded(256));
            break;
        case 2: {
            const int from = at();
            bytes.remove(from, random.bounded(1, 64));
            break;
        }
        case 3: {
            const QByteArray& piece = kInserts[random.bounded(int(std::size(kInserts)))];
            bytes.insert(at(), piece.isEmpty() ? QByteArray(1, '\0') : piece);
            break;
        }
        case 4: {
            const int from = at();
            bytes.insert(at(), bytes.mid(from, random.bounded(1, 200)));
            break;
        }
        default:
            bytes.truncate(at());
            break;
    }
}

}  // namespace

class TestRtfRobustness : public QObject {
    Q_OBJECT

  private slots:
    void malformedInput_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");  // what survives; a null string: anything
        const QByteArray sample = samples::gbkRichEdit();
        QTest::newRow("cut inside the font table") << sample.left(60) << QString();
        const qsizetype secondCharacter = sample.indexOf("\\'d2");
        QTest::newRow("cut after a whole character") << sample.left(secondCharacter) << u"第"_s;
        QTest::newRow("cut between the bytes of a character")
            << sample.left(secondCharacter + 4) << QString();
        QTest::newRow("cut inside an escape") << sample.left(secondCharacter + 3) << u"第"_s;
        QTest::newRow("cut inside a picture") << samples::pastedBitmapObject().left(400) << u"a"_s;
        QTest::newRow("missing closing braces") << QByteArray("{\\rtf1 a{\\b b{\\i c") << u"abc"_s;
        QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}b") << u"a"_s;
        QTest::newRow("closing brace first") << QByteArray("{\\rtf1 }a{") << QString();
        QTest::newRow("10000 nested groups")
            << "{\\rtf1 a" + repeated("{", 10000) + "x" + repeated("}", 10000) + "b}" << u"ab"_s;
        QTest::newRow("10000 unclosed groups") << "{\\rtf1 a" + repeated("{\\b ", 10000) << u"a"_s;
        QTest::newRow("huge \\bin length")
            << QByteArray("{\\rtf1 a\\bin999999999999 xyz}") << u"a"_s;
        QTest::newRow("negative \\bin length") << QByteArray("{\\rtf1 a\\bin-5 b}") << u"ab"_s;
        QTest::newRow("huge \\bin in a picture")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin2147483647 }b}") << u"a"_s;
        QTest::newRow("huge \\u") << QByteArray("{\\rtf1 \\u99999999999?x}") << u"\ufffdx"_s;
        QTest::newRow("huge \\uc")
            << QByteArray("{\\rtf1 \\uc2147483647\\u20013 abcdefghijklmnopqrstuvwxyz}")
            << u"中qrstuvwxyz"_s;
        QTest::newRow("huge \\fs") << QByteArray("{\\rtf1 \\fs2147483647 x}") << u"x"_s;
        QTest::newRow("huge indents")
            << QByteArray("{\\rtf1 \\li-2147483648\\fi2147483647 x}") << u"x"_s;
        QTest::newRow("very long control word")
            << "{\\rtf1 \\" + repeated("a", 100000) + "1 x}" << u"x"_s;
        QTest::newRow("very long number")
            << "{\\rtf1 \\fs" + repeated("9", 100000) + " x}" << u"x"_s;
        QTest::newRow("broken hex escapes")
            << "{\\rtf1 a" + repeated("\\'zz", 20000) + "b}" << QString();
        QTest::newRow("lone backslash at the end") << QByteArray("{\\rtf1 a\\") << u"a"_s;
        QTest::newRow("only the signature") << QByteArray("{\\rtf") << QString();
        QTest::newRow("many cells in one row")
            << "{\\rtf1 \\intbl " + repeated("x\\cell ", 5000) + "\\row}" << QString();
        QTest::newRow("many rows") << "{\\rtf1 \\trowd\\cellx100\\cellx200 " +
                                          repeated("\\intbl a\\cell b\\cell\\row ", 3000) + "}"
                                   << QString();
        QTest::newRow("many pictures")
            << "{\\rtf1 " + repeated("{\\pict}", 5000) + "}" << QString();
        QTest::newRow("metafile records that overrun")
            << QByteArray(
                   "{\\rtf1 {\\pict\\wmetafile8 010009000003ffffffff0000ffffffff0000"
                   "ffffff7f430f}}")
            << u"[图片]"_s;
        QTest::newRow("bitmap header with absurd size")
            << QByteArray("{\\rtf1 {\\pict\\dibitmap0 28000000ffffff7fffffff7f01001800}}")
            << u"[图片]"_s;
        QByteArray garbage(20000, '\0');
        QRandomGenerator random(7);
        for (char& c : garbage)
            c = static_cast<char>(random.bounded(256));
        QTest::newRow("random bytes after the signature") << "{\\rtf1 " + garbage << QString();
        QTest::newRow("random bytes as plain text") << garbage << QString();
    }

    void malformedInput() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        const auto document = rtfToDocument(rtf);
        if (!text.isNull())
            QCOMPARE(rtfToPlainText(rtf), text);
        // Whatever was read can be written and read again.
        QVERIFY(isRtf(writeRtf(document.get())));
    }

    // Thousands of damaged variants of the samples: none may crash or hang the reader.
    void mutatedSamples() {
        // libpng reports each damaged picture on stderr; that noise is expected here.
        QRandomGenerator random(20240611);
        const QList<QByteArray> seeds = samples::all();
        QTextDocument document;
        QElapsedTimer timer;
        timer.start();
        int parsed = 0;
        int rtf = 0;
        for (int i = 0; i < 20000; ++i) {
            QByteArray bytes = seeds[i % seeds.size()];
            const int edits = random.bounded(1, 9);
            for (int e = 0; e < edits; ++e)
                mutate(bytes, random);
            rtf += isRtf(bytes);
            readRtf(bytes, &document);
            if (i % 16 == 0)
                readRtf(writeRtf(&document), &document);
            ++parsed;
        }
        QCOMPARE(parsed, 20000);
        QVERIFY(rtf > parsed * 3 / 4);
        qInfo("parsed %d mutated samples (%d still RTF) in %lld ms", parsed, rtf, timer.elapsed());
    }
};

int runRobustnessTests(int argc, char** argv) {
    TestRtfRobustness test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_rtf_robustness.moc"
