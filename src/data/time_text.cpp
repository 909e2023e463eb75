#include "time_text.h"

#include "db_error.h"

namespace {

qint64 strictInteger(const QString& part) {
    bool ok = false;
    const qint64 v = part.trimmed().toLongLong(&ok);
    if (!ok || part.trimmed().isEmpty())
        throw DbError(QStringLiteral("'%1' is not a valid integer value").arg(part));
    return v;
}

QString twoDigits(qint64 v) {
    return v < 10 ? QStringLiteral("0%1").arg(v) : QString::number(v);
}

}  // namespace

qint64 TimeTextToSeconds(const QString& text) {
    qint64 total = 0;
    int consumed = 0;
    QString rest = text;
    while (rest.contains(QLatin1Char(':'))) {
        const int colon = rest.indexOf(QLatin1Char(':'));
        const QString part = rest.left(colon);
        rest = rest.mid(colon + 1);
        ++consumed;
        if (consumed == 1) {
            total += strictInteger(part) * 3600;
        } else if (consumed == 2) {
            total += strictInteger(part) * 60;
        } else {
            rest.clear();
            break;
        }
    }
    if (consumed == 2)
        total += strictInteger(rest.left(2));
    return total;
}

QString secondsToLogTime(qint64 seconds) {
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds - h * 3600) / 60;
    const qint64 s = seconds - h * 3600 - m * 60;
    return twoDigits(h) + QLatin1Char(':') + twoDigits(m) + QLatin1Char(':') + twoDigits(s);
}

QString secondsToClockTime(qint64 seconds) {
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds - h * 3600) / 60;
    const qint64 s = seconds - h * 3600 - m * 60;
    return QString::number(h) + QLatin1Char(':') + twoDigits(m) + QLatin1Char(':') + twoDigits(s);
}

QString rateText(qint64 total, qint64 wrong) {
    if (total <= 0)
        return QStringLiteral("0");
    return QString::asprintf(
        "%.2f", static_cast<double>(total - wrong) * 100.0 / static_cast<double>(total));
}
