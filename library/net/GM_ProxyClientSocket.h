#pragma once

#include "GM_SocketAbstract.h"

#include <QPointer>

class GM_ClientSocket;

// A table connection tunnelled through the lobby connection: what one side
// writes reaches the other lobby user as the lobby's bridge data, with no
// socket of its own between the two machines. It counts as connected for as
// long as it exists; closing it closes the bridge.
class GM_ProxyClientSocket : public GM_SocketAbstract
{
    Q_OBJECT

public:
    // userIdTarget: the user at the other end (-1 takes data from anybody);
    // userIdOwn: this machine's user. The lobby connection is not owned.
    GM_ProxyClientSocket(GM_ClientSocket* lobby, qint64 userIdTarget, qint64 userIdOwn, QObject* parent = nullptr);
    ~GM_ProxyClientSocket() override;

    // Sends the bridge close, then says the connection is gone.
    void abort() override;
    bool isValid() const override { return true; }
    bool isOpen() const override { return true; }
    QAbstractSocket::SocketState state() const override { return QAbstractSocket::ConnectedState; }
    bool waitForBytesWritten(int msecs) override;
    // The bridge is opened by the lobby: nothing to connect; connected()
    // follows on the next turn of the event loop.
    void connectToHost(const QString& host, quint16 port) override;
    void close() override { abort(); }
    // One bridge record of six messages; the byte count, -1 without a lobby
    // connection.
    qint64 write(const QByteArray& donnees) override;
    void resume() override;
    QAbstractSocket::SocketError socketError() const override;
    QString errorString() const override;
    void disconnectFromHost() override { abort(); }
    bool isUnsecure() const override;

    qint64 getUserIdTarget() const { return userIdTarget_; }
    qint64 getUserIdOwn() const { return userIdOwn_; }
    const QByteArray& getDonneesRecues() const { return donneesRecues_; }

public slots:
    void OnReceiveBridgeData(qint64 userIdFrom, qint64 userIdTo, const QString& data);
    void OnReceiveBridgeClose(qint64 userIdFrom, qint64 userIdTo);

private:
    QPointer<GM_ClientSocket> lobby_;
    qint64 userIdTarget_;
    qint64 userIdOwn_;
    QByteArray donneesRecues_;
};
