#include "commandlineoutput.h"

#include <cstdio>

void showCommandLineOutput(OutputKind kind, const QString &text)
{
    std::FILE *stream = kind == OutputKind::Answer ? stdout : stderr;
    std::fputs(qPrintable(text + u'\n'), stream);
    std::fflush(stream);
}
