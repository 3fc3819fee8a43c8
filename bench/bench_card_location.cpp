// The card search deals the unseen cards once per simulated deal, on the
// search thread, before every batch of evaluations: these deals must be
// cheap and must not touch the heap. Allocations made inside the timed loop
// are counted and reported; any is an error.
#include "AI_ProbaSimplifiee.h"
#include "Carte.h"
#include "GM_KnuthRandom.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseA.h"
#include "ZB_PointsA.h"
#include "ZB_StatusMise.h"
#include "CompteAllocations.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <memory>

using compte_allocations::allocations;

namespace {

void rapporteAllocations(benchmark::State& state, long avant)
{
    const long n = allocations.load(std::memory_order_relaxed) - avant;
    state.counters["allocs"] = static_cast<double>(n);
    if (n != 0)
        state.SkipWithError("dealing the unseen cards allocated");
}

// A deal with some cards played at random, and the model of seat 0 fed as
// the table feeds a computer player: its own hand, then the game so far.
struct Position
{
    Position(bool belote, int cartesJouees, quint32 graine)
        : deck(belote ? static_cast<ZB_DeckA*>(new ZB_DeckBelote) : new ZB_DeckJass)
        , modele(nullptr, OptionsAI())
    {
        GM_KnuthRandom rng(true);
        rng.initialise(graine);
        EnsembleDeCartes paquet = deck->getCartes();
        EnsembleDeCartes toutes;
        for (EnsembleDeCartes& main : mains) {
            main = ZB_MiseA::tireCartes(rng, paquet, belote ? 8 : 9);
            for (Carte* c : main)
                toutes.ajouteCarte(c);
        }
        const TypeDePartie& type = TypeDePartie::getTypeDePartie(belote ? 6 : 0);
        partie = std::make_unique<Partie>(StatusAtout(false, true, 3, 1), toutes, 1, 1, 1, type, ZB_StatusMise(),
                                          nullptr);
        ZB_PointsDonne part;
        for (int k = 0; k < cartesJouees; ++k) {
            const int j = partie->noDuProchainAJouer_;
            quint64 jouables = partie->getMasqueCartesJouables(j, mains[j].getMasque());
            int choix = rng.tire(__builtin_popcountll(jouables));
            while (choix-- > 0)
                jouables &= jouables - 1;
            Carte* c = deck->getCarteParIndex(__builtin_ctzll(jouables));
            mains[j].retireCarte(c);
            partie->joueCarte(part, c, j);
        }
        modele.cartesRecues(0, mains[0]);
        modele.metAJour(nullptr, *partie);
        AI_ProbaSimplifiee::nombresDeCartes(*partie, nombres);
    }

    std::unique_ptr<ZB_DeckA> deck;
    EnsembleDeCartes mains[4];
    std::unique_ptr<Partie> partie;
    AI_ProbaSimplifiee modele;
    int nombres[4];
};

// One deal of the unseen cards; range 0: 1 for Belote; range 1: cards played.
void BM_DistribueInconnues(benchmark::State& state)
{
    Position pos(state.range(0) != 0, int(state.range(1)), 12345);
    GM_KnuthRandom rng(true);
    const std::atomic<bool> arret{false};
    EnsembleDeCartes mains[4];
    long recommencements = 0;
    bool vueDuJoueur = true;
    const long avant = allocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        const auto r = pos.modele.distribueInconnues(0, mains, pos.nombres, pos.partie->cartesEnMain_, rng, &arret,
                                                     vueDuJoueur);
        if (r != AI_ProbaSimplifiee::DistributionReussie) {
            state.SkipWithError("no layout found");
            break;
        }
        recommencements += pos.modele.getRecommencements();
        vueDuJoueur = !vueDuJoueur;
        benchmark::DoNotOptimize(mains);
    }
    rapporteAllocations(state, avant);
    state.SetItemsProcessed(state.iterations());
    const double deals = double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["restarts/deal"] = double(recommencements) / deals;
}
BENCHMARK(BM_DistribueInconnues)
    ->ArgNames({"belote", "played"})
    ->Args({0, 0})
    ->Args({0, 9})
    ->Args({0, 18})
    ->Args({0, 27})
    ->Args({1, 0})
    ->Args({1, 8})
    ->Args({1, 16})
    ->Args({1, 24});

// What the search does per simulated deal: a fresh copy of the player's
// model, updated from the game, then the deal.
void BM_CopieMetAJourDistribue(benchmark::State& state)
{
    Position pos(state.range(0) != 0, int(state.range(1)), 6789);
    GM_KnuthRandom rng(true);
    const std::atomic<bool> arret{false};
    AI_ProbaSimplifiee copie(pos.modele);
    EnsembleDeCartes mains[4];
    const long avant = allocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        copie = pos.modele;
        copie.metAJour(nullptr, *pos.partie);
        const auto r =
            copie.distribueInconnues(0, mains, pos.nombres, pos.partie->cartesEnMain_, rng, &arret, true);
        if (r != AI_ProbaSimplifiee::DistributionReussie) {
            state.SkipWithError("no layout found");
            break;
        }
        benchmark::DoNotOptimize(mains);
    }
    rapporteAllocations(state, avant);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopieMetAJourDistribue)->ArgNames({"belote", "played"})->Args({0, 13})->Args({1, 13});

} // namespace
