#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

// Windows code pages as they appear in RTF (\ansicpgN, \cpgN, \fcharsetN).
namespace rtfcodepage {

constexpr int kWestern = 1252;
constexpr int kSimplifiedChinese = 936;

// The code page a font's \fcharsetN implies; `documentDefault` for DEFAULT_CHARSET (1) and
// for values that name no code page.
int forCharset(int charset, int documentDefault);

// Code pages in which one character may take two bytes.
bool isDoubleByte(int codePage);

}  // namespace rtfcodepage

// Turns bytes of a Windows code page into text. Keeps one decoder per code page, so a
// reader that switches fonts often does not pay for setting up a converter each time.
class RtfTextDecoder {
  public:
    QString decode(int codePage, QByteArrayView bytes);

  private:
    std::map<int, QStringDecoder> decoders_;
};
