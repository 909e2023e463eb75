#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

// Pictures as RTF stores them (\pict): turning their bytes into an image.
namespace rtfpicture {

enum class Kind {
    Unknown,
    Png,       // \pngblip
    Jpeg,      // \jpegblip
    Dib,       // \dibitmapN: a device-independent bitmap (BITMAPINFO + bits)
    Metafile,  // \wmetafileN: a Windows metafile
    Other,     // \emfblip, \wbitmapN, \macpict, ...: kept only as a placeholder
};

// The picture as an image, or a null image when it cannot be shown.
QImage decode(Kind kind, QByteArrayView data);

// A .bmp file holding `dib`; empty when `dib` does not start with a bitmap header that
// fits inside it.
QByteArray bmpFromDib(QByteArrayView dib);

// The largest bitmap that a metafile draws with a DIB record (StretchDIB, DIBStretchBlt,
// DIBBitBlt, SetDIBitsToDevice); empty when it draws none. Rich-edit controls store pasted
// bitmaps this way.
QByteArray dibFromMetafile(QByteArrayView wmf);

}  // namespace rtfpicture
