// A lobby list on its whole road: the test lobby answers the server list
// request on loopback, the client reads the answer, the servers tab, shown
// in a window, fills its tree and shows the status of the server made
// current (a status answer names every server). One iteration runs from
// the refresh to that status; "longest_block_ms" is the longest time the
// event loop went without control meanwhile (what the user feels as a
// freeze). 31,885 servers is about the most one record holds; the tab
// keeps the first GM_RemplissageParTranches::LignesMax of them, so the
// larger cases measure the refresh of that bounded list out of a longer
// answer ("rows" is what the tab holds, "offered" what the lobby sent).
// BM_LobbyAnswerStall sends the other answers a hostile lobby may send, each
// as large as a record allows, to the windows that read them, shown: a
// friend list of 25,000 (the friends tab and the server password dialog
// both merge it), a friend search of 25,000, and chat answers of one line
// of 976,000 characters, sent 19 times. Measured on the development
// machine: 44 ms, 7 ms and 32 ms (the dialog's merge of a whole answer at
// once, searching its tree per friend, held the window 26 s; the chat kept
// every line whole until it no longer answered).
// Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_lobby_lists
#include "ApplicationDeBanc.h"
#include "GM_ClientSocket.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_Chat.h"
#include "GM_FriendsList.h"
#include "GM_SearchFriends.h"
#include "GM_ServerPass.h"
#include "GM_TablesList.h"
#include "LobbyDeTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>

#include <functional>

#include <benchmark/benchmark.h>

namespace {

QApplication& application()
{
    return applicationDeBanc("bench_lobby_lists", PlateformeBanc::HorsEcran, false);
}

// Turns of the event loop, and the longest wait between two.
struct Battement {
    QTimer timer;
    QElapsedTimer depuis;
    qint64 plusLongMs = 0;
    Battement()
    {
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            plusLongMs = qMax(plusLongMs, depuis.restart());
        });
    }
    void demarre()
    {
        plusLongMs = 0;
        depuis.start();
        timer.start();
    }
};

// Alice's session on the test lobby.
bool ouvreSession(GM_ClientSocket& client)
{
    bool pret = false;
    QObject::connect(&client, &GM_ClientSocket::signalReady, [&pret] { pret = true; });
    client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice), QString::fromLatin1(LobbyDeTest::PasseAlice),
                           true, true);
    QElapsedTimer attente;
    attente.start();
    while (!pret && attente.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return pret;
}

void BM_ServerListRoad(benchmark::State& state)
{
    application();
    const int n = int(state.range(0));
    LobbyDeTest lobby;
    lobby.demarre(true);
    // Short enough for 31,885 servers to fit in one record, as a legal
    // list does; the status answer names every server.
    // The public server comes first, among the rows the tab keeps: it
    // becomes current, and its status is asked.
    QStringList liste{QStringLiteral("Jass Public,Yes,h,1")};
    QStringList statuts{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("40")};
    for (int i = 0; i + 1 < n; ++i) {
        const QString id = QString::number(10000 + i);
        liste << QStringLiteral("%1 %2,%3,h%2,%2").arg(i % 2 ? "Jass" : "Schi", id, i % 7 ? "Yes" : "No");
        statuts << id << QString::number(i % 9) << QString::number(i % 5) << QStringLiteral("40");
    }
    const int gardees = qMin(n, int(GM_RemplissageParTranches::LignesMax));
    lobby.serveur.setReponse("R7k", liste);
    lobby.serveur.setReponse("SrS", statuts);
    lobby.serveur.setReponse("SrI", {QStringLiteral("123")});
    GM_MessageBoxDisplayerHeadless afficheur;
    afficheur.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
    ProgressionDeTest progression;
    GM_ClientSocket client(QString(), nullptr, &progression, &afficheur);
    GM_TablesList onglet;
    onglet.init(&client, nullptr, QStringLiteral("Jass Public"));
    onglet.resize(400, 600);
    onglet.show();
    if (!ouvreSession(client)) {
        state.SkipWithError("no lobby session");
        return;
    }
    QElapsedTimer attente;
    int choix = 0;
    QObject::connect(&onglet, &GM_TablesList::signalSelectedServerChanged, [&choix] { ++choix; });
    Battement battement;
    qint64 pire = 0;
    for (auto _ : state) {
        onglet.disconnect();
        choix = 0;
        battement.demarre();
        onglet.OnRefresh();
        attente.start();
        // Filled when the status of the server made current is shown.
        while ((onglet.serversTree()->topLevelItemCount() < gardees || choix == 0) && attente.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (onglet.serversTree()->topLevelItemCount() < gardees || choix == 0) {
            state.SkipWithError("the servers tab was not filled within 120 s");
            break;
        }
        // The last block ends at the next turn of the loop.
        QElapsedTimer fin;
        fin.start();
        while (fin.elapsed() < 20)
            QCoreApplication::processEvents();
        battement.timer.stop();
        pire = qMax(pire, battement.plusLongMs);
        // The refresh button's pause is not what is measured.
        onglet.OnEnableRefresh();
    }
    state.counters["longest_block_ms"] = double(pire);
    state.counters["rows"] = onglet.serversTree()->topLevelItemCount();
    state.counters["offered"] = n;
    client.disconnectFromServer();
}
BENCHMARK(BM_ServerListRoad)
    ->Arg(5000)
    ->Arg(20000)
    ->Arg(31885)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// Lets the loop run until nothing is being filled, then a little more.
void laisseTourner(const std::function<bool()>& enCours)
{
    QElapsedTimer attente;
    attente.start();
    while (enCours() && attente.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QElapsedTimer fin;
    fin.start();
    while (fin.elapsed() < 50)
        QCoreApplication::processEvents();
}

enum Reponse { Amis, Recherche, Chat };

void BM_LobbyAnswerStall(benchmark::State& state)
{
    application();
    const auto reponse = Reponse(state.range(0));
    LobbyDeTest lobby;
    lobby.demarre(true);
    QStringList liste;
    for (int i = 0; i < 25000; ++i)
        liste << (reponse == Amis ? QStringLiteral("%1,%2,Ami%2").arg(i % 3 ? 10 : 15).arg(100000 + i)
                                  : QStringLiteral("Joueur%1,%1").arg(100000 + i));
    lobby.serveur.setReponse(reponse == Amis ? "Fhr" : "Fr1", liste);
    GM_MessageBoxDisplayerHeadless afficheur;
    afficheur.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
    ProgressionDeTest progression;
    GM_ClientSocket client(QString(), nullptr, &progression, &afficheur);
    GM_FriendsList amis;
    GM_ServerPass equipiers;
    GM_Chat chat;
    int langue = 1;
    amis.init(&client, &afficheur, nullptr, nullptr);
    equipiers.init(&client);
    equipiers.configure(true, GM_ServerPass::TeammateOptional);
    chat.init(&client, &afficheur, false, &langue);
    for (QWidget* w : std::initializer_list<QWidget*>{&amis, &equipiers, &chat}) {
        w->resize(400, 600);
        w->show();
    }
    if (!ouvreSession(client)) {
        state.SkipWithError("no lobby session");
        return;
    }
    // The friends tab's timer asks again every 5 s: only the answers asked
    // here count.
    amis.OnSocketDisconnected();
    const QStringList ligneGeante{QStringLiteral("0"), QString(976000, QLatin1Char('x')) + QStringLiteral("\r\n")};
    Battement battement;
    qint64 pire = 0;
    for (auto _ : state) {
        battement.demarre();
        if (reponse == Amis) {
            QTimer::singleShot(0, &client, &GM_ClientSocket::OnRefreshFriendList);
            QElapsedTimer attente;
            attente.start();
            while (equipiers.teammateTree()->topLevelItemCount() < 1000 && attente.elapsed() < 60000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            laisseTourner([&] { return amis.filler().enCours() || equipiers.filler().enCours(); });
        } else if (reponse == Recherche) {
            amis.searchWidget()->searchEdit()->setText(QStringLiteral("Joueur"));
            amis.searchWidget()->OnSearchClicked();
            QElapsedTimer attente;
            attente.start();
            while (amis.searchWidget()->resultTree()->topLevelItemCount() < 1000 && attente.elapsed() < 60000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            laisseTourner([&] { return amis.searchWidget()->filler().enCours(); });
        } else {
            for (int i = 0; i < 19; ++i) {
                // As the client delivers it: from the event loop.
                QTimer::singleShot(0, &chat, [&chat, &ligneGeante] { chat.OnDiscordChat(&ligneGeante); });
                laisseTourner([] { return false; });
            }
        }
        battement.timer.stop();
        pire = qMax(pire, battement.plusLongMs);
    }
    state.counters["longest_block_ms"] = double(pire);
    state.counters["teammate_rows"] = equipiers.teammateTree()->topLevelItemCount();
    state.counters["chat_chars"] = chat.textEdit()->document()->characterCount();
    client.disconnectFromServer();
}
BENCHMARK(BM_LobbyAnswerStall)
    ->ArgName("answer")
    ->Arg(Amis)
    ->Arg(Recherche)
    ->Arg(Chat)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

} // namespace
