// The lobby tabs' fills at the sizes a busy lobby could send: a server list
// filled and filtered, a friend list merged into both trees (as every 5 s),
// a tournament list split into its two tables, a long ranking, the titles
// table built and looked up, the titles tab filled. Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_lobby_tabs
#include "ApplicationDeBanc.h"
#include "GM_AchievementTitle.h"
#include "GM_Achievements.h"
#include "GM_FriendsList.h"
#include "GM_Scores.h"
#include "GM_TablesList.h"
#include "GM_TournamentClient.h"

#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

namespace {

QApplication& application()
{
    return applicationDeBanc("bench_lobby_tabs", PlateformeBanc::Telle, false);
}

void BM_ServersFillAndFilter(benchmark::State& state)
{
    application();
    GM_TablesList onglet;
    onglet.init(nullptr, nullptr, QStringLiteral("Jass Public"));
    QStringList liste;
    for (int i = 0; i < state.range(0); ++i)
        liste << QStringLiteral("%1 %2,%3,10.0.%4.%5,%2")
                     .arg(i % 2 ? "Jass" : "Belote")
                     .arg(i)
                     .arg(i % 7 ? "Yes" : "No")
                     .arg(i / 256)
                     .arg(i % 256);
    for (auto _ : state) {
        onglet.OnServerListReceived(0, &liste);
        // A long list fills from the event loop.
        while (onglet.isFilling())
            QCoreApplication::processEvents();
        onglet.showOtherServersBox()->toggle();
    }
}
BENCHMARK(BM_ServersFillAndFilter)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FriendsMerge(benchmark::State& state)
{
    application();
    GM_FriendsList onglet;
    const int statuts[] = {1, 2, 3, 4, 10, 15, 16};
    QStringList a;
    QStringList b;
    for (int i = 0; i < state.range(0); ++i) {
        a << QStringLiteral("%1,%2,Ami%2").arg(statuts[i % 7]).arg(10000 + i);
        // Every third friend changes status between two answers.
        b << QStringLiteral("%1,%2,Ami%2").arg(statuts[(i + (i % 3 == 0)) % 7]).arg(10000 + i);
    }
    onglet.OnFriendListReceived(&a);
    bool pair = false;
    for (auto _ : state) {
        onglet.OnFriendListReceived(pair ? &a : &b);
        pair = !pair;
    }
}
BENCHMARK(BM_FriendsMerge)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_TournamentsFill(benchmark::State& state)
{
    application();
    GM_TournamentClient onglet;
    QStringList liste;
    for (int i = 0; i < state.range(0); ++i)
        liste << QStringLiteral("T%1,TeamsRandom,2026-12-%2 18:30:00,-1,0,%3,,0,Jass Schieber")
                     .arg(i)
                     .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                     .arg(i % 3 - 1);
    for (auto _ : state)
        onglet.OnTournamentListReceived(&liste);
}
BENCHMARK(BM_TournamentsFill)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_RankingFill(benchmark::State& state)
{
    application();
    GM_Scores onglet;
    QStringList liste;
    for (int i = 0; i < state.range(0); ++i)
        liste << QStringLiteral("%1,Joueur%1,%2,%3,%4").arg(i + 1).arg(400 - i % 400).arg(200 - i % 200).arg(90000 - i);
    for (auto _ : state)
        onglet.OnScoresReceived(&liste);
}
BENCHMARK(BM_RankingFill)->Arg(10000)->Unit(benchmark::kMillisecond);

// The first lookup after a start or a language change builds the table
// (target: 100 ms).
void BM_TitleTableBuild(benchmark::State& state)
{
    for (auto _ : state) {
        clearAchievementTitles();
        benchmark::DoNotOptimize(achievementTitle(0).reached);
    }
    state.counters["records"] = achievementTitleCount();
}
BENCHMARK(BM_TitleTableBuild)->Unit(benchmark::kMillisecond);

void BM_TitleLookups(benchmark::State& state)
{
    achievementTitle(0);
    for (auto _ : state) {
        int somme = 0;
        for (int i = 0; i < state.range(0); ++i)
            somme += achievementTitle((i * 7919) % 35000000).reached;
        benchmark::DoNotOptimize(somme);
    }
}
BENCHMARK(BM_TitleLookups)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_TitlesFill(benchmark::State& state)
{
    application();
    GM_Achievements onglet;
    onglet.init(nullptr);
    QStringList liste;
    for (int i = 0; i < state.range(0); ++i)
        liste << QStringLiteral("%1,2026-%2-%3 12:00:00")
                     .arg((i * 7919) % 35000000)
                     .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                     .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
    for (auto _ : state)
        onglet.OnAchievementsReceived(&liste);
}
BENCHMARK(BM_TitlesFill)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
