#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSslError>
#include <QStringList>

// One transport of the table protocol and of the lobby connection, whatever
// carries the bytes: a raw TCP stream, a WebSocket or the lobby's bridge.
// Callers only ever hold this interface. The transports keep their recent
// errors here for the bug report.
//
// Only the state and the write are required of a transport; every other
// operation has the behaviour of a transport that has nothing to do for it
// (no bytes to read, no address, nothing to wait for).
class GM_SocketAbstract : public QObject
{
    Q_OBJECT

public:
    static constexpr int NombreMaxLignesErreur = 100;

    explicit GM_SocketAbstract(QObject* parent = nullptr);
    ~GM_SocketAbstract() override;
    GM_SocketAbstract(const GM_SocketAbstract&) = delete;
    GM_SocketAbstract& operator=(const GM_SocketAbstract&) = delete;

    virtual void abort();
    virtual bool isValid() const;
    virtual bool isOpen() const;
    virtual QAbstractSocket::SocketState state() const = 0;
    virtual bool waitForDisconnected(int msecs);
    virtual bool waitForBytesWritten(int msecs);
    virtual void connectToHost(const QString& host, quint16 port);
    virtual void close();
    // Sends the bytes as they are; the number of bytes taken, -1 on error.
    virtual qint64 write(const QByteArray& donnees) = 0;
    virtual QHostAddress peerAddress() const;
    virtual quint16 peerPort() const;
    virtual void resume();
    virtual QAbstractSocket::SocketError socketError() const;
    virtual QString errorString() const;
    virtual quint16 localPort() const;
    virtual void disconnectFromHost();
    // Bytes that read() can hand out now; a message-based transport hands
    // its bytes out through binaryMessageReceived instead.
    virtual qint64 bytesAvailable() const;
    virtual QByteArray read(qint64 maxSize);
    // True when the bytes travel in clear.
    virtual bool isUnsecure() const;

    // Keeps the last NombreMaxLignesErreur lines: the oldest goes first.
    void ajouteLigneErreur(const QString& ligne);
    QStringList getLignesErreur() const;

signals:
    void binaryMessageReceived(const QByteArray& message);
    void readyRead_tcpOld();
    void hostFound_tcpOld();
    void disconnected();
    void connected();
    void stateChanged(QAbstractSocket::SocketState state);
    void error(QAbstractSocket::SocketError erreur);
    void sslErrors(const QList<QSslError>& erreurs);
    // The lobby closed the bridge between these two users.
    void signalBridgeClose(qint64 const userIdFrom, qint64 const userIdTo);

private:
    mutable QMutex mutexErreurs_;
    QStringList lignesErreur_;
};
