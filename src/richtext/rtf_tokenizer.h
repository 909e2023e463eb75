#pragma once

#include <QByteArrayView>

// Splits RTF bytes into tokens. Every call consumes at least one byte, so a caller that loops
// until End does work proportional to the input length whatever the bytes are.
struct RtfToken {
    enum Kind {
        End,
        GroupStart,
        GroupEnd,
        ControlWord,    // name + optional numeric parameter
        ControlSymbol,  // a backslash followed by one non-letter, e.g. \~ \{ \*
        HexByte,        // \'hh
        Text,           // a run of plain bytes (never contains { } \ CR LF)
        Binary,         // the raw payload of \binN (already clamped to the input)
    };

    Kind kind = End;
    QByteArrayView name;  // ControlWord: the letters
    QByteArrayView data;  // Text / Binary: the bytes
    int param = 0;        // ControlWord parameter; HexByte value
    bool hasParam = false;
    char symbol = 0;  // ControlSymbol
};

class RtfTokenizer {
  public:
    explicit RtfTokenizer(QByteArrayView input) : input_(input) {}

    RtfToken next();

    // In a double-byte code page a raw lead byte takes the following byte with it, even when
    // that byte is a backslash or a brace (GBK trail bytes include 0x5C, 0x7B and 0x7D).
    void setDoubleByteText(bool on) { doubleByte_ = on; }

    qsizetype position() const { return pos_; }

  private:
    RtfToken readControl();
    RtfToken readText();

    QByteArrayView input_;
    qsizetype pos_ = 0;
    bool doubleByte_ = false;
};
