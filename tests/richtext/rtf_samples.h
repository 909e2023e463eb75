#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QTextImageFormat>

class QTextDocument;

// RTF samples shaped like what Windows rich-edit controls and Word write, built byte by byte
// so every test knows exactly what went in.
namespace samples {

// A rich-edit document in code page 936: "第一题" (9 pt), "乗憑倉" (bold, red, 14 pt,
// centred; the second GBK bytes are 0x5C, 0x7B and 0x7D) and "café" in Arial, right-aligned.
QByteArray gbkRichEdit();

// The colours of the 2x2 test bitmap, row by row from the top.
QList<QColor> tinyBitmapColors();
// A 2x2 24-bit DIB (BITMAPINFOHEADER and bottom-up pixels).
QByteArray tinyDib();
// A Windows metafile that draws `dib` with one record of type `function`.
QByteArray metafileDrawing(const QByteArray& dib, quint16 function, bool placeableHeader);
// `data` as hex text with line breaks inside, the way writers wrap \pict data.
QByteArray wrappedHex(const QByteArray& data);

// The way rich-edit controls keep a pasted bitmap: an OLE object whose \result is a
// metafile drawing the DIB.
QByteArray pastedBitmapObject();

QImage testImage(int width, int height);
QByteArray png(const QImage& image);

// A two-by-two table between two paragraphs.
QByteArray table();

// Every sample above, as seeds for mutation tests.
QList<QByteArray> all();

// Wraps RTF body text in a minimal GBK document header.
QByteArray document(const QByteArray& body);

QList<QTextImageFormat> images(const QTextDocument& document);
QImage imageOf(const QTextDocument& document, const QTextImageFormat& format);

}  // namespace samples
