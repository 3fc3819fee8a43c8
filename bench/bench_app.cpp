// The program's start and its memory:
// - from nothing to the first frame of a dealt table: the main window is
//   built (view, scene, room, server), a new game starts, and the clock
//   stops at the first frame painted once the cards are in the hands; the
//   card pictures are in their disk cache after the first round;
// - the resident set size after a whole unattended match.
#include "ApplicationDeBanc.h"
#include "DisplayGL.h"
#include "DisplayGLScene.h"
#include "EtatDeJeu.h"
#include "ListeDesEvenements.h"
#include "TableClient.h"
#include "ZB_MainWidget.h"
#include "ZB_TableFonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

constexpr int ATTENTE_MAX_MS = 600000;

QApplication& application()
{
    return applicationDeBanc("bench_app", PlateformeBanc::HorsEcranSansAffichage, true);
}

// Resident set size of this process in kilobytes, from the kernel's status.
double residentKo()
{
    QFile statut(QStringLiteral("/proc/self/status"));
    if (!statut.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& ligne : statut.readAll().split('\n'))
        if (ligne.startsWith("VmRSS:"))
            return ligne.mid(6).trimmed().split(' ').value(0).toDouble();
    return 0.0;
}

bool attendEtat(ZB_MainWidget& w, int etat)
{
    QElapsedTimer limite;
    limite.start();
    while (w.salle()->getListe(-1) == nullptr || w.salle()->getListe(-1)->etatAttendu_ < etat) {
        if (limite.elapsed() > ATTENTE_MAX_MS)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

void BM_PremiereImageDUneTableDistribuee(benchmark::State& state)
{
    application();
    QTemporaryDir dossier;
    ZB_Settings d;
    d.nowait = true;
    for (auto _ : state) {
        auto w = std::make_unique<ZB_MainWidget>(d, dossier.path());
        w->vue()->setModeAffichage(ZB_MainWidget::MODE_AFFICHAGE_ORDINATEUR, false);
        w->OnNouvellePartie();
        if (!attendEtat(*w, EtatDeJeu::Tour1_AttendConfirmationAnnonces1)) {
            state.SkipWithError("the cards were not dealt");
            break;
        }
        w->vue()->scene()->rafraichitCouche();
        benchmark::DoNotOptimize(w->vue()->grab());
        // Closing the program is not part of its start.
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PremiereImageDUneTableDistribuee)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_MemoireApresUnMatch(benchmark::State& state)
{
    application();
    QTemporaryDir dossier;
    ZB_Settings d;
    d.automatique = 1;
    d.nowait = true;
    for (auto _ : state) {
        const double avant = residentKo();
        ZB_MainWidget w(d, dossier.path());
        QSignalSpy fin(&w, &ZB_MainWidget::signalMatchTermine);
        w.OnNouvellePartie();
        if (!QTest::qWaitFor([&] { return !fin.isEmpty(); }, ATTENTE_MAX_MS)) {
            state.SkipWithError("the match did not end");
            break;
        }
        state.counters["rss_before_kB"] = avant;
        state.counters["rss_after_match_kB"] = residentKo();
    }
}
BENCHMARK(BM_MemoireApresUnMatch)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
