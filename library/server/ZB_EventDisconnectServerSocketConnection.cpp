#include "ZB_EventDisconnectServerSocketConnection.h"

ZB_EventDisconnectServerSocketConnection::ZB_EventDisconnectServerSocketConnection(QObject* connection)
    : ZB_Event(DisconnectServerSocketConnection)
    , connection_(connection)
{
}

ZB_EventDisconnectServerSocketConnection::~ZB_EventDisconnectServerSocketConnection() = default;

ZB_EventDisconnectServerSocketConnection* ZB_EventDisconnectServerSocketConnection::clone() const
{
    return new ZB_EventDisconnectServerSocketConnection(*this);
}
