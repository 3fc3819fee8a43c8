// The computer player's card search: time per decision by strength and by
// number of evaluation threads on three fixed positions, the rate of random
// play-outs and tree nodes, the time to cancel a running search, and how the
// one generator that all evaluation threads share behaves under contention.
#include "AI_Joueur.h"
#include "Carte.h"
#include "GM_KnuthRandom.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseA.h"
#include "ZB_PointsBelote.h"
#include "ZB_PointsJass.h"
#include "ZB_StatusMise.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QSharedPointer>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

// A seeded deal with some cards played at random; the opponents of the
// seat to play chose trump, so no shortcut answers the opening lead.
struct Position
{
    Position(bool belote, quint32 graine, int cartesJouees, int modeAtout)
        : deck(belote ? static_cast<ZB_DeckA*>(new ZB_DeckBelote) : new ZB_DeckJass)
        , points(belote ? static_cast<ZB_PointsA*>(new ZB_PointsBelote) : new ZB_PointsJass)
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
        partie = QSharedPointer<Partie>::create(StatusAtout(false, true, modeAtout, 1), toutes, 0, 1, 1,
                                                TypeDePartie::getTypeDePartie(belote ? 6 : 0), ZB_StatusMise(),
                                                points.get());
        ZB_PointsDonne part;
        for (int k = 0; k < cartesJouees; ++k) {
            const int j = partie->noDuProchainAJouer_;
            const quint64 jouables = partie->getMasqueCartesJouables(j, mains[j].getMasque());
            Carte* c = mains[j].getCarte(__builtin_ctzll(jouables));
            mains[j].retireCarte(c);
            partie->joueCarte(part, c, j);
        }
    }
    std::unique_ptr<ZB_DeckA> deck;
    std::unique_ptr<ZB_PointsA> points;
    EnsembleDeCartes mains[4];
    QSharedPointer<Partie> partie;
};

const Position& position(int no)
{
    static const Position jassOuverture(false, 7, 0, 3);
    static const Position jassMilieu(false, 7, 14, 3);
    static const Position beloteOuverture(true, 7, 0, 4);
    return no == 0 ? jassOuverture : no == 1 ? jassMilieu : beloteOuverture;
}

class SansReponse : public Joueur::Cb_CarteConseil
{
public:
    void carteConseillee(Carte* c, bool) override { benchmark::DoNotOptimize(c); }
};

int fils(int code)
{
    return code == 0 ? QThread::idealThreadCount() : code;
}

// Args: position (0 Jass lead, 1 Jass mid-deal, 2 Belote lead), strength,
// threads (0: the machine's ideal count), private play-out streams (1) or
// the shared generator (0). median_ms is the median decision: the time a
// player waits, which a few slow searches would hide in the mean.
void BM_Decision(benchmark::State& state)
{
    const Position& p = position(int(state.range(0)));
    const int joueur = p.partie->noDuProchainAJouer_;
    OptionsDuJoueur options;
    options.ordinateur_ = 1;
    options.optionsAI_.nbrCombinations_ = double(state.range(1));
    AI_Joueur ia;
    ia.initialise(nullptr, options, nullptr, joueur, p.partie->typeDePartie_);
    ia.setNombreDeFils(fils(int(state.range(2))));
    ia.setFluxPrives(state.range(3) != 0);
    ia.recoitCartes(p.mains[joueur]);
    SansReponse cb;
    AI_Joueur::Thread::Statistiques total;
    std::vector<double> durees;
    for (auto _ : state) {
        const auto debut = std::chrono::steady_clock::now();
        ia.demandeConseilCarte(p.partie, &p.mains[joueur], 1, &cb);
        ia.attendRecherche();
        durees.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count());
        const AI_Joueur::Thread::Statistiques s = ia.getThread().getStatistiques();
        total.parties += s.parties;
        total.noeuds += s.noeuds;
        total.tirages += s.tirages;
        total.evaluations += s.evaluations;
    }
    const double n = double(state.iterations());
    std::nth_element(durees.begin(), durees.begin() + std::ptrdiff_t(durees.size() / 2), durees.end());
    state.counters["median_ms"] = durees.empty() ? 0.0 : durees[durees.size() / 2];
    state.counters["threads"] = fils(int(state.range(2)));
    state.counters["playouts/s"] = benchmark::Counter(double(total.parties), benchmark::Counter::kIsRate);
    state.counters["nodes/s"] = benchmark::Counter(double(total.noeuds), benchmark::Counter::kIsRate);
    state.counters["draws/decision"] = double(total.tirages) / n;
    state.counters["evals/decision"] = double(total.evaluations) / n;
}

void argumentsDecision(benchmark::internal::Benchmark* b)
{
    for (int pos = 0; pos < 3; ++pos)
        for (int force : {1000, 5000, 10000})
            for (int f : {1, 2, 0})
                for (int prive : {0, 1})
                    b->Args({pos, force, f, prive});
}
BENCHMARK(BM_Decision)->Apply(argumentsDecision)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.3);

// The figures the player is held to: a lead at the default strength with
// two evaluation threads, 41 decisions each, on the shared generator (0) and
// on private streams (1); run it on two cores: taskset -c 0,1.
void argumentsCible(benchmark::internal::Benchmark* b)
{
    for (int pos : {0, 2})
        for (int prive : {0, 1})
            b->Args({pos, 5000, 2, prive});
}
BENCHMARK(BM_Decision)->Name("BM_DecisionCible")->Apply(argumentsCible)->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Iterations(41);

// Time from the cancel call to the joined search, on a search that would
// otherwise run for seconds.
void BM_Annulation(benchmark::State& state)
{
    const Position& p = position(0);
    const int joueur = p.partie->noDuProchainAJouer_;
    OptionsDuJoueur options;
    options.optionsAI_.nbrCombinations_ = 1e6;
    AI_Joueur ia;
    ia.initialise(nullptr, options, nullptr, joueur, p.partie->typeDePartie_);
    ia.setNombreDeFils(fils(int(state.range(0))));
    ia.recoitCartes(p.mains[joueur]);
    SansReponse cb;
    for (auto _ : state) {
        state.PauseTiming();
        ia.demandeConseilCarte(p.partie, &p.mains[joueur], 1, &cb);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        state.ResumeTiming();
        ia.annuleConseilCarte();
    }
}
BENCHMARK(BM_Annulation)->Arg(1)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// Draws from one generator shared by all threads, as the evaluation threads
// do, against one generator per thread: the difference is the price of the
// shared mutex.
GM_KnuthRandom& generateurPartage()
{
    static GM_KnuthRandom g(true);
    return g;
}

void BM_TiragePartage(benchmark::State& state)
{
    GM_KnuthRandom& g = generateurPartage();
    for (auto _ : state)
        benchmark::DoNotOptimize(g.tire(9));
}
BENCHMARK(BM_TiragePartage)->ThreadRange(1, 8)->UseRealTime();

void BM_TirageParFil(benchmark::State& state)
{
    GM_KnuthRandom g(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(g.tire(9));
}
BENCHMARK(BM_TirageParFil)->ThreadRange(1, 8)->UseRealTime();

// One evaluation thread started and joined, as the search does for every
// candidate of every sampled deal.
class FilVide : public QThread
{
protected:
    void run() override {}
};

void BM_CreationFil(benchmark::State& state)
{
    for (auto _ : state) {
        FilVide f;
        f.start(QThread::InheritPriority);
        f.wait();
    }
}
BENCHMARK(BM_CreationFil)->Unit(benchmark::kMicrosecond);

} // namespace
