#include "value_compare.h"

namespace {

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Bool:
        case QMetaType::Short:
        case QMetaType::UShort:
            return true;
        default:
            return false;
    }
}

std::optional<double> asNumber(const QVariant& v) {
    if (isNumber(v))
        return v.toDouble();
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

template <typename T>
int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

bool isNullValue(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

std::optional<int> compareValues(const QVariant& a, const QVariant& b) {
    if (isNullValue(a) || isNullValue(b))
        return std::nullopt;
    if (isNumber(a) || isNumber(b)) {
        const auto x = asNumber(a);
        const auto y = asNumber(b);
        if (!x || !y)
            return std::nullopt;
        if (isNumber(a) && isNumber(b) && a.typeId() != QMetaType::Double &&
            b.typeId() != QMetaType::Double)
            return threeWay(a.toLongLong(), b.toLongLong());
        return threeWay(*x, *y);
    }
    if (a.typeId() == QMetaType::QByteArray || b.typeId() == QMetaType::QByteArray)
        return threeWay(a.toByteArray(), b.toByteArray());
    const int c = QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int sortCompare(const QVariant& a, const QVariant& b) {
    const bool an = isNullValue(a);
    const bool bn = isNullValue(b);
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if (const auto c = compareValues(a, b))
        return *c;
    // A number against a text that is not a number: numbers first.
    return isNumber(a) ? -1 : 1;
}
