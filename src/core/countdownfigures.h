#pragma once

#include <QDateTime>
#include <QString>

// The figures both countdown boards show, each derived afresh from the clock: nothing is counted
// down between updates, so a board cannot drift from the clock.
namespace figures {

// The exam begins at midnight at the start of this day, unless the command line names another.
inline constexpr char kExamDate[] = "2015年6月7日";

// The exam-date text of a day, in the form of kExamDate.
QString examDateText(QDate day);

QString daysLeft(const QDateTime &now, const QString &examDate = QString::fromUtf8(kExamDate));
QString hoursLeft(const QDateTime &now, const QString &examDate = QString::fromUtf8(kExamDate));
// "2015年6月1日8时0分": numbers without leading zeros.
QString clockLine(const QDateTime &now);
QString seconds(const QDateTime &now);

} // namespace figures
