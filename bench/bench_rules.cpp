// The computer player copies the deal state and plays random deals to the
// end thousands of times per decision: these are its inner loops. The whole
// deal (dealing, trump advice, play-out) is what a simulation of many games
// pays for each.
#include "AI_BetBelote.h"
#include "AI_Conseil.h"
#include "AI_Simulation.h"
#include "Carte.h"
#include "GM_KnuthRandom.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseJass.h"
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZB_StatusMise.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

// A tiny generator: the benchmark measures the rules, not the randomness.
struct XorShift
{
    quint64 s = 0x9E3779B97F4A7C15ull;
    quint64 next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
};

struct Donne
{
    explicit Donne(bool belote)
        : deck(belote ? static_cast<ZB_DeckA*>(new ZB_DeckBelote) : new ZB_DeckJass)
        , points(belote ? static_cast<ZB_PointsA*>(new ZB_PointsBelote) : new ZB_PointsJass)
    {
        std::vector<Carte*> paquet;
        for (Carte* c : deck->getCartes())
            paquet.push_back(c);
        std::mt19937 rng(42);
        std::shuffle(paquet.begin(), paquet.end(), rng);
        const size_t parMain = paquet.size() / 4;
        for (size_t i = 0; i < paquet.size(); ++i)
            mains[i / parMain] |= quint64(1) << paquet[i]->getIndex();
        const TypeDePartie& type = TypeDePartie::getTypeDePartie(belote ? 6 : 0);
        base = std::make_unique<Partie>(StatusAtout(false, true, 2, 1), deck->getCartes(), 1, 1, 1, type,
                                        ZB_StatusMise(), points.get());
    }

    std::unique_ptr<ZB_DeckA> deck;
    std::unique_ptr<ZB_PointsA> points;
    std::unique_ptr<Partie> base;
    quint64 mains[4] = {0, 0, 0, 0};
};

void jouerAuHasard(Partie& partie, const ZB_DeckA& deck, quint64 (&mains)[4], XorShift& rng, ZB_PointsDonne& result)
{
    while (!partie.donneTerminee_) {
        const int joueur = partie.noDuProchainAJouer_;
        quint64 jouables = partie.getMasqueCartesJouables(joueur, mains[joueur]);
        // Multiply-shift instead of a modulo: a division per card would cost
        // as much as the rules themselves.
        int choix = int(((rng.next() >> 32) * quint64(__builtin_popcountll(jouables))) >> 32);
        while (choix-- > 0)
            jouables &= jouables - 1;
        const int index = __builtin_ctzll(jouables);
        mains[joueur] &= ~(quint64(1) << index);
        partie.joueCarte(result, deck.getCarteParIndex(index), joueur);
    }
}

void BM_RandomPlayout(benchmark::State& state)
{
    Donne donne(state.range(0) != 0);
    Partie partie(*donne.base);
    XorShift rng;
    ZB_PointsDonne result;
    for (auto _ : state) {
        partie.copie(*donne.base);
        quint64 mains[4] = {donne.mains[0], donne.mains[1], donne.mains[2], donne.mains[3]};
        jouerAuHasard(partie, *donne.deck, mains, rng, result);
        benchmark::DoNotOptimize(result.pointsCartes_[0]);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RandomPlayout)->Arg(0)->Arg(1)->ArgName("belote");

// A whole Jass deal as a table plays it, with random cards: the table's
// dealer and generator deal, the first seat's trump advice chooses (or the
// partner's after a pass), and the search's play-out plays the cards.
void BM_DonneJassEntiere(benchmark::State& state)
{
    ZB_DeckJass deck;
    const TypeDePartie& type = TypeDePartie::getTypeDePartie(int(state.range(0)));
    GM_KnuthRandom rng(true);
    rng.initialise(12345);
    AI_BetBelote bet;
    ZB_PointsJass points;
    AI_Simulation::Travail travail;
    travail.fluxPrive = true;
    travail.etatPrive = 42;
    qint64 total = 0;
    EnsembleDeCartes mains[4];
    for (auto _ : state) {
        ZB_MiseJass mise(deck);
        for (int j = 0; j < 4; ++j)
            mise.distribue(mains[j], rng, 9, j, false);
        const int premier = (mise.getJoueurQuiCommence(rng, 4) + 1) & 3;
        StatusAtout atout;
        AI_Conseil::conseilAtout(mains[premier], type, bet, atout);
        int choisit = premier;
        if (!atout.choisi_) {
            choisit = (premier + 2) % 4;
            atout = StatusAtout(true, false, 0, -1);
            AI_Conseil::conseilAtout(mains[choisit], type, bet, atout);
        }
        atout.multiplicateur_ = 1;
        points.copie(ZB_PointsDonne());
        const Partie partie(atout, deck.getCartes(), premier, choisit, 1, type, ZB_StatusMise(), &points);
        travail.partie.copie(partie);
        for (int j = 0; j < 4; ++j)
            travail.mains[j] = mains[j].getMasque();
        AI_Simulation::joueAuHasard(travail, nullptr);
        total += travail.partie.getPoints()->getScore(0);
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations());
}
// Suisse romand (suits only) and Suisse allemand (multipliers, top-down and
// bottom-up, announcements weigh the choice).
BENCHMARK(BM_DonneJassEntiere)->Arg(0)->Arg(2)->ArgName("type");

// The same whole deal as a simulation of many games would deal it: the deck
// shuffled with the search's own stream (Fisher-Yates) and dealt in four
// hands of nine, instead of the table's dealer and its generator, which
// replay saved deals card by card.
void BM_DonneJassMelangee(benchmark::State& state)
{
    ZB_DeckJass deck;
    const TypeDePartie& type = TypeDePartie::getTypeDePartie(int(state.range(0)));
    AI_BetBelote bet;
    ZB_PointsJass points;
    AI_Simulation::Travail travail;
    travail.fluxPrive = true;
    travail.etatPrive = 42;
    const EnsembleDeCartes toutes = deck.getCartes();
    int paquet[EnsembleDeCartes::TAILLE];
    for (int i = 0; i < EnsembleDeCartes::TAILLE; ++i)
        paquet[i] = i;
    qint64 total = 0;
    EnsembleDeCartes mains[4];
    for (auto _ : state) {
        for (int i = EnsembleDeCartes::TAILLE - 1; i > 0; --i)
            std::swap(paquet[i], paquet[travail.tire(i + 1)]);
        for (int j = 0; j < 4; ++j) {
            mains[j].vide();
            for (int k = 0; k < 9; ++k)
                mains[j].ajouteCarte(toutes.getCarte(paquet[9 * j + k]));
        }
        const int premier = int(travail.tire(4));
        StatusAtout atout;
        AI_Conseil::conseilAtout(mains[premier], type, bet, atout);
        int choisit = premier;
        if (!atout.choisi_) {
            choisit = (premier + 2) % 4;
            atout = StatusAtout(true, false, 0, -1);
            AI_Conseil::conseilAtout(mains[choisit], type, bet, atout);
        }
        atout.multiplicateur_ = 1;
        points.copie(ZB_PointsDonne());
        const Partie partie(atout, toutes, premier, choisit, 1, type, ZB_StatusMise(), &points);
        travail.partie.copie(partie);
        for (int j = 0; j < 4; ++j)
            travail.mains[j] = mains[j].getMasque();
        AI_Simulation::joueAuHasard(travail, nullptr);
        total += travail.partie.getPoints()->getScore(0);
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DonneJassMelangee)->Arg(0)->Arg(2)->ArgName("type");

void BM_CopyPartie(benchmark::State& state)
{
    Donne donne(true);
    Partie partie(*donne.base);
    for (auto _ : state) {
        partie.copie(*donne.base);
        benchmark::DoNotOptimize(partie.carteNo_);
    }
}
BENCHMARK(BM_CopyPartie);

void BM_LegalCardsMask(benchmark::State& state)
{
    Donne donne(state.range(0) != 0);
    Partie partie(*donne.base);
    ZB_PointsDonne result;
    // Two cards on the table, so the rules have something to decide.
    for (int i = 0; i < 2; ++i) {
        const int joueur = partie.noDuProchainAJouer_;
        const int index = __builtin_ctzll(donne.mains[joueur]);
        partie.joueCarte(result, donne.deck->getCarteParIndex(index), joueur);
    }
    const int joueur = partie.noDuProchainAJouer_;
    for (auto _ : state)
        benchmark::DoNotOptimize(partie.getMasqueCartesJouables(joueur, donne.mains[joueur]));
}
BENCHMARK(BM_LegalCardsMask)->Arg(0)->Arg(1)->ArgName("belote");

void BM_LegalCardsExplained(benchmark::State& state)
{
    Donne donne(state.range(0) != 0);
    Partie partie(*donne.base);
    ZB_PointsDonne result;
    for (int i = 0; i < 2; ++i) {
        const int joueur = partie.noDuProchainAJouer_;
        const int index = __builtin_ctzll(donne.mains[joueur]);
        partie.joueCarte(result, donne.deck->getCarteParIndex(index), joueur);
    }
    const int joueur = partie.noDuProchainAJouer_;
    EnsembleDeCartes main;
    for (int i = 0; i < 36; ++i)
        if ((donne.mains[joueur] >> i) & 1)
            main.ajouteCarte(donne.deck->getCarteParIndex(i));
    for (auto _ : state) {
        int codes = 0;
        for (Carte* c : main)
            codes += partie.estCarteValide(c, joueur, main);
        benchmark::DoNotOptimize(codes);
    }
}
BENCHMARK(BM_LegalCardsExplained)->Arg(0)->Arg(1)->ArgName("belote");

} // namespace
