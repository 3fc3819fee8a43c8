#pragma once

#include "ZB_Event.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

// Bytes one connection of the game server read, handed to the room's server
// socket on the GUI thread. The connection is a ZB_ServerSocketConnection,
// guarded: the bytes of a connection that has gone are dropped, since its
// buffer went with it.
class ZB_EventServerSocketData : public ZB_Event
{
public:
    ZB_EventServerSocketData(const QByteArray& donnees, QObject* connection);
    ZB_EventServerSocketData(const ZB_EventServerSocketData&) = default;
    ZB_EventServerSocketData& operator=(const ZB_EventServerSocketData&) = default;
    ~ZB_EventServerSocketData() override;

    ZB_EventServerSocketData* clone() const override;

    const QByteArray& getDonnees() const { return donnees_; }
    QObject* getConnection() const { return connection_.data(); }

private:
    QByteArray donnees_;
    QPointer<QObject> connection_;
};
