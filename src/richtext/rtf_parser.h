#pragma once

#include "rtf_codepage.h"
#include "rtf_control_words.h"
#include "rtf_document_builder.h"
#include "rtf_group_state.h"
#include "rtf_picture.h"
#include "rtf_tokenizer.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <vector>

// Reads RTF tokens group by group and feeds the document builder. Work is bounded by the
// input: groups deeper than a fixed limit are skipped without keeping state for them.
class RtfParser {
  public:
    RtfParser(QByteArrayView rtf, RtfDocumentBuilder& builder);
    void run();

  private:
    struct Font {
        QString name;
        int charset = 1;   // DEFAULT_CHARSET
        int codePage = 0;  // \cpgN; 0 when the charset decides
    };
    struct Picture {
        rtfpicture::Kind kind = rtfpicture::Kind::Unknown;
        int width = 0;  // \picw, \pich
        int height = 0;
        int goalWidth = 0;  // \picwgoal, \pichgoal (twips)
        int goalHeight = 0;
        int scaleX = 100;
        int scaleY = 100;
        QByteArray data;
        int highNibble = -1;
    };

    RtfGroupState& state() { return groups_.back(); }

    void openGroup();
    void closeGroup();
    void skipCurrentGroup();

    void onWord(const RtfToken& token);
    void onSymbol(char symbol);
    void onBytes(QByteArrayView bytes);
    void onBinary(QByteArrayView bytes);
    void onUnicode(char16_t unit);

    void applyWord(RtfWord word, const RtfToken& token);
    bool applyCharWord(RtfWord word, const RtfToken& token);
    bool applyParagraphWord(RtfWord word, const RtfToken& token);
    bool applyPictureWord(RtfWord word, const RtfToken& token);
    void applyTableEntryWord(RtfWord word, const RtfToken& token);

    void appendText(QByteArrayView bytes);
    void appendChar(char16_t unit);
    void decodePendingBytes();
    void flushText();

    void addFontNameBytes(QByteArrayView bytes);
    void commitFontName();
    void addColorTableText(QByteArrayView bytes);
    void addPictureHex(QByteArrayView hex);
    void finishPicture();
    void insertPlaceholder();

    int codePage();
    int fontCodePage(int fontId) const;
    const QTextCharFormat& charFormat();
    QTextBlockFormat blockFormat() const;

    RtfTokenizer tokenizer_;
    RtfDocumentBuilder& builder_;
    RtfTextDecoder decoder_;
    std::vector<RtfGroupState> groups_;
    int skippedDepth_ = 0;    // open groups being skipped
    int fallbackToSkip_ = 0;  // \uN fallback bytes still to drop
    bool finished_ = false;

    int ansiCodePage_ = rtfcodepage::kWestern;
    int defaultFont_ = 0;
    QHash<int, Font> fonts_;
    int fontBeingDefined_ = -1;
    QByteArray fontNameBytes_;
    QString fontName_;

    QList<QColor> colors_;
    int red_ = -1;
    int green_ = -1;
    int blue_ = -1;

    Picture picture_;

    QByteArray pendingBytes_;  // text bytes not yet decoded
    int pendingCodePage_ = 0;
    QString pendingText_;  // decoded text not yet in the document

    QTextCharFormat format_;
    RtfCharState formatState_;
    bool formatValid_ = false;
};
