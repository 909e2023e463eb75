#pragma once

#include "database.h"

#include <QStringList>

struct sqlite3_stmt;

// A prepared statement, finalized when it goes out of scope.
class Statement {
  public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& value);  // 1-based
    void bindAll(const Params& params);
    // Steps once; true while a row is available.
    bool step();
    // Steps to the end; returns the rows changed.
    int execute();
    void reset();

    int columnCount() const;
    QString columnName(int i) const;
    QString declaredType(int i) const;
    QVariant column(int i) const;
    QStringList columnNames() const;

  private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};
