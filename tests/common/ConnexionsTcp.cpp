#include "ConnexionsTcp.h"

#include <QDir>
#include <QStringList>

#ifdef Q_OS_LINUX
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {

#ifdef Q_OS_LINUX
quint16 portDe(const sockaddr_storage& adresse)
{
    if (adresse.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in*>(&adresse)->sin_port);
    if (adresse.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&adresse)->sin6_port);
    return 0;
}
#endif

} // namespace

bool ConnexionsTcp::estDisponible()
{
#ifdef Q_OS_LINUX
    return QDir(QStringLiteral("/proc/self/fd")).exists();
#else
    return false;
#endif
}

QList<ConnexionsTcp::Connexion> ConnexionsTcp::surLePort(quint16 port)
{
    QList<Connexion> connexions;
#ifdef Q_OS_LINUX
    const QStringList descripteurs =
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& nom : descripteurs) {
        bool ok = false;
        const int fd = nom.toInt(&ok);
        if (!ok)
            continue;
        sockaddr_storage local{};
        sockaddr_storage distant{};
        socklen_t tailleLocal = sizeof local;
        socklen_t tailleDistant = sizeof distant;
        // Not a socket, not an internet one, or not connected: skipped.
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &tailleLocal) != 0
            || (local.ss_family != AF_INET && local.ss_family != AF_INET6)
            || getpeername(fd, reinterpret_cast<sockaddr*>(&distant), &tailleDistant) != 0)
            continue;
        int type = 0;
        socklen_t tailleType = sizeof type;
        if (getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &tailleType) != 0 || type != SOCK_STREAM)
            continue;
        Connexion c;
        c.portLocal = portDe(local);
        c.portDistant = portDe(distant);
        if (c.portLocal != port && c.portDistant != port)
            continue;
        int valeur = 0;
        socklen_t tailleValeur = sizeof valeur;
        c.sansDelai = getsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &valeur, &tailleValeur) == 0 && valeur != 0;
        connexions.append(c);
    }
#else
    Q_UNUSED(port);
#endif
    return connexions;
}
