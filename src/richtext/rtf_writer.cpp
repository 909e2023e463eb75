#include "rtf_writer.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <map>
#include <vector>

namespace {

constexpr double kTwipsPerPixel = 15.0;  // 1440 twips per inch at 96 dpi
constexpr int kDefaultTableWidthTwips = 9000;
constexpr int kMinColumnTwips = 300;
constexpr qsizetype kHexLineLength = 128;

int toTwips(double pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

QByteArray number(int value) {
    return QByteArray::number(value);
}

bool isCjkFontName(const QString& family) {
    for (const QChar c : family) {
        if (c.unicode() >= 0x80)
            return true;
    }
    static constexpr const char* kCjkNames[] = {"simsun",
                                                "nsimsun",
                                                "simhei",
                                                "kaiti",
                                                "fangsong",
                                                "yahei",
                                                "youyuan",
                                                "lisu",
                                                "stsong",
                                                "stheiti",
                                                "stkaiti",
                                                "stfangsong",
                                                "dengxian",
                                                "noto sans cjk",
                                                "noto serif cjk",
                                                "source han",
                                                "wenquanyi",
                                                "ar pl",
                                                "droid sans fallback"};
    const QString lower = family.toLower();
    for (const char* name : kCjkNames) {
        if (lower.contains(QLatin1String(name)))
            return true;
    }
    return false;
}

QByteArray pngFromResource(const QTextDocument* document, const QString& name) {
    QImage image;
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
    switch (resource.typeId()) {
        case QMetaType::QImage:
            image = resource.value<QImage>();
            break;
        case QMetaType::QPixmap:
            image = resource.value<QPixmap>().toImage();
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = resource.toByteArray();
            if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
                return bytes;
            image.loadFromData(bytes);
            break;
        }
        default:
            break;
    }
    if (image.isNull() && !name.isEmpty())
        image.load(name);
    const QString localFile = QUrl(name).toLocalFile();
    if (image.isNull() && !localFile.isEmpty())
        image.load(localFile);
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

class RtfWriter {
  public:
    explicit RtfWriter(const QTextDocument* document) : document_(document) {
        // Without a GUI application the default font has no family; Word and LibreOffice
        // still need a name for \f0.
        const QString family = document->defaultFont().family();
        fontIndex(family.isEmpty() ? QStringLiteral("SimSun") : family);
    }

    QByteArray write() {
        writeFrame(document_->rootFrame(), false);
        QByteArray out = header();
        out += body_;
        out += "}";
        return out;
    }

  private:
    void writeFrame(const QTextFrame* frame, bool inTable) {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (const QTextFrame* child = it.currentFrame()) {
                const auto* table = qobject_cast<const QTextTable*>(child);
                if (table && !inTable)
                    writeTable(table);
                else
                    writeFrame(child, inTable);  // nested tables are flattened into the cell
            } else {
                writeBlock(it.currentBlock(), inTable, "\\par");
            }
        }
    }

    void collectBlocks(const QTextFrame::iterator& begin, std::vector<QTextBlock>& blocks) {
        for (auto it = begin; !it.atEnd(); ++it) {
            if (const QTextFrame* child = it.currentFrame())
                collectBlocks(child->begin(), blocks);
            else
                blocks.push_back(it.currentBlock());
        }
    }

    std::vector<int> cellEdges(const QTextTable* table) const {
        const QList<QTextLength> constraints = table->format().columnWidthConstraints();
        const int columns = table->columns();
        std::vector<int> widths(columns, 0);
        int used = 0;
        int variable = 0;
        for (int c = 0; c < columns; ++c) {
            const QTextLength length = c < constraints.size() ? constraints[c] : QTextLength();
            if (length.type() == QTextLength::FixedLength)
                widths[c] = toTwips(length.rawValue());
            else if (length.type() == QTextLength::PercentageLength)
                widths[c] = static_cast<int>(length.rawValue() * kDefaultTableWidthTwips / 100);
            if (widths[c] > 0)
                used += widths[c];
            else
                ++variable;
        }
        const int share =
            variable > 0 ? std::max(kMinColumnTwips, (kDefaultTableWidthTwips - used) / variable)
                         : 0;
        std::vector<int> edges;
        int edge = 0;
        for (int c = 0; c < columns; ++c) {
            edge += widths[c] > 0 ? widths[c] : share;
            edges.push_back(edge);
        }
        return edges;
    }

    void writeTable(const QTextTable* table) {
        const std::vector<int> edges = cellEdges(table);
        for (int r = 0; r < table->rows(); ++r) {
            body_ += "\\trowd\\trgaph108\\trleft0";
            for (int c = 0; c < table->columns(); ++c) {
                body_ +=
                    "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                    "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx";
                body_ += number(edges[c]);
            }
            body_ += "\n";
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                std::vector<QTextBlock> blocks;
                // A cell covered by a neighbour's span is written empty.
                if (cell.row() == r && cell.column() == c)
                    collectBlocks(cell.begin(), blocks);
                if (blocks.empty()) {
                    body_ += "\\pard\\intbl\\cell\n";
                    continue;
                }
                for (std::size_t i = 0; i < blocks.size(); ++i)
                    writeBlock(blocks[i], true, i + 1 == blocks.size() ? "\\cell" : "\\par");
            }
            body_ += "\\row\n";
        }
    }

    void writeBlock(const QTextBlock& block, bool inTable, const char* ending) {
        const QTextBlockFormat format = block.blockFormat();
        body_ += "\\pard";
        if (inTable)
            body_ += "\\intbl";
        const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            body_ += "\\qc";
        else if (align & Qt::AlignJustify)
            body_ += "\\qj";
        else if (align & (Qt::AlignRight | Qt::AlignTrailing))
            body_ += "\\qr";
        else
            body_ += "\\ql";
        const double indent = format.indent() * document_->indentWidth();
        writeTwips("\\li", format.leftMargin() + indent);
        writeTwips("\\ri", format.rightMargin());
        writeTwips("\\fi", format.textIndent());
        writeTwips("\\sb", format.topMargin());
        writeTwips("\\sa", format.bottomMargin());
        for (auto it = block.begin(); !it.atEnd(); ++it)
            writeFragment(it.fragment());
        body_ += ending;
        body_ += "\n";
    }

    void writeTwips(const char* word, double pixels) {
        const int value = toTwips(pixels);
        if (value != 0) {
            body_ += word;
            body_ += number(value);
        }
    }

    void writeFragment(const QTextFragment& fragment) {
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            for (int i = 0; i < fragment.length(); ++i)
                writeImage(format.toImageFormat());
            return;
        }
        body_ += "{";
        writeCharFormat(format);
        body_ += " ";
        writeText(fragment.text());
        body_ += "}";
    }

    void writeCharFormat(const QTextCharFormat& format) {
        const QStringList families = format.fontFamilies().toStringList();
        const QString family = families.isEmpty() ? QString() : families.first();
        body_ += "\\f";
        body_ += number(family.isEmpty() ? 0 : fontIndex(family));
        double points = format.fontPointSize();
        if (points <= 0 && format.hasProperty(QTextFormat::FontPixelSize))
            points = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
        if (points <= 0)
            points = document_->defaultFont().pointSizeF();
        if (points > 0) {
            body_ += "\\fs";
            body_ += number(static_cast<int>(std::lround(points * 2)));
        }
        if (format.fontWeight() > QFont::Medium)
            body_ += "\\b";
        if (format.fontItalic())
            body_ += "\\i";
        if (format.fontUnderline())
            body_ += "\\ul";
        if (format.fontStrikeOut())
            body_ += "\\strike";
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            body_ += "\\super";
        else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            body_ += "\\sub";
        if (format.foreground().style() != Qt::NoBrush) {
            body_ += "\\cf";
            body_ += number(colorIndex(format.foreground().color()));
        }
        if (format.background().style() != Qt::NoBrush) {
            // \chcbpat is the exact shade for Word, \cb the same for older readers.
            const QByteArray index = number(colorIndex(format.background().color()));
            body_ += "\\chcbpat" + index + "\\cb" + index;
        }
    }

    void writeText(QStringView text) {
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            switch (u) {
                case u'\\':
                    body_ += "\\\\";
                    continue;
                case u'{':
                    body_ += "\\{";
                    continue;
                case u'}':
                    body_ += "\\}";
                    continue;
                case u'\t':
                    body_ += "\\tab ";
                    continue;
                case 0x2028:  // QChar::LineSeparator
                case 0x2029:
                    body_ += "\\line ";
                    continue;
                case 0x00A0:
                    body_ += "\\~";
                    continue;
                case 0x2011:
                    body_ += "\\_";
                    continue;
                case 0x00AD:
                    body_ += "\\-";
                    continue;
                case 0xFFFC:  // an object without an image format has nothing to write
                    continue;
                default:
                    break;
            }
            if (u < 0x20)
                continue;
            if (u < 0x80) {
                body_ += static_cast<char>(u);
                continue;
            }
            // RTF's \uN takes a signed 16-bit number; characters beyond the BMP go as their
            // two surrogates, each with a '?' for readers that do not know \u.
            body_ += "\\u";
            body_ += number(static_cast<qint16>(u));
            body_ += "?";
        }
    }

    void writeImage(const QTextImageFormat& format) {
        const QByteArray png = pngFromResource(document_, format.name());
        QImage image;
        if (png.isEmpty() || !image.loadFromData(png, "PNG")) {
            body_ += "{";
            writeText(u"[图片]");
            body_ += "}";
            return;
        }
        double width = format.width();
        double height = format.height();
        if (width <= 0 && height > 0)
            width = height * image.width() / image.height();
        else if (height <= 0 && width > 0)
            height = width * image.height() / image.width();
        if (width <= 0 || height <= 0) {
            width = image.width();
            height = image.height();
        }
        body_ += "{\\pict\\pngblip\\picw" + number(image.width()) + "\\pich" +
                 number(image.height()) + "\\picwgoal" + number(toTwips(width)) + "\\pichgoal" +
                 number(toTwips(height)) + "\n";
        const QByteArray hex = png.toHex();
        for (qsizetype at = 0; at < hex.size(); at += kHexLineLength) {
            body_ += hex.mid(at, kHexLineLength);
            body_ += "\n";
        }
        body_ += "}";
    }

    int fontIndex(const QString& family) {
        const auto [it, added] = fontIndexes_.try_emplace(family, int(fonts_.size()));
        if (added)
            fonts_.append(family);
        return it->second;
    }

    int colorIndex(const QColor& color) {
        const auto [it, added] = colorIndexes_.try_emplace(color.rgb(), int(colors_.size() + 1));
        if (added)
            colors_.append(color.rgb());
        return it->second;
    }

    QByteArray fontName(const QString& family, bool cjk) const {
        QByteArray out;
        QStringEncoder gbk("GBK");
        const QByteArray encoded = cjk ? QByteArray(gbk.encode(family)) : QByteArray();
        if (cjk && !gbk.hasError()) {
            for (const char byte : encoded) {
                const auto b = static_cast<unsigned char>(byte);
                if (b >= 0x80 || b == '\\' || b == '{' || b == '}' || b == ';') {
                    out += "\\'";
                    out += QByteArray::number(b, 16).rightJustified(2, '0');
                } else {
                    out += byte;
                }
            }
            return out;
        }
        for (const QChar c : family) {
            const char16_t u = c.unicode();
            if (u < 0x20 || u == ';')
                continue;
            if (u == '\\' || u == '{' || u == '}') {
                out += '\\';
                out += static_cast<char>(u);
            } else if (u < 0x80) {
                out += static_cast<char>(u);
            } else {
                out += "\\u" + number(static_cast<qint16>(u)) + "?";
            }
        }
        return out;
    }

    QByteArray header() const {
        QByteArray out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1\n{\\fonttbl";
        for (qsizetype i = 0; i < fonts_.size(); ++i) {
            const bool cjk = isCjkFontName(fonts_[i]);
            out += "{\\f" + number(static_cast<int>(i)) + "\\fnil\\fcharset" + (cjk ? "134" : "0") +
                   " " + fontName(fonts_[i], cjk) + ";}";
        }
        out += "}\n{\\colortbl ;";
        for (const QRgb rgb : colors_) {
            out += "\\red" + number(qRed(rgb)) + "\\green" + number(qGreen(rgb)) + "\\blue" +
                   number(qBlue(rgb)) + ";";
        }
        out += "}\n\\viewkind4\n";
        return out;
    }

    const QTextDocument* document_;
    QByteArray body_;
    QStringList fonts_;   // position = \fN
    QList<QRgb> colors_;  // position + 1 = \cfN; entry 0 is the automatic colour
    std::map<QString, int> fontIndexes_;
    std::map<QRgb, int> colorIndexes_;
};

}  // namespace

QByteArray writeRtf(const QTextDocument* document) {
    if (!document)
        return {};
    return RtfWriter(document).write();
}
