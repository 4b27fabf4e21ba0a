#pragma once

#include <QString>

// Where the copies of the program meet: the local server's name and the lock file the running copy
// holds while it lives, both per user and desktop session. CMake picks the body: a socket in the
// runtime folder on Unix, a named pipe on Windows.
struct InstanceChannel
{
    QString name; // a socket's path, or a named pipe's name
    QString lockFile;
    QString problem; // not empty: there is no usable place for the channel, and this says why
};

InstanceChannel instanceChannel(const QString &appId);
