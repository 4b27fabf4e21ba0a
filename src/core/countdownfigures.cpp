#include "countdownfigures.h"

#include "core/conversions.h"

namespace figures {
namespace {

    QString leftUntilExam(const QDateTime &now, const QString &examDate, conv::Unit unit)
    {
        const QDateTime exam = conv::textToDateTime(examDate);
        return conv::toText(conv::round(conv::interval(exam, now, unit)));
    }

} // namespace

QString examDateText(QDate day)
{
    return QString::number(day.year()) + u'年' + QString::number(day.month()) + u'月'
        + QString::number(day.day()) + u'日';
}

QString daysLeft(const QDateTime &now, const QString &examDate)
{
    return leftUntilExam(now, examDate, conv::Unit::Day);
}

QString hoursLeft(const QDateTime &now, const QString &examDate)
{
    return leftUntilExam(now, examDate, conv::Unit::Hour);
}

QString clockLine(const QDateTime &now)
{
    const QDate date = now.date();
    const QTime time = now.time();
    return QString::number(date.year()) + u'年' + QString::number(date.month()) + u'月'
        + QString::number(date.day()) + u'日' + QString::number(time.hour()) + u'时'
        + QString::number(time.minute()) + u'分';
}

QString seconds(const QDateTime &now)
{
    return QString::number(now.time().second());
}

} // namespace figures
