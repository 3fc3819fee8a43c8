// How long a player's secure WebSocket connection (TLS and WebSocket
// handshakes) takes to open at a host whose secure port is held by silent
// sockets: none, 200 from one address, 200 from forty addresses (silent
// from the start, or after their TLS handshake), each one the host drops
// opened again at once, as a flood would. The port must
// keep serving a player from an address of its own within 2 s.
#include "CoeurDeBanc.h"
#include "CopiesQuiRejoignent.h"
#include "OptionsDePartie.h"
#include "SalleSansInterface.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_MultiServer.h"
#include "ZB_ServerSocket.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct Hote {
    ZB_DisplayEmpty affichage;
    std::unique_ptr<SalleSansInterface> salle;
    std::unique_ptr<ZB_MultiServer> serveur;

    Hote()
    {
        ZB_Room::Parametres p;
        p.sansSauvegarde = true;
        p.modeSimple = true;
        p.sansDelai = true;
        salle = std::make_unique<SalleSansInterface>(nullptr, &affichage, nullptr,
                                                     OptionsDePartie(TypeDePartie::GenreJass), p);
        serveur = std::make_unique<ZB_MultiServer>(nullptr, 0, QList<ZB_Room*>{salle.get()}, nullptr);
        serveur->ecoute(QHostAddress::LocalHost, 0, 0, 0);
        salle->getServer()->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 0, 0, 0, false, 30);
    }
};

// Silent sockets kept open against the port from adresses addresses; with
// apresTls, each goes through TLS first and is silent after it.
class Muettes : public QObject
{
public:
    Muettes(quint16 port, int nombre, int adresses, bool apresTls)
        : port_(port)
        , adresses_(adresses)
        , apresTls_(apresTls)
    {
        sockets_.resize(size_t(nombre));
        connect(&entretien_, &QTimer::timeout, this, [this] { renouvelle_(); });
        renouvelle_();
        entretien_.start(20);
    }

private:
    void renouvelle_()
    {
        for (size_t i = 0; i < sockets_.size(); ++i) {
            std::unique_ptr<QTcpSocket>& s = sockets_[i];
            if (s && s->state() != QAbstractSocket::UnconnectedState)
                continue;
            const QHostAddress depuis(QStringLiteral("127.0.0.%1").arg(10 + int(i) % adresses_));
            if (apresTls_) {
                auto ssl = std::make_unique<QSslSocket>();
                ssl->bind(depuis);
                ssl->setPeerVerifyMode(QSslSocket::VerifyNone);
                ssl->connectToHostEncrypted(QStringLiteral("127.0.0.1"), port_);
                s = std::move(ssl);
                continue;
            }
            s = std::make_unique<QTcpSocket>();
            s->bind(depuis);
            s->connectToHost(QHostAddress::LocalHost, port_);
        }
    }

    quint16 port_;
    int adresses_;
    bool apresTls_;
    std::vector<std::unique_ptr<QTcpSocket>> sockets_;
    QTimer entretien_;
};

QSslConfiguration tlsDuProgramme()
{
    QSslConfiguration c = QSslConfiguration::defaultConfiguration();
    QFile fichier(QString::fromLatin1(ZB_MultiServer::RessourceCertificat));
    if (fichier.open(QIODevice::ReadOnly))
        c.setCaCertificates(c.caCertificates() + QSslCertificate::fromData(fichier.readAll(), QSsl::Pem));
    return c;
}

void attend(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void BM_ConnexionSecureSousMuettes(benchmark::State& state)
{
    coeurDeBanc("bench_tls_gate");
    if (!QSslSocket::supportsSsl()) {
        state.SkipWithError("no TLS backend");
        return;
    }
    const int nombre = int(state.range(0));
    const int adresses = int(state.range(1));
    Hote hote;
    if (!hote.serveur->estTlsConfigure()) {
        state.SkipWithError("the secure transport is off");
        return;
    }
    const quint16 port = hote.serveur->getPortWebSecure();
    std::unique_ptr<Muettes> muettes;
    if (nombre > 0) {
        muettes = std::make_unique<Muettes>(port, nombre, adresses, state.range(2) != 0);
        // The flood settles: the port's places are held.
        attend(1000);
    }
    const QSslConfiguration tls = tlsDuProgramme();
    double pire = 0;
    for (auto _ : state) {
        QWebSocket joueur;
        joueur.setSslConfiguration(tls);
        QElapsedTimer t;
        t.start();
        joueur.open(QUrl(QStringLiteral("wss://127.0.0.1:%1").arg(port)));
        while (joueur.state() != QAbstractSocket::ConnectedState && t.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double secondes = double(t.nsecsElapsed()) / 1e9;
        if (joueur.state() != QAbstractSocket::ConnectedState) {
            state.SkipWithError("the player never connected");
            return;
        }
        state.SetIterationTime(secondes);
        pire = std::max(pire, secondes);
        joueur.abort();
        // The room lets the socket go before the next one.
        QCoreApplication::processEvents();
    }
    state.counters["worst_s"] = pire;
}

// Copies of the program joining over the secure port from one address, one
// every pace ms, as players behind one address (a club) would: how many of
// them are seated, and the longest join. Every one must be.
void BM_CopiesDUneAdresse(benchmark::State& state)
{
    coeurDeBanc("bench_tls_gate");
    if (!QSslSocket::supportsSsl()) {
        state.SkipWithError("no TLS backend");
        return;
    }
    const int nombre = int(state.range(0));
    const int cadenceMs = int(state.range(1));
    int assises = 0;
    qint64 plusLongue = 0;
    for (auto _ : state) {
        CopiesQuiRejoignent copies((nombre + CopiesQuiRejoignent::SiegesParSalle - 1)
                                   / CopiesQuiRejoignent::SiegesParSalle);
        if (!copies.ouvre()) {
            state.SkipWithError("the secure transport is off");
            return;
        }
        QElapsedTimer t;
        t.start();
        copies.rejoignent(nombre, cadenceMs, nombre * cadenceMs + 60000);
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        assises = copies.assises();
        plusLongue = copies.plusLongueJointureMs();
        for (const QString& r : copies.raisons().mid(0, 5))
            state.SetLabel(r.toStdString());
    }
    state.counters["seated"] = assises;
    state.counters["of"] = nombre;
    state.counters["longest_join_ms"] = double(plusLongue);
}

} // namespace

BENCHMARK(BM_CopiesDUneAdresse)
    ->ArgNames({"copies", "pace_ms"})
    ->Args({200, 250})
    ->Args({24, 0})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_ConnexionSecureSousMuettes)
    ->ArgNames({"silent", "addresses", "after_tls"})
    ->Args({0, 1, 0})
    ->Args({200, 1, 0})
    ->Args({200, 40, 0})
    ->Args({200, 40, 1})
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
