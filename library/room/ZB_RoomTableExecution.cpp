#include "ZB_RoomTable.h"

#include "Carte.h"
#include "DisplayA.h"
#include "GM_Exception.h"
#include "GM_SpacesSeparatedString.h"
#include "JoueurHumain.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "ZB_EventIntake.h"
#include "ZB_MessageDeTable.h"
#include "ZB_Room.h"
#include "ZB_RoomTableOutils.h"

#include <QTimer>

// ZB_RoomTable: the intake of events and their execution, with the checks
// that a seat may act and that a move fits the state.

using namespace ZB_RoomTableOutils;

namespace {

bool estSourceAdmise(const EvenementDeJeu& ev)
{
    switch (ev.source_) {
    case EvenementDeJeu::Local_AI:
    case EvenementDeJeu::Local_Human:
    case EvenementDeJeu::Remote_AI:
    case EvenementDeJeu::Remote_Human:
    case EvenementDeJeu::SourceRemote_Human_OtherPlayerMessageReturned:
    case EvenementDeJeu::SourceRemote_AI_OtherPlayerMessageReturned:
        return true;
    case EvenementDeJeu::SourceRemote_Human_MyOwnMessageReturned:
    case EvenementDeJeu::SourceRemote_AI_MyOwnMessageReturned:
        return !EvenementDeJeu::estEnDirect(ev.mode_);
    default:
        return false;
    }
}

// Built by this table, by the server's table or rewritten for this machine.
bool vientDeLaTable(const EvenementDeJeu& ev)
{
    if (ev.noJoueur_ != ZB_RoomTable::SiegeTable)
        return false;
    switch (ev.source_) {
    case EvenementDeJeu::Local_Table:
    case EvenementDeJeu::Remote_Table:
    case EvenementDeJeu::SourceRemote_Table_LocalTableTransform:
    case EvenementDeJeu::SourceRemote_Table_MyOwnMessageReturned:
    case EvenementDeJeu::SourceRemote_Table_OtherPlayerMessageReturned:
        return true;
    default:
        return false;
    }
}

int indexDeCarte(const QString& texte)
{
    const QStringList parties = texte.split(QLatin1Char('_'));
    if (parties.size() != 2)
        return ZB_RoomTable::AucuneCarte;
    bool okCouleur = false;
    bool okValeur = false;
    const int couleur = parties.at(0).toInt(&okCouleur);
    const int valeur = parties.at(1).toInt(&okValeur);
    if (!okCouleur || !okValeur || couleur < 1 || couleur > 4 || valeur < 6 || valeur > 14)
        return ZB_RoomTable::AucuneCarte;
    return Carte::indexDe(couleur, valeur);
}

} // namespace

bool ZB_RoomTable::refuse_(const EvenementDeJeu& ev, const QString& raison) const
{
    avertit(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, event '%1' from seat %2 (player %3) has been "
                           "REFUSED: %4")
                .arg(ev.toString(m_version), QString::number(ev.noJoueur_), QString::number(ev.idJoueur_), raison));
    return false;
}

void ZB_RoomTable::customEvent(QEvent* event)
{
    QObject::customEvent(event);
    if (event->type() != static_cast<QEvent::Type>(ZB_Event::EvenementDeJeu) || event->isAccepted())
        return;
    auto* ev = dynamic_cast<EvenementDeJeu*>(event);
    if (ev == nullptr || m_listeDesEvenements == nullptr) {
        event->accept();
        return;
    }

    // While a replay catches the table up, the recorded moves play the
    // user's seat: a move of the user (a click on a request the replay
    // showed) would take a recorded move's place and leave the table out of
    // step with the host. It is turned away; the user is asked again, live,
    // once the replay is over.
    if (ev->source_ == EvenementDeJeu::Local_Human && EvenementDeJeu::estEnDirect(ev->mode_)
        && EvenementDeJeu::estDeClasse(ev->type_, EvenementDeJeu::CoupDeJoueur)
        && m_listeDesEvenements->estReplayEnCours()) {
        if (m_display != nullptr)
            m_display->setTexteAide(tr("La partie est rejouée jusqu'au coup en cours: vous jouerez dès la fin du "
                                       "rattrapage."));
        event->accept();
        return;
    }

    // A joining copy runs only its host's moves for a seat its host plays
    // (a seat that waits to enter, its own among them): a move of this
    // machine there (the user's click, its computer's answer to a request
    // the table showed before the entry) would be played here and refused
    // there, and the copy would follow another game than its host's.
    const bool deCetteMachine =
        ev->source_ == EvenementDeJeu::Local_Human || ev->source_ == EvenementDeJeu::Local_AI;
    if (m_miroir && deCetteMachine && EvenementDeJeu::estDeClasse(ev->type_, EvenementDeJeu::CoupDeJoueur)
        && ev->noJoueur_ >= 0 && ev->noJoueur_ < NombreDeSieges
        && m_listeDesEvenements->joueurDistant_[size_t(ev->noJoueur_)]) {
        event->accept();
        return;
    }

    // A peer's event that does not read, or that the rules refuse with an
    // exception, must not reach the application's handler: it is dropped
    // here, and the events behind it still run.
    ZB_EventIntake::prend(
        *m_listeDesEvenements, ZB_EventIntake::EssaisJusquAuVide,
        [&](ListeDesEvenements& liste) { liste.execute_unlocked(m_settingsPartie.noDemande, *ev, true); },
        [&](const QString& erreur) {
            avertit(QStringLiteral("ZB_RoomTable::customEvent, event '%1' has been DROPPED: %2")
                        .arg(ev->toString(m_version), erreur));
        });
    event->accept();
}

bool ZB_RoomTable::cb_executeUnEvenement(const EvenementDeJeu& ev)
{
    const int genre = ev.type_;
    const bool horsControle = EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::HorsControleJoueur);

    // A seat's answer must come from whoever sits there.
    if (ev.idJoueur_ != -1 && !horsControle) {
        if (!estSourceAdmise(ev) || !ev.valide_ || ev.noJoueur_ < 0 || ev.noJoueur_ >= NombreDeSieges
            || m_sieges.joueur(ev.noJoueur_) == nullptr)
            return false;
        if (!m_miroir && EvenementDeJeu::estEnDirect(ev.mode_)
            && m_sieges.joueur(ev.noJoueur_)->options_.id_ != ev.idJoueur_)
            return false;
    }
    // Without an id the check above proves nothing: only the table itself
    // may send such an event.
    if (ev.idJoueur_ == -1 && !horsControle && !vientDeLaTable(ev))
        return refuse_(ev, QStringLiteral("no player id and not from the table"));
    if (EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::FaitDeTable) && ev.noJoueur_ != SiegeTable)
        return refuse_(ev, QStringLiteral("only the table states this"));
    if (EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::CoupDeJoueur)
        && (ev.noJoueur_ < 0 || ev.noJoueur_ >= NombreDeSieges)) {
        const bool atoutAutomatique =
            genre == EvenementDeJeu::Cho && ev.noJoueur_ == SiegeTable && vientDeLaTable(ev);
        if (!atoutAutomatique)
            return refuse_(ev, QStringLiteral("seat outside the table"));
    }

    if (ev.noDemande_ != m_settingsPartie.noDemande
        && !EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::PasseHorsDemande))
        return false;

    bool resultat = true;
    switch (genre) {
    case EvenementDeJeu::Mes: {
        const JoueurHumain* auteur = getJoueur(ev.noJoueur_);
        // A player's words go under its own seat only: the host checks what
        // its clients send (their sources are remote once received), a
        // client shows what the host passed on.
        if (!m_miroir && !EvenementDeJeu::estSourceLocale(ev.source_)
            && (auteur == nullptr || auteur->options_.id_ != ev.idJoueur_))
            return refuse_(ev, QStringLiteral("a message under a seat that is not its sender's"));
        // A copy hears of a seat played elsewhere being excluded for
        // slowness by this notice only (the host excluded at its own table
        // stays seated): from now on the host's computer plays that seat,
        // and the copy names it so, as the host does.
        if (m_miroir && auteur != nullptr && auteur->options_.distant_ != 0 && auteur->options_.ordinateur_ == 0
            && ev.texte_ == ZB_MessageDeTable::texte(ZB_MessageDeTable::ExcluPourLenteur)) {
            JoueurHumain* exclu = getJoueur(ev.noJoueur_);
            m_sieges.noteExclusion(ev.noJoueur_, exclu->options_.id_);
            exclu->setMode(Joueur::ModeHorsLigne);
            if (m_display != nullptr)
                m_display->setJoueur(ev.noJoueur_, exclu);
        }
        const QString nom = auteur != nullptr ? auteur->nomAffiche() : tr("Serveur");
        if (m_display != nullptr)
            m_display->afficheMessageReseau(ZB_MessageDeTable::ligne(nom, ev.texte_));
        return true;
    }
    case EvenementDeJeu::Ram:
        ramasse(ev);
        break;
    case EvenementDeJeu::Cho: {
        const bool parLaTable = ev.noJoueur_ == SiegeTable;
        if (parLaTable) {
            const int automatique = m_typeDePartie.atoutAutomatique_;
            if (ev.etat_ != EtatDeJeu::AttendAtout || (automatique != 1 && automatique != 2))
                return refuse_(ev, QStringLiteral("the table chooses trump only in automatic-trump games"));
        } else if (siegeDeLaDecision_(genre, ev.etat_) != ev.noJoueur_) {
            return refuse_(ev, QStringLiteral("not this seat's trump choice"));
        }
        StatusAtout atout;
        atout.chargeValeursDepuisString(ev.texte_);
        if (!atoutChoisi(ev.noJoueur_, atout))
            return refuse_(ev, QStringLiteral("the partner must choose a trump"));
        break;
    }
    case EvenementDeJeu::Chm: {
        if (siegeDeLaDecision_(genre, ev.etat_) != ev.noJoueur_)
            return refuse_(ev, QStringLiteral("not this seat's bid"));
        ZB_StatusMise mise;
        mise.chargeValeursDepuisString(ev.texte_);
        const QString raison = raisonRefusMise_(mise);
        if (!raison.isEmpty())
            return refuse_(ev, raison);
        miseChoisie(ev.noJoueur_, mise);
        break;
    }
    case EvenementDeJeu::Ajo:
        resultat = executeCarte_(ev);
        break;
    case EvenementDeJeu::Dis: {
        lacheLaPartie_();
        int nombre = m_typeDePartie.genre_ == TypeDePartie::GenreBelote ? 8 : 9;
        if (m_typeDePartie.contrat_ == TypeDePartie::ContratFixe || m_typeDePartie.contrat_ == TypeDePartie::ContratVache)
            nombre -= 3;
        reponse_ActionDistribue(nombre, EvenementDeJeu::estEnDirect(ev.mode_));
        break;
    }
    case EvenementDeJeu::Fin:
        resultat = executeFin_(ev);
        break;
    case EvenementDeJeu::Enr: {
        // Read aside first: a snapshot that fails half-way must not leave
        // the table with half of it.
        ZB_SettingsPartie lu(m_settingsPartie);
        lu.chargeValeursDepuisString(ev.texte_);
        m_settingsPartie = lu;
        m_statistiques.reprendCliche(lu.stats_);
        m_statsAvantDonne = m_statsPartie;
        m_annulation.oublie();
        break;
    }
    case EvenementDeJeu::InP:
        resultat = false;
        break;
    case EvenementDeJeu::InJ:
        resultat = executeInscription_(ev);
        break;
    case EvenementDeJeu::ReJ:
        resultat = executeReinscription_(ev);
        break;
    case EvenementDeJeu::JoO:
        resultat = executeHorsLigne_(ev);
        break;
    case EvenementDeJeu::JoN:
        resultat = executeEntree_(ev);
        break;
    case EvenementDeJeu::JoM:
        resultat = executeEntreeSecondeVariante_(ev);
        break;
    case EvenementDeJeu::NeW:
        break;
    case EvenementDeJeu::Ann:
        resultat = executeAnnonce_(ev);
        break;
    default:
        throw GM_Exception(tr("Evènement invalide dans le fichier *.jss"));
    }

    if (ev.mode_ != EvenementDeJeu::ModeRejeuImmediat && m_display != nullptr)
        m_display->rafraichit();
    return resultat;
}

bool ZB_RoomTable::executeCarte_(const EvenementDeJeu& ev)
{
    JoueurHumain* joueur = getJoueur(ev.noJoueur_);
    if (joueur == nullptr)
        return false;
    if (!joueur->estJoueurManuel() && m_display != nullptr)
        m_display->restaureCurseur();

    const int index = indexDeCarte(ev.texte_);
    if (index == AucuneCarte || !joueur->main_.contientIndex(index)) {
        QStringList cartes;
        for (const Carte* carte : joueur->main_)
            cartes << carte->toString();
        avertit(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = %1 (Options = %2) has cards = {%3}, "
                               "and requested card %4 is MISSING")
                    .arg(QString::number(ev.noJoueur_), joueur->options_.sauveValeursDansString(),
                         cartes.join(QLatin1String(", ")), ev.toString(m_version)));
        if (estCoupDistantEnDirect_(ev))
            signaleCoupDistantRefuse_(ev, QStringLiteral("card %1 is not in the seat's hand").arg(ev.texte_.left(20)));
        // A stored record holds only moves its table took: one with a card
        // its seat does not hold under the recorded deal was changed since.
        if (m_listeDesEvenements != nullptr && m_listeDesEvenements->estReplayEnCours())
            m_listeDesEvenements->signaleCoupImpossible(
                tr("la place %1 joue la carte %2, qu'elle ne tient pas dans cette donne")
                    .arg(ev.noJoueur_ + 1)
                    .arg(ev.texte_.left(20)));
        return false;
    }

    const int attendu = getJoueurQuiDoitJouer();
    if (attendu == ev.noJoueur_) {
        Carte* carte = joueur->main_.getCarte(index);
        // The seats of this machine only ever offer legal cards; a peer's
        // client could send anything.
        if (estCoupDistantEnDirect_(ev)) {
            const int code = m_partie.isNull() ? 0 : m_partie->estCarteValide(carte, ev.noJoueur_, joueur->main_);
            if (!Partie::estCodeJouable(code)) {
                avertit(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = %1 (Options = %2) may not play "
                                       "card %3 (reason %4: %5), card play '%6' has been REFUSED")
                            .arg(QString::number(ev.noJoueur_), joueur->options_.sauveValeursDansString(),
                                 carte->toString(), QString::number(code), texteValiditeCarte(code),
                                 ev.toString(m_version)));
                signaleCoupDistantRefuse_(ev, QStringLiteral("card %1 breaks the rules (reason %2)")
                                                  .arg(carte->toString(), QString::number(code)));
                return false;
            }
        }
        joueCarte(ev.noJoueur_, carte);
        return true;
    }
    avertit(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = %1 (Options = %2) is not the player "
                           "supposed to play (expected = %3), card play '%4' has been IGNORED")
                .arg(QString::number(ev.noJoueur_), joueur->options_.sauveValeursDansString(),
                     QString::number(attendu), ev.toString(m_version)));
    return false;
}

bool ZB_RoomTable::estCoupDistantEnDirect_(const EvenementDeJeu& ev) const
{
    const bool sourceLocale = ev.source_ == EvenementDeJeu::Local_AI || ev.source_ == EvenementDeJeu::Local_Human
                           || ev.source_ == EvenementDeJeu::Local_Table;
    // A stored record is read as it was played, whatever it holds.
    const bool rejoue = m_listeDesEvenements != nullptr && m_listeDesEvenements->estReplayEnCours();
    return m_reseau && m_serveur && EvenementDeJeu::estEnDirect(ev.mode_) && !sourceLocale && !rejoue;
}

void ZB_RoomTable::signaleCoupDistantRefuse_(const EvenementDeJeu& ev, const QString& raison) const
{
    if (m_refusCoupDistant)
        m_refusCoupDistant(ev.idJoueur_, raison);
}

bool ZB_RoomTable::executeFin_(const EvenementDeJeu& ev)
{
    const bool ok = ev.texte_ == QLatin1String("Ok");
    const int local = getNoJoueurLocal();
    const JoueurHumain* joueurLocal = m_sieges.joueur(local);
    const bool refusLocal = joueurLocal != nullptr && joueurLocal->options_.id_ == ev.idJoueur_ && !ok;

    if (!m_serveur && refusLocal) {
        QTimer::singleShot(1, this, &ZB_RoomTable::OnDisconnectClient);
        return true;
    }
    const int etat = getEtatCourant();
    if (m_optionsDePartie.collecteReponses_ == 0 && ev.source_ != EvenementDeJeu::Local_AI) {
        if (etat == EtatDeJeu::FinDePartie)
            m_reponseNouvellePartie = ok ? 1 : 0;
        else
            m_reponseNouvellePartie |= ok ? 1 : 0;
    }
    if (etat == EtatDeJeu::FinDePartieSiege3) {
        m_listeDesEvenements->setEtatAttendu(EtatDeJeu::QuestionNouvellePartie);
        QTimer::singleShot(0, this, &ZB_RoomTable::OnQuestionNouvellePartie);
    }
    m_sieges.noteComptes();
    if (m_serveur && refusLocal)
        setPlayerOffline(local, true);
    return true;
}

bool ZB_RoomTable::executeAnnonce_(const EvenementDeJeu& ev)
{
    if (siegeDeLaDecision_(ev.type_, ev.etat_) != ev.noJoueur_)
        return refuse_(ev, QStringLiteral("not this seat's announcements"));
    // Four seats announce once each in the first trick.
    if (m_nombreAnnonces >= NombreDeSieges)
        return refuse_(ev, QStringLiteral("every seat has announced already"));
    const AnnoncesJoueur annonces(ev.texte_);
    m_annonces[size_t(m_nombreAnnonces)] = annonces;
    m_siegesAnnonces[size_t(m_nombreAnnonces)] = ev.noJoueur_;
    if (m_display != nullptr)
        m_display->afficheBulleJoueur(ev.noJoueur_, annonces);
    ++m_nombreAnnonces;
    return true;
}

bool ZB_RoomTable::executeInscription_(const EvenementDeJeu& ev)
{
    const int etat = getEtatCourant();
    if (!EtatDeJeu::estInscriptionJoueur(etat))
        return refuse_(ev, QStringLiteral("inscription outside the seating states"));
    OptionsDuJoueur options;
    options.chargeValeursDepuisString(ev.texte_);
    const int siege = etat - EtatDeJeu::InscriptionJoueur0;
    const int modeAffichage = m_display != nullptr ? m_display->getModeAffichage() : 0;

    int mode = Joueur::ModeManuel;
    if (options.ordinateur_ == 0 && m_sieges.estExclu(siege, options.id_)) {
        // Excluded for slowness: every deal inscribes the seat again, and
        // the computer plays it on to the end of the game (this machine's
        // for its own user, the host's for a seat played elsewhere).
        mode = options.distant_ == 1 ? Joueur::ModeHorsLigne : Joueur::ModeRemplacant;
    } else if (options.ordinateur_ != 0 || modeAffichage != 0) {
        if (options.distant_ == 1)
            mode = Joueur::ModeOrdinateurDistant;
        else
            mode = (modeAffichage & ~2) != 0 ? Joueur::ModeOrdinateurPartout : Joueur::ModeOrdinateur;
    } else if (options.distant_ == 1) {
        mode = Joueur::ModeHumainDistant;
    } else if (m_sieges.joueurObligatoire(siege).modeJeu_ == Joueur::ModeEnAttenteDEntree) {
        mode = Joueur::ModeEnAttenteDEntree;
    }
    inscritJoueur(siege, options, mode, false);
    m_sieges.noteEntreeTraitee(ev.etat_, options.id_);
    return true;
}

bool ZB_RoomTable::executeReinscription_(const EvenementDeJeu& ev)
{
    GM_SpacesSeparatedString texte(ev.texte_);
    const QString record = texte.getNext();
    const int siege = texte.nextInt();
    // The seat indexes the table: one outside it is a corrupted record.
    if (siege < 0 || siege >= NombreDeSieges)
        GM_SpacesSeparatedString::throwCorrupted();
    OptionsDuJoueur options;
    options.chargeValeursDepuisString(record);
    const int modeAffichage = m_display != nullptr ? m_display->getModeAffichage() : 0;

    int mode = Joueur::ModeManuel;
    if (options.ordinateur_ != 0 || modeAffichage != 0) {
        mode = options.distant_ == 1 ? Joueur::ModeOrdinateurDistant : Joueur::ModeOrdinateur;
    } else if (options.distant_ == 1) {
        mode = Joueur::ModeHumainDistant;
    } else if (m_display != nullptr && EvenementDeJeu::estEnDirect(ev.mode_)) {
        // Said in a line, not a box: the user's turn comes at once, with its
        // time running, and the box that told when it would come is closed.
        m_display->afficheMessageReseau(tr("Vous entrez en jeu durant ce tour."));
    }
    inscritJoueur(siege, options, mode, true);
    m_sieges.noteEntreeTraitee(ev.etat_, options.id_);
    return true;
}

bool ZB_RoomTable::executeHorsLigne_(const EvenementDeJeu& ev)
{
    m_sieges.retireEntrees(ev.idJoueur_);
    int siege = ev.noJoueur_;
    if (siege == SiegeTable) {
        siege = m_sieges.premierSiegeDe(ev.idJoueur_);
        if (siege == -1)
            return true;
    }
    if (siege < 0 || siege >= NombreDeSieges)
        return refuse_(ev, QStringLiteral("seat outside the table"));

    // The computer that takes the seat at the next deal goes by a name of
    // its own on every screen, as those seated at the start do.
    if (m_serveur)
        m_sieges.attendUnOrdinateur(siege, randomPlayerNames(1, m_sieges.nomsPropres()).value(0));
    JoueurHumain* joueur = getJoueur(siege);
    const qint64 compte = joueur->options_.idCompte_;
    if (compte != -1) {
        GM_GameStatsPlayer& stats = m_statsPartie.getPlayer(compte);
        stats.databaseId = compte;
        stats.indicateur_ = true;
    }
    if (joueur->options_.ordinateur_ == 0)
        joueur->setMode(joueur->options_.distant_ == 1 && m_serveur ? Joueur::ModeRemplacant : Joueur::ModeHorsLigne);
    if (m_display != nullptr)
        m_display->setJoueur(siege, joueur);
    return true;
}

bool ZB_RoomTable::executeEntree_(const EvenementDeJeu& ev)
{
    if (ev.noJoueur_ < 0 || ev.noJoueur_ >= NombreDeSieges)
        return refuse_(ev, QStringLiteral("seat outside the table"));
    OptionsDuJoueur options;
    options.chargeValeursDepuisString(ev.texte_);
    const int siege = ev.noJoueur_;
    // The user who enters at the next deal was told so with the replay of
    // the game so far (ClientSocket), in one box.
    if (options.distant_ == 0 && !m_serveur)
        metEnAttenteDEntree_(siege);
    if (m_serveur)
        m_sieges.metEnAttente(ZB_SiegesDeTable::ProchaineDonne, siege, options);
    return true;
}

bool ZB_RoomTable::executeEntreeSecondeVariante_(const EvenementDeJeu& ev)
{
    if (ev.noJoueur_ < 0 || ev.noJoueur_ >= NombreDeSieges)
        return refuse_(ev, QStringLiteral("seat outside the table"));
    OptionsDuJoueur options;
    options.chargeValeursDepuisString(ev.texte_);
    const int siege = ev.noJoueur_;
    m_sieges.noteEntreeTraitee(ev.etat_, options.id_);
    if (m_serveur) {
        m_sieges.metEnAttente(ZB_SiegesDeTable::ProchainPli, siege, options);
    } else {
        metEnAttenteDEntree_(siege);
    }
    return true;
}

void ZB_RoomTable::metEnAttenteDEntree_(int siege)
{
    JoueurHumain* joueur = m_sieges.joueur(siege);
    if (joueur == nullptr)
        return;
    joueur->setMode(Joueur::ModeEnAttenteDEntree);
    // Until the seat's player enters, the host's computer plays the seat:
    // its moves come through the server, like those of a seat played from
    // elsewhere, even when the player is this machine's user coming back.
    if (m_listeDesEvenements != nullptr)
        m_listeDesEvenements->joueurDistant_[size_t(siege)] = true;
}
