// The table's layout and deal costs on the widget engine:
// - a relayout of a full table (four seats of nine cards, the bottom hand
//   fanned, every dialog and button placed) at 1920x1080 and 3840x2160;
//   each iteration alternates with a size one pixel wider, since a relayout
//   for an unchanged size does nothing;
// - one frame during a deal: the deal is started, its animations step
//   16 ms, and the table is painted into an image of the window's size.
#include "ApplicationDeBanc.h"
#include "AI_Joueur.h"
#include "TableDeScene.h"
#include "ZB_DeckJass.h"
#include "ZB_TableFonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <array>
#include <cstdio>
#include <memory>

namespace {

constexpr int PAS_IMAGE_MS = 16;

QApplication& application()
{
    return applicationDeBanc("bench_table", PlateformeBanc::HorsEcranSansAffichage, true);
}

struct TableDistribuee
{
    explicit TableDistribuee(const QSize& taille)
    {
        scenetest::Reglages r;
        r.automatique = false;
        r.options.cardStyle_ = 2;
        r.options.quality_ = 1;
        r.taille = taille;
        table = std::make_unique<scenetest::TableDeScene>(r);
        table->scene->createGLObjects();
        table->scene->setNoJoueurLocal(0);
        for (int j = 0; j < 4; ++j) {
            joueurs[size_t(j)] = std::make_unique<AI_Joueur>();
            for (int i = 0; i < 9; ++i)
                joueurs[size_t(j)]->main_.ajouteCarte(deck.getCarteParIndex(4 * i + j));
            table->scene->setJoueur(j, joueurs[size_t(j)].get());
        }
    }
    ZB_DeckJass deck;
    std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
    std::unique_ptr<scenetest::TableDeScene> table;
};

void BM_Relayout(benchmark::State& state)
{
    application();
    const QSize taille(int(state.range(0)), int(state.range(1)));
    TableDistribuee t(taille);
    DisplayGLScene& s = *t.table->scene;
    bool large = false;
    for (auto _ : state) {
        large = !large;
        s.setSceneRect(0, 0, taille.width() + (large ? 1 : 0), taille.height());
        benchmark::DoNotOptimize(s.zoneTable());
    }
}
BENCHMARK(BM_Relayout)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

void BM_FrameDuringDeal(benchmark::State& state)
{
    application();
    const QSize taille(int(state.range(0)), int(state.range(1)));
    TableDistribuee t(taille);
    DisplayGLScene& s = *t.table->scene;
    s.nouvelleDonne(9, 1000, 0);
    QElapsedTimer depuisDonne;
    depuisDonne.start();
    for (auto _ : state) {
        // A deal lasts about 3 s: start another once it is over.
        if (depuisDonne.elapsed() > 3000) {
            state.PauseTiming();
            s.nouvelleDonne(9, 1000, 0);
            depuisDonne.restart();
            state.ResumeTiming();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, PAS_IMAGE_MS);
        const QImage image = t.table->image();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FrameDuringDeal)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

} // namespace
