// The computer player's search closes one simulated deal per sample, so the
// end of a deal must stay cheap and must not touch the heap. Allocations made
// inside the timed loop are counted and reported; any is an error.
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "CompteAllocations.h"

#include <benchmark/benchmark.h>

using compte_allocations::allocations;

namespace {

void rapporteAllocations(benchmark::State& state, long avant)
{
    const long n = allocations.load(std::memory_order_relaxed) - avant;
    state.counters["allocs"] = static_cast<double>(n);
    if (n != 0)
        state.SkipWithError("the end of a deal allocated");
}

// A Belote deal of a plain contract of 100 by team 0, announcements and a
// belote, scored as points made plus the contract, rounded to 10.
void BM_FinDeDonneBeloteContrat(benchmark::State& state)
{
    ZB_PointsBelote modele;
    modele.pointsCartes_[0] = 97;
    modele.pointsCartes_[1] = 55;
    modele.pointsAnnonces_[0] = 20;
    modele.autresPoints_[1] = 20;
    modele.objectifMise_ = 100;
    ZB_PointsBelote p;
    ZB_PointsDonne result;
    const long avant = allocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        p.copie(modele);
        result.efface();
        result.derniersPlis_[0] = 1;
        result.pointsCartes_[0] = 14;
        p.calculeFinDeDonne(result, 0, -1, 1, 2, 10, 0, 2, 100);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(p.getScore(0));
    }
    rapporteAllocations(state, avant);
}
BENCHMARK(BM_FinDeDonneBeloteContrat);

// A failed contract of team 0, doubled by team 1: the branch that moves the
// most counters.
void BM_FinDeDonneBeloteContreChute(benchmark::State& state)
{
    ZB_PointsBelote modele;
    modele.pointsCartes_[0] = 62;
    modele.pointsCartes_[1] = 90;
    modele.pointsAnnonces_[1] = 20;
    modele.autresPoints_[1] = 20;
    modele.objectifMise_ = 100;
    ZB_PointsBelote p;
    ZB_PointsDonne result;
    const long avant = allocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        p.copie(modele);
        result.efface();
        result.derniersPlis_[0] = 1;
        result.pointsCartes_[0] = 14;
        p.calculeFinDeDonne(result, 0, -1, 1, 3, 10, 1, 2, 100);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(p.getScore(0));
    }
    rapporteAllocations(state, avant);
}
BENCHMARK(BM_FinDeDonneBeloteContreChute);

void BM_FinDeDonneJass(benchmark::State& state)
{
    ZB_PointsJass modele;
    modele.pointsCartes_[0] = 97;
    modele.pointsCartes_[1] = 55;
    ZB_PointsJass p;
    ZB_PointsDonne result;
    const long avant = allocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        p.copie(modele);
        result.efface();
        p.calculeFinDeDonne(result, 1, -1, 2, 0, 1, 0, 0, 0);
        benchmark::DoNotOptimize(result);
    }
    rapporteAllocations(state, avant);
}
BENCHMARK(BM_FinDeDonneJass);

} // namespace
