#include "examdate.h"

#include <QRegularExpression>

namespace {

// The exam is held on 7 June every year.
constexpr int kExamMonth = 6;
constexpr int kExamDay = 7;

} // namespace

std::optional<QDate> parseExamDate(const QString &value, QDate today)
{
    if (value == QLatin1String("next")) {
        const QDate thisYear(today.year(), kExamMonth, kExamDay);
        return today <= thisYear ? thisYear : thisYear.addYears(1);
    }
    static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!shape.match(value).hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(value, Qt::ISODate);
    return day.isValid() ? std::optional(day) : std::nullopt;
}
