#include "rtf_reader.h"

#include "rtf_codepage.h"
#include "rtf_document_builder.h"
#include "rtf_parser.h"

#include <QStringDecoder>
#include <QTextDocument>

namespace {

QByteArrayView withoutLeadingSpace(const QByteArray& blob) {
    qsizetype start = 0;
    while (start < blob.size() && (blob[start] == ' ' || blob[start] == '\t' ||
                                   blob[start] == '\r' || blob[start] == '\n'))
        ++start;
    return QByteArrayView(blob).sliced(start);
}

QString plainText(const QByteArray& blob) {
    QByteArrayView bytes(blob);
    // Some writers store a terminating NUL with the text.
    while (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return RtfTextDecoder().decode(rtfcodepage::kSimplifiedChinese, bytes);
}

}  // namespace

bool isRtf(const QByteArray& blob) {
    return withoutLeadingSpace(blob).startsWith("{\\rtf");
}

void readRtf(const QByteArray& blob, QTextDocument* document) {
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);  // also drops the old history
    document->clear();
    if (isRtf(blob)) {
        RtfDocumentBuilder builder(document);
        RtfParser(withoutLeadingSpace(blob), builder).run();
    } else if (!blob.isEmpty()) {
        document->setPlainText(plainText(blob));
    }
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
}

std::unique_ptr<QTextDocument> rtfToDocument(const QByteArray& blob) {
    auto document = std::make_unique<QTextDocument>();
    readRtf(blob, document.get());
    return document;
}
