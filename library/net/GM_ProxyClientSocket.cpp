#include "GM_ProxyClientSocket.h"

#include "GM_ClientSocket.h"

#include <QWebSocket>

GM_ProxyClientSocket::GM_ProxyClientSocket(GM_ClientSocket* lobby, qint64 userIdTarget, qint64 userIdOwn,
                                           QObject* parent)
    : GM_SocketAbstract(parent)
    , lobby_(lobby)
    , userIdTarget_(userIdTarget)
    , userIdOwn_(userIdOwn)
{
    if (lobby != nullptr) {
        connect(lobby, &GM_ClientSocket::signalReceiveBridgeData, this, &GM_ProxyClientSocket::OnReceiveBridgeData);
        connect(lobby, &GM_ClientSocket::signalReceiveBridgeClose, this, &GM_ProxyClientSocket::OnReceiveBridgeClose);
    }
}

GM_ProxyClientSocket::~GM_ProxyClientSocket() = default;

void GM_ProxyClientSocket::abort()
{
    if (GM_ClientSocket* lobby = lobby_.data())
        lobby->sendBridgeClose(userIdOwn_, userIdTarget_);
    emit disconnected();
}

bool GM_ProxyClientSocket::waitForBytesWritten(int msecs)
{
    Q_UNUSED(msecs);
    const GM_ClientSocket* lobby = lobby_.data();
    QWebSocket* ws = lobby != nullptr ? lobby->getWebSocket() : nullptr;
    return ws != nullptr && ws->bytesToWrite() > 0 ? ws->flush() : false;
}

void GM_ProxyClientSocket::connectToHost(const QString& host, quint16 port)
{
    Q_UNUSED(host);
    Q_UNUSED(port);
    // Later, like the other transports: the caller may hold the lock that
    // its connected handler takes (a room starting a client session does).
    QMetaObject::invokeMethod(this, &GM_SocketAbstract::connected, Qt::QueuedConnection);
}

qint64 GM_ProxyClientSocket::write(const QByteArray& donnees)
{
    GM_ClientSocket* lobby = lobby_.data();
    if (lobby == nullptr)
        return -1;
    lobby->sendBridgeData(userIdTarget_, donnees);
    return donnees.size();
}

void GM_ProxyClientSocket::resume()
{
    if (const GM_ClientSocket* lobby = lobby_.data())
        lobby->getWebSocket()->resume();
}

QAbstractSocket::SocketError GM_ProxyClientSocket::socketError() const
{
    const GM_ClientSocket* lobby = lobby_.data();
    return lobby != nullptr ? lobby->getWebSocket()->error() : QAbstractSocket::UnknownSocketError;
}

QString GM_ProxyClientSocket::errorString() const
{
    const GM_ClientSocket* lobby = lobby_.data();
    return lobby != nullptr ? lobby->getWebSocket()->errorString() : QString();
}

bool GM_ProxyClientSocket::isUnsecure() const
{
    const GM_ClientSocket* lobby = lobby_.data();
    return lobby == nullptr || lobby->isUnsecure();
}

void GM_ProxyClientSocket::OnReceiveBridgeData(qint64 userIdFrom, qint64 userIdTo, const QString& data)
{
    // Every bridge of the lobby connection hears every user's data: only
    // the user at the other end of this one may speak through it.
    Q_UNUSED(userIdTo);
    if (userIdTarget_ != -1 && userIdFrom != userIdTarget_)
        return;
    donneesRecues_ = data.toUtf8();
    emit binaryMessageReceived(donneesRecues_);
}

void GM_ProxyClientSocket::OnReceiveBridgeClose(qint64 userIdFrom, qint64 userIdTo)
{
    // Passed on whoever it concerns: the game server matches the users with
    // its own players.
    emit signalBridgeClose(userIdFrom, userIdTo);
}
