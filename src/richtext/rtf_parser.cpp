#include "rtf_parser.h"

#include <QFont>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Deeper groups are skipped whole; real documents stay far below this.
constexpr std::size_t kMaxGroupDepth = 256;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxHalfPoints = 3276;  // 1638 pt, the largest size Word accepts
constexpr int kMaxTwips = 31680;      // 22 inches
constexpr int kMaxColors = 4096;
constexpr double kTwipsPerPixel = 15.0;  // 1440 twips per inch at 96 dpi
constexpr double kMaxPictureSide = 20000.0;

constexpr char16_t kNoBreakSpace = 0x00A0;
constexpr char16_t kNoBreakHyphen = 0x2011;
constexpr char16_t kLineSeparator = 0x2028;
constexpr char16_t kReplacement = 0xFFFD;

constexpr std::array<signed char, 256> kHexDigits = [] {
    std::array<signed char, 256> table{};
    table.fill(-1);
    for (int i = 0; i < 10; ++i)
        table['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        table['a' + i] = static_cast<signed char>(10 + i);
        table['A' + i] = static_cast<signed char>(10 + i);
    }
    return table;
}();

bool isOn(const RtfToken& token) {
    return !token.hasParam || token.param != 0;
}

int twips(const RtfToken& token) {
    return std::clamp(token.param, -kMaxTwips, kMaxTwips);
}

}  // namespace

RtfParser::RtfParser(QByteArrayView rtf, RtfDocumentBuilder& builder)
    : tokenizer_(rtf), builder_(builder) {
    groups_.reserve(64);
}

void RtfParser::run() {
    while (!finished_) {
        tokenizer_.setDoubleByteText(rtfcodepage::isDoubleByte(codePage()));
        const RtfToken token = tokenizer_.next();
        if (token.kind == RtfToken::End)
            break;
        if (token.kind == RtfToken::GroupStart) {
            openGroup();
            continue;
        }
        if (token.kind == RtfToken::GroupEnd) {
            closeGroup();
            continue;
        }
        if (skippedDepth_ > 0 || groups_.empty())
            continue;

        if (token.kind == RtfToken::Text) {
            QByteArrayView bytes = token.data;
            if (fallbackToSkip_ > 0) {
                const qsizetype dropped = std::min<qsizetype>(fallbackToSkip_, bytes.size());
                fallbackToSkip_ -= static_cast<int>(dropped);
                bytes = bytes.sliced(dropped);
            }
            if (!bytes.isEmpty())
                onBytes(bytes);
            continue;
        }
        // Any other token counts as one fallback character after \uN.
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            continue;
        }
        switch (token.kind) {
            case RtfToken::HexByte: {
                if (state().destination == RtfDestination::Picture)
                    break;
                const char byte = static_cast<char>(token.param);
                onBytes(QByteArrayView(&byte, 1));
                break;
            }
            case RtfToken::Binary:
                onBinary(token.data);
                break;
            case RtfToken::ControlSymbol:
                onSymbol(token.symbol);
                break;
            case RtfToken::ControlWord:
                onWord(token);
                break;
            default:
                break;
        }
    }
    if (!finished_) {
        flushText();
        builder_.finish(groups_.empty() ? QTextBlockFormat() : blockFormat());
        finished_ = true;
    }
}

void RtfParser::openGroup() {
    fallbackToSkip_ = 0;
    if (skippedDepth_ > 0) {
        ++skippedDepth_;
        return;
    }
    if (groups_.size() >= kMaxGroupDepth) {
        skippedDepth_ = 1;
        return;
    }
    flushText();
    RtfGroupState inner = groups_.empty() ? RtfGroupState() : groups_.back();
    inner.opensPicture = false;
    inner.opensObject = false;
    inner.starred = false;
    groups_.push_back(inner);
}

void RtfParser::closeGroup() {
    fallbackToSkip_ = 0;
    if (skippedDepth_ > 0) {
        --skippedDepth_;
        return;
    }
    if (groups_.empty())
        return;  // a stray closing brace
    flushText();
    const RtfGroupState& closing = groups_.back();
    if (closing.opensPicture)
        finishPicture();
    if (closing.destination == RtfDestination::FontTable)
        commitFontName();
    // An embedded object shows its \result; one without a usable result still leaves a mark.
    if (closing.opensObject && builder_.contentCount() == closing.contentBeforeObject)
        insertPlaceholder();
    if (groups_.size() == 1) {
        builder_.finish(blockFormat());
        finished_ = true;  // whatever follows the document's closing brace is not RTF
    }
    groups_.pop_back();
}

void RtfParser::skipCurrentGroup() {
    flushText();
    groups_.pop_back();
    skippedDepth_ = 1;
}

void RtfParser::onWord(const RtfToken& token) {
    RtfGroupState& group = state();
    const RtfWord word = lookupRtfWord(token.name);
    if (group.starred) {
        group.starred = false;
        // Optional destinations are skipped unless this reader knows them.
        if (word != RtfWord::ShapePicture && word != RtfWord::NestedTableProperties) {
            skipCurrentGroup();
            return;
        }
    }
    if (word == RtfWord::SkippedDestination) {
        skipCurrentGroup();
        return;
    }
    if (word == RtfWord::NestedTableProperties) {
        // Closes a row of a nested table; its content was flattened into the outer cell, so
        // the row becomes a paragraph of that cell.
        if (group.destination == RtfDestination::Body) {
            flushText();
            builder_.endParagraph(blockFormat(), true);
        }
        skipCurrentGroup();
        return;
    }
    if (word == RtfWord::UnicodeSkip) {
        group.unicodeSkip = std::clamp(token.param, 0, kMaxUnicodeSkip);
        return;
    }
    if (word == RtfWord::UnicodeChar) {
        int value = token.param;
        if (value < 0)
            value += 0x10000;
        onUnicode(value > 0 && value <= 0xFFFF ? static_cast<char16_t>(value) : kReplacement);
        fallbackToSkip_ = state().unicodeSkip;
        return;
    }
    switch (group.destination) {
        case RtfDestination::Body:
            applyWord(word, token);
            break;
        case RtfDestination::Picture:
            applyPictureWord(word, token);
            break;
        case RtfDestination::FontTable:
        case RtfDestination::ColorTable:
            applyTableEntryWord(word, token);
            break;
    }
}

void RtfParser::applyWord(RtfWord word, const RtfToken& token) {
    if (applyCharWord(word, token) || applyParagraphWord(word, token))
        return;
    RtfGroupState& group = state();
    switch (word) {
        case RtfWord::Ansi:
            ansiCodePage_ = rtfcodepage::kWestern;
            break;
        case RtfWord::Mac:
            ansiCodePage_ = 10000;
            break;
        case RtfWord::Pc:
            ansiCodePage_ = 437;
            break;
        case RtfWord::Pca:
            ansiCodePage_ = 850;
            break;
        case RtfWord::AnsiCodePage:
            if (token.param > 0)
                ansiCodePage_ = token.param;
            break;
        case RtfWord::DefaultFont:
            defaultFont_ = token.param;
            formatValid_ = false;
            break;
        case RtfWord::FontTable:
            flushText();
            group.destination = RtfDestination::FontTable;
            fontBeingDefined_ = -1;
            break;
        case RtfWord::ColorTable:
            flushText();
            group.destination = RtfDestination::ColorTable;
            colors_.clear();
            red_ = green_ = blue_ = -1;
            formatValid_ = false;
            break;
        case RtfWord::Picture:
            flushText();
            group.destination = RtfDestination::Picture;
            group.opensPicture = true;
            picture_ = Picture();
            break;
        case RtfWord::Object:
            flushText();
            group.opensObject = true;
            group.contentBeforeObject = builder_.contentCount();
            break;
        case RtfWord::Paragraph:
            flushText();
            builder_.endParagraph(blockFormat(), group.paragraph.inTable);
            break;
        case RtfWord::Line:
            appendChar(kLineSeparator);
            break;
        case RtfWord::Tab:
        case RtfWord::NestedCell:  // nested tables are flattened into their outer cell
            appendChar(u'\t');
            break;
        case RtfWord::NestedRow:
            flushText();
            builder_.endParagraph(blockFormat(), true);
            break;
        case RtfWord::Cell:
            flushText();
            builder_.endCell(blockFormat());
            break;
        case RtfWord::Row:
            flushText();
            builder_.endRow();
            break;
        case RtfWord::RowDefaults:
            builder_.clearRowEdges();
            break;
        case RtfWord::CellEdge:
            builder_.addRowEdge(twips(token));
            break;
        case RtfWord::EmDash:
            appendChar(0x2014);
            break;
        case RtfWord::EnDash:
            appendChar(0x2013);
            break;
        case RtfWord::EmSpace:
            appendChar(0x2003);
            break;
        case RtfWord::EnSpace:
            appendChar(0x2002);
            break;
        case RtfWord::QuarterEmSpace:
            appendChar(0x2005);
            break;
        case RtfWord::Bullet:
            appendChar(0x2022);
            break;
        case RtfWord::LeftQuote:
            appendChar(0x2018);
            break;
        case RtfWord::RightQuote:
            appendChar(0x2019);
            break;
        case RtfWord::LeftDoubleQuote:
            appendChar(0x201C);
            break;
        case RtfWord::RightDoubleQuote:
            appendChar(0x201D);
            break;
        default:
            break;
    }
}

bool RtfParser::applyCharWord(RtfWord word, const RtfToken& token) {
    RtfCharState& chars = state().chars;
    RtfCharState next = chars;
    switch (word) {
        case RtfWord::Plain:
            next = RtfCharState();
            break;
        case RtfWord::Font:
            next.font = token.hasParam && token.param >= 0 ? token.param : -1;
            break;
        case RtfWord::FontSize:
            next.halfPoints = token.param > 0 ? std::min(token.param, kMaxHalfPoints) : 24;
            break;
        case RtfWord::Bold:
            next.bold = isOn(token);
            break;
        case RtfWord::Italic:
            next.italic = isOn(token);
            break;
        case RtfWord::Underline:
            next.underline = isOn(token);
            break;
        case RtfWord::UnderlineNone:
            next.underline = false;
            break;
        case RtfWord::Strike:
            next.strike = isOn(token);
            break;
        case RtfWord::Hidden:
            next.hidden = isOn(token);
            break;
        case RtfWord::Foreground:
            next.foreground = std::max(token.param, 0);
            break;
        case RtfWord::Background:
            next.background = std::max(token.param, 0);
            break;
        case RtfWord::Super:
            next.vertical = RtfCharState::VerticalPosition::Super;
            break;
        case RtfWord::Sub:
            next.vertical = RtfCharState::VerticalPosition::Sub;
            break;
        case RtfWord::NoSuperSub:
            next.vertical = RtfCharState::VerticalPosition::Normal;
            break;
        default:
            return false;
    }
    if (next != chars) {
        flushText();
        chars = next;
    }
    return true;
}

bool RtfParser::applyParagraphWord(RtfWord word, const RtfToken& token) {
    RtfParagraphState& paragraph = state().paragraph;
    RtfParagraphState next = paragraph;
    switch (word) {
        case RtfWord::ParagraphDefault:
            next = RtfParagraphState();
            break;
        case RtfWord::AlignLeft:
            next.alignment = Qt::AlignLeft;
            break;
        case RtfWord::AlignCenter:
            next.alignment = Qt::AlignHCenter;
            break;
        case RtfWord::AlignRight:
            next.alignment = Qt::AlignRight;
            break;
        case RtfWord::AlignJustify:
            next.alignment = Qt::AlignJustify;
            break;
        case RtfWord::LeftIndent:
            next.leftTwips = twips(token);
            break;
        case RtfWord::RightIndent:
            next.rightTwips = twips(token);
            break;
        case RtfWord::FirstLineIndent:
            next.firstLineTwips = twips(token);
            break;
        case RtfWord::SpaceBefore:
            next.beforeTwips = twips(token);
            break;
        case RtfWord::SpaceAfter:
            next.afterTwips = twips(token);
            break;
        case RtfWord::InTable:
            next.inTable = isOn(token);
            break;
        default:
            return false;
    }
    if (next != paragraph) {
        flushText();
        paragraph = next;
    }
    return true;
}

bool RtfParser::applyPictureWord(RtfWord word, const RtfToken& token) {
    const int value = std::max(token.param, 0);
    switch (word) {
        case RtfWord::PngBlip:
            picture_.kind = rtfpicture::Kind::Png;
            break;
        case RtfWord::JpegBlip:
            picture_.kind = rtfpicture::Kind::Jpeg;
            break;
        case RtfWord::DibBitmap:
            picture_.kind = rtfpicture::Kind::Dib;
            break;
        case RtfWord::WindowsMetafile:
            picture_.kind = rtfpicture::Kind::Metafile;
            break;
        case RtfWord::OtherPictureKind:
            picture_.kind = rtfpicture::Kind::Other;
            break;
        case RtfWord::PictureWidth:
            picture_.width = value;
            break;
        case RtfWord::PictureHeight:
            picture_.height = value;
            break;
        case RtfWord::PictureGoalWidth:
            picture_.goalWidth = value;
            break;
        case RtfWord::PictureGoalHeight:
            picture_.goalHeight = value;
            break;
        case RtfWord::PictureScaleX:
            picture_.scaleX = value;
            break;
        case RtfWord::PictureScaleY:
            picture_.scaleY = value;
            break;
        default:
            return false;
    }
    return true;
}

void RtfParser::applyTableEntryWord(RtfWord word, const RtfToken& token) {
    if (state().destination == RtfDestination::FontTable) {
        switch (word) {
            case RtfWord::Font:
                commitFontName();
                fontBeingDefined_ = token.param;
                fonts_[fontBeingDefined_];
                formatValid_ = false;
                break;
            case RtfWord::FontCharset:
                if (fontBeingDefined_ >= 0)
                    fonts_[fontBeingDefined_].charset = token.param;
                break;
            case RtfWord::CodePage:
                if (fontBeingDefined_ >= 0 && token.param > 0)
                    fonts_[fontBeingDefined_].codePage = token.param;
                break;
            default:
                break;
        }
        return;
    }
    const int component = std::clamp(token.param, 0, 255);
    switch (word) {
        case RtfWord::Red:
            red_ = component;
            break;
        case RtfWord::Green:
            green_ = component;
            break;
        case RtfWord::Blue:
            blue_ = component;
            break;
        default:
            break;
    }
}

void RtfParser::onSymbol(char symbol) {
    switch (symbol) {
        case '\\':
        case '{':
        case '}':
            onBytes(QByteArrayView(&symbol, 1));
            break;
        case '~':
            onUnicode(kNoBreakSpace);
            break;
        case '_':
            onUnicode(kNoBreakHyphen);
            break;
        case '*':
            state().starred = true;
            break;
        case '\t':
            if (state().destination == RtfDestination::Body)
                appendChar(u'\t');
            break;
        case '\n':
            if (state().destination == RtfDestination::Body) {
                flushText();
                builder_.endParagraph(blockFormat(), state().paragraph.inTable);
            }
            break;
        default:  // \- (optional hyphen), \: \| and unknown symbols show nothing
            break;
    }
}

void RtfParser::onBytes(QByteArrayView bytes) {
    switch (state().destination) {
        case RtfDestination::Body:
            appendText(bytes);
            break;
        case RtfDestination::FontTable:
            addFontNameBytes(bytes);
            break;
        case RtfDestination::ColorTable:
            addColorTableText(bytes);
            break;
        case RtfDestination::Picture:
            addPictureHex(bytes);
            break;
    }
}

void RtfParser::onBinary(QByteArrayView bytes) {
    if (state().destination == RtfDestination::Picture)
        picture_.data.append(bytes);
}

void RtfParser::onUnicode(char16_t unit) {
    switch (state().destination) {
        case RtfDestination::Body:
            appendChar(unit);
            break;
        case RtfDestination::FontTable:
            fontName_ += decoder_.decode(fontCodePage(fontBeingDefined_), fontNameBytes_);
            fontNameBytes_.clear();
            fontName_.append(QChar(unit));
            break;
        default:
            break;
    }
}

void RtfParser::appendText(QByteArrayView bytes) {
    const int page = codePage();
    if (!pendingBytes_.isEmpty() && page != pendingCodePage_)
        decodePendingBytes();
    pendingCodePage_ = page;
    pendingBytes_.append(bytes);
}

void RtfParser::appendChar(char16_t unit) {
    decodePendingBytes();
    pendingText_.append(QChar(unit));
}

void RtfParser::decodePendingBytes() {
    if (pendingBytes_.isEmpty())
        return;
    pendingText_ += decoder_.decode(pendingCodePage_, pendingBytes_);
    pendingBytes_.clear();
}

void RtfParser::flushText() {
    decodePendingBytes();
    if (pendingText_.isEmpty() || groups_.empty())
        return;
    if (!state().chars.hidden)
        builder_.insertText(pendingText_, charFormat(), state().paragraph.inTable);
    pendingText_.clear();
}

void RtfParser::addFontNameBytes(QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const qsizetype end = bytes.indexOf(';');
        if (end < 0) {
            fontNameBytes_.append(bytes);
            return;
        }
        fontNameBytes_.append(bytes.first(end));
        commitFontName();
        bytes = bytes.sliced(end + 1);
    }
}

void RtfParser::commitFontName() {
    if (fontBeingDefined_ >= 0) {
        fontName_ += decoder_.decode(fontCodePage(fontBeingDefined_), fontNameBytes_);
        Font& font = fonts_[fontBeingDefined_];
        const QString name = fontName_.trimmed();
        if (font.name.isEmpty() && !name.isEmpty()) {
            font.name = name;
            formatValid_ = false;
        }
    }
    fontNameBytes_.clear();
    fontName_.clear();
}

void RtfParser::addColorTableText(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (c != ';' || colors_.size() >= kMaxColors)
            continue;
        // An entry without components is the automatic colour.
        const bool any = red_ >= 0 || green_ >= 0 || blue_ >= 0;
        colors_.append(any ? QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0))
                           : QColor());
        red_ = green_ = blue_ = -1;
        formatValid_ = false;
    }
}

void RtfParser::addPictureHex(QByteArrayView hex) {
    for (const char c : hex) {
        const int digit = kHexDigits[static_cast<unsigned char>(c)];
        if (digit < 0)
            continue;  // line breaks and spaces split long hex runs
        if (picture_.highNibble < 0) {
            picture_.highNibble = digit;
        } else {
            picture_.data.append(static_cast<char>(picture_.highNibble * 16 + digit));
            picture_.highNibble = -1;
        }
    }
}

void RtfParser::finishPicture() {
    const QImage image = rtfpicture::decode(picture_.kind, picture_.data);
    const Picture picture = std::exchange(picture_, Picture());
    if (image.isNull()) {
        insertPlaceholder();
        return;
    }
    const double scaleX = picture.scaleX > 0 ? picture.scaleX / 100.0 : 1.0;
    const double scaleY = picture.scaleY > 0 ? picture.scaleY / 100.0 : 1.0;
    QSizeF size =
        picture.goalWidth > 0 && picture.goalHeight > 0
            ? QSizeF(picture.goalWidth / kTwipsPerPixel, picture.goalHeight / kTwipsPerPixel)
            : QSizeF(image.size());
    size = QSizeF(std::clamp(size.width() * scaleX, 1.0, kMaxPictureSide),
                  std::clamp(size.height() * scaleY, 1.0, kMaxPictureSide));
    builder_.insertImage(image, size, charFormat(), state().paragraph.inTable);
}

void RtfParser::insertPlaceholder() {
    builder_.insertText(QStringLiteral("[图片]"), charFormat(), state().paragraph.inTable);
}

int RtfParser::codePage() {
    if (groups_.empty())
        return ansiCodePage_;
    const RtfGroupState& group = groups_.back();
    if (group.destination == RtfDestination::FontTable && fontBeingDefined_ >= 0)
        return fontCodePage(fontBeingDefined_);
    return fontCodePage(group.chars.font < 0 ? defaultFont_ : group.chars.font);
}

int RtfParser::fontCodePage(int fontId) const {
    const auto it = fonts_.constFind(fontId);
    if (it == fonts_.constEnd())
        return ansiCodePage_;
    return it->codePage > 0 ? it->codePage : rtfcodepage::forCharset(it->charset, ansiCodePage_);
}

const QTextCharFormat& RtfParser::charFormat() {
    const RtfCharState& chars = state().chars;
    if (formatValid_ && formatState_ == chars)
        return format_;
    QTextCharFormat format;
    if (chars.bold)
        format.setFontWeight(QFont::Bold);
    if (chars.italic)
        format.setFontItalic(true);
    if (chars.underline)
        format.setFontUnderline(true);
    if (chars.strike)
        format.setFontStrikeOut(true);
    format.setFontPointSize(chars.halfPoints / 2.0);
    const auto font = fonts_.constFind(chars.font < 0 ? defaultFont_ : chars.font);
    if (font != fonts_.constEnd() && !font->name.isEmpty())
        format.setFontFamilies({font->name});
    if (chars.foreground < colors_.size() && colors_[chars.foreground].isValid())
        format.setForeground(colors_[chars.foreground]);
    // Background index 0 means "none" whatever the first table entry holds.
    if (chars.background > 0 && chars.background < colors_.size() &&
        colors_[chars.background].isValid())
        format.setBackground(colors_[chars.background]);
    if (chars.vertical == RtfCharState::VerticalPosition::Super)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (chars.vertical == RtfCharState::VerticalPosition::Sub)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    format_ = format;
    formatState_ = chars;
    formatValid_ = true;
    return format_;
}

QTextBlockFormat RtfParser::blockFormat() const {
    const RtfParagraphState& paragraph = groups_.back().paragraph;
    QTextBlockFormat format;
    format.setAlignment(paragraph.alignment);
    if (paragraph.leftTwips != 0)
        format.setLeftMargin(paragraph.leftTwips / kTwipsPerPixel);
    if (paragraph.rightTwips != 0)
        format.setRightMargin(paragraph.rightTwips / kTwipsPerPixel);
    if (paragraph.firstLineTwips != 0)
        format.setTextIndent(paragraph.firstLineTwips / kTwipsPerPixel);
    if (paragraph.beforeTwips != 0)
        format.setTopMargin(paragraph.beforeTwips / kTwipsPerPixel);
    if (paragraph.afterTwips != 0)
        format.setBottomMargin(paragraph.afterTwips / kTwipsPerPixel);
    return format;
}
