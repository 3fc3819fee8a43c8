#pragma once

#include "GM_SocketAbstract.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

// A transport the test drives in place of the peer, for the table client
// and the host alike. Its rules:
// - what the test hands to recoit() is read back in order, in pieces no
//   larger than asked; every size asked is kept (lectures);
// - every write is kept apart, as much of it as was taken (ecritures);
//   prendAuPlus bounds what one write takes (-1: all of it), and while
//   echoue is set a write fails (-1) and nothing is kept;
// - a connection attempt is kept (host:port, and when, in ms since the
//   transport was made); it succeeds, or with refuse it fails as TCP
//   reports a refusal: connecting, then the error, unconnected;
// - abort, close and disconnectFromHost each count as one closing, the
//   last also as a graceful one (deconnexions); the first closing while not
//   unconnected leaves the transport unconnected and says disconnected;
// - hotePart() is the peer going away as TCP reports it: the error, then
//   the disconnection;
// - the peer's address and port and the local port are the test's to set;
//   every error reads "boom".
class SocketScripte : public GM_SocketAbstract
{
    Q_OBJECT

public:
    QAbstractSocket::SocketState etat = QAbstractSocket::ConnectedState;
    QHostAddress adresse{QStringLiteral("203.0.113.9")};
    quint16 port = 4567;
    quint16 portLocal = 4000;

    QByteArray aLire;
    QList<qint64> lectures;

    QList<QByteArray> ecritures;
    qint64 prendAuPlus = -1; // -1: everything
    bool echoue = false;

    bool refuse = false;
    QStringList connexions;
    QList<qint64> instants;

    int fermetures = 0;
    int deconnexions = 0;

    SocketScripte();

    QAbstractSocket::SocketState state() const override { return etat; }
    qint64 write(const QByteArray& donnees) override;
    qint64 bytesAvailable() const override { return aLire.size(); }
    QByteArray read(qint64 maxSize) override;
    QHostAddress peerAddress() const override { return adresse; }
    quint16 peerPort() const override { return port; }
    quint16 localPort() const override { return portLocal; }
    QString errorString() const override;
    void abort() override { ferme_(); }
    void close() override { ferme_(); }
    void disconnectFromHost() override;
    void connectToHost(const QString& host, quint16 portHote) override;

    void recoit(const QByteArray& octets);
    void hotePart();
    // Everything written, end to end.
    QByteArray ecrit() const;
    QString texteEcrit() const { return QString::fromUtf8(ecrit()); }

private:
    void ferme_();

    QElapsedTimer horloge_;
};
