#include "ZB_ArretParSignal.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// The pair's two ends (-1 while nobody watches), and the handlers replaced.
int tube[2] = {-1, -1};
struct sigaction avantTerme;
struct sigaction avantInterruption;

void surSignal(int numero)
{
    const unsigned char octet = static_cast<unsigned char>(numero);
    // Nothing to do on failure: a full pair already holds a request.
    [[maybe_unused]] const ssize_t ecrit = ::write(tube[1], &octet, 1);
}
#endif

} // namespace

ZB_ArretParSignal::ZB_ArretParSignal(QObject* parent)
    : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (tube[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, tube) != 0)
        return;
    notificateur_ = std::make_unique<QSocketNotifier>(tube[0], QSocketNotifier::Read);
    connect(notificateur_.get(), &QSocketNotifier::activated, this, &ZB_ArretParSignal::lit_);
    struct sigaction action = {};
    action.sa_handler = &surSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &avantTerme);
    ::sigaction(SIGINT, &action, &avantInterruption);
#endif
}

ZB_ArretParSignal::~ZB_ArretParSignal()
{
#ifdef Q_OS_UNIX
    if (!notificateur_)
        return;
    ::sigaction(SIGTERM, &avantTerme, nullptr);
    ::sigaction(SIGINT, &avantInterruption, nullptr);
    notificateur_.reset();
    ::close(tube[0]);
    ::close(tube[1]);
    tube[0] = -1;
    tube[1] = -1;
#endif
}

void ZB_ArretParSignal::lit_()
{
#ifdef Q_OS_UNIX
    unsigned char octet = 0;
    if (::read(tube[0], &octet, 1) == 1)
        emit signalArret(int(octet));
#endif
}
