#include "AI_HistoEvaluations.h"

#include "Carte.h"
#include "Partie.h"
#include "TypeDePartie.h"

#include <QMutexLocker>

#include <algorithm>

AI_HistoEvaluations::AI_HistoEvaluations(int maxPoints, const std::atomic<bool>* stop)
    : maxPoints_(maxPoints)
    , stop_(stop)
{
}

void AI_HistoEvaluations::enregistre(Carte* carte, int valeur, bool match)
{
    if (carte == nullptr)
        return;
    const int i = carte->getIndex();
    QMutexLocker locker(&mutex_);
    if (nombre_[i] == 0) {
        candidats_.ajouteCarte(carte);
        cartes_[i] = carte;
    }
    ++nombre_[i];
    somme_[i] += valeur;
    if (match)
        ++nombreMatch_[i];
    valeurs_[i].ajoute(valeur);
}

void AI_HistoEvaluations::enregistreLot(Carte* carte, std::vector<int>& valeurs, int nombreMatch)
{
    if (carte == nullptr || valeurs.empty())
        return;
    // Sorted, the values go into the map one run at a time, and the work
    // is done before the lock is taken.
    std::sort(valeurs.begin(), valeurs.end());
    qint64 somme = 0;
    for (int v : valeurs)
        somme += v;
    const int i = carte->getIndex();
    QMutexLocker locker(&mutex_);
    if (nombre_[i] == 0) {
        candidats_.ajouteCarte(carte);
        cartes_[i] = carte;
    }
    nombre_[i] += int(valeurs.size());
    // Integer sums are exact in a double, so the total does not depend on
    // how the samples were grouped.
    somme_[i] += double(somme);
    nombreMatch_[i] += nombreMatch;
    for (size_t k = 0; k < valeurs.size();) {
        size_t fin = k + 1;
        while (fin < valeurs.size() && valeurs[fin] == valeurs[k])
            ++fin;
        valeurs_[i].ajoute(valeurs[k], int(fin - k));
        k = fin;
    }
}

int AI_HistoEvaluations::getNombre(int index) const
{
    QMutexLocker locker(&mutex_);
    return index >= 0 && index < EnsembleDeCartes::TAILLE ? nombre_[index] : 0;
}

double AI_HistoEvaluations::getSomme(int index) const
{
    QMutexLocker locker(&mutex_);
    return index >= 0 && index < EnsembleDeCartes::TAILLE ? somme_[index] : 0.0;
}

int AI_HistoEvaluations::getNombreMatch(int index) const
{
    QMutexLocker locker(&mutex_);
    return index >= 0 && index < EnsembleDeCartes::TAILLE ? nombreMatch_[index] : 0;
}

int AI_HistoEvaluations::getOccurrences(int index, int valeur) const
{
    QMutexLocker locker(&mutex_);
    return index >= 0 && index < EnsembleDeCartes::TAILLE ? valeurs_[index].getOccurrences(valeur) : 0;
}

EnsembleDeCartes AI_HistoEvaluations::getCandidats() const
{
    QMutexLocker locker(&mutex_);
    return candidats_;
}

qint64 AI_HistoEvaluations::getNombreTotal() const
{
    QMutexLocker locker(&mutex_);
    qint64 total = 0;
    for (int n : nombre_)
        total += n;
    return total;
}

double AI_HistoEvaluations::facteurHeuristique(const Carte* c, const Contexte& ctx)
{
    if (c == nullptr || ctx.partie == nullptr)
        return 1.0;
    const Partie& partie = *ctx.partie;
    const int partenaire = (ctx.noJoueur + 2) % 4;
    const int couleurAtout = partie.getCouleurAtout();
    const bool estAtout = couleurAtout != 0 && c->getCouleur() == couleurAtout;
    const bool campAtout = ctx.joueurAtout == ctx.noJoueur || ctx.joueurAtout == partenaire;
    const int p = int(partie.cartesJoueesValides_.getNombreDeCartes());
    const int q = p % 4;
    const int atoutEnCours = partie.atoutEnCours_;
    const int belote = partie.ordreBelote_;

    if (partie.typeDePartie_.genre_ == TypeDePartie::GenreBelote) {
        double facteur = 1.0;
        if (p == 0 || p == 4) {
            if (!campAtout && estAtout && ctx.adversairesAtout)
                facteur = 0.75;
            if (!estAtout && c->getForce(atoutEnCours, belote) >= 8)
                facteur = 1.25;
        }
        return facteur;
    }

    const Carte* carteDuPartenaire = partie.getCarteDuPli(partenaire);
    const bool partenaireNeufAtout = carteDuPartenaire != nullptr && couleurAtout != 0
        && carteDuPartenaire->getCouleur() == couleurAtout && carteDuPartenaire->getValeur() == Carte::Neuf;
    bool partenaireMaitre = false;
    if (carteDuPartenaire != nullptr && partie.partenaireEstMaitre(ctx.noJoueur)) {
        partenaireMaitre = true;
        const int force = carteDuPartenaire->getForce(atoutEnCours, belote);
        for (int j = 0; j < 4; ++j) {
            const Carte* autre = partie.getCarteDuPli(j);
            if (j == partenaire || autre == nullptr || autre->getCouleur() != carteDuPartenaire->getCouleur())
                continue;
            if (autre->getForce(atoutEnCours, belote) >= force)
                partenaireMaitre = false;
        }
    }

    // Each rule that applies replaces the factor: the last one decides.
    double facteur = 1.0;
    if (campAtout && estAtout && ctx.adversairesAtout) {
        if (p == 4)
            facteur = 1.0 + ctx.options.secondTurnTrump_;
        else if (p == 8)
            facteur = 1.0 + ctx.options.thirdTurnTrump_;
    }
    if (q == 3 && estAtout && partenaireMaitre)
        facteur = 0.99;
    if (q == 0) {
        int plusHaute = -1;
        for (const Carte* restante : partie.cartesEnMain_) {
            if (restante->getCouleur() == c->getCouleur())
                plusHaute = std::max(plusHaute, restante->getForce(atoutEnCours, belote));
        }
        if (!estAtout && c->getForce(atoutEnCours, belote) >= plusHaute)
            facteur = ctx.adversairesAtout ? 1.065 : 1.13;
        if (estAtout && !ctx.adversairesAtout)
            facteur = 0.65;
    }
    if (partenaireNeufAtout && estAtout && c->getValeur() == Carte::Valet)
        facteur = 0.75;
    if (partenaireMaitre && estAtout)
        facteur = ctx.adversairesAtout ? 0.85 : 0.75;
    if (q == 0 && p >= 20 && estAtout && campAtout)
        facteur = 0.95;
    return facteur;
}

double AI_HistoEvaluations::sommeCorrigee_unlocked(int i, const Contexte& ctx) const
{
    const int n = nombre_[i];
    const int m = nombreMatch_[i];
    double s = somme_[i] * facteurHeuristique(cartes_[i], ctx);
    // Every sample that took all tricks lifts the average: a match is worth
    // more than its points.
    if (m > 0)
        s += 3.0 * n + 4.0 * m;
    return s;
}

double AI_HistoEvaluations::getSommeCorrigee(int index, const Contexte& contexte) const
{
    QMutexLocker locker(&mutex_);
    if (index < 0 || index >= EnsembleDeCartes::TAILLE || nombre_[index] == 0)
        return 0.0;
    return sommeCorrigee_unlocked(index, contexte);
}

Carte* AI_HistoEvaluations::choisitCarte(const Contexte& ctx) const
{
    QMutexLocker locker(&mutex_);
    Carte* meilleure = nullptr;
    double meilleureMoyenne = 0.0;
    int meilleursPoints = 0;
    const int atoutEnCours = ctx.partie != nullptr ? ctx.partie->atoutEnCours_ : 0;
    const int modeAtout = ctx.partie != nullptr ? ctx.partie->atoutChoisi_.atout_ : 0;
    for (Carte* c : candidats_) {
        if (stop_ != nullptr && stop_->load(std::memory_order_relaxed))
            break;
        const int i = c->getIndex();
        const double moyenne = sommeCorrigee_unlocked(i, ctx) / nombre_[i];
        const int points = c->getPoints(atoutEnCours, modeAtout);
        if (meilleure == nullptr || moyenne > meilleureMoyenne
            || (moyenne == meilleureMoyenne && points < meilleursPoints)) {
            meilleure = c;
            meilleureMoyenne = moyenne;
            meilleursPoints = points;
        }
    }
    return meilleure;
}
