#include "ZB_Room.h"

#include "DisplayA.h"
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "JoueurHumain.h"
#include "Partie.h"
#include "TypeDePartie.h"
#include "ZB_EventsGroup.h"
#include "ZB_RoomTable.h"
#include "ZB_RoomTableOutils.h"
#include "ZB_VerrouEvenements.h"

#include <QMessageLogger>
#include <QMutexLocker>
#include <QTimer>

// ZB_Room: the event lists' executor, the walk through a round's states and
// the pace between tables.

using ZB_RoomTableOutils::trace;

namespace {

// A table this many states ahead of the slowest one goes on without waiting
// for it: the others are still bidding or dealing.
constexpr int AvanceMaximaleEntreTables = 25;

} // namespace

// ---- The event lists' executor. ----

bool ZB_Room::cb_executeUnEvenement(EvenementDeJeu& ev)
{
    if (!ev.valide_)
        return false;
    if (ev.type_ == EvenementDeJeu::InP) {
        OptionsDePartie options;
        options.chargeValeursDepuisString(ev.texte_);
        options_ = options;
        ZB_RoomTable* table = getTable(ev.noTable_);
        if (table == nullptr)
            return false;
        const int modeReseau = etatEnLigne_ == Hote     ? ZB_RoomTable::ReseauServeur
                             : etatEnLigne_ == Client ? ZB_RoomTable::ReseauClient
                                                      : ZB_RoomTable::ReseauLocal;
        table->nouvellePartie(modeReseau, options_);
        gardeDesTours_.nouvellePartie();
        const bool hote = modeReseau == ZB_RoomTable::ReseauServeur && server_ && server_->getJoueurLocal().has_value();
        table->setIdHote(hote ? server_->getJoueurLocal()->id_ : -1);
        if (display_ != nullptr && table->getDisplay() == display_)
            display_->setTexteAide(options_.texte7_);
        return true;
    }
    ZB_RoomTable* table = getTable(ev.noTable_);
    if (table == nullptr)
        return false;
    const bool resultat = table->cb_executeUnEvenement(ev);
    if (resultat && (ev.type_ == EvenementDeJeu::Dis || ev.type_ == EvenementDeJeu::JoO))
        suitLesPlacesLibres_();
    if (resultat && etatEnLigne_ == Hote && !EvenementDeJeu::estSourceLocale(ev.source_)
        && EvenementDeJeu::estDeClasse(ev.type_, EvenementDeJeu::CoupDeJoueur))
        gardeDesTours_.repond(ev.idJoueur_);
    // What the host played, it played: a copy that cannot follow it has
    // drifted and would wait for ever for a move it cannot run.
    if (!resultat && etatEnLigne_ == Client && !EvenementDeJeu::estSourceLocale(ev.source_)
        && EvenementDeJeu::estDeClasse(ev.type_, EvenementDeJeu::CoupDeJoueur))
        horsDePasAvecLHote(ev);
    return resultat;
}

void ZB_Room::suitLesPlacesLibres_()
{
    // Before the start the identified players are the seats' claimants,
    // and one who leaves must not make the waiting server look started.
    if (etatEnLigne_ != Hote || !server_ || server_->getEtat() < ZB_ServerSocket::DemarreParLaVue)
        return;
    QMutexLocker verrou(server_->getMutex());
    if (listeDeTables_ && !listeDeTables_->isEmpty()) {
        server_->setEtat(5);
        return;
    }
    int libres = 0;
    for (ZB_RoomTable* t : std::as_const(tables_))
        libres += t->compteSiegesLibres(-1);
    if (libres > 0 && server_->getEtat() == ZB_ServerSeatingA::EnCoursComplet)
        server_->setEtat(ZB_ServerSeatingA::EnCoursAvecPlacesLibres);
    else if (libres == 0)
        server_->setEtat(ZB_ServerSeatingA::EnCoursComplet);
}

void ZB_Room::envoieEvenement(const EvenementDeJeu& ev)
{
    if (!server_ || server_->getConnections().isEmpty()) {
        if (etatEnLigne_ == Client && EvenementDeJeu::estSourceLocale(ev.source_))
            sendToServer(ev);
        return;
    }
    server_->envoieEvenement(ev);
}

void ZB_Room::continueLeJeu(int mode, double* delai, int noTable, bool force)
{
    const bool relance = relance_;
    // A stored record's replay passes its moves' own mode (0), yet the table
    // plays them as a replay: the first live step after it asks again the
    // seats of a group that have not answered (a game left while the
    // computers collected a trick would else wait for ever).
    const ListeDesEvenements* liste = events_->getListe(noTable);
    const bool rejeu = liste != nullptr && liste->estReplayEnCours();
    if (incrementeTour_(mode, noTable)) {
        QTimer::singleShot(2000, this, &ZB_Room::OnQuickFixDelayCompleteRound);
    } else {
        continueTable_(mode, delai, noTable, force, relance);
    }
    relance_ = !EvenementDeJeu::estEnDirect(mode) || rejeu;
}

void ZB_Room::continueTable_(int mode, double* delai, int noTable, bool force, bool relance)
{
    ZB_RoomTable* table = getTable(noTable);
    ListeDesEvenements* liste = events_->getListe(noTable);
    if (table == nullptr || liste == nullptr)
        return;
    const int etat = liste->getEtatAttendu();
    if (etat == EtatDeJeu::Aucun)
        return;
    if (etat == EtatDeJeu::AttendInscriptionPartie) {
        if (EvenementDeJeu::estEnDirect(mode) && etatEnLigne_ == Hote) {
            const int etatServeur = server_->getEtat();
            if (etatServeur == ZB_ServerSocket::DemarreParLaVue || etatServeur == ZB_ServerSeatingA::EnCoursAvecPlacesLibres
                || etatServeur == ZB_ServerSeatingA::EnCoursComplet) {
                // The list is locked here, and the start queues on it.
                const int no = table->getNoTable();
                QTimer::singleShot(0, this, [this, no] { cb_serverStart(no); });
            }
            else
                startHosting(socket_, login_, portSecure_, portUnsecure_, portTcp_, idUtilisateur_);
        }
        return;
    }
    int siege = -1;
    const int debut = table->getSettingsPartie().joueurQuiCommenceLaProchainePartie;
    if (etat > EtatDeJeu::AttendMise1_1 && etat <= EtatDeJeu::AttendAtout)
        siege = debut;
    else if (etat == EtatDeJeu::AttendAtoutChibre && debut >= 0 && debut < 4 && table->getJoueur(debut) != nullptr)
        siege = (table->getJoueur(debut)->noJoueur_ + 2) % 4;
    else if (JoueurHumain::estEtatDeJeuDeCarte(etat))
        siege = table->getJoueurQuiDoitJouer(etat);
    JoueurHumain* joueur = table->getJoueur(siege);
    // A record being replayed is not saved half-way over the last autosave.
    if (joueur != nullptr && joueur->estJoueurManuel() && etatEnLigne_ == HorsLigne
        && EvenementDeJeu::estEnDirect(mode) && !sansSauvegarde_ && !liste->estReplayEnCours()) {
        // A continuation runs under the lock of its table's list: the first
        // table's list is written as it is, locking it again would hang.
        if (liste == events_->getListe(-1))
            autosauvegarde_(*liste);
        else
            saveToFile();
    }
    table->continueLeJeu(mode, delai, relance, force);
}

bool ZB_Room::incrementeTour_(int mode, int noTable)
{
    ZB_RoomTable* table = getTable(noTable);
    ListeDesEvenements* liste = events_->getListe(noTable);
    if (table == nullptr || liste == nullptr)
        return false;
    const int etat = liste->getEtatAttendu();
    const TypeDePartie& type = table->getTypeDePartie();
    bool autresTables = false;
    int suivant = etat + 1;

    if (etat == EtatDeJeu::Tour9_AttendRamasseTas4) {
        suivant = EtatDeJeu::Tour9_AttendRamasseTas4;
        if (events_->sontTousDansEtat(EtatDeJeu::Tour9_AttendRamasseTas4)) {
            if (etatEnLigne_ != Hote)
                finDeTour_(mode);
            else
                autresTables = true;
        }
    } else if (etat == EtatDeJeu::AttendDistribue4) {
        suivant = type.contrat_ == TypeDePartie::ContratChibre ? EtatDeJeu::AttendAtout : EtatDeJeu::AttendMise1_1;
    } else if (etat == EtatDeJeu::AttendMise4_4) {
        // Everybody passed: the deal starts again from the snapshot.
        suivant = EtatDeJeu::EnregistrementSettingsPartie;
        liste->setEtatExecute(EtatDeJeu::InscriptionJoueur3);
    } else if (etat == EtatDeJeu::AttendAtoutChibre) {
        suivant = type.annonces_ == TypeDePartie::AnnoncesDesactivees ? EtatDeJeu::Tour1_NouveauJoueur1
                                                                      : EtatDeJeu::AttendAnnonce1;
    } else if (etat == EtatDeJeu::Tour1_AttendRamasseTas4 && !table->estConfirmationAnnoncesEnAttente()) {
        suivant = EtatDeJeu::Tour2_NouveauJoueur1;
    } else if (etat == EtatDeJeu::Tour7_AttendRamasseTas4 && type.genre_ == TypeDePartie::GenreBelote) {
        suivant = EtatDeJeu::Tour9_AttendCarte1;
    }

    // Nobody waits at a new-player state: the walk goes on through the
    // group, whose next state is the trick's first card. A client stops
    // where an entry it heard of is to be made: the table's word for it may
    // come after the move that ended the trick.
    if (etat != EtatDeJeu::Tour9_AttendRamasseTas4) {
        const int groupe = EtatDeJeu::premierNouveauJoueur(suivant);
        if (groupe >= 0) {
            while (suivant < groupe + 4
                   && !table->getEntreesProchainPli().contains(suivant - groupe)
                   && !table->estEntreeAnnoncee(suivant)
                   && liste->getEnQueue(suivant).isEmpty())
                ++suivant;
        }
        liste->setEtatAttendu(suivant);
    }
    trace(QStringLiteral("ZB_Room::incrementeTour_(tableId=%1), oldState=%2, partie=%3, isContinueOtherTables=%4")
              .arg(noTable)
              .arg(etat)
              .arg(table->getPartie().isNull() ? QStringLiteral("nullptr") : QStringLiteral("ok"))
              .arg(autresTables));
    return autresTables;
}

void ZB_Room::finDeTour_(int mode)
{
    bool secondeMoitie = false;
    for (auto it = tables_.constBegin(); it != tables_.constEnd(); ++it) {
        if (ListeDesEvenements* liste = events_->getListe(it.key())) {
            liste->donneSuivante();
            liste->setEtatAttendu(EtatDeJeu::InscriptionJoueur0);
        }
    }
    for (ZB_RoomTable* table : std::as_const(tables_))
        secondeMoitie = table->termineDonne(mode == EvenementDeJeu::ModeSuiteDeDonnes) || secondeMoitie;
    if (secondeMoitie && etatEnLigne_ != Client && display_ != nullptr && display_->getModeAffichage() == 0)
        messageBox(GM::Information, tr("Information concours."),
                   tr("Vous avez atteint le nombre de parties prévu. A présent, les mêmes jeux qu'au départ vont être "
                      "distribués, mais en inversant les destinataires."),
                   GM::Ok);
    if (mode == EvenementDeJeu::ModeSuiteDeDonnes)
        events_->flush_unlocked();
}

void ZB_Room::noteActiviteJoueur(const EvenementDeJeu& ev)
{
    if (!ev.valide_ || ev.noJoueur_ == ZB_RoomTable::SiegeTable)
        return;
    ZB_RoomTable* table = getTable(ev.noTable_);
    if (table == nullptr)
        return;
    if (JoueurHumain* joueur = table->getJoueur(ev.noJoueur_))
        joueur->horodatage_ = QDateTime::currentDateTime();
}

bool ZB_Room::peutContinuer(int& etatAttendu, int noTable)
{
    Q_UNUSED(etatAttendu);
    if (tables_.size() < 2)
        return true;
    int plusHaut = 0;
    int plusBas = 0;
    bool egaux = true;
    bool premier = true;
    for (auto it = tables_.constBegin(); it != tables_.constEnd(); ++it) {
        const ListeDesEvenements* liste = events_->getListe(it.key());
        if (liste == nullptr)
            continue;
        const int etat = liste->getEtatAttendu();
        if (premier && etat == EtatDeJeu::Aucun)
            continue;
        if (premier) {
            plusHaut = plusBas = etat;
            premier = false;
            continue;
        }
        egaux = egaux && etat == plusHaut && etat == plusBas;
        plusHaut = qMax(plusHaut, etat);
        plusBas = qMin(plusBas, etat);
    }
    const ListeDesEvenements* liste = events_->getListe(noTable);
    const int s = liste != nullptr ? liste->getEtatAttendu() : int(EtatDeJeu::Aucun);
    return s < plusHaut || s - plusBas >= AvanceMaximaleEntreTables
        || (s >= EtatDeJeu::InscriptionJoueur0 && s <= EtatDeJeu::AttendMise4_4) || egaux;
}

// ---- The round's end, put off while the other tables catch up. ----

void ZB_Room::OnQuickFixDelayCompleteRound()
{
    QString erreur;
    {
        ZB_VerrouEvenements<ZB_EventsGroup> verrou(*events_);
        erreur = GM_Exception::sansException([&] {
            if (events_->sontTousDansEtat(EtatDeJeu::Tour9_AttendRamasseTas4)) {
                finDeTour_(0);
                const int nombre = listeDeTables_ && !listeDeTables_->isEmpty() ? int(listeDeTables_->size()) : 1;
                for (int i = 0; i < nombre; ++i)
                    continueTable_(0, nullptr, i, false, relance_);
                events_->flush_unlocked();
            }
        });
    }
    if (erreur.isEmpty())
        return;
    // Nothing may leave a slot. The event that failed is off its queue: the
    // lists try again with what follows, as after a failed flush.
    QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO)
        .warning("%s", qUtf8Printable(QStringLiteral("ZB_Room::OnQuickFixDelayCompleteRound: %1").arg(erreur)));
    for (auto it = tables_.constBegin(); it != tables_.constEnd(); ++it)
        if (ListeDesEvenements* liste = events_->getListe(it.key()))
            QTimer::singleShot(ListeDesEvenements::DelaiReessai, liste, &ListeDesEvenements::OnFlush);
}
