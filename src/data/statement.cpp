#include "statement.h"

#include "db_error.h"
#include "sqlite_api.h"

Statement::Statement(Database& db, const QString& sql) : db_(db) {
    if (!db.isOpen())
        throw DbError(QStringLiteral("database not open"));
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db.handle(), text.constData(), static_cast<int>(text.size()),
                                      &stmt_, nullptr);
    if (rc != SQLITE_OK)
        db.raise(sql);
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (value.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
                rc = sqlite3_bind_int64(stmt_, index, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt_, index, value.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = value.toByteArray();
                rc = sqlite3_bind_blob64(stmt_, index, bytes.constData(),
                                         static_cast<sqlite3_uint64>(bytes.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray text = value.toString().toUtf8();
                rc = sqlite3_bind_text64(stmt_, index, text.constData(),
                                         static_cast<sqlite3_uint64>(text.size()), SQLITE_TRANSIENT,
                                         SQLITE_UTF8);
                break;
            }
        }
    }
    if (rc != SQLITE_OK)
        db_.raise(QStringLiteral("bind %1").arg(index));
}

void Statement::bindAll(const Params& params) {
    for (int i = 0; i < params.size(); ++i)
        bind(i + 1, params.at(i));
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    db_.raise(QString::fromUtf8(sqlite3_sql(stmt_)));
}

int Statement::execute() {
    while (step()) {
    }
    return sqlite3_changes(db_.handle());
}

void Statement::reset() {
    sqlite3_reset(stmt_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int i) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}

QString Statement::declaredType(int i) const {
    return QString::fromUtf8(sqlite3_column_decltype(stmt_, i));
}

QStringList Statement::columnNames() const {
    QStringList names;
    for (int i = 0; i < columnCount(); ++i)
        names << columnName(i);
    return names;
}

QVariant Statement::column(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_INTEGER:
            return QVariant(static_cast<qint64>(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, i));
        case SQLITE_TEXT:
            return QVariant(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                                  sqlite3_column_bytes(stmt_, i)));
        case SQLITE_BLOB: {
            const void* data = sqlite3_column_blob(stmt_, i);
            return QVariant(
                QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt_, i)));
        }
        default:
            return QVariant();
    }
}
