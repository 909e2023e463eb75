#include "rtf_plain_text.h"

#include "rtf_reader.h"

#include <QTextDocument>

QString rtfToPlainText(const QByteArray& blob) {
    QTextDocument document;
    readRtf(blob, &document);
    QString text = document.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    return text;
}
