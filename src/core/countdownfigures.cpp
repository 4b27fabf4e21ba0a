#include "countdownfigures.h"

#include "core/conversions.h"

namespace figures {
namespace {

    QString leftUntilExam(const QDateTime &now, const QString &examDate, conv::Unit unit)
    {
        const QDateTime exam = examStart(examDate);
        return conv::toText(conv::round(conv::interval(exam, now, unit)));
    }

} // namespace

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
    return dayText(now.date()) + QString::number(now.time().hour()) + u'时'
        + QString::number(now.time().minute()) + u'分';
}

QString seconds(const QDateTime &now)
{
    return QString::number(now.time().second());
}

} // namespace figures
