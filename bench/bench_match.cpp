// Wall time of a whole headless match at the default strength, with the
// number of seat decisions and the share of the time spent waiting for them
// (the computer players' thinking; the rest is the table, the event list
// and the pacing timers at 1 ms).
#include "HeadlessMatch.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>

namespace {

using namespace match_sans_tete;

void silencieux(QtMsgType type, const QMessageLogContext&, const QString& texte)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        fprintf(stderr, "%s\n", qPrintable(texte));
}

QCoreApplication& application()
{
    qInstallMessageHandler(&silencieux);
    static int argc = 1;
    static char nom[] = "bench_match";
    static char* argv[] = {nom, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

void joueMatch(benchmark::State& state, int genre, int preset)
{
    application();
    qint64 decisions = 0;
    double tempsDecisions = 0.0;
    double murs = 0.0;
    quint32 graine = 1;
    for (auto _ : state) {
        Banc banc(false);
        OptionsDePartie options = optionsDuPreset(genre, preset);
        QElapsedTimer mur;
        mur.start();
        banc.demarre(options, graine++, -1);
        QString pourquoi;
        if (!banc.attendFin(pourquoi)) {
            state.SkipWithError(qPrintable(pourquoi));
            break;
        }
        murs += double(mur.nsecsElapsed()) * 1e-9;
        decisions += banc.salle.decisions;
        tempsDecisions += double(banc.salle.tempsDecisionsNs) * 1e-9;
    }
    state.counters["decisions"] = benchmark::Counter(double(decisions), benchmark::Counter::kAvgIterations);
    state.counters["decision_ms"] =
        decisions > 0 ? benchmark::Counter(1000.0 * tempsDecisions / double(decisions)) : benchmark::Counter(0);
    state.counters["ai_share"] = murs > 0 ? benchmark::Counter(tempsDecisions / murs) : benchmark::Counter(0);
}

void BM_MatchJass(benchmark::State& state)
{
    joueMatch(state, TypeDePartie::GenreJass, 0);
}
void BM_MatchBeloteContree(benchmark::State& state)
{
    joueMatch(state, TypeDePartie::GenreBelote, 8);
}

} // namespace

BENCHMARK(BM_MatchJass)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_MatchBeloteContree)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
