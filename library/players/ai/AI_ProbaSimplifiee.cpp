#include "AI_ProbaSimplifiee.h"

#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "GM_KnuthRandom.h"
#include "Partie.h"
#include "TypeDePartie.h"
#include "ZB_AnalyseJoueurA.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool estArrete(const std::atomic<bool>* stop)
{
    return stop != nullptr && stop->load(std::memory_order_relaxed);
}

} // namespace

AI_ProbaSimplifiee::AI_ProbaSimplifiee(ZB_AnalyseJoueurA* analyse, const OptionsAI& options)
    : options_(options)
    , analyse_(analyse)
    , seuil_(seuilConnaissance(options.knowledgeOpponents_))
{
    std::memset(vueAutres, 1, sizeof vueAutres);
    std::memset(vueJoueur, 1, sizeof vueJoueur);
    std::memset(connues, 0, sizeof connues);
    updateAnalyse();
}

AI_ProbaSimplifiee::AI_ProbaSimplifiee(const AI_ProbaSimplifiee& autre)
    : options_(autre.options_)
    , analyse_(autre.analyse_)
    , seuil_(autre.seuil_)
{
    std::memcpy(vueAutres, autre.vueAutres, sizeof vueAutres);
    std::memcpy(vueJoueur, autre.vueJoueur, sizeof vueJoueur);
    std::memcpy(connues, autre.connues, sizeof connues);
}

AI_ProbaSimplifiee& AI_ProbaSimplifiee::operator=(const AI_ProbaSimplifiee& autre)
{
    if (this == &autre)
        return *this;
    std::memcpy(vueAutres, autre.vueAutres, sizeof vueAutres);
    std::memcpy(vueJoueur, autre.vueJoueur, sizeof vueJoueur);
    std::memcpy(connues, autre.connues, sizeof connues);
    options_ = autre.options_;
    analyse_ = autre.analyse_;
    seuil_ = autre.seuil_;
    return *this;
}

AI_ProbaSimplifiee::~AI_ProbaSimplifiee() = default;

int AI_ProbaSimplifiee::seuilConnaissance(double knowledgeOpponents)
{
    // Written so that NaN also lands on "never".
    if (!(knowledgeOpponents > 0.0))
        return -1;
    // A tiny setting would overflow an int: it means "hardly ever".
    const double inverse = std::round(1.0 / knowledgeOpponents);
    if (!(inverse < double(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max() - 1;
    return int(inverse) - 1;
}

quint8 AI_ProbaSimplifiee::getVueAutres(int joueur, int couleur, int valeur) const
{
    return estDansLaTable(joueur, valeur, couleur) ? vueAutres[index(joueur, valeur, couleur)] : 0;
}

quint8 AI_ProbaSimplifiee::getVueJoueur(int joueur, int couleur, int valeur) const
{
    return estDansLaTable(joueur, valeur, couleur) ? vueJoueur[index(joueur, valeur, couleur)] : 0;
}

quint8 AI_ProbaSimplifiee::getConnue(int joueur, int couleur, int valeur) const
{
    return estDansLaTable(joueur, valeur, couleur) ? connues[index(joueur, valeur, couleur)] : 0;
}

void AI_ProbaSimplifiee::effaceCarte(int couleur, int valeur, int saufJoueur)
{
    if (!estDansLaTable(0, valeur, couleur))
        return;
    for (int j = 0; j < 4; ++j) {
        if (j == saufJoueur)
            continue;
        const int i = index(j, valeur, couleur);
        vueAutres[i] = 0;
        vueJoueur[i] = 0;
        connues[i] = 0;
    }
}

void AI_ProbaSimplifiee::metAJour(const Carte* carte, const Partie& partie)
{
    const bool jass = partie.typeDePartie_.genre_ == TypeDePartie::GenreJass;
    const int atout = partie.getCouleurAtout();
    for (int couleur = 1; couleur <= 4; ++couleur) {
        for (int j = 0; j < 4; ++j) {
            if (partie.peutAvoir_[j][couleur - 1] != 0)
                continue;
            for (int valeur = 6; valeur <= 14; ++valeur) {
                // In Jass nobody has to give up the jack of trump to follow.
                if (jass && couleur == atout && valeur == Carte::Valet)
                    continue;
                const int i = index(j, valeur, couleur);
                vueAutres[i] = 0;
                vueJoueur[i] = 0;
            }
        }
    }
    for (const Carte* jouee : partie.cartesJoueesValides_)
        effaceCarte(jouee->getCouleur(), jouee->getValeur(), -1);
    if (carte != nullptr)
        effaceCarte(carte->getCouleur(), carte->getValeur(), -1);
    updateAnalyse();
}

int AI_ProbaSimplifiee::choisitJoueur(int joueur, int couleur, int valeur, GM_KnuthRandom& generateur,
                                      const std::atomic<bool>* stop, bool vueDuJoueur)
{
    if (joueur < 0 || joueur > 3 || !estDansLaTable(0, valeur, couleur) || estArrete(stop))
        return -1;

    if (seuil_ >= 0 && compteurPlacements_ >= seuil_) {
        compteurPlacements_ = 0;
        for (int j = 0; j < 4; ++j) {
            if (j != joueur && connues[index(j, valeur, couleur)] == 1) {
                ++compteurPlacements_;
                return j;
            }
        }
    }
    if (compteurPlacements_ < std::numeric_limits<int>::max())
        ++compteurPlacements_;

    const quint8* vue = vueDuJoueur ? vueJoueur : vueAutres;
    for (int tirage = 0; tirage < TIRAGES_MAX; ++tirage) {
        const int r = generateur.tire(3);
        const int j = r >= joueur ? r + 1 : r;
        if (vue[index(j, valeur, couleur)] == 1)
            return j;
    }
    return -1;
}

bool AI_ProbaSimplifiee::placementPossible(int joueur, Carte* const* reserve, int nombre, const int capacites[4],
                                           bool vueDuJoueur) const
{
    // Cards by the set of seats able to take them (bit j for seat j).
    int parEnsemble[16] = {};
    const quint8* vue = vueDuJoueur ? vueJoueur : vueAutres;
    for (int k = 0; k < nombre; ++k) {
        const Carte* c = reserve[k];
        int ensemble = 0;
        for (int j = 0; j < 4; ++j) {
            if (j == joueur || capacites[j] <= 0)
                continue;
            const int i = index(j, c->getValeur(), c->getCouleur());
            if (vue[i] == 1 || (seuil_ >= 0 && connues[i] == 1))
                ensemble |= 1 << j;
        }
        ++parEnsemble[ensemble];
    }
    // Hall's condition for seats with capacities: every group of seats has
    // room for the cards that only that group can take.
    for (int groupe = 0; groupe < 16; ++groupe) {
        if (groupe & (1 << joueur))
            continue;
        int place = 0;
        for (int j = 0; j < 4; ++j) {
            if (groupe & (1 << j))
                place += capacites[j];
        }
        int cartes = 0;
        for (int ensemble = 0; ensemble < 16; ++ensemble) {
            if ((ensemble & ~groupe) == 0)
                cartes += parEnsemble[ensemble];
        }
        if (cartes > place)
            return false;
    }
    return true;
}

AI_ProbaSimplifiee::Distribution AI_ProbaSimplifiee::distribueInconnues(int joueur, EnsembleDeCartes mains[4],
                                                                        const int nombres[4],
                                                                        const EnsembleDeCartes& inconnues,
                                                                        GM_KnuthRandom& generateur,
                                                                        const std::atomic<bool>* stop,
                                                                        bool vueDuJoueur)
{
    recommencements_ = 0;
    if (estArrete(stop))
        return DistributionInterrompue;
    for (int j = 0; j < 4; ++j)
        mains[j].vide();
    if (joueur < 0 || joueur > 3)
        return DistributionImpossible;

    Carte* reserve[EnsembleDeCartes::TAILLE];
    int nombre = 0;
    for (Carte* c : inconnues) {
        if (connues[index(joueur, c->getValeur(), c->getCouleur())] == 1)
            mains[joueur].ajouteCarte(c);
        else
            reserve[nombre++] = c;
    }

    // The counts must add up exactly, or some seat would overflow on every
    // attempt (or be left short).
    int capacites[4];
    int place = 0;
    for (int j = 0; j < 4; ++j) {
        if (nombres[j] < 0 || nombres[j] > EnsembleDeCartes::TAILLE)
            return DistributionImpossible;
        capacites[j] = j == joueur ? 0 : nombres[j];
        place += capacites[j];
    }
    if (int(mains[joueur].getNombreDeCartes()) != nombres[joueur] || nombre != place)
        return DistributionImpossible;
    if (!placementPossible(joueur, reserve, nombre, capacites, vueDuJoueur))
        return DistributionImpossible;

    qint8 places[EnsembleDeCartes::TAILLE];
    for (int recommencement = 0;; ++recommencement) {
        recommencements_ = recommencement;
        if (recommencement > 0) {
            if (estArrete(stop))
                return DistributionInterrompue;
            if (recommencement > RECOMMENCEMENTS_MAX)
                return DistributionImpossible;
        }
        int recues[4] = {0, 0, 0, 0};
        bool complete = true;
        for (int k = 0; k < nombre; ++k) {
            const int j = choisitJoueur(joueur, reserve[k]->getCouleur(), reserve[k]->getValeur(), generateur, stop,
                                        vueDuJoueur);
            if (j < 0)
                return estArrete(stop) ? DistributionInterrompue : DistributionImpossible;
            if (recues[j] >= capacites[j]) {
                complete = false;
                break;
            }
            places[k] = qint8(j);
            ++recues[j];
        }
        if (complete)
            break;
    }
    for (int k = 0; k < nombre; ++k)
        mains[places[k]].ajouteCarte(reserve[k]);
    return DistributionReussie;
}

void AI_ProbaSimplifiee::updateAnalyse() const
{
    if (analyse_ == nullptr)
        return;
    for (int couleur = 1; couleur <= 4; ++couleur) {
        for (int valeur = 6; valeur <= 14; ++valeur) {
            for (int j = 0; j < 4; ++j) {
                if (valeur == 6)
                    analyse_->reinitialiseProbabilites(couleur, j);
                const int i = index(j, valeur, couleur);
                analyse_->setProbabilite(couleur, j, valeur, float(vueJoueur[i]) * 0.5f, 0);
                analyse_->setProbabilite(couleur, j, valeur, float(vueAutres[i]) * 0.5f, 1);
                analyse_->setProbabilite(couleur, j, valeur, float(connues[i]), 2);
            }
        }
    }
}

void AI_ProbaSimplifiee::reinitialise()
{
    std::memset(vueAutres, 1, sizeof vueAutres);
    std::memset(vueJoueur, 1, sizeof vueJoueur);
    std::memset(connues, 0, sizeof connues);
    updateAnalyse();
}

void AI_ProbaSimplifiee::cartesRecues(int joueur, const EnsembleDeCartes& cartes)
{
    if (joueur < 0 || joueur > 3)
        return;
    for (const Carte* c : cartes) {
        connues[index(joueur, c->getValeur(), c->getCouleur())] = 1;
        for (int j = 0; j < 4; ++j) {
            if (j != joueur)
                vueJoueur[index(j, c->getValeur(), c->getCouleur())] = 0;
        }
    }
    updateAnalyse();
}

void AI_ProbaSimplifiee::marqueCartesConnues(int joueur, const EnsembleDeCartes& cartes)
{
    if (joueur < 0 || joueur > 3)
        return;
    for (const Carte* c : cartes)
        connues[index(joueur, c->getValeur(), c->getCouleur())] = 1;
    updateAnalyse();
}

void AI_ProbaSimplifiee::attribueCartes(int joueur, const EnsembleDeCartes& cartes)
{
    if (joueur < 0 || joueur > 3)
        return;
    for (const Carte* c : cartes) {
        connues[index(joueur, c->getValeur(), c->getCouleur())] = 1;
        effaceCarte(c->getCouleur(), c->getValeur(), joueur);
    }
    updateAnalyse();
}

void AI_ProbaSimplifiee::attribueCarte(int joueur, const Carte& carte)
{
    if (joueur < 0 || joueur > 3)
        return;
    effaceCarte(carte.getCouleur(), carte.getValeur(), joueur);
    updateAnalyse();
}

void AI_ProbaSimplifiee::recoitAnnonces(int joueur, const AnnoncesJoueur& annonces)
{
    if (joueur < 0 || joueur > 3)
        return;
    // The announcements' own mask covers only cards of the 36-card numbering,
    // whatever a peer's text claimed.
    quint64 masque = annonces.getMasque();
    while (masque != 0) {
        const int i = __builtin_ctzll(masque);
        masque &= masque - 1;
        effaceCarte(i / 9 + 1, i % 9 + 6, joueur);
    }
    updateAnalyse();
}

void AI_ProbaSimplifiee::nombresDeCartes(const Partie& partie, int nombres[4])
{
    const int restantes = int(partie.cartesEnMain_.getNombreDeCartes());
    for (int j = 0; j < 4; ++j)
        nombres[j] = restantes / 4 + ((restantes % 4 != 0 && partie.getCarteDuPli(j) == nullptr) ? 1 : 0);
}
