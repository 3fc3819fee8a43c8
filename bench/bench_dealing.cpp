// Tables deal a new hand after every game and the computer player deals
// possible hands thousands of times per search: drawing and dealing must
// stay cheap. The generator is made once, as a table keeps its own.
#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "GM_KnuthRandom.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseBelote.h"
#include "ZB_MiseJass.h"

#include <benchmark/benchmark.h>

#include <QList>

static void BM_Tire(benchmark::State& state)
{
    GM_KnuthRandom rng(true);
    rng.initialise(12345);
    // Crosses the reseed at the end of the buffer every 65,535 draws, so the
    // refill is part of the average.
    for (auto _ : state)
        benchmark::DoNotOptimize(rng.tire(36));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Tire);

static void BM_DonneJass(benchmark::State& state)
{
    ZB_DeckJass deck;
    GM_KnuthRandom rng(true);
    rng.initialise(12345);
    for (auto _ : state) {
        ZB_MiseJass mise(deck);
        EnsembleDeCartes mains[4];
        for (int j = 0; j < 4; ++j)
            mise.distribue(mains[j], rng, 9, j, false);
        benchmark::DoNotOptimize(mise.getJoueurQuiCommence(rng, 4));
        benchmark::DoNotOptimize(mains);
    }
}
BENCHMARK(BM_DonneJass);

static void donneBelote(benchmark::State& state, bool coupe)
{
    ZB_DeckBelote deck;
    GM_KnuthRandom rng(true);
    rng.initialise(12345);
    QList<int> pileA;
    QList<int> pileB;
    for (Carte* c : deck.getCartes())
        (c->getIndex() % 2 ? pileA : pileB) << c->getIndex();
    for (auto _ : state) {
        ZB_MiseBelote mise(deck);
        mise.setPileA(pileA);
        mise.setPileB(pileB);
        EnsembleDeCartes mains[4];
        benchmark::DoNotOptimize(mise.getJoueurQuiCommence(rng, 4));
        for (int j = 0; j < 4; ++j)
            mise.distribue(mains[j], rng, 5, j, coupe);
        benchmark::DoNotOptimize(mise.getCarteRetournee(rng, coupe));
        for (int j = 0; j < 4; ++j) {
            EnsembleDeCartes suite;
            mise.distribue(suite, rng, j == 3 ? 2 : 3, j, coupe);
            benchmark::DoNotOptimize(suite);
        }
        benchmark::DoNotOptimize(mains);
    }
}

static void BM_DonneBelote(benchmark::State& state)
{
    donneBelote(state, false);
}
BENCHMARK(BM_DonneBelote);

static void BM_DonneBeloteCoupee(benchmark::State& state)
{
    donneBelote(state, true);
}
BENCHMARK(BM_DonneBeloteCoupee);

static void BM_GenerateurDepuisTexte(benchmark::State& state)
{
    GM_KnuthRandom rng(true);
    const QString texte = QStringLiteral("{17!424242!0!}");
    for (auto _ : state) {
        rng.chargeValeursDepuisString(texte);
        benchmark::DoNotOptimize(rng.getPosition());
    }
}
BENCHMARK(BM_GenerateurDepuisTexte);
