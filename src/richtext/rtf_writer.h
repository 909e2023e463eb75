#pragma once

#include <QByteArray>

class QTextDocument;

// Writes a document as RTF that this program's reader, Word and LibreOffice read back with
// the same text and formats: fonts, size, bold, italic, underline, strike-out, super- and
// subscript, text and background colours, paragraph alignment, indents and spacing, line
// breaks, tables and pictures (as PNG, taken from the document's image resources or from
// the file an image format names). Non-ASCII text is written as \uN so no code page is
// needed to read it. Lists keep their text but not their bullets or numbers; merged table
// cells become separate cells.
QByteArray writeRtf(const QTextDocument* document);
