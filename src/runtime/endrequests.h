#pragma once

#include <QObject>

// Tells when the system asks the program to end: SIGTERM (a logout, `kill`, a service manager),
// SIGINT and SIGHUP on Unix. The program then ends as if its last window had closed. CMake picks
// the body; where the system sends no such request, it never reports one.
class EndRequests : public QObject
{
    Q_OBJECT
public:
    explicit EndRequests(QObject *parent = nullptr);
    ~EndRequests() override;

signals:
    void requested();
};
