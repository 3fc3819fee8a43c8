#include "ZB_Room.h"

#include "DisplayA.h"
#include "EvenementDeJeu.h"
#include "JoueurHumain.h"
#include "ZB_EventsGroup.h"
#include "ZB_RoomTable.h"
#include "ZB_RoomTableOutils.h"

#include <QCoreApplication>
#include <QMutexLocker>

// ZB_Room: the online session, the server's seating callbacks and the
// room's slots.

using ZB_RoomTableOutils::trace;

// ---- Session changes. ----

void ZB_Room::stopOnlineSession()
{
    if (etatEnLigne_ == Hote) {
        QMutexLocker verrou(server_->getMutex());
        server_->arrete();
    }
    etatEnLigne_ = HorsLigne;
    // The session is over: connection errors that still arrive are no
    // longer the user's concern.
    enLigne_ = false;
    for (ZB_RoomTable* table : std::as_const(tables_)) {
        table->oublieSessionEnLigne();
        table->redevientLocale();
    }
    if (display_ != nullptr) {
        display_->finDeDonne(true);
        display_->afficheRejointPartieEnLigne(false, QString());
        // A client sat where the host placed it; a local game seats the
        // user first.
        display_->setNoJoueurLocal(0);
    }
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->reinitialise(true);
}

void ZB_Room::resetToSingleTable()
{
    supprimeTables_();
    events_->initialise(1);
    events_->setSansDelai(sansDelai_);
    events_->setVersion(version_);
    creeTable_(0, true);
    if (display_ != nullptr)
        display_->finDeDonne(false);
}

void ZB_Room::cb_serverStart(int noTable)
{
    setProtocolVersion(versionPour_(typeDePartie_()));
    if (ListeDesEvenements* liste = events_->getListe(-1)) {
        QMutexLocker verrou(liste->getMutex());
        // Only a table still waiting for its game takes the inscription, and
        // the queue runs where it stands: a flush that first moved the state
        // on would step over the first player's inscription.
        if (liste->getEtatAttendu() < EtatDeJeu::AttendInscriptionPartie)
            liste->setEtatAttendu(EtatDeJeu::AttendInscriptionPartie);
        if (liste->attend(EtatDeJeu::AttendInscriptionPartie)) {
            EvenementDeJeu inscription = inscriptionPartie_(noTable);
            liste->execute_unlocked(-1, inscription, false);
            liste->flush_unlocked();
        }
    }
    emit signalOnlineGameStarted();
}

void ZB_Room::resetOnlineState()
{
    etatEnLigne_ = HorsLigne;
    emit signalOnlineGameEnded();
}

// ---- The host keeps time. ----

void ZB_Room::surveilleLesTours_()
{
    const int etatServeur = server_->getEtat();
    if (etatEnLigne_ != Hote
        || (etatServeur != ZB_ServerSeatingA::EnCoursAvecPlacesLibres
            && etatServeur != ZB_ServerSeatingA::EnCoursComplet)) {
        gardeDesTours_.oublie();
        return;
    }
    const qint64 maintenant = horloge_.elapsed();
    QList<qint64> perdus;
    for (auto it = tables_.constBegin(); it != tables_.constEnd(); ++it) {
        const ZB_RoomTable* table = it.value();
        if (!table->estServeur())
            continue;
        std::array<ZB_GardeDesTours::Siege, ZB_RoomTable::NombreDeSieges> sieges;
        for (int s = 0; s < ZB_RoomTable::NombreDeSieges; ++s)
            if (const JoueurHumain* joueur = table->getJoueur(s)) {
                sieges[size_t(s)].id = joueur->options_.id_;
                sieges[size_t(s)].distant =
                    joueur->modeJeu_ == Joueur::ModeHumainDistant || joueur->modeJeu_ == Joueur::ModeOrdinateurDistant;
                sieges[size_t(s)].etatDemande = joueur->demande_.etat_;
            }
        const qint64 delaiMs = qMax(qint64(0), qint64(table->getOptionsDePartie().delaiReponse_ * 1000.0));
        const qint64 perdu = gardeDesTours_.observe(it.key(), table->getEtatCourant(), sieges, delaiMs, maintenant);
        if (perdu >= 0)
            perdus << perdu;
    }
    for (const qint64 id : std::as_const(perdus))
        server_->perdConnexion(id, QStringLiteral("no answer within the turn's time"));
}

void ZB_Room::entre_(qint64 id, const ZB_RoomTable& table)
{
    gardeDesTours_.entre(id, horloge_.elapsed(), table.getSettingsPartie().donnesJouees_);
}

bool ZB_Room::estEcarte_(qint64 id) const
{
    if (!gardeDesTours_.estEcarte(id))
        return false;
    trace(QStringLiteral("ZB_Room: player %1, given up for silence again and again, sits out this match").arg(id));
    return true;
}

// ---- The server's seating callbacks. ----

bool ZB_Room::cb_setClientInGameReconnect(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& joueur)
{
    trace(QStringLiteral("ZB_Room::cb_setClientInGameReconnect->enter() Joueur: %1 (%2)")
              .arg(joueur.nom_)
              .arg(joueur.id_));
    if (estEcarte_(joueur.id_))
        return false;
    // A player the host gave up for silence shows it plays before the table
    // waits on it again.
    const bool prochaineDonne = gardeDesTours_.entreALaProchaineDonne(joueur.id_);
    for (ZB_RoomTable* table : std::as_const(tables_))
        if (table->setClientInGameReconnect(connection, server_.get(), joueur, prochaineDonne)) {
            entre_(joueur.id_, *table);
            return true;
        }
    return false;
}

bool ZB_Room::cb_setClientInGameOnTheFly_Random(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& joueur)
{
    trace(QStringLiteral("ZB_Room::cb_setClientInGameOnTheFly_Random->enter() Joueur: %1 (%2)")
              .arg(joueur.nom_)
              .arg(joueur.id_));
    if (estEcarte_(joueur.id_))
        return false;
    for (ZB_RoomTable* table : std::as_const(tables_))
        if (table->setClientInGameOnTheFly_Random(connection, joueur)) {
            entre_(joueur.id_, *table);
            // The last free seat taken, the server is full from now on.
            suitLesPlacesLibres_();
            return true;
        }
    return false;
}

bool ZB_Room::cb_setClientInGameInPlaceOf(ZB_ServerSocketConnection* connection, qint64 idCedant,
                                          const OptionsDuJoueur& joueur)
{
    trace(QStringLiteral("ZB_Room::cb_setClientInGameInPlaceOf->enter() Joueur: %1 (%2) in place of %3")
              .arg(joueur.nom_)
              .arg(joueur.id_)
              .arg(idCedant));
    for (ZB_RoomTable* table : std::as_const(tables_))
        if (table->setClientInGameInPlaceOf(connection, idCedant, joueur)) {
            suitLesPlacesLibres_();
            return true;
        }
    return false;
}

bool ZB_Room::cb_setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection* connection, int noTable, int siege,
                                                     bool isHotSwapSamePlayerSocketChange,
                                                     const OptionsDuJoueur& joueur)
{
    trace(QStringLiteral("ZB_Room::cb_setClientInGameOnTheFly_SpecificPos->enter() Joueur: %1 (%2) tableId=%3, "
                         "posOnTable=%4, isHotSwapSamePlayerSocketChange=%5")
              .arg(joueur.nom_)
              .arg(joueur.id_)
              .arg(noTable)
              .arg(siege)
              .arg(isHotSwapSamePlayerSocketChange));
    ZB_RoomTable* table = getTable(noTable);
    if (table == nullptr || estEcarte_(joueur.id_)
        || !table->setClientInGameOnTheFly_SpecificPos(connection, siege, isHotSwapSamePlayerSocketChange, joueur))
        return false;
    entre_(joueur.id_, *table);
    suitLesPlacesLibres_();
    return true;
}

bool ZB_Room::cb_resetTables(int nombreDeTables)
{
    return setNombreDeTables(qMax(0, nombreDeTables), 0);
}

// ---- Slots. ----

void ZB_Room::OnOnlineGameEnded()
{
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->oublieSessionEnLigne();
    emit signalOnlineGameEnded();
}

void ZB_Room::OnSetClientOffline(qlonglong playerId, bool isSendOfflineEvent, bool isNotifyAllPlayers)
{
    trace(QStringLiteral("ZB_Room::OnSetClientOffline->enter() Joueur: %1, isSendOfflineEvent: %2")
              .arg(playerId)
              .arg(isSendOfflineEvent));
    for (ZB_RoomTable* table : std::as_const(tables_))
        table->setClientOffline(playerId, isSendOfflineEvent, isNotifyAllPlayers);
}

void ZB_Room::OnOnlineGameStart(OptionsDePartie options, ushort port_websocket_secure, ushort port_websocket_unsecure,
                                ushort port_tcpOld)
{
    int mode = NouvellePartie;
    int session = SessionServeur;
    reponse_Depart(&mode, &session, options, QString(), QString(), port_websocket_secure, port_websocket_unsecure,
                   port_tcpOld, 0, false, socket_, -1);
}

void ZB_Room::OnPlayerExcluded()
{
    // The seat posted its exclusion notice just before: it runs first, so
    // that a joining copy sends it before it closes its connection (the
    // others would else hear of a departure only).
    QMetaObject::invokeMethod(this, [this] { endOnlineGame(true); }, Qt::QueuedConnection);
}

void ZB_Room::OnAppQuit(int result)
{
    Q_UNUSED(result);
    QCoreApplication::quit();
}

void ZB_Room::OnQuestionNouvellePartie(bool isPlayerContinue)
{
    if (tables_.isEmpty() || events_->sontTousDansEtat(EtatDeJeu::QuestionNouvellePartie))
        answerNextGame(isPlayerContinue);
}

void ZB_Room::OnDisconnectClient(bool isNotifyExclusion)
{
    endOnlineGame(isNotifyExclusion);
}

void ZB_Room::OnDisconnectClient()
{
    endOnlineGame(false);
}

void ZB_Room::OnSendStartStats(QString stats)
{
    if (etatEnLigne_ != Client)
        emit signalSendStatsGameStart(stats);
}

void ZB_Room::OnForwardPenalty(QString penalty)
{
    emit signalSendPenalty(penalty);
}

void ZB_Room::OnSendStatsGameCompleted(bool isConnected, QString stats)
{
    emit signalSendStatsGameCompleted(isConnected, stats);
}
