#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

// The exam is held every year on 7 June and begins at 00:00 local time at the start of that day.
// The boards count toward it as the text of the day (dayText); without --exam-date, toward the exam
// of 2015.
inline constexpr int kExamMonth = 6;
inline constexpr int kExamDay = 7;

QDate defaultExamDay();
QTime examStartTime();

// A day as the boards write it, numbers without leading zeros: "2015年6月7日".
QString dayText(QDate day);

// The moment the exam of a day written as dayText() writes it begins; invalid for any other shape.
QDateTime examStart(const QString &text);

// The day a --exam-date value names: YYYY-MM-DD, or "next", the next 7 June on or after today.
std::optional<QDate> parseExamDate(const QString &value, QDate today);
