#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

// A compiled filter text as the program's windows write them: comparisons
// (= <> < > <= >=) of a column with a number or a quoted text, `like 'x*'` with the
// wildcards * and ? (also % and _), `is null` / `is not null`, joined with and, or, not
// and parentheses. A comparison with NULL is false. Column names are resolved once, when
// the text is compiled; an unknown column or a malformed text raises DbError.
class FilterExpr {
  public:
    using Row = QVector<QVariant>;
    using ColumnLookup = std::function<int(const QString&)>;  // -1 when unknown

    static std::unique_ptr<FilterExpr> compile(const QString& text, const ColumnLookup& lookup);
    virtual ~FilterExpr() = default;
    virtual bool matches(const Row& row) const = 0;
};

// Jet LIKE: * or % any run, ? or _ one character, case-insensitive.
bool jetLike(const QString& value, const QString& pattern);
