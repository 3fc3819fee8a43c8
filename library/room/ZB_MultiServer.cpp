#include "ZB_MultiServer.h"

#include "GM_BanList.h"
#include "GM_BasseLatence.h"
#include "GM_SocketAbstract.h"
#include "GM_SocketTCP.h"
#include "GM_SocketWeb.h"
#include "ZB_PorteTls.h"
#include "ZB_Room.h"
#include "ZB_ServerSocket.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QMutexLocker>
#include <QNetworkInterface>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {

// Holds the recursive mutex of every room's server for one scope, taken in
// room order and released in the same order.
class VerrouDesServeurs
{
public:
    explicit VerrouDesServeurs(const QList<ZB_ServerSocket*>& serveurs)
        : serveurs_(serveurs)
    {
        for (ZB_ServerSocket* serveur : serveurs_)
            serveur->getMutex()->lock();
    }
    ~VerrouDesServeurs()
    {
        for (ZB_ServerSocket* serveur : serveurs_)
            serveur->getMutex()->unlock();
    }
    VerrouDesServeurs(const VerrouDesServeurs&) = delete;
    VerrouDesServeurs& operator=(const VerrouDesServeurs&) = delete;

private:
    const QList<ZB_ServerSocket*> serveurs_;
};

QByteArray litRessource(const char* chemin)
{
    QFile fichier(QString::fromLatin1(chemin));
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

// An IPv4 peer of a dual-stack socket may come as an IPv4-mapped IPv6
// address; the rule must see the same address either way.
QHostAddress enIPv4SiPossible(const QHostAddress& adresse)
{
    bool ok = false;
    const quint32 v4 = adresse.toIPv4Address(&ok);
    return ok ? QHostAddress(v4) : adresse;
}

} // namespace

ZB_MultiServer::ZB_MultiServer(QObject* parent, int identifiant, const QList<ZB_Room*>& rooms, GM_BanList* banList)
    : QTcpServer(parent)
    , webSecure_(new QWebSocketServer(QString::fromLatin1(NomServeurSecure), QWebSocketServer::SecureMode, this))
    , webUnsecure_(
          new QWebSocketServer(QString::fromLatin1(NomServeurUnsecure), QWebSocketServer::NonSecureMode, this))
    , porteTls_(new ZB_PorteTls(webSecure_, webSecure_))
    , identifiant_(identifiant)
    , banList_(banList != nullptr ? banList : new GM_BanList(this))
    , adressePropre_(adresseDeLaMachine())
{
    for (ZB_Room* room : rooms) {
        if (room == nullptr)
            continue;
        rooms_.append(QPointer<ZB_Room>(room));
        // One list for the flood rule and the rooms' strikes alike.
        if (ZB_ServerSocket* serveur = room->getServer())
            serveur->setBanList(banList_);
    }

    setMaxPendingConnections(ConnexionsEnAttenteMax);
    webUnsecure_->setMaxPendingConnections(ConnexionsEnAttenteMax);
    webUnsecure_->setHandshakeTimeout(DelaiHandshakeMs);
    configureTls_();
    // Without TLS the secure server completes no handshake anyway.
    if (tlsConfigure_) {
        webSecure_->setMaxPendingConnections(ConnexionsEnAttenteMax);
        webSecure_->setHandshakeTimeout(DelaiHandshakeMs);
    }

    connect(this, &QTcpServer::newConnection, this, &ZB_MultiServer::onNewConnection_tcpOld);
    connect(webSecure_, &QWebSocketServer::newConnection, this, &ZB_MultiServer::onNewConnection_websocket_secure);
    connect(webUnsecure_, &QWebSocketServer::newConnection, this,
            &ZB_MultiServer::onNewConnection_websocket_unsecure);

    timerNettoyage_.setInterval(fenetreMs_);
    connect(&timerNettoyage_, &QTimer::timeout, this, &ZB_MultiServer::onClearTimeout);
    timerNettoyage_.start();
}

ZB_MultiServer::~ZB_MultiServer()
{
    timerNettoyage_.stop();
    // Not the virtual one: a subclass is gone already.
    ZB_MultiServer::closeAll();
}

void ZB_MultiServer::configureTls_()
{
    if (!QSslSocket::supportsSsl() || !QFile::exists(QString::fromLatin1(RessourceCle)))
        return;
    const QSslCertificate certificat(litRessource(RessourceCertificat), QSsl::Pem);
    const QSslKey cle(litRessource(RessourceCle), QSsl::Rsa, QSsl::Pem, QSsl::PrivateKey);
    if (certificat.isNull() || cle.isNull()) {
        qWarning().noquote() << QStringLiteral("ZB_MultiServer: the embedded certificate or key does not read; "
                                               "the secure WebSocket transport is off.");
        return;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    configuration.setLocalCertificate(certificat);
    configuration.setPrivateKey(cle);
    configuration.setProtocol(QSsl::SecureProtocols);
    webSecure_->setSslConfiguration(configuration);
    tlsConfigure_ = true;
}

QString ZB_MultiServer::adresseDeLaMachine()
{
    QString adresse;
    const QList<QHostAddress> adresses = QNetworkInterface::allAddresses();
    for (const QHostAddress& a : adresses)
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
            adresse = a.toString();
    return adresse;
}

QList<ZB_Room*> ZB_MultiServer::getRooms() const
{
    QList<ZB_Room*> rooms;
    for (const QPointer<ZB_Room>& room : rooms_)
        if (!room.isNull())
            rooms.append(room.data());
    return rooms;
}

QList<ZB_ServerSocket*> ZB_MultiServer::serveursDesRooms_() const
{
    QList<ZB_ServerSocket*> serveurs;
    for (const QPointer<ZB_Room>& garde : rooms_) {
        ZB_Room* room = garde.data();
        ZB_ServerSocket* serveur = room != nullptr ? room->getServer() : nullptr;
        if (serveur != nullptr)
            serveurs.append(serveur);
    }
    return serveurs;
}

bool ZB_MultiServer::ecoute(const QHostAddress& adresse, quint16 portTcp, quint16 portWebSecure,
                            quint16 portWebUnsecure)
{
    closeAll();
    bool ok = true;
    auto echec = [&](const QString& transport, quint16 port, const QString& erreur) {
        ok = false;
        emit signalLog(QStringLiteral("WARNING"), QStringLiteral("ZB_MultiServer could not listen on %1 port %2: %3")
                                                      .arg(transport)
                                                      .arg(port)
                                                      .arg(erreur));
    };
    if (!listen(adresse, portTcp))
        echec(QStringLiteral("TCP"), portTcp, errorString());
    if (!porteTls_->listen(adresse, portWebSecure))
        echec(QStringLiteral("secure WebSocket"), portWebSecure, porteTls_->errorString());
    if (!webUnsecure_->listen(adresse, portWebUnsecure))
        echec(QStringLiteral("WebSocket"), portWebUnsecure, webUnsecure_->errorString());
    return ok;
}

quint16 ZB_MultiServer::getPortTcp() const
{
    return isListening() ? serverPort() : 0;
}

quint16 ZB_MultiServer::getPortWebSecure() const
{
    return porteTls_->isListening() ? porteTls_->serverPort() : 0;
}

quint16 ZB_MultiServer::getPortWebUnsecure() const
{
    return webUnsecure_->isListening() ? webUnsecure_->serverPort() : 0;
}

void ZB_MultiServer::closeAll()
{
    close();
    porteTls_->close();
    webSecure_->close();
    webUnsecure_->close();
}

void ZB_MultiServer::setIntervalles(int fenetreMs, int periodeMs)
{
    fenetreMs_ = qMax(0, fenetreMs);
    timerNettoyage_.stop();
    timerNettoyage_.setInterval(qMax(1, periodeMs));
    timerNettoyage_.start();
}

qint64 ZB_MultiServer::maintenant() const
{
    return QDateTime::currentMSecsSinceEpoch();
}

qint64 ZB_MultiServer::getTentatives(const QHostAddress& address) const
{
    const auto it = tentatives_.constFind(qHash(address, 0));
    return it != tentatives_.constEnd() ? it->nombre : 0;
}

bool ZB_MultiServer::estExempte_(const QHostAddress& address) const
{
    if (modeTest_)
        return false;
    const QHostAddress adresse = enIPv4SiPossible(address);
    if (adresse.isLoopback())
        return true;
    // The machine's own address exactly: a text that merely contains it
    // is another machine (192.168.1.10 is not 192.168.1.1).
    if (adressePropre_.isEmpty())
        return false;
    const QHostAddress propre(adressePropre_);
    return !propre.isNull() && propre.isEqual(adresse, QHostAddress::TolerantConversion);
}

bool ZB_MultiServer::checkDoSProtection(const QHostAddress& address, quint16 localPort)
{
    // A socket gone before its peer was read has nothing left to serve, and
    // must not get the empty address banned: the bridged players have it.
    if (address.isNull())
        return false;
    if (banList_->isBanned(address))
        return false;

    const size_t cle = qHash(address, 0);
    auto it = tentatives_.find(cle);
    if (it == tentatives_.end())
        it = tentatives_.insert(cle, Tentatives{maintenant(), 0});
    ++it->nombre;

    if (estExempte_(address) || it->nombre < LimiteTentatives)
        return true;

    const qint64 duree = banList_->OnBan(address);
    emit signalLog(QStringLiteral("WARNING"),
                   QStringLiteral("ZB_MultiServer DoS protection banned '%1' %2[s] for exceeding %3 attempts in "
                                  "%4[s] at port %5")
                       .arg(address.toString())
                       .arg(duree)
                       .arg(LimiteTentatives)
                       .arg(QString::number(fenetreMs_ / 1000.0))
                       .arg(localPort));
    return false;
}

ZB_ServerSocket* ZB_MultiServer::findRoomForConnection(const QHostAddress& adresse)
{
    const QList<ZB_ServerSocket*> serveurs = serveursDesRooms_();
    VerrouDesServeurs verrou(serveurs);
    ZB_ServerSocket* enCours = nullptr;
    ZB_ServerSocket* inactif = nullptr;
    ZB_ServerSocket* surReserve = nullptr;
    ZB_ServerSocket* aPartager = nullptr;
    ZB_ServerSocket* complet = nullptr;
    for (ZB_ServerSocket* serveur : serveurs) {
        const int etat = serveur->getEtat();
        if (etat == ZB_ServerSocket::AttenteJoueurs || etat == ZB_ServerSocket::AttenteDemarrageAuto) {
            const int places = serveur->maxPlayers();
            if (serveur->connexionsTenues() < places)
                return serveur;
            if (surReserve == nullptr && serveur->getJoueurs().size() < places)
                surReserve = serveur;
            else if (aPartager == nullptr && serveur->peutFaireDeLaPlace(adresse))
                aPartager = serveur;
        } else if (etat == ZB_ServerSocket::CompletAvantDepart || etat == ZB_ServerSeatingA::EnCoursComplet) {
            if (aPartager == nullptr && serveur->peutFaireDeLaPlace(adresse))
                aPartager = serveur;
            // A full game still hears a player who comes back to the seat it
            // holds for her: her old socket may not be seen closed yet. One
            // who proves no held seat is told it is full once identified.
            else if (complet == nullptr && etat == ZB_ServerSeatingA::EnCoursComplet
                     && serveur->getJoueurs().size() <= serveur->maxPlayers())
                complet = serveur;
        } else if (etat == ZB_ServerSeatingA::EnCoursAvecPlacesLibres && enCours == nullptr) {
            enCours = serveur;
        } else if (etat == ZB_ServerSocket::Arrete && inactif == nullptr) {
            inactif = serveur;
        }
    }
    if (enCours != nullptr)
        return enCours;
    if (inactif != nullptr) {
        inactif->closeAllConnections();
        inactif->setEtat(ZB_ServerSocket::AttenteJoueurs);
        return inactif;
    }
    if (surReserve != nullptr)
        return surReserve;
    return aPartager != nullptr ? aPartager : complet;
}

void ZB_MultiServer::refuse_(QAbstractSocket* socket)
{
    socket->abort();
    socket->deleteLater();
}

void ZB_MultiServer::refuse_(QWebSocket* socket)
{
    socket->abort();
    socket->deleteLater();
}

void ZB_MultiServer::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    // As QTcpServer's own: only a descriptor the system no longer knows
    // fails here.
    if (!socket->setSocketDescriptor(descriptor)) {
        refuse_(socket);
        return;
    }
    if (!checkDoSProtection(socket->peerAddress(), socket->localPort())) {
        refuse_(socket);
        return;
    }
    addPendingConnection(socket);
}

void ZB_MultiServer::onNewConnection_tcpOld()
{
    while (QTcpSocket* socket = nextPendingConnection()) {
        QMutexLocker verrou(&mutex_);
        // Checked first: a refused socket must not reset an idle room.
        ZB_ServerSocket* serveur =
            checkDoSProtection(socket->peerAddress(), socket->localPort())
                ? findRoomForConnection(socket->peerAddress())
                : nullptr;
        if (serveur == nullptr) {
            refuse_(socket);
            continue;
        }
        serveur->acceptConnection(new GM_SocketTCP(socket));
    }
}

void ZB_MultiServer::webConnexions_(QWebSocketServer* serveurWeb, bool unsecure)
{
    while (QWebSocket* socket = serveurWeb->nextPendingConnection()) {
        if (!unsecure)
            porteTls_->ouverte(socket->peerAddress(), socket->peerPort());
        // Before anything is read: the defaults would buffer up to 2 GB.
        socket->setMaxAllowedIncomingFrameSize(TailleTrameWebMax);
        socket->setMaxAllowedIncomingMessageSize(TailleMessageWebMax);
        QMutexLocker verrou(&mutex_);
        ZB_ServerSocket* serveur =
            checkDoSProtection(socket->peerAddress(), socket->localPort())
                ? findRoomForConnection(socket->peerAddress())
                : nullptr;
        if (serveur == nullptr) {
            refuse_(socket);
            continue;
        }
        GM_BasseLatence::appliqueAccepte(serveurWeb, socket);
        serveur->acceptConnection(new GM_SocketWeb(socket, unsecure));
    }
}

void ZB_MultiServer::onNewConnection_websocket_secure()
{
    webConnexions_(webSecure_, false);
}

void ZB_MultiServer::onNewConnection_websocket_unsecure()
{
    webConnexions_(webUnsecure_, true);
}

void ZB_MultiServer::OnReceiveBridgeOpen(GM_SocketAbstract* new_socketP)
{
    if (new_socketP == nullptr)
        return;
    if (!bridgeOuvert_) {
        new_socketP->abort();
        new_socketP->deleteLater();
        return;
    }
    QMutexLocker verrou(&mutex_);
    // Bridged users are lobby members: no flood rule, and no address.
    if (ZB_ServerSocket* serveur = findRoomForConnection()) {
        serveur->acceptConnection(new_socketP);
        return;
    }
    new_socketP->abort();
    new_socketP->deleteLater();
}

void ZB_MultiServer::onClearTimeout()
{
    timerNettoyage_.stop();
    const qint64 maintenant_ = maintenant();
    QList<size_t> retirees;
    for (auto it = tentatives_.begin(); it != tentatives_.end();) {
        if (maintenant_ - it->debutMs > fenetreMs_) {
            retirees.append(it.key());
            it = tentatives_.erase(it);
        } else {
            ++it;
        }
    }
    if (!retirees.isEmpty()) {
        const QList<ZB_ServerSocket*> serveurs = serveursDesRooms_();
        VerrouDesServeurs verrou(serveurs);
        for (size_t cle : std::as_const(retirees))
            for (ZB_ServerSocket* serveur : serveurs)
                serveur->disconnectUnidentifiedFrom(cle);
    }
    timerNettoyage_.start();
}
