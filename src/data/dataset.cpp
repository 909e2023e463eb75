#include "dataset.h"

#include "db_error.h"
#include "filter_expr.h"
#include "sql_text.h"
#include "statement.h"
#include "value_compare.h"

#include <QPointer>

#include <algorithm>

namespace {

const QString kRowidColumn = QStringLiteral("__rowid");

bool sameValue(const QVariant& a, const QVariant& b) {
    const bool an = isNullValue(a);
    const bool bn = isNullValue(b);
    if (an || bn)
        return an == bn;
    if (a.typeId() != b.typeId())
        return a.toString() == b.toString() && a.typeId() != QMetaType::QByteArray &&
               b.typeId() != QMetaType::QByteArray;
    return a == b;
}

}  // namespace

Dataset::Dataset(const QString& name, Database* db, QObject* parent) : QObject(parent), db_(db) {
    setObjectName(name);
}

Dataset::~Dataset() = default;

void Dataset::setTableName(const QString& table) {
    if (isOpen())
        close();
    table_ = table;
    sql_.clear();
}

void Dataset::setSql(const QString& sql, const Params& params) {
    if (isOpen())
        close();
    sql_ = sql;
    params_ = params;
    table_.clear();
}

void Dataset::setUpdateTable(const QString& table, const QString& keyColumn) {
    updateTable_ = table;
    updateKey_ = keyColumn;
}

void Dataset::open(const QString& sql, const Params& params) {
    setSql(sql, params);
    open();
}

void Dataset::openIfClosed() {
    if (!isOpen())
        open();
}

void Dataset::open() {
    if (db_ == nullptr)
        throw DbError(QStringLiteral("%1: no connection").arg(objectName()));
    if (isOpen())
        close();
    if (!table_.isEmpty()) {
        QString sql = QStringLiteral("SELECT rowid AS %1, * FROM %2")
                          .arg(kRowidColumn, quotedIdentifier(table_));
        if (!indexFields_.isEmpty())
            sql += QStringLiteral(" ORDER BY ") + indexFields_;
        fetch(sql, {});
        hiddenRowid_ = true;
    } else {
        if (sql_.trimmed().isEmpty())
            throw DbError(QStringLiteral("%1: no SQL to open").arg(objectName()));
        fetch(sql_, params_);
        hiddenRowid_ = false;
        rereadable_ = false;
        if (!updateTable_.isEmpty() && columnIndex(updateKey_) >= 0) {
            QStringList tableColumns;
            Statement info(
                *db_, QStringLiteral("PRAGMA table_info(%1)").arg(quotedIdentifier(updateTable_)));
            while (info.step())
                tableColumns << info.column(1).toString().toLower();
            rereadable_ = std::all_of(columns_.cbegin(), columns_.cend(), [&](const QString& c) {
                return tableColumns.contains(c.toLower());
            });
        }
    }
    ++generation_;
    state_ = State::Browse;
    filter_.reset();
    if (!filterText_.trimmed().isEmpty())
        filter_ =
            FilterExpr::compile(filterText_, [this](const QString& n) { return columnIndex(n); });
    applyOrder();
    rebuildView();
    emit contentChanged();
    setCurrent(view_.empty() ? -1 : 0);
}

void Dataset::fetch(const QString& sql, const Params& params) {
    Statement st(*db_, sql);
    st.bindAll(params);
    rows_.clear();
    columns_ = st.columnNames();
    columnLookup_.clear();
    for (int i = columns_.size() - 1; i >= 0; --i)
        columnLookup_.insert(columns_.at(i).toLower(), i);
    const int n = columns_.size();
    while (st.step()) {
        Row row(n);
        for (int i = 0; i < n; ++i)
            row[i] = st.column(i);
        rows_.push_back(std::move(row));
    }
}

void Dataset::close() {
    state_ = State::Inactive;
    rows_.clear();
    order_.clear();
    view_.clear();
    buffer_.clear();
    cur_ = -1;
    eof_ = bof_ = true;
    ++generation_;
    emit contentChanged();
}

void Dataset::requery() {
    if (db_ != nullptr && db_->transactionDepth() > 0) {
        // What is read now may be undone: read again if it is.
        QPointer<Dataset> self(this);
        db_->onRollback([self]() {
            if (self && self->isOpen())
                self->requery();
        });
    }
    const int idx = currentIndex();
    const QVariant key = idx >= 0 ? keyValue(rows_[idx]) : QVariant();
    const int oldRecNo = recNo();
    open();
    if (!isNullValue(key)) {
        const int found = findRowByKey(key);
        const auto pos = std::find(view_.begin(), view_.end(), found);
        if (found >= 0 && pos != view_.end()) {
            setCurrent(static_cast<int>(pos - view_.begin()));
            return;
        }
    }
    if (oldRecNo > 0 && oldRecNo <= recordCount())
        setCurrent(oldRecNo - 1);
}

int Dataset::execSql(const QString& sql, const Params& params) {
    if (db_ == nullptr)
        throw DbError(QStringLiteral("%1: no connection").arg(objectName()));
    return db_->execute(sql, params);
}

int Dataset::columnIndex(const QString& name) const {
    const int i = columnLookup_.value(name.toLower(), -1);
    if (i == 0 && hiddenRowid_)
        return -1;
    return i;
}

int Dataset::requireColumn(const QString& name) const {
    const int i = columnIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("%1: field '%2' not found").arg(objectName(), name));
    return i;
}

QStringList Dataset::fieldNames() const {
    return hiddenRowid_ ? columns_.mid(1) : columns_;
}

int Dataset::currentIndex() const {
    return cur_ >= 0 && cur_ < static_cast<int>(view_.size()) ? view_[cur_] : -1;
}

void Dataset::requireOpen() const {
    if (!isOpen())
        throw DbError(QStringLiteral("%1: dataset is closed").arg(objectName()));
}

void Dataset::requireRow() const {
    requireOpen();
    if (currentIndex() < 0 && state_ != State::Insert)
        throw DbError(QStringLiteral("%1: no current record").arg(objectName()));
}

const Dataset::Row& Dataset::currentRow() const {
    requireRow();
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_;
    return rows_[currentIndex()];
}

QVariant Dataset::valueAt(int recNo, const QString& name) const {
    requireOpen();
    const int i = requireColumn(name);
    if (recNo < 1 || recNo > recordCount())
        return {};
    if (recNo == this->recNo() && (state_ == State::Edit || state_ == State::Insert))
        return buffer_.at(i);
    return rows_[view_[recNo - 1]].at(i);
}

Field Dataset::field(const QString& name) const {
    const int i = requireColumn(name);
    return Field(currentRow().at(i));
}

void Dataset::checkBrowse() {
    if (state_ == State::Edit || state_ == State::Insert)
        post();
}

void Dataset::setCurrent(int viewPos) {
    const int old = cur_;
    cur_ = view_.empty() ? -1 : std::clamp(viewPos, 0, static_cast<int>(view_.size()) - 1);
    eof_ = bof_ = view_.empty();
    if (cur_ != old || view_.empty())
        emit currentRowChanged();
}

bool Dataset::moveTo(int recNo) {
    requireOpen();
    checkBrowse();
    if (recNo < 1 || recNo > recordCount())
        return false;
    setCurrent(recNo - 1);
    return true;
}

void Dataset::first() {
    requireOpen();
    checkBrowse();
    setCurrent(0);
}

void Dataset::last() {
    requireOpen();
    checkBrowse();
    setCurrent(recordCount() - 1);
}

void Dataset::next() {
    requireOpen();
    checkBrowse();
    if (cur_ + 1 >= recordCount()) {
        eof_ = true;
        return;
    }
    setCurrent(cur_ + 1);
}

void Dataset::prior() {
    requireOpen();
    checkBrowse();
    if (cur_ <= 0) {
        bof_ = true;
        return;
    }
    setCurrent(cur_ - 1);
}

void Dataset::applyOrder() {
    order_.resize(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        order_[i] = static_cast<int>(i);
    if (sortOrder_.trimmed().isEmpty())
        return;
    struct Key {
        int column;
        bool descending;
    };
    std::vector<Key> keys;
    for (const QString& part : sortOrder_.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(QLatin1Char(' '));
        const int column = requireColumn(words.value(0));
        const bool desc = words.size() > 1 &&
                          words.at(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        keys.push_back({column, desc});
    }
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        for (const Key& k : keys) {
            const int c = sortCompare(rows_[a].at(k.column), rows_[b].at(k.column));
            if (c != 0)
                return k.descending ? c > 0 : c < 0;
        }
        return false;
    });
}

void Dataset::rebuildView() {
    view_.clear();
    view_.reserve(order_.size());
    for (int i : order_) {
        if (!filter_ || filter_->matches(rows_[i]))
            view_.push_back(i);
    }
}

void Dataset::setFilter(const QString& text) {
    if (isOpen())
        checkBrowse();
    std::unique_ptr<FilterExpr> compiled;
    if (isOpen() && !text.trimmed().isEmpty())
        compiled = FilterExpr::compile(text, [this](const QString& n) { return columnIndex(n); });
    filterText_ = text;
    filter_ = std::move(compiled);
    if (!isOpen())
        return;
    rebuildView();
    emit contentChanged();
    cur_ = -1;
    setCurrent(0);
}

void Dataset::setSort(const QString& order) {
    sortOrder_ = order;
    if (!isOpen())
        return;
    checkBrowse();
    const int idx = currentIndex();
    applyOrder();
    rebuildView();
    const auto pos = std::find(view_.begin(), view_.end(), idx);
    emit contentChanged();
    cur_ = -1;
    setCurrent(pos != view_.end() ? static_cast<int>(pos - view_.begin()) : 0);
}

bool Dataset::locate(const QString& column, const QVariant& value, bool caseInsensitive) {
    requireOpen();
    checkBrowse();
    const int c = requireColumn(column);
    for (size_t pos = 0; pos < view_.size(); ++pos) {
        const QVariant& v = rows_[view_[pos]].at(c);
        bool equal = false;
        if (!caseInsensitive && v.typeId() == QMetaType::QString &&
            value.typeId() == QMetaType::QString)
            equal = v.toString() == value.toString();
        else
            equal = compareValues(v, value) == 0;
        if (equal) {
            setCurrent(static_cast<int>(pos));
            return true;
        }
    }
    return false;
}

int Dataset::keyColumn() const {
    if (hiddenRowid_)
        return 0;
    if (updateTable_.isEmpty())
        return -1;
    return columnIndex(updateKey_);
}

QString Dataset::writeTable() const {
    return hiddenRowid_ ? table_ : updateTable_;
}

QVariant Dataset::keyValue(const Row& row) const {
    const int k = keyColumn();
    return k >= 0 ? row.at(k) : QVariant();
}

int Dataset::findRowByKey(const QVariant& key) const {
    const int k = keyColumn();
    if (k < 0)
        return -1;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (compareValues(rows_[i].at(k), key) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void Dataset::edit() {
    requireRow();
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (keyColumn() < 0)
        throw DbError(QStringLiteral("%1: the dataset cannot be modified").arg(objectName()));
    buffer_ = rows_[currentIndex()];
    state_ = State::Edit;
}

void Dataset::setField(const QString& name, const QVariant& value) {
    requireRow();
    const int i = requireColumn(name);
    if (state_ == State::Browse)
        edit();
    buffer_[i] = value;
}

void Dataset::cancel() {
    if (state_ == State::Edit || state_ == State::Insert) {
        state_ = State::Browse;
        buffer_.clear();
        emit currentRowChanged();
    }
}

void Dataset::append() {
    requireOpen();
    checkBrowse();
    if (keyColumn() < 0)
        throw DbError(QStringLiteral("%1: the dataset cannot be modified").arg(objectName()));
    buffer_ = Row(columns_.size());
    state_ = State::Insert;
}

void Dataset::post() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    const QString table = quotedIdentifier(writeTable());
    const int k = keyColumn();
    QStringList names;
    Params values;
    if (state_ == State::Edit) {
        const int idx = currentIndex();
        const Row& original = rows_[idx];
        for (int i = 0; i < columns_.size(); ++i) {
            if (i == k && hiddenRowid_)
                continue;
            if (!sameValue(original.at(i), buffer_.at(i))) {
                names << quotedIdentifier(columns_.at(i)) + QStringLiteral("=?");
                values << buffer_.at(i);
            }
        }
        if (!names.isEmpty()) {
            const QVariant key = original.at(k);
            const QString where =
                hiddenRowid_ ? QStringLiteral("rowid") : quotedIdentifier(updateKey_);
            values << key;
            db_->execute(
                QStringLiteral("UPDATE %1 SET %2 WHERE %3=?").arg(table, names.join(','), where),
                values);
            rows_[idx] = buffer_;
            watchRollback(key, nullptr);
            if (!rereadRow(idx))
                rows_[idx] = buffer_;
        }
        state_ = State::Browse;
        buffer_.clear();
        emit currentRowChanged();
        return;
    }

    QStringList placeholders;
    for (int i = 0; i < columns_.size(); ++i) {
        if (i == k && hiddenRowid_)
            continue;
        if (!isNullValue(buffer_.at(i))) {
            names << quotedIdentifier(columns_.at(i));
            placeholders << QStringLiteral("?");
            values << buffer_.at(i);
        }
    }
    const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(table, names.join(','), placeholders.join(','));
    db_->execute(sql, values);
    Row row = buffer_;
    if (hiddenRowid_)
        row[0] = db_->lastInsertRowid();
    rows_.push_back(row);
    const int idx = static_cast<int>(rows_.size()) - 1;
    order_.push_back(idx);
    view_.push_back(idx);
    state_ = State::Browse;
    buffer_.clear();
    watchRollback(row.at(k), nullptr);
    rereadRow(idx);
    emit contentChanged();
    cur_ = -1;
    setCurrent(static_cast<int>(view_.size()) - 1);
}

void Dataset::remove() {
    requireRow();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    state_ = State::Browse;
    buffer_.clear();
    const int k = keyColumn();
    if (k < 0)
        throw DbError(QStringLiteral("%1: the dataset cannot be modified").arg(objectName()));
    const int idx = currentIndex();
    const QVariant key = rows_[idx].at(k);
    const QString where = hiddenRowid_ ? QStringLiteral("rowid") : quotedIdentifier(updateKey_);
    db_->execute(
        QStringLiteral("DELETE FROM %1 WHERE %2=?").arg(quotedIdentifier(writeTable()), where),
        {key});
    watchRollback(key, std::make_shared<Row>(rows_[idx]));
    const int pos = cur_;
    removeRowIndex(idx);
    emit contentChanged();
    cur_ = -1;
    setCurrent(std::min(pos, recordCount() - 1));
}

void Dataset::removeRowIndex(int rowIndex) {
    rows_.erase(rows_.begin() + rowIndex);
    auto fix = [rowIndex](std::vector<int>& v) {
        v.erase(std::remove(v.begin(), v.end(), rowIndex), v.end());
        for (int& i : v) {
            if (i > rowIndex)
                --i;
        }
    };
    fix(order_);
    fix(view_);
}

QString Dataset::rowSelectSql(bool oneRow) const {
    // The dataset's columns read again from the table it writes to, by key.
    if (hiddenRowid_) {
        return QStringLiteral("SELECT rowid AS %1, * FROM %2")
                   .arg(kRowidColumn, quotedIdentifier(table_)) +
               (oneRow ? QStringLiteral(" WHERE rowid=?") : QString());
    }
    QStringList cols;
    for (const QString& c : columns_)
        cols << quotedIdentifier(c);
    return QStringLiteral("SELECT %1 FROM %2").arg(cols.join(','), quotedIdentifier(updateTable_)) +
           (oneRow ? QStringLiteral(" WHERE %1=?").arg(quotedIdentifier(updateKey_)) : QString());
}

bool Dataset::rereadRow(int rowIndex) {
    const int k = keyColumn();
    if (k < 0 || (!hiddenRowid_ && !rereadable_))
        return true;
    const QVariant key = rows_[rowIndex].at(k);
    Statement st(*db_, rowSelectSql(true));
    st.bind(1, key);
    if (!st.step())
        return false;
    Row& row = rows_[rowIndex];
    const int n = std::min(static_cast<int>(row.size()), st.columnCount());
    for (int i = 0; i < n; ++i)
        row[i] = st.column(i);
    return true;
}

void Dataset::watchRollback(const QVariant& key, std::shared_ptr<Row> removedCopy) {
    if (db_ == nullptr || db_->transactionDepth() == 0 || isNullValue(key))
        return;
    QPointer<Dataset> self(this);
    const quint64 generation = generation_;
    const int viewPos = cur_;
    db_->onRollback([self, generation, key, removedCopy, viewPos]() {
        if (!self || self->generation_ != generation || !self->isOpen())
            return;
        Dataset& ds = *self;
        ds.cancel();
        int idx = ds.findRowByKey(key);
        if (idx < 0 && removedCopy) {
            // The row was removed inside the rolled-back transaction: put it back.
            ds.rows_.push_back(*removedCopy);
            idx = static_cast<int>(ds.rows_.size()) - 1;
            ds.order_.push_back(idx);
            const int pos = std::clamp(viewPos, 0, static_cast<int>(ds.view_.size()));
            ds.view_.insert(ds.view_.begin() + pos, idx);
        }
        if (idx >= 0 && !ds.rereadRow(idx)) {
            const int keep = ds.cur_;
            ds.removeRowIndex(idx);
            ds.cur_ = -1;
            ds.setCurrent(std::min(keep, ds.recordCount() - 1));
        }
        emit ds.contentChanged();
        emit ds.currentRowChanged();
    });
}

void Dataset::refreshRowsWhere(const QString& column, const QStringList& values) {
    if (!isOpen())
        return;
    const int c = requireColumn(column);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const QVariant& v = rows_[i].at(c);
        const bool hit = std::any_of(values.cbegin(), values.cend(),
                                     [&](const QString& s) { return compareValues(v, s) == 0; });
        if (hit) {
            watchRollback(keyValue(rows_[i]), nullptr);
            rereadRow(static_cast<int>(i));
        }
    }
    emit currentRowChanged();
}

void Dataset::refreshAll() {
    if (!isOpen())
        return;
    const int k = keyColumn();
    if (k < 0 || (!hiddenRowid_ && !rereadable_))
        return;
    // One pass over the table instead of one statement per row; rows keep their places
    // in the view.
    const QString sql = rowSelectSql(false);
    QHash<QString, int> byKey;
    for (size_t i = 0; i < rows_.size(); ++i)
        byKey.insert(rows_[i].at(k).toString().toLower(), static_cast<int>(i));
    Statement st(*db_, sql);
    while (st.step()) {
        const auto it = byKey.constFind(st.column(k).toString().toLower());
        if (it == byKey.constEnd())
            continue;
        Row& row = rows_[*it];
        const int n = std::min(static_cast<int>(row.size()), st.columnCount());
        for (int i = 0; i < n; ++i)
            row[i] = st.column(i);
    }
    if (db_->transactionDepth() > 0) {
        QPointer<Dataset> self(this);
        const quint64 generation = generation_;
        db_->onRollback([self, generation]() {
            if (self && self->generation_ == generation)
                self->refreshAll();
        });
    }
    emit currentRowChanged();
}

void Dataset::refreshCurrent() {
    const int idx = currentIndex();
    if (idx < 0)
        return;
    rereadRow(idx);
    emit currentRowChanged();
}
