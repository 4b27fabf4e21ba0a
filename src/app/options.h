#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class QCommandLineParser;
struct AutostartResult;

// The language the command line answers in: Chinese where the user's interface is, English
// otherwise. The option names stay as they are.
enum class Language { English, Chinese };
Language userLanguage();

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
Options readOptions(
    QCommandLineParser &parser, const QStringList &arguments, QDate today, Language language);

// The help, naming the program `program`: for a console, its options and their descriptions in
// columns within 80; for a message box, without padding, which the box would only make ragged.
struct HelpText
{
    QString console;
    QString box;
};
HelpText helpText(Language language, const QString &program);

// The program's other answers, and its errors after the command line was read.
enum class Answer { Version, NoDisplay, Unanswered };
QString answerText(Answer answer, Language language);
QString autostartText(const AutostartResult &result, Language language);
