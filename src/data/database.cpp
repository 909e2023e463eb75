#include "database.h"

#include "db_error.h"
#include "jet_functions.h"
#include "sqlite_api.h"
#include "statement.h"

#include <QFileInfo>

Database::~Database() {
    close();
}

void Database::open(const QString& path, const QByteArray& key, OpenMode mode) {
    close();
    if (mode == OpenMode::ExistingOnly) {
        // SQLite would take an empty file for a new database and write to it.
        const QFileInfo info(path);
        if (!info.isFile())
            throw DbError(QStringLiteral("database file not found: %1").arg(path));
        if (info.size() == 0)
            throw DbError(QStringLiteral("file is not a database: %1").arg(path));
    }

    int flags = SQLITE_OPEN_READWRITE;
    if (mode == OpenMode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr);
    db_ = handle;
    path_ = path;
    try {
        check(rc, QStringLiteral("open"));
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, 5000);
        if (!key.isEmpty()) {
            check(sqlite3_key(db_, key.constData(), key.size()), QStringLiteral("key"));
            // The cipher settings are pinned so that files written by assetgen, by older
            // and by newer SQLCipher builds all open alike. SQLCipher 4 (on SQLite 3.26
            // and later) needs its compatibility switch before anything else.
            if (sqlite3_libversion_number() >= 3026000)
                executeScript(QStringLiteral("PRAGMA cipher_compatibility = 3;"));
            executeScript(
                QStringLiteral("PRAGMA cipher_page_size = 1024; PRAGMA kdf_iter = 64000;"));
        }
        // Reading the schema is the first access: a wrong key or a file that is not a
        // database fails here.
        scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        scalar(QStringLiteral("PRAGMA journal_mode = WAL"));
        executeScript(QStringLiteral("PRAGMA synchronous = FULL;"));
        registerJetFunctions(db_);
    } catch (...) {
        close();
        throw;
    }
}

void Database::close() noexcept {
    if (db_ != nullptr) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    rollbackHandlers_.clear();
}

void Database::check(int rc, const QString& context) const {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        raise(context);
}

void Database::raise(const QString& context) const {
    const QString message = db_ != nullptr ? QString::fromUtf8(sqlite3_errmsg(db_))
                                           : QStringLiteral("database not open");
    throw DbError(context.isEmpty() ? message : message + QStringLiteral(" (") + context + ')');
}

int Database::execute(const QString& sql, const Params& params) {
    Statement st(*this, sql);
    st.bindAll(params);
    return st.execute();
}

void Database::executeScript(const QString& sql) {
    if (db_ == nullptr)
        throw DbError(QStringLiteral("database not open"));
    char* err = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString message = err != nullptr ? QString::fromUtf8(err) : QString();
        sqlite3_free(err);
        throw DbError(message);
    }
}

QVariant Database::scalar(const QString& sql, const Params& params) {
    Statement st(*this, sql);
    st.bindAll(params);
    if (!st.step())
        return {};
    return st.column(0);
}

qint64 Database::lastInsertRowid() const {
    return db_ != nullptr ? sqlite3_last_insert_rowid(db_) : 0;
}

bool Database::tableExists(const QString& name) {
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND "
                                 "name=? COLLATE NOCASE"),
                  {name})
               .toLongLong() > 0;
}

QStringList Database::userTables() {
    QStringList names;
    Statement st(*this, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND "
                                       "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    while (st.step())
        names << st.column(0).toString();
    return names;
}

void Database::beginSavepoint() {
    executeScript(QStringLiteral("SAVEPOINT lv_sp_%1").arg(rollbackHandlers_.size()));
    rollbackHandlers_.emplace_back();
}

void Database::releaseSavepoint() {
    if (rollbackHandlers_.empty())
        return;
    const auto level = rollbackHandlers_.size() - 1;
    executeScript(QStringLiteral("RELEASE lv_sp_%1").arg(level));
    auto handlers = std::move(rollbackHandlers_.back());
    rollbackHandlers_.pop_back();
    // A released savepoint still belongs to its parent: if the parent rolls back, what
    // this level wrote is undone too.
    if (!rollbackHandlers_.empty()) {
        auto& parent = rollbackHandlers_.back();
        for (auto& h : handlers)
            parent.push_back(std::move(h));
    }
}

void Database::rollbackSavepoint() {
    if (rollbackHandlers_.empty())
        return;
    const auto level = rollbackHandlers_.size() - 1;
    auto handlers = std::move(rollbackHandlers_.back());
    rollbackHandlers_.pop_back();
    executeScript(QStringLiteral("ROLLBACK TO lv_sp_%1; RELEASE lv_sp_%1").arg(level));
    for (auto& h : handlers)
        h();
}

void Database::onRollback(std::function<void()> handler) {
    if (!rollbackHandlers_.empty())
        rollbackHandlers_.back().push_back(std::move(handler));
}

Transaction::Transaction(Database& db) : db_(db) {
    db_.beginSavepoint();
}

Transaction::~Transaction() {
    if (open_) {
        try {
            rollback();
        } catch (...) {
            // A destructor must not throw; the connection reports the failure on its next use.
        }
    }
}

void Transaction::commit() {
    if (!open_)
        return;
    open_ = false;
    db_.releaseSavepoint();
}

void Transaction::rollback() {
    if (!open_)
        return;
    open_ = false;
    db_.rollbackSavepoint();
}
