#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class QCommandLineParser;

// What the command line asks for. With no options the program opens its large board and counts
// toward its built-in exam date, as it always has.
struct Options
{
    std::optional<QDate> examDay; // --exam-date: the exam begins at midnight at the start of it
    QString examDateValue; // --exam-date as given: "next" stays "next" in an autostart entry
    std::optional<bool> autostart; // --autostart on|off
    QString error; // not empty: the command line is wrong, and this says how
};

// Teaches `parser` the program's options, with --help and --version, and reads `arguments` (the
// program's name first). Whether --help or --version was given is left to the parser to answer.
Options readOptions(QCommandLineParser &parser, const QStringList &arguments, QDate today);
