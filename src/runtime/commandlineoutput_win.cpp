#include "commandlineoutput.h"
#include "win32/console_win32.h"

bool showCommandLineOutput(OutputKind kind, const QString &text, const QString &inABox)
{
    return win32::showText(
        kind == OutputKind::Answer ? win32::Stream::Output : win32::Stream::Error,
        text.toStdString(), (inABox.isEmpty() ? text : inABox).toStdWString(),
        QStringLiteral("高考倒计时").toStdWString());
}
