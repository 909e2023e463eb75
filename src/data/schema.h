#pragma once

#include <QByteArray>
#include <QStringList>

class Database;

// The bank's password, used as its SQLCipher key.
QByteArray bankKey();

// The tables every question bank holds (the paper tables tab_examN come and go).
QStringList fixedTableNames();

// Creates the tables and indexes of an empty question bank, with the one tab_plan row
// left to the caller. Runs in one transaction.
void createBankSchema(Database& db);

// True when every fixed table exists.
bool hasFixedTables(Database& db);
