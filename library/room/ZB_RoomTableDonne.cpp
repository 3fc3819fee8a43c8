#include "ZB_RoomTable.h"

#include "Annonce.h"
#include "Carte.h"
#include "DecisionsDeTable.h"
#include "DisplayA.h"
#include "DisplayAPanelDeJoueur.h"
#include "JoueurHumain.h"
#include "JoueurResau.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "ZB_AnalyseJoueurA.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseBelote.h"
#include "ZB_MiseJass.h"
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZB_RoomTableOutils.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

// ZB_RoomTable: the deal, cards played, tricks collected, announcements,
// the trump choice and the bids.

using namespace ZB_RoomTableOutils;

void ZB_RoomTable::reponse_ActionDistribue(int nombreDeCartes, bool enDirect)
{
    Q_UNUSED(enDirect);
    const int etat = getEtatCourant();
    qDebug("%s", qUtf8Printable(QStringLiteral("ZB_RoomTable::reponse_ActionDistribue()->enter(), EtatJeu: %1")
                                    .arg(etat)));
    if (etat != EtatDeJeu::AttendDistribue4)
        return;

    m_mise.reset();
    if (m_partie)
        m_partie->oubliePoints();
    m_points.reset();
    const bool jass = m_typeDePartie.genre_ == TypeDePartie::GenreJass;
    if (!m_deck || (m_deck->getNombreDeCartes() == 36) != jass)
        m_deck.reset(jass ? static_cast<ZB_DeckA*>(new ZB_DeckJass) : new ZB_DeckBelote);

    if (m_typeDePartie.contrat_ == TypeDePartie::ContratChibre) {
        m_mise = std::make_unique<ZB_MiseJass>(*m_deck);
        m_points = std::make_unique<ZB_PointsJass>();
    } else {
        m_mise = std::make_unique<ZB_MiseBelote>(*m_deck);
        m_points = std::make_unique<ZB_PointsBelote>();
    }
    if (!m_settingsPartie.textePiles_.isEmpty()) {
        QList<int> pileA;
        QList<int> pileB;
        m_settingsPartie.getPiles(pileA, pileB);
        m_mise->setPileA(pileA);
        m_mise->setPileB(pileB);
    }

    // A deal starts from empty hands: a card left over from an abandoned
    // deal would otherwise sit in two hands at once.
    for (JoueurHumain* joueur : m_sieges.joueurs())
        joueur->main_.vide();
    const bool coupe = m_typeDePartie.distribution_ == 1;
    const int premier = m_settingsPartie.rotationDonne_ ? 1 : 0;
    m_mise->distribueLaDonne(
        m_settingsPartie.random_, nombreDeCartes, premier, coupe, m_settingsPartie.joueurQuiCommenceLaProchainePartie,
        [this](int siege, const EnsembleDeCartes& cartes) {
            for (int j = 0; j < NombreDeSieges; ++j) {
                JoueurHumain* joueur = getJoueur(j);
                if (j == siege) {
                    for (Carte* carte : cartes)
                        joueur->main_.ajouteCarte(carte);
                    joueur->cartesRecues(cartes);
                } else {
                    joueur->marqueCartesConnues(siege, cartes);
                }
                joueur->annuleDemande();
                joueur->setPartie(QSharedPointer<Partie>());
            }
        });
    nommeLesJoueursDesAnalyses_();

    if (m_typeDePartie.contrat_ == TypeDePartie::ContratChibre) {
        if (m_display != nullptr)
            m_display->afficheCartesDistribuees(nullptr);
        jeuEstDistribue_(true);
        return;
    }
    Carte* retournee = nullptr;
    if (m_typeDePartie.contrat_ == TypeDePartie::ContratFixe || m_typeDePartie.contrat_ == TypeDePartie::ContratVache) {
        if (auto* mise = dynamic_cast<ZB_MiseBelote*>(m_mise.get()))
            retournee = mise->getCarteRetournee(m_settingsPartie.random_, coupe);
    }
    if (m_display != nullptr)
        m_display->afficheCartesDistribuees(retournee);
    if (retournee != nullptr)
        for (JoueurHumain* joueur : m_sieges.joueurs())
            joueur->setCarteRetournee(*retournee);
    // A deal with bids starts its bookkeeping once a contract stands
    // (finDesMises_): counting it here too would count every deal twice and
    // let redealt deals use up an eight-round match.
    afficheNouvelleDonne_();
}

void ZB_RoomTable::lacheLaPartie_()
{
    if (m_partie)
        m_partie->oubliePoints();
    m_partie.clear();
}

void ZB_RoomTable::nommeLesJoueursDesAnalyses_()
{
    if (m_display == nullptr)
        return;
    const QStringList noms = m_sieges.noms();
    for (int siege = 0; siege < NombreDeSieges; ++siege)
        if (ZB_AnalyseJoueurA* analyse = m_display->getAnalyseJoueur(siege))
            analyse->setTextes(noms, siege);
}

void ZB_RoomTable::afficheNouvelleDonne_()
{
    if (m_display == nullptr || !m_deck)
        return;
    // The deals left by the bound that comes first (see longueurAtteinte_).
    std::optional<int> restantes;
    const auto borne = [&restantes](int n) { restantes = std::min(n, restantes.value_or(n)); };
    if (m_settingsPartie.huitTours_)
        borne(8 - m_settingsPartie.toursJoues_);
    if (m_settingsPartie.toursAtout_) {
        std::array<bool, TypeDePartie::NOMBRE_MODES> permis{};
        borne(2 * m_typeDePartie.getAtoutsPermis(permis) - m_settingsPartie.donnesJouees_);
    }
    if (m_typeDePartie.atoutAutomatique_ == 1 || m_typeDePartie.atoutAutomatique_ == 2) {
        StatusAtout atout;
        borne(determineAtoutAutomatique(atout, m_typeDePartie.atoutAutomatique_ == 2) - 1);
    }
    m_display->nouvelleDonne(m_deck->getNombreDeCartes() / 4, m_scoreObjectif, restantes.value_or(0));
}

void ZB_RoomTable::jeuEstDistribue_(bool avanceJoueur, bool afficheDonne)
{
    qDebug("%s", qUtf8Printable(QStringLiteral("Table(%1)::jeuEstDistribue_->m_settingsPartie."
                                               "joueurQuiCommenceLaProchainePartie=%2")
                                    .arg(m_noTable)
                                    .arg(m_settingsPartie.joueurQuiCommenceLaProchainePartie)));
    if (afficheDonne)
        afficheNouvelleDonne_();
    if (avanceJoueur)
        m_settingsPartie.joueurQuiCommenceLaProchainePartie =
            (m_settingsPartie.joueurQuiCommenceLaProchainePartie + 1) % 4;
    m_etatsBelote = {};
    m_couleursBelote = {};
    m_annoncesDecidees = false;
    m_annonces = {};
    m_siegesAnnonces = {-1, -1, -1, -1};
    ++m_settingsPartie.toursJoues_;
    ++m_settingsPartie.donnesJouees_;
    m_nombreAnnonces = 0;
    if (m_points != nullptr) {
        const int objectif = m_points->objectifMise_;
        m_points->efface();
        m_points->objectifMise_ = objectif;
    }
    afficheArdoise_();
    annonceDebutDeStats_();
}

void ZB_RoomTable::joueCarte(int noJoueur, Carte* carte)
{
    if (m_display != nullptr)
        m_display->afficheCarteJouee(noJoueur, carte);
    if (carte == nullptr)
        return;
    JoueurHumain* auteur = getJoueur(noJoueur);
    if (auteur->estJoueurManuel() && !m_reseau && !m_annulation.estDesactivee())
        m_annulation.retient(getEtatCourant());
    for (JoueurHumain* joueur : m_sieges.joueurs()) {
        if (joueur->main_.contientCarte(carte))
            joueur->main_.retireCarte(carte);
        joueur->metAJourProbabilites(m_partie, carte);
    }
    // A deal restored without its hands cannot take the card.
    if (m_partie.isNull() || !m_partie->partieReelle_)
        return;
    const bool finImmediate = paireRoiDame_(noJoueur, carte);
    ZB_PointsDonne resultat;
    m_partie->joueCarte(resultat, carte, noJoueur, finImmediate);
    if (!finImmediate)
        m_statistiques.resultatsPli(resultat);
}

bool ZB_RoomTable::paireRoiDame_(int noJoueur, const Carte* carte)
{
    const int mode = m_partie->atoutChoisi_.atout_;
    const int couleur = carte->getCouleur();
    const int valeur = carte->getValeur();
    if (m_typeDePartie.roiDame_ != TypeDePartie::RoiDameStock && m_typeDePartie.roiDame_ != TypeDePartie::RoiDameRebelote)
        return false;
    if ((couleur != mode && mode != StatusAtout::ToutAtout) || (valeur != 12 && valeur != 13))
        return false;
    int& etat = m_etatsBelote[size_t(noJoueur)];
    JoueurHumain* joueur = getJoueur(noJoueur);
    if (etat == 0) {
        const int autre = valeur == 12 ? 9 * couleur - 2 : 9 * couleur - 3;
        if (!joueur->main_.contientIndex(autre))
            return false;
        etat = 1;
        m_couleursBelote[size_t(noJoueur)] = couleur;
        if (m_typeDePartie.roiDame_ == TypeDePartie::RoiDameRebelote) {
            if (m_display != nullptr)
                m_display->afficheBulleAnnonce(noJoueur);
            if (const Carte* autreCarte = joueur->main_.getCarte(autre))
                for (JoueurHumain* j : m_sieges.joueurs())
                    j->attribueCarte(noJoueur, *autreCarte);
        }
        return false;
    }
    // In "Tout atout" a king or queen of another suit does not complete
    // the pair begun.
    if (etat != 1 || couleur != m_couleursBelote[size_t(noJoueur)])
        return false;
    etat = 2;
    const int equipe = noJoueur % 2;
    const int bonus = 20 * m_partie->multiplicateur_;
    if (m_points != nullptr)
        m_points->autresPoints_[equipe] += bonus;
    const int etatCourant = getEtatCourant();
    if (etatCourant == EtatDeJeu::Aucun || EtatDeJeu::estFinDePartie(etatCourant))
        return false;
    // The pair closes the match when its bonus carries the side to the
    // target, or, in a match by automatic trumps, once no trump is left to
    // draw: the deal's last tricks could change nothing of its end.
    const int total = m_settingsPartie.scores_[size_t(equipe)]
                    + (m_typeDePartie.genre_ == TypeDePartie::GenreJass ? bonus : 0);
    const int automatique = m_typeDePartie.atoutAutomatique_;
    StatusAtout suivant;
    const bool atoutsEpuises =
        (automatique == 1 || automatique == 2) && determineAtoutAutomatique(suivant, automatique == 2) < 1;
    if (total < m_scoreObjectif && !atoutsEpuises)
        return false;
    afficheArdoise_();
    m_listeDesEvenements->setEtatAttendu(EtatDeJeu::PaireBeloteDecideMatch);
    return true;
}

void ZB_RoomTable::ramasse(const EvenementDeJeu& ev)
{
    Q_UNUSED(ev);
    const int etat = getEtatCourant();
    if (!EtatDeJeu::estFinDePli(etat) && etat != EtatDeJeu::Tour1_AttendConfirmationAnnonces4
        && etat != EtatDeJeu::PaireBelote_AttendRamasseTas4)
        return;
    if (etat == EtatDeJeu::Tour1_AttendRamasseTas4 && m_nombreAnnonces == NombreDeSieges)
        decideAnnonces_();
    if (etat == EtatDeJeu::Tour1_AttendConfirmationAnnonces4) {
        const std::array<AnnoncesJoueur, 4> confirmees = m_annonces;
        m_annonces = {};
        m_siegesAnnonces = {-1, -1, -1, -1};
        m_nombreAnnonces = 0;
        m_annoncesDecidees = false;
        if (m_display != nullptr && !m_partie.isNull())
            m_display->afficheCartesAnnonces(0, m_partie->joueurQuiDebuteTour_, confirmees);
    } else if ((etat != EtatDeJeu::Tour1_AttendRamasseTas4 || !m_annoncesDecidees) && m_display != nullptr
               && !m_partie.isNull()) {
        // Every other trick ends with its collect: the picture gathers it to
        // the winner's pile now, not when the next trick's first card lands
        // (a first trick with announcements to confirm waits for them). The
        // winner leads the next trick.
        m_display->afficheCartesAnnonces(0, m_partie->joueurQuiDebuteTour_, {});
    }
    const bool finDeDonne = etat == EtatDeJeu::Tour9_AttendRamasseTas4;
    if (finDeDonne)
        m_statistiques.annoncesFinDeDonne(m_annonces, m_siegesAnnonces, m_nombreAnnonces);
    if (finDeDonne && !m_partie.isNull()) {
        QList<int> pileA;
        QList<int> pileB;
        for (int i = 0; i < m_partie->getNombreCartesRamassees(0); ++i)
            pileA << m_partie->getCartesRamassees(0)[i];
        for (int i = 0; i < m_partie->getNombreCartesRamassees(1); ++i)
            pileB << m_partie->getCartesRamassees(1)[i];
        m_settingsPartie.setPiles(pileA, pileB);
    }
    afficheArdoise_();
    const bool compteDonne = m_typeDePartie.genre_ == TypeDePartie::GenreJass || finDeDonne;
    const int t0 = m_settingsPartie.scores_[0] + (compteDonne ? totalDonne(0) : 0);
    const int t1 = m_settingsPartie.scores_[1] + (compteDonne ? totalDonne(1) : 0);
    // The pair's own collect group is reached only when the pair decided
    // the match: it closes it even where no total reaches the target, as in
    // a match by automatic trumps, whose target is out of reach.
    const bool paireDecisive = etat == EtatDeJeu::PaireBelote_AttendRamasseTas4;
    if (paireDecisive || t0 >= m_scoreObjectif || t1 >= m_scoreObjectif || (finDeDonne && longueurAtteinte_()))
        m_listeDesEvenements->setEtatAttendu(EtatDeJeu::MatchTermineEnFinDeDonne);
}

namespace {

int poidsDuGenre(int genre)
{
    switch (genre) {
    case Annonce::TroisCartes:
        return 3;
    case Annonce::QuatreCartes:
    case Annonce::Carre:
        return 4;
    case Annonce::CinqCartesOuPlus:
        return 5;
    default:
        return 0;
    }
}

} // namespace

void ZB_RoomTable::decideAnnonces_()
{
    if (m_partie.isNull())
        return;
    // The teams' tie is ranked by the deal's chosen mode, not by the first
    // trick's direction: a zig-zag deal that starts bottom-up (7) still
    // credits the higher run or four-of-a-kind. Only a bottom-up deal (6)
    // makes the lower rank win. Each seat found its own announcements with
    // the mode in force (6 for that deal's first trick); that part stays.
    const int mode = m_partie->atoutChoisi_.atout_;
    const int couleurAtout = m_partie->getCouleurAtout();
    // The slots are in turn order: the first is the best until a later one
    // beats it. Between two equal announcements the trump one wins, else
    // the later seat's. This is the rule of every table, whatever protocol
    // version it writes: a game is played at version 1 or 2 but an opened
    // file replays at version 3, and a rule that followed the version would
    // credit such a tie to the other team in the replay (and on a client
    // left at version 3 by a loaded file, against its host's score).
    int meilleur = 0;
    for (int i = 1; i < NombreDeSieges; ++i) {
        const Annonce& a = m_annonces[size_t(i)].annonces_[0];
        const Annonce& b = m_annonces[size_t(meilleur)].annonces_[0];
        const int pa = poidsDuGenre(a.type_);
        const int pb = poidsDuGenre(b.type_);
        const bool plusHaute = mode == StatusAtout::BasEnHaut ? a.valeur_ < b.valeur_ : a.valeur_ > b.valeur_;
        const bool remplace = a.points_ > b.points_ || (a.points_ == b.points_ && pa > pb)
                           || (a.points_ == b.points_ && pa == pb && plusHaute)
                           || (a.points_ == b.points_ && pa == pb && a.valeur_ == b.valeur_
                               && b.couleur_ != couleurAtout);
        if (remplace)
            meilleur = i;
    }
    if (m_annonces[size_t(meilleur)].annonces_[0].type_ == Annonce::Aucune)
        return;

    const int partenaire = (meilleur + 2) % NombreDeSieges;
    const int siegeMeilleur = m_siegesAnnonces[size_t(meilleur)];
    const int siegePartenaire = m_siegesAnnonces[size_t(partenaire)];
    const AnnoncesJoueur annoncesMeilleur = m_annonces[size_t(meilleur)];
    const AnnoncesJoueur annoncesPartenaire = m_annonces[size_t(partenaire)];
    m_annoncesDecidees = true;
    for (int slot : {meilleur, partenaire}) {
        const int siege = m_siegesAnnonces[size_t(slot)];
        JoueurHumain* joueur = getJoueur(siege);
        if (joueur != nullptr && joueur->estJoueurManuel() && m_display != nullptr)
            if (DisplayAPanelDeJoueur* panel = m_display->getPanelDeJoueur(siege))
                panel->montreAnnonce(m_annonces[size_t(slot)]);
    }
    if (m_display != nullptr) {
        m_display->effaceBulles(siegeMeilleur, annoncesMeilleur);
        m_display->effaceBulles(siegePartenaire, annoncesPartenaire);
    }
    for (int slot = 0; slot < NombreDeSieges; ++slot)
        if (slot != meilleur && slot != partenaire)
            m_annonces[size_t(slot)] = AnnoncesJoueur();

    const int credit =
        (annoncesMeilleur.getTotalPoints() + annoncesPartenaire.getTotalPoints()) * m_partie->multiplicateur_;
    if (m_points != nullptr && siegeMeilleur >= 0)
        m_points->pointsAnnonces_[siegeMeilleur % 2] += credit;
    for (JoueurHumain* joueur : m_sieges.joueurs()) {
        joueur->recoitAnnonces(siegeMeilleur, annoncesMeilleur);
        joueur->recoitAnnonces(siegePartenaire, annoncesPartenaire);
    }
    m_statistiques.annoncesDecidees(siegeMeilleur, annoncesMeilleur, siegePartenaire, annoncesPartenaire, credit);
}

bool ZB_RoomTable::termineDonne(bool detacheJoueurs)
{
    m_settingsPartie.scores_[0] += totalDonne(0);
    m_settingsPartie.scores_[1] += totalDonne(1);
    m_statistiques.accordeAuScore(m_settingsPartie.scores_[0], m_settingsPartie.scores_[1]);
    bool secondeMoitie = false;
    if (m_settingsPartie.huitTours_ && m_settingsPartie.toursJoues_ == 4) {
        m_settingsPartie.random_.chargeValeursDepuisString(m_settingsPartie.texteGenerateur_);
        m_settingsPartie.rotationDonne_ = true;
        m_settingsPartie.joueurQuiCommenceLaProchainePartie = -10;
        m_etatsBelote = {};
        secondeMoitie = true;
    }
    lacheLaPartie_();
    for (JoueurHumain* joueur : m_sieges.joueurs())
        joueur->setPartie(QSharedPointer<Partie>());
    m_mise.reset();
    m_points.reset();
    if (detacheJoueurs) {
        for (JoueurHumain* joueur : m_sieges.joueurs()) {
            joueur->getAide()->annuleDemande();
            joueur->setContexteDeJeu(nullptr);
            joueur->demandePanneau_ = false;
        }
    }
    return secondeMoitie;
}

bool ZB_RoomTable::atoutChoisi(int noJoueur, const StatusAtout& atout)
{
    const int etat = getEtatCourant();
    // The choice passed to the partner cannot be passed again: the cards
    // would be played with no trump at all.
    if (!atout.choisi_ && etat == EtatDeJeu::AttendAtoutChibre)
        return false;
    JoueurHumain* choisisseur = getJoueur(noJoueur);
    if (choisisseur != nullptr && choisisseur->estJoueurManuel() && !m_reseau)
        m_annulation.retient(etat);
    if (!atout.choisi_)
        return true; // passed to the partner
    if (m_points != nullptr)
        m_points->objectifMise_ = m_typeDePartie.montantContrat_ > 0 ? m_typeDePartie.montantContrat_ : -1;
    m_settingsPartie.incrementeCompteurAtout(atout.atout_);
    m_listeDesEvenements->setEtatAttendu(EtatDeJeu::AttendAtoutChibre);
    creePartie_(atout, noJoueur == SiegeTable ? modulo4(m_settingsPartie.joueurQuiCommenceLaProchainePartie) : noJoueur);
    afficheArdoise_();
    return true;
}

void ZB_RoomTable::creePartie_(const StatusAtout& atout, int choisisseur)
{
    EnsembleDeCartes mains;
    for (const JoueurHumain* joueur : m_sieges.joueurs())
        for (Carte* carte : joueur->main_)
            mains.ajouteCarte(carte);
    const int debut = modulo4(m_settingsPartie.joueurQuiCommenceLaProchainePartie);
    const int multiplicateur = atout.multiplicateur_ > 0 ? atout.multiplicateur_ : 1;
    m_partie = QSharedPointer<Partie>::create(atout, mains, debut, choisisseur, multiplicateur, m_typeDePartie,
                                              m_statusMise, m_points.get());
    for (JoueurHumain* joueur : m_sieges.joueurs()) {
        joueur->setPartie(m_partie);
        joueur->compteurMises_ = 0;
    }
    if (m_display != nullptr)
        m_display->setPartie(m_partie);
}

QString ZB_RoomTable::raisonRefusMise_(const ZB_StatusMise& mise) const
{
    return decisions_de_table::raisonRefusMise(mise, m_typeDePartie, m_statusMise);
}

Carte* ZB_RoomTable::getCarteRetournee() const
{
    auto* mise = dynamic_cast<ZB_MiseBelote*>(m_mise.get());
    // Asking the dealer before it turned its card would draw one.
    return mise != nullptr ? mise->carteRetourneeTiree() : nullptr;
}

void ZB_RoomTable::miseChoisie(int noJoueur, const ZB_StatusMise& mise)
{
    const int etat = getEtatCourant();
    JoueurHumain* auteur = getJoueur(noJoueur);
    if (auteur == nullptr)
        return;
    if (!auteur->estJoueurManuel() && m_display != nullptr)
        m_display->restaureCurseur();
    JoueurHumain* aSonTour = getJoueur(getJoueurQuiDoitJouer(etat));
    if (aSonTour != nullptr && aSonTour->estJoueurManuel() && !m_reseau)
        m_annulation.retient(etat);
    for (JoueurHumain* joueur : m_sieges.joueurs())
        joueur->miseAnnoncee(noJoueur, mise);
    const int contrat = m_typeDePartie.contrat_;
    if (m_display != nullptr)
        m_display->afficheBulleMise(noJoueur, mise, contrat);

    const int debut = m_settingsPartie.joueurQuiCommenceLaProchainePartie;
    if (contrat == TypeDePartie::ContratCoinche || contrat == TypeDePartie::ContratContre) {
        if (mise.miseFaite_) {
            // Whoever speaks last takes, a doubler too: the points then hold
            // the team after the taker to a doubled contract, which is the
            // side whose bid was doubled, and a redouble hands the contract
            // back to that side.
            m_statusMise = mise;
            m_statusMise.miseur_ = noJoueur;
            if (mise.estSurcontre()) {
                finDesMises_(noJoueur);
                return;
            }
            m_compteurPasse = 0;
            m_statusMise.miseMin_ = mise.pointsMise_ + m_statusMise.pasMise_;
        } else {
            ++m_compteurPasse;
            if (m_compteurPasse > 3 && etat == EtatDeJeu::AttendMise1_4) {
                m_settingsPartie.joueurQuiCommenceLaProchainePartie = debut + 1 > 3 ? 0 : debut + 1;
                toutLeMondePasse_();
                return;
            }
            if (m_compteurPasse >= 3 && m_statusMise.atoutMise_ != 0) {
                finDesMises_(m_statusMise.miseur_);
                return;
            }
        }
    } else if (!mise.miseFaite_) {
        if (contrat == TypeDePartie::ContratVache && etat == EtatDeJeu::AttendMise1_4) {
            m_statusMise.miseur_ = debut - 1 < 0 ? 3 : debut - 1;
            m_statusMise.miseFaite_ = true;
            m_statusMise.typeContrat_ = ZB_StatusMise::DonneurForce;
            if (m_display != nullptr)
                m_display->afficheBulleMise(m_statusMise.miseur_, m_statusMise, contrat);
            finDesMises_(m_statusMise.miseur_);
            return;
        }
        if (etat == EtatDeJeu::AttendMise2_4) {
            toutLeMondePasse_();
            return;
        }
    } else {
        m_statusMise = mise;
        m_statusMise.miseur_ = noJoueur;
        finDesMises_(noJoueur);
        return;
    }

    // The last bid state ends the bidding whatever the answer: a deal never
    // goes back to dealing with an auction still open.
    if (etat == EtatDeJeu::AttendMise4_4) {
        if (m_statusMise.miseur_ >= 0 && m_statusMise.miseFaite_)
            finDesMises_(m_statusMise.miseur_);
        else
            toutLeMondePasse_();
    }
}

void ZB_RoomTable::finDesMises_(int preneur)
{
    if (m_points != nullptr)
        m_points->objectifMise_ = m_statusMise.pointsMise_;
    const int contrat = m_typeDePartie.contrat_;
    Carte* retournee = getCarteRetournee();
    if (contrat == TypeDePartie::ContratFixe || contrat == TypeDePartie::ContratVache) {
        distribueReste_(preneur, retournee);
        // The hands are whole before anybody is asked for a card.
        if (m_display != nullptr)
            m_display->afficheResteDistribue();
    }
    m_listeDesEvenements->setEtatAttendu(EtatDeJeu::AttendAtoutChibre);

    int mode = m_statusMise.atoutMise_;
    if (mode == 0 && retournee != nullptr)
        mode = retournee->getCouleur();
    StatusAtout atout;
    atout.chibre_ = false;
    atout.choisi_ = true;
    atout.atout_ = mode;
    const int multiplicateur =
        (mode >= 1 && mode <= 11) ? m_typeDePartie.multiplicateurs_[size_t(mode)] : 1;
    atout.multiplicateur_ = multiplicateur >= 1 ? multiplicateur : 1;
    creePartie_(atout, preneur);
    jeuEstDistribue_(true, false);
    afficheArdoise_();
}

void ZB_RoomTable::toutLeMondePasse_()
{
    m_listeDesEvenements->setEtatAttendu(EtatDeJeu::AttendMise4_4);
    for (JoueurHumain* joueur : m_sieges.joueurs())
        joueur->reinitialise();
    if (m_display != nullptr)
        m_display->afficheRedistribution();
}

void ZB_RoomTable::distribueReste_(int preneur, Carte* carteRetournee)
{
    if (m_mise == nullptr)
        return;
    const bool coupe = m_typeDePartie.distribution_ == 1;
    const int premier = m_settingsPartie.rotationDonne_ ? 1 : 0;
    m_mise->distribueLeReste(
        m_settingsPartie.random_, premier, preneur, coupe,
        [this, preneur, carteRetournee](int siege, EnsembleDeCartes& cartes) {
            if (siege == preneur && carteRetournee != nullptr)
                cartes.ajouteCarte(carteRetournee);
            for (int j = 0; j < NombreDeSieges; ++j) {
                JoueurHumain* joueur = getJoueur(j);
                if (j == siege) {
                    for (Carte* carte : cartes)
                        joueur->main_.ajouteCarte(carte);
                    joueur->cartesRecues(cartes);
                } else {
                    joueur->attribueCartes(siege, cartes);
                }
            }
        });
}
