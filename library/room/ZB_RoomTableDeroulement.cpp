#include "ZB_RoomTable.h"

#include "DecisionsDeTable.h"
#include "DisplayA.h"
#include "GM_Exception.h"
#include "JoueurHumain.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "ZB_PointsJass.h"
#include "ZB_RoomTableOutils.h"

#include <initializer_list>
#include <optional>

// ZB_RoomTable: the state machine that serves each state with its requests,
// and the end of the match.

using namespace ZB_RoomTableOutils;

int ZB_RoomTable::premierEtatNouveauJoueur(int etat)
{
    return EtatDeJeu::premierNouveauJoueur(etat);
}

InfoDemande ZB_RoomTable::demande_(int etat, int mode) const
{
    return InfoDemande(etat, mode, m_settingsPartie.noDemande, m_noTable, m_version);
}

void ZB_RoomTable::afficheEtat_(int etat, int mode, int noJoueur, int second, int siegeQuiAgit)
{
    if (m_display == nullptr)
        return;
    m_display->afficheEtat(demande_(etat, mode), getJoueur(noJoueur), getJoueur(second),
                           siegeQuiAgit == -2 ? noJoueur : siegeQuiAgit, m_typeDePartie.atoutImpose_);
}

int ZB_RoomTable::totalDonne(int equipe) const
{
    return m_points != nullptr ? m_points->getScore(equipe) : 0;
}

bool ZB_RoomTable::longueurAtteinte_() const
{
    // A match may be bounded twice (the eight rounds or the trump rounds of
    // a type that imposes its trumps): it ends at whichever bound comes
    // first, since the table has no trump left to impose after the last.
    bool atteinte = false;
    if (m_settingsPartie.huitTours_)
        atteinte = m_settingsPartie.toursJoues_ >= 8;
    if (m_settingsPartie.toursAtout_) {
        // The modes counted are those a seat may choose (a multiplier of at
        // least 1), as the slate counts them: a mode worth 0 is never played,
        // and counting it would make the match wait for deals it never has.
        std::array<bool, TypeDePartie::NOMBRE_MODES> drapeaux{};
        const int permis = m_typeDePartie.getAtoutsPermis(drapeaux);
        atteinte = atteinte || m_settingsPartie.donnesJouees_ >= 2 * permis;
    }
    const int automatique = m_typeDePartie.atoutAutomatique_;
    if (automatique == 1 || automatique == 2) {
        StatusAtout atout;
        atteinte = atteinte || determineAtoutAutomatique(atout, automatique == 2) < 1;
    }
    return atteinte;
}

int ZB_RoomTable::determineAtoutAutomatique(StatusAtout& atout, bool secondeRegle) const
{
    std::array<bool, TypeDePartie::NOMBRE_MODES> permis{};
    const int nombre = m_typeDePartie.getAtoutsPermis(permis);
    const int limite = secondeRegle ? 4 : 1;
    const int total = nombre * limite;
    int choisis = 0;
    int choix = -1;
    for (int mode : {4, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11}) {
        if (!permis[size_t(mode)])
            continue;
        const int compteur = m_settingsPartie.getCompteurAtout(mode);
        choisis += compteur;
        if (choix == -1 && compteur < limite)
            choix = mode;
    }
    // Mode 0 is never drawn but still counts among the allowed ones.
    if (permis[0])
        choisis += m_settingsPartie.getCompteurAtout(0);
    if (choix != -1) {
        atout.chibre_ = false;
        atout.choisi_ = true;
        atout.atout_ = choix;
        const int multiplicateur = m_typeDePartie.multiplicateurs_[size_t(choix)];
        atout.multiplicateur_ = multiplicateur >= 1 ? multiplicateur : 1;
    }
    return total - choisis;
}

void ZB_RoomTable::afficheArdoise_()
{
    if (m_display == nullptr)
        return;
    const QList<int> stock = siegesStockAAfficher_();
    if (m_points == nullptr || m_partie.isNull()) {
        // Without a game the slate holds the two match scores only.
        ZB_PointsJass vide;
        m_display->afficheArdoise(vide, m_settingsPartie.scores_[0], m_settingsPartie.scores_[1], 1, QList<int>(),
                                  -1);
        return;
    }
    // A completed pair's bonus is already in the record (credited with the
    // card that completes it, so that a failed contract hands it over): the
    // slate shows the record as it is and never adds the bonus a second time.
    const int barree = m_points->chute_[0] ? 0 : m_points->chute_[1] ? 1 : -1;
    m_display->afficheArdoise(*m_points, m_settingsPartie.scores_[0], m_settingsPartie.scores_[1],
                              qMax(1, m_partie->multiplicateur_), stock, barree);
}

void ZB_RoomTable::continueLeJeu(int mode, double* delai, bool relance, bool force)
{
    // A stored record being replayed supplies every step itself, its live
    // lines included: a snapshot or inscription built here would replace the
    // recorded one in the list's queue, and a seat asked now would answer in
    // place of the record. The game goes on live once the replay is over.
    const bool rejeu = m_listeDesEvenements != nullptr && m_listeDesEvenements->estReplayEnCours();
    if (EvenementDeJeu::estEnDirect(mode) && rejeu)
        mode = EvenementDeJeu::ModeRejeuImmediat;
    if (!rejeu)
        m_rejeuSansPause = false;
    if (EvenementDeJeu::estEnDirect(mode) && !m_reseau) {
        if (getEtatCourant() > EtatDeJeu::AttendDistribue4)
            m_partieEnCours = true;
    } else {
        m_partieEnCours = false;
    }
    const int etat = getEtatCourant();
    const Etape etape{etat, mode, relance, force, EvenementDeJeu::estEnDirect(mode) && !m_miroir};
    std::optional<double> pause;
    bool metAJourActivite = true;

    // Each group of states is served by its own step; an unknown state is a
    // broken record or a table that set a state it must not.
    if (etat == EtatDeJeu::Aucun || etat == EtatDeJeu::AttendInscriptionPartie
        || (EtatDeJeu::estFinDePartie(etat) && etat != EtatDeJeu::FinDePartie)) {
        // Nothing to ask.
    } else if (EtatDeJeu::estInscriptionJoueur(etat)) {
        continueInscription_(etape);
    } else if (etat == EtatDeJeu::EnregistrementSettingsPartie) {
        continueEnregistrement_(etape);
    } else if (EtatDeJeu::estAttenteDistribue(etat)) {
        continueDistribue_(etape);
    } else if (EtatDeJeu::estAttenteMise(etat)) {
        pause = continueMise_(etape);
    } else if (etat == EtatDeJeu::AttendAtout || etat == EtatDeJeu::AttendAtoutChibre) {
        pause = continueAtout_(etape);
    } else if (EtatDeJeu::estAttenteAnnonce(etat)) {
        pause = continueAnnonce_(etape);
    } else if (EtatDeJeu::estNouveauJoueur(etat)) {
        metAJourActivite = false;
        continueNouveauJoueur_(etape);
    } else if (EtatDeJeu::estAttenteDeCarte(etat)) {
        pause = continueCarte_(etape);
    } else if (EtatDeJeu::estRamasseTas(etat) || EtatDeJeu::estConfirmationAnnonces(etat)) {
        pause = continueRamasse_(etape);
    } else if (etat == EtatDeJeu::FinDePartie) {
        finDeMatch_(mode);
    } else {
        throw GM_Exception(tr("Erreur interne: La boucle a évènements ne traite pas tous les cas"));
    }

    if (pause.has_value() && delai != nullptr)
        *delai = m_rejeuSansPause ? 0.0 : *pause;
    if (metAJourActivite)
        m_derniereActivite = QDateTime::currentDateTimeUtc();
    if (m_display != nullptr)
        m_display->afficheBoutonsAnnuler(!m_annulation.historiqueAnnuler().isEmpty(),
                                         !m_annulation.historiqueRefaire().isEmpty());
}

void ZB_RoomTable::inscritDepuisAttente_(ZB_SiegesDeTable::Attente attente, int siege, int etat)
{
    const OptionsDuJoueur options = m_sieges.entree(attente, siege);
    executeEvenementDeLaTable_(EvenementDeJeu::ReJ,
                               QLatin1Char('{') + options.sauveValeursDansString() + QLatin1Char('!')
                                   + QString::number(siege) + QLatin1String("!}"),
                               SiegeTable, etat, options.id_, EvenementDeJeu::ModeEnDirect,
                               m_settingsPartie.noDemande);
    m_sieges.retireEntree(attente, siege);
}

void ZB_RoomTable::continueInscription_(const Etape& etape)
{
    const int siege = etape.etat - EtatDeJeu::InscriptionJoueur0;
    afficheEtat_(etape.etat, etape.mode, -1);
    if (!etape.enDirect)
        return;
    JoueurHumain* joueur = getJoueur(siege);
    if (m_sieges.attend(ZB_SiegesDeTable::ProchaineDonne, siege)) {
        inscritDepuisAttente_(ZB_SiegesDeTable::ProchaineDonne, siege, etape.etat);
    } else if (joueur != nullptr && joueur->getContexteDeJeu() != nullptr) {
        executeEvenementDeLaTable_(EvenementDeJeu::InJ, joueur->options_.sauveValeursDansString(), SiegeTable,
                                   etape.etat, joueur->options_.id_, EvenementDeJeu::ModeEnDirect, -1);
    }
}

void ZB_RoomTable::continueEnregistrement_(const Etape& etape)
{
    if (!etape.enDirect)
        return;
    ++m_settingsPartie.noDemande;
    // -1 means "no request" to the event list, which would then take stale
    // answers: the count steps over it.
    if (m_settingsPartie.noDemande == -1)
        ++m_settingsPartie.noDemande;
    if (m_optionsDePartie.modeDeJeu_ == 4)
        m_settingsPartie.random_.reseedFromTime();
    // The match's counts so far ride with the snapshot: a resume rebuilds
    // only the last deal, and would otherwise count from there.
    m_settingsPartie.stats_ = m_statsPartie;
    executeEvenementDeLaTable_(EvenementDeJeu::Enr, m_settingsPartie.sauveValeursDansString(), SiegeTable,
                               EtatDeJeu::EnregistrementSettingsPartie, -1, EvenementDeJeu::ModeEnDirect, -1);
}

void ZB_RoomTable::continueDistribue_(const Etape& etape)
{
    const int etat = etape.etat;
    if (etat == EtatDeJeu::AttendDistribue1) {
        qDebug("%s", qUtf8Printable(QStringLiteral("Table(%1)::OnContinueLeJeu->in state "
                                                   "'EvenementDeJeu::AttendDistribue1'")
                                        .arg(m_noTable)));
        m_annulation.oublie();
    } else {
        qDebug("%s", qUtf8Printable(QStringLiteral("Table(%1)::OnContinueLeJeu->in state "
                                                   "'EvenementDeJeu::AttendDistribue2, 3 ou 4'")
                                        .arg(m_noTable)));
        // The seats that have dealt are not asked again, the others only
        // when the room asks again or the caller forces it.
        if (!((EvenementDeJeu::estEnDirect(etape.mode) && etape.relance) || etape.force))
            return;
    }
    for (int siege = NombreDeSieges - 1; siege >= etat - EtatDeJeu::AttendDistribue1; --siege) {
        afficheEtat_(etat, etape.mode, siege);
        JoueurHumain& joueur = m_sieges.joueurObligatoire(siege);
        joueur.demande_ActionDistribue(demande_(EtatDeJeu::AttendDistribue1 + siege, etape.mode));
    }
}

double ZB_RoomTable::continueMise_(const Etape& etape)
{
    const int etat = etape.etat;
    if (etat == EtatDeJeu::AttendMise1_1) {
        const int contrat = m_typeDePartie.contrat_;
        const int pas = decisions_de_table::pasDeMise(m_typeDePartie);
        m_statusMise = ZB_StatusMise();
        m_statusMise.miseFaite_ = false;
        m_statusMise.tourMise_ = 0;
        m_statusMise.montantBloque_ = contrat == TypeDePartie::ContratFixe || contrat == TypeDePartie::ContratVache;
        m_statusMise.pointsMise_ = (m_typeDePartie.montantContrat_ / pas) * pas;
        m_statusMise.atoutMise_ = 0;
        m_statusMise.miseur_ = -1;
        m_statusMise.pasMise_ = pas;
        m_statusMise.premierMiseur_ = m_settingsPartie.joueurQuiCommenceLaProchainePartie;
        m_statusMise.miseMin_ = 80;
        m_statusMise.miseMax_ = m_typeDePartie.annonces_ != TypeDePartie::AnnoncesDesactivees ? 650 : 160;
        m_statusMise.miseMinDepart_ = 80;
        m_statusMise.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
        m_compteurPasse = 0;
        afficheArdoise_();
    } else {
        ++m_statusMise.tourMise_;
        if (etat <= EtatDeJeu::AttendMise1_4)
            afficheArdoise_();
    }
    const int siege = getJoueurQuiDoitJouer(etat);
    afficheEtat_(etat, etape.mode, -1, -1, siege);
    m_sieges.joueurObligatoire(siege).demande_ChoisitMise(m_statusMise, demande_(etat, etape.mode));
    return 3000;
}

double ZB_RoomTable::continueAtout_(const Etape& etape)
{
    const int etat = etape.etat;
    const int siege = modulo4(m_settingsPartie.joueurQuiCommenceLaProchainePartie);
    if (etat == EtatDeJeu::AttendAtoutChibre) {
        const int partenaire = (m_sieges.joueurObligatoire(siege).noJoueur_ + 2) % 4;
        afficheEtat_(etat, etape.mode, siege, partenaire);
        StatusAtout passe;
        passe.chibre_ = true;
        m_sieges.joueurObligatoire(partenaire).demande_ChoisitAtout(passe, demande_(etat, etape.mode));
        return 500;
    }
    afficheEtat_(etat, etape.mode, siege);
    const int automatique = m_typeDePartie.atoutAutomatique_;
    if (automatique != 1 && automatique != 2) {
        m_sieges.joueurObligatoire(siege).demande_ChoisitAtout(StatusAtout(), demande_(etat, etape.mode));
        return 500;
    }
    if (etape.enDirect) {
        StatusAtout atout;
        if (determineAtoutAutomatique(atout, automatique == 2) >= 1 && atout.choisi_) {
            posteALaSalle_(EvenementDeJeu::Cho, atout.sauveValeursDansString(), SiegeTable, EtatDeJeu::AttendAtout, -1,
                           EvenementDeJeu::ModeEnDirect, m_settingsPartie.noDemande);
        } else {
            // The match ends with the deal of the last trump, so only a
            // broken record gets here: say so rather than wait.
            throw GM_Exception(tr("Erreur interne: La boucle a évènements ne traite pas tous les cas"));
        }
    }
    return 500;
}

double ZB_RoomTable::continueAnnonce_(const Etape& etape)
{
    const int siege = getJoueurQuiDoitJouer(etape.etat);
    // The screen stops asking for the trump once it is chosen: the seats
    // now announce, the first after a pause.
    afficheEtat_(etape.etat, etape.mode, siege);
    // Announcements belong to the first trick: in a zig-zag deal they rank
    // by that trick's direction, not by the mode's name.
    m_sieges.joueurObligatoire(siege).demande_Annonce(demande_(etape.etat, etape.mode),
                                                      m_partie.isNull() ? 0 : m_partie->atoutEnCours_);
    return etape.etat == EtatDeJeu::AttendAnnonce1 ? 3000 : 500;
}

void ZB_RoomTable::continueNouveauJoueur_(const Etape& etape)
{
    if (!m_serveur || !m_reseau)
        return;
    const int siege = decisions_de_table::siegeDuGroupe(etape.etat);
    if (m_sieges.attend(ZB_SiegesDeTable::ProchainPli, siege))
        inscritDepuisAttente_(ZB_SiegesDeTable::ProchainPli, siege, etape.etat);
    m_sieges.noteEntreeTraitee(etape.etat, -1);
}

double ZB_RoomTable::continueCarte_(const Etape& etape)
{
    if (m_partie.isNull())
        throw GM_Exception(tr("Erreur interne: La boucle a évènements ne traite pas tous les cas"));
    const int siege = m_partie->noDuProchainAJouer_;
    if (siege < 0 || siege >= NombreDeSieges)
        throw GM_Exception(tr("Erreur interne: La boucle a évènements ne traite pas tous les cas"));
    afficheEtat_(etape.etat, etape.mode, siege);
    if (m_display != nullptr) {
        if (m_partie->atoutEnCours_ != m_dernierAtoutDessine) {
            m_dernierAtoutDessine = m_partie->atoutEnCours_;
            m_display->redessineCartes(m_dernierAtoutDessine);
        }
        JoueurHumain* joueur = getJoueur(siege);
        if (!joueur->estJoueurManuel())
            m_display->setCurseur(joueur->options_.distant_ == 1 ? 16 : 3);
        else
            m_display->restaureCurseur();
    }
    m_sieges.joueurObligatoire(siege).demande_Carte(m_partie, demande_(etape.etat, etape.mode));
    return EvenementDeJeu::estRejeuAuRythme(etape.mode) ? 500 : 500 + double(m_random.bounded(1000));
}

std::optional<double> ZB_RoomTable::continueRamasse_(const Etape& etape)
{
    const int etat = etape.etat;
    const int groupe = decisions_de_table::siegeDuGroupe(etat);
    const int premier = etat - groupe;
    auto demande = [&](int siege) {
        afficheEtat_(etat, etape.mode, siege);
        m_sieges.joueurObligatoire(siege).demande_ActionRamasser(demande_(premier + siege, etape.mode));
    };
    // The first state of a group asks every seat; the others ask again the
    // seats that have not answered, when the room asks again.
    const bool redemande = EvenementDeJeu::estEnDirect(etape.mode) && etape.relance;
    if (groupe == 0) {
        for (int siege = NombreDeSieges - 1; siege >= 0; --siege)
            demande(siege);
        if (EtatDeJeu::estConfirmationAnnonces(etat))
            return 500;
        return EvenementDeJeu::estRejeuAuRythme(etape.mode) ? 1500 : 500;
    }
    if (EtatDeJeu::estConfirmationAnnonces(etat)) {
        if (redemande)
            for (int siege = groupe; siege < NombreDeSieges; ++siege)
                demande(siege);
        return 500;
    }
    if (redemande)
        for (int siege = groupe; siege < NombreDeSieges; ++siege)
            demande(siege);
    return std::nullopt;
}

bool ZB_RoomTable::estFinDeMatch() const
{
    const int t0 = totalDonne(0) + m_settingsPartie.scores_[0];
    const int t1 = totalDonne(1) + m_settingsPartie.scores_[1];
    return t0 >= m_scoreObjectif || t1 >= m_scoreObjectif || longueurAtteinte_();
}

void ZB_RoomTable::finDeMatch_(int mode)
{
    const int t0 = totalDonne(0) + m_settingsPartie.scores_[0];
    const int t1 = totalDonne(1) + m_settingsPartie.scores_[1];
    if (!estFinDeMatch())
        return;
    const bool egalite = t0 == t1;
    for (int siege = 0; siege < NombreDeSieges; ++siege)
        afficheEtat_(EtatDeJeu::FinDePartie, mode, siege);
    statsFinDeMatch_(t0, t1);
    // Seats 0, 2, 1, 3 answer in the four end-of-game states.
    const int ordre[] = {0, 2, 1, 3};
    for (int i = 0; i < NombreDeSieges; ++i) {
        const int siege = ordre[i];
        const bool gagne = siege % 2 == 0 ? t1 <= t0 : t0 < t1;
        const int equipe = siege % 2;
        JoueurHumain& joueur = m_sieges.joueurObligatoire(siege);
        joueur.demande_ActionFinDePartie(gagne, egalite, m_reseau, m_typeDePartie.atoutImpose_ && m_reseau,
                                         demande_(EtatDeJeu::FinDePartie + i, mode),
                                         m_statsPartie.m_statsPlayer.value(cleStats_(siege)),
                                         m_statsPartie.equipes_[size_t(equipe)],
                                         m_statsPartie.equipes_[size_t(1 - equipe)]);
    }
    afficheArdoise_();
}
