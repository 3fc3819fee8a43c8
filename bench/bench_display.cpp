// The table display's costs: the 36 cards of a deck rendered cold (from SVG,
// writing the disk cache) and warm (read back from the cache) at the default
// quality, and the frame time of a table's worth of textured objects on the
// widget engine and, where an OpenGL context can be made (run it under
// xvfb-run with LIBGL_ALWAYS_SOFTWARE=1), on the OpenGL engine.
//
// The cards are the test decks unless the build links the real ones
// (-DZB_BENCH_REAL_CARDS=ON): figures for the real faces must be measured
// with them.
#include "DisplayGLCacheCartes.h"
#include "DisplayGLJeuDeCartes.h"
#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLPaintWidget.h"
#include "DisplayGLWidget.h"
#include "SceneDeTest.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

// The reference screen: 1920 x 1040 available pixels.
const QSize ECRAN(1920, 1040);
constexpr int QUALITE_PAR_DEFAUT = 3;
const QString DOSSIER = QStringLiteral("bench-cartes");

void silencieux(QtMsgType type, const QMessageLogContext&, const QString& texte)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        fprintf(stderr, "%s\n", qPrintable(texte));
}

QApplication& application()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(&silencieux);
    static int argc = 1;
    static char nom[] = "bench_display";
    static char* argv[] = {nom, nullptr};
    static QApplication app(argc, argv);
    return app;
}

void BM_DeckCold(benchmark::State& state)
{
    application();
    QTemporaryDir racine;
    DisplayGLCacheCartes::setRacine(racine.path());
    const QSize taille = DisplayGLJeuDeCartes::tailleDeRendu(ECRAN, QUALITE_PAR_DEFAUT);
    DisplayGLJeuDeCartes jeu(DOSSIER);
    for (auto _ : state) {
        state.PauseTiming();
        QDir(racine.path() + QLatin1Char('/') + DOSSIER).removeRecursively();
        state.ResumeTiming();
        jeu.render(0, taille, 1.0);
    }
    DisplayGLCacheCartes::setRacine(QString());
    state.SetLabel(QStringLiteral("%1 x %2 px").arg(taille.width()).arg(taille.height()).toStdString());
}
BENCHMARK(BM_DeckCold)->Unit(benchmark::kMillisecond);

void BM_DeckWarm(benchmark::State& state)
{
    application();
    QTemporaryDir racine;
    DisplayGLCacheCartes::setRacine(racine.path());
    const QSize taille = DisplayGLJeuDeCartes::tailleDeRendu(ECRAN, QUALITE_PAR_DEFAUT);
    DisplayGLJeuDeCartes jeu(DOSSIER);
    jeu.render(0, taille, 1.0);
    for (auto _ : state)
        jeu.render(0, taille, 1.0);
    DisplayGLCacheCartes::setRacine(QString());
    state.SetLabel(QStringLiteral("%1 x %2 px").arg(taille.width()).arg(taille.height()).toStdString());
}
BENCHMARK(BM_DeckWarm)->Unit(benchmark::kMillisecond);

DisplayGLPaintA::ViewParameters vue(int largeur, int hauteur)
{
    auto p = DisplayGLPaintA::ViewParameters::parDefaut();
    p[DisplayGLPaintA::ViewParameters::FacteurHauteur] = 0.6;
    p[DisplayGLPaintA::ViewParameters::Table] = 1.0;
    p[DisplayGLPaintA::ViewParameters::LargeurVisible] = largeur;
    p[DisplayGLPaintA::ViewParameters::HauteurVisible] = hauteur;
    return p;
}

// One frame: the layer placed, the scene painted into a window-sized picture.
void BM_FrameWidget(benchmark::State& state)
{
    application();
    auto holder = QSharedPointer<DisplayGLWidget>::create(nullptr, DisplayGLWidget::MoteurWidget);
    SceneDeTest scene(holder);
    DisplayGLPaintA* moteur = holder->paintEngine();
    moteur->setScene(&scene);
    moteur->setViewParameters(vue(1280, 800));
    scene.remplitTable();
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        moteur->update();
        QPainter peintre(&image);
        scene.scene.render(&peintre, QRectF(0, 0, 1280, 800), QRectF(0, 0, 1280, 800));
    }
    state.SetLabel(std::to_string(scene.objets.size()) + " objects, 1280 x 800");
}
BENCHMARK(BM_FrameWidget)->Unit(benchmark::kMillisecond);

// One frame drawn by the OpenGL engine in its window, finished on the GPU.
void BM_FrameOpenGL(benchmark::State& state)
{
    application();
    if (!DisplayGLWidget::openGLDisponible()) {
        state.SkipWithError("no OpenGL context here: run under xvfb-run");
        for (auto _ : state) {
        }
        return;
    }
    auto holder = QSharedPointer<DisplayGLWidget>::create(nullptr, DisplayGLWidget::MoteurOpenGL);
    SceneDeTest scene(holder);
    auto* moteur = static_cast<DisplayGLPaintOpenGL*>(holder->paintEngine());
    moteur->setScene(&scene);
    moteur->setViewParameters(vue(1280, 800));
    scene.remplitTable();
    moteur->resize(1280, 800);
    moteur->show();
    if (!QTest::qWaitForWindowExposed(moteur)) {
        state.SkipWithError("the window was not shown");
        for (auto _ : state) {
        }
        return;
    }
    const int avant = scene.peintures;
    for (auto _ : state) {
        // The frame as paintGL draws it, into the widget's own buffer,
        // waited for; the window system's composition is not counted.
        moteur->makeCurrent();
        scene.paintGLLayer();
        moteur->context()->functions()->glFinish();
        moteur->doneCurrent();
    }
    if (scene.peintures - avant < static_cast<int>(state.iterations()))
        state.SkipWithError("frames were not painted");
    moteur->makeCurrent();
    const auto* rendu = reinterpret_cast<const char*>(moteur->context()->functions()->glGetString(GL_RENDERER));
    state.SetLabel(std::to_string(scene.objets.size()) + " objects, 1280 x 800, " + (rendu ? rendu : "?"));
    moteur->doneCurrent();
}
BENCHMARK(BM_FrameOpenGL)->Unit(benchmark::kMillisecond);

} // namespace
