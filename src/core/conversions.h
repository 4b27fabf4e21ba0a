#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Date-time and number conversions the boards' figures and the alarm's countdowns build on.
namespace conv {

enum class Unit { Day, Hour };

// a - b in the unit, with fraction, measured on the wall clock: daylight-saving changes between
// the two moments do not count.
double interval(const QDateTime &a, const QDateTime &b, Unit unit);

// Nearest whole number, halves away from zero.
double round(double value);

// Decimal text; a whole value has no decimal point and zero has no sign.
QString toText(double value);

// The value of a decimal text, blanks around it ignored; text that is not a number gives 0.
double toNumber(const QString &text);

// The number of seconds typed into the alarm window if it is a whole number of seconds from 1 up
// to ten years ("05", "3.0" and blanks around the number are fine); nothing otherwise.
std::optional<qint64> alarmSeconds(const QString &text);

inline constexpr qint64 kMaxAlarmSeconds = 10LL * 365 * 24 * 60 * 60;

} // namespace conv
