// How long the table's window stops answering while the computer searches
// advice for the local human: a whole headless match is shown on a table
// scene; each time the bottom seat is asked for a card the scene starts an
// advice search at the default strength for that seat's hand (as it does
// for a human), and the search is cancelled when the seat's card is played
// (as a double-click does). A 1 ms timer probes the event loop; the longest
// gap between its ticks, less its interval, is the longest block. Counters:
// block_max_ms (target: below 50), block_p99_ms, advice searches started.
//
// Run on all cores and pinned to two: taskset -c 0,1 bench_advice_latency
#include "ApplicationDeBanc.h"
#include "AI_Joueur.h"
#include "HeadlessMatch.h"
#include "InfoDemande.h"
#include "TableDeScene.h"
#include "ZB_TableFonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace match_sans_tete;

constexpr int INTERVALLE_SONDE_MS = 1;
constexpr int SIEGE_LOCAL = 0;

QApplication& application()
{
    return applicationDeBanc("bench_advice_latency", PlateformeBanc::HorsEcran, true);
}

// The table's screen: every operation reaches the scene as the table view
// hands it on, and the bottom seat's card requests start the advice.
class AffichageConseille : public ZB_DisplayEmpty
{
public:
    explicit AffichageConseille(DisplayGLScene& scene) : scene_(scene) {}

    void setJoueur(int siege, Joueur* joueur) override
    {
        scene_.setJoueur(siege, joueur);
        if (siege == SIEGE_LOCAL)
            local_ = joueur;
    }
    void setPartie(QSharedPointer<Partie> partie) override
    {
        partie_ = partie;
        scene_.setPartie(partie);
    }
    void setNoJoueurLocal(int siege) override { scene_.setNoJoueurLocal(siege); }
    void nouvelleDonne(int cartes, int objectif, int restantes) override
    {
        scene_.nouvelleDonne(cartes, objectif, restantes);
    }
    void afficheCartesDistribuees(Carte* carte) override { scene_.afficheCartesDistribuees(carte); }
    void afficheCarteJouee(int siege, Carte* carte) override
    {
        if (siege == SIEGE_LOCAL)
            conseiller_.annuleConseilCarte();
        scene_.afficheCarteJouee(siege, carte);
    }
    void afficheCartesAnnonces(int inutilise, int gagnant, const std::array<AnnoncesJoueur, 4>& annonces) override
    {
        scene_.afficheCartesAnnonces(inutilise, gagnant, annonces);
    }
    void finDeDonne(bool) override { scene_.finDeDonne(); }
    void effaceBulles(int inutilise, const AnnoncesJoueur& annonces) override
    {
        scene_.effaceBulles(inutilise, annonces);
    }
    void afficheBulleJoueur(int siege, const AnnoncesJoueur& annonces) override
    {
        scene_.afficheBulleJoueur(siege, annonces);
    }
    void afficheBulleMise(int siege, const ZB_StatusMise& mise, int variante) override
    {
        scene_.afficheBulleMise(siege, mise, variante);
    }
    void afficheBulleAnnonce(int siege) override { scene_.afficheBulleAnnonce(siege); }
    void afficheMessageReseau(const QString& texte) override { scene_.afficheMessageReseau(texte); }
    void afficheArdoise(const ZB_PointsA& points, int t0, int t1, int multiplicateur, const QList<int>& stock,
                        int barree) override
    {
        scene_.afficheArdoise(points, t0, t1, multiplicateur, stock, barree);
    }
    void setTexteAide(const QString& texte) override { scene_.setTexteAide(texte); }
    void afficheEtat(const InfoDemande& etat, Joueur* acteur, Joueur* second, int noJoueur, bool impose) override
    {
        scene_.afficheEtat(etat, acteur, second, noJoueur, impose);
        // The bottom seat is a computer here, so the scene shows the table
        // to an onlooker; the advice a human would get starts as the scene
        // starts it, for the same hand.
        if (!partie_ || !local_ || !EtatDeJeu::estAttenteDeCarte(etat.etat_)
            || partie_->noDuProchainAJouer_ != SIEGE_LOCAL)
            return;
        if (!pret_) {
            conseiller_.initialise(nullptr, ordinateur(SIEGE_LOCAL, -1), &destinataire_, SIEGE_LOCAL,
                                   partie_->typeDePartie_, false);
            pret_ = true;
        }
        conseiller_.main_ = local_->main_;
        if (scene_.demandeConseil(&conseiller_, partie_, partie_->joueurQuiAChoisiAtout_))
            ++conseils;
    }

    int conseils = 0;

private:
    DisplayGLScene& scene_;
    QObject destinataire_;
    AI_Joueur conseiller_;
    bool pret_ = false;
    Joueur* local_ = nullptr;
    QSharedPointer<Partie> partie_;
};

double quantile(std::vector<double> valeurs, double q)
{
    if (valeurs.empty())
        return 0.0;
    std::sort(valeurs.begin(), valeurs.end());
    const size_t rang = static_cast<size_t>(q * static_cast<double>(valeurs.size() - 1) + 0.5);
    return valeurs[std::min(rang, valeurs.size() - 1)];
}

void blocagePendantLeMatch(benchmark::State& state, int genre, int preset)
{
    application();
    double pire = 0.0;
    std::vector<double> blocages;
    int conseils = 0;
    quint32 graine = 20261207u;
    for (auto _ : state) {
        scenetest::Reglages r;
        r.automatique = false;
        r.options.sounds_ = false;
        scenetest::TableDeScene t(r);
        // As the view starts its engine, which builds the table's objects.
        t.holder->paintEngine()->initialize();
        AffichageConseille affichage(*t.scene);
        QElapsedTimer horloge;
        qint64 dernier = -1;
        QTimer sonde;
        sonde.setTimerType(Qt::PreciseTimer);
        QObject::connect(&sonde, &QTimer::timeout, [&] {
            const qint64 maintenant = horloge.nsecsElapsed();
            if (dernier >= 0) {
                const double bloque = double(maintenant - dernier) * 1e-6 - INTERVALLE_SONDE_MS;
                blocages.push_back(std::max(0.0, bloque));
                pire = std::max(pire, bloque);
            }
            dernier = maintenant;
        });
        {
            Banc banc(false, &affichage);
            horloge.start();
            sonde.start(INTERVALLE_SONDE_MS);
            banc.demarre(optionsDuPreset(genre, preset), graine++, -1);
            QString pourquoi;
            const bool fini = banc.attendFin(pourquoi);
            sonde.stop();
            if (!fini) {
                state.SkipWithError(qPrintable(pourquoi));
                break;
            }
        }
        t.scene->attendConseil(-1);
        conseils += affichage.conseils;
    }
    state.counters["block_max_ms"] = pire;
    state.counters["block_p99_ms"] = quantile(blocages, 0.99);
    state.counters["advice_searches"] = benchmark::Counter(double(conseils), benchmark::Counter::kAvgIterations);
}

void BM_AdviceLatencyJass(benchmark::State& state)
{
    blocagePendantLeMatch(state, TypeDePartie::GenreJass, 0);
}
void BM_AdviceLatencyBeloteContree(benchmark::State& state)
{
    blocagePendantLeMatch(state, TypeDePartie::GenreBelote, 8);
}

} // namespace

BENCHMARK(BM_AdviceLatencyJass)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_AdviceLatencyBeloteContree)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
