// The joining machine's intake: a burst of the host's events arrives in one
// read, and each is read, rewritten, checked against the last event sent and
// run on the client room's list. The cost per event must not grow with the
// burst: the benchmark reports its complexity over several sizes.
#include "CoeurDeBanc.h"
#include "ClientSocket.h"
#include "EvenementDeJeu.h"
#include "GM_SocketAbstract.h"
#include "ListeDesEvenements.h"

#include "ExecuteurTemoin.h"

#include <QCoreApplication>
#include <QSharedPointer>

#include <benchmark/benchmark.h>

namespace {

// n chat lines of the table, which run as they come.
QByteArray rafale(int n)
{
    QByteArray octets;
    for (int i = 0; i < n; ++i)
        octets += EvenementDeJeu(EvenementDeJeu::Mes, QStringLiteral("rafale %1").arg(i), 4, EtatDeJeu::HorsDeroulement,
                                 EvenementDeJeu::Local_Table, -1, 0, -1, 0, ZB_ICI)
                      .toString(2)
                      .toUtf8();
    return octets;
}

void BM_RafaleClient(benchmark::State& state)
{
    coeurDeBanc("bench_client_socket");
    const QByteArray octets = rafale(int(state.range(0)));
    ExecuteurTemoin table;
    ListeDesEvenements liste(&table, 0);
    table.liste = &liste;
    liste.version_ = 2;
    auto socket = QSharedPointer<SocketMuet>::create();
    ClientSocket client(nullptr, &liste, nullptr, nullptr, socket, nullptr);
    client.setIdJoueur(55);
    for (auto _ : state) {
        client.receive_(octets);
        state.PauseTiming();
        table.executes.clear();
        table.envoyes.clear();
        table.notes.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RafaleClient)->RangeMultiplier(4)->Range(256, 4096)->Complexity(benchmark::oN);

} // namespace
