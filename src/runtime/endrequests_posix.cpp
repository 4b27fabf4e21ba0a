#include "endrequests.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = { SIGTERM, SIGINT, SIGHUP };

// A signal handler can reach only static data. It writes one byte into a socket pair, which the
// event loop watches; everything else happens there.
int g_writeEnd = -1;
int g_readEnd = -1;

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
    errno = saved;
}

} // namespace

EndRequests::EndRequests(QObject *parent) : QObject(parent)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    g_readEnd = ends[0];
    g_writeEnd = ends[1];
    auto *notifier = new QSocketNotifier(g_readEnd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(g_readEnd, bytes, sizeof bytes) > 0) { }
        emit requested();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

EndRequests::~EndRequests()
{
    if (g_writeEnd < 0)
        return;
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    ::close(g_writeEnd);
    ::close(g_readEnd);
    g_writeEnd = g_readEnd = -1;
}
