#include "rtf_samples.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <QtEndian>

namespace samples {

namespace {

void put16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void collectImages(const QTextFrame* frame, QList<QTextImageFormat>& out) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (it.currentFrame()) {
            collectImages(it.currentFrame(), out);
            continue;
        }
        for (auto f = it.currentBlock().begin(); !f.atEnd(); ++f) {
            if (f.fragment().charFormat().isImageFormat())
                out.append(f.fragment().charFormat().toImageFormat());
        }
    }
}

}  // namespace

QByteArray gbkRichEdit() {
    return "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
           "{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
           "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
           "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
           "{\\*\\generator Riched20 5.50.99.2050;}\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18 "
           "\\'b5\\'da\\'d2\\'bb\\'cc\\'e2\\par\r\n"
           "\\pard\\qc\\b\\cf1\\fs28 \\'81\\'5c\\'91\\'7b\\'82\\'7d\\b0\\cf0\\fs18\\par\r\n"
           "\\pard\\qr\\lang1033\\f1 caf\\'e9\\f0\\par\r\n"
           "}\r\n";
}

QList<QColor> tinyBitmapColors() {
    return {Qt::red, Qt::green, Qt::blue, Qt::white};
}

QByteArray tinyDib() {
    QByteArray dib;
    put32(dib, 40);  // header size
    put32(dib, 2);   // width
    put32(dib, 2);   // height: positive, so rows run bottom-up
    put16(dib, 1);   // planes
    put16(dib, 24);  // bits per pixel
    put32(dib, 0);   // BI_RGB
    put32(dib, 16);  // image size: two rows of 6 bytes padded to 8
    put32(dib, 2835);
    put32(dib, 2835);
    put32(dib, 0);
    put32(dib, 0);
    // Bottom row first, BGR.
    dib.append(
        "\xff\x00\x00"
        "\xff\xff\xff"
        "\x00\x00",
        8);  // blue, white
    dib.append(
        "\x00\x00\xff"
        "\x00\xff\x00"
        "\x00\x00",
        8);  // red, green
    return dib;
}

QByteArray metafileDrawing(const QByteArray& dib, quint16 function, bool placeableHeader) {
    QByteArray record;
    put32(record, 0);  // size, filled in below
    put16(record, function);
    put32(record, 0x00CC0020);  // SRCCOPY
    if (function == 0x0F43)     // StretchDIB: colour usage
        put16(record, 0);
    put16(record, 2);  // source height
    put16(record, 2);  // source width
    put16(record, 0);  // source y
    put16(record, 0);  // source x
    put16(record, 2);  // destination height
    put16(record, 2);  // destination width
    put16(record, 0);  // destination y
    put16(record, 0);  // destination x
    record.append(dib);
    if (record.size() % 2)
        record.append('\0');
    qToLittleEndian<quint32>(static_cast<quint32>(record.size() / 2), record.data());

    QByteArray setWindowExtent;
    put32(setWindowExtent, 5);
    put16(setWindowExtent, 0x020C);
    put16(setWindowExtent, 2);
    put16(setWindowExtent, 2);

    QByteArray end;
    put32(end, 3);
    put16(end, 0);

    const QByteArray records = setWindowExtent + record + end;
    QByteArray wmf;
    if (placeableHeader) {
        put32(wmf, 0x9AC6CDD7);
        put16(wmf, 0);                        // handle
        for (const quint16 v : {0, 0, 2, 2})  // bounding box
            put16(wmf, v);
        put16(wmf, 1440);  // units per inch
        put32(wmf, 0);     // reserved
        put16(wmf, 0);     // checksum (not checked by readers of RTF pictures)
    }
    put16(wmf, 1);       // memory metafile
    put16(wmf, 9);       // header size in words
    put16(wmf, 0x0300);  // version
    put32(wmf, static_cast<quint32>((18 + records.size()) / 2));
    put16(wmf, 0);  // objects
    put32(wmf, static_cast<quint32>(record.size() / 2));
    put16(wmf, 0);
    wmf.append(records);
    return wmf;
}

QByteArray wrappedHex(const QByteArray& data) {
    const QByteArray hex = data.toHex();
    QByteArray out;
    for (qsizetype at = 0; at < hex.size(); at += 38) {
        out += hex.mid(at, 38);
        out += at % 76 == 0 ? "\r\n" : " \n";
    }
    return out;
}

QByteArray pastedBitmapObject() {
    const QByteArray wmf = metafileDrawing(tinyDib(), 0x0F43, false);
    return document(
        "a{\\object\\objemb{\\*\\objclass Paint.Picture}\\objw30\\objh30"
        "{\\*\\objdata 01050000020000000e000000}"
        "{\\result{\\pict\\wmetafile8\\picw53\\pich53\\picwgoal30\\pichgoal30 \r\n" +
        wrappedHex(wmf) + "}}}b\\par\r\n");
}

QImage testImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(40 * x, 60 * y, 200));
    }
    return image;
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray table() {
    return document(
        "before\\par\r\n"
        "\\trowd\\trgaph108\\trleft-108\\cellx1500\\cellx4500\r\n"
        "\\pard\\intbl \\'d6\\'d0\\cell {\\b b}\\cell\\row\r\n"
        "\\trowd\\trgaph108\\trleft-108\\cellx1500\\cellx4500\r\n"
        "\\pard\\intbl c\\par c2\\cell d\\cell\\row\r\n"
        "\\pard after\\par\r\n");
}

QList<QByteArray> all() {
    return {gbkRichEdit(), pastedBitmapObject(), table(),
            document("{\\pict\\pngblip\\picwgoal60\\pichgoal45 " +
                     wrappedHex(png(testImage(4, 3))) + "}\\par")};
}

QByteArray document(const QByteArray& body) {
    return "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 "
           "\\'cb\\'ce\\'cc\\'e5;}}"
           "\\viewkind4\\uc1\\pard\\f0\\fs18 " +
           body + "}";
}

QList<QTextImageFormat> images(const QTextDocument& document) {
    QList<QTextImageFormat> out;
    collectImages(document.rootFrame(), out);
    return out;
}

QImage imageOf(const QTextDocument& document, const QTextImageFormat& format) {
    return document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
}

}  // namespace samples
