#pragma once

#include <QList>
#include <QSizeF>
#include <QTextCursor>

class QImage;
class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class QTextTable;

// Puts what the RTF reader finds into a QTextDocument: text runs, pictures, paragraph
// breaks and table cells. Tables follow RTF's flat layout: paragraphs marked as in a table
// fill cells left to right, \cell moves to the next cell, \row closes the row, and the
// first paragraph that is not in a table ends the table.
class RtfDocumentBuilder {
  public:
    explicit RtfDocumentBuilder(QTextDocument* document);
    ~RtfDocumentBuilder();
    RtfDocumentBuilder(const RtfDocumentBuilder&) = delete;
    RtfDocumentBuilder& operator=(const RtfDocumentBuilder&) = delete;

    void insertText(const QString& text, const QTextCharFormat& format, bool inTable);
    // `size` in pixels; an empty size shows the image at its own size.
    void insertImage(const QImage& image, QSizeF size, const QTextCharFormat& format, bool inTable);
    void endParagraph(const QTextBlockFormat& format, bool inTable);
    void endCell(const QTextBlockFormat& format);
    void endRow();

    // The cell right edges of the row being defined (\trowd \cellxN), in twips.
    void clearRowEdges() { rowEdges_.clear(); }
    void addRowEdge(int twips);

    // Gives the last paragraph its format and drops the empty paragraph that a final \par
    // leaves behind (rich-edit controls end every document with one).
    void finish(const QTextBlockFormat& lastParagraph);

    // Counts text runs and pictures inserted so far.
    int contentCount() const { return contentCount_; }

  private:
    void enterContent(bool inTable);
    void startTable();
    void startRow();
    void leaveTable();
    void moveToPendingCell();
    void growToColumns(int wanted);
    bool canMergeIntoPreviousBlock() const;

    QTextDocument* document_;
    QTextCursor cursor_;
    QTextTable* table_ = nullptr;
    QList<int> rowEdges_;
    int row_ = 0;
    int column_ = 0;         // the cell the cursor is in
    int pendingColumn_ = 0;  // the cell the next content goes to
    bool rowOpen_ = false;
    bool lastWasParagraphEnd_ = false;
    bool blockHasContent_ = false;  // text or a picture since the last paragraph or cell end
    int contentCount_ = 0;
    int cellCount_ = 0;  // cells created in all tables so far
    int imageCount_ = 0;
};
