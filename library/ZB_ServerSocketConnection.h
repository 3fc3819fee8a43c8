#pragma once

#include <QObject>
#include <QPointer>

class GM_SocketAbstract;

// One client of a hosting room: its transport, the player it identified as
// and the table it plays at. The connection owns its socket.
class ZB_ServerSocketConnection : public QObject
{
    Q_OBJECT

public:
    explicit ZB_ServerSocketConnection(GM_SocketAbstract* socket, QObject* parent = nullptr);
    ~ZB_ServerSocketConnection() override;
    ZB_ServerSocketConnection(const ZB_ServerSocketConnection&) = delete;
    ZB_ServerSocketConnection& operator=(const ZB_ServerSocketConnection&) = delete;

    // Null once the socket is gone.
    GM_SocketAbstract* getSocket() const { return socket_.data(); }

    // -1 until seated: the client then hears every table of the room.
    int getTableId() const { return tableId_; }
    void setTableId(int tableId) { tableId_ = tableId; }
    // -1 until the client identified itself.
    qint64 getPlayerId() const { return playerId_; }
    void setPlayerId(qint64 playerId) { playerId_ = playerId; }

private:
    QPointer<GM_SocketAbstract> socket_;
    int tableId_ = -1;
    qint64 playerId_ = -1;
};
