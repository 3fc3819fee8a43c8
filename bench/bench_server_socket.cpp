// The hosting room's byte intake: a client's stream arrives in reads of at
// most 10,000 bytes, a burst of events may come in one read. Cutting the
// stream into records must look at each byte once and never copy the
// waiting bytes again, so that the cost is linear in the input whatever the
// chunking: each benchmark reports its complexity over several sizes.
#include "CoeurDeBanc.h"
#include "EvenementDeJeu.h"
#include "GM_SocketAbstract.h"
#include "ListeDesEvenements.h"
#include "OptionsDuJoueur.h"
#include "ZB_EventsGroup.h"
#include "ZB_RecordFramer.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "SalleDeServeur.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Events of player 7 at seat 1 of table 0, at least taille bytes: records
// the server reads and checks whole, then drops without a strike (a table's
// fact that a client may not state). Chat lines would be capped after ten
// per client, and moves need a game in progress.
EvenementDeJeu evenementDuFlux(int i)
{
    return EvenementDeJeu(EvenementDeJeu::InP, QStringLiteral("message numéro %1").arg(i), 1,
                          EtatDeJeu::HorsDeroulement, 1, 7, 0, -1, 0, ZB_ICI);
}

QByteArray flux(qsizetype taille)
{
    QByteArray octets;
    int i = 0;
    while (octets.size() < taille) {
        const EvenementDeJeu ev = evenementDuFlux(i++);
        octets += ev.toString(2).toUtf8();
    }
    return octets;
}

QList<QByteArray> morceaux(const QByteArray& octets, qsizetype taille)
{
    QList<QByteArray> liste;
    for (qsizetype i = 0; i < octets.size(); i += taille)
        liste << octets.mid(i, taille);
    return liste;
}

// A server with one identified client seated at table 0.
struct Serveur {
    SalleDeServeur salle;
    ZB_ServerSocket serveur{nullptr, &salle, {}, &salle.groupe, QString()};
    ZB_ServerSocketConnection* connection = nullptr;

    Serveur()
    {
        // Events are counted, not kept, and run without pauses.
        salle.garde = false;
        salle.sansPause = true;
        salle.groupe.initialise(1);
        serveur.attendJoueurs(OptionsDePartie(), 0, 0, 0, false, 30);
        serveur.acceptConnection(new SocketMuet);
        connection = serveur.getConnections().first();
        OptionsDuJoueur joueur;
        joueur.id_ = 7;
        const EvenementDeJeu nouveau(EvenementDeJeu::NeW, joueur.sauveValeursDansString(), 4,
                                     EtatDeJeu::Identification, 2, 7, 0, -1, -2,
                                     ZB_ICI);
        serveur.dataReceived_(nouveau.toString(2).toUtf8(), connection);
        serveur.connexionPlacee(connection, 0);
    }
};

// Only the cutting: a stream of n bytes in reads of 10,000 bytes.
void BM_Decoupage10000(benchmark::State& state)
{
    const QList<QByteArray> lectures = morceaux(flux(state.range(0)), 10000);
    qsizetype total = 0;
    for (const QByteArray& l : lectures)
        total += l.size();
    for (auto _ : state) {
        ZB_RecordFramer tampon(1 << 20);
        QByteArray record;
        bool precede = false;
        int records = 0;
        for (const QByteArray& lecture : lectures) {
            tampon.ajoute(lecture);
            while (tampon.prochain(record, precede) == ZB_RecordFramer::Record)
                ++records;
        }
        benchmark::DoNotOptimize(records);
    }
    state.SetBytesProcessed(state.iterations() * total);
    state.SetComplexityN(total);
}
BENCHMARK(BM_Decoupage10000)->RangeMultiplier(2)->Range(1 << 18, 1 << 22)->Complexity(benchmark::oN);

// One record split over many reads: the bytes waiting are never copied
// again, so a record of n bytes costs n however it is cut.
void BM_GrandRecordEnMorceaux(benchmark::State& state)
{
    QByteArray grand(state.range(0), 'x');
    grand.prepend("{Mes!");
    grand.append("!1!140!1!7!0!-1!0!}");
    const QList<QByteArray> lectures = morceaux(grand, 100);
    for (auto _ : state) {
        ZB_RecordFramer tampon(1 << 24);
        QByteArray record;
        bool precede = false;
        for (const QByteArray& lecture : lectures) {
            tampon.ajoute(lecture);
            tampon.prochain(record, precede);
        }
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(state.iterations() * grand.size());
    state.SetComplexityN(grand.size());
}
BENCHMARK(BM_GrandRecordEnMorceaux)->RangeMultiplier(4)->Range(1 << 14, 1 << 20)->Complexity(benchmark::oN);

// The whole intake up to the table, records read and checked: about 1 MB
// (the middle size) in reads of 10,000 bytes.
void BM_Reception10000(benchmark::State& state)
{
    coeurDeBanc("bench_server_socket");
    const QList<QByteArray> lectures = morceaux(flux(state.range(0)), 10000);
    qsizetype total = 0;
    for (const QByteArray& l : lectures)
        total += l.size();
    for (auto _ : state) {
        state.PauseTiming();
        auto serveur = std::make_unique<Serveur>();
        state.ResumeTiming();
        for (const QByteArray& lecture : lectures)
            serveur->serveur.dataReceived_(lecture, serveur->connection);
        const bool refuse = serveur->connection->getStrikes() != 0;
        state.PauseTiming();
        serveur.reset();
        state.ResumeTiming();
        if (refuse) {
            state.SkipWithError("the stream was refused");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * total);
    state.SetComplexityN(total);
}
BENCHMARK(BM_Reception10000)->RangeMultiplier(2)->Range(1 << 18, 1 << 22)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// A burst of n events in one read.
void BM_RafaleUneLecture(benchmark::State& state)
{
    coeurDeBanc("bench_server_socket");
    QByteArray octets;
    for (int i = 0; i < state.range(0); ++i)
        octets += evenementDuFlux(i).toString(2).toUtf8();
    for (auto _ : state) {
        state.PauseTiming();
        auto serveur = std::make_unique<Serveur>();
        state.ResumeTiming();
        serveur->serveur.dataReceived_(octets, serveur->connection);
        benchmark::DoNotOptimize(serveur->salle.nombreAppliques);
        // A connection closed half-way would have read only the start.
        const bool entier = serveur->connection != nullptr && serveur->connection->getStrikes() == 0
            && serveur->serveur.getConnections().contains(serveur->connection);
        state.PauseTiming();
        serveur.reset();
        state.ResumeTiming();
        if (!entier) {
            state.SkipWithError("the burst was refused");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RafaleUneLecture)->RangeMultiplier(2)->Range(200, 3200)->Complexity(benchmark::oN);

} // namespace
