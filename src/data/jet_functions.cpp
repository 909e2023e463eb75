#include "jet_functions.h"

#include "sqlite_api.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace {

std::optional<qint64> roundHalfEven(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless
    // someone changed it; set it explicitly so the result never depends on that.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(v);
    std::fesetround(saved);
    if (r < static_cast<double>(std::numeric_limits<qint64>::min()) ||
        r >= static_cast<double>(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    return static_cast<qint64>(r);
}

void sqlCInt(sqlite3_context* ctx, int, sqlite3_value** argv) {
    QVariant v;
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_INTEGER:
            sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
            return;
        case SQLITE_FLOAT:
            v = sqlite3_value_double(argv[0]);
            break;
        case SQLITE_TEXT:
            v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                                  sqlite3_value_bytes(argv[0]));
            break;
        default:
            sqlite3_result_null(ctx);
            return;
    }
    if (const auto r = jetCInt(v))
        sqlite3_result_int64(ctx, *r);
    else
        sqlite3_result_null(ctx);
}

}  // namespace

std::optional<qint64> jetCInt(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    switch (value.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::ULongLong:
        case QMetaType::UInt:
            return value.toLongLong();
        case QMetaType::Double:
            return roundHalfEven(value.toDouble());
        default: {
            bool ok = false;
            const double d = value.toString().trimmed().toDouble(&ok);
            if (!ok)
                return std::nullopt;
            return roundHalfEven(d);
        }
    }
}

void registerJetFunctions(sqlite3* db) {
    // SQLite matches function names without regard to case, so cint and CINT work too.
    sqlite3_create_function(db, "CInt", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &sqlCInt,
                            nullptr, nullptr);
}
