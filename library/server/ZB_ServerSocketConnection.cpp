#include "ZB_ServerSocketConnection.h"

#include "GM_SocketAbstract.h"
#include "ZB_EventDisconnectServerSocketConnection.h"
#include "ZB_EventServerSocketData.h"
#include "ZB_EventSocketError.h"
#include "ZB_ServerSocket.h"

#include <QCoreApplication>

ZB_ServerSocketConnection::ZB_ServerSocketConnection(GM_SocketAbstract* socket, QObject* parent)
    : QObject(parent)
    , socket_(socket)
{
    if (socket != nullptr) {
        connect(socket, &GM_SocketAbstract::readyRead_tcpOld, this, &ZB_ServerSocketConnection::onReadyRead_tcpOld);
        connect(socket, &GM_SocketAbstract::binaryMessageReceived, this,
                &ZB_ServerSocketConnection::onBinaryMessageReceived);
        connect(socket, &GM_SocketAbstract::disconnected, this, &ZB_ServerSocketConnection::onDisconnect);
        connect(socket, &QObject::destroyed, this, &ZB_ServerSocketConnection::onSocketDestroyed);
        connect(socket, &GM_SocketAbstract::error, this, &ZB_ServerSocketConnection::onError);
    }
    timerAuthentification_.setSingleShot(true);
    timerAuthentification_.setInterval(DelaiAuthentificationMs);
    connect(&timerAuthentification_, &QTimer::timeout, this, &ZB_ServerSocketConnection::onAuthTimeout);
    timerAuthentification_.start();
}

ZB_ServerSocketConnection::~ZB_ServerSocketConnection()
{
    // Later, not now: the connection may go from inside one of its socket's
    // own signals.
    if (GM_SocketAbstract* socket = socket_.data()) {
        socket->disconnect(this);
        socket->deleteLater();
    }
}

void ZB_ServerSocketConnection::setServer(ZB_ServerSocket* server)
{
    server_ = server;
}

ZB_ServerSocket* ZB_ServerSocketConnection::getServer() const
{
    return server_.data();
}

void ZB_ServerSocketConnection::identifie(const OptionsDuJoueur& options)
{
    options_ = options;
    playerId_ = options.id_;
    identifie_ = true;
}

QString ZB_ServerSocketConnection::toString() const
{
    const GM_SocketAbstract* socket = socket_.data();
    return QStringLiteral("Adresse: %1, Port: %2, Id: %3")
        .arg(socket != nullptr ? socket->peerAddress().toString() : QString())
        .arg(socket != nullptr ? socket->peerPort() : 0)
        .arg(playerId_);
}

bool ZB_ServerSocketConnection::prendMessage()
{
    if (!fenetreMessages_.isValid() || fenetreMessages_.elapsed() >= FenetreMessagesMs) {
        fenetreMessages_.start();
        messagesDansLaFenetre_ = 0;
    }
    return ++messagesDansLaFenetre_ <= MessagesParFenetre;
}

bool ZB_ServerSocketConnection::ajouteStrike()
{
    ++strikes_;
    if (strikes_ <= StrikesMax)
        return false;
    GM_SocketAbstract* socket = socket_.data();
    if (!abandonnee_ && socket != nullptr) {
        const QHostAddress adresse = socket->peerAddress();
        // A transport without an address (the lobby's bridge) must not get
        // the empty address banned: every other bridged player has it too.
        if (!adresse.isNull() && adresse.toString() != QLatin1String("192.168.1.1") && !adresse.isLoopback())
            emit signalRequestBan(adresse);
    }
    abandonnee_ = true;
    tampon_.vide();
    if (socket != nullptr)
        socket->abort();
    return true;
}

void ZB_ServerSocketConnection::ferme()
{
    abandonnee_ = true;
    tampon_.vide();
    timerAuthentification_.stop();
    if (GM_SocketAbstract* socket = socket_.data()) {
        socket->disconnect(this);
        socket->abort();
    }
}

GM_SocketAbstract* ZB_ServerSocketConnection::lacheSocket()
{
    abandonnee_ = true;
    tampon_.vide();
    timerAuthentification_.stop();
    GM_SocketAbstract* socket = socket_.data();
    if (socket != nullptr)
        socket->disconnect(this);
    socket_.clear();
    return socket;
}

bool ZB_ServerSocketConnection::ecrit(const QByteArray& octets)
{
    GM_SocketAbstract* socket = socket_.data();
    if (socket == nullptr)
        return false;
    qsizetype ecrits = 0;
    while (ecrits < octets.size()) {
        const qint64 n = socket->write(ecrits == 0 ? octets : octets.mid(ecrits));
        // A transport that takes nothing would have us loop forever; one
        // that took part of a record has cut the stream: either way the
        // client can no longer follow.
        if (n <= 0) {
            demandeRetrait_();
            return false;
        }
        ecrits += qsizetype(qMin<qint64>(n, octets.size() - ecrits));
    }
    return true;
}

void ZB_ServerSocketConnection::demandeRetrait_()
{
    if (server_ != nullptr)
        QCoreApplication::postEvent(server_, new ZB_EventDisconnectServerSocketConnection(this));
}

void ZB_ServerSocketConnection::onReadyRead_tcpOld()
{
    GM_SocketAbstract* socket = socket_.data();
    while (socket != nullptr && socket_ != nullptr && socket->isValid() && socket->bytesAvailable() > 0) {
        const QByteArray octets = socket->read(TailleLectureMax);
        // A transport that says it has bytes and hands none out would keep
        // this loop going for ever.
        if (octets.isEmpty())
            break;
        if (server_ != nullptr)
            QCoreApplication::postEvent(server_, new ZB_EventServerSocketData(octets, this));
    }
}

void ZB_ServerSocketConnection::onBinaryMessageReceived(const QByteArray& message)
{
    if (socket_ != nullptr && server_ != nullptr)
        QCoreApplication::postEvent(server_, new ZB_EventServerSocketData(message, this));
}

void ZB_ServerSocketConnection::onDisconnect()
{
    demandeRetrait_();
}

void ZB_ServerSocketConnection::onSocketDestroyed()
{
    socket_.clear();
}

void ZB_ServerSocketConnection::onError(QAbstractSocket::SocketError erreur)
{
    if (erreur == QAbstractSocket::RemoteHostClosedError || server_ == nullptr)
        return;
    const GM_SocketAbstract* socket = socket_.data();
    const QString texte =
        QStringLiteral("Adresse distante: %1, Port local: %2, Port distant: %3, Erreur: %4 (%5).")
            .arg(socket != nullptr ? socket->peerAddress().toString() : QString())
            .arg(socket != nullptr ? socket->localPort() : 0)
            .arg(socket != nullptr ? socket->peerPort() : 0)
            .arg(int(erreur))
            .arg(socket != nullptr ? socket->errorString() : QString());
    QCoreApplication::postEvent(server_,
                                new ZB_EventSocketError(tr("Erreur de connection client."), texte, 0));
}

void ZB_ServerSocketConnection::onAuthTimeout()
{
    timerAuthentification_.stop();
    if (identifie_)
        return;
    ajouteStrike();
    demandeRetrait_();
}
