#pragma once

// One place that includes SQLCipher's SQLite header with its codec API enabled.
// The program never links plain libsqlite3.
#ifndef SQLITE_HAS_CODEC
#define SQLITE_HAS_CODEC 1
#endif
#include <sqlcipher/sqlite3.h>
