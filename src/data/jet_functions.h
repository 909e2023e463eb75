#pragma once

#include <QVariant>
#include <optional>

struct sqlite3;

// Jet's CInt: a number rounded half to even, text that reads as a number likewise, and
// nothing (NULL) for anything else.
std::optional<qint64> jetCInt(const QVariant& value);

// Registers the Jet functions the program's statements use (CInt) on a connection.
void registerJetFunctions(sqlite3* db);
