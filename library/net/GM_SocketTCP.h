#pragma once

#include "GM_SocketSurQt.h"

#include <QTcpSocket>

// The raw TCP transport: the bytes of the table protocol as they are, read
// in chunks by whoever listens to readyRead_tcpOld.
class GM_SocketTCP : public GM_SocketSurQt<QTcpSocket>
{
    Q_OBJECT

public:
    // A new socket, not connected.
    explicit GM_SocketTCP(QObject* parent = nullptr);
    // Takes over a socket, for instance one the game server accepted.
    explicit GM_SocketTCP(QTcpSocket* socket, QObject* parent = nullptr);
    ~GM_SocketTCP() override;

    bool isOpen() const override;
    bool waitForDisconnected(int msecs) override;
    bool waitForBytesWritten(int msecs) override;
    void connectToHost(const QString& host, quint16 port) override;
    void close() override;
    qint64 write(const QByteArray& donnees) override;
    void disconnectFromHost() override;
    qint64 bytesAvailable() const override;
    QByteArray read(qint64 maxSize) override;
    // In clear unless the socket is an encrypted TLS socket.
    bool isUnsecure() const override;

    QTcpSocket* getTcpSocket() const { return socket_; }

private slots:
    void onSslErrors(const QList<QSslError>& erreurs);

private:
    void connecteSignaux_();
};
