#include "field.h"

#include "db_error.h"
#include "jet_functions.h"
#include "value_compare.h"

bool Field::isNull() const {
    return isNullValue(value_);
}

qint64 Field::asInteger() const {
    if (isNull())
        return 0;
    if (value_.typeId() == QMetaType::LongLong || value_.typeId() == QMetaType::Int)
        return value_.toLongLong();
    const QString text = value_.toString().trimmed();
    if (text.isEmpty() && value_.typeId() != QMetaType::Double)
        return 0;
    bool ok = false;
    const qint64 whole = text.toLongLong(&ok);
    if (ok)
        return whole;
    if (const auto rounded = jetCInt(value_))
        return *rounded;
    throw DbError(QStringLiteral("'%1' is not a valid integer value").arg(value_.toString()));
}

double Field::asFloat() const {
    if (isNull())
        return 0.0;
    if (value_.typeId() == QMetaType::Double || value_.typeId() == QMetaType::LongLong)
        return value_.toDouble();
    const QString text = value_.toString().trimmed();
    if (text.isEmpty())
        return 0.0;
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (!ok)
        throw DbError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return d;
}

QString Field::asString() const {
    if (isNull())
        return {};
    switch (value_.typeId()) {
        case QMetaType::Double:
            return QString::number(value_.toDouble(), 'g', 15);
        case QMetaType::QByteArray:
            return QString::fromUtf8(value_.toByteArray());
        default:
            return value_.toString();
    }
}

QByteArray Field::asBytes() const {
    if (isNull())
        return {};
    if (value_.typeId() == QMetaType::QByteArray)
        return value_.toByteArray();
    return asString().toUtf8();
}
