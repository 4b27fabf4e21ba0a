#pragma once

#include "core/examdate.h"

#include <QDateTime>
#include <QString>

// The figures both countdown boards show, each derived afresh from the clock: nothing is counted
// down between updates, so a board cannot drift from the clock.
namespace figures {

// `examDate` as dayText() writes it.
QString daysLeft(const QDateTime &now, const QString &examDate = dayText(defaultExamDay()));
QString hoursLeft(const QDateTime &now, const QString &examDate = dayText(defaultExamDay()));
// "2015年6月1日8时0分": numbers without leading zeros.
QString clockLine(const QDateTime &now);
QString seconds(const QDateTime &now);

} // namespace figures
