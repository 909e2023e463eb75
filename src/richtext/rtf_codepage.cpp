#include "rtf_codepage.h"

#include <algorithm>

namespace rtfcodepage {

int forCharset(int charset, int documentDefault) {
    switch (charset) {
        case 0:
        case 2:  // Symbol fonts: bullets such as \'b7 read best as their Western characters
            return kWestern;
        case 77:
            return 10000;
        case 128:
            return 932;
        case 129:
            return 949;
        case 130:
            return 1361;
        case 134:
            return kSimplifiedChinese;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return documentDefault;
    }
}

bool isDoubleByte(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
           codePage == 1361;
}

}  // namespace rtfcodepage

namespace {

const char* converterName(int codePage) {
    switch (codePage) {
        case 936:
            return "GBK";
        case 950:
            return "windows-950";
        case 932:
            return "windows-31j";
        case 949:
            return "windows-949";
        case 1361:
            return "johab";
        case 874:
            return "windows-874";
        case 10000:
            return "macintosh";
        case 437:
            return "IBM437";
        case 850:
            return "IBM850";
        case 65001:
            return "UTF-8";
        case 1250:
            return "windows-1250";
        case 1251:
            return "windows-1251";
        case 1253:
            return "windows-1253";
        case 1254:
            return "windows-1254";
        case 1255:
            return "windows-1255";
        case 1256:
            return "windows-1256";
        case 1257:
            return "windows-1257";
        case 1258:
            return "windows-1258";
        default:
            return "windows-1252";
    }
}

}  // namespace

QString RtfTextDecoder::decode(int codePage, QByteArrayView bytes) {
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(bytes);

    auto it = decoders_.find(codePage);
    if (it == decoders_.end()) {
        QStringDecoder decoder(converterName(codePage), QStringConverter::Flag::Stateless);
        if (!decoder.isValid())
            decoder = QStringDecoder(converterName(rtfcodepage::kWestern),
                                     QStringConverter::Flag::Stateless);
        it = decoders_.emplace(codePage, std::move(decoder)).first;
    }
    QStringDecoder& decoder = it->second;
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    QString text = decoder.decode(bytes);
    decoder.resetState();
    return text;
}
