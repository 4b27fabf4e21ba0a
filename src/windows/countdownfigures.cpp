#include "countdownfigures.h"

#include "runtime/conversions.h"

namespace figures {
namespace {

    QString leftUntilExam(const QDateTime &now, conv::Unit unit)
    {
        const QDateTime exam = conv::textToDateTime(QString::fromUtf8(kExamDate));
        return conv::toText(conv::round(conv::interval(exam, now, unit)));
    }

} // namespace

QString daysLeft(const QDateTime &now)
{
    return leftUntilExam(now, conv::Unit::Day);
}

QString hoursLeft(const QDateTime &now)
{
    return leftUntilExam(now, conv::Unit::Hour);
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
