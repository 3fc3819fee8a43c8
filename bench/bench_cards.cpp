// The computer player's search scores tricks millions of times: card points,
// strength and card-set copies must stay cheap. Record reading is measured
// because every network event and saved game goes through it.
#include "Carte.h"
#include "EnsembleDeCartes.h"
#include "TypeDePartie.h"
#include "ZB_DeckJass.h"

#include <benchmark/benchmark.h>

static void BM_PointsAndForceOfDeck(benchmark::State& state)
{
    ZB_DeckJass deck;
    const EnsembleDeCartes cards = deck.getCartes();
    for (auto _ : state) {
        int sum = 0;
        for (int trump = 1; trump <= 11; ++trump)
            for (Carte* c : cards)
                sum += c->getPoints(trump, trump) + c->getForce(trump, 0);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PointsAndForceOfDeck);

static void BM_CardSetCopyAndRemove(benchmark::State& state)
{
    ZB_DeckJass deck;
    const EnsembleDeCartes full = deck.getCartes();
    for (auto _ : state) {
        EnsembleDeCartes hand = full;
        for (int i = 0; i < 36; i += 4)
            hand.retireCarte(deck.getCarteParIndex(i));
        benchmark::DoNotOptimize(hand.getNombreDeCartes());
    }
}
BENCHMARK(BM_CardSetCopyAndRemove);

static void BM_GameTypeTextRoundTrip(benchmark::State& state)
{
    const TypeDePartie& preset = TypeDePartie::getTypeDePartie(3);
    for (auto _ : state) {
        TypeDePartie t;
        t.chargeValeursDepuisString(preset.sauveValeursDansString());
        benchmark::DoNotOptimize(t.pointsObjectif_);
    }
}
BENCHMARK(BM_GameTypeTextRoundTrip);
