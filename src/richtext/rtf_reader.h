#pragma once

#include <QByteArray>

#include <memory>

class QTextDocument;

// Reading rich text as the bank stores it.
//
// A blob that starts with "{\rtf" is RTF as Windows rich-edit controls and Word write it:
// text in any Windows code page (\ansicpgN, \fcharsetN, \'hh, \uN), character and
// paragraph formats, tables and pictures (PNG, JPEG, bitmaps, bitmaps inside metafiles;
// other pictures show as "[图片]"). Anything else is plain text, UTF-8 when it is valid
// UTF-8 and GBK otherwise. An empty blob gives an empty document. No input makes the
// reader crash or hang; damaged RTF gives whatever text could be recovered.

// True when `blob` holds RTF rather than plain text.
bool isRtf(const QByteArray& blob);

// Replaces the content of `document` (text, formats and image resources) with `blob`.
// The undo history of `document` is cleared.
void readRtf(const QByteArray& blob, QTextDocument* document);

// A new document holding `blob`.
std::unique_ptr<QTextDocument> rtfToDocument(const QByteArray& blob);
