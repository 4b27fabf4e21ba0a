#include "examdate.h"

QDate defaultExamDay()
{
    return QDate(2015, kExamMonth, kExamDay);
}

QTime examStartTime()
{
    return QTime(0, 0);
}

QString dayText(QDate day)
{
    return QString::number(day.year()) + u'年' + QString::number(day.month()) + u'月'
        + QString::number(day.day()) + u'日';
}

namespace {

// The number written in `text` from `from` up to `mark`, in 1 to `most` ASCII digits; moves `from`
// past the mark. -1 for anything else.
int numberBefore(QStringView text, qsizetype &from, char16_t mark, qsizetype most)
{
    const qsizetype end = text.indexOf(mark, from);
    const QStringView digits = end < 0 ? QStringView() : text.sliced(from, end - from);
    from = end + 1;
    if (digits.isEmpty() || digits.size() > most)
        return -1;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
    }
    return digits.toInt();
}

// YYYY-MM-DD exactly, in ASCII digits: QDate::fromString alone also takes other shapes.
bool isIsoDay(QStringView value)
{
    if (value.size() != 10)
        return false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? value[i] != u'-' : (value[i] < u'0' || value[i] > u'9'))
            return false;
    }
    return true;
}

} // namespace

// Read by hand rather than by a regular expression: the boards read it every second.
QDateTime examStart(const QString &text)
{
    qsizetype from = 0;
    const int year = numberBefore(text, from, u'年', 4);
    const int month = numberBefore(text, from, u'月', 2);
    const int day = numberBefore(text, from, u'日', 2);
    const QDate date(year, month, day);
    if (year < 0 || month < 0 || day < 0 || from != text.size() || !date.isValid())
        return {};
    return QDateTime(date, examStartTime(), Qt::LocalTime);
}

std::optional<QDate> parseExamDate(const QString &value, QDate today)
{
    if (value == QLatin1String("next")) {
        const QDate thisYear(today.year(), kExamMonth, kExamDay);
        return today <= thisYear ? thisYear : thisYear.addYears(1);
    }
    if (!isIsoDay(value))
        return std::nullopt;
    const QDate day = QDate::fromString(value, Qt::ISODate);
    return day.isValid() ? std::optional(day) : std::nullopt;
}
