#include "rtf_tokenizer.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qsizetype kMaxNameLength = 32;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfToken make(RtfToken::Kind kind) {
    RtfToken token;
    token.kind = kind;
    return token;
}

bool isLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
bool isTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

}  // namespace

RtfToken RtfTokenizer::next() {
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        switch (c) {
            case '{':
                ++pos_;
                return make(RtfToken::GroupStart);
            case '}':
                ++pos_;
                return make(RtfToken::GroupEnd);
            case '\\':
                return readControl();
            case '\t': {
                ++pos_;
                RtfToken t = make(RtfToken::ControlSymbol);
                t.symbol = '\t';
                return t;
            }
            default:
                // Raw line breaks are formatting of the file, not of the text; other control
                // bytes have no meaning in RTF text.
                if (static_cast<unsigned char>(c) < 0x20) {
                    ++pos_;
                    continue;
                }
                return readText();
        }
    }
    return make(RtfToken::End);
}

RtfToken RtfTokenizer::readText() {
    const qsizetype start = pos_;
    while (pos_ < input_.size()) {
        const auto c = static_cast<unsigned char>(input_[pos_]);
        if (c == '{' || c == '}' || c == '\\' || c < 0x20)
            break;
        if (doubleByte_ && isLeadByte(c) && pos_ + 1 < input_.size() &&
            isTrailByte(static_cast<unsigned char>(input_[pos_ + 1]))) {
            pos_ += 2;
            continue;
        }
        ++pos_;
    }
    RtfToken t = make(RtfToken::Text);
    t.data = input_.sliced(start, pos_ - start);
    return t;
}

RtfToken RtfTokenizer::readControl() {
    ++pos_;  // the backslash
    if (pos_ >= input_.size())
        return make(RtfToken::End);

    const char first = input_[pos_];
    if (!isLetter(first)) {
        ++pos_;
        if (first == '\'') {
            RtfToken t = make(RtfToken::HexByte);
            const int hi = pos_ < input_.size() ? hexValue(input_[pos_]) : -1;
            const int lo = pos_ + 1 < input_.size() ? hexValue(input_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) {
                // A broken escape: drop it and whatever single digit followed.
                if (hi >= 0)
                    ++pos_;
                return make(RtfToken::Text);
            }
            pos_ += 2;
            t.param = hi * 16 + lo;
            return t;
        }
        RtfToken t = make(RtfToken::ControlSymbol);
        // A backslash before a raw line break is an old spelling of \par.
        t.symbol = (first == '\r' || first == '\n') ? '\n' : first;
        return t;
    }

    const qsizetype nameStart = pos_;
    while (pos_ < input_.size() && isLetter(input_[pos_]))
        ++pos_;
    RtfToken t = make(RtfToken::ControlWord);
    t.name = input_.sliced(nameStart, std::min(pos_ - nameStart, kMaxNameLength));

    bool negative = false;
    if (pos_ < input_.size() && input_[pos_] == '-' && pos_ + 1 < input_.size() &&
        isDigit(input_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < input_.size() && isDigit(input_[pos_])) {
        qint64 value = 0;
        while (pos_ < input_.size() && isDigit(input_[pos_])) {
            if (value <= std::numeric_limits<int>::max())
                value = value * 10 + (input_[pos_] - '0');
            ++pos_;
        }
        value = negative ? -value : value;
        value = std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max());
        t.param = static_cast<int>(value);
        t.hasParam = true;
    }
    if (pos_ < input_.size() && input_[pos_] == ' ')
        ++pos_;

    if (t.name == "bin") {
        const qsizetype wanted = t.hasParam ? std::max(0, t.param) : 0;
        const qsizetype length = std::min(wanted, input_.size() - pos_);
        RtfToken bin = make(RtfToken::Binary);
        bin.data = input_.sliced(pos_, length);
        pos_ += length;
        return bin;
    }
    return t;
}
