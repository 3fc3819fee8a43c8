// A dealt table painted by the OpenGL engine, as the program shows it: the
// table scene with the program's own assets, four seats of nine cards (the
// bottom hand face up), in a view whose viewport is the engine's widget.
// - the 3-D layer alone (cloth, slate, the other seats' backs), finished on
//   the GPU;
// - the whole view repainted (the layer, then the scene's items: the bottom
//   hand, the buttons, the slate lines), finished on the GPU.
// Sizes 1280x800 and 1920x1080, the whole view also at 960x640. It needs an
// OpenGL context: run it as
//   xvfb-run -a -s "-screen 0 1920x1200x24" env LIBGL_ALWAYS_SOFTWARE=1 bench/bench_table_gl
// Elsewhere it reports the missing context and measures nothing.
#include "ApplicationDeBanc.h"
#include "AI_Joueur.h"
#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLScene.h"
#include "DisplayGLWidget.h"
#include "OptionsAffichage.h"
#include "ZB_DeckJass.h"
#include "ZB_TableFonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QGraphicsView>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPaintEvent>
#include <QTest>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int CARTES_PAR_MAIN = 9;
constexpr int ATTENTE_FOND_MS = 10000;

QApplication& application()
{
    return applicationDeBanc("bench_table_gl", PlateformeBanc::Telle, true);
}

// The table of the program on the OpenGL engine, dealt and shown.
struct TableGL
{
    explicit TableGL(const QSize& taille)
        : holder(QSharedPointer<DisplayGLWidget>::create(nullptr, DisplayGLWidget::MoteurOpenGL))
        , vue(std::make_unique<QGraphicsView>())
    {
        moteur = static_cast<DisplayGLPaintOpenGL*>(holder->paintEngine());
        vue->setViewport(moteur);
        vue->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
        vue->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        vue->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        vue->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        OptionsAffichage options;
        options.quality_ = 1;
        options.cardStyle_ = 2;
        scene = new DisplayGLScene(nullptr, vue.get(), holder, nullptr, nullptr, false, options, false, false, false,
                                   QStringLiteral("bench_table_gl"), QString(), nullptr, nullptr);
        vue->setScene(scene);
        moteur->setScene(scene);
        vue->resize(taille);
        scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(taille)));
        vue->show();
        pret = QTest::qWaitForWindowExposed(vue.get());
        if (pret)
            pret = QTest::qWaitFor([this] { return scene->isFondConstruit(); }, ATTENTE_FOND_MS);
        if (!pret)
            return;
        scene->setModeVue(1);
        scene->setNoJoueurLocal(0);
        for (int j = 0; j < 4; ++j) {
            joueurs[size_t(j)] = std::make_unique<AI_Joueur>();
            joueurs[size_t(j)]->options_.ordinateur_ = j != 0;
            for (int i = 0; i < CARTES_PAR_MAIN; ++i)
                joueurs[size_t(j)]->main_.ajouteCarte(deck.getCarteParIndex(4 * i + j));
            scene->setJoueur(j, joueurs[size_t(j)].get());
        }
        scene->nouvelleDonne(CARTES_PAR_MAIN, 1000, 0);
        scene->redessineCartes(0);
        QCoreApplication::processEvents();
    }
    ~TableGL()
    {
        delete scene;
        vue.reset();
    }
    TableGL(const TableGL&) = delete;
    TableGL& operator=(const TableGL&) = delete;

    std::string renderer()
    {
        moteur->makeCurrent();
        const auto* texte = reinterpret_cast<const char*>(moteur->context()->functions()->glGetString(GL_RENDERER));
        std::string nom = texte ? texte : "?";
        moteur->doneCurrent();
        return nom;
    }

    QSharedPointer<DisplayGLWidget> holder;
    std::unique_ptr<QGraphicsView> vue;
    DisplayGLPaintOpenGL* moteur = nullptr;
    DisplayGLScene* scene = nullptr;
    ZB_DeckJass deck;
    std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
    bool pret = false;
};

bool sansContexte(benchmark::State& state)
{
    application();
    if (DisplayGLWidget::openGLDisponible())
        return false;
    state.SkipWithError("no OpenGL context here: run under xvfb-run -a");
    for (auto _ : state) {
    }
    return true;
}

void BM_DealtTableLayerOpenGL(benchmark::State& state)
{
    if (sansContexte(state))
        return;
    const QSize taille(int(state.range(0)), int(state.range(1)));
    TableGL t(taille);
    if (!t.pret) {
        state.SkipWithError("the table was not shown");
        for (auto _ : state) {
        }
        return;
    }
    for (auto _ : state) {
        t.moteur->makeCurrent();
        t.scene->paintGLLayer();
        t.moteur->context()->functions()->glFinish();
        t.moteur->doneCurrent();
    }
    state.SetLabel(std::to_string(taille.width()) + "x" + std::to_string(taille.height()) + ", " + t.renderer());
}
BENCHMARK(BM_DealtTableLayerOpenGL)->Args({1280, 800})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_DealtTableViewOpenGL(benchmark::State& state)
{
    if (sansContexte(state))
        return;
    const QSize taille(int(state.range(0)), int(state.range(1)));
    TableGL t(taille);
    if (!t.pret) {
        state.SkipWithError("the table was not shown");
        for (auto _ : state) {
        }
        return;
    }
    for (auto _ : state) {
        // The view's paint, delivered at once: the layer, then the items
        // painted over it through the widget's OpenGL paint engine.
        QPaintEvent peinture(t.vue->viewport()->rect());
        QCoreApplication::sendEvent(t.vue->viewport(), &peinture);
        t.moteur->makeCurrent();
        t.moteur->context()->functions()->glFinish();
        t.moteur->doneCurrent();
    }
    state.SetLabel(std::to_string(taille.width()) + "x" + std::to_string(taille.height()) + ", " + t.renderer());
    // The frame measured, for a person to look at (ZB_BENCH_PNG_DIR).
    const QString dossier = qEnvironmentVariable("ZB_BENCH_PNG_DIR");
    if (!dossier.isEmpty() && QDir().mkpath(dossier))
        t.vue->grab().save(QStringLiteral("%1/gl-dealt-table-%2x%3.png").arg(dossier).arg(taille.width()).arg(taille.height()));
}
BENCHMARK(BM_DealtTableViewOpenGL)->Args({960, 640})->Args({1280, 800})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

} // namespace
