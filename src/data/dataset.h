#pragma once

#include "database.h"
#include "field.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

class FilterExpr;

// A result held in memory with a current row, as the windows use tables and queries:
// open a SELECT or a whole table, count, move to record n (1-based), read fields, filter by
// a text, sort, locate, and edit/post/append/remove rows, which are written back to the
// table the dataset is declared on, by its key (rowid for a table).
//
// The whole result is read when the dataset opens, so no statement stays open on the
// connection. A filtered view is fixed when the filter (or sort) is set: posting a row
// that no longer matches keeps the record numbers stable. After a transaction that
// touched the dataset's rows is rolled back, those rows are read again from the table.
class Dataset : public QObject {
    Q_OBJECT
  public:
    using Row = QVector<QVariant>;
    enum class State { Inactive, Browse, Edit, Insert };

    Dataset(const QString& name, Database* db, QObject* parent = nullptr);
    ~Dataset() override;

    void setDatabase(Database* db) { db_ = db; }
    Database* database() const { return db_; }

    // A table dataset reads the whole table (ordered by its index fields, if any) and
    // writes back by rowid.
    void setTableName(const QString& table);
    QString tableName() const { return table_; }
    void setIndexFieldNames(const QString& columns) { indexFields_ = columns; }

    // A query dataset reads its statement; posts go to the update table by its key column.
    void setSql(const QString& sql, const Params& params = {});
    QString sql() const { return sql_; }
    void setUpdateTable(const QString& table, const QString& keyColumn);

    void open();
    void open(const QString& sql, const Params& params = {});
    void openIfClosed();
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    // Reads the result again and returns to the row with the same key when it is still there.
    void requery();
    // Runs a statement that returns no rows on the dataset's connection.
    int execSql(const QString& sql, const Params& params = {});

    int recordCount() const { return static_cast<int>(view_.size()); }
    bool isEmpty() const { return view_.empty(); }
    int recNo() const { return cur_ + 1; }
    bool moveTo(int recNo);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }

    QStringList fieldNames() const;
    bool hasField(const QString& name) const { return columnIndex(name) >= 0; }
    Field field(const QString& name) const;
    QVariant value(const QString& name) const { return field(name).value(); }
    // A value of record `recNo` (1-based, in the view) without moving there.
    QVariant valueAt(int recNo, const QString& name) const;

    void setFilter(const QString& text);
    QString filter() const { return filterText_; }
    // "A3_1 DESC", "A1 ASC, bh": a stable sort of the rows; the view is rebuilt.
    void setSort(const QString& order);
    QString sort() const { return sortOrder_; }
    // Moves to the first row of the view whose column equals value; false leaves the
    // current row where it was.
    bool locate(const QString& column, const QVariant& value, bool caseInsensitive = true);

    State state() const { return state_; }
    void edit();
    // Puts the current row in edit mode if it is not.
    void setField(const QString& name, const QVariant& value);
    void post();
    void cancel();
    void append();
    void remove();

    // Reads rows whose `column` equals one of `values` again from the table (after
    // statements changed them behind the dataset's back).
    void refreshRowsWhere(const QString& column, const QStringList& values);
    void refreshAll();
    void refreshCurrent();

    QString name() const { return objectName(); }

  signals:
    // The current row changed: another row, or the same row with new values.
    void currentRowChanged();
    // The rows in view changed: opened, closed, filtered, sorted, a row added or removed.
    void contentChanged();

  private:
    int columnIndex(const QString& name) const;
    int requireColumn(const QString& name) const;
    const Row& currentRow() const;
    int currentIndex() const;  // index into rows_, -1 when none
    void requireOpen() const;
    void requireRow() const;
    void checkBrowse();
    void rebuildView();
    void applyOrder();
    void setCurrent(int viewPos);
    void fetch(const QString& sql, const Params& params);
    QVariant keyValue(const Row& row) const;
    int keyColumn() const;
    QString writeTable() const;
    QString rowSelectSql(bool oneRow) const;
    bool rereadRow(int rowIndex);
    void removeRowIndex(int rowIndex);
    void watchRollback(const QVariant& key, std::shared_ptr<Row> removedCopy);
    int findRowByKey(const QVariant& key) const;

    Database* db_;
    QString table_;
    QString indexFields_;
    QString sql_;
    Params params_;
    QString updateTable_;
    QString updateKey_;
    bool rereadable_ = false;

    QStringList columns_;
    QHash<QString, int> columnLookup_;
    bool hiddenRowid_ = false;

    std::vector<Row> rows_;
    std::vector<int> order_;
    std::vector<int> view_;
    int cur_ = -1;
    bool eof_ = true;
    bool bof_ = true;

    QString filterText_;
    std::unique_ptr<FilterExpr> filter_;
    QString sortOrder_;

    State state_ = State::Inactive;
    Row buffer_;
    quint64 generation_ = 0;
};
