#pragma once

#include <QByteArray>
#include <QString>

// The source's HTML fragments as the RTF documents the bank stores.
QByteArray htmlToRtf(const QString& html);
