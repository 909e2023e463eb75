// Parses a fixed ~100 KB RTF document many times and prints the time per parse.
// The document looks like a long rich-edit question text: Chinese text as \'hh GBK escapes
// in formatted runs, a table and a picture.

#include "rtf_plain_text.h"
#include "rtf_reader.h"
#include "rtf_writer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QStringEncoder>
#include <QTextDocument>

#include <cstdio>
#include <functional>

namespace {

constexpr qsizetype kTargetSize = 100 * 1024;

QByteArray gbkEscaped(const QString& text) {
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk.encode(text);
    QByteArray out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += "\\'";
            out += QByteArray::number(b, 16).rightJustified(2, '0');
        }
    }
    return out;
}

QByteArray picture() {
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) % 256));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray out = "{\\pict\\pngblip\\picw64\\pich48\\picwgoal960\\pichgoal720\r\n";
    const QByteArray hex = png.toHex();
    for (qsizetype at = 0; at < hex.size(); at += 128)
        out += hex.mid(at, 128) + "\r\n";
    return out + "}";
}

QByteArray table() {
    QByteArray out;
    for (int row = 0; row < 20; ++row) {
        out += "\\trowd\\trgaph108\\trleft-108\\cellx2000\\cellx5000\\cellx8000\r\n\\pard\\intbl ";
        for (int cell = 0; cell < 3; ++cell)
            out +=
                gbkEscaped(QStringLiteral("第%1行第%2列").arg(row + 1).arg(cell + 1)) + "\\cell ";
        out += "\\row\r\n";
    }
    return out + "\\pard\r\n";
}

QByteArray document() {
    const QString sentences[] = {
        QStringLiteral("下列关于细胞结构和功能的叙述中，正确的是"),
        QStringLiteral("光合作用的光反应阶段发生在叶绿体的类囊体薄膜上。"),
        QStringLiteral("酶的活性受温度和酸碱度的影响，高温会使酶变性失活。"),
        QStringLiteral("请根据题干信息选择最合适的答案（单选题）。"),
    };
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
        "{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs21 ";
    int paragraph = 0;
    while (rtf.size() < kTargetSize) {
        if (paragraph == 40)
            rtf += table();
        if (paragraph == 80)
            rtf += "\\pard\\qc " + picture() + "\\par\r\n\\pard ";
        const QString& sentence = sentences[paragraph % 4];
        rtf += "\\pard\\fi420\\sa120 " + gbkEscaped(sentence) + " {\\b\\cf1 " +
               gbkEscaped(sentence.left(6)) + "}{\\i\\cf2\\f1 Note " +
               QByteArray::number(paragraph) + "} " + gbkEscaped(sentence.mid(3)) + "\\par\r\n";
        ++paragraph;
    }
    return rtf + "}";
}

void measure(const char* what, qsizetype bytes, int runs, const std::function<void()>& work) {
    work();  // warm-up
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i)
        work();
    const double ms = timer.nsecsElapsed() / 1e6 / runs;
    std::printf("%-28s %8.3f ms per run  %8.1f MB/s\n", what, ms, bytes / 1e6 / (ms / 1e3));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    const QByteArray rtf = document();
    std::printf("document: %lld bytes of RTF, %d runs each\n", static_cast<long long>(rtf.size()),
                runs);

    QTextDocument target;
    measure("readRtf (reused document)", rtf.size(), runs, [&] { readRtf(rtf, &target); });
    measure("rtfToDocument", rtf.size(), runs, [&] { rtfToDocument(rtf); });
    measure("rtfToPlainText", rtf.size(), runs, [&] { rtfToPlainText(rtf); });
    QByteArray written;
    measure("writeRtf", rtf.size(), runs, [&] { written = writeRtf(&target); });
    std::printf("text: %lld characters; written back: %lld bytes\n",
                static_cast<long long>(target.characterCount()),
                static_cast<long long>(written.size()));
    return 0;
}
