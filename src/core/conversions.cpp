#include "conversions.h"

#include <QRegularExpression>
#include <cmath>

namespace conv {

double interval(const QDateTime &a, const QDateTime &b, Unit unit)
{
    const qint64 seconds = b.date().daysTo(a.date()) * 86400LL + b.time().secsTo(a.time());
    return double(seconds) / (unit == Unit::Day ? 86400.0 : 3600.0);
}

double round(double value)
{
    return std::round(value);
}

QString toText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

double toNumber(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

std::optional<qint64> alarmSeconds(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^[0-9]+(\\.0*)?$"));
    const QString trimmed = text.trimmed();
    if (!shape.match(trimmed).hasMatch())
        return std::nullopt;
    // Leading zeros cannot overflow anything; digits beyond that length are out of range anyway.
    QString digits = trimmed.section(QLatin1Char('.'), 0, 0);
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > 12)
        return std::nullopt;
    const qint64 seconds = digits.toLongLong();
    if (seconds < 1 || seconds > kMaxAlarmSeconds)
        return std::nullopt;
    return seconds;
}

} // namespace conv
