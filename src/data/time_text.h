#pragma once

#include <QString>

// Seconds of a time text "h:mm:ss": the first part counts as hours, the second as
// minutes and the first two characters after the second colon as seconds. A text without
// a colon gives 0; with one colon only the hours count. A part that is not a whole number
// raises DbError.
qint64 TimeTextToSeconds(const QString& text);

// The log's form: every part with at least two digits, "01:05:30"; hours may grow longer.
QString secondsToLogTime(qint64 seconds);

// The clocks' form: hours without a leading zero, "1:05:30".
QString secondsToClockTime(qint64 seconds);

// A percentage with two decimals and a "." whatever the locale: "%.2f" of
// (total - wrong) * 100.0 / total, or "0" when total is 0 or less.
QString rateText(qint64 total, qint64 wrong);
