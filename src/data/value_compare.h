#pragma once

#include <QVariant>
#include <optional>

// Comparison of stored values the way Jet compared them in filters, sorts and locates:
// numbers by value, texts without regard to letter case, a text against a number by the
// number the text reads as. NULL compares with nothing (std::nullopt).
std::optional<int> compareValues(const QVariant& a, const QVariant& b);

// Ordering for sorts: NULL first, then as compareValues, then by text.
int sortCompare(const QVariant& a, const QVariant& b);

bool isNullValue(const QVariant& v);
