#include "ZB_RoomTable.h"

#include "GM_GamePenalty.h"
#include "GM_SocketAbstract.h"
#include "GM_SpacesSeparatedString.h"
#include "JoueurHumain.h"
#include "ZB_MessageDeTable.h"
#include "ZB_RoomTableOutils.h"
#include "ZB_SalleDeTableA.h"
#include "ZB_ServerSeatingA.h"
#include "ZB_ServerSocketConnection.h"

#include <QCoreApplication>
#include <QMutexLocker>

#include <memory>
#include <optional>

// ZB_RoomTable: seating of a hosting table, offline players, reconnection,
// penalties and the table's slots.

using namespace ZB_RoomTableOutils;

namespace {

// The state at which a client arriving now takes its seat: the new-player
// state of its position in the next trick that has one.
int etatDEntree(int etat, int noJoueur)
{
    const int* const groupes = EtatDeJeu::PremierNouveauJoueur;
    if (etat < EtatDeJeu::EnregistrementSettingsPartie)
        return etat;
    if (etat <= EtatDeJeu::AttendAnnonce4)
        return groupes[0] + noJoueur;
    if (etat <= EtatDeJeu::Tour1_AttendConfirmationAnnonces4)
        return groupes[1] + noJoueur;
    if (etat <= EtatDeJeu::Tour2_AttendRamasseTas4)
        return groupes[2] + noJoueur;
    return groupes[3] + noJoueur;
}

} // namespace

void ZB_RoomTable::OnPlayerExcluded()
{
    emit signalPlayerExcluded();
}

void ZB_RoomTable::OnPlayerTooSlow(qint64 dataBaseUserId, double penalite)
{
    emetPenalite_(penalite, dataBaseUserId, GM_GamePenalty::GenreTropLent);
}

void ZB_RoomTable::OnQuestionNouvellePartie()
{
    const bool continuer = m_reponseNouvellePartie != 0;
    m_reponseNouvellePartie = 0;
    emit signalQuestion_NouvellePartie(continuer);
}

void ZB_RoomTable::OnDisconnectClient()
{
    emit signalDisconnectClient(false);
}

void ZB_RoomTable::emetPenalite_(double penalite, qint64 idCompte, int genre)
{
    if (m_optionsDePartie.penalites_ == 0)
        return;
    const GM_GamePenalty record(m_statsPartie.id1_, penalite, static_cast<int>(idCompte & 0xffffffff),
                                m_statsPartie.valeurs_[0], genre);
    emit signalSendPenalty(record.sauveValeursDansString());
}

void ZB_RoomTable::posteALaSalle_(int genre, const QString& texte, int noJoueur, int etat, qint64 idJoueur, int mode,
                                  int noDemande)
{
    auto ev = std::make_unique<EvenementDeJeu>(genre, texte, noJoueur, etat, EvenementDeJeu::Local_Table, idJoueur,
                                               mode, noDemande, m_noTable, ZB_ICI);
    // A table without a room runs its events through its own intake.
    if (m_salle != nullptr)
        m_salle->posteEvenementDeTable(ev.release());
    else
        QCoreApplication::postEvent(this, ev.release());
}

void ZB_RoomTable::executeEvenementDeLaTable_(int genre, const QString& texte, int noJoueur, int etat,
                                              qint64 idJoueur, int mode, int noDemande)
{
    if (m_listeDesEvenements == nullptr)
        return;
    EvenementDeJeu ev(genre, texte, noJoueur, etat, EvenementDeJeu::Local_Table, idJoueur, mode, noDemande, m_noTable,
                      ZB_ICI);
    m_listeDesEvenements->execute_unlocked(m_settingsPartie.noDemande, ev, true);
}

void ZB_RoomTable::setClientOffline(qint64 idJoueur, bool isSendOfflineEvent, bool isNotifyAllPlayers)
{
    trace(QStringLiteral("ZB_RoomTable::OnSetClientOffline->enter() Joueur: %1, isSendOfflineEvent: %2, "
                         "isNotifyAllPlayers: %3")
              .arg(idJoueur)
              .arg(isSendOfflineEvent)
              .arg(isNotifyAllPlayers));
    std::optional<qint64> comptePenalise;
    {
        QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
        const int siege = m_sieges.dernierSiegeDe(idJoueur);
        if (const JoueurHumain* joueur = m_sieges.joueur(siege)) {
            const int etat = getEtatCourant();
            const bool enJeu = etat >= EtatDeJeu::AttendDistribue1 && etat <= EtatDeJeu::DernierEtatDeJeu;
            if (!m_sieges.estMemeCompte(siege) && enJeu)
                comptePenalise = joueur->options_.idCompte_;
            trace(QStringLiteral("ZB_RoomTable::OnSetClientOffline joueur_ exist"));
            setPlayerOffline(siege, isNotifyAllPlayers);
        } else {
            trace(QStringLiteral("ZB_RoomTable::OnSetClientOffline joueur_ does NOT exist"));
            posteALaSalle_(EvenementDeJeu::JoO, QString(), SiegeTable, EtatDeJeu::EntreeOuSortieDeJoueur, idJoueur,
                           EvenementDeJeu::ModeEnDirect, m_settingsPartie.noDemande);
            m_sieges.retireEntrees(idJoueur);
        }
    }
    // Told once the list is free again: the room's slots may reach the table.
    if (comptePenalise.has_value())
        emetPenalite_(GM_GamePenalty::PENALITE_ABANDON, *comptePenalise, GM_GamePenalty::GenreAbandon);
}

void ZB_RoomTable::setPlayerOffline(int noJoueur, bool notify)
{
    const JoueurHumain* joueur = m_sieges.joueur(noJoueur);
    if (joueur == nullptr)
        return;
    m_sieges.changeCompte(noJoueur, -1);
    const qint64 id = joueur->options_.id_;
    if (notify)
        posteALaSalle_(EvenementDeJeu::Mes, ZB_MessageDeTable::texte(ZB_MessageDeTable::Deconnecte), noJoueur,
                       EtatDeJeu::HorsDeroulement, id, EvenementDeJeu::ModeEnDirect, -1);
    // Its execution hands the seat to the computer player the seat owns,
    // which answers what the seat was asked.
    posteALaSalle_(EvenementDeJeu::JoO, QString(), noJoueur, EtatDeJeu::EntreeOuSortieDeJoueur, id,
                   EvenementDeJeu::ModeEnDirect, m_settingsPartie.noDemande);
}

bool ZB_RoomTable::estEntreeAnnoncee(int etat) const
{
    return m_sieges.estEntreeAnnoncee(etat);
}

bool ZB_RoomTable::setClientInGameReconnect(ZB_ServerSocketConnection* connection, ZB_ServerSeatingA* serveur,
                                            const OptionsDuJoueur& options, bool prochaineDonne)
{
    trace(QStringLiteral("ZB_RoomTable::setClientInGameReconnect->enter() Joueur: %1 (%2)")
              .arg(options.getNomAffiche())
              .arg(options.id_));
    QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
    const int siege = m_sieges.placeDeReconnexion(options);
    if (siege < 0) {
        trace(QStringLiteral("ZB_RoomTable::setClientInGameReconnect joueur_ did not find a place to reconnect "
                             "(normal if no disconnection occured)"));
        return false;
    }
    // Run now, not posted: run later it would take away the entry queued
    // just below, and the client would never get its seat back.
    executeEvenementDeLaTable_(EvenementDeJeu::JoO, QString(), SiegeTable, EtatDeJeu::EntreeOuSortieDeJoueur,
                               options.id_, EvenementDeJeu::ModeEnDirect, m_settingsPartie.noDemande);
    insertPlayerInGame_unlocked(connection, siege, options,
                                ZB_MessageDeTable::texte(ZB_MessageDeTable::Reconnecte, options.nom_), prochaineDonne);
    if (serveur != nullptr) {
        serveur->connexionPlacee(connection, m_noTable);
        const bool complet = compteSiegesLibres(-1) == 0 && serveur->estListeDAttenteVide();
        serveur->setEtatServeur(complet ? ZB_ServerSeatingA::EnCoursComplet
                                        : ZB_ServerSeatingA::EnCoursAvecPlacesLibres);
    }
    return true;
}

bool ZB_RoomTable::setClientInGameOnTheFly_Random(ZB_ServerSocketConnection* connection,
                                                  const OptionsDuJoueur& options)
{
    trace(QStringLiteral("ZB_RoomTable::setClientInGameOnTheFly_Random->enter() Joueur: %1 (%2)")
              .arg(options.getNomAffiche())
              .arg(options.id_));
    QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
    const int siege = m_sieges.siegeAPrendre();
    if (siege < 0) {
        trace(QStringLiteral("ZB_RoomTable::setClientInGameOnTheFly_Random joueur_ DID NOT FIND A REPLACEMENT "
                             "(table full?)"));
        return false;
    }
    insertPlayerInGame_unlocked(connection, siege, options,
                                ZB_MessageDeTable::texte(ZB_MessageDeTable::ConnecteALaPlace, options.nom_,
                                                         m_sieges.joueur(siege)->options_.nom_));
    return true;
}

bool ZB_RoomTable::setClientInGameInPlaceOf(ZB_ServerSocketConnection* connection, qint64 idCedant,
                                            const OptionsDuJoueur& options)
{
    QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
    const int siege = m_sieges.dernierSiegeDe(idCedant);
    const JoueurHumain* cedant = m_sieges.joueur(siege);
    // Only a seat a connection played: the host's and the computers' are
    // never handed over.
    if (cedant == nullptr || cedant->options_.distant_ == 0 || cedant->options_.ordinateur_ != 0)
        return false;
    // The seat holds the player who left until the next deal, and its
    // computer after: the newcomer's entry takes the place of both.
    insertPlayerInGame_unlocked(connection, siege, options,
                                ZB_MessageDeTable::texte(ZB_MessageDeTable::ConnecteALaPlace, options.nom_,
                                                         cedant->options_.nom_));
    return true;
}

bool ZB_RoomTable::setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection* connection, int noJoueur,
                                                       bool isHotSwapSamePlayerSocketChange,
                                                       const OptionsDuJoueur& options)
{
    trace(QStringLiteral("ZB_RoomTable::setClientInGameOnTheFly_SpecificPos->enter() Joueur: %1 (%2)")
              .arg(options.getNomAffiche())
              .arg(options.id_));
    QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
    const JoueurHumain* joueur = getJoueur(noJoueur);
    const bool libre = m_sieges.estOffrable(noJoueur);
    const bool memeJoueur = joueur != nullptr && joueur->options_.id_ == options.id_;
    if (!libre && !(isHotSwapSamePlayerSocketChange && memeJoueur)) {
        trace(QStringLiteral("ZB_RoomTable::setClientInGameOnTheFly_SpecificPos joueur_ DID NOT FIND A REPLACEMENT "
                             "(table full?)"));
        return false;
    }
    const QString texte = memeJoueur ? ZB_MessageDeTable::texte(ZB_MessageDeTable::Reconnecte, options.nom_)
                                     : ZB_MessageDeTable::texte(ZB_MessageDeTable::ConnecteALaPlace, options.nom_,
                                                                joueur->options_.nom_);
    insertPlayerInGame_unlocked(connection, noJoueur, options, texte);
    return true;
}

void ZB_RoomTable::insertPlayerInGame(ZB_ServerSocketConnection* connection, int noJoueur,
                                      const OptionsDuJoueur& options, const QString& texte)
{
    QMutexLocker verrou(m_listeDesEvenements != nullptr ? m_listeDesEvenements->getMutex() : nullptr);
    insertPlayerInGame_unlocked(connection, noJoueur, options, texte);
}

void ZB_RoomTable::insertPlayerInGame_unlocked(ZB_ServerSocketConnection* connection, int noJoueur,
                                               const OptionsDuJoueur& options, const QString& texte,
                                               bool prochaineDonne)
{
    if (!estSiege(noJoueur) || m_listeDesEvenements == nullptr)
        return;
    // Names come from the client: they must not cut the notice's record.
    const QString connexion = GM_SpacesSeparatedString::sanitizeFreeText(texte);
    const QString record = options.sauveValeursDansString();
    const int etat = getEtatCourant();
    // Until the third trick is under way the client still plays this deal.
    const bool cetteDonne = !prochaineDonne && etat < EtatDeJeu::Tour3_AttendRamasseTas1;
    // The client is sent the game so far before it hears of its entry: the
    // replay rebuilds its table from nothing, so that an entry heard before
    // it would be lost, and the client, never told that its seat waits to
    // enter, would watch while the table waits for it to play.
    if (connection != nullptr) {
        // From now on the connection hears this table.
        connection->setTableId(m_noTable);
        GM_SocketAbstract* socket = connection->getSocket();
        if (socket != nullptr && socket->state() == QAbstractSocket::ConnectedState) {
            QByteArray rattrapage;
            m_listeDesEvenements->getReplay(rattrapage, cetteDonne ? EvenementDeJeu::RsI : EvenementDeJeu::RsV,
                                            noJoueur, m_noTable);
            // A transport that takes only part of the block has cut the
            // client's stream: the connection then asks its server to drop
            // it.
            connection->ecrit(rattrapage);
        }
    }
    if (cetteDonne) {
        executeEvenementDeLaTable_(EvenementDeJeu::Mes,
                                   ZB_MessageDeTable::texte(ZB_MessageDeTable::EntreeCetteDonne, connexion),
                                   noJoueur, EtatDeJeu::HorsDeroulement, options.id_,
                                   EvenementDeJeu::ModeRejeuTransmis, -1);
        executeEvenementDeLaTable_(EvenementDeJeu::JoM, record, noJoueur, etatDEntree(etat, noJoueur), options.id_,
                                   EvenementDeJeu::ModeRejeuTransmis, m_settingsPartie.noDemande);
    } else {
        executeEvenementDeLaTable_(EvenementDeJeu::Mes,
                                   ZB_MessageDeTable::texte(ZB_MessageDeTable::EntreeProchaineDonne, connexion),
                                   noJoueur, EtatDeJeu::HorsDeroulement, options.id_,
                                   EvenementDeJeu::ModeRejeuTransmis, -1);
        executeEvenementDeLaTable_(EvenementDeJeu::JoN, record, noJoueur, EtatDeJeu::EntreeOuSortieDeJoueur,
                                   options.id_, EvenementDeJeu::ModeRejeuTransmis, m_settingsPartie.noDemande);
    }
}

QMap<int, OptionsDuJoueur> ZB_RoomTable::getJoueursEnAttente()
{
    return m_sieges.prendEntrees();
}

int ZB_RoomTable::compteSiegesLibres(int exclu) const
{
    return m_sieges.compteSiegesLibres(exclu);
}

qint64 ZB_RoomTable::cleStats_(int noJoueur) const
{
    const JoueurHumain* joueur = getJoueur(noJoueur);
    if (joueur != nullptr && joueur->options_.idCompte_ != -1) {
        switch (joueur->modeJeu_) {
        case Joueur::ModeManuel:
        case Joueur::ModeOrdinateur:
        case Joueur::ModeHumainDistant:
        case Joueur::ModeOrdinateurDistant:
        case Joueur::ModeEnAttenteDEntree:
        case Joueur::ModeOrdinateurPartout:
            return joueur->options_.idCompte_;
        default:
            break;
        }
    }
    // Seats 0 to 3: -5 to -2, never -1 (no account).
    return noJoueur - 5;
}

void ZB_RoomTable::statsFinDeMatch_(int t0, int t1)
{
    if (m_statistiques.finDeMatch(t0, t1))
        emit signalSendStatsGameCompleted(!m_miroir && m_statsPartie.id1_ != -1,
                                          m_statsPartie.sauveValeursDansString());
}

void ZB_RoomTable::annonceDebutDeStats_()
{
    if (m_statistiques.debutDeMatch())
        emit signalSendStatsGameStart(m_statsPartie.sauveValeursDansString());
}
