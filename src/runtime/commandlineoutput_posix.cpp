#include "commandlineoutput.h"

#include <cstdio>

bool showCommandLineOutput(OutputKind kind, const QString &text, const QString &)
{
    std::FILE *stream = kind == OutputKind::Answer ? stdout : stderr;
    const bool written = std::fputs(qPrintable(text + u'\n'), stream) >= 0;
    return std::fflush(stream) == 0 && written;
}
