// How long a card takes to reach the other three players of its table, at
// full speed (each card leaves as soon as the last one has arrived), with
// one table and with twelve tables hosted side by side, over each transport
// of the table protocol. The delay runs from the sender's write to the
// arrival at each other client; the sender's own echo is reported apart.
// Small writes held back by the transport show here as delays of tens of
// milliseconds.
#include "CoeurDeBanc.h"
#include "TablesEnLigne.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

void BM_CardToOtherClients(benchmark::State& state)
{
    coeurDeBanc("bench_card_delay");
    const int tables = int(state.range(0));
    const auto transport = static_cast<TablesEnLigne::Transport>(state.range(1));
    TablesEnLigne banc(tables, transport);
    if (!banc.ouvre(TablesEnLigne::UnParUn) || banc.tablesCompletes() != tables) {
        state.SkipWithError("the tables could not be seated");
        return;
    }
    // The first round pays for the tables' start.
    banc.joueAPleineVitesse(TablesEnLigne::Sieges);
    banc.oublieDelais();
    for (auto _ : state) {
        if (!banc.joueAPleineVitesse(TablesEnLigne::Sieges)) {
            state.SkipWithError("a card went missing");
            return;
        }
    }
    const std::vector<double> autres = banc.delaisAutres();
    const std::vector<double> echos = banc.delaisEcho();
    state.counters["median_ms"] = TablesEnLigne::centile(autres, 50);
    state.counters["p95_ms"] = TablesEnLigne::centile(autres, 95);
    state.counters["echo_median_ms"] = TablesEnLigne::centile(echos, 50);
    state.counters["cards"] = double(echos.size());
}

} // namespace

// Each iteration: every table plays one round of four cards, one per client;
// a client's lines after the first round stay within the server's chat cap.
BENCHMARK(BM_CardToOtherClients)
    ->ArgNames({"tables", "transport"})
    ->ArgsProduct({{1, 12}, {TablesEnLigne::Tcp, TablesEnLigne::Web, TablesEnLigne::WebSecure}})
    ->Iterations(TablesEnLigne::cartesParClientMax - 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
