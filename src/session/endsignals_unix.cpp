// SPDX-License-Identifier: GPL-3.0-or-later
// The one file that knows POSIX signals. A handler may do next to nothing, so
// it writes a byte into a pipe whose other end the event loop watches (the
// self-pipe trick); the work is done there, outside the handler.
#include "endsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int EndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

int selfPipe[2] = {-1, -1};

extern "C" void onEndingSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(selfPipe[1], &byte, 1);
    errno = saved;
}

void setHandler(int signal, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

bool ignored(int signal)
{
    struct sigaction current = {};
    return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

} // namespace

EndSignals::EndSignals(QObject *parent)
    : QObject(parent)
{
    if (::pipe(selfPipe) != 0)
        return; // the signals keep ending the program at once, as before
    for (int end : selfPipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL,
                ::fcntl(end, F_GETFL) | O_NONBLOCK); // a full pipe drops, never blocks
    }
    m_notifier = new QSocketNotifier(selfPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(selfPipe[0], bytes, sizeof bytes) > 0) {
        }
        emit arrived();
    });
    for (int signal : EndingSignals) {
        if (!ignored(signal))
            setHandler(signal, onEndingSignal);
    }
}

EndSignals::~EndSignals()
{
    if (!m_notifier)
        return;
    for (int signal : EndingSignals) {
        if (!ignored(signal))
            setHandler(signal, SIG_DFL);
    }
    delete m_notifier;
    for (int &end : selfPipe) {
        ::close(end);
        end = -1;
    }
}
