#include "ZB_ServerSocketConnection.h"

#include "GM_SocketAbstract.h"

ZB_ServerSocketConnection::ZB_ServerSocketConnection(GM_SocketAbstract* socket, QObject* parent)
    : QObject(parent)
    , socket_(socket)
{
}

ZB_ServerSocketConnection::~ZB_ServerSocketConnection()
{
    // Later, not now: the connection may go from inside one of its socket's
    // own signals.
    if (socket_ != nullptr)
        socket_->deleteLater();
}
