#include "rtf_document_builder.h"

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace {

// Word's own limit; cells past it share the last cell.
constexpr int kMaxColumns = 63;
// Qt rebuilds a table's whole cell grid after each added row, so one huge table costs time
// quadratic in its rows: rows past this many cells continue in a new table.
constexpr int kMaxCellsPerTable = 2000;
// Past this many cells in one document, table paragraphs are read as plain paragraphs.
constexpr int kMaxCellsPerDocument = 50000;
constexpr double kTwipsPerPixel = 15.0;  // 1440 twips per inch at 96 dpi

QTextTableFormat tableFormat(const QList<int>& edges, int columns) {
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(3);
    format.setAlignment(Qt::AlignLeft);
    QList<QTextLength> widths;
    int left = 0;
    for (int i = 0; i < columns; ++i) {
        if (i < edges.size() && edges[i] > left) {
            widths.append(
                QTextLength(QTextLength::FixedLength, (edges[i] - left) / kTwipsPerPixel));
            left = edges[i];
        } else {
            widths.append(QTextLength(QTextLength::VariableLength, 0));
        }
    }
    format.setColumnWidthConstraints(widths);
    return format;
}

}  // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument* document)
    : document_(document), cursor_(document) {
    cursor_.beginEditBlock();
}

RtfDocumentBuilder::~RtfDocumentBuilder() {
    cursor_.endEditBlock();
}

void RtfDocumentBuilder::addRowEdge(int twips) {
    if (rowEdges_.size() < kMaxColumns)
        rowEdges_.append(twips);
}

void RtfDocumentBuilder::insertText(const QString& text, const QTextCharFormat& format,
                                    bool inTable) {
    if (text.isEmpty())
        return;
    enterContent(inTable);
    cursor_.insertText(text, format);
    lastWasParagraphEnd_ = false;
    blockHasContent_ = true;
    ++contentCount_;
}

void RtfDocumentBuilder::insertImage(const QImage& image, QSizeF size,
                                     const QTextCharFormat& format, bool inTable) {
    enterContent(inTable);
    const QString name = QStringLiteral("rtfimage:%1").arg(++imageCount_);
    document_->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat imageFormat;
    imageFormat.merge(format);
    imageFormat.setName(name);
    const QSizeF shown = size.isEmpty() ? QSizeF(image.size()) : size;
    imageFormat.setWidth(shown.width());
    imageFormat.setHeight(shown.height());
    cursor_.insertImage(imageFormat);
    lastWasParagraphEnd_ = false;
    blockHasContent_ = true;
    ++contentCount_;
}

void RtfDocumentBuilder::endParagraph(const QTextBlockFormat& format, bool inTable) {
    enterContent(inTable);
    cursor_.setBlockFormat(format);
    cursor_.insertBlock();
    lastWasParagraphEnd_ = true;
    blockHasContent_ = false;
}

void RtfDocumentBuilder::endCell(const QTextBlockFormat& format) {
    enterContent(true);
    cursor_.setBlockFormat(format);
    ++pendingColumn_;
    lastWasParagraphEnd_ = false;
    blockHasContent_ = false;
}

void RtfDocumentBuilder::endRow() {
    if (!table_ || !rowOpen_)
        return;
    rowOpen_ = false;
    pendingColumn_ = 0;
    lastWasParagraphEnd_ = false;
}

void RtfDocumentBuilder::enterContent(bool inTable) {
    if (inTable && table_ && !rowOpen_) {
        const int columns = table_->columns();
        if (cellCount_ + columns > kMaxCellsPerDocument ||
            (table_->rows() + 1) * columns > kMaxCellsPerTable)
            leaveTable();
        else
            startRow();
    }
    if (inTable && !table_) {
        if (cellCount_ < kMaxCellsPerDocument)
            startTable();
        else
            inTable = false;
    }
    if (!inTable) {
        if (table_)
            leaveTable();
        return;
    }
    moveToPendingCell();
}

bool RtfDocumentBuilder::canMergeIntoPreviousBlock() const {
    const QTextBlock block = cursor_.block();
    const QTextBlock previous = block.previous();
    if (block.length() != 1 || !previous.isValid())
        return false;
    // The block right after a table belongs to the document's structure; only a block in
    // the same frame as its predecessor can go.
    return QTextCursor(previous).currentFrame() == cursor_.currentFrame();
}

void RtfDocumentBuilder::startTable() {
    // A table that begins on a fresh empty paragraph takes that paragraph's place, so the
    // paragraph mark before the table does not turn into an empty line.
    if (canMergeIntoPreviousBlock())
        cursor_.deletePreviousChar();
    const int columns = std::clamp(static_cast<int>(rowEdges_.size()), 1, kMaxColumns);
    table_ = cursor_.insertTable(1, columns, tableFormat(rowEdges_, columns));
    cellCount_ += columns;
    row_ = 0;
    column_ = 0;
    pendingColumn_ = 0;
    rowOpen_ = true;
    cursor_ = table_->cellAt(0, 0).firstCursorPosition();
}

void RtfDocumentBuilder::startRow() {
    table_->appendRows(1);
    cellCount_ += table_->columns();
    row_ = table_->rows() - 1;
    pendingColumn_ = 0;
    rowOpen_ = true;
    growToColumns(static_cast<int>(rowEdges_.size()));
    column_ = -1;  // the cursor is still in the previous row
}

void RtfDocumentBuilder::growToColumns(int wanted) {
    const int rows = table_->rows();
    const int columns = table_->columns();
    const int limit = std::min({kMaxColumns, kMaxCellsPerTable / rows,
                                columns + (kMaxCellsPerDocument - cellCount_) / rows});
    const int added = std::min(wanted, limit) - columns;
    if (added <= 0)
        return;
    table_->appendColumns(added);
    cellCount_ += added * rows;
}

void RtfDocumentBuilder::moveToPendingCell() {
    if (pendingColumn_ >= table_->columns()) {
        growToColumns(pendingColumn_ + 1);
        // Cells beyond what the table can take keep filling its last cell.
        pendingColumn_ = std::min(pendingColumn_, table_->columns() - 1);
    }
    if (pendingColumn_ == column_)
        return;
    cursor_ = table_->cellAt(row_, pendingColumn_).lastCursorPosition();
    column_ = pendingColumn_;
}

void RtfDocumentBuilder::leaveTable() {
    cursor_.setPosition(table_->lastPosition() + 1);
    table_ = nullptr;
    rowOpen_ = false;
    pendingColumn_ = 0;
    column_ = 0;
}

void RtfDocumentBuilder::finish(const QTextBlockFormat& lastParagraph) {
    if (lastWasParagraphEnd_) {
        if (!table_ && canMergeIntoPreviousBlock())
            cursor_.deletePreviousChar();
    } else if (blockHasContent_) {
        cursor_.setBlockFormat(lastParagraph);
    }
}
