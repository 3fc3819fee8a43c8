// Fan-out of a hosting room's events to three clients over plain WebSocket
// on the loopback: the time from the server's send to the arrival at each
// client (median and 95th percentile), and the events a second the host
// gets through to all three when it sends in bursts.
#include "CoeurDeBanc.h"
#include "EvenementDeJeu.h"
#include "GM_SocketWeb.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "TypeDePartie.h"
#include "ZB_EventsGroup.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "SalleDeServeur.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QWebSocket>
#include <QWebSocketServer>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Clients = 3;

// A host with three identified clients seated at table 0.
struct Banc {
    SalleDeServeur salle;
    ZB_EventsGroup groupe{&salle};
    std::unique_ptr<ZB_ServerSocket> serveur;
    QWebSocketServer ecoute{QStringLiteral("bench"), QWebSocketServer::NonSecureMode};
    std::array<std::unique_ptr<QWebSocket>, Clients> clients;
    std::array<int, Clients> recus{};
    QElapsedTimer horloge;
    std::array<qint64, Clients> arrivees{};

    bool ouvre()
    {
        // The room behind the server: nothing comes back from the clients.
        salle.accepte = false;
        groupe.initialise(1);
        serveur = std::make_unique<ZB_ServerSocket>(nullptr, &salle, QSharedPointer<ZB_ServerSocket::ListeDeTables>(),
                                                    &groupe, QString());
        serveur->setNombreJoueursRequis(Clients);
        serveur->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 4001, 4002, 4000, false, 30);
        if (!ecoute.listen(QHostAddress::LocalHost, 0))
            return false;
        QObject::connect(&ecoute, &QWebSocketServer::newConnection, [this] {
            while (QWebSocket* s = ecoute.nextPendingConnection())
                serveur->acceptConnection(new GM_SocketWeb(s, true));
        });
        horloge.start();
        for (int i = 0; i < Clients; ++i) {
            clients[size_t(i)] = std::make_unique<QWebSocket>();
            QWebSocket* client = clients[size_t(i)].get();
            QObject::connect(client, &QWebSocket::binaryMessageReceived, [this, i](const QByteArray&) {
                ++recus[size_t(i)];
                arrivees[size_t(i)] = horloge.nsecsElapsed();
            });
            QObject::connect(client, &QWebSocket::connected, [client, i] {
                OptionsDuJoueur j;
                j.nom_ = QStringLiteral("C%1").arg(i);
                j.id_ = 500 + i;
                j.distant_ = 1;
                const EvenementDeJeu ev(EvenementDeJeu::NeW, j.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                                        EvenementDeJeu::Local_Table, j.id_, 0, -1, -2, ZB_ICI);
                client->sendBinaryMessage(ev.toString(2).toUtf8());
            });
            client->open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(ecoute.serverPort())));
        }
        if (!attend([this] { return serveur->getJoueurs().size() == Clients; }))
            return false;
        for (ZB_ServerSocketConnection* c : serveur->getJoueurs())
            serveur->connexionPlacee(c, 0);
        return true;
    }

    template <typename Condition>
    bool attend(Condition condition)
    {
        QElapsedTimer limite;
        limite.start();
        while (!condition()) {
            if (limite.elapsed() > 10000)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }

    int minimumRecu() const { return *std::min_element(recus.begin(), recus.end()); }

    static EvenementDeJeu evenement(int no)
    {
        return EvenementDeJeu(EvenementDeJeu::Ajo, QStringLiteral("%1_%2").arg(1 + no % 4).arg(6 + no % 9), no % 4,
                              37 + no % 4, EvenementDeJeu::Local_AI, 700 + no % 4, 0, 12345, 0, ZB_ICI);
    }
};

void BM_FanOutLatency(benchmark::State& state)
{
    coeurDeBanc("bench_fanout");
    Banc banc;
    if (!banc.ouvre()) {
        state.SkipWithError("the clients could not connect");
        return;
    }
    std::vector<double> latences;
    int no = 0;
    for (auto _ : state) {
        const int attendu = banc.minimumRecu() + 1;
        const qint64 depart = banc.horloge.nsecsElapsed();
        banc.serveur->envoieEvenement(Banc::evenement(no++));
        if (!banc.attend([&] { return banc.minimumRecu() >= attendu; })) {
            state.SkipWithError("an event did not arrive");
            return;
        }
        for (qint64 arrivee : banc.arrivees)
            latences.push_back(double(arrivee - depart) / 1000.0);
        state.SetIterationTime(double(*std::max_element(banc.arrivees.begin(), banc.arrivees.end()) - depart) * 1e-9);
    }
    std::sort(latences.begin(), latences.end());
    if (!latences.empty()) {
        state.counters["median_us"] = latences[latences.size() / 2];
        state.counters["p95_us"] = latences[std::min(latences.size() - 1, latences.size() * 95 / 100)];
    }
}

void BM_FanOutThroughput(benchmark::State& state)
{
    coeurDeBanc("bench_fanout");
    Banc banc;
    if (!banc.ouvre()) {
        state.SkipWithError("the clients could not connect");
        return;
    }
    const int rafale = int(state.range(0));
    int no = 0;
    for (auto _ : state) {
        const int attendu = banc.minimumRecu() + rafale;
        for (int i = 0; i < rafale; ++i)
            banc.serveur->envoieEvenement(Banc::evenement(no++));
        if (!banc.attend([&] { return banc.minimumRecu() >= attendu; })) {
            state.SkipWithError("a burst did not arrive");
            return;
        }
    }
    state.counters["events_per_s"] =
        benchmark::Counter(double(state.iterations()) * rafale, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_FanOutLatency)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_FanOutThroughput)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
