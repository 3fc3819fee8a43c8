// The computer player's search detects announcements on sampled hands, so
// detection must stay cheap and allocation-free. Hands are drawn before the
// timed loop so that only detection is measured.
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "ZB_DeckJass.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <vector>

namespace {

std::vector<EnsembleDeCartes> mainsAleatoires(const ZB_DeckJass& deck, int nombre)
{
    std::mt19937 rng(12345u);
    std::array<int, 36> indexes;
    std::iota(indexes.begin(), indexes.end(), 0);
    std::vector<EnsembleDeCartes> mains;
    mains.reserve(static_cast<size_t>(nombre));
    for (int i = 0; i < nombre; ++i) {
        std::shuffle(indexes.begin(), indexes.end(), rng);
        EnsembleDeCartes main;
        for (int k = 0; k < 9; ++k)
            main.ajouteCarte(deck.getCarteParIndex(indexes[static_cast<size_t>(k)]));
        mains.push_back(main);
    }
    return mains;
}

} // namespace

static void BM_DetectionRandomJassHands(benchmark::State& state)
{
    ZB_DeckJass deck;
    const std::vector<EnsembleDeCartes> mains = mainsAleatoires(deck, 4096);
    const int mode = static_cast<int>(state.range(0));
    size_t i = 0;
    for (auto _ : state) {
        const AnnoncesJoueur annonces(mains[i], mode);
        benchmark::DoNotOptimize(annonces.getTotalPoints());
        i = (i + 1) % mains.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DetectionRandomJassHands)->Arg(1)->Arg(6)->Arg(10);

// The first-round search alone, straight from a bit mask.
static void BM_BestAnnouncementFromMask(benchmark::State& state)
{
    ZB_DeckJass deck;
    const std::vector<EnsembleDeCartes> mains = mainsAleatoires(deck, 4096);
    size_t i = 0;
    for (auto _ : state) {
        const Annonce meilleure = AnnoncesJoueur::meilleureAnnonce(mains[i].getMasque(), 5);
        benchmark::DoNotOptimize(meilleure.points_);
        i = (i + 1) % mains.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BestAnnouncementFromMask);

static void BM_ContientCarteWholeDeck(benchmark::State& state)
{
    ZB_DeckJass deck;
    const std::vector<EnsembleDeCartes> mains = mainsAleatoires(deck, 256);
    std::vector<AnnoncesJoueur> annonces;
    for (const EnsembleDeCartes& m : mains)
        annonces.emplace_back(m, 1);
    const EnsembleDeCartes cartes = deck.getCartes();
    size_t i = 0;
    for (auto _ : state) {
        int n = 0;
        for (Carte* c : cartes)
            n += annonces[i].contientCarte(c) ? 1 : 0;
        benchmark::DoNotOptimize(n);
        i = (i + 1) % annonces.size();
    }
}
BENCHMARK(BM_ContientCarteWholeDeck);
