// Fifty hosting rooms in one process, four clients at each on the loopback,
// playing at a human pace (one card per table every second): the delay of a
// card to the table's three other clients (median and 95th percentile), the
// share of one core the whole process takes while they play, and its
// resident memory. The clients join one by one, or all at once, which
// is where the seating of the rooms is put to the test: every client
// must find a seat ("seated" is counted).
#include "CoeurDeBanc.h"
#include "TablesEnLigne.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int Salles = 50;
constexpr int CadenceMs = 1000;
constexpr int DureeMs = 20000;

void BM_RoomsAtHumanPace(benchmark::State& state)
{
    coeurDeBanc("bench_rooms_load");
    const auto arrivee = static_cast<TablesEnLigne::Arrivee>(state.range(0));
    for (auto _ : state) {
        TablesEnLigne banc(Salles, TablesEnLigne::Tcp);
        if (!banc.ouvre(arrivee)) {
            state.SkipWithError("the clients could not join");
            return;
        }
        const double cpuAvant = TablesEnLigne::tempsCpu();
        QElapsedTimer mur;
        mur.start();
        banc.joueAuRythme(CadenceMs, DureeMs);
        const double cpu = TablesEnLigne::tempsCpu() - cpuAvant;
        const double secondes = double(mur.nsecsElapsed()) * 1e-9;
        const std::vector<double> autres = banc.delaisAutres();
        state.counters["seated"] = banc.assis();
        state.counters["full_tables"] = banc.tablesCompletes();
        state.counters["median_ms"] = TablesEnLigne::centile(autres, 50);
        state.counters["p95_ms"] = TablesEnLigne::centile(autres, 95);
        state.counters["cpu_pct"] = 100.0 * cpu / secondes;
        state.counters["rss_mb"] = TablesEnLigne::memoireResidenteMo();
        state.counters["deliveries"] = double(autres.size());
    }
}

} // namespace

BENCHMARK(BM_RoomsAtHumanPace)
    ->ArgNames({"all_at_once"})
    ->Arg(TablesEnLigne::UnParUn)
    ->Arg(TablesEnLigne::TousEnsemble)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
