#include "commandlineoutput.h"
#include "win32/console_win32.h"

void showCommandLineOutput(OutputKind kind, const QString &text)
{
    win32::showText(kind == OutputKind::Answer ? win32::Stream::Output : win32::Stream::Error,
        text.toStdString(), QStringLiteral("高考倒计时").toStdWString());
}
