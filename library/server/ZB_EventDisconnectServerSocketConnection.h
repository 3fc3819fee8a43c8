#pragma once

#include "ZB_Event.h"

#include <QObject>
#include <QPointer>

// Asks the room's server socket to drop one connection. The connection is a
// ZB_ServerSocketConnection, held through a guard so that a connection
// deleted before the event is handled yields a null pointer and no action.
class ZB_EventDisconnectServerSocketConnection : public ZB_Event
{
public:
    explicit ZB_EventDisconnectServerSocketConnection(QObject* connection);
    ZB_EventDisconnectServerSocketConnection(const ZB_EventDisconnectServerSocketConnection&) = default;
    ZB_EventDisconnectServerSocketConnection& operator=(const ZB_EventDisconnectServerSocketConnection&) = default;
    ~ZB_EventDisconnectServerSocketConnection() override;

    ZB_EventDisconnectServerSocketConnection* clone() const override;

    QObject* getConnection() const { return connection_.data(); }

private:
    QPointer<QObject> connection_;
};
