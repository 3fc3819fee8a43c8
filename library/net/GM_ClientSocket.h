#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QWebSocket;

// The lobby connection, as far as the table network needs it: the WebSocket
// over which the lobby's records travel, the bridge that carries a table's
// traffic between two lobby users, and the closing of such a bridge.
//
// A lobby record is a run of binary messages, its code first, ending with
// the single byte RecordEnd.
class GM_ClientSocket : public QObject
{
    Q_OBJECT

public:
    static constexpr char RecordEnd = '\x0C';

    // unsecure: plain ws:// rather than wss://.
    explicit GM_ClientSocket(bool unsecure, QObject* parent = nullptr);
    ~GM_ClientSocket() override;
    GM_ClientSocket(const GM_ClientSocket&) = delete;
    GM_ClientSocket& operator=(const GM_ClientSocket&) = delete;

    QWebSocket* getWebSocket() const { return webSocket_; }
    bool isUnsecure() const { return unsecure_; }

    // Sends one record, or keeps it until the connection is open; the
    // records kept go out in order as soon as it is.
    void envoieRecord(const QList<QByteArray>& messages);
    // Closes the bridge between the two users; -1 and -1 close them all.
    void sendBridgeClose(qint64 userIdFrom, qint64 userIdTo);
    int getNombreRecordsEnAttente() const { return static_cast<int>(enAttente_.size()); }

signals:
    // Emitted by the lobby protocol's reader for the bridge's records.
    void signalBridgeData(qint64 userIdFrom, qint64 userIdTo, const QString& data);
    void signalBridgeClose(qint64 userIdFrom, qint64 userIdTo);

private slots:
    void onConnected();

private:
    QWebSocket* webSocket_;
    bool unsecure_;
    QList<QList<QByteArray>> enAttente_;
};
