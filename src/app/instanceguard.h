#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

// Keeps one running copy of the program per user and desktop session. The first copy claims the
// channel and listens on it; a later start finds it taken, hands the running copy its message and
// ends. CMake picks the body: a local socket where Qt Network exists, none otherwise (every start
// then runs a copy of its own).
class InstanceGuard : public QObject
{
    Q_OBJECT
public:
    enum class Role { First, Second };

    // First: this process now holds the channel. Second: another copy holds it and has been
    // handed `message`.
    virtual Role claim(const QByteArray &message) = 0;

signals:
    // A later start handed this copy its message.
    void messageReceived(const QByteArray &message);
};

// The channel's name for the current user and desktop session.
QString instanceChannelName(const QString &appId);

std::unique_ptr<InstanceGuard> makeInstanceGuard(const QString &channelName);
