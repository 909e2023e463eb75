#include "rtf_picture.h"

#include <QtEndian>

namespace rtfpicture {

namespace {

quint16 u16(QByteArrayView data, qsizetype at) {
    return qFromLittleEndian<quint16>(data.data() + at);
}
quint32 u32(QByteArrayView data, qsizetype at) {
    return qFromLittleEndian<quint32>(data.data() + at);
}

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableHeaderSize = 22;
constexpr qsizetype kRecordHeaderSize = 6;  // size in words (4) + function (2)

constexpr quint16 kMetaEof = 0x0000;
constexpr quint16 kMetaDibBitBlt = 0x0940;
constexpr quint16 kMetaDibStretchBlt = 0x0B41;
constexpr quint16 kMetaSetDibToDev = 0x0D33;
constexpr quint16 kMetaStretchDib = 0x0F43;

// Where the bitmap starts inside a record, counted from the record's first byte; 0 when the
// record carries no bitmap.
qsizetype dibOffset(quint16 function, quint32 sizeInWords) {
    // The blit records have a short form without a bitmap; its size gives it away.
    const bool hasBitmap = sizeInWords != static_cast<quint32>((function >> 8) + 3);
    switch (function) {
        case kMetaStretchDib:
            return kRecordHeaderSize + 22;
        case kMetaDibStretchBlt:
            return hasBitmap ? kRecordHeaderSize + 20 : 0;
        case kMetaDibBitBlt:
            return hasBitmap ? kRecordHeaderSize + 16 : 0;
        case kMetaSetDibToDev:
            return kRecordHeaderSize + 18;
        default:
            return 0;
    }
}

}  // namespace

QByteArray bmpFromDib(QByteArrayView dib) {
    if (dib.size() < 12)
        return {};
    const quint32 headerSize = u32(dib, 0);
    qint64 paletteBytes = 0;
    if (headerSize == 12) {
        const quint16 bitCount = u16(dib, 10);
        paletteBytes = bitCount <= 8 ? (qint64{1} << bitCount) * 3 : 0;
    } else if (headerSize >= 40 && headerSize <= static_cast<quint32>(dib.size())) {
        const quint16 bitCount = u16(dib, 14);
        const quint32 compression = u32(dib, 16);
        const quint32 colorsUsed = u32(dib, 32);
        const qint64 colors = colorsUsed ? colorsUsed : (bitCount <= 8 ? qint64{1} << bitCount : 0);
        paletteBytes = colors * 4;
        if (headerSize == 40 && compression == 3)  // BI_BITFIELDS: three colour masks
            paletteBytes += 12;
        else if (headerSize == 40 && compression == 6)  // BI_ALPHABITFIELDS: four
            paletteBytes += 16;
    } else {
        return {};
    }
    const qint64 bitsOffset = 14 + qint64{headerSize} + paletteBytes;
    if (bitsOffset > 14 + dib.size())
        return {};

    QByteArray bmp;
    bmp.reserve(14 + dib.size());
    bmp.append("BM", 2);
    char field[4];
    qToLittleEndian<quint32>(static_cast<quint32>(14 + dib.size()), field);
    bmp.append(field, 4);
    bmp.append(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(bitsOffset), field);
    bmp.append(field, 4);
    bmp.append(dib.data(), dib.size());
    return bmp;
}

QByteArray dibFromMetafile(QByteArrayView wmf) {
    qsizetype pos = 0;
    if (wmf.size() >= 4 && u32(wmf, 0) == kPlaceableKey)
        pos = kPlaceableHeaderSize;
    if (wmf.size() < pos + 18)
        return {};
    const qsizetype headerWords = u16(wmf, pos + 2);
    pos += headerWords >= 9 ? headerWords * 2 : 18;

    QByteArrayView best;
    while (pos + kRecordHeaderSize <= wmf.size()) {
        const quint32 words = u32(wmf, pos);
        const quint16 function = u16(wmf, pos + 4);
        if (function == kMetaEof || words < 3)
            break;
        // A record that claims more than is left is read up to the end of the data.
        const qint64 recordBytes = std::min<qint64>(qint64{words} * 2, wmf.size() - pos);
        const qsizetype offset = dibOffset(function, words);
        if (offset > 0 && offset < recordBytes && recordBytes - offset > best.size())
            best = wmf.sliced(pos + offset, recordBytes - offset);
        pos += recordBytes;
    }
    return best.toByteArray();
}

QImage decode(Kind kind, QByteArrayView data) {
    switch (kind) {
        case Kind::Png:
            return QImage::fromData(data, "PNG");
        case Kind::Jpeg:
            return QImage::fromData(data, "JPEG");
        case Kind::Dib:
            return QImage::fromData(bmpFromDib(data), "BMP");
        case Kind::Metafile: {
            const QByteArray dib = dibFromMetafile(data);
            return dib.isEmpty() ? QImage() : QImage::fromData(bmpFromDib(dib), "BMP");
        }
        case Kind::Unknown:
            return QImage::fromData(data);
        case Kind::Other:
            break;
    }
    return {};
}

}  // namespace rtfpicture
