#pragma once

#include "bank_source.h"

#include <QDate>
#include <QString>

#include <functional>

// Turns an HTML fragment of the source into the RTF blob the bank stores.
using RichTextConverter = std::function<QByteArray(const QString& html)>;

// Compiles the source into an encrypted question bank at `path`, written to a temporary
// file first and moved into place when complete. Rows go in in key order; every counter
// (C3 of the chapters, q of the exam points and the catalogue) is computed from the
// questions. `buildDay` fixes the study plan's exam date (120 days later).
void writeBank(const BankSource& source, const QString& path, const QDate& buildDay,
               const RichTextConverter& toRtf);

// Whether a bank at `path` holds a learner's work (answers, notes, papers, a log, own
// questions): such a bank is never replaced by a rebuild.
bool bankHoldsProgress(const QString& path);
