#pragma once

#include <QString>

// The one way a text value goes into assembled SQL: in single quotes, with every single
// quote inside doubled.
QString quoted(const QString& text);

// A table or column name in SQL, in double quotes.
QString quotedIdentifier(const QString& name);
