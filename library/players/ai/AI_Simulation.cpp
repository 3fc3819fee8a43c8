#include "AI_Simulation.h"

#include "AI_HistoEvaluationCarte.h"
#include "Carte.h"
#include "GM_CompteBits.h"
#include "GM_KnuthRandom.h"
#include "ZB_PointsA.h"

#include <QMutexLocker>

#include <cmath>
#include <cstring>

namespace {

constexpr int kModes = 13; // trumps in force and chosen modes 0 to 12

// Per card index, what Carte says of it: strength by Belote order and trump
// in force, points by trump in force and chosen mode.
struct TablesJeu
{
    quint8 force[2][kModes][EnsembleDeCartes::TAILLE];
    quint8 points[kModes][kModes][EnsembleDeCartes::TAILLE];

    TablesJeu()
    {
        for (int i = 0; i < EnsembleDeCartes::TAILLE; ++i) {
            const Carte carte(i / 9 + 1, i % 9 + 6);
            for (int atout = 0; atout < kModes; ++atout) {
                for (int belote = 0; belote < 2; ++belote)
                    force[belote][atout][i] = quint8(carte.getForce(atout, belote));
                for (int mode = 0; mode < kModes; ++mode)
                    points[atout][mode][i] = quint8(carte.getPoints(atout, mode));
            }
        }
    }
};

const TablesJeu& tablesJeu()
{
    static const TablesJeu tables;
    return tables;
}

// One draw among the legal cards: uniform, as drawing from the hand until a
// legal card comes up would be, with one draw.
template <class Bits>
inline int tireJouable(AI_Simulation::Travail& travail, quint64 jouables)
{
    return Bits::kiemeBit(jouables, travail.tire(Bits::compte(jouables)));
}

// The play-out through the deal state, card by card: for a state without a
// points record or with modes out of the tables.
template <class Bits>
inline bool joueAuHasardPartie(AI_Simulation::Travail& travail, const std::atomic<bool>* stop)
{
    Partie& partie = travail.partie;
    while (!partie.donneTerminee_) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed))
            return false;
        const int joueur = partie.noDuProchainAJouer_;
        if (joueur < 0 || joueur > 3)
            return false;
        quint64& main = travail.mains[joueur];
        // A seat without a legal card while the deal goes on means the hands
        // do not match the state: give up this line.
        const quint64 jouables = partie.getMasqueCartesJouables(joueur, main);
        if (jouables == 0)
            return false;
        const int index = tireJouable<Bits>(travail, jouables);
        Carte* carte = partie.cartesEnMain_.getCarte(index);
        if (carte == nullptr)
            return false;
        main &= ~(quint64(1) << index);
        partie.joueCarte(carte, joueur);
    }
    return true;
}

// The play-out, compiled for each set of bit operations (GM_CompteBits).
// The same rules and draws as joueAuHasardPartie, on card indices and masks:
// the trick, its running winner, the collected counts and the trick points
// live in registers, and only the points record is written, trick by trick
// and at the end of the deal, as Partie::joueCarte writes it.
template <class Bits>
inline bool joueAuHasardCorps(AI_Simulation::Travail& travail, const std::atomic<bool>* stop)
{
    Partie& partie = travail.partie;
    ZB_PointsA* points = partie.getPoints();
    const int mode = partie.atoutChoisi_.atout_;
    int atoutEnCours = partie.atoutEnCours_;
    int joueur = partie.noDuProchainAJouer_;
    int carteNo = partie.carteNo_;
    int entame = partie.joueurQuiDebuteTour_;
    int gagnant = partie.getJoueurGagnantPli();
    if (points == nullptr || mode < 0 || mode >= kModes || atoutEnCours < 0 || atoutEnCours >= kModes
        || carteNo < 0 || carteNo > 3 || (carteNo > 0 && (entame < 0 || entame > 3 || gagnant < 0 || gagnant > 3)))
        return joueAuHasardPartie<Bits>(travail, stop);
    if (partie.donneTerminee_)
        return true;

    const TablesJeu& tables = tablesJeu();
    const int belote = partie.ordreBelote_ != 0 ? 1 : 0;
    const int genre = partie.typeDePartie_.genre_;
    const bool zigZag = mode == StatusAtout::ZigZagDepartEnBas || mode == StatusAtout::ZigZagDepartEnHaut;
    quint64 enMain = partie.cartesEnMain_.getMasque();
    int pli[4];
    for (int j = 0; j < 4; ++j) {
        const Carte* c = partie.getCarteDuPli(j);
        pli[j] = c != nullptr ? c->getIndex() : -1;
    }
    if (carteNo > 0 && (pli[entame] < 0 || pli[gagnant] < 0))
        return joueAuHasardPartie<Bits>(travail, stop);
    int ramassees[2] = {partie.getNombreCartesRamassees(0), partie.getNombreCartesRamassees(1)};

    while (enMain != 0) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed))
            return false;
        if (joueur < 0 || joueur > 3)
            return false;
        quint64& main = travail.mains[joueur];
        const quint64 jouables = carteNo == 0 ? main
                                              : Partie::masqueJouables(genre, belote, atoutEnCours, pli[entame] / 9 + 1,
                                                                       pli[gagnant], gagnant == ((joueur + 2) & 3),
                                                                       main);
        if (jouables == 0)
            return false;
        const int index = tireJouable<Bits>(travail, jouables);
        const quint64 bitCarte = quint64(1) << index;
        if (!(enMain & bitCarte))
            return false;
        main &= ~bitCarte;
        enMain &= ~bitCarte;
        pli[joueur] = index;
        if (carteNo == 0) {
            entame = gagnant = joueur;
        } else {
            // Partie::bat on indices: the stronger of one suit, or a trump.
            const int g = pli[gagnant];
            const int atout = (atoutEnCours >= 1 && atoutEnCours <= 4) ? atoutEnCours : 0;
            const bool bat = index / 9 == g / 9 ? tables.force[belote][atoutEnCours][index]
                                                      > tables.force[belote][atoutEnCours][g]
                                                : atout != 0 && index / 9 + 1 == atout;
            if (bat)
                gagnant = joueur;
        }
        if (carteNo < 3) {
            ++carteNo;
            joueur = (joueur + 1) & 3;
            continue;
        }

        const quint8* valeurs = tables.points[atoutEnCours][mode];
        const int pointsPli = (valeurs[pli[0]] + valeurs[pli[1]] + valeurs[pli[2]] + valeurs[pli[3]])
                            * partie.multiplicateur_;
        const int equipe = gagnant % 2;
        points->pointsCartes_[equipe] += pointsPli;
        ramassees[equipe] += 4;
        carteNo = 0;
        joueur = entame = gagnant;
        pli[0] = pli[1] = pli[2] = pli[3] = -1;
        if (enMain == 0) {
            const int total = partie.getNombreCartesDuJeu();
            const int equipeMatch = ramassees[0] == total ? 0 : ramassees[1] == total ? 1 : -1;
            const int choisit = partie.joueurQuiAChoisiAtout_;
            points->calculeFinDeDonne(equipe, equipeMatch, partie.multiplicateur_, partie.mise_.typeContrat_,
                                      partie.typeDePartie_.arrondi_, choisit >= 0 ? choisit % 2 : -1,
                                      partie.typeDePartie_.decompte_, partie.mise_.pointsMise_);
        }
        if (zigZag)
            atoutEnCours = atoutEnCours == StatusAtout::HautEnBas ? int(StatusAtout::BasEnHaut)
                                                                 : int(StatusAtout::HautEnBas);
    }
    return true;
}

GM_APLATI bool joueAuHasardPortable(AI_Simulation::Travail& travail, const std::atomic<bool>* stop)
{
    return joueAuHasardCorps<GM_CompteBits::Portable>(travail, stop);
}

#if GM_AVEC_DISPATCH_BITS
GM_CIBLE_POPCNT GM_APLATI bool joueAuHasardPopcnt(AI_Simulation::Travail& travail, const std::atomic<bool>* stop)
{
    return joueAuHasardCorps<GM_CompteBits::Popcnt>(travail, stop);
}

GM_CIBLE_BMI2 GM_APLATI bool joueAuHasardBmi2(AI_Simulation::Travail& travail, const std::atomic<bool>* stop)
{
    return joueAuHasardCorps<GM_CompteBits::Bmi2>(travail, stop);
}
#endif

} // namespace

int AI_Simulation::Travail::tireDuGenerateur(int n)
{
    return generateur->tire(n);
}

// ---------------------------------------------------------------------------
// The reserve of nodes

AI_Simulation::Reserve::~Reserve() = default;

AI_Simulation* AI_Simulation::Reserve::prend()
{
    if (libres_.empty()) {
        noeuds_.emplace_back(new AI_Simulation());
        noeuds_.back()->reserve_ = this;
        return noeuds_.back().get();
    }
    AI_Simulation* n = libres_.back();
    libres_.pop_back();
    return n;
}

AI_Simulation* AI_Simulation::Reserve::racine(const EnsembleDeCartes mains[4], const Partie& partie, Carte* carte,
                                              int noJoueurCarte, AI_HistoEvaluationCarte* histo, int* compteur,
                                              const std::atomic<bool>* stop)
{
    AI_Simulation* n = prend();
    for (int j = 0; j < 4; ++j)
        n->mains_[j] = mains[j].getMasque() & partie.cartesEnMain_.getMasque();
    n->partie_.copie(partie);
    n->camp_ = noJoueurCarte % 2 == 0;
    n->carte_ = carte;
    n->profondeur_ = 0;
    n->histo_ = histo;
    n->compteur_ = compteur;
    n->stop_ = stop;
    n->initialiseCommun();
    return n;
}

void AI_Simulation::Reserve::rendArbre(AI_Simulation* racine)
{
    if (racine != nullptr)
        racine->rends();
}

// ---------------------------------------------------------------------------
// Nodes

AI_Simulation::~AI_Simulation() = default;

void AI_Simulation::initialiseCommun()
{
    nbFils_ = -1;
    feuille_ = true;
    elague_ = false;
    if (compteur_ != nullptr)
        ++*compteur_;
}

void AI_Simulation::initialiseFils(const AI_Simulation& parent, Carte* carte, int noJoueurCarte)
{
    std::memcpy(mains_, parent.mains_, sizeof mains_);
    partie_.copie(parent.partie_);
    camp_ = noJoueurCarte % 2 == 0;
    carte_ = carte;
    profondeur_ = parent.profondeur_ + 1;
    histo_ = parent.histo_;
    compteur_ = parent.compteur_;
    stop_ = parent.stop_;
    initialiseCommun();
    mains_[noJoueurCarte] &= ~(quint64(1) << carte->getIndex());
    partie_.joueCarte(carte, noJoueurCarte);
}

void AI_Simulation::rends()
{
    for (int i = 0; i < nbFils_; ++i) {
        fils_[i]->rends();
        fils_[i] = nullptr;
    }
    nbFils_ = -1;
    if (compteur_ != nullptr)
        --*compteur_;
    reserve_->libres_.push_back(this);
}

int AI_Simulation::pointsEquipe(const Partie& partie, int equipe)
{
    if (equipe < 0 || equipe > 1)
        return 0;
    if (const ZB_PointsA* points = partie.getPoints())
        return points->getScore(equipe);
    // Without a points record, the card points of the collected tricks.
    int total = 0;
    const int* ramassees = partie.getCartesRamassees(equipe);
    for (int k = 0; k < partie.getNombreCartesRamassees(equipe); ++k) {
        if (const Carte* c = partie.cartesJoueesValides_.getCarte(ramassees[k]))
            total += c->getPoints(partie.atoutEnCours_, partie.atoutChoisi_.atout_);
    }
    return total * partie.multiplicateur_;
}

bool AI_Simulation::matchEquipe(const Partie& partie, int equipe)
{
    if (equipe < 0 || equipe > 1)
        return false;
    if (const ZB_PointsA* points = partie.getPoints())
        return points->match_[equipe] != 0;
    return partie.donneTerminee_ && partie.getNombreCartesRamassees(equipe) == partie.getNombreCartesDuJeu();
}

void AI_Simulation::creeFils()
{
    nbFils_ = 0;
    feuille_ = false;
    if (partie_.donneTerminee_)
        return;
    const int joueur = partie_.noDuProchainAJouer_;
    if (joueur < 0 || joueur > 3)
        return;
    quint64 jouables = partie_.getMasqueCartesJouables(joueur, mains_[joueur]);
    while (jouables != 0 && nbFils_ < MAX_FILS) {
        const int i = __builtin_ctzll(jouables);
        jouables &= jouables - 1;
        Carte* carte = partie_.cartesEnMain_.getCarte(i);
        if (carte == nullptr)
            continue;
        AI_Simulation* f = reserve_->prend();
        f->initialiseFils(*this, carte, joueur);
        fils_[nbFils_++] = f;
    }
    for (int i = nbFils_; i < MAX_FILS; ++i)
        fils_[i] = nullptr;

    // Among the fresh children, only those that do best for the side of the
    // seat that played them stay.
    int groupe[MAX_FILS];
    int taille = 0;
    for (int i = 0; i < nbFils_; ++i) {
        AI_Simulation* f = fils_[i];
        if (taille == 0) {
            groupe[taille++] = i;
            continue;
        }
        const int c = compare(f, fils_[groupe[0]], f->camp_);
        if (c > 0) {
            for (int k = 0; k < taille; ++k)
                fils_[groupe[k]]->elague_ = true;
            taille = 0;
            groupe[taille++] = i;
        } else if (c < 0) {
            f->elague_ = true;
        } else {
            groupe[taille++] = i;
        }
    }
}

int AI_Simulation::compare(const AI_Simulation* a, const AI_Simulation* b, bool camp)
{
    if (a->elague_ != b->elague_)
        return a->elague_ ? -1 : 1;
    const Valeur va = a->getValeur(camp);
    const Valeur vb = b->getValeur(camp);
    if (va.cartes != vb.cartes)
        return va.cartes > vb.cartes ? 1 : -1;
    if (va.points != vb.points)
        return va.points > vb.points ? 1 : -1;
    return 0;
}

AI_Simulation::Valeur AI_Simulation::getValeur(bool camp) const
{
    QMutexLocker locker(&mutex_);
    Valeur v;
    if (feuille_ || nbFils_ <= 0) {
        const int equipe = camp ? 0 : 1;
        v.cartes = partie_.getNombreCartesRamassees(equipe);
        v.points = pointsEquipe(partie_, equipe);
        return v;
    }
    const bool maximise = camp == camp_;
    bool premier = true;
    for (int i = 0; i < nbFils_; ++i) {
        if (fils_[i]->elague_)
            continue;
        const Valeur f = fils_[i]->getValeur(camp);
        const bool mieux = f.cartes != v.cartes ? f.cartes > v.cartes : f.points > v.points;
        const bool pire = f.cartes != v.cartes ? f.cartes < v.cartes : f.points < v.points;
        if (premier || (maximise ? mieux : pire)) {
            v = f;
            premier = false;
        }
    }
    return v;
}

void AI_Simulation::developpe(int limite)
{
    if (arrete())
        return;
    QMutexLocker locker(&mutex_);
    if (nbFils_ < 0) {
        if (compteur_ == nullptr || *compteur_ < limite)
            creeFils();
        return;
    }
    for (int i = 0; i < nbFils_; ++i) {
        if (arrete())
            return;
        if (!fils_[i]->elague_)
            fils_[i]->developpe(limite);
    }
}

int AI_Simulation::compteFeuillesVivantes() const
{
    QMutexLocker locker(&mutex_);
    if (nbFils_ <= 0)
        return 1;
    int n = 0;
    for (int i = 0; i < nbFils_; ++i) {
        if (!fils_[i]->elague_)
            n += fils_[i]->compteFeuillesVivantes();
    }
    return n;
}

bool AI_Simulation::joueAuHasard(Travail& travail, const std::atomic<bool>* stop)
{
    static const GM_CompteBits::Jeu jeu = GM_CompteBits::jeuProcesseur();
    return joueAuHasard(travail, stop, jeu);
}

bool AI_Simulation::joueAuHasard(Travail& travail, const std::atomic<bool>* stop, GM_CompteBits::Jeu jeu)
{
#if GM_AVEC_DISPATCH_BITS
    if (jeu == GM_CompteBits::JeuBmi2)
        return joueAuHasardBmi2(travail, stop);
    if (jeu == GM_CompteBits::JeuPopcnt)
        return joueAuHasardPopcnt(travail, stop);
#else
    Q_UNUSED(jeu);
#endif
    return joueAuHasardPortable(travail, stop);
}

void AI_Simulation::echantillonne(Travail& travail)
{
    if (arrete())
        return;
    QMutexLocker locker(&mutex_);
    if (nbFils_ > 0) {
        for (int i = 0; i < nbFils_; ++i) {
            if (arrete())
                return;
            if (!fils_[i]->elague_)
                fils_[i]->echantillonne(travail);
        }
        return;
    }
    travail.partie.copie(partie_);
    std::memcpy(travail.mains, mains_, sizeof mains_);
    if (joueAuHasard(travail, stop_)) {
        ++travail.parties;
        if (histo_ != nullptr)
            histo_->enregistre(travail.partie);
    }
}
