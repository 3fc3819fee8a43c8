// The program's start and its memory:
// - from nothing to the first frame of a dealt table: the main window is
//   built (view, scene, room, server), a new game starts, and the clock
//   stops at the first frame painted once the cards are in the hands; the
//   card pictures are in their disk cache after the first round;
// - the resident set size after a whole unattended match;
// - the resident set size after a whole match played by the computer in the
//   shown window, cards, cloth and textures drawn as a user sees them (run
//   it under a display, e.g. xvfb-run -a with LIBGL_ALWAYS_SOFTWARE=1, to
//   measure the window the way users with software OpenGL get it). Beside
//   the resident set, whose mapped files (the libraries, among them the
//   software renderer's 58 MB of code) are shared and can be dropped by
//   the system, it reports the process's own memory: the anonymous part
//   (heaps, the software renderer's textures, pictures) and the private
//   dirty part (the anonymous part, pages written in the libraries' data
//   and frames shared with the display server), which only this process
//   holds and the system cannot drop.
#include "ApplicationDeBanc.h"
#include "DisplayGL.h"
#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLScene.h"
#include "EtatDeJeu.h"
#include "GM_MemoireProcessus.h"
#include "ListeDesEvenements.h"
#include "TableClient.h"
#include "ZB_MainWidget.h"
#include "ZB_TableFonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
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

// A figure of this process's memory in kilobytes, from the kernel's status:
// VmRSS the resident set, VmHWM its peak, RssAnon and RssFile its parts.
double statutKo(const char* champ = "VmRSS:")
{
    QFile statut(QStringLiteral("/proc/self/status"));
    if (!statut.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& ligne : statut.readAll().split('\n'))
        if (ligne.startsWith(champ))
            return ligne.mid(static_cast<int>(qstrlen(champ))).trimmed().split(' ').value(0).toDouble();
    return 0.0;
}

// A field of the kernel's summary of this process's mappings, in kilobytes.
double resumeKo(const char* champ)
{
    QFile resume(QStringLiteral("/proc/self/smaps_rollup"));
    if (!resume.open(QIODevice::ReadOnly))
        return 0.0;
    // A file of /proc has no size: read it to its end.
    for (const QByteArray& ligne : resume.readAll().split('\n'))
        if (ligne.startsWith(champ))
            return ligne.mid(static_cast<int>(qstrlen(champ))).trimmed().split(' ').value(0).toDouble();
    return 0.0;
}

// Resident kilobytes of the mappings of the OpenGL driver's own files (the
// software renderer's code and the compiler it carries).
double pilotesOpenGLKo()
{
    QFile cartes(QStringLiteral("/proc/self/smaps"));
    if (!cartes.open(QIODevice::ReadOnly))
        return 0.0;
    double ko = 0.0;
    bool duPilote = false;
    for (const QByteArray& ligne : cartes.readAll().split('\n')) {
        if (!ligne.isEmpty() && ligne.indexOf(':') > ligne.indexOf(' ')) {
            // A mapping's header: addresses, rights, offset, device, inode, path.
            duPilote = ligne.contains("/dri/") || ligne.contains("libLLVM") || ligne.contains("libgallium")
                || ligne.contains("libGLX_mesa") || ligne.contains("libglapi");
            continue;
        }
        if (duPilote && ligne.startsWith("Rss:"))
            ko += ligne.mid(4).trimmed().split(' ').value(0).toDouble();
    }
    return ko;
}

bool attendEtat(ZB_MainWidget& w, int etat)
{
    QElapsedTimer limite;
    limite.start();
    while (w.salle()->getListe(-1) == nullptr || w.salle()->getListe(-1)->getEtatAttendu() < etat) {
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
        const double avant = statutKo();
        ZB_MainWidget w(d, dossier.path());
        QSignalSpy fin(&w, &ZB_MainWidget::signalMatchTermine);
        w.OnNouvellePartie();
        if (!QTest::qWaitFor([&] { return !fin.isEmpty(); }, ATTENTE_MAX_MS)) {
            state.SkipWithError("the match did not end");
            break;
        }
        state.counters["rss_before_kB"] = avant;
        state.counters["rss_after_match_kB"] = statutKo();
    }
}
BENCHMARK(BM_MemoireApresUnMatch)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_MemoireApresUnMatchDansLaFenetre(benchmark::State& state)
{
    // As the program does before its first thread.
    GM_MemoireProcessus::partageLesTas();
    application();
    QTemporaryDir dossier;
    // The settings store and the card cache go in the temporary folder.
    QDir().mkpath(dossier.filePath(QStringLiteral("config")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dossier.filePath(QStringLiteral("config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(dossier.filePath(QStringLiteral("cache"))));
    ZB_Settings d;
    d.nowait = true;
    for (auto _ : state) {
        const double avant = statutKo();
        ZB_MainWidget w(d, dossier.path());
        w.vue()->resize(1280, 800);
        w.vue()->show();
        // The computer plays the user's seat and answers the boxes; every
        // card, bubble and texture is still drawn.
        w.vue()->setModeAffichage(ZB_MainWidget::MODE_AFFICHAGE_ORDINATEUR, false);
        w.vue()->scene()->setAutoAnswer(true);
        w.vue()->scene()->setFacteurDurees(ZB_MainWidget::FACTEUR_DUREES_AUTO);
        QSignalSpy fin(&w, &ZB_MainWidget::signalMatchTermine);
        w.OnNouvellePartie();
        if (!QTest::qWaitFor([&] { return !fin.isEmpty(); }, ATTENTE_MAX_MS)) {
            state.SkipWithError("the match did not end");
            break;
        }
        // The last frames of the match are painted before the figure is read.
        QTest::qWait(500);
        state.counters["rss_before_kB"] = avant;
        state.counters["rss_after_match_kB"] = statutKo();
        state.counters["rss_peak_kB"] = statutKo("VmHWM:");
        // Mapped files (the libraries, the software renderer's code) and
        // the process's own memory.
        state.counters["rss_file_kB"] = statutKo("RssFile:");
        state.counters["rss_anon_kB"] = statutKo("RssAnon:");
        state.counters["private_dirty_kB"] = resumeKo("Private_Dirty:");
        // What the machine's OpenGL takes in this process: its libraries'
        // pages, and the copy a software renderer keeps of every texture
        // (on a graphics card it lies in the card's memory). The rest is the
        // program's own.
        const auto* moteur = dynamic_cast<const DisplayGLPaintOpenGL*>(w.vue()->scene()->moteur());
        const double textures = moteur ? double(moteur->octetsDesTextures()) / 1024.0 : 0.0;
        const double pilotes = pilotesOpenGLKo();
        state.counters["opengl_driver_files_kB"] = pilotes;
        state.counters["opengl_textures_kB"] = textures;
        state.counters["rss_own_kB"] = statutKo() - pilotes - textures;
    }
}
BENCHMARK(BM_MemoireApresUnMatchDansLaFenetre)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
