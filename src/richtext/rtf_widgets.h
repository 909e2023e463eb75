#pragma once

#include <QByteArray>

class QTextEdit;

// Rich-text blobs in text widgets (QTextEdit, QTextBrowser).

// Shows `blob` read-only.
void showRtf(QTextEdit* view, const QByteArray& blob);

// Puts `blob` into an editor as its unmodified starting content, with an empty undo history.
void loadRtf(QTextEdit* editor, const QByteArray& blob);

// The editor's content as RTF, ready to store.
QByteArray saveRtf(const QTextEdit* editor);
