#include "ZB_ServerSocket.h"

#include "AnnoncesJoueur.h"
#include "EvenementDeJeu.h"
#include "GM_BanList.h"
#include "GM_Exception.h"
#include "GM_PartParAdresse.h"
#include "GM_SpacesSeparatedString.h"
#include "GM_SocketAbstract.h"
#include "ListeDesEvenements.h"
#include "StatusAtout.h"
#include "ZB_MessageDeTable.h"
#include "TypeDePartie.h"
#include "VersionProtocole.h"
#include "ZB_CleDeJoueur.h"
#include "ZB_EventDisconnectServerSocketConnection.h"
#include "ZB_EventServerSocketData.h"
#include "ZB_EventIntake.h"
#include "ZB_EventSocketError.h"
#include "ZB_EventsGroup.h"
#include "ZB_FicheIdentification.h"
#include "ZB_RecordReader.h"
#include "ZB_ServerSocketConnection.h"
#include "ZB_StatusMise.h"
#include "ZB_VerrouEvenements.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHash>
#include <QHostAddress>
#include <QMutexLocker>
#include <QStringList>

#include <exception>
#include <utility>

namespace {

// The record an answer carries must read before it reaches the table, so
// that a bad one is the sender's fault and not a stalled queue.
void verifieTexte(const EvenementDeJeu& ev)
{
    switch (ev.type_) {
    case EvenementDeJeu::Cho: {
        StatusAtout atout;
        atout.chargeValeursDepuisString(ev.texte_);
        break;
    }
    case EvenementDeJeu::Chm: {
        ZB_StatusMise mise;
        mise.chargeValeursDepuisString(ev.texte_);
        break;
    }
    case EvenementDeJeu::Ann: {
        AnnoncesJoueur annonces;
        annonces.chargeValeursDepuisString(ev.texte_);
        break;
    }
    default:
        break;
    }
}

// The unidentified connection that makes room for a newcomer from adresse
// (GM_PartParAdresse).
ZB_ServerSocketConnection* aRenvoyer(const QList<ZB_ServerSocketConnection*>& nonIdentifiees,
                                     const QHostAddress& adresse)
{
    QList<QHostAddress> adresses;
    for (const ZB_ServerSocketConnection* connection : nonIdentifiees) {
        const GM_SocketAbstract* socket = connection->getSocket();
        adresses << (socket != nullptr ? socket->peerAddress() : QHostAddress());
    }
    const qsizetype i = GM_PartParAdresse::aRenvoyer(adresses, adresse);
    return i >= 0 ? nonIdentifiees.at(i) : nullptr;
}

} // namespace

ZB_ServerSocket::ZB_ServerSocket(QObject* parent, Cb_TableConnectionInput* room, QSharedPointer<ListeDeTables> tables,
                                 ZB_EventsGroup* events, const QString& chemin)
    : QObject(parent)
    , room_(room)
    , events_(events)
    , chemin_(chemin)
    , tables_(tables)
    , nombreDeTables_(tables.isNull() || tables->isEmpty() ? 1 : int(tables->size()))
{
    timerDepart_.setSingleShot(true);
    connect(&timerDepart_, &QTimer::timeout, this, &ZB_ServerSocket::OnTimerStartTimeout);
}

ZB_ServerSocket::~ZB_ServerSocket()
{
    // The connections are children and go with this object; nothing they
    // still post may find it.
    QCoreApplication::removePostedEvents(this);
}

int ZB_ServerSocket::maxPlayers() const
{
    if (tables_.isNull())
        return joueurLocal_.has_value() ? 3 : 4;
    int places = 0;
    for (const ZB_TableConfiguration& table : *tables_)
        places += table.nombreDeSieges();
    return places;
}

int ZB_ServerSocket::connexionsTenues() const
{
    int tenues = 0;
    for (const ZB_ServerSocketConnection* connection : connexions_)
        tenues += connection->estAbandonnee() ? 0 : 1;
    return tenues;
}

void ZB_ServerSocket::attendJoueurs(const OptionsDePartie& options, quint16 portSecure, quint16 portUnsecure,
                                    quint16 portTcp, bool demarrageAuto, int secondesAttente)
{
    QMutexLocker verrou(&mutexRecursif_);
    options_ = options;
    portSecure_ = portSecure;
    portUnsecure_ = portUnsecure;
    portTcp_ = portTcp;
    timerDepart_.stop();
    timerDepart_.setInterval(qMax(0, secondesAttente) * 1000);
    etat_ = demarrageAuto ? AttenteDemarrageAuto : AttenteJoueurs;
    nombreJoueursRequis_ = demarrageAuto ? 1 : 0;
    garde_.oublieTout();
}

bool ZB_ServerSocket::estConnectee_(const ZB_ServerSocketConnection* connection) const
{
    return connection != nullptr && connexions_.contains(const_cast<ZB_ServerSocketConnection*>(connection));
}

void ZB_ServerSocket::log_(const QString& severite, const QString& message)
{
    if (severite == QLatin1String("WARNING"))
        qWarning().noquote() << message;
    else
        qDebug().noquote() << message;
    // What only the trace needs stays out of the host's view.
    if (vue_ != nullptr && severite != QLatin1String("DEBUG"))
        vue_->cb_log(severite, message);
}


bool ZB_ServerSocket::acceptConnection(GM_SocketAbstract* socket)
{
    if (socket == nullptr)
        return false;
    QMutexLocker verrou(&mutexRecursif_);
    const QHostAddress adresse = socket->peerAddress();
    bool complet = false;
    const QString raison = raisonDeRefus_(adresse, &complet);
    if (!raison.isEmpty()) {
        // A stopped server refuses everybody: nothing worth a line.
        if (etat_ != Arrete)
            log_(QStringLiteral("INFO"), QStringLiteral("INFO: ZB_ServerSocket refused a connection from %1: %2")
                                             .arg(adresse.toString(), raison));
        refuse_(socket, complet ? refusComplet_() : QByteArray(RECORD_REFUS_TABLE));
        return false;
    }
    auto* connection = new ZB_ServerSocketConnection(socket, this);
    connection->setServer(this);
    connect(socket, &GM_SocketAbstract::signalBridgeClose, this, &ZB_ServerSocket::OnBridgeClose);
    if (banList_ != nullptr)
        connect(connection, &ZB_ServerSocketConnection::signalRequestBan, banList_, &GM_BanList::OnBan);
    connexions_.append(connection);
    if (etat_ == AttenteDemarrageAuto && !timerDepart_.isActive())
        timerDepart_.start();
    // Bytes that came before the connection listened would wait for the
    // next read otherwise.
    if (socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(connection, &ZB_ServerSocketConnection::onReadyRead_tcpOld, Qt::QueuedConnection);
    return true;
}

QString ZB_ServerSocket::raisonDeRefus_(const QHostAddress& adresse, bool* complet)
{
    if (etat_ == Arrete)
        return QStringLiteral("the server is stopped");
    if (banList_ != nullptr && banList_->isBanned(adresse))
        return QStringLiteral("the address is banned");
    if (joueurs_.size() > maxPlayers() && !peutFaireDeLaPlace(adresse)) {
        if (complet != nullptr)
            *complet = true;
        return QStringLiteral("every seat is taken");
    }
    QList<ZB_ServerSocketConnection*> nonIdentifiees;
    int deLAdresse = 0;
    for (ZB_ServerSocketConnection* connection : std::as_const(connexions_)) {
        if (connection->estIdentifie())
            continue;
        nonIdentifiees.append(connection);
        const GM_SocketAbstract* autre = connection->getSocket();
        if (!adresse.isNull() && autre != nullptr && autre->peerAddress().isEqual(adresse))
            ++deLAdresse;
    }
    if (deLAdresse >= NonIdentifiesParAdresseMax)
        return QStringLiteral("%1 connections from the address did not identify yet").arg(deLAdresse);
    while (nonIdentifiees.size() >= NonIdentifiesMax) {
        ZB_ServerSocketConnection* partante = aRenvoyer(nonIdentifiees, adresse);
        nonIdentifiees.removeOne(partante);
        removeConnection(partante, false);
    }
    return QString();
}

QByteArray ZB_ServerSocket::refusComplet_()
{
    return QByteArray(RECORD_REFUS_TABLE) + QByteArray(RECORD_REFUS_COMPLET);
}

void ZB_ServerSocket::refuse_(GM_SocketAbstract* socket, const QByteArray& record)
{
    // Said before the close, so that the client does not come back for the
    // same answer.
    socket->write(record);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
    }
    // A TCP socket still writing the record closes once it is out: deleted
    // before, it would be reset and the record lost. A peer that never
    // reads does not keep it longer than that.
    connect(socket, &GM_SocketAbstract::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(AttenteRefusMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
}

void ZB_ServerSocket::oublie_(ZB_ServerSocketConnection* connection)
{
    connexions_.removeAll(connection);
    joueurs_.removeAll(connection);
}

void ZB_ServerSocket::annonce_(const QString& texte)
{
    if (vue_ != nullptr)
        vue_->cb_annonce(texte);
}

QString ZB_ServerSocket::nomDe_(const ZB_ServerSocketConnection* connection)
{
    return connection->getOptions().getNomAffiche();
}

void ZB_ServerSocket::removeConnection(ZB_ServerSocketConnection* connection, bool flag)
{
    QMutexLocker verrou(&mutexRecursif_);
    // The player went of its own: not one back on a new connection.
    if (!flag && estConnectee_(connection) && connection->estIdentifie())
        annonce_(tr("%1 a quitté la partie").arg(nomDe_(connection)));
    retire_(connection, flag);
}

void ZB_ServerSocket::retire_(ZB_ServerSocketConnection* connection, bool flag)
{
    if (!estConnectee_(connection))
        return;
    const bool identifie = connection->estIdentifie();
    const qint64 id = connection->getPlayerId();
    oublie_(connection);
    if (vue_ != nullptr)
        vue_->cb_connectionClosed(this, connection);
    // Only a player who leaves changes who plays: a socket that never
    // identified must not send the others home nor end the game.
    if (identifie && tables_.isNull() && joueurs_.size() < nombreJoueursRequis_) {
        if (etat_ == AttenteDemarrageAuto) {
            closeAllConnections();
            etat_ = AttenteJoueurs;
        }
        timerDepart_.stop();
    }
    // Later: it may be the connection whose bytes are being read.
    connection->ferme();
    connection->deleteLater();

    const bool fin = identifie && etat_ != AttenteJoueurs && etat_ != AttenteDemarrageAuto
                  && joueurs_.size() < nombreJoueursRequis_;
    if (identifie && id != -1)
        emit signalSetClientOffline(id, !fin, !fin && !flag);
    if (fin && etat_ != Arrete)
        finDePartie_();
}

void ZB_ServerSocket::retireJoueur(ZB_ServerSocketConnection* connection)
{
    QMutexLocker verrou(&mutexRecursif_);
    if (!estConnectee_(connection) || !connection->estIdentifie())
        return;
    garde_.exclut(connection->getPlayerId());
    log_(QStringLiteral("INFO"),
         QStringLiteral("INFO: ZB_ServerSocket the host removed %1").arg(connection->toString()));
    // The player is told why its connection ends.
    if (GM_SocketAbstract* socket = connection->lacheSocket())
        refuse_(socket, RECORD_RETRAIT_TABLE);
    // The host's view says it in its own words.
    retire_(connection, false);
}

void ZB_ServerSocket::refuseComplet(ZB_ServerSocketConnection* connection)
{
    QMutexLocker verrou(&mutexRecursif_);
    if (estConnectee_(connection))
        refuseIdentification_(connection, refusComplet_());
}

void ZB_ServerSocket::perdConnexion(qint64 playerId, const QString& raison)
{
    QMutexLocker verrou(&mutexRecursif_);
    const QList<ZB_ServerSocketConnection*> joueurs = joueurs_;
    for (ZB_ServerSocketConnection* connection : joueurs)
        if (connection->getPlayerId() == playerId && estConnectee_(connection)) {
            log_(QStringLiteral("INFO"), QStringLiteral("INFO: ZB_ServerSocket %1 is taken as lost: %2")
                                             .arg(connection->toString(), raison));
            annonce_(tr("%1 a été exclu: il n'a pas joué dans les délais impartis").arg(nomDe_(connection)));
            retire_(connection, false);
        }
}

void ZB_ServerSocket::finDePartie_()
{
    if (etat_ == EnCoursAvecPlacesLibres || etat_ == EnCoursComplet) {
        emit signalOnlineGameEnded();
        if (vue_ != nullptr)
            vue_->cb_gameEnded(true, nombreDeTables_);
    }
    closeAllConnections();
    etat_ = Arrete;
    // The session is over: its players' keys prove nothing in the next.
    garde_.oublieTout();
}

void ZB_ServerSocket::arrete()
{
    QMutexLocker verrou(&mutexRecursif_);
    // The players are told that the host stopped, not that the connection
    // broke.
    for (ZB_ServerSocketConnection* connection : std::as_const(joueurs_))
        if (GM_SocketAbstract* socket = connection->lacheSocket())
            refuse_(socket, RECORD_ARRET_TABLE);
    finDePartie_();
}

void ZB_ServerSocket::closeAllConnections()
{
    QMutexLocker verrou(&mutexRecursif_);
    const QList<ZB_ServerSocketConnection*> connexions = connexions_;
    connexions_.clear();
    joueurs_.clear();
    for (ZB_ServerSocketConnection* connection : connexions) {
        if (vue_ != nullptr)
            vue_->cb_connectionClosed(this, connection);
        connection->ferme();
        connection->deleteLater();
    }
}

void ZB_ServerSocket::start(const OptionsDePartie& options, quint16 portSecure, quint16 portUnsecure, quint16 portTcp)
{
    QMutexLocker verrou(&mutexRecursif_);
    timerDepart_.stop();
    if (etat_ != AttenteJoueurs && etat_ != AttenteDemarrageAuto && etat_ != CompletAvantDepart)
        return;
    const int places = maxPlayers();
    etat_ = joueurs_.size() >= places ? EnCoursComplet : EnCoursAvecPlacesLibres;

    QList<Humain> humains;
    // The host sits first, at a seat no connection holds.
    const bool hote = joueurLocal_.has_value() && tables_.isNull();
    if (hote)
        humains.append(qMakePair(static_cast<ZB_ServerSocketConnection*>(nullptr), *joueurLocal_));
    const QList<ZB_ServerSocketConnection*> joueurs = joueurs_;
    for (ZB_ServerSocketConnection* joueur : joueurs) {
        if (humains.size() - (hote ? 1 : 0) >= places) {
            GM_SocketAbstract* socket = joueur->getSocket();
            log_(QStringLiteral("WARNING"),
                 QStringLiteral("WARNING: ZB_ServerSocket::start() dropping %1:%2, because the server is already full.")
                     .arg(joueur->getPlayerId())
                     .arg(socket != nullptr ? socket->peerAddress().toString() : QString()));
            annonce_(tr("%1 n'a pas eu de place: la partie est complète").arg(nomDe_(joueur)));
            // Full is a refusal: the client must not come back for it.
            if (socket != nullptr) {
                socket->write(refusComplet_());
                socket->disconnectFromHost();
            }
            continue;
        }
        humains.append(qMakePair(joueur, joueur->getOptions()));
    }

    QList<OptionsDuJoueur> ordinateurs;
    for (int i = 0; i < 4 * nombreDeTables_; ++i) {
        OptionsDuJoueur ordinateur;
        ordinateur.nom_ = generateurDeNoms_ ? generateurDeNoms_() : tr("Ordinateur");
        ordinateur.ordinateur_ = 1;
        ordinateur.optionsAI_ = options.optionsAIAdversaires_;
        ordinateur.id_ = OptionsDuJoueur::genereId();
        ordinateurs.append(ordinateur);
    }
    depart(options, humains, ordinateurs, portSecure, portUnsecure, portTcp);
}

void ZB_ServerSocket::depart(const OptionsDePartie& options, const QList<Humain>& humains,
                             const QList<OptionsDuJoueur>& ordinateurs, quint16 portSecure, quint16 portUnsecure,
                             quint16 portTcp)
{
    QMutexLocker verrou(&mutexRecursif_);
    if (room_ == nullptr || !room_->cb_resetTables(nombreDeTables_))
        return;

    options_ = options;
    portSecure_ = portSecure;
    portUnsecure_ = portUnsecure;
    portTcp_ = portTcp;
    const TypeDePartie& type = options.idPreset_ == TypeDePartie::ID_PERSONALISE
                                 ? options.typeDePartie_
                                 : TypeDePartie::getTypeDePartie(options.idPreset_);
    version_ = type.atoutImpose_ ? 2 : 1;
    if (events_ != nullptr)
        events_->setVersion(version_);
    if (portSecure != 0)
        emit signalDepart(options, portSecure, portUnsecure, portTcp);
    if (events_ == nullptr)
        return;

    QList<int> etapes(nombreDeTables_, EtatDeJeu::InscriptionJoueur0);
    int prochainOrdinateur = 0;
    auto ordinateurSuivant = [&](int noTable) {
        if (prochainOrdinateur < ordinateurs.size())
            ajouteEventInscritJoueur_unlocked(etapes, noTable, ordinateurs.at(prochainOrdinateur++), nullptr);
    };

    ZB_VerrouEvenements<ZB_EventsGroup> verrouListes(*events_);
    if (tables_.isNull() || tables_->isEmpty()) {
        int inscrits = 0;
        for (const Humain& humain : humains) {
            // A table has four seats, whoever asked for more.
            if (inscrits >= 4)
                break;
            ajouteEventInscritJoueur_unlocked(etapes, 0, humain.second, humain.first);
            ++inscrits;
        }
        for (; inscrits < 4 && prochainOrdinateur < ordinateurs.size(); ++inscrits)
            ordinateurSuivant(0);
    } else {
        QList<bool> inscrit(humains.size(), false);
        for (int noTable = 0; noTable < tables_->size(); ++noTable) {
            for (int siege = 0; siege < 4; ++siege) {
                const qint64 compte = tables_->at(noTable).getCompte(siege);
                int trouve = -1;
                for (int i = 0; compte != -1 && i < humains.size() && trouve < 0; ++i)
                    if (!inscrit.at(i) && humains.at(i).second.idCompte_ == compte)
                        trouve = i;
                // A user the lobby seated who did not come leaves the seat
                // to the computer: a table cannot play with a hole.
                if (trouve >= 0) {
                    inscrit[trouve] = true;
                    ajouteEventInscritJoueur_unlocked(etapes, noTable, humains.at(trouve).second,
                                                      humains.at(trouve).first);
                } else {
                    ordinateurSuivant(noTable);
                }
            }
        }
    }
    events_->flush_unlocked();
}

void ZB_ServerSocket::ajouteEventInscritJoueur_unlocked(QList<int>& etapes, int noTable,
                                                       const OptionsDuJoueur& joueur,
                                                       ZB_ServerSocketConnection* connection)
{
    if (connection != nullptr)
        connection->setTableId(noTable);
    else
        garde_.reserve(joueur.id_);
    ListeDesEvenements* liste = events_ != nullptr ? events_->getListe(noTable) : nullptr;
    if (liste == nullptr || noTable < 0 || noTable >= etapes.size())
        return;
    const int etape = etapes[noTable]++;
    EvenementDeJeu ev(EvenementDeJeu::InJ, joueur.sauveValeursDansString(), 4, etape, EvenementDeJeu::Local_Table,
                      joueur.id_, 0, -1, noTable, ZB_ICI);
    liste->execute_unlocked(-1, ev, false);
}

void ZB_ServerSocket::envoieEvenement(const EvenementDeJeu& ev)
{
    QMutexLocker verrou(&mutexRecursif_);
    const QByteArray octets = ev.toString(version_).toUtf8();
    const QList<ZB_ServerSocketConnection*> connexions = connexions_;
    for (ZB_ServerSocketConnection* connection : connexions) {
        if (!connection->estIdentifie() || connection->estAbandonnee())
            continue;
        if (connection->getTableId() == ev.noTable_ || connection->getTableId() == -1)
            connection->ecrit(octets);
    }
}

int ZB_ServerSocket::sourceRecue(int source, qint64 idJoueur)
{
    // The host owns no player id.
    return ZB_RecordReader::sourceRecue(source, idJoueur, -1);
}

void ZB_ServerSocket::strike_(ZB_ServerSocketConnection* connection, const QString& raison)
{
    log_(QStringLiteral("WARNING"), QStringLiteral("WARNING: ZB_ServerSocket dropped a record from %1 (strike %2): %3")
                                        .arg(connection->toString())
                                        .arg(connection->getStrikes() + 1)
                                        .arg(raison));
    connection->ajouteStrike();
}

void ZB_ServerSocket::dataReceived_(const QByteArray& octets, ZB_ServerSocketConnection* connection)
{
    QMutexLocker verrou(&mutexRecursif_);
    // The bytes of a connection that is gone, or that was given up, are
    // nobody's.
    if (!estConnectee_(connection) || connection->estAbandonnee())
        return;
    // A peer that opens with anything but a record speaks another protocol
    // (a WebSocket or TLS client on the TCP port): closed at once, so that
    // it can try the port's own transport without waiting for the
    // identification delay. It is answered first: a TLS client reads bytes
    // that are not TLS, where a bare close would look like the secure
    // port's gate making room, which it would try again.
    if (!connection->estIdentifie() && connection->tampon().enAttente() == 0 && !octets.isEmpty()
        && octets.at(0) != '{') {
        // A joining copy trying its transports one after the other does
        // this on every ordinary join: nothing the host need read.
        log_(QStringLiteral("DEBUG"),
             QStringLiteral("ZB_ServerSocket closed %1: not the table protocol").arg(connection->toString()));
        refuseIdentification_(connection);
        return;
    }
    connection->tampon().ajoute(octets);
    while (estConnectee_(connection) && !connection->estAbandonnee()) {
        QByteArray record;
        bool precede = false;
        const ZB_RecordFramer::Resultat resultat = connection->tampon().prochain(record, precede);
        if (resultat == ZB_RecordFramer::Aucun)
            break;
        if (resultat == ZB_RecordFramer::Debordement) {
            strike_(connection, QStringLiteral("more than %1 bytes without a whole record")
                                    .arg(connection->tampon().getCapacite()));
            connection->ferme();
            QCoreApplication::postEvent(this, new ZB_EventDisconnectServerSocketConnection(connection));
            break;
        }
        QString raison;
        if (traiteRecord_(record, precede, connection, raison))
            continue;
        // The peer's bytes go to the log on one line, not all of them, and
        // never a seat key: whoever reads the log would take the seat.
        if (estConnectee_(connection))
            strike_(connection, raison + QStringLiteral(": ")
                                    + ZB_FicheIdentification::masqueCles(QString::fromUtf8(record)).left(200).simplified());
    }
}

bool ZB_ServerSocket::traiteRecord_(const QByteArray& record, bool precede, ZB_ServerSocketConnection* connection,
                                   QString& raison)
{
    EvenementDeJeu ev;
    raison = ZB_RecordReader::lis(record, precede, ev);
    if (!raison.isEmpty())
        return false;
    ev.source_ = sourceRecue(ev.source_, ev.idJoueur_);

    // Until a connection has said who it is it speaks for no seat: what it
    // sends would act under an id nobody proved. Once it has, it cannot
    // become another player under a running game.
    if (!connection->estIdentifie()) {
        if (ev.type_ != EvenementDeJeu::NeW || ev.etat_ != EtatDeJeu::Identification) {
            raison = QStringLiteral("not identified yet");
            return false;
        }
        return identification_(ev, connection, raison);
    }
    if (ev.type_ == EvenementDeJeu::NeW || ev.etat_ == EtatDeJeu::Identification) {
        raison = QStringLiteral("identified already");
        return false;
    }
    return evenementDeJeu_(ev, connection, raison);
}

bool ZB_ServerSocket::identification_(const EvenementDeJeu& ev, ZB_ServerSocketConnection* connection,
                                      QString& raison)
{
    ZB_FicheIdentification fiche;
    raison = GM_Exception::sansException([&] { fiche.chargeValeursDepuisString(ev.texte_); });
    if (!raison.isEmpty())
        return false;
    OptionsDuJoueur options = fiche.joueur_;
    // The event says whom it is about; the record must be that player, and
    // a real one: -1 stands for no player in every event.
    if (options.id_ < 0 || options.id_ != ev.idJoueur_) {
        raison = QStringLiteral("player id %1 against the record's %2").arg(ev.idJoueur_).arg(options.id_);
        return false;
    }
    const bool signe = !fiche.publique_.isEmpty();
    if (signe && ZB_CleDeJoueur::idDePublique(fiche.publique_) != options.id_) {
        raison = QStringLiteral("player %1 with another player's public key").arg(options.id_);
        return false;
    }
    // A signed id: the player signs a challenge of this connection's own,
    // and is identified once the answer proves it.
    if (signe && fiche.signature_.isEmpty()) {
        if (connection->getDefi().isEmpty())
            connection->setDefi(ZB_CleDeJoueur::genereDefi());
        const EvenementDeJeu defi(EvenementDeJeu::NeW, connection->getDefi(), 4, EtatDeJeu::Identification,
                                  EvenementDeJeu::Local_Table, options.id_, 0, -1, -2, ZB_ICI);
        connection->ecrit(defi.toString(version_).toUtf8());
        return true;
    }
    bool prouve = false;
    if (signe) {
        const QString defi = connection->getDefi();
        connection->setDefi(QString());
        if (defi.isEmpty()) {
            raison = QStringLiteral("player %1 signed no challenge of this host").arg(options.id_);
            return false;
        }
        prouve = signatureValable_(fiche, defi, options.id_, connection);
        // Signed for another port (a listener there passing this host's
        // challenge on, or a port forwarded under another number): no
        // proof, and the player is taken for an older client, who gets a
        // key unless its id is held.
        if (!prouve)
            log_(QStringLiteral("INFO"),
                 QStringLiteral("INFO: ZB_ServerSocket %1: the signature does not answer this connection's "
                                "challenge; taken as an older client's")
                     .arg(connection->toString()));
    }
    // The host's own seat is played here, by no connection.
    ZB_GardeDesSieges::Verdict verdict = ZB_GardeDesSieges::Refuse;
    if (joueurLocal_.has_value() && joueurLocal_->id_ == options.id_)
        verdict = ZB_GardeDesSieges::Refuse;
    else if (prouve)
        verdict = garde_.examineSigne(options.id_, raison);
    else
        verdict = garde_.examine(options.id_, fiche.cle_, raison);
    if (verdict == ZB_GardeDesSieges::Refuse) {
        if (raison.isEmpty())
            raison = QStringLiteral("player %1 is not a client's").arg(options.id_);
        // Said while the connection still knows its peer.
        raison += QStringLiteral(" (%1)").arg(connection->toString());
        refuseIdentification_(connection);
        return false;
    }
    // Seen from here a client is remote, and never a computer of ours.
    if (options.distant_ == 0)
        options.distant_ = 1;
    options.ordinateur_ = 0;
    options.nom_ = nomDistinct_(options.nom_, options.id_);

    connection->identifie(options);
    // Counted before the stale socket goes, so that the player is never
    // missing from the count, which would end the game or send the others
    // home.
    joueurs_.append(connection);
    // Before anything of the table: the client keeps the key with its id.
    if (verdict == ZB_GardeDesSieges::Nouveau) {
        const EvenementDeJeu cle(EvenementDeJeu::NeW, garde_.cle(options.id_), 4, EtatDeJeu::Identification,
                                 EvenementDeJeu::Local_Table, options.id_, 0, -1, -2, ZB_ICI);
        connection->ecrit(cle.toString(version_).toUtf8());
    }
    // The same player on an older socket: that one is stale, and goes
    // before the seats are counted, or it would fill a seat twice.
    bool remplace = false;
    const QList<ZB_ServerSocketConnection*> autres = connexions_;
    for (ZB_ServerSocketConnection* autre : autres) {
        if (autre != connection && autre->estIdentifie() && autre->getPlayerId() == options.id_) {
            removeConnection(autre, true);
            remplace = true;
        }
    }
    // A player who comes back takes its own seat, nobody else's.
    const bool deloge = !remplace && faitDeLaPlace_(connection);
    if (!estConnectee_(connection))
        return true;
    // Once the game runs, the table says when it is full, as it seats the
    // newcomer: called full now, the last free seat would be refused to the
    // very player who was to take it.
    if (tables_.isNull() && joueurs_.size() >= maxPlayers()
        && (etat_ == AttenteJoueurs || etat_ == AttenteDemarrageAuto))
        etat_ = CompletAvantDepart;
    if (vue_ == nullptr)
        return true;
    if (!remplace && !deloge) {
        vue_->cb_newConnection(this, options, connection, false);
        return true;
    }
    // The old socket's seat goes offline through events posted to the room;
    // the view's seating of the new one must come after them, or their
    // execution would take the seat back from the returning player (or
    // give the newcomer no seat).
    QPointer<ZB_ServerSocketConnection> garde(connection);
    QMetaObject::invokeMethod(
        this,
        [this, garde, options] {
            QMutexLocker verrouDiffere(&mutexRecursif_);
            if (vue_ != nullptr && estConnectee_(garde.data()))
                vue_->cb_newConnection(this, options, garde.data(), true);
        },
        Qt::QueuedConnection);
    return true;
}

bool ZB_ServerSocket::signatureValable_(const ZB_FicheIdentification& fiche, const QString& defi, qint64 id,
                                        const ZB_ServerSocketConnection* connection) const
{
    const GM_SocketAbstract* socket = connection->getSocket();
    const quint16 port = socket != nullptr ? socket->localPort() : 0;
    // The lobby's bridge has no port of its own: any of this host's.
    const QList<quint16> ports =
        port != 0 ? QList<quint16>{port} : QList<quint16>{portSecure_, portUnsecure_, portTcp_, 0};
    for (const quint16 p : ports)
        if (ZB_CleDeJoueur::verifie(fiche.publique_, ZB_CleDeJoueur::messageDeDefi(defi, id, fiche.publique_, p),
                                    fiche.signature_))
            return true;
    return false;
}

QString ZB_ServerSocket::renommeJoueurLocal(const QString& nom)
{
    QMutexLocker verrou(&mutexRecursif_);
    if (!joueurLocal_.has_value())
        return QString();
    const QString distinct = nomDistinct_(nom, joueurLocal_->id_);
    if (!distinct.isEmpty())
        joueurLocal_->nom_ = distinct;
    return joueurLocal_->nom_;
}

QString ZB_ServerSocket::nomDistinct_(const QString& nom, qint64 id) const
{
    QStringList pris;
    if (joueurLocal_.has_value() && joueurLocal_->id_ != id)
        pris << joueurLocal_->nom_;
    for (const ZB_ServerSocketConnection* autre : connexions_)
        if (autre->estIdentifie() && autre->getPlayerId() != id)
            pris << autre->getOptions().nom_;
    // Bounded as every screen shows it: a name goes to every copy in every
    // inscription, and a peer may send one of any length.
    const QString propre = OptionsDuJoueur::nomBorne(GM_SpacesSeparatedString::sanitizeFreeText(nom).trimmed());
    QString distinct = propre;
    // The number stays within what a screen shows of a name: a long name cut
    // there would read as the one it is told apart from.
    for (int n = 2; pris.contains(distinct, Qt::CaseInsensitive); ++n) {
        const QString numero = QStringLiteral(" (%1)").arg(n);
        distinct = OptionsDuJoueur::nomBorne(propre, OptionsDuJoueur::NOM_AFFICHE_MAX - int(numero.size())) + numero;
    }
    return distinct;
}

void ZB_ServerSocket::refuseIdentification_(ZB_ServerSocketConnection* connection, const QByteArray& record)
{
    // Nothing more it sends counts, and it goes once its bytes are read;
    // its client is told, and does not come back for the same answer.
    if (GM_SocketAbstract* socket = connection->lacheSocket())
        refuse_(socket, record);
    QCoreApplication::postEvent(this, new ZB_EventDisconnectServerSocketConnection(connection));
}

bool ZB_ServerSocket::peutFaireDeLaPlace(const QHostAddress& adresse) const
{
    return partageActif_() && ZB_GardeDesSieges::victime(adressesDesJoueurs_(nullptr), adresse) >= 0;
}

QList<QHostAddress> ZB_ServerSocket::adressesDesJoueurs_(const ZB_ServerSocketConnection* sauf) const
{
    QList<QHostAddress> adresses;
    for (const ZB_ServerSocketConnection* joueur : joueurs_) {
        if (joueur == sauf || joueur->estAbandonnee())
            continue;
        const GM_SocketAbstract* socket = joueur->getSocket();
        adresses << (socket != nullptr ? socket->peerAddress() : QHostAddress());
    }
    return adresses;
}

bool ZB_ServerSocket::faitDeLaPlace_(ZB_ServerSocketConnection* nouveau)
{
    const GM_SocketAbstract* socket = nouveau->getSocket();
    const QHostAddress adresse = socket != nullptr ? socket->peerAddress() : QHostAddress();
    bool fait = false;
    while (partageActif_() && joueurs_.size() > maxPlayers()) {
        QList<ZB_ServerSocketConnection*> autres;
        for (ZB_ServerSocketConnection* joueur : std::as_const(joueurs_))
            if (joueur != nouveau && !joueur->estAbandonnee())
                autres << joueur;
        const qsizetype i = ZB_GardeDesSieges::victime(adressesDesJoueurs_(nouveau), adresse);
        if (i < 0)
            break;
        ZB_ServerSocketConnection* victime = autres.at(i);
        log_(QStringLiteral("INFO"), QStringLiteral("INFO: ZB_ServerSocket %1 gives up its seat to %2: its address "
                                                    "holds more seats than the newcomer's")
                                         .arg(victime->toString(), nouveau->toString()));
        annonce_(tr("%1 a cédé sa place à %2: son adresse en tenait plus").arg(nomDe_(victime), nomDe_(nouveau)));
        nouveau->setIdCedant(victime->getPlayerId());
        // The seats are full for its address: that is a refusal.
        GM_SocketAbstract* socketVictime = victime->lacheSocket();
        retire_(victime, false);
        if (socketVictime != nullptr)
            refuse_(socketVictime, refusComplet_());
        fait = true;
    }
    return fait;
}

bool ZB_ServerSocket::evenementDeJeu_(EvenementDeJeu& ev, ZB_ServerSocketConnection* connection, QString& raison)
{
    ListeDesEvenements* liste = events_ != nullptr ? events_->getListe(ev.noTable_) : nullptr;
    if (liste == nullptr) {
        raison = QStringLiteral("no table %1").arg(ev.noTable_);
        return false;
    }
    if (connection->getTableId() != -1 && events_->getListe(connection->getTableId()) != liste) {
        raison = QStringLiteral("table %1 is not the client's table %2").arg(ev.noTable_).arg(connection->getTableId());
        return false;
    }
    if (ev.noJoueur_ < 0 || ev.noJoueur_ > 4) {
        raison = QStringLiteral("no seat %1").arg(ev.noJoueur_);
        return false;
    }
    if (ev.type_ == EvenementDeJeu::Mes) {
        // The server's voice is the host's alone: a client's words read as
        // the server's on every screen.
        if (ev.noJoueur_ == 4) {
            raison = QStringLiteral("a message in the server's name");
            return false;
        }
        // Whatever source it claims, it is a remote player's line: the
        // table checks such a line's seat against its sender.
        ev.source_ = EvenementDeJeu::Remote_Human;
        // Cut here, so that the host's table and every copy it passes the
        // line on to lay out no more than a line.
        ev.texte_ = ZB_MessageDeTable::borne(ev.texte_);
        if (!connection->prendMessage()) {
            raison = QStringLiteral("more than %1 messages in %2 s")
                         .arg(ZB_ServerSocketConnection::MessagesParFenetre)
                         .arg(ZB_ServerSocketConnection::FenetreMessagesMs / 1000);
            return false;
        }
    }
    // Clients may not speak for the table, nor state its facts: ignored.
    if (ev.noJoueur_ == 4 || !EvenementDeJeu::estDeClasse(ev.type_, EvenementDeJeu::EnvoiDeClient))
        return true;
    if (ev.idJoueur_ != connection->getPlayerId()) {
        raison = QStringLiteral("player id %1 is not the client's %2").arg(ev.idJoueur_).arg(connection->getPlayerId());
        return false;
    }
    // Other modes replay or forward records: only the table uses them.
    if (!EvenementDeJeu::estEnDirect(ev.mode_)) {
        raison = QStringLiteral("mode %1").arg(ev.mode_);
        return false;
    }
    raison = GM_Exception::sansException([&] { verifieTexte(ev); });
    if (!raison.isEmpty())
        return false;

    // The table's refusal of the event itself is the sender's strike; what
    // fails behind it in the queue is the table's.
    ZB_EventIntake::prend(
        *liste, ZB_EventIntake::EssaisJusquAuVide,
        [&](ListeDesEvenements& cible) {
            raison = GM_Exception::sansException([&] { cible.execute_unlocked(-1, ev, true); });
        },
        [&](const QString& erreur) {
            log_(QStringLiteral("WARNING"), QStringLiteral("WARNING: ZB_ServerSocket table %1 dropped an event: %2")
                                                .arg(liste->getNoTable())
                                                .arg(erreur));
        });
    return raison.isEmpty();
}

void ZB_ServerSocket::customEvent(QEvent* event)
{
    switch (static_cast<int>(event->type())) {
    case ZB_Event::DisconnectServerSocketConnection: {
        auto* ev = dynamic_cast<ZB_EventDisconnectServerSocketConnection*>(event);
        auto* connection = ev != nullptr ? qobject_cast<ZB_ServerSocketConnection*>(ev->getConnection()) : nullptr;
        QMutexLocker verrou(&mutexRecursif_);
        if (connection != nullptr)
            removeConnection(connection, false);
        event->accept();
        break;
    }
    case ZB_Event::SocketError: {
        auto* ev = dynamic_cast<ZB_EventSocketError*>(event);
        if (ev != nullptr)
            log_(QStringLiteral("WARNING"),
                 QStringLiteral("ZB_TableServer::customEvent received ZB_Event::TypeSocketError %1").arg(ev->getTexte()));
        event->accept();
        break;
    }
    case ZB_Event::ServerSocketData: {
        auto* ev = dynamic_cast<ZB_EventServerSocketData*>(event);
        if (ev != nullptr) {
            auto* connection = qobject_cast<ZB_ServerSocketConnection*>(ev->getConnection());
            // Nothing a peer sends may reach the application's handler.
            const QString erreur = GM_Exception::sansException([&] { dataReceived_(ev->getDonnees(), connection); });
            if (!erreur.isEmpty())
                log_(QStringLiteral("WARNING"), QStringLiteral("WARNING: ZB_ServerSocket::customEvent %1").arg(erreur));
        }
        event->accept();
        break;
    }
    default:
        QObject::customEvent(event);
        break;
    }
}

void ZB_ServerSocket::OnTimerStartTimeout()
{
    QMutexLocker verrou(&mutexRecursif_);
    if (etat_ == AttenteDemarrageAuto && joueurs_.size() >= nombreJoueursRequis_) {
        start(options_, portSecure_, portUnsecure_, portTcp_);
    } else if (joueurs_.size() < nombreJoueursRequis_) {
        emit signalOnlineGameEnded();
        if (vue_ != nullptr)
            vue_->cb_gameEnded(true, nombreDeTables_);
        timerDepart_.stop();
    }
}

void ZB_ServerSocket::OnBridgeClose(qint64 userIdFrom, qint64 userIdTo)
{
    Q_UNUSED(userIdTo);
    QMutexLocker verrou(&mutexRecursif_);
    const GM_SocketAbstract* emetteur = qobject_cast<const GM_SocketAbstract*>(sender());
    for (ZB_ServerSocketConnection* connection : std::as_const(connexions_)) {
        // A player without an account is no lobby user: a close of every
        // bridge (-1) is not about it, unless it came through that bridge.
        const qint64 compte = connection->getOptions().idCompte_;
        const bool parCompte = connection->estIdentifie() && compte != -1 && compte == userIdFrom;
        const bool parPont = emetteur != nullptr && connection->getSocket() == emetteur && userIdFrom == -1;
        if (parCompte || parPont)
            QCoreApplication::postEvent(this, new ZB_EventDisconnectServerSocketConnection(connection));
    }
}

void ZB_ServerSocket::coupRefuse(qint64 playerId, const QString& raison)
{
    QMutexLocker verrou(&mutexRecursif_);
    const QList<ZB_ServerSocketConnection*> joueurs = joueurs_;
    for (ZB_ServerSocketConnection* joueur : joueurs)
        if (joueur->getPlayerId() == playerId && !joueur->estAbandonnee())
            strike_(joueur, QStringLiteral("refused by the table: %1").arg(raison));
}

void ZB_ServerSocket::disconnectUnidentifiedFrom(size_t addressHash)
{
    QMutexLocker verrou(&mutexRecursif_);
    const QList<ZB_ServerSocketConnection*> connexions = connexions_;
    for (ZB_ServerSocketConnection* connection : connexions) {
        GM_SocketAbstract* socket = connection->getSocket();
        if (!connection->estIdentifie() && socket != nullptr && qHash(socket->peerAddress(), 0) == addressHash)
            socket->disconnectFromHost();
    }
}

void ZB_ServerSocket::connexionPlacee(ZB_ServerSocketConnection* connection, int noTable)
{
    QMutexLocker verrou(&mutexRecursif_);
    if (estConnectee_(connection))
        connection->setTableId(noTable);
}

bool ZB_ServerSocket::estListeDAttenteVide() const
{
    for (const ZB_ServerSocketConnection* joueur : joueurs_)
        if (joueur->getTableId() == -1)
            return false;
    return true;
}
