#include "AI_Simulation.h"

#include "AI_HistoEvaluationCarte.h"
#include "Carte.h"
#include "GM_KnuthRandom.h"
#include "ZB_PointsA.h"

#include <QMutexLocker>

#include <cmath>

namespace {

// Index of the k-th set bit of m, counting from the lowest (k below the
// number of set bits).
int kiemeBit(quint64 m, int k)
{
    for (; k > 0; --k)
        m &= m - 1;
    return __builtin_ctzll(m);
}

} // namespace

int AI_Simulation::Travail::tire(int n)
{
    ++tirages;
    if (!fluxPrive)
        return generateur->tire(n);
    // SplitMix64: cheap, and good enough to choose among nine cards.
    quint64 z = (etatPrive += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return int(z % quint64(n));
}

AI_Simulation::AI_Simulation(const EnsembleDeCartes mains[4], const Partie& partie, Carte* carte, int noJoueurCarte,
                             AI_HistoEvaluationCarte* histo, int* compteur, const std::atomic<bool>* stop)
    : camp_(noJoueurCarte % 2 == 0)
    , partie_(partie)
    , carte_(carte)
    , profondeur_(0)
    , histo_(histo)
    , compteur_(compteur)
    , stop_(stop)
{
    for (int j = 0; j < 4; ++j)
        mains_[j] = mains[j];
    for (AI_Simulation*& f : fils_)
        f = nullptr;
    if (compteur_ != nullptr)
        ++*compteur_;
}

AI_Simulation::AI_Simulation(const AI_Simulation& parent, Carte* carte, int noJoueurCarte)
    : camp_(noJoueurCarte % 2 == 0)
    , partie_(parent.partie_)
    , carte_(carte)
    , profondeur_(parent.profondeur_ + 1)
    , histo_(parent.histo_)
    , compteur_(parent.compteur_)
    , stop_(parent.stop_)
{
    for (int j = 0; j < 4; ++j)
        mains_[j] = parent.mains_[j];
    for (AI_Simulation*& f : fils_)
        f = nullptr;
    mains_[noJoueurCarte].retireCarte(carte);
    ZB_PointsDonne part;
    partie_.joueCarte(part, carte, noJoueurCarte);
    if (compteur_ != nullptr)
        ++*compteur_;
}

AI_Simulation::~AI_Simulation()
{
    for (int i = 0; i < nbFils_; ++i)
        delete fils_[i];
    if (compteur_ != nullptr)
        --*compteur_;
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
    quint64 jouables = partie_.getMasqueCartesJouables(joueur, mains_[joueur].getMasque());
    while (jouables != 0 && nbFils_ < MAX_FILS) {
        const int i = __builtin_ctzll(jouables);
        jouables &= jouables - 1;
        fils_[nbFils_++] = new AI_Simulation(*this, mains_[joueur].getCarte(i), joueur);
    }

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
    Partie& partie = travail.partie;
    ZB_PointsDonne part;
    while (!partie.donneTerminee_) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed))
            return false;
        const int joueur = partie.noDuProchainAJouer_;
        if (joueur < 0 || joueur > 3)
            return false;
        EnsembleDeCartes& main = travail.mains[joueur];
        const quint64 masque = main.getMasque();
        // A seat without cards while the deal goes on means the hands do not
        // match the state: give up this line rather than divide by zero.
        const int n = __builtin_popcountll(masque);
        if (n == 0)
            return false;
        const quint64 jouables = partie.getMasqueCartesJouables(joueur, masque);
        if (jouables == 0)
            return false;
        int index = -1;
        for (int essai = 0; essai < ESSAIS_MAX && index < 0; ++essai) {
            const int i = kiemeBit(masque, travail.tire(n));
            if ((jouables >> i) & 1u)
                index = i;
        }
        if (index < 0) {
            index = kiemeBit(jouables, travail.tire(__builtin_popcountll(jouables)));
        }
        Carte* carte = main.getCarte(index);
        main.retireCarte(carte);
        partie.joueCarte(part, carte, joueur);
    }
    return true;
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
    for (int j = 0; j < 4; ++j)
        travail.mains[j] = mains_[j];
    if (joueAuHasard(travail, stop_)) {
        ++travail.parties;
        if (histo_ != nullptr)
            histo_->enregistre(travail.partie);
    }
}
