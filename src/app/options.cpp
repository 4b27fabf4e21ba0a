#include "options.h"

#include "core/examdate.h"
#include "runtime/autostart.h"

#include <QCommandLineParser>
#include <QLocale>
#include <algorithm>

namespace {

// A text of the command line in both its languages.
struct Wording
{
    const char *english;
    const char *chinese;

    QString in(Language language) const
    {
        return QString::fromUtf8(language == Language::Chinese ? chinese : english);
    }
};

// clang-format off
const Wording kUsage       { "Usage: %1 [options]", "用法：%1 [选项]" };
const Wording kDescription { "A chalkboard that counts the days and hours left until the exam.",
                             "在黑板上倒数离高考还剩多少天、多少小时。" };
const Wording kOptions     { "Options:", "选项：" };
const Wording kHelp        { "Displays this help.", "显示本帮助。" };
const Wording kVersion     { "Displays version information.", "显示版本。" };
const Wording kExamDate    { "Counts toward DATE at %1 instead of %2: YYYY-MM-DD, or next for the "
                             "next %3 (today on %3).",
                             "倒计时到 DATE 那天 %1，而不是 %2：写作 YYYY-MM-DD，或者写 next，表示从今天"
                             "算起最近的一个 %3（今天就是 %3 则为今天）。" };
const Wording kAutostart   { "on: start with the desktop session (with the --exam-date given "
                             "alongside); off: no longer. Opens no window.",
                             "on：随桌面一起启动（带上同时给出的 --exam-date）；off：不再随桌面启动。"
                             "不打开窗口。" };
const Wording kDateForm    { "YYYY-MM-DD (for example 2027-06-07) or next",
                             "YYYY-MM-DD（例如 2027-06-07）或 next" };
const Wording kOnOffForm   { "on or off", "on 或 off" };
const Wording kForms       { "Options: --exam-date %1; --autostart %2; --help; --version.",
                             "选项：--exam-date %1；--autostart %2；--help；--version。" };
const Wording kNoDate      { "--exam-date: '%1' is not a date; expected %2.",
                             "--exam-date：“%1”不是日期，应为 %2。" };
const Wording kNotOnOff    { "--autostart: '%1' is neither on nor off; expected %2.",
                             "--autostart：“%1”既不是 on 也不是 off，应为 %2。" };
const Wording kUnexpected  { "Unexpected argument '%1'. %2", "多余的参数“%1”。%2" };
const Wording kVersionLine { "gaokao-countdown %1", "高考倒计时 %1" };
const Wording kNoDisplay   { "gaokao-countdown: no display found (neither DISPLAY nor "
                             "WAYLAND_DISPLAY is set): start it in a desktop session; --help "
                             "works without.",
                             "gaokao-countdown：找不到显示器（DISPLAY 和 WAYLAND_DISPLAY 都没有设置）："
                             "请在桌面会话里启动它；--help 不需要显示器。" };
const Wording kUnanswered  { "gaokao-countdown: another copy is running but does not answer; end "
                             "it or try again.",
                             "gaokao-countdown：另一个高考倒计时正在运行，但没有应答；请先结束它，或者再试一次。" };
const Wording kStarts      { "Starts with the desktop: %1", "已设为随桌面启动：%1" };
const Wording kStopped     { "No longer starts with the desktop: removed %1",
                             "不再随桌面启动：已删除 %1" };
const Wording kWasStopped  { "Was not starting with the desktop: no %1",
                             "本来就没有随桌面启动：没有 %1" };
const Wording kCannot      { "Cannot change starting with the desktop: %1", "无法更改随桌面启动：%1" };
// clang-format on

// The exam day as the help names it: "7 June", with its year "7 June 2015"; "6月7日",
// "2015年6月7日".
QString examDay(QDate day, bool withYear, Language language)
{
    if (language == Language::Chinese)
        return withYear ? dayText(day) : dayText(day).mid(dayText(day).indexOf(u'年') + 1);
    return QLocale::c().toString(day, withYear ? u"d MMMM yyyy" : u"d MMMM");
}

QString formsHint(Language language)
{
    return kForms.in(language).arg(kDateForm.in(language), kOnOffForm.in(language));
}

// An option and what it does, as the help lists it.
struct OptionHelp
{
    QString names;
    QString description;
};

QList<OptionHelp> optionHelp(Language language)
{
    const QDate exam = defaultExamDay();
    return { { QStringLiteral("-h, --help"), kHelp.in(language) },
        { QStringLiteral("-v, --version"), kVersion.in(language) },
        { QStringLiteral("--exam-date <DATE>"),
            kExamDate.in(language).arg(examStartTime().toString(u"HH:mm"),
                examDay(exam, true, language), examDay(exam, false, language)) },
        { QStringLiteral("--autostart <on|off>"), kAutostart.in(language) } };
}

// Columns a character takes in a console: two for Chinese, one for the rest.
int columns(QChar c)
{
    return c.script() == QChar::Script_Han || (c >= u'\u3000' && c <= u'\u303f')
            || (c >= u'\uff00' && c <= u'\uffef')
        ? 2
        : 1;
}

// `text` in lines of at most `width` columns, broken at blanks and between Chinese characters,
// never before Chinese punctuation nor within a date ("6月7日").
QStringList wrapped(const QString &text, int width)
{
    // What stays on one line: a word, a Chinese character with the punctuation after it, digits
    // with the characters around them.
    QStringList units;
    for (const QChar c : text) {
        const QChar last = units.isEmpty() ? QChar() : units.constLast().back();
        const bool joins = !units.isEmpty() && c != u' ' && last != u' '
            && (columns(c) == 2 ? c.isPunct() || last.isDigit()
                                : columns(last) == 1 || c.isDigit());
        if (joins)
            units.last() += c;
        else
            units << QString(c);
    }
    QStringList lines;
    QString line;
    int used = 0;
    for (const QString &unit : units) {
        int size = 0;
        for (const QChar c : unit)
            size += columns(c);
        if (used + size > width && !line.trimmed().isEmpty()) {
            lines << line.trimmed();
            line.clear();
            used = 0;
        }
        if (line.isEmpty() && unit == u" ")
            continue;
        line += unit;
        used += size;
    }
    return lines << line.trimmed();
}

} // namespace

Language userLanguage()
{
    return QLocale::system().uiLanguages().value(0).startsWith(QLatin1String("zh"))
        ? Language::Chinese
        : Language::English;
}

Options readOptions(
    QCommandLineParser &parser, const QStringList &arguments, QDate today, Language language)
{
    // The help is the program's own (helpText()); the parser only reads. Not addHelpOption():
    // that also offers --help-all, which the program does not answer.
    const QCommandLineOption examDate(QStringLiteral("exam-date"), {}, QStringLiteral("DATE"));
    const QCommandLineOption autostart(QStringLiteral("autostart"), {}, QStringLiteral("on|off"));
    parser.addOption({ { QStringLiteral("h"), QStringLiteral("help") }, {} });
    parser.addOption({ { QStringLiteral("v"), QStringLiteral("version") }, {} });
    parser.addOption(examDate);
    parser.addOption(autostart);

    Options options;
    if (!parser.parse(arguments)) {
        options.error = parser.errorText()
            + (language == Language::Chinese ? QString() : QStringLiteral(" "))
            + formsHint(language);
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.error = kUnexpected.in(language).arg(
            parser.positionalArguments().constFirst(), formsHint(language));
        return options;
    }
    if (parser.isSet(examDate)) {
        const QString value = parser.value(examDate);
        options.examDateValue = value;
        options.examDay = parseExamDate(value, today);
        if (!options.examDay) {
            options.error = kNoDate.in(language).arg(value, kDateForm.in(language));
            return options;
        }
    }
    if (parser.isSet(autostart)) {
        const QString value = parser.value(autostart);
        if (value != QLatin1String("on") && value != QLatin1String("off")) {
            options.error = kNotOnOff.in(language).arg(value, kOnOffForm.in(language));
            return options;
        }
        options.autostart = value == QLatin1String("on");
    }
    return options;
}

HelpText helpText(Language language, const QString &program)
{
    const QList<OptionHelp> options = optionHelp(language);
    const QString head = kUsage.in(language).arg(program) + u'\n' + kDescription.in(language)
        + QStringLiteral("\n\n") + kOptions.in(language) + u'\n';
    HelpText help{ head, head };
    qsizetype longest = 0;
    for (const OptionHelp &option : options)
        longest = std::max(longest, option.names.size());
    const qsizetype column = 2 + longest + 3;
    for (const OptionHelp &option : options) {
        const QStringList lines = wrapped(option.description, int(79 - column));
        help.console += QStringLiteral("  ") + option.names.leftJustified(longest + 3)
            + lines.join(u'\n' + QString(column, u' ')) + u'\n';
        help.box += u'\n' + option.names + u'\n' + option.description + u'\n';
    }
    help.console.chop(1);
    help.box.chop(1);
    return help;
}

QString answerText(Answer answer, Language language)
{
    switch (answer) {
    case Answer::Version:
        return kVersionLine.in(language).arg(QStringLiteral(COUNTDOWN_VERSION));
    case Answer::NoDisplay:
        return kNoDisplay.in(language);
    case Answer::Unanswered:
        return kUnanswered.in(language);
    }
    return {};
}

QString autostartText(const AutostartResult &result, Language language)
{
    switch (result.outcome) {
    case AutostartResult::Outcome::Started:
        return kStarts.in(language).arg(result.where);
    case AutostartResult::Outcome::Stopped:
        return kStopped.in(language).arg(result.where);
    case AutostartResult::Outcome::WasStopped:
        return kWasStopped.in(language).arg(result.where);
    case AutostartResult::Outcome::Failed:
        break;
    }
    return kCannot.in(language).arg(result.failure);
}
