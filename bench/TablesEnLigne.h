#pragma once

#include "EvenementDeJeu.h"
#include "GM_SocketAbstract.h"
#include "GM_SocketTCP.h"
#include "GM_SocketWeb.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_MultiServer.h"
#include "ZB_RecordFramer.h"
#include "SalleSansInterface.h"
#include "ZB_Room.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <memory>
#include <vector>

// Hosting rooms behind one game server on the loopback, four clients of the
// program's own transports at each, all in this process, as a machine that
// hosts many tables would carry them.
//
// Rules:
// - A chat record stands for a card: the table takes it from its sender and
//   sends it to the table's four clients, the way a card goes. It carries
//   the time it was sent, so that each receiver knows its delay; the
//   sender's own copy (the echo) is counted apart from the three others'.
//   The table takes a line only at its sender's own seat, and at most
//   ZB_ServerSocketConnection::MessagesParFenetre of them from one client
//   in a window: a run sends no more (cartesParClientMax).
// - A client joins as the program's client does: it connects, then sends
//   its user; a room is started (seated) once the joins are over, and a
//   client is seated when its own inscription reaches it.
// - At full speed a table's next card leaves as soon as the three others
//   have the last one; at a human pace each table plays one card per
//   cadence, the tables spread over the cadence.
class TablesEnLigne
{
public:
    enum Transport { Tcp, Web, WebSecure };
    enum Arrivee {
        UnParUn,     // each client identifies before the next connects
        TousEnsemble // every client connects at once
    };

    static constexpr int Sieges = 4;
    static constexpr int DelaiMaxMs = 60000;

    TablesEnLigne(int salles, Transport transport)
        : transport_(transport)
    {
        ZB_Room::Parametres p;
        p.sansSauvegarde = true;
        p.modeSimple = true;
        p.sansDelai = true;
        for (int i = 0; i < salles; ++i)
            salles_.push_back(
                std::make_unique<Salle>(nullptr, &display_, nullptr, OptionsDePartie(TypeDePartie::GenreJass), p));
        QList<ZB_Room*> rooms;
        for (const auto& salle : salles_)
            rooms << salle.get();
        serveur_ = std::make_unique<ZB_MultiServer>(nullptr, 0, rooms, nullptr);
        horloge_.start();
    }

    ~TablesEnLigne()
    {
        clients_.clear();
        serveur_.reset();
        salles_.clear();
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    TablesEnLigne(const TablesEnLigne&) = delete;
    TablesEnLigne& operator=(const TablesEnLigne&) = delete;

    // Listens, lets Sieges clients per room join and starts every room that
    // has a player; false when that failed. The seated clients are counted.
    bool ouvre(Arrivee arrivee)
    {
        if (!serveur_->ecoute(QHostAddress::LocalHost, 0, 0, 0))
            return false;
        for (const auto& salle : salles_)
            salle->getServer()->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), serveur_->getPortWebSecure(),
                                              serveur_->getPortWebUnsecure(), serveur_->getPortTcp(), false, 30);
        const int nombre = int(salles_.size()) * Sieges;
        for (int i = 0; i < nombre; ++i) {
            connecte_(i);
            if (arrivee == UnParUn && !attend([&] { return identifies_() + refuses_ >= i + 1; }))
                return false;
        }
        if (!attend([&] { return identifies_() + refuses_ >= nombre; }))
            return false;
        for (const auto& salle : salles_) {
            ZB_ServerSocket* s = salle->getServer();
            if (!s->getJoueurs().isEmpty())
                s->start(s->getOptions(), s->getPortSecure(), s->getPortUnsecure(), s->getPortTcp());
        }
        // The seats come with the inscriptions; a refused client never gets one.
        attend([&] { return assis() >= identifies_(); }, 10000);
        for (size_t i = 0; i < salles_.size(); ++i)
            for (ZB_ServerSocketConnection* c : salles_[i]->getServer()->getJoueurs())
                for (const auto& client : clients_)
                    if (client->id == c->getPlayerId() && client->assis)
                        tables_[int(i)].append(client.get());
        return true;
    }

    int assis() const
    {
        int n = 0;
        for (const auto& client : clients_)
            n += client->assis ? 1 : 0;
        return n;
    }
    int refuses() const { return refuses_; }
    // Tables with all their seats taken by clients.
    int tablesCompletes() const
    {
        int n = 0;
        for (const auto& table : tables_)
            n += table.size() == Sieges ? 1 : 0;
        return n;
    }

    // What one client may send within the server's chat window.
    static constexpr int cartesParClientMax = ZB_ServerSocketConnection::MessagesParFenetre;

    // Full speed: every complete table plays cartes cards, one after the
    // other; false when a card went missing.
    bool joueAPleineVitesse(int cartes)
    {
        int restantes = 0;
        for (auto it = tables_.begin(); it != tables_.end(); ++it) {
            if (it->size() != Sieges)
                continue;
            restantes += cartes;
            enchaine_[it.key()] = cartes;
            joue_(it.key());
        }
        const bool ok = attend([&] {
            int n = 0;
            for (int reste : std::as_const(enchaine_))
                n += reste;
            return n == 0;
        });
        enchaine_.clear();
        return ok;
    }

    // A human pace: each complete table plays one card every cadenceMs for
    // dureeMs.
    void joueAuRythme(int cadenceMs, int dureeMs)
    {
        std::vector<std::unique_ptr<QTimer>> minuteries;
        QRandomGenerator hasard(7);
        for (auto it = tables_.begin(); it != tables_.end(); ++it) {
            if (it->size() != Sieges)
                continue;
            const int table = it.key();
            auto minuterie = std::make_unique<QTimer>();
            minuterie->setInterval(cadenceMs);
            QTimer* m = minuterie.get();
            QObject::connect(m, &QTimer::timeout, [this, table] { joue_(table); });
            QTimer::singleShot(int(hasard.bounded(cadenceMs)), m, [m] { m->start(); });
            minuteries.push_back(std::move(minuterie));
        }
        QEventLoop boucle;
        QTimer::singleShot(dureeMs, &boucle, &QEventLoop::quit);
        boucle.exec();
    }

    // Delays in ms, sorted: the three others', and the sender's echo.
    std::vector<double> delaisAutres() { return trie_(autres_); }
    std::vector<double> delaisEcho() { return trie_(echos_); }
    void oublieDelais()
    {
        autres_.clear();
        echos_.clear();
    }
    static double centile(const std::vector<double>& tries, int pourcent)
    {
        if (tries.empty())
            return 0.0;
        return tries[std::min(tries.size() - 1, tries.size() * size_t(pourcent) / 100)];
    }

    // The process's CPU time (user and system), in seconds.
    static double tempsCpu()
    {
        rusage r{};
        getrusage(RUSAGE_SELF, &r);
        return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) * 1e-6;
    }
    // The process's resident memory now, in MB.
    static double memoireResidenteMo()
    {
        QFile statut(QStringLiteral("/proc/self/status"));
        if (!statut.open(QIODevice::ReadOnly))
            return 0.0;
        for (const QByteArray& ligne : statut.readAll().split('\n'))
            if (ligne.startsWith("VmRSS:"))
                return ligne.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        return 0.0;
    }

    template <typename Condition>
    static bool attend(Condition condition, int delaiMs = DelaiMaxMs)
    {
        QElapsedTimer limite;
        limite.start();
        // Sleeps between the events, as the program does: the process's
        // CPU time is part of the figures.
        QTimer reveil;
        reveil.start(2);
        while (!condition()) {
            if (limite.elapsed() > delaiMs)
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }

private:
    using Salle = SalleSansInterface;

    struct Client {
        std::unique_ptr<GM_SocketAbstract> socket;
        qint64 id = -1;
        int table = -1;
        // The seat the table gave it: a line is its own seat's, never the
        // server's.
        int siege = -1;
        int version = 1;
        bool assis = false;
        ZB_RecordFramer tampon{1 << 20};
    };

    void connecte_(int no)
    {
        auto client = std::make_unique<Client>();
        Client* c = client.get();
        c->id = 1000 + no;
        quint16 port = serveur_->getPortTcp();
        if (transport_ == Tcp) {
            c->socket = std::make_unique<GM_SocketTCP>();
        } else {
            c->socket = std::make_unique<GM_SocketWeb>(transport_ == Web);
            port = transport_ == Web ? serveur_->getPortWebUnsecure() : serveur_->getPortWebSecure();
        }
        GM_SocketAbstract* s = c->socket.get();
        QObject::connect(s, &GM_SocketAbstract::connected, [c] {
            OptionsDuJoueur j;
            j.nom_ = QStringLiteral("C%1").arg(c->id);
            j.id_ = c->id;
            j.distant_ = 1;
            const EvenementDeJeu ev(EvenementDeJeu::NeW, j.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                                    EvenementDeJeu::Local_Table, j.id_, 0, -1, -2, ZB_ICI);
            c->socket->write(ev.toString(2).toUtf8());
        });
        QObject::connect(s, &GM_SocketAbstract::readyRead_tcpOld, [this, c] {
            while (c->socket->bytesAvailable() > 0)
                recoit_(c, c->socket->read(10000));
        });
        QObject::connect(s, &GM_SocketAbstract::binaryMessageReceived,
                         [this, c](const QByteArray& octets) { recoit_(c, octets); });
        QObject::connect(s, &GM_SocketAbstract::disconnected, [this, c] {
            if (!c->assis)
                ++refuses_;
        });
        s->connectToHost(QStringLiteral("127.0.0.1"), port);
        clients_.push_back(std::move(client));
    }

    int identifies_() const
    {
        int n = 0;
        for (const auto& salle : salles_)
            n += int(salle->getServer()->getJoueurs().size());
        return n;
    }

    void recoit_(Client* c, const QByteArray& octets)
    {
        const qint64 maintenant = horloge_.nsecsElapsed();
        c->tampon.ajoute(octets);
        QByteArray record;
        bool precede = false;
        while (c->tampon.prochain(record, precede) == ZB_RecordFramer::Record) {
            EvenementDeJeu ev;
            QString reste;
            try {
                if (!ev.fromString(QString::fromUtf8(record), reste))
                    continue;
            } catch (...) {
                continue;
            }
            if (ev.type_ == EvenementDeJeu::InJ && ev.idJoueur_ == c->id) {
                c->assis = true;
                c->table = ev.noTable_ < 0 ? 0 : ev.noTable_;
                if (EtatDeJeu::estInscriptionJoueur(ev.etat_))
                    c->siege = ev.etat_ - EtatDeJeu::InscriptionJoueur0;
            } else if (ev.type_ == EvenementDeJeu::Mes && ev.texte_.startsWith(QLatin1String("carte "))) {
                recoitCarte_(c, ev, maintenant);
            }
        }
    }

    void recoitCarte_(Client* c, const EvenementDeJeu& ev, qint64 maintenant)
    {
        const QStringList champs = ev.texte_.split(QLatin1Char(' '));
        if (champs.size() < 3)
            return;
        const double delaiMs = double(maintenant - champs.at(1).toLongLong()) / 1e6;
        const int table = champs.at(2).toInt();
        if (ev.idJoueur_ == c->id) {
            echos_.push_back(delaiMs);
            return;
        }
        autres_.push_back(delaiMs);
        auto it = enchaine_.find(table);
        if (it == enchaine_.end() || --recusDuTour_[table] > 0)
            return;
        if (--it.value() > 0)
            joue_(table);
    }

    // The next seat of a table plays a card.
    void joue_(int table)
    {
        const QList<Client*>& clients = tables_[table];
        if (clients.size() != Sieges)
            return;
        Client* c = clients.at(tour_[table]++ % Sieges);
        recusDuTour_[table] = Sieges - 1;
        const QString texte = QStringLiteral("carte %1 %2").arg(horloge_.nsecsElapsed()).arg(table);
        const EvenementDeJeu ev(EvenementDeJeu::Mes, texte, c->siege, EtatDeJeu::HorsDeroulement, EvenementDeJeu::Local_Human,
                                c->id, 0, -1, c->table, ZB_ICI);
        c->socket->write(ev.toString(2).toUtf8());
    }

    static std::vector<double> trie_(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        return v;
    }

    Transport transport_;
    ZB_DisplayEmpty display_;
    std::vector<std::unique_ptr<Salle>> salles_;
    std::unique_ptr<ZB_MultiServer> serveur_;
    std::vector<std::unique_ptr<Client>> clients_;
    // The seated clients of each room, by room index.
    QHash<int, QList<Client*>> tables_;
    QHash<int, int> tour_;
    QHash<int, int> recusDuTour_;
    // Cards a table still has to play at full speed.
    QHash<int, int> enchaine_;
    int refuses_ = 0;
    QElapsedTimer horloge_;
    std::vector<double> autres_;
    std::vector<double> echos_;
};
