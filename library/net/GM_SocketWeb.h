#pragma once

#include "GM_SocketSurQt.h"

#include <QSslCertificate>
#include <QWebSocket>

// The WebSocket transport: each write is one binary message, and each
// message received comes whole through binaryMessageReceived. A client
// socket accepts the program's own certificate itself (pinned: not as an
// authority, so nothing signed with the key every copy carries passes) and
// whatever the system trusts; one accepted by a WebSocket server takes the
// server's set-up.
class GM_SocketWeb : public GM_SocketSurQt<QWebSocket>
{
    Q_OBJECT

public:
    // Where the program's own certificate is looked for.
    static constexpr const char* DossierCertificats = ":/ssl/";

    // The largest message an accepted socket takes: a table client only
    // ever sends single events, and a bigger message would be held whole in
    // memory before anybody could look at it.
    static constexpr quint64 TailleMessageMaxAccepte = 1 << 20;

    // A client socket, not connected; unsecure: plain ws:// instead of wss://.
    explicit GM_SocketWeb(bool unsecure, QObject* parent = nullptr);
    // Takes over a socket that a WebSocket server accepted.
    GM_SocketWeb(QWebSocket* socket, bool unsecure, QObject* parent = nullptr);
    ~GM_SocketWeb() override;

    bool isOpen() const override;
    bool waitForBytesWritten(int msecs) override;
    // Opens "ws://host:port", or "wss://host:port" unless unsecure.
    void connectToHost(const QString& host, quint16 port) override;
    void close() override;
    qint64 write(const QByteArray& donnees) override;
    void resume() override;
    void disconnectFromHost() override;
    bool isUnsecure() const override { return unsecure_; }

    bool estCoteServeur() const { return coteServeur_; }
    QWebSocket* getWebSocket() const { return socket_; }
    // The first certificate found in DossierCertificats, null when none.
    static QSslCertificate certificatAutorite();
    // The handshake errors to ignore when exactly this certificate is
    // presented: it is self-signed and no authority vouches for it; with
    // adresseLibre, also the address it was reached at.
    static QList<QSslError> erreursTolerees(const QSslCertificate& certificat, bool adresseLibre);

private slots:
    void onBinaryMessageReceived(const QByteArray& message);
    void onDisconnected();
    void onConnected();
    void onStateChanged(QAbstractSocket::SocketState etat);
    void onError(QAbstractSocket::SocketError erreur);
    void onSslErrors(const QList<QSslError>& erreurs);

private:
    void connecteSignaux_();

    bool coteServeur_;
    bool unsecure_;
    // Expected for the program's own authority: its certificate is issued
    // for the public host name, not for the address a client may use.
    QList<QSslError> erreursAttendues_;
};
