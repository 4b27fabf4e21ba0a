#pragma once

#include <QString>

// Shows what the command line answers (help, version, an error, the autostart confirmation) where
// the user who typed it can see it. Needs no application object, so it works before any window
// system is reached. CMake picks the body: standard output and standard error where a program
// always has them; on Windows the console it was started from, else a message box.
enum class OutputKind { Answer, Error };

// `inABox` is what a message box shows instead, where it differs (laid out for one). False where
// the text could not be shown: a full disk, a stream that takes no more.
bool showCommandLineOutput(OutputKind kind, const QString &text, const QString &inABox = {});
