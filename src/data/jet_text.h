#pragma once

#include <QString>

// Trim as the program has always done it: characters up to U+0020 removed at both ends.
// (QString::trimmed would also remove U+3000 and keep other control characters.)
QString jetTrim(const QString& s);
