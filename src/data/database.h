#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <vector>

struct sqlite3;

// Values bound to the ? or :name parameters of a statement, in order of appearance.
using Params = QVariantList;

// One connection to an SQLCipher database. Every failure raises DbError with SQLite's
// message. Transactions nest through savepoints (see Transaction).
class Database {
  public:
    enum class OpenMode { ExistingOnly, CreateIfMissing };

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens `path` with `key` (empty key: a plain SQLite file), pins the cipher settings,
    // checks that the key reads the file, registers the program's SQL functions and sets
    // WAL with synchronous FULL.
    void open(const QString& path, const QByteArray& key, OpenMode mode);
    void close() noexcept;
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }
    sqlite3* handle() const { return db_; }

    // Runs one statement (no rows expected); returns the number of rows changed.
    int execute(const QString& sql, const Params& params = {});
    // Runs a script of several statements without parameters.
    void executeScript(const QString& sql);
    // First column of the first row, or a null QVariant when there is no row.
    QVariant scalar(const QString& sql, const Params& params = {});

    qint64 lastInsertRowid() const;
    bool tableExists(const QString& name);
    QStringList userTables();

    // Savepoint nesting, used by Transaction.
    void beginSavepoint();
    void releaseSavepoint();
    void rollbackSavepoint();
    int transactionDepth() const { return static_cast<int>(rollbackHandlers_.size()); }

    // Runs `handler` if the innermost open transaction (or an enclosing one it is released
    // into) is rolled back; datasets use it to re-read rows so memory equals the table.
    // Outside a transaction it does nothing.
    void onRollback(std::function<void()> handler);

    [[noreturn]] void raise(const QString& context) const;

  private:
    void check(int rc, const QString& context) const;
    void registerFunctions();

    sqlite3* db_ = nullptr;
    QString path_;
    std::vector<std::vector<std::function<void()>>> rollbackHandlers_;
};

// Scope of a transaction: rolled back unless commit() is called. Inside another
// Transaction it becomes a nested savepoint of it.
class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
    void rollback();

  private:
    Database& db_;
    bool open_ = true;
};
