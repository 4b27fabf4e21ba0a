#pragma once

#include "instancechannel.h"

#include <QByteArray>
#include <QObject>
#include <memory>

// Keeps one running copy of the program per user and desktop session. The first copy takes the
// channel's lock, holds it while it lives and listens on the channel; a later start finds the lock
// taken, hands the running copy its message and ends.
class InstanceGuard : public QObject
{
    Q_OBJECT
public:
    enum class Role {
        First, // this process runs the program (guarded, or alone where the guard cannot work)
        Second, // another copy runs and has taken `message`
        Unanswered, // another copy holds the channel but did not take the message
    };

    // The longest message a copy takes: a later start's exam date, with room to spare.
    static constexpr int kMaxMessage = 256;

    virtual Role claim(const QByteArray &message) = 0;

signals:
    // A later start handed this copy its message.
    void messageReceived(const QByteArray &message);
};

std::unique_ptr<InstanceGuard> makeInstanceGuard(const InstanceChannel &channel);
