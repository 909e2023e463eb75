#include "rtf_widgets.h"

#include "rtf_reader.h"
#include "rtf_writer.h"

#include <QTextEdit>

void showRtf(QTextEdit* view, const QByteArray& blob) {
    view->setReadOnly(true);
    readRtf(blob, view->document());
}

void loadRtf(QTextEdit* editor, const QByteArray& blob) {
    readRtf(blob, editor->document());
}

QByteArray saveRtf(const QTextEdit* editor) {
    return writeRtf(editor->document());
}
