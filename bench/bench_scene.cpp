// The table scene's costs:
// - a message box asked on a worker thread (as the computer players' and
//   the network's threads ask them) until the scene has it on screen, with
//   the median and the 95th percentile of the samples;
// - one frame of the table with every floating item running (the 16 score
//   texts, the 32 seasonal pictures, the 4 message lines) and both side
//   panels sliding: the animations step 16 ms, then the scene is painted
//   into an image of the window's size with the widget engine.
// - a peer's chat line of 200, 300 000 and 900 000 characters, from the
//   table's text of it to the first frame that shows its bubble: what the
//   window's thread spends on one line. Measured on the development
//   machine, loaded: 2 ms of processor and 15 to 18 ms of wall time for
//   each, the long ones being cut to a line (laid out whole, the 900 000
//   characters stopped the window for seconds).
#include "ApplicationDeBanc.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLScoreAnimPixmap.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAutoRound.h"
#include "ZB_MessageDeTable.h"
#include "TableDeScene.h"
#include "ZB_TableFonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QParallelAnimationGroup>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSequentialAnimationGroup>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;
constexpr int PAS_IMAGE_MS = 16;

QApplication& application()
{
    return applicationDeBanc("bench_scene", PlateformeBanc::HorsEcranSansAffichage, true);
}

double quantile(std::vector<double> valeurs, double q)
{
    if (valeurs.empty())
        return 0.0;
    std::sort(valeurs.begin(), valeurs.end());
    const size_t rang = static_cast<size_t>(q * static_cast<double>(valeurs.size() - 1) + 0.5);
    return valeurs[std::min(rang, valeurs.size() - 1)];
}

void BM_BoxFromWorkerThreadToScreen(benchmark::State& state)
{
    application();
    scenetest::TableDeScene t;
    GM_MessageBoxEmitter emetteur;
    emetteur.setMessageBoxDisplayer(t.scene);
    std::atomic<Horloge::rep> depart{0};
    Horloge::time_point affiche;
    bool vu = false;
    QObject::connect(t.scene, &DisplayGLScene::signalMessageBoxShown, t.scene, [&] {
        affiche = Horloge::now();
        vu = true;
    });
    QPushButton* ok = t.scene->boitePrincipale().widget->findChild<QPushButton*>("pushButtonOK");
    std::vector<double> echantillons;
    for (auto _ : state) {
        vu = false;
        std::unique_ptr<QThread> thread(QThread::create([&] {
            depart.store(Horloge::now().time_since_epoch().count());
            emetteur.messageBox(GM::Information, QStringLiteral("Serveur"), QStringLiteral("Un joueur a rejoint."));
        }));
        thread->start();
        while (!vu)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        thread->wait();
        const Horloge::time_point debut{Horloge::duration(depart.load())};
        const double secondes = std::chrono::duration<double>(affiche - debut).count();
        state.SetIterationTime(secondes);
        echantillons.push_back(secondes * 1e6);
        // The user answers; the queue is free for the next box.
        ok->click();
        while (t.scene->nombreEnAttente() > 0 || t.scene->currentBoxId() >= 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    state.counters["median_us"] = quantile(echantillons, 0.5);
    state.counters["p95_us"] = quantile(echantillons, 0.95);
}
BENCHMARK(BM_BoxFromWorkerThreadToScreen)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(300);

void demarreTout(scenetest::TableDeScene& t)
{
    const QRectF zone = t.scene->zoneTable();
    const QPixmap flocon = QPixmap(QStringLiteral(":/images/flocon1.png")).scaled(48, 48);
    for (int i = 0; i < DisplayGLScene::NOMBRE_ANIMS_SCORE; ++i)
        t.scene->prochainScore()->startScore(i % 2 ? 20 + i : -i, QStringLiteral(" Annonce"), zone, 0.0, 0);
    for (int i = 0; i < DisplayGLScene::NOMBRE_ANIMS_IMAGE; ++i)
        t.scene->prochaineImage()->startFall(i % 4, QPointF(i * zone.width() / 32.0, -40.0), flocon, zone, 0.0, 0);
    for (int i = 0; i < DisplayGLScene::NOMBRE_ANIMS_MESSAGE; ++i)
        t.scene->prochainMessage()->startMessage(QStringLiteral("Serveur: ligne %1 pour tester les messages.").arg(i),
                                                 zone, 0.0, QColor(255, 255, 240, 220), 0);
}

void BM_FrameWithEveryAnimation(benchmark::State& state)
{
    application();
    scenetest::Reglages r;
    r.automatique = false;
    r.options.quality_ = 1;
    r.taille = QSize(1280, 800);
    scenetest::TableDeScene t(r);
    t.scene->createGLObjects();
    t.scene->dialogueChat()->show();
    t.scene->dialogueReglages()->show();
    std::vector<QAbstractAnimation*> groupes;
    auto collecte = [&] {
        groupes.clear();
        for (const auto& a : t.scene->animationsScore())
            groupes.push_back(a->driver()->groupe());
        for (const auto& a : t.scene->animationsImage())
            groupes.push_back(a->driver()->groupe());
        for (const auto& a : t.scene->animationsMessage())
            groupes.push_back(a->driver()->groupe());
        groupes.push_back(t.scene->dialogueChat()->animation());
        groupes.push_back(t.scene->dialogueReglages()->animation());
        for (QAbstractAnimation* g : groupes)
            g->pause();
    };
    QImage image(r.taille, QImage::Format_ARGB32_Premultiplied);
    int instant = 0;
    int tour = 0;
    for (auto _ : state) {
        if (instant == 0) {
            state.PauseTiming();
            demarreTout(t);
            // The panels slide open and closed in turn.
            if (tour++ % 2 == 0) {
                t.scene->journalChat()->appendPlainText(QStringLiteral("Marc: encore une?"));
                t.scene->dialogueReglages()->expand();
            } else {
                t.scene->dialogueChat()->collapse();
                t.scene->dialogueReglages()->collapse();
            }
            collecte();
            state.ResumeTiming();
        }
        for (QAbstractAnimation* g : groupes)
            g->setCurrentTime(std::min(instant, g->totalDuration()));
        t.scene->rafraichitCouche();
        QPainter peintre(&image);
        t.scene->render(&peintre, QRectF(image.rect()), t.scene->sceneRect());
        peintre.end();
        benchmark::DoNotOptimize(image.constBits());
        instant = (instant + PAS_IMAGE_MS) % DisplayGLScoreAnimPixmap::DUREE_CHUTE_MS;
    }
}
BENCHMARK(BM_FrameWithEveryAnimation)->Unit(benchmark::kMillisecond);

void BM_PeerChatLineToScreen(benchmark::State& state)
{
    application();
    scenetest::Reglages r;
    r.automatique = false;
    r.taille = QSize(1280, 800);
    scenetest::TableDeScene t(r);
    t.scene->createGLObjects();
    const QString texte = QChar(0x202E) + QString(static_cast<qsizetype>(state.range(0)), QLatin1Char('x'));
    QImage image(r.taille, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const QString ligne = ZB_MessageDeTable::ligne(QStringLiteral("Anna (joueur)"), texte);
        t.scene->prochainMessage()->startMessage(ligne, t.scene->zoneTable(), 0.0, QColor(255, 255, 240, 220), 0);
        t.scene->rafraichitCouche();
        QPainter peintre(&image);
        t.scene->render(&peintre, QRectF(image.rect()), t.scene->sceneRect());
        peintre.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PeerChatLineToScreen)->Arg(200)->Arg(300000)->Arg(900000)->Unit(benchmark::kMillisecond);

} // namespace
