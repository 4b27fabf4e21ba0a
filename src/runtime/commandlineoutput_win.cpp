#include "commandlineoutput.h"
#include "win32/console_win32.h"

bool showCommandLineOutput(OutputKind kind, const QString &text)
{
    return win32::showText(
        kind == OutputKind::Answer ? win32::Stream::Output : win32::Stream::Error,
        text.toStdString(), QStringLiteral("高考倒计时").toStdWString());
}
