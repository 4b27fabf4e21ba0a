#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The day a --exam-date value names: YYYY-MM-DD, or "next", the next 7 June on or after today.
std::optional<QDate> parseExamDate(const QString &value, QDate today);
