#include "html_to_rtf.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace {

QByteArray escaped(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else {
            out += "\\u" + QByteArray::number(static_cast<short>(u)) + '?';
        }
    }
    return out;
}

}  // namespace

QByteArray htmlToRtf(const QString& html) {
    QTextDocument doc;
    doc.setHtml(html);
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}"
        "\\viewkind4\\uc1\\pard\\f0\\fs24 ";
    bool firstBlock = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!firstBlock)
            rtf += "\\par\n\\pard ";
        firstBlock = false;
        const Qt::Alignment align = block.blockFormat().alignment();
        if (align & Qt::AlignHCenter)
            rtf += "\\qc ";
        else if (align & Qt::AlignRight)
            rtf += "\\qr ";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            QByteArray on, off;
            if (f.fontWeight() >= QFont::Bold) {
                on += "\\b";
                off += "\\b0";
            }
            if (f.fontItalic()) {
                on += "\\i";
                off += "\\i0";
            }
            if (f.fontUnderline()) {
                on += "\\ul";
                off += "\\ulnone";
            }
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) {
                on += "\\super";
                off += "\\nosupersub";
            } else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) {
                on += "\\sub";
                off += "\\nosupersub";
            }
            if (!on.isEmpty())
                rtf += on + ' ';
            rtf += escaped(fragment.text());
            if (!off.isEmpty())
                rtf += off + ' ';
        }
    }
    rtf += "\\par\n}";
    return rtf;
}
