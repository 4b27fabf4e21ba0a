#include "examdate.h"

#include <QLocale>
#include <QRegularExpression>

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

QDateTime examStart(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{1,4})年(\\d{1,2})月(\\d{1,2})日$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return {};
    const QDate date(
        match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!date.isValid())
        return {};
    return QDateTime(date, examStartTime(), Qt::LocalTime);
}

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

QString examDayInEnglish(QDate day, bool withYear)
{
    return QLocale::c().toString(day, withYear ? u"d MMMM yyyy" : u"d MMMM");
}
