#include "ClientSocket.h"

#include "DisplayA.h"
#include "GM_Exception.h"
#include "GM_ProxyClientSocket.h"
#include "GM_SocketAbstract.h"
#include "VersionProtocole.h"
#include "ZB_CleDeJoueur.h"
#include "ZB_FicheIdentification.h"
#include "ZB_EventClientAskInfo.h"
#include "ZB_EventDisconnectClient.h"
#include "ZB_EventIntake.h"
#include "ZB_EventSocketError.h"
#include "ZB_RecordReader.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMetaEnum>
#include <QMutexLocker>

#include <exception>
#include <utility>

namespace {

// The server's echo of our own message: the same move of the same player.
bool estEcho(const EvenementDeJeu& recu, const EvenementDeJeu& envoye)
{
    return envoye.valide_ && recu.type_ == envoye.type_ && recu.etat_ == envoye.etat_
        && recu.noJoueur_ == envoye.noJoueur_ && recu.idJoueur_ == envoye.idJoueur_;
}

// The state a replayed record starts from: its earliest.
int premierEtat(const QStringList& lignes)
{
    int premier = ListeDesEvenements::NombreEtats;
    for (qsizetype i = 1; i < lignes.size(); ++i) {
        EvenementDeJeu ev;
        QString reste;
        const QString erreur = GM_Exception::sansException([&] { ev.valide_ = ev.fromString(lignes.at(i), reste); });
        if (erreur.isEmpty() && ev.valide_)
            premier = qMin(premier, ev.etat_);
    }
    return premier < ListeDesEvenements::NombreEtats ? premier : 1;
}

// Every bridge of the lobby connection hears every close: only one that
// names the user at the other end of ours (or all bridges, -1) ends the game.
bool concerneLePont(const GM_SocketAbstract* socket, qint64 de, qint64 vers)
{
    const auto* pont = qobject_cast<const GM_ProxyClientSocket*>(socket);
    const qint64 autre = pont != nullptr ? pont->getUserIdTarget() : -1;
    return autre == -1 || de == -1 || vers == -1 || de == autre || vers == autre;
}

QString texteErreurSocket(QAbstractSocket::SocketError code)
{
    const char* nom = QMetaEnum::fromType<QAbstractSocket::SocketError>().valueToKey(code);
    return nom != nullptr ? QString::fromLatin1(nom) : QString::number(int(code));
}

} // namespace

ClientSocket::ClientSocket(ZB_SalleClienteA* salle, ListeDesEvenements* liste, DisplayA* display, ZB_StatutConnexionA* statut,
                           QSharedPointer<GM_SocketAbstract> socket, GM_MessageBoxDisplayerA* displayer,
                           QObject* parent)
    : QObject(parent)
    , socket_(std::move(socket))
    , liste_(liste)
    , salle_(salle)
    , gardeSalle_(dynamic_cast<QObject*>(salle))
    , salleEstObjet_(dynamic_cast<QObject*>(salle) != nullptr)
    , display_(display)
    , statut_(statut)
    , gardeStatut_(dynamic_cast<QObject*>(statut))
    , statutEstObjet_(dynamic_cast<QObject*>(statut) != nullptr)
    , version_(VERSION_PROTOCOLE_ACTUELLE)
{
    setMessageBoxDisplayer(displayer);
    if (liste != nullptr)
        version_ = liste->version_;

    timerRenvoi_.setInterval(DelaiRenvoiMs);
    connect(&timerRenvoi_, &QTimer::timeout, this, &ClientSocket::myTimerEventCheck_);
    timerTentative_.setSingleShot(true);
    timerTentative_.setTimerType(Qt::PreciseTimer);
    timerTentative_.setInterval(DelaiTentativeMs);
    connect(&timerTentative_, &QTimer::timeout, this, &ClientSocket::OnNewPublicConnectionAttempt);
    timerEssai_.setSingleShot(true);
    connect(&timerEssai_, &QTimer::timeout, this, &ClientSocket::OnNouvelEssai_);
    timerSilence_.setSingleShot(true);
    connect(&timerSilence_, &QTimer::timeout, this, &ClientSocket::OnSilenceDeLHote_);

    if (GM_SocketAbstract* s = socket_.data()) {
        connect(s, &GM_SocketAbstract::readyRead_tcpOld, this, &ClientSocket::onReadyRead_tcpOld);
        connect(s, &GM_SocketAbstract::binaryMessageReceived, this, &ClientSocket::onBinaryMessageReceived);
        connect(s, &GM_SocketAbstract::disconnected, this, &ClientSocket::onDisconnected);
        connect(s, &GM_SocketAbstract::connected, this, &ClientSocket::onConnected);
        connect(s, &GM_SocketAbstract::hostFound_tcpOld, this, &ClientSocket::onHostFound_tcpOld);
        connect(s, &GM_SocketAbstract::stateChanged, this, &ClientSocket::onStateChanged);
        connect(s, &GM_SocketAbstract::error, this, &ClientSocket::onError);
        connect(s, &GM_SocketAbstract::signalBridgeClose, this, [this, s](qint64 de, qint64 vers) {
            if (concerneLePont(s, de, vers))
                onBridgeClosed();
        });
    }
    if (statut != nullptr)
        statut->surAnnulation([soi = QPointer<ClientSocket>(this)] {
            if (soi != nullptr)
                soi->OnConnectCancel_();
        });
}

ClientSocket::~ClientSocket()
{
    // The socket may outlive this object in the room, or die with it and
    // say so while this object's members are already gone.
    if (socket_)
        socket_->disconnect(this);
    timerRenvoi_.stop();
    timerTentative_.stop();
    timerEssai_.stop();
    timerSilence_.stop();
    // A replay still playing must not call back into a deleted object.
    if (ListeDesEvenements* liste = liste_.data())
        liste->oublieDemandeurReplay(this);
}

void ClientSocket::connecte(const QString& adresse, quint16 port, const QString& login, qint64 idUtilisateur,
                            int secondesAttente, bool connexionPublique)
{
    adresse_ = adresse;
    port_ = port;
    login_ = login;
    idUtilisateur_ = idUtilisateur;
    secondesAttente_ = secondesAttente;
    connexionPublique_ = connexionPublique;
    tentatives_ = 0;
    essais_ = 0;
    renvois_ = 0;
    timerRenvoi_.stop();
    timerTentative_.stop();
    timerEssai_.stop();
    repartDeZero_();
    fermetureLocale_ = false;
    refusRecu_ = false;
    refusComplet_ = false;
    conge_ = SansConge;
    connecte_ = false;
    recordLu_ = false;
    transportEchoue_ = false;
    setEtat_(ZB_StatutConnexionA::ResolutionAdresse);
    depuisDemande_.start();
    if (socket_)
        socket_->connectToHost(adresse_, port_);
}

ZB_StatutConnexionA* ClientSocket::getStatut() const
{
    // An observer that is a QObject may have gone first.
    return statutEstObjet_ && gardeStatut_.isNull() ? nullptr : statut_;
}

int ClientSocket::getEtat() const
{
    const ZB_StatutConnexionA* statut = getStatut();
    return statut != nullptr ? statut->getEtat() : etat_;
}

void ClientSocket::setEtat_(int etat)
{
    etat_ = etat;
    ZB_StatutConnexionA* statut = getStatut();
    if (statut != nullptr && statut->getEtat() != etat)
        statut->setEtat(etat);
}

void ClientSocket::marqueJeuEnCours_()
{
    // An event executed may have ended the connection meanwhile: that is
    // what the window keeps showing.
    if (getEtat() >= ZB_StatutConnexionA::DeconnecteUtilisateur)
        return;
    setEtat_(ZB_StatutConnexionA::JeuEnCours);
    armeSilenceEnJeu_();
    if (rejointAnnonce_ || display_ == nullptr)
        return;
    rejointAnnonce_ = true;
    // Queued: this runs under the replay's lock, and the table repaints its
    // cloth for an online game.
    DisplayA* display = display_;
    QTimer::singleShot(0, this, [display] { display->afficheRejointPartieEnLigne(true, QString()); });
}

void ClientSocket::armeSilenceEnJeu_()
{
    if (silenceEnJeuMaxMs_ > 0 && getEtat() == ZB_StatutConnexionA::JeuEnCours)
        timerSilence_.start(silenceEnJeuMaxMs_);
}

bool ClientSocket::estOuverte_() const
{
    return socket_ && socket_->isValid() && socket_->isOpen();
}

bool ClientSocket::estEnReplay() const
{
    QMutexLocker verrou(&mutexReplay_);
    return enReplay_ || replayEnCours_ || !lignesReplay_.isEmpty();
}

qsizetype ClientSocket::getOctetsEnAttente() const
{
    QMutexLocker verrou(&mutexReception_);
    return tampon_.enAttente();
}

void ClientSocket::setTailleTamponMax(qsizetype octets)
{
    QMutexLocker verrou(&mutexReception_);
    tailleTamponMax_ = octets;
    tampon_ = ZB_RecordFramer(octets);
}

void ClientSocket::poste_(ZB_Event* event)
{
    // A room that is a QObject may have gone first.
    if (salle_ != nullptr && !(salleEstObjet_ && gardeSalle_.isNull()))
        salle_->posteEvenementDuClient(event);
    else
        delete event;
}

void ClientSocket::posteErreur_(const QString& texte)
{
    poste_(new ZB_EventSocketError(
        tr("Erreur de connection client"),
        tr("Connection au serveur IP: %1, port: %2\n%3.").arg(adresse_, QString::number(port_), texte), 1));
}

void ClientSocket::flushListe_()
{
    ListeDesEvenements* liste = liste_.data();
    if (liste == nullptr)
        return;
    const QString erreur = GM_Exception::sansException([&] { liste->flush(); });
    if (!erreur.isEmpty())
        qWarning().noquote() << QStringLiteral("WARNING: ClientSocket could not run the event list: %1").arg(erreur);
}

// ---------------------------------------------------------------- receiving

void ClientSocket::onBinaryMessageReceived(const QByteArray& message)
{
    receive_(message);
}

void ClientSocket::onReadyRead_tcpOld()
{
    QPointer<ClientSocket> vivant(this);
    while (vivant && socket_ && socket_->isValid() && socket_->bytesAvailable() > 0) {
        const QByteArray morceau = socket_->read(TailleLectureMax);
        if (morceau.isEmpty())
            break;
        receive_(morceau);
    }
}

void ClientSocket::receive_(const QByteArray& octets)
{
    // What still comes from a connection that was closed is nobody's: kept,
    // it would only pile up.
    if (!estOuverte_())
        return;
    timerSilence_.stop();
    armeSilenceEnJeu_();
    {
        QMutexLocker verrou(&mutexReception_);
        tampon_.ajoute(octets);
    }
    // Executing an event may come back here (a nested event loop): the bytes
    // then wait for the loop already running, so that events keep their
    // order.
    if (enTraitement_)
        return;
    traiteTampon_();
}

void ClientSocket::traiteTampon_()
{
    QPointer<ClientSocket> vivant(this);
    enTraitement_ = true;
    while (estOuverte_()) {
        {
            QMutexLocker verrou(&mutexReplay_);
            const qsizetype tenus = octetsReplay_;
            verrou.unlock();
            if (getOctetsEnAttente() + tenus > tailleTamponMax_) {
                debordement_();
                break;
            }
        }
        if (retenu_())
            break;
        QByteArray record;
        bool precede = false;
        ZB_RecordFramer::Resultat resultat;
        {
            QMutexLocker verrou(&mutexReception_);
            resultat = tampon_.prochain(record, precede);
        }
        if (resultat == ZB_RecordFramer::Aucun)
            break;
        if (resultat == ZB_RecordFramer::Debordement) {
            debordement_();
            break;
        }
        traiteRecord_(record, precede);
        // The room may have ended the session, and this object with it.
        if (!vivant)
            return;
    }
    enTraitement_ = false;
}

bool ClientSocket::retenu_()
{
    // Held: the replay state is being changed further up this very call.
    const VerrouSiLibre verrou(mutexReplay_);
    if (!verrou)
        return true;
    return replayEnCours_ || (!enReplay_ && !lignesReplay_.isEmpty());
}

void ClientSocket::rejette_(const QString& raison, const QByteArray& record)
{
    if (!recordLu_ && getEtat() < ZB_StatutConnexionA::JeuEnCours) {
        autreProtocole_();
        return;
    }
    // The peer's bytes go to the log on one line, and not all of them.
    qWarning().noquote() << QStringLiteral("WARNING: ClientSocket dropped a record from %1:%2 (%3): %4")
                                .arg(adresse_, QString::number(port_), raison,
                                     QString::fromUtf8(record.left(200)).simplified());
}

void ClientSocket::traiteRecord_(const QByteArray& record, bool precede)
{
    // Not an event: nothing for the list, and no sign of a game either.
    if (!precede && (record == RECORD_REFUS_TABLE || record == RECORD_REFUS_COMPLET)) {
        refusRecu_ = true;
        refusComplet_ = refusComplet_ || record == RECORD_REFUS_COMPLET;
        recordLu_ = true;
        return;
    }
    if (!precede && (record == RECORD_RETRAIT_TABLE || record == RECORD_ARRET_TABLE)) {
        conge_ = record == RECORD_RETRAIT_TABLE ? CongeRetrait : CongeArret;
        recordLu_ = true;
        return;
    }
    EvenementDeJeu ev;
    const QString raison = ZB_RecordReader::lis(record, precede, ev);
    if (!raison.isEmpty()) {
        rejette_(raison, record);
        return;
    }
    recordLu_ = true;

    QPointer<ClientSocket> vivant(this);
    switch (ev.type_) {
    case EvenementDeJeu::RsV:
    case EvenementDeJeu::RsI: {
        QMutexLocker verrou(&mutexReplay_);
        enReplay_ = true;
        replayRsV_ = ev.type_ == EvenementDeJeu::RsV;
        siegeReplay_ = ev.noJoueur_;
        lignesReplay_ = QStringList(QString::fromLatin1(ListeDesEvenements::VersionDuFichier));
        octetsReplay_ = lignesReplay_.first().size();
        break;
    }
    case EvenementDeJeu::ReE: {
        QMutexLocker verrou(&mutexReplay_);
        enReplay_ = false;
        QTimer::singleShot(0, this, &ClientSocket::OnReplay);
        break;
    }
    case EvenementDeJeu::NeW:
        // The host speaks to this connection alone: no table hears it, and
        // the game has not begun for it.
        recoitCleDeSiege_(ev, record);
        return;
    default:
        evenement_(ev);
        break;
    }
    if (vivant)
        marqueJeuEnCours_();
}

void ClientSocket::recoitCleDeSiege_(const EvenementDeJeu& ev, const QByteArray& record)
{
    if (ev.noJoueur_ != 4 || ev.etat_ != EtatDeJeu::Identification || ev.idJoueur_ != idJoueur_) {
        rejette_(QStringLiteral("not for this player"), record);
        return;
    }
    if (ZB_CleDeJoueur::estDefi(ev.texte_) && signataire_.estValide()) {
        // The answer proves the id for this connection alone.
        ZB_FicheIdentification fiche = fiche_();
        fiche.signature_ =
            signataire_.signe(ZB_CleDeJoueur::messageDeDefi(ev.texte_, idJoueur_, signataire_.publique(), port_));
        envoieFiche_(fiche);
        return;
    }
    if (!ZB_FicheIdentification::estCle(ev.texte_)) {
        rejette_(QStringLiteral("not this player's seat key"), record);
        return;
    }
    cleDeSiege_ = ev.texte_;
    emit signalCleDeSiege(cleDeSiege_);
}

ZB_FicheIdentification ClientSocket::fiche_() const
{
    ZB_FicheIdentification fiche;
    fiche.joueur_ = joueur_;
    fiche.cle_ = ZB_FicheIdentification::estCle(cleDeSiege_) ? cleDeSiege_ : QString();
    fiche.publique_ = signataire_.publique();
    return fiche;
}

void ClientSocket::envoieFiche_(const ZB_FicheIdentification& fiche)
{
    const EvenementDeJeu info(EvenementDeJeu::NeW, fiche.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                              EvenementDeJeu::Local_Table, joueur_.id_, 0, -1, -2, ZB_ICI);
    sendEvent(info);
}

int ClientSocket::sourceRecue(int source, qint64 idJoueur, qint64 idJoueurPropre)
{
    return ZB_RecordReader::sourceRecue(source, idJoueur, idJoueurPropre);
}

void ClientSocket::evenement_(EvenementDeJeu& ev)
{
    {
        QMutexLocker verrou(&mutexReplay_);
        // A replay block is the game so far: the moves this player made
        // before it came back (a program started again after a crash) are
        // part of it, not echoes of what it just sent, and must be played.
        ev.source_ = sourceRecue(ev.source_, ev.idJoueur_, enReplay_ ? PersonneIci : idJoueur_);
        if (enReplay_) {
            const QString ligne = ev.toString(version_);
            lignesReplay_ << ligne;
            octetsReplay_ += ligne.size();
            return;
        }
    }

    if (estEcho(ev, dernierEnvoye_)) {
        if (ev.idJoueur_ != idJoueur_ && ev.type_ != EvenementDeJeu::ReJ && ev.type_ != EvenementDeJeu::Mes)
            qWarning().noquote() << QStringLiteral("WARNING: Last sent evenement = %1, current evenement = %2, the "
                                                   "evenement PlayerId = %3, but the expected in 'options' is "
                                                   "PlayerId = %4")
                                        .arg(dernierEnvoye_.toString(version_), ev.toString(version_),
                                             QString::number(ev.idJoueur_), QString::number(idJoueur_));
        timerRenvoi_.stop();
        renvois_ = 0;
    }

    ListeDesEvenements* liste = liste_.data();
    if (liste == nullptr)
        return;
    const QString erreur =
        ZB_EventIntake::prend(*liste, [&](ListeDesEvenements& cible) { cible.ajouteEtExecute_Client(ev, idJoueur_); });
    if (!erreur.isEmpty())
        qWarning().noquote() << QStringLiteral("WARNING: ClientSocket could not queue %1: %2")
                                    .arg(ev.toString(version_), erreur);
}

void ClientSocket::debordement_()
{
    qWarning().noquote() << QStringLiteral("WARNING: ClientSocket: %1:%2 sent more than %3 bytes that could not be "
                                           "handled; the connection is closed.")
                                .arg(adresse_, QString::number(port_), QString::number(tailleTamponMax_));
    repartDeZero_();
    QPointer<ClientSocket> vivant(this);
    onError(QAbstractSocket::NetworkError);
    if (vivant)
        closeConnection();
}

void ClientSocket::repartDeZero_()
{
    {
        QMutexLocker verrou(&mutexReception_);
        tampon_.vide();
    }
    QMutexLocker verrou(&mutexReplay_);
    enReplay_ = false;
    lignesReplay_.clear();
    octetsReplay_ = 0;
}

// ------------------------------------------------------------------ replay

void ClientSocket::OnReplay()
{
    bool rsv = false;
    {
        QMutexLocker verrou(&mutexReplay_);
        marqueJeuEnCours_();
        if (enReplay_ || replayEnCours_ || lignesReplay_.isEmpty())
            return;
        // A block without events has nothing to play.
        if (lignesReplay_.size() < 2) {
            lignesReplay_.clear();
            octetsReplay_ = 0;
            verrou.unlock();
            receive_(QByteArray());
            return;
        }
        rsv = replayRsV_;
    }
    // Such a block comes for a player who enters at the next deal: the one
    // box of its return says both. The replay does not wait for it: the
    // table seats the player at the next deal whatever this screen shows,
    // and a replay held back by an unread box would keep every other player
    // waiting for the seat's moves.
    if (rsv && getMessageBoxDisplayer() != nullptr)
        messageBox(GM::Information, tr("Notification"),
                   tr("Le début de la partie va être rejoué, merci d'être attentif.") + QLatin1Char('\n')
                       + QCoreApplication::translate("ZB_RoomTable",
                                                     "Comme la partie est déjà bien avancée, vous entrerez en "
                                                     "jeu lors de la prochaine donne. Merci de patienter."),
                   GM::Ok);
    OnReplayConfirmed();
}

void ClientSocket::OnReplayConfirmed()
{
    QStringList lignes;
    bool rsv = false;
    int siege = 4;
    {
        QMutexLocker verrou(&mutexReplay_);
        if (enReplay_ || replayEnCours_ || lignesReplay_.size() < 2)
            return;
        lignes.swap(lignesReplay_);
        octetsReplay_ = 0;
        rsv = replayRsV_;
        siege = siegeReplay_;
        replayEnCours_ = true;
    }
    const int mode = rsv ? 2 : 1;
    if (display_ != nullptr) {
        if (siege >= 0 && siege < 4) {
            display_->setNoJoueurLocal(siege);
            display_->setNomJoueurLocal(&joueur_);
        }
        display_->setModeVue(mode);
    }
    ListeDesEvenements* liste = liste_.data();
    if (liste == nullptr) {
        reprendApresReplay_();
        return;
    }
    QPointer<ClientSocket> vivant(this);
    const QString erreur = ZB_EventIntake::prend(*liste, [&](ListeDesEvenements& cible) {
        // The block rebuilds the table from its inscriptions on.
        cible.recommence(premierEtat(lignes));
        cible.replay(lignes, siege >= 0 && siege <= 4 ? siege : 4, true, idJoueur_, this);
    });
    if (!vivant || erreur.isEmpty())
        return;
    qWarning().noquote() << QStringLiteral("WARNING: ClientSocket could not replay the block from %1:%2: %3")
                                .arg(adresse_, QString::number(port_), erreur);
    if (ListeDesEvenements* restante = liste_.data())
        restante->oublieDemandeurReplay(this);
    reprendApresReplay_();
}

void ClientSocket::cb_replayTermine()
{
    reprendApresReplay_();
}

// The list stops at the replay's last event without telling the table to
// go on: that is done here, once the events held back meanwhile are queued.
void ClientSocket::reprendApresReplay_()
{
    {
        QMutexLocker verrou(&mutexReplay_);
        replayEnCours_ = false;
    }
    // Caught up: the user sits at the table again, so that its seat's next
    // request is shown to a player, not to a spectator.
    if (display_ != nullptr) {
        display_->restaureCurseur();
        display_->afficheTable();
    }
    QPointer<ClientSocket> vivant(this);
    receive_(QByteArray());
    if (vivant)
        flushListe_();
}

// ------------------------------------------------------------------ sending

bool ClientSocket::ecrit_(const QByteArray& octets)
{
    if (!estOuverte_()) {
        qWarning().noquote() << QStringLiteral("WARNING: ClientSocket: not connected, %1 bytes not sent to %2:%3")
                                    .arg(QString::number(octets.size()), adresse_, QString::number(port_));
        return false;
    }
    const qint64 ecrits = socket_->write(octets);
    if (ecrits < octets.size()) {
        onError(QAbstractSocket::NetworkError);
        return false;
    }
    return true;
}

void ClientSocket::sendEvent(const EvenementDeJeu& ev)
{
    dernierEnvoye_ = ev;
    QPointer<ClientSocket> vivant(this);
    if (!ecrit_(ev.toString(version_).toUtf8()) || !vivant)
        return;
    if (ev.type_ != EvenementDeJeu::Mes && ev.type_ != EvenementDeJeu::NeW) {
        renvois_ = 0;
        timerRenvoi_.start();
    }
}

void ClientSocket::myTimerEventCheck_()
{
    ++renvois_;
    if (renvois_ > RenvoisMax) {
        timerRenvoi_.stop();
        qWarning().noquote() << QStringLiteral("WARNING: ClientSocket: %1:%2 did not answer %3 after %4 resends; the "
                                               "connection is closed.")
                                    .arg(adresse_, QString::number(port_), dernierEnvoye_.toString(version_),
                                         QString::number(RenvoisMax));
        closeConnection();
        return;
    }
    ecrit_(dernierEnvoye_.toString(version_).toUtf8());
}

void ClientSocket::sendUserInfo(const OptionsDuJoueur& player, int waitingSeconds, const int* version)
{
    if (version != nullptr)
        version_ = qBound(VERSION_PROTOCOLE_MIN, *version, VERSION_PROTOCOLE_ACTUELLE);
    joueur_ = player;
    idJoueur_ = player.id_;
    secondesAttente_ = waitingSeconds;
    // The room asks for the user info once the connection is made; a host
    // that refused the connection may have closed it meanwhile, and that is
    // what the user must go on seeing.
    if (getEtat() >= ZB_StatutConnexionA::DeconnecteUtilisateur)
        return;
    // Asked for by a connection the host dropped since: the next try asks
    // again.
    if (timerEssai_.isActive())
        return;
    if (ZB_StatutConnexionA* statut = getStatut())
        statut->setSecondesAttente(waitingSeconds);
    setEtat_(connexionPublique_ ? ZB_StatutConnexionA::AttentePublique : ZB_StatutConnexionA::AttenteHote);
    envoieFiche_(fiche_());
}

void ClientSocket::closeConnection()
{
    timerRenvoi_.stop();
    timerTentative_.stop();
    timerEssai_.stop();
    if (!estOuverte_())
        return;
    fermetureLocale_ = true;
    if (ListeDesEvenements* liste = liste_.data()) {
        // A list held further up this call is set all the same: that caller
        // finds the flag set when it goes on.
        const VerrouSiLibre verrou(*liste->getMutex());
        liste->interrompu_ = true;
    }
    QSharedPointer<GM_SocketAbstract> socket = socket_;
    socket->close();
    if (socket->isValid() && socket->state() != QAbstractSocket::UnconnectedState)
        socket->waitForDisconnected(AttenteDeconnexionMs);
}

void ClientSocket::quitte()
{
    if (getEtat() < ZB_StatutConnexionA::DeconnecteUtilisateur)
        setEtat_(ZB_StatutConnexionA::DeconnecteUtilisateur);
    closeConnection();
}

// ------------------------------------------------------- connection events

void ClientSocket::onHostFound_tcpOld()
{
    setEtat_(ZB_StatutConnexionA::TentativeConnection);
}

void ClientSocket::onStateChanged(QAbstractSocket::SocketState state)
{
    if (state == QAbstractSocket::ConnectingState)
        setEtat_(ZB_StatutConnexionA::TentativeConnection);
}

void ClientSocket::onConnected()
{
    connecte_ = true;
    if (silenceMaxMs_ > 0)
        timerSilence_.start(silenceMaxMs_);
    poste_(new ZB_EventClientAskInfo(login_, idUtilisateur_, secondesAttente_));
    // Only what is queued runs: the table is not told to go on, which would
    // move it past the state it waits for.
    ListeDesEvenements* liste = liste_.data();
    if (liste == nullptr)
        return;
    const QString erreur = ZB_EventIntake::prend(*liste, [](ListeDesEvenements&) {});
    if (!erreur.isEmpty())
        qWarning().noquote() << QStringLiteral("WARNING: ClientSocket could not run the event list: %1").arg(erreur);
}

void ClientSocket::onDisconnected()
{
    // Told already: another transport is tried, or the user was told that
    // no game server answers there.
    if (transportEchoue_)
        return;
    int etat = getEtat();
    // The host said why it lets this player go: that is what the user reads.
    if (conge_ != SansConge && !fermetureLocale_ && etat < ZB_StatutConnexionA::DeconnecteUtilisateur) {
        timerRenvoi_.stop();
        timerEssai_.stop();
        setEtat_(ZB_StatutConnexionA::Interrompu);
        poste_(new ZB_EventSocketError(tr("Partie en ligne terminée"),
                                       conge_ == CongeRetrait ? tr("L'hôte vous a retiré de la partie.")
                                                              : tr("L'hôte a arrêté la partie."),
                                       ZB_EventSocketError::FinDitParLHote));
        return;
    }
    // Bytes that hold no record came from a server of another protocol.
    if (!fermetureLocale_ && !refusRecu_ && !recordLu_ && !connexionPublique_
        && etat < ZB_StatutConnexionA::JeuEnCours && getOctetsEnAttente() > 0) {
        autreProtocole_();
        return;
    }
    if (connexionPublique_
        && (etat == ZB_StatutConnexionA::AttentePublique || etat == ZB_StatutConnexionA::AttentePubliqueReessai)
        && tentatives_ < TentativesPubliquesMax) {
        ++tentatives_;
        timerRenvoi_.stop();
        timerTentative_.start();
        return;
    }
    // Closed after the connection was made, before any record: a drop by
    // the host, or a server of another transport, which is tried first
    // unless the secure port's gate dropped it.
    if (essaiPossible_(etat) && !recordLu_ && !coupeeParLaPorte_()) {
        QPointer<ClientSocket> vivant(this);
        if (transportSuivant_() || !vivant)
            return;
    }
    if (essaiPossible_(etat)) {
        programmeEssai_();
        return;
    }
    // A WebSocket host that refuses a client closes it cleanly, without the
    // error a TCP host's close raises first.
    if (!fermetureLocale_ && etat >= ZB_StatutConnexionA::TentativeConnection
        && etat < ZB_StatutConnexionA::JeuEnCours) {
        refuseParLHote_();
        etat = getEtat();
    }
    const int afficher =
        etat == ZB_StatutConnexionA::DeconnecteUtilisateur || etat == ZB_StatutConnexionA::RefuseOuComplet ? 0 : 1;
    // An error already told why the connection ended; that stays shown.
    if (etat < ZB_StatutConnexionA::DeconnecteUtilisateur)
        setEtat_(fermetureLocale_ ? ZB_StatutConnexionA::DeconnecteUtilisateur : ZB_StatutConnexionA::Interrompu);
    timerRenvoi_.stop();
    poste_(new ZB_EventDisconnectClient(afficher));
}

void ClientSocket::OnNewPublicConnectionAttempt()
{
    // The user may have given up meanwhile.
    const int etat = getEtat();
    if (etat != ZB_StatutConnexionA::AttentePublique && etat != ZB_StatutConnexionA::AttentePubliqueReessai)
        return;
    reconnecte_();
}

void ClientSocket::reconnecte_()
{
    repartDeZero_();
    fermetureLocale_ = false;
    connecte_ = false;
    recordLu_ = false;
    depuisDemande_.start();
    if (socket_)
        socket_->connectToHost(adresse_, port_);
}

bool ClientSocket::essaiPossible_(int etat) const
{
    return !connexionPublique_ && !fermetureLocale_ && !refusRecu_ && essais_ < EssaisMax
        && etat >= ZB_StatutConnexionA::TentativeConnection && etat < ZB_StatutConnexionA::JeuEnCours;
}

void ClientSocket::programmeEssai_()
{
    ++essais_;
    timerRenvoi_.stop();
    const int delai = delaiEssaiMs_ << (essais_ - 1);
    qInfo().noquote() << QStringLiteral("INFO: ClientSocket: %1:%2 closed the connection before the game began; try "
                                        "%3 of %4 in %5 ms.")
                             .arg(adresse_, QString::number(port_), QString::number(essais_),
                                  QString::number(EssaisMax), QString::number(delai));
    // A waiting state: the user may give up meanwhile.
    setEtat_(ZB_StatutConnexionA::AttenteHote);
    if (ZB_StatutConnexionA* statut = getStatut())
        statut->annonceEssai(essais_, EssaisMax, qMax(1, (delai + 999) / 1000));
    timerEssai_.start(delai);
}

void ClientSocket::OnNouvelEssai_()
{
    // The user may have given up meanwhile.
    if (getEtat() != ZB_StatutConnexionA::AttenteHote)
        return;
    reconnecte_();
}

void ClientSocket::OnConnectCancel_()
{
    const int etat = getEtat();
    if (etat != ZB_StatutConnexionA::AttentePublique && etat != ZB_StatutConnexionA::AttentePubliqueReessai
        && etat != ZB_StatutConnexionA::AttenteHote)
        return;
    // Without a displayer there is nobody to ask: the click stands.
    if (getMessageBoxDisplayer() == nullptr) {
        OnConnectCancel_Answer(GM::Ok);
        return;
    }
    if (ZB_StatutConnexionA* statut = getStatut())
        statut->cache();
    messageBoxQuestion(GM::Question, tr("Connection client"),
                       tr("Vous vous apprétez à vous déconnecter du serveur. Quitter tout de même?"),
                       GM::Ok | GM::Cancel, this, "OnConnectCancel_Answer");
}

void ClientSocket::OnConnectCancel_Answer(int result)
{
    if (ZB_StatutConnexionA* statut = getStatut())
        statut->montre();
    if (result != GM::Ok)
        return;
    setEtat_(ZB_StatutConnexionA::DeconnecteUtilisateur);
    if (estOuverte_()) {
        closeConnection();
        return;
    }
    // Between two attempts there is no socket to close, and so no
    // disconnection to tell the room.
    timerRenvoi_.stop();
    timerTentative_.stop();
    timerEssai_.stop();
    poste_(new ZB_EventDisconnectClient(0));
}

void ClientSocket::refuseParLHote_()
{
    // The host refused the connection (its seats are taken, or this address
    // holds too many connections that never introduced a player), or kept
    // dropping it. A host that said every seat is taken is full; one that
    // refused without a reason (an older host, or any other reason) may have
    // any of them; one that kept closing on a player it let introduce
    // itself, waiting for the teams, without a word, has no seat left for it.
    const int etat = getEtat();
    const bool complet = refusComplet_
                      || (!refusRecu_
                          && (etat == ZB_StatutConnexionA::AttenteHote || etat == ZB_StatutConnexionA::AttentePublique
                              || etat == ZB_StatutConnexionA::AttentePubliqueReessai));
    setEtat_(ZB_StatutConnexionA::RefuseOuComplet);
    posteErreur_(complet ? tr("L'ordinateur distant a été trouvé, mais le serveur de jeu est complet")
                         : tr("L'ordinateur distant a été trouvé, mais le serveur de jeu a refusé la connection: il "
                              "est complet, ou trop de connections arrivent de votre adresse. Réessayez plus tard"));
}

void ClientSocket::onBridgeClosed()
{
    setEtat_(ZB_StatutConnexionA::Interrompu);
    poste_(new ZB_EventSocketError(tr("Erreur de connection client"),
                                   tr("La connection avec le serveur a été interrompue."), 1));
}

void ClientSocket::onError(QAbstractSocket::SocketError sockError)
{
    const QString texteSocket = socket_ ? socket_->errorString() : QString();
    if (socket_)
        socket_->ajouteLigneErreur(QStringLiteral("ClientSocket(%1:%2)::onError %3")
                                       .arg(QString::number(reinterpret_cast<quintptr>(socket_.data()), 16),
                                            socket_->peerAddress().toString(), texteSocket));
    timerRenvoi_.stop();
    const int etat = getEtat();
    // The close after the host's word is told by onDisconnected.
    if (etat >= ZB_StatutConnexionA::RefuseOuComplet || transportEchoue_ || conge_ != SansConge)
        return;
    switch (protocole_(sockError, etat)) {
    case ProtocoleEtranger:
        autreProtocole_();
        return;
    case ProtocoleIncertain: {
        // The next transport first; with none left, as before.
        QPointer<ClientSocket> vivant(this);
        if (transportSuivant_() || !vivant)
            return;
        break;
    }
    case ProtocoleDeTable:
        break;
    }

    QString texte;
    switch (sockError) {
    case QAbstractSocket::ConnectionRefusedError:
        texte = tr("L'ordinateur distant a été trouvé, mais le serveur de jeu n'est pas démarré, ou alors sa "
                   "configuration réseau est incorrecte");
        setEtat_(ZB_StatutConnexionA::RefuseOuComplet);
        break;
    case QAbstractSocket::RemoteHostClosedError: {
        const bool attentePublique =
            etat == ZB_StatutConnexionA::AttentePublique || etat == ZB_StatutConnexionA::AttentePubliqueReessai;
        if (attentePublique && tentatives_ < TentativesPubliquesMax) {
            // onDisconnected tries again.
            setEtat_(ZB_StatutConnexionA::AttentePubliqueReessai);
        } else if (etat < ZB_StatutConnexionA::JeuEnCours) {
            // onDisconnected tries again after a drop.
            if (!essaiPossible_(etat))
                refuseParLHote_();
            return;
        } else {
            // The close that follows tells the user, once, that the game
            // cannot go on.
            setEtat_(ZB_StatutConnexionA::Interrompu);
        }
        break;
    }
    default:
        texte = texteSocket.isEmpty() ? texteErreurSocket(sockError) : texteSocket;
        setEtat_(ZB_StatutConnexionA::AutreErreur);
        break;
    }
    if (!texte.isEmpty())
        posteErreur_(texte);
}
