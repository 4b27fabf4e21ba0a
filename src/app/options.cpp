#include "options.h"

#include "core/examdate.h"

#include <QCommandLineParser>
#include <QLocale>

namespace {

const char kExamDateForm[] = "YYYY-MM-DD (for example 2027-06-07) or next";
const char kAutostartForm[] = "on or off";

// The exam day in English: "7 June", with its year "7 June 2015".
QString examDayInEnglish(QDate day, bool withYear)
{
    return QLocale::c().toString(day, withYear ? u"d MMMM yyyy" : u"d MMMM");
}

QString formsHint()
{
    return QStringLiteral("Options: --exam-date %1; --autostart %2; --help; --version.")
        .arg(QLatin1String(kExamDateForm), QLatin1String(kAutostartForm));
}

} // namespace

Options readOptions(QCommandLineParser &parser, const QStringList &arguments, QDate today)
{
    const QDate exam = defaultExamDay();
    const QCommandLineOption examDate(QStringLiteral("exam-date"),
        QStringLiteral(
            "Counts toward DATE at %1 instead of %2: YYYY-MM-DD, or next for the next %3 "
            "(today on %3).")
            .arg(examStartTime().toString(u"HH:mm"), examDayInEnglish(exam, true),
                examDayInEnglish(exam, false)),
        QStringLiteral("DATE"));
    const QCommandLineOption autostart(QStringLiteral("autostart"),
        QStringLiteral("on: start with the desktop session (with the --exam-date given "
                       "alongside); off: no longer. Opens no window."),
        QStringLiteral("on|off"));
    // Not addHelpOption(): that also offers --help-all, which the program does not answer.
    const QCommandLineOption help(
        { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Displays this help."));
    parser.setApplicationDescription(
        QStringLiteral("A chalkboard that counts the days and hours left until the exam."));
    parser.addOption(help);
    parser.addVersionOption();
    parser.addOption(examDate);
    parser.addOption(autostart);

    Options options;
    if (!parser.parse(arguments)) {
        options.error = parser.errorText() + u' ' + formsHint();
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.error = QStringLiteral("Unexpected argument '%1'. %2")
                            .arg(parser.positionalArguments().constFirst(), formsHint());
        return options;
    }
    if (parser.isSet(examDate)) {
        const QString value = parser.value(examDate);
        options.examDateValue = value;
        options.examDay = parseExamDate(value, today);
        if (!options.examDay) {
            options.error = QStringLiteral("--exam-date: '%1' is not a date; expected %2.")
                                .arg(value, QLatin1String(kExamDateForm));
            return options;
        }
    }
    if (parser.isSet(autostart)) {
        const QString value = parser.value(autostart);
        if (value != QLatin1String("on") && value != QLatin1String("off")) {
            options.error = QStringLiteral("--autostart: '%1' is neither on nor off; expected %2.")
                                .arg(value, QLatin1String(kAutostartForm));
            return options;
        }
        options.autostart = value == QLatin1String("on");
    }
    return options;
}
