#include "Carte.h"
#include "ClientSocket.h"
#include "EvenementDeJeu.h"
#include "ExecuteurTemoin.h"
#include "GM_BanList.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_SocketTCP.h"
#include "GM_SocketWeb.h"
#include "GM_SpacesSeparatedString.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "MachineDeJeu.h"
#include "ManqueSousCI.h"
#include "OptionsDePartie.h"
#include "Partie.h"
#include "ServerView.h"
#include "TableClient.h"
#include "TypeDePartie.h"
#include "VersionProtocole.h"
#include "ZB_CleDeJoueur.h"
#include "ZB_ClientConnection.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_EventClientAskInfo.h"
#include "ZB_EventDisconnectClient.h"
#include "ZB_EventSocketError.h"
#include "ZB_EventsGroup.h"
#include "ZB_HoteSansFenetre.h"
#include "ZB_MessageDeTable.h"
#include "ZB_MultiServer.h"
#include "ZB_PorteTls.h"
#include "ZB_RoomTable.h"
#include "ZB_SalleClienteA.h"
#include "ZB_SalleHote.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "ZB_StatutConnexionA.h"
#include "ZB_FicheIdentification.h"
#include "ZB_GardeDesTours.h"
#include "ZB_Settings.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QWebSocketServer>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <sys/socket.h>

namespace {

// Refused, dropped or skipped events on either machine.
struct CompteAvertissements {
    static QString premier;
    static QStringList tous;
    static QMutex mutex;
    static void gestionnaire(QtMsgType type, const QMessageLogContext&, const QString& texte)
    {
        if (type == QtDebugMsg || type == QtInfoMsg)
            return;
        const bool compte = texte.contains(QLatin1String("REFUSED")) || texte.contains(QLatin1String("SKIPPED"))
                         || texte.contains(QLatin1String("DROPPED")) || texte.contains(QLatin1String("WARNING"));
        if (!compte)
            return;
        QMutexLocker verrou(&mutex);
        if (premier.isEmpty())
            premier = texte;
        tous << texte;
    }
    QtMessageHandler avant;
    CompteAvertissements() : avant(qInstallMessageHandler(&CompteAvertissements::gestionnaire))
    {
        QMutexLocker verrou(&mutex);
        premier.clear();
        tous.clear();
    }
    ~CompteAvertissements() { qInstallMessageHandler(avant); }
};
QString CompteAvertissements::premier;
QStringList CompteAvertissements::tous;
QMutex CompteAvertissements::mutex;

// The joining machine's TCP transport with a cheat: the first time its seat
// follows in a trick holding a card the rules forbid, that card goes out in
// place of the one its player chose; the chosen card, and whatever the
// client writes meanwhile, go out once the host refused the forbidden one.
class SocketTricheur : public GM_SocketTCP
{
public:
    // The forbidden card for this card play, "" when there is none.
    std::function<QString(const EvenementDeJeu&)> carteInterdite;
    std::function<bool()> refusee;
    bool triche = false;

    SocketTricheur()
    {
        attente_.setInterval(5);
        QObject::connect(&attente_, &QTimer::timeout, this, [this] {
            if (!refusee())
                return;
            attente_.stop();
            for (const QByteArray& octets : std::as_const(retenus_))
                GM_SocketTCP::write(octets);
            retenus_.clear();
        });
    }
    qint64 write(const QByteArray& donnees) override
    {
        if (!retenus_.isEmpty() || (!triche && triche_(donnees))) {
            retenus_ << donnees;
            return donnees.size();
        }
        return GM_SocketTCP::write(donnees);
    }

private:
    bool triche_(const QByteArray& donnees)
    {
        EvenementDeJeu ev;
        QString reste;
        if (!ev.fromString(QString::fromUtf8(donnees), reste) || ev.type_ != EvenementDeJeu::Ajo)
            return false;
        const QString interdite = carteInterdite(ev);
        if (interdite.isEmpty())
            return false;
        triche = true;
        QByteArray faux = donnees;
        faux.replace(QStringLiteral("{Ajo!%1!").arg(ev.texte_).toUtf8(),
                     QStringLiteral("{Ajo!%1!").arg(interdite).toUtf8());
        GM_SocketTCP::write(faux);
        attente_.start();
        return true;
    }

    QList<QByteArray> retenus_;
    QTimer attente_;
};

// The deals a table has begun.
int donnes(const ListeDesEvenements& liste)
{
    const QStringList tous = coups(liste);
    const QString distribue = QString::number(EvenementDeJeu::Dis) + QLatin1Char(' ');
    return int(std::count_if(tous.cbegin(), tous.cend(), [&](const QString& c) { return c.startsWith(distribue); }));
}

// A copy that comes back as the same player (one key: one id) and then
// answers nothing: each connection's list runs on a stand-in executor that
// sends nothing. It joins again as soon as the host drops it, or only when
// it opens one more connection under its id (ouvre), the older left open.
class RevenantMuet
{
public:
    explicit RevenantMuet(quint16 port)
        : port_(port)
        , cle_(ZB_CleDeJoueur::depuisGraine(QByteArray(32, 'm')))
        , id(ZB_CleDeJoueur::idDePublique(cle_.publique()))
    {
    }
    void ouvre() { connexions_.push_back(std::make_unique<Connexion>(*this)); }

    bool apresChaqueCoupure = true;

private:
    class Connexion : public QObject, public ZB_SalleClienteA
    {
    public:
        explicit Connexion(RevenantMuet& muet)
            : muet_(muet)
        {
            exec_.liste = &liste_;
            liste_.version_ = VERSION_PROTOCOLE_ACTUELLE;
            QSharedPointer<GM_SocketAbstract> socket(new GM_SocketTCP, &QObject::deleteLater);
            client_ = std::make_unique<ClientSocket>(this, &liste_, &affichage_, nullptr, socket, nullptr);
            client_->setIdJoueur(muet.id);
            client_->connecte(QStringLiteral("127.0.0.1"), muet.port_, QStringLiteral("muet"), 0, 30, false);
        }
        ~Connexion() override { client_.reset(); }
        void posteEvenementDuClient(ZB_Event* ev) override { QCoreApplication::postEvent(this, ev); }

    protected:
        void customEvent(QEvent* event) override
        {
            event->accept();
            if (auto* info = dynamic_cast<ZB_EventClientAskInfo*>(event)) {
                OptionsDuJoueur joueur;
                joueur.nom_ = QStringLiteral("muet");
                joueur.id_ = muet_.id;
                joueur.idCompte_ = info->getIdUtilisateur();
                client_->setSignataire(muet_.cle_);
                const int version = VERSION_PROTOCOLE_ACTUELLE;
                client_->sendUserInfo(joueur, info->getTempsAttente(), &version);
            } else if ((dynamic_cast<ZB_EventSocketError*>(event) != nullptr
                        || dynamic_cast<ZB_EventDisconnectClient*>(event) != nullptr)
                       && !perdue_) {
                perdue_ = true;
                if (muet_.apresChaqueCoupure)
                    muet_.ouvre();
            }
        }

    private:
        RevenantMuet& muet_;
        ZB_DisplayEmpty affichage_;
        ExecuteurTemoin exec_;
        ListeDesEvenements liste_{&exec_, 0};
        std::unique_ptr<ClientSocket> client_;
        bool perdue_ = false;
    };

    quint16 port_;
    ZB_CleDeJoueur cle_;
    std::vector<std::unique_ptr<Connexion>> connexions_;

public:
    const qint64 id;
};

} // namespace

class TestHostAndJoin : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Machine> hote;
    std::unique_ptr<GM_BanList> bans;
    std::unique_ptr<ZB_MultiServer> serveur;

    void heberge(Transport transport, OptionsDePartie options = optionsJass())
    {
        hote = std::make_unique<Machine>(transport);
        bans = std::make_unique<GM_BanList>();
        serveur = std::make_unique<ZB_MultiServer>(nullptr, 0, QList<ZB_Room*>{hote->salle.get()}, bans.get());
        QVERIFY(serveur->ecoute(QHostAddress::LocalHost, 0, 0, 0));
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionServeur;
        hote->salle->reponse_Depart(&mode, &session, options, QString(), QStringLiteral("hote"),
                                    serveur->getPortWebSecure(), serveur->getPortWebUnsecure(), serveur->getPortTcp(),
                                    0, false, {}, -1);
        QVERIFY(hote->salle->getServerView() != nullptr);
        QCOMPARE(hote->salle->getServer()->getEtat(), int(ZB_ServerSocket::AttenteJoueurs));
    }
    std::unique_ptr<Machine> rejoint(Transport transport, QSharedPointer<GM_SocketAbstract> socket = {},
                                     const QString& dossier = QString(), ZB_MultiServer* chez = nullptr,
                                     const QString& nom = QStringLiteral("invite"))
    {
        if (chez == nullptr)
            chez = serveur.get();
        auto client = std::make_unique<Machine>(transport, dossier);
        int mode = ZB_Room::SansDepart;
        int session = ZB_Room::SessionClient;
        client->salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                      nom, chez->getPortWebSecure(), chez->getPortWebUnsecure(),
                                      chez->getPortTcp(), 5, false, socket, 0);
        return client;
    }
    // The names a table shows for its four seats, its own user's " (vous)"
    // read as every other copy reads that seat.
    static QStringList nomsVus(const ZB_RoomTable& table)
    {
        QStringList noms;
        for (int siege = 0; siege < 4; ++siege) {
            QString nom = table.getJoueur(siege)->nomAffiche();
            if (nom.endsWith(QLatin1String(" (vous)")))
                nom = nom.chopped(7) + QLatin1String(" (joueur)");
            noms << nom;
        }
        return noms;
    }
    // The seat of the joining copy's own player, 4 when none.
    static int siegeDuClient(const Machine& client)
    {
        const qint64 id = client.salle->getClientSocket()->getIdJoueur();
        int siege = 0;
        while (siege < 4 && client.salle->getTable(-1)->getJoueur(siege)->options_.id_ != id)
            ++siege;
        return siege;
    }
    // A host without a window on a free port, started: it starts its game
    // at the first identification.
    // A windowless host; with a turn's time, its table's, in place of its
    // own 15 s that would only lengthen the waits of a test of its keeper.
    static std::unique_ptr<ZB_HoteSansFenetre> demarreSansFenetre(const QString& dossier, double delaiReponse = 0)
    {
        ZB_Settings demarrage;
        demarrage.server = true;
        demarrage.automatique = 1;
        demarrage.port = 0;
        auto hote = std::make_unique<ZB_HoteSansFenetre>(demarrage, dossier);
        hote->demarre();
        if (delaiReponse > 0) {
            // It waits for its first player with these.
            OptionsDePartie options = hote->salle()->getOptions();
            options.delaiReponse_ = delaiReponse;
            const ZB_MultiServer* chez = hote->serveur();
            hote->salle()->hebergement().attendJoueurs(options, QString(), chez->getPortWebSecure(),
                                                       chez->getPortWebUnsecure(), chez->getPortTcp(), 0);
        }
        return hote;
    }
    int nonIdentifiees() const
    {
        const QList<ZB_ServerSocketConnection*> connexions = hote->salle->getServer()->getConnections();
        return int(std::count_if(connexions.cbegin(), connexions.cend(),
                                 [](const ZB_ServerSocketConnection* c) { return !c->estIdentifie(); }));
    }
    // Keeps n TCP sockets connected to the host that never say a word,
    // opening a new one for each the host drops.
    void gardeMuets(std::vector<std::unique_ptr<QTcpSocket>>& muets, QTimer& entretien, size_t n)
    {
        muets.resize(n);
        connect(&entretien, &QTimer::timeout, this, [this, &muets] {
            for (std::unique_ptr<QTcpSocket>& muet : muets) {
                if (muet && muet->state() != QAbstractSocket::UnconnectedState)
                    continue;
                muet = std::make_unique<QTcpSocket>();
                muet->connectToHost(QHostAddress::LocalHost, serveur->getPortTcp());
            }
        });
        entretien.start(20);
        QVERIFY(QTest::qWaitFor([&] { return nonIdentifiees() == int(n); }, 10000));
    }
    // The host starts the online game; both machines play the match to its
    // end, execute the same moves and keep the same scores.
    void joueLeMatch(Machine& client)
    {
        // Each machine's record and scores as its match ends: the host starts
        // the next match with the same players at once.
        QStringList deLHote;
        QStringList duClient;
        std::array<int, 2> scoresHote{};
        std::array<int, 2> scoresClient{};
        auto instantane = [](Machine& m, QStringList& coupsJoues, std::array<int, 2>& scores) {
            coupsJoues = coups(*m.liste());
            ZB_RoomTable* table = m.salle->getTable(-1);
            for (int e = 0; e < 2; ++e)
                scores[size_t(e)] = table->getSettingsPartie().scores_[size_t(e)] + table->totalDonne(e);
        };
        const QMetaObject::Connection c1 = connect(hote->salle.get(), &TableClient::testSignalGameCompleted, this,
                [&] { if (deLHote.isEmpty()) instantane(*hote, deLHote, scoresHote); });
        const QMetaObject::Connection c2 = connect(client.salle.get(), &TableClient::testSignalGameCompleted, this,
                [&] { if (duClient.isEmpty()) instantane(client, duClient, scoresClient); });
        hote->salle->getServerView()->OnDemarrer();
        const bool fini = QTest::qWaitFor([&] { return !deLHote.isEmpty() && !duClient.isEmpty(); }, 120000);
        disconnect(c1);
        disconnect(c2);
        QVERIFY2(fini, qPrintable(QStringLiteral("host in state %1, client in state %2")
                                      .arg(hote->liste()->getEtatAttendu())
                                      .arg(client.liste()->getEtatAttendu())));
        QVERIFY(deLHote.size() > 100);
        QCOMPARE(duClient, deLHote);
        QCOMPARE(scoresClient, scoresHote);
        QVERIFY(scoresHote[0] >= 500 || scoresHote[1] >= 500);
    }

private slots:
    void cleanup()
    {
        serveur.reset();
        hote.reset();
        bans.reset();
    }

    // A host and a client play a whole match over each transport: the
    // client's seat is played by the client's own computer player, and both
    // machines execute the same moves to the end.
    void matchEnLigne_data()
    {
        QTest::addColumn<int>("transport");
        QTest::newRow("tcp") << int(Tcp);
        QTest::newRow("websocket") << int(WebSocket);
        QTest::newRow("secure websocket") << int(WebSocketSecure);
    }
    void matchEnLigne()
    {
        QFETCH(int, transport);
        CompteAvertissements avertissements;
        heberge(Transport(transport));
        std::unique_ptr<Machine> client = rejoint(Transport(transport));
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        QCOMPARE(client->salle->getClientSocket()->getEtat(), 5);
        joueLeMatch(*client);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(CompteAvertissements::premier, QString());
        QCOMPARE(client->salle->getClientSocket()->getEtat(), 6);
        // The host played at the first seat, the client at the second, on
        // both machines.
        const qint64 idHote = hote->salle->getServer()->getJoueurLocal()->id_;
        for (Machine* m : {hote.get(), client.get()}) {
            const ZB_RoomTable* table = m->salle->getTable(-1);
            QCOMPARE(table->getJoueur(0)->options_.id_, idHote);
            QCOMPARE(table->getJoueur(1)->options_.id_, client->salle->getIdJoueur());
        }
    }

    // A joining copy is given one port, whichever of the host's ports its
    // user typed, and speaks its own transport first: it finds the port's
    // transport and is seated. A port where something else answers (a web
    // service) is told as such, never as a full host.
    void unPortQuelconque_data()
    {
        QTest::addColumn<int>("transportClient");
        QTest::addColumn<int>("portHote");
        for (const int client : {int(WebSocketSecure), int(Tcp)})
            for (const int port : {int(Tcp), int(WebSocket), int(WebSocketSecure), -1})
                QTest::addRow("%s client, %s port", client == Tcp ? "tcp" : "secure",
                              port == Tcp ? "tcp" : port == WebSocket ? "websocket"
                                                  : port == WebSocketSecure ? "secure" : "web service")
                    << client << port;
    }
    void unPortQuelconque()
    {
        QFETCH(int, transportClient);
        QFETCH(int, portHote);
        heberge(Tcp);
        // Something that answers HTTP on its port, as a web service does.
        QTcpServer web;
        QVERIFY(web.listen(QHostAddress::LocalHost, 0));
        connect(&web, &QTcpServer::newConnection, this, [&web] {
            QTcpSocket* s = web.nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [s] {
                s->readAll();
                s->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                s->disconnectFromHost();
            });
        });
        const quint16 port = portHote == Tcp                ? serveur->getPortTcp()
                           : portHote == WebSocket          ? serveur->getPortWebUnsecure()
                           : portHote == WebSocketSecure    ? serveur->getPortWebSecure()
                                                            : web.serverPort();
        Machine client{Transport(transportClient)};
        int mode = ZB_Room::SansDepart;
        int session = ZB_Room::SessionClient;
        client.salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                     QStringLiteral("invite"), port, port, port, 5, false, {}, 0);
        if (portHote >= 0) {
            QVERIFY2(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 20000),
                     qPrintable(client.titres().join(QLatin1Char('\n'))));
            QCOMPARE(client.salle->getClientSocket()->getPort(), port);
            return;
        }
        QVERIFY(QTest::qWaitFor([&] { return !client.titres().isEmpty(); }, 30000));
        const QString titres = client.titres().join(QLatin1Char('\n'));
        QVERIFY2(titres.contains(QStringLiteral("aucun serveur de jeu ne répond sur ce port")), qPrintable(titres));
        QVERIFY2(!titres.contains(QStringLiteral("complet")) && !titres.contains(QStringLiteral("SSL")),
                 qPrintable(titres));
    }

    // A copy that joins the secure port as the join window has it (the
    // port typed is every transport's) and whose socket the port's gate
    // closes before the TLS handshake began (the port was full of sockets
    // of its address, every one of which had spoken, and the next one came
    // before the copy's hello was read) tries the secure transport again
    // and is seated over it once the gate has room: the other transports
    // at that port could only fail.
    void secureFermeeParLaPorte()
    {
        if (!QSslSocket::supportsSsl())
            ZB_MANQUE("no TLS backend");
        heberge(Tcp);
        const quint16 port = serveur->getPortWebSecure();
        auto* porte = serveur->getServeurWebSecure()->findChild<ZB_PorteTls*>();
        QVERIFY(porte != nullptr);
        std::vector<std::unique_ptr<QTcpSocket>> bavardes;
        const auto bavarde = [&] {
            auto b = std::make_unique<QTcpSocket>();
            b->connectToHost(QHostAddress::LocalHost, port);
            // The first byte of a TLS record, and then nothing.
            b->write(QByteArray("\x16", 1));
            bavardes.push_back(std::move(b));
        };
        for (int i = 0; i < ZB_PorteTls::NonTerminesMax; ++i)
            bavarde();
        QVERIFY(QTest::qWaitFor([&] { return porte->nonTermines() == ZB_PorteTls::NonTerminesMax; }, 10000));
        // Every one of them heard.
        QTest::qWait(300);
        Machine client(WebSocketSecure);
        int mode = ZB_Room::SansDepart;
        int session = ZB_Room::SessionClient;
        client.salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                     QStringLiteral("invite"), port, port, port, 5, false, {}, 0);
        // Closed: it tries again, or another transport, or gave up.
        const auto ferme = [&] {
            const ClientSocket* c = client.salle->getClientSocket();
            return c->getEssais() > 0 || c->getSocket()->isUnsecure() || !client.titres().isEmpty();
        };
        for (int i = 0; i < ZB_PorteTls::NonTerminesMax && !ferme(); ++i) {
            bavarde();
            QTest::qWait(15);
        }
        QVERIFY(QTest::qWaitFor(ferme, 5000));
        bavardes.clear();
        QVERIFY2(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 15000),
                 qPrintable(client.titres().join(QLatin1Char('\n'))));
        QVERIFY(!client.salle->getClientSocket()->getSocket()->isUnsecure());
        QVERIFY(client.titres().isEmpty());
    }

    // Five sockets that connect and never say a word, renewed as the host
    // drops them, do not keep a player out: it joins and plays the match.
    void connexionsMuettes()
    {
        CompteAvertissements avertissements;
        heberge(Tcp);
        std::vector<std::unique_ptr<QTcpSocket>> muets;
        QTimer entretien;
        gardeMuets(muets, entretien, 5);
        if (QTest::currentTestFailed())
            return;
        std::unique_ptr<Machine> client = rejoint(Tcp);
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        QVERIFY(nonIdentifiees() >= 4);
        joueLeMatch(*client);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(CompteAvertissements::premier, QString());
    }

    // While the host holds as many silent connections from an address as
    // it lets one address keep, a joiner from there is refused and told so
    // at once, over either transport.
    void joueurRefuse_data()
    {
        QTest::addColumn<int>("transport");
        QTest::newRow("tcp") << int(Tcp);
        QTest::newRow("websocket") << int(WebSocket);
    }
    void joueurRefuse()
    {
        QFETCH(int, transport);
        heberge(Transport(transport));
        std::vector<std::unique_ptr<QTcpSocket>> muets;
        QTimer entretien;
        gardeMuets(muets, entretien, ZB_ServerSocket::NonIdentifiesParAdresseMax);
        if (QTest::currentTestFailed())
            return;
        std::unique_ptr<Machine> client = rejoint(Transport(transport));
        QVERIFY(QTest::qWaitFor([&] { return client->salle->getClientSocket()->getEtat() >= 7; }, 10000));
        QCOMPARE(client->salle->getClientSocket()->getEtat(), 8);
        // The host said it refuses the connection: no try follows.
        QCOMPARE(client->salle->getClientSocket()->getEssais(), 0);
        QVERIFY(QTest::qWaitFor([&] { return !client->titres().isEmpty(); }, 5000));
        QVERIFY2(client->titres().join(QLatin1Char('\n'))
                     .contains(QStringLiteral("mais le serveur de jeu a refusé la connection: il est complet, ou trop "
                                              "de connections arrivent de votre adresse. Réessayez plus tard.")),
                 qPrintable(client->titres().join(QLatin1Char('\n'))));
        QVERIFY(hote->salle->getServer()->getJoueurs().isEmpty());
    }

    // Sockets from one address that identify under made-up ids and take
    // every seat before the start do not keep out a player joining from
    // another address: one more from their address is turned away, the
    // latest of them is told it is refused, and the start seats the player
    // at the host's table.
    void fauxJoueursDUneAdresse()
    {
        heberge(Tcp);
        ZB_ServerSocket* serveurDeLaSalle = hote->salle->getServer();
        const int places = serveurDeLaSalle->maxPlayers();
        std::vector<std::unique_ptr<QTcpSocket>> faux;
        for (int i = 0; i <= places; ++i) {
            faux.push_back(std::make_unique<QTcpSocket>());
            faux.back()->bind(QHostAddress(QStringLiteral("127.0.0.2")));
            faux.back()->connectToHost(QHostAddress::LocalHost, serveur->getPortTcp());
            OptionsDuJoueur faux_;
            faux_.nom_ = QStringLiteral("Faux%1").arg(i);
            faux.back()->write(EvenementDeJeu(EvenementDeJeu::NeW, faux_.sauveValeursDansString(), 4,
                                              EtatDeJeu::Identification, 2, faux_.id_, 0, -1, -2, ZB_ICI)
                                   .toString(1)
                                   .toUtf8());
            // The host takes as many as the seats; the next is refused.
            QVERIFY(QTest::qWaitFor([&] { return serveurDeLaSalle->getJoueurs().size() == qMin(i + 1, places); }, 10000));
        }
        std::unique_ptr<Machine> client = rejoint(Tcp);
        const auto estLeClient = [&](const ZB_ServerSocketConnection* c) {
            return c->getPlayerId() == client->salle->getIdJoueur();
        };
        QVERIFY2(QTest::qWaitFor([&] {
            const QList<ZB_ServerSocketConnection*> joueurs = serveurDeLaSalle->getJoueurs();
            return std::any_of(joueurs.cbegin(), joueurs.cend(), estLeClient) && joueurs.size() == places;
        }, 10000), qPrintable(hote->salle->getServerView()->getJournal().join(QLatin1Char('\n'))));
        QVERIFY(QTest::qWaitFor([&] {
            return std::count_if(faux.cbegin(), faux.cend(), [](const std::unique_ptr<QTcpSocket>& f) {
                       return f->peek(f->bytesAvailable()).contains(RECORD_REFUS_TABLE);
                   }) == 1;
        }, 10000));
        QCOMPARE(faux.back()->state(), QAbstractSocket::UnconnectedState);
        hote->salle->getServerView()->OnDemarrer();
        // Seated on both machines.
        const auto siegeDuClient = [&](Machine& m) {
            const ZB_RoomTable* table = m.salle->getTable(-1);
            for (int siege = 1; siege < 4; ++siege)
                if (table->getJoueur(siege) != nullptr
                    && table->getJoueur(siege)->options_.id_ == client->salle->getIdJoueur())
                    return siege;
            return -1;
        };
        QVERIFY(QTest::qWaitFor([&] { return siegeDuClient(*hote) > 0 && siegeDuClient(*client) == siegeDuClient(*hote); },
                       20000));
    }

    // What a copy shows a listener on another port of the host's address,
    // captured and replayed to the host (as anybody on the path of the
    // plain transports could), opens nothing there: the player keeps its
    // seat, the replayer gets none, whether the listener acted as a host of
    // the previous version or challenged the copy as this version does.
    void cleMontreeAilleurs_data()
    {
        QTest::addColumn<bool>("defie"); // the listener challenges the copy
        QTest::newRow("a listener of the previous version") << false;
        QTest::newRow("a listener that challenges") << true;
    }
    void cleMontreeAilleurs()
    {
        QFETCH(bool, defie);
        heberge(Tcp);
        // The listener keeps every identification record the copy sends.
        QTcpServer ecoute;
        QVERIFY(ecoute.listen(QHostAddress::LocalHost, 0));
        QList<QByteArray> fiches;
        connect(&ecoute, &QTcpServer::newConnection, this, [&] {
            // The listener's child.
            QTcpSocket* pair = ecoute.nextPendingConnection();
            auto lu = std::make_shared<QString>();
            connect(pair, &QTcpSocket::readyRead, this, [&, pair, lu] {
                *lu += QString::fromUtf8(pair->readAll());
                EvenementDeJeu ev;
                QString reste;
                while (ev.fromString(*lu, reste)) {
                    *lu = reste;
                    if (ev.type_ != EvenementDeJeu::NeW)
                        continue;
                    fiches << ev.toString(1).toUtf8();
                    if (defie && fiches.size() == 1)
                        pair->write(EvenementDeJeu(EvenementDeJeu::NeW, ZB_CleDeJoueur::genereDefi(), 4,
                                                   EtatDeJeu::Identification, EvenementDeJeu::Local_Table,
                                                   ev.idJoueur_, 0, -1, -2, ZB_ICI)
                                        .toString(1)
                                        .toUtf8());
                }
            });
        });
        QTemporaryDir dossier;
        {
            Machine montre(Tcp, dossier.path());
            int mode = ZB_Room::SansDepart;
            int session = ZB_Room::SessionClient;
            montre.salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                         QStringLiteral("invite"), 0, 0, ecoute.serverPort(), 5, false, {}, 0);
            // A copy of the previous version does not answer the challenge.
            QVERIFY(QTest::qWaitFor([&] { return fiches.size() == (defie ? 2 : 1); }, 10000) || defie);
        }
        // A host of the previous version reads it as a player's record and
        // a seat key.
        {
            EvenementDeJeu ev;
            QString reste;
            QVERIFY(ev.fromString(QString::fromUtf8(fiches.first()), reste));
            GM_SpacesSeparatedString ancien(ev.texte_);
            OptionsDuJoueur lu;
            lu.litChamps(ancien);
            QVERIFY(!ancien.hasOptionalField() || ZB_FicheIdentification::estCle(ancien.getNext()));
        }

        // The same copy started again joins the host and plays.
        std::unique_ptr<Machine> joueur = rejoint(Tcp, {}, dossier.path());
        ZB_ServerSocket* serveurDeLaSalle = hote->salle->getServer();
        QVERIFY(QTest::qWaitFor([&] { return serveurDeLaSalle->getJoueurs().size() == 1; }, 10000));
        const qint64 id = serveurDeLaSalle->getJoueurs().first()->getPlayerId();
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY(QTest::qWaitFor(
            [&] { return joueur->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendRamasseTas1; }, 20000));

        // The replayer, from another address, sends what it captured, each
        // record as the host's answers call for it.
        QTcpSocket rejoueur;
        rejoueur.bind(QHostAddress(QStringLiteral("127.0.0.2")));
        rejoueur.connectToHost(QHostAddress::LocalHost, serveur->getPortTcp());
        QByteArray recu;
        connect(&rejoueur, &QTcpSocket::readyRead, this, [&] { recu += rejoueur.readAll(); });
        rejoueur.write(fiches.first());
        // Seated (the game so far comes), or asked to prove what it cannot.
        QVERIFY(QTest::qWaitFor([&] { return recu.contains("{Rs") || recu.contains("{NeW!"); }, 10000));
        if (defie && !recu.contains("{Rs")) {
            rejoueur.write(fiches.last());
            QVERIFY(QTest::qWaitFor([&] { return rejoueur.state() == QAbstractSocket::UnconnectedState; }, 10000));
            QVERIFY(recu.contains(RECORD_REFUS_TABLE));
        }
        // The replayer says no more: once the host has read to that end and
        // closed, it has answered all it ever will (a seat given would have
        // come before).
        if (rejoueur.state() == QAbstractSocket::ConnectedState) {
            rejoueur.flush();
            QVERIFY(::shutdown(int(rejoueur.socketDescriptor()), SHUT_WR) == 0);
            QVERIFY2(QTest::qWaitFor([&] { return rejoueur.state() == QAbstractSocket::UnconnectedState; }, 10000),
                     "the host kept the replayer's connection open after it said no more");
        }
        recu += rejoueur.readAll();
        QVERIFY2(!recu.contains("{Rs"), recu.left(300).constData());
        const QList<ZB_ServerSocketConnection*> joueurs = serveurDeLaSalle->getJoueurs();
        QCOMPARE(joueurs.size(), 1);
        QCOMPARE(joueurs.first()->getPlayerId(), id);
        QVERIFY(joueurs.first()->getSocket()->peerAddress().isEqual(QHostAddress(QHostAddress::LocalHost)));
        QCOMPARE(joueur->salle->getClientSocket()->getEtat(), int(ZB_StatutConnexionA::JeuEnCours));
    }

    // A relay that passes a copy's traffic on to the host live, from an
    // address of its own (the same player's copy dialled the relay at the
    // host's address): the host's challenge reaches the copy and its
    // answer comes back, but it was signed for the port the copy dialled,
    // so the relay gets no seat over the player's signed id, and the
    // player seated from its own address keeps it.
    void relaisEnDirectDUneAutreAdresse()
    {
        heberge(Tcp);
        QTemporaryDir dossier;
        std::unique_ptr<Machine> joueur = rejoint(Tcp, {}, dossier.path());
        ZB_ServerSocket* serveurDeLaSalle = hote->salle->getServer();
        QVERIFY(QTest::qWaitFor([&] { return serveurDeLaSalle->getJoueurs().size() == 1; }, 10000));
        const qint64 id = serveurDeLaSalle->getJoueurs().first()->getPlayerId();
        QVERIFY(ZB_CleDeJoueur::estIdSigne(id));
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY(QTest::qWaitFor(
            [&] { return joueur->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendRamasseTas1; }, 20000));

        // The relay listens at the address the copy dials and goes on to
        // the host from 127.0.0.2, byte for byte both ways.
        QTcpServer relais;
        QVERIFY(relais.listen(QHostAddress::LocalHost, 0));
        QTcpSocket versLHote;
        QByteArray duHote;
        QPointer<QTcpSocket> copie;
        connect(&relais, &QTcpServer::newConnection, this, [&] {
            QTcpSocket* c = relais.nextPendingConnection();
            if (c == nullptr || !copie.isNull())
                return;
            copie = c;
            if (!versLHote.bind(QHostAddress(QStringLiteral("127.0.0.2"))))
                return;
            versLHote.connectToHost(QHostAddress::LocalHost, serveur->getPortTcp());
            connect(c, &QTcpSocket::readyRead, this, [&, c] { versLHote.write(c->readAll()); });
            connect(c, &QTcpSocket::disconnected, &versLHote, &QTcpSocket::disconnectFromHost);
        });
        connect(&versLHote, &QTcpSocket::readyRead, this, [&] {
            const QByteArray octets = versLHote.readAll();
            duHote += octets;
            if (QTcpSocket* c = copie.data())
                c->write(octets);
        });
        connect(&versLHote, &QTcpSocket::disconnected, this, [&] {
            if (QTcpSocket* c = copie.data())
                c->disconnectFromHost();
        });
        // The same player's copy (its data folder, the host's address),
        // at the relay's port.
        Machine parLeRelais(Tcp, dossier.path());
        int mode = ZB_Room::SansDepart;
        int session = ZB_Room::SessionClient;
        parLeRelais.salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                          QStringLiteral("invite"), 0, 0, relais.serverPort(), 5, false, {}, 0);
        // The host challenged the relayed copy and heard its answer: that
        // was signed for the relay's port, so the copy is at most another
        // player there (it would enter the game as one), never the seated
        // one: under the seated player's id, it is refused.
        QVERIFY2(QTest::qWaitFor([&] {
            return (duHote.count("{NeW!") >= 2 || duHote.contains(RECORD_REFUS_TABLE)) && versLHote.bytesToWrite() == 0;
        }, 10000), duHote.left(300).constData());
        // The host has settled the relayed copy's answer once it refused it
        // or took it in the game (as another player): a seat taken over would
        // have been settled before.
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         return duHote.contains(RECORD_REFUS_TABLE)
                             || parLeRelais.salle->getClientSocket()->getEtat() == int(ZB_StatutConnexionA::JeuEnCours);
                     },
                     10000),
                 qPrintable(QStringLiteral("the relayed copy is neither refused nor in the game (state %1)")
                                .arg(parLeRelais.salle->getClientSocket()->getEtat())));
        const QList<ZB_ServerSocketConnection*> tenus = serveurDeLaSalle->getJoueurs();
        QCOMPARE(std::count_if(tenus.cbegin(), tenus.cend(),
                               [id](const ZB_ServerSocketConnection* c) { return c->getPlayerId() == id; }),
                 qsizetype(1));
        for (const ZB_ServerSocketConnection* c : tenus)
            if (c->getPlayerId() == id)
                QVERIFY(c->getSocket()->peerAddress().isEqual(QHostAddress(QHostAddress::LocalHost)));
        QCOMPARE(joueur->salle->getClientSocket()->getEtat(), int(ZB_StatutConnexionA::JeuEnCours));
    }

    // The host nobody watches starts at the first identification. Sockets
    // from one address that identify under made-up ids then take every
    // seat of the running game; a player from another address still gets
    // one: the latest of theirs gives it up and is told it is refused, and
    // the player enters the game there. One more from their address is
    // turned away.
    void fauxJoueursDUnHoteSansFenetre()
    {
        QTemporaryDir dossier;
        const std::unique_ptr<ZB_HoteSansFenetre> sansFenetre = demarreSansFenetre(dossier.path());
        const quint16 port = sansFenetre->serveur()->getPortTcp();
        QVERIFY(port != 0);
        ZB_ServerSocket* serveurDeLaSalle = sansFenetre->salle()->getServer();
        const int places = serveurDeLaSalle->maxPlayers();
        const auto identifie = [port](const QHostAddress& depuis, qint64 id) {
            auto socket = std::make_unique<QTcpSocket>();
            socket->bind(depuis);
            socket->connectToHost(QHostAddress::LocalHost, port);
            OptionsDuJoueur j;
            j.nom_ = QStringLiteral("J%1").arg(id);
            j.id_ = id;
            socket->write(EvenementDeJeu(EvenementDeJeu::NeW, j.sauveValeursDansString(), 4,
                                         EtatDeJeu::Identification, 2, id, 0, -1, -2, ZB_ICI)
                              .toString(1)
                              .toUtf8());
            return socket;
        };
        // Given a seat by the table, which it takes at its next turn.
        const auto place = [&](qint64 id) {
            const QList<ZB_ServerSocketConnection*> joueurs = serveurDeLaSalle->getJoueurs();
            return std::any_of(joueurs.cbegin(), joueurs.cend(), [id](const ZB_ServerSocketConnection* c) {
                return c->getPlayerId() == id && c->getTableId() == 0;
            });
        };
        const QHostAddress leurAdresse(QStringLiteral("127.0.0.2"));
        std::vector<std::unique_ptr<QTcpSocket>> faux;
        for (int i = 0; i < places; ++i) {
            faux.push_back(identifie(leurAdresse, 900 + i));
            QVERIFY2(QTest::qWaitFor([&] { return place(900 + i); }, 20000),
                     qPrintable(QStringLiteral("fake %1: state %2, %3 players")
                                    .arg(i)
                                    .arg(serveurDeLaSalle->getEtat())
                                    .arg(serveurDeLaSalle->getJoueurs().size())));
        }
        // The host's seat stays its own: the table is full.
        QVERIFY(QTest::qWaitFor([&] { return serveurDeLaSalle->getEtat() == ZB_ServerSeatingA::EnCoursComplet; },
                                5000));

        std::unique_ptr<QTcpSocket> vrai = identifie(QHostAddress(QHostAddress::LocalHost), 42);
        QVERIFY2(QTest::qWaitFor([&] { return place(42); }, 20000),
                 qPrintable(QStringLiteral("state %1, %2 players")
                                .arg(serveurDeLaSalle->getEtat())
                                .arg(serveurDeLaSalle->getJoueurs().size())));
        QVERIFY(!place(900 + places - 1));
        QVERIFY(QTest::qWaitFor([&] { return faux.back()->state() == QAbstractSocket::UnconnectedState; }, 10000));
        QVERIFY(faux.back()->readAll().contains(RECORD_REFUS_TABLE));
        QVERIFY(vrai->state() == QAbstractSocket::ConnectedState);
        // It is sent the game so far, to enter it at its seat.
        QVERIFY(QTest::qWaitFor([&] { return vrai->peek(vrai->bytesAvailable()).contains("{Rs"); }, 10000));

        // Their address holds fewer seats than it would: it takes none back.
        std::unique_ptr<QTcpSocket> encore = identifie(leurAdresse, 990);
        QVERIFY(QTest::qWaitFor([&] { return encore->state() == QAbstractSocket::UnconnectedState; }, 10000));
        QVERIFY(!place(990));
        QVERIFY(place(42));
    }

    // The same at a game under way, its players seated and playing: the
    // copies of one address hold every seat; a copy from another address
    // takes the seat the latest of them gives up, is caught up and plays
    // from it live.
    void passationEnJeuDUnHoteSansFenetre()
    {
        QTemporaryDir dossier;
        const std::unique_ptr<ZB_HoteSansFenetre> sansFenetre = demarreSansFenetre(dossier.path());
        const quint16 port = sansFenetre->serveur()->getPortTcp();
        ZB_ServerSocket* serveurDeLaSalle = sansFenetre->salle()->getServer();
        ZB_RoomTable* table = sansFenetre->salle()->getTable(-1);
        const auto joint = [port](const QHostAddress& depuis) {
            auto machine = std::make_unique<Machine>(Tcp);
            auto* socket = new GM_SocketTCP;
            socket->getTcpSocket()->bind(depuis);
            int mode = ZB_Room::SansDepart;
            int session = ZB_Room::SessionClient;
            machine->salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                           QStringLiteral("invite"), 0, 0, port, 5, false,
                                           QSharedPointer<GM_SocketAbstract>(socket, &QObject::deleteLater), 0);
            return machine;
        };
        // The seat a player plays at the host, -1 while it has not entered.
        const auto siegeDe = [table](qint64 id) {
            for (int i = 1; i < 4; ++i) {
                const JoueurHumain* j = table->getJoueur(i);
                if (j != nullptr && j->options_.id_ == id
                    && (j->modeJeu_ == Joueur::ModeHumainDistant || j->modeJeu_ == Joueur::ModeOrdinateurDistant))
                    return i;
            }
            return -1;
        };
        std::vector<std::unique_ptr<Machine>> leurs;
        for (int i = 0; i < serveurDeLaSalle->maxPlayers(); ++i) {
            leurs.push_back(joint(QHostAddress(QStringLiteral("127.0.0.2"))));
            QVERIFY(QTest::qWaitFor([&] { return serveurDeLaSalle->getJoueurs().size() == i + 1; }, 20000));
        }
        const qint64 dernier = serveurDeLaSalle->getJoueurs().last()->getPlayerId();
        QVERIFY2(QTest::qWaitFor([&] { return siegeDe(dernier) > 0; }, 60000), "the last of them never entered");
        const int siege = siegeDe(dernier);

        std::unique_ptr<Machine> nouveau = joint(QHostAddress(QHostAddress::LocalHost));
        ListeDesEvenements* liste = sansFenetre->salle()->getListe(-1);
        QVERIFY2(QTest::qWaitFor([&] { return siegeDe(nouveau->salle->getIdJoueur()) == siege; }, 60000),
                 qPrintable(QStringLiteral("state %1, %2 players, the newcomer's connection in state %3")
                                .arg(serveurDeLaSalle->getEtat())
                                .arg(serveurDeLaSalle->getJoueurs().size())
                                .arg(nouveau->salle->getClientSocket() != nullptr
                                         ? nouveau->salle->getClientSocket()->getEtat() : -1)));
        // Entered: the seat's next card is its own, sent from its copy.
        const qsizetype coupsAvant = coups(*liste).size();
        QVERIFY(QTest::qWaitFor([&] {
            const QStringList tous = coups(*liste);
            for (qsizetype i = coupsAvant; i < tous.size(); ++i)
                if (tous.at(i).section(QLatin1Char(' '), 0, 0).toInt() == EvenementDeJeu::Ajo
                    && tous.at(i).section(QLatin1Char(' '), 2, 2).toInt() == siege)
                    return true;
            return false;
        }, 60000));
        QCOMPARE(nouveau->salle->getClientSocket()->getEtat(), int(ZB_StatutConnexionA::JeuEnCours));
    }

    // A client that sends a card its seat may not play: the host refuses it
    // and strikes the connection once, the card the client's player chose
    // is played after it, and both machines play the same match to its end.
    void carteInterdite()
    {
        CompteAvertissements avertissements;
        heberge(Tcp);
        auto* tricheur = new SocketTricheur;
        tricheur->carteInterdite = [this](const EvenementDeJeu& ev) {
            ZB_RoomTable* table = hote->salle->getTable(-1);
            const QSharedPointer<Partie> partie = table->getPartie();
            const JoueurHumain* joueur = table->getJoueur(ev.noJoueur_);
            // Following in a trick, the host stands where the client played.
            if (partie.isNull() || joueur == nullptr || partie->carteNo_ == 0
                || partie->noDuProchainAJouer_ != ev.noJoueur_ || hote->liste()->getEtatAttendu() != ev.etat_)
                return QString();
            for (const Carte* carte : joueur->main_)
                if (!Partie::estCodeJouable(partie->estCarteValide(carte, ev.noJoueur_, joueur->main_)))
                    return carte->toString();
            return QString();
        };
        tricheur->refusee = [this] {
            const QList<ZB_ServerSocketConnection*> joueurs = hote->salle->getServer()->getJoueurs();
            return !joueurs.isEmpty() && joueurs.first()->getStrikes() > 0;
        };
        std::unique_ptr<Machine> client =
            rejoint(Tcp, QSharedPointer<GM_SocketAbstract>(tricheur, &QObject::deleteLater));
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        joueLeMatch(*client);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(tricheur->triche);
        QCOMPARE(hote->salle->getServer()->getJoueurs().first()->getStrikes(), quint64(1));
        // The table's refusal, the list's skipped event and the strike.
        const QStringList avertis = CompteAvertissements::tous;
        QCOMPARE(avertis.size(), 3);
        for (const QString& attendu : {QStringLiteral("has been REFUSED"), QStringLiteral("has been SKIPPED"),
                                       QStringLiteral("(strike 1): refused by the table: card ")})
            QVERIFY2(std::count_if(avertis.cbegin(), avertis.cend(),
                                   [&](const QString& a) { return a.contains(attendu); }) == 1,
                     qPrintable(avertis.join(QLatin1Char('\n'))));
    }

    // A client that does not trust the host's certificate cannot join: the
    // status window ends in its error state with the socket's error text.
    void certificatEtranger()
    {
        QTemporaryDir dossier;
        const QString cle = dossier.filePath(QStringLiteral("cle.pem"));
        const QString certificat = dossier.filePath(QStringLiteral("cert.pem"));
        const int rc = QProcess::execute(
            QStringLiteral("openssl"),
            {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
             QStringLiteral("-nodes"), QStringLiteral("-keyout"), cle, QStringLiteral("-out"), certificat,
             QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")});
        if (rc != 0)
            ZB_MANQUE("openssl is not available");
        QFile fc(certificat);
        QFile fk(cle);
        QVERIFY(fc.open(QIODevice::ReadOnly) && fk.open(QIODevice::ReadOnly));
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(QSslCertificate(fc.readAll(), QSsl::Pem));
        tls.setPrivateKey(QSslKey(fk.readAll(), QSsl::Rsa, QSsl::Pem));
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
        QWebSocketServer etranger(QStringLiteral("etranger"), QWebSocketServer::SecureMode);
        etranger.setSslConfiguration(tls);
        QVERIFY(etranger.listen(QHostAddress::LocalHost, 0));

        Machine client(WebSocketSecure);
        int mode = ZB_Room::SansDepart;
        int session = ZB_Room::SessionClient;
        client.salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                     QStringLiteral("invite"), etranger.serverPort(), 0, 0, 5, false, {}, 0);
        ClientSocket* socket = client.salle->getClientSocket();
        QVERIFY(socket != nullptr);
        QVERIFY(QTest::qWaitFor([&] { return socket->getEtat() >= 8; }, 10000));
        QCOMPARE(socket->getEtat(), 10);
        QVERIFY(client.salle->getServer()->getJoueurs().isEmpty());
    }

    // The client's texts: a refused connection, a host that closes during
    // play, and a disconnection the user asked for.
    // The client's program dies in the middle of a deal: the host's
    // computer plays its seat meanwhile. Started again on the same data
    // folder it joins again, is known as the same player, gets its own seat
    // back from the host and plays on there, its greeting box left open.
    void retourApresUnCrash()
    {
        CompteAvertissements avertissements;
        heberge(Tcp);
        QTemporaryDir dossier;
        std::unique_ptr<Machine> client = rejoint(Tcp, {}, dossier.path());
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        const qint64 id = hote->salle->getServer()->getJoueurs().first()->getPlayerId();
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY(QTest::qWaitFor(
            [&] { return client->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendRamasseTas1; }, 20000));
        ZB_RoomTable* table = hote->salle->getTable(-1);
        int siege = -1;
        for (int i = 0; i < 4; ++i)
            if (table->getJoueur(i)->options_.id_ == id)
                siege = i;
        QVERIFY(siege >= 0);
        // A participant elsewhere: its computer plays here, as a person would.
        const int modeDistant = table->getJoueur(siege)->modeJeu_;
        QVERIFY(modeDistant == Joueur::ModeHumainDistant || modeDistant == Joueur::ModeOrdinateurDistant);

        client->salle->getClientSocket()->getSocket()->abort();
        client.reset();
        QVERIFY(QTest::qWaitFor([&] { return table->getJoueur(siege)->modeJeu_ == Joueur::ModeRemplacant; }, 10000));
        QCOMPARE(hote->salle->getServer()->getEtat(), int(ZB_ServerSeatingA::EnCoursAvecPlacesLibres));
        // The game goes on without the client.
        const int etat = hote->liste()->getEtatAttendu();
        QVERIFY(QTest::qWaitFor([&] { return hote->liste()->getEtatAttendu() != etat; }, 20000));

        // It comes back late in a deal: it enters at the next one, after a
        // replay of the game so far that is played at the table's pace.
        QVERIFY(QTest::qWaitFor([&] {
            const int e = hote->liste()->getEtatAttendu();
            return e >= 80 && e <= 120;
        }, 20000));
        const int donnesAvantRetour = donnes(*hote->liste());
        client = rejoint(Tcp, {}, dossier.path());
        // Nobody reads the box that greets the return: the catch-up and the
        // table do not wait for it.
        client->boites.setRepondeur({});
        // Its user double-clicks cards while the catch-up replay runs: the
        // panel answers the replayed request of its seat, and the answer
        // reaches the table before the replay's next move (the pace of a
        // replay a person watches).
        int clics = 0;
        QTimer clic;
        connect(&clic, &QTimer::timeout, this, [&] {
            ListeDesEvenements* liste = client ? client->liste() : nullptr;
            JoueurHumain* joueur = liste != nullptr ? client->salle->getTable(-1)->getJoueur(siege) : nullptr;
            // While the replay runs, and after it while the seat waits to
            // enter and the host's computer still plays it.
            if (joueur == nullptr
                || !(liste->estReplayEnCours() || joueur->modeJeu_ == Joueur::ModeEnAttenteDEntree))
                return;
            // Not the card the replay plays there (the host's, as it was
            // played): a person's choice differs from it.
            const InfoDemande& demande = joueur->demande_;
            QString rejouee;
            const QString debut = QStringLiteral("%1 %2 %3 ").arg(EvenementDeJeu::Ajo).arg(demande.etat_).arg(siege);
            for (const QString& coup : coups(*hote->liste()))
                if (coup.startsWith(debut))
                    rejouee = coup.mid(debut.size());
            for (const Carte* carte : joueur->main_)
                if (Partie::estCodeJouable(joueur->peutJouerCarte(*carte)) && carte->toString() != rejouee) {
                    EvenementDeJeu double_clic(EvenementDeJeu::Ajo, carte->toString(), siege, demande.etat_,
                                               EvenementDeJeu::Local_Human, joueur->options_.id_, 0,
                                               demande.noDemande_, demande.noTable_, ZB_ICI);
                    QCoreApplication::sendEvent(client->salle.get(), &double_clic);
                    ++clics;
                    return;
                }
        });
        clic.start(0);
        QVERIFY(QTest::qWaitFor([&] { return table->getJoueur(siege)->modeJeu_ == modeDistant; }, 60000));
        QCOMPARE(table->getJoueur(siege)->options_.id_, id);
        // Its own moves come back to the host from its seat.
        const int coupsAvant = int(coups(*hote->liste()).size());
        QVERIFY(QTest::qWaitFor([&] {
            const QStringList tous = coups(*hote->liste());
            for (qsizetype i = coupsAvant; i < tous.size(); ++i)
                if (tous.at(i).section(QLatin1Char(' '), 2, 2).toInt() == siege)
                    return true;
            return false;
        }, 60000));
        QVERIFY(QTest::qWaitFor([&] { return coups(*client->liste()).size() >= coupsAvant; }, 20000));
        QCOMPARE(coups(*client->liste()).mid(0, coupsAvant), coups(*hote->liste()).mid(0, coupsAvant));
        // The clicks were neither lost into a stall nor taken for moves: the
        // table deals on, the same on both machines.
        QVERIFY(clics > 0);
        clic.stop();
        QVERIFY2(QTest::qWaitFor([&] { return donnes(*hote->liste()) >= donnesAvantRetour + 2; }, 60000),
                 qPrintable(QStringLiteral("host in state %1, client in state %2")
                                .arg(hote->liste()->getEtatAttendu())
                                .arg(client->liste()->getEtatAttendu())));
        QVERIFY(QTest::qWaitFor([&] { return coups(*client->liste()).size() >= coups(*hote->liste()).size() - 4; },
                                20000));
        const int communs = int(coups(*client->liste()).size());
        QCOMPARE(coups(*client->liste()).mid(0, communs), coups(*hote->liste()).mid(0, communs));
        QVERIFY2(!CompteAvertissements::tous.join(QLatin1Char('\n')).contains(QLatin1String("SKIPPED")),
                 qPrintable(CompteAvertissements::tous.join(QLatin1Char('\n'))));
        // One box told the user that the game so far is replayed and that
        // it enters at the next deal; none came over its turn once it did.
        const QStringList boites = client->titres();
        QVERIFY2(boites.size() == 1 && boites.first().contains(QStringLiteral("rejoué"))
                     && boites.first().contains(QStringLiteral("prochaine donne")),
                 qPrintable(boites.join(QLatin1Char('\n'))));
    }

    // A joining copy hangs in the middle of the game: its socket stays open
    // and it reads and answers nothing. Each host gives its seat to the
    // computer once its answer is late by more than the turn's time and a
    // margin, and the game goes on. The user starts the program again on
    // the same data folder while the hung one still runs (and still holds
    // the line, or lost it): the new copy is the same player, and gets her
    // own seat back, at a full table too (where the host has not seen the
    // old line close, as after a kill).
    void copieFigee_data()
    {
        QTest::addColumn<bool>("sansFenetre");
        QTest::addColumn<bool>("retourAvantLaGarde");
        QTest::addColumn<int>("transport");
        QTest::addColumn<bool>("complet");
        QTest::newRow("windowed host") << false << false << int(Tcp) << false;
        QTest::newRow("windowed host, back before the host gave up") << false << true << int(Tcp) << false;
        QTest::newRow("windowless host") << true << false << int(Tcp) << false;
        QTest::newRow("full windowless table, back at once, tcp") << true << true << int(Tcp) << true;
        QTest::newRow("full windowless table, back at once, websocket") << true << true << int(WebSocket) << true;
        QTest::newRow("full windowless table, back at once, secure") << true << true << int(WebSocketSecure) << true;
    }
    void copieFigee()
    {
        QFETCH(bool, sansFenetre);
        QFETCH(bool, retourAvantLaGarde);
        QFETCH(int, transport);
        QFETCH(bool, complet);
        const auto par = Transport(transport);
        QTemporaryDir dossierHote;
        std::unique_ptr<ZB_HoteSansFenetre> hoteSansFenetre;
        ZB_Room* salle = nullptr;
        ZB_MultiServer* chez = nullptr;
        if (sansFenetre) {
            hoteSansFenetre = demarreSansFenetre(dossierHote.path(), 3);
            salle = hoteSansFenetre->salle();
            chez = hoteSansFenetre->serveur();
        } else {
            OptionsDePartie options = optionsJass();
            options.delaiReponse_ = 3;
            heberge(Tcp, options);
            salle = hote->salle.get();
            chez = serveur.get();
        }
        QTemporaryDir dossier;
        std::unique_ptr<Machine> figee = rejoint(par, {}, dossier.path(), chez);
        QVERIFY(QTest::qWaitFor([&] { return salle->getServer()->getJoueurs().size() == 1; }, 10000));
        ZB_ServerSocketConnection* premiere = salle->getServer()->getJoueurs().first();
        QVERIFY(premiere != nullptr);
        const QPointer<ZB_ServerSocketConnection> ligneFigee(premiere);
        const qint64 id = premiere->getPlayerId();
        // The windowless host's game needs one player to go on.
        std::unique_ptr<Machine> autre;
        std::unique_ptr<Machine> troisieme;
        if (sansFenetre)
            autre = rejoint(par, {}, QString(), chez);
        if (complet) {
            troisieme = rejoint(par, {}, QString(), chez);
            QVERIFY(QTest::qWaitFor(
                [&] { return salle->getServer()->getEtat() == ZB_ServerSeatingA::EnCoursComplet; }, 60000));
        }
        if (!sansFenetre)
            hote->salle->getServerView()->OnDemarrer();
        ZB_RoomTable* table = salle->getTable(-1);
        const auto siegeDe = [&](qint64 joueur) {
            for (int i = 0; i < 4; ++i)
                if (table->getJoueur(i)->options_.id_ == joueur)
                    return i;
            return -1;
        };
        const auto distant = [&](int siege) {
            const int mode = table->getJoueur(siege)->modeJeu_;
            return mode == Joueur::ModeHumainDistant || mode == Joueur::ModeOrdinateurDistant;
        };
        QVERIFY(QTest::qWaitFor([&] { return figee->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendRamasseTas1; },
                                20000));
        const int siege = siegeDe(id);
        QVERIFY(siege >= 0 && distant(siege));
        figee->salle->getClientSocket()->getSocket()->blockSignals(true);
        QElapsedTimer figeeDepuis;
        figeeDepuis.start();

        std::unique_ptr<Machine> retour;
        if (retourAvantLaGarde)
            retour = rejoint(par, {}, dossier.path(), chez);
        else {
            const qint64 limite = qint64(table->getOptionsDePartie().delaiReponse_ * 1000) + ZB_GardeDesTours::MargeMs;
            QVERIFY2(QTest::qWaitFor([&] { return table->getJoueur(siege)->modeJeu_ == Joueur::ModeRemplacant; },
                                     int(limite) + 10000),
                     qPrintable(QStringLiteral("host in state %1, seat in mode %2")
                                    .arg(table->getEtatCourant())
                                    .arg(table->getJoueur(siege)->modeJeu_)));
            QVERIFY(figeeDepuis.elapsed() >= limite - 2000);
            const int etat = table->getEtatCourant();
            QVERIFY(QTest::qWaitFor([&] { return table->getEtatCourant() != etat; }, 10000));
            retour = rejoint(Tcp, {}, dossier.path(), chez);
        }
        // The same player on her own seat, her stale connection closed.
        const auto revenue = [&] {
            const QList<ZB_ServerSocketConnection*> joueurs = salle->getServer()->getJoueurs();
            return ligneFigee.isNull() && siegeDe(id) == siege && distant(siege)
                && std::count_if(joueurs.cbegin(), joueurs.cend(),
                                 [id](const ZB_ServerSocketConnection* c) { return c->getPlayerId() == id; }) == 1;
        };
        QVERIFY2(QTest::qWaitFor(revenue, 30000),
                 qPrintable(QStringLiteral("the player (id %1, the new copy's %2) is at seat %3, its seat in mode %4")
                                .arg(id)
                                .arg(retour->salle->getIdJoueur())
                                .arg(siegeDe(id))
                                .arg(table->getJoueur(siege)->modeJeu_)));
        QCOMPARE(retour->salle->getIdJoueur(), id);
    }

    // Copies that come back silent under their player's id and key, at once
    // after each drop, or with one more connection just before each wait
    // with its catch-up would run out, at windowed and windowless hosts: a
    // host gives such a copy up three times at most in the match, gives it
    // catch-up time once a deal and none after the second drop, and the
    // honest player's deals go on at close to their pace without it. The
    // tables of a row play at once: their time is the hosts' waits.
    void revenantMuet_data()
    {
        // Per table: sans fenetre (windowless host) * 10 + how the copy
        // comes back (0: no such copy, 1: after each drop, 2: a new
        // connection now and then).
        QTest::addColumn<QList<int>>("tables");
        QTest::newRow("windowed host, control") << QList<int>{0};
        QTest::newRow("back after each drop, or on a second line") << QList<int>{1, 11, 12};
    }
    void revenantMuet()
    {
        QFETCH(QList<int>, tables);
        struct Table
        {
            bool sansFenetre = false;
            int revient = 0;
            QTemporaryDir dossier;
            std::unique_ptr<ZB_HoteSansFenetre> hoteSansFenetre;
            ZB_Room* salle = nullptr;
            ZB_MultiServer* chez = nullptr;
            std::unique_ptr<RevenantMuet> muet;
            std::unique_ptr<Machine> honnete;
            QTimer secondes;
            qint64 debutMs = 0;
            qint64 finMs = -1;
            // When the copy was seated and when its seat was taken from it, each time.
            QList<qint64> assise;
            QList<qint64> coupee;
        };
        std::vector<std::unique_ptr<Table>> liste;
        QElapsedTimer horloge;
        horloge.start();
        OptionsDePartie options = optionsJass();
        options.delaiReponse_ = 3;
        const qint64 tourMs = qint64(options.delaiReponse_ * 1000) + ZB_GardeDesTours::MargeMs;
        for (const int code : tables) {
            auto t = std::make_unique<Table>();
            t->sansFenetre = code >= 10;
            t->revient = code % 10;
            if (t->sansFenetre) {
                t->hoteSansFenetre = demarreSansFenetre(t->dossier.path(), options.delaiReponse_);
                t->chez = t->hoteSansFenetre->serveur();
                t->salle = t->hoteSansFenetre->salle();
            } else {
                heberge(Tcp, options);
                t->salle = hote->salle.get();
                t->chez = serveur.get();
            }
            t->debutMs = horloge.elapsed();
            t->muet = std::make_unique<RevenantMuet>(t->chez->getPortTcp());
            t->muet->apresChaqueCoupure = t->revient == 1;
            // The copy that comes back after each drop is at the table from
            // its first deal (the windowless host starts at its first
            // player); the other enters the running game.
            if (t->revient == 1) {
                t->muet->ouvre();
                QVERIFY(QTest::qWaitFor([&] { return t->salle->getServer()->getJoueurs().size() == 1; }, 10000));
            }
            t->honnete = rejoint(Tcp, {}, QString(), t->chez);
            if (!t->sansFenetre) {
                QVERIFY(QTest::qWaitFor(
                    [&] { return t->salle->getServer()->getJoueurs().size() == 1 + int(t->revient == 1); },
                    10000));
                hote->salle->getServerView()->OnDemarrer();
            }
            QVERIFY(QTest::qWaitFor([&] { return donnes(*t->honnete->liste()) >= 1; }, 20000));
            QCOMPARE(t->salle->getTable(-1)->getOptionsDePartie().delaiReponse_, options.delaiReponse_);
            if (t->revient == 2) {
                t->muet->ouvre();
                RevenantMuet& muet = *t->muet;
                QObject::connect(&t->secondes, &QTimer::timeout, &t->secondes, [&muet] { muet.ouvre(); });
                t->secondes.start(int(tourMs + ZB_GardeDesTours::RattrapageMs - 5000));
            }
            liste.push_back(std::move(t));
        }
        const int donnesVoulues = 6;
        // Once a table has its deals, what follows (a new match may seat the
        // copy again) is not counted.
        const auto suit = [&](Table& t) {
            if (t.finMs >= 0)
                return true;
            const ZB_RoomTable* table = t.salle->getTable(-1);
            bool tient = false;
            for (int i = 0; i < 4; ++i) {
                const JoueurHumain* j = table->getJoueur(i);
                tient = tient
                    || (j->options_.id_ == t.muet->id
                        && (j->modeJeu_ == Joueur::ModeHumainDistant || j->modeJeu_ == Joueur::ModeOrdinateurDistant));
            }
            const qint64 maintenant = horloge.elapsed() - t.debutMs;
            if (tient && t.assise.size() == t.coupee.size())
                t.assise << maintenant;
            else if (!tient && t.assise.size() > t.coupee.size())
                t.coupee << maintenant;
            if (t.finMs < 0 && donnes(*t.honnete->liste()) >= donnesVoulues)
                t.finMs = maintenant;
            return t.finMs >= 0;
        };
        // The honest player's first deals: at their pace without the copy
        // (seconds), and the copy's whole cost as the rules allow it.
        const qint64 borne = 3 * tourMs + 2 * ZB_GardeDesTours::RattrapageMs + 60000;
        // Each table's own checks below say which ran out.
        static_cast<void>(QTest::qWaitFor(
            [&] {
                bool tous = true;
                for (const std::unique_ptr<Table>& t : liste)
                    tous = suit(*t) && tous;
                return tous;
            },
            int(borne)));
        // Every table's account in each failure: one says how the others went.
        QString temps;
        for (const std::unique_ptr<Table>& t : liste) {
            temps += QStringLiteral("\ntable %1: deal %2 at %3 ms, seated-given up:")
                         .arg(t->sansFenetre * 10 + t->revient)
                         .arg(donnesVoulues)
                         .arg(t->finMs);
            for (int k = 0; k < t->assise.size(); ++k)
                temps += QStringLiteral(" %1-%2").arg(t->assise[k]).arg(k < t->coupee.size() ? t->coupee[k] : -1);
        }
        qInfo("%s", qPrintable(temps));
        for (const std::unique_ptr<Table>& t : liste) {
            QVERIFY2(t->finMs >= 0 && t->finMs <= borne, qPrintable(temps));
            QVERIFY2(t->coupee.size() <= ZB_GardeDesTours::AbandonsPourLaPartie, qPrintable(temps));
            // No catch-up time after the second drop: later ones come within
            // a turn's wait, well short of one with a catch-up.
            for (int k = 2; k < t->coupee.size(); ++k)
                QVERIFY2(t->coupee[k] - t->assise[k] < tourMs + ZB_GardeDesTours::RattrapageMs / 2, qPrintable(temps));
        }
    }

    // A seated peer's chat: the host passes on no line under a seat not its
    // sender's, and a long line is one line on every screen, its override
    // kept within the peer's words.
    void chatDUnPair()
    {
        heberge(Tcp);
        std::unique_ptr<Machine> client = rejoint(Tcp);
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY(QTest::qWaitFor(
            [&] { return client->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendRamasseTas1; }, 20000));
        ClientSocket* socket = client->salle->getClientSocket();
        const qint64 id = socket->getIdJoueur();
        const int siege = siegeDuClient(*client);
        QVERIFY(siege > 0 && siege < 4);
        auto envoie = [&](int noJoueur, const QString& texte) {
            socket->sendEvent(EvenementDeJeu(EvenementDeJeu::Mes, texte, noJoueur, EtatDeJeu::HorsDeroulement,
                                             EvenementDeJeu::Local_Human, id, 0, -1, 0, ZB_ICI));
        };
        envoie(0, QStringLiteral("I am seat 0 and I give up"));
        envoie(siege, QChar(0x202E) + QString(300000, QLatin1Char('x')));
        auto longues = [](const Machine& m, QChar c) { return m.display.messages.filter(QString(100, c)); };
        QVERIFY2(QTest::qWaitFor([&] { return !longues(*hote, QLatin1Char('x')).isEmpty(); }, 10000),
                 qPrintable(hote->display.messages.join(QLatin1Char('\n'))));
        // The copy shows no line of its own seat that the host passes back:
        // the host's own long line, after the others, tells that they came.
        hote->salle->getTable(-1)->getJoueur(0)->envoyeMessage(QChar(0x202E) + QString(300000, QLatin1Char('y')),
                                                                EvenementDeJeu::Local_Human, 0);
        QVERIFY2(QTest::qWaitFor([&] { return !longues(*client, QLatin1Char('y')).isEmpty(); }, 10000),
                 qPrintable(client->display.messages.join(QLatin1Char('\n'))));
        for (const auto& [m, c] : {std::pair{hote.get(), QLatin1Char('x')}, std::pair{client.get(), QLatin1Char('y')}}) {
            QVERIFY2(m->display.messages.filter(QStringLiteral("give up")).isEmpty(),
                     qPrintable(m->display.messages.join(QLatin1Char('\n'))));
            const QString ligne = longues(*m, c).constFirst();
            QVERIFY2(ligne.size() < 600 && ligne.contains(QString(QChar(0x2068)) + QChar(0x202E))
                         && ligne.endsWith(QChar(0x2069)),
                     qPrintable(ligne.left(100)));
        }
    }

    // A joiner excluded for slowness says so before its copy leaves: the
    // host hears of the exclusion, not of a departure only.
    void exclusionAvantLeDepart()
    {
        heberge(Tcp);
        std::unique_ptr<Machine> client = rejoint(Tcp);
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY(QTest::qWaitFor(
            [&] { return client->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendRamasseTas1; }, 20000));
        const QString exclu = ZB_MessageDeTable::texte(ZB_MessageDeTable::ExcluPourLenteur);
        auto exclut = [&](Machine& m, int siege) {
            JoueurHumain* joueur = m.salle->getTable(-1)->getJoueur(siege);
            joueur->envoyeMessage(exclu, EvenementDeJeu::Local_Table, 0);
            emit joueur->signalPlayerExcluded();
        };
        exclut(*client, siegeDuClient(*client));
        QVERIFY2(QTest::qWaitFor([&] { return !hote->display.messages.filter(exclu).isEmpty(); }, 5000),
                 qPrintable(hote->display.messages.join(QLatin1Char('\n'))));
    }

    // Every copy names each seat alike: a computer's seat as a computer's,
    // two players of one long name apart by the host's number, the host
    // excluded for slowness, and the windowless host, as the computer that
    // plays their seats.
    void nomsDesSieges_data()
    {
        QTest::addColumn<bool>("sansFenetre");
        QTest::newRow("host at its window") << false;
        QTest::newRow("windowless host") << true;
    }
    void nomsDesSieges()
    {
        QFETCH(bool, sansFenetre);
        QTemporaryDir dossier;
        std::unique_ptr<ZB_HoteSansFenetre> hoteSansFenetre;
        std::vector<std::unique_ptr<Machine>> invites;
        const QString nomLong = QStringLiteral("Anna-Maria Josephine von Liechtenstein");
        if (sansFenetre) {
            hoteSansFenetre = demarreSansFenetre(dossier.path());
            invites.push_back(rejoint(Tcp, {}, {}, hoteSansFenetre->serveur(), nomLong));
        } else {
            heberge(Tcp);
            for (int i = 0; i < 2; ++i) {
                invites.push_back(rejoint(Tcp, {}, {}, nullptr, nomLong));
                QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == i + 1; }, 10000));
            }
            hote->salle->getServerView()->OnDemarrer();
        }
        ZB_RoomTable* deLHote = sansFenetre ? hoteSansFenetre->salle()->getTable(-1) : hote->salle->getTable(-1);
        // Four names, alike on every copy, the host's seat ending so.
        QString vus;
        const auto pareils = [&](const QString& hoteEst) {
            const QStringList chezLHote = nomsVus(*deLHote);
            vus = chezLHote.join(QLatin1String(" | "));
            bool memes = chezLHote.at(0).endsWith(hoteEst)
                      && QSet<QString>(chezLHote.cbegin(), chezLHote.cend()).size() == 4;
            for (const std::unique_ptr<Machine>& invite : invites) {
                memes = memes && invite->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendRamasseTas1
                     && nomsVus(*invite->salle->getTable(-1)) == chezLHote;
                vus += QLatin1Char('\n') + nomsVus(*invite->salle->getTable(-1)).join(QLatin1String(" | "));
            }
            return memes;
        };
        const QString ordi = QStringLiteral(" (ordi)");
        QVERIFY2(QTest::qWaitFor([&] { return pareils(sansFenetre ? ordi : QStringLiteral(" (joueur)")); }, 30000),
                 qPrintable(vus));
        QVERIFY2(nomsVus(*deLHote).filter(ordi).size() == (sansFenetre ? 3 : 1), qPrintable(vus));
        if (sansFenetre)
            return;

        // The host is excluded for slowness at its own table: the computer
        // plays its seat on, through the next deal.
        JoueurHumain* lHote = deLHote->getJoueur(0);
        lHote->setMode(Joueur::ModeRemplacant);
        lHote->envoyeMessage(ZB_MessageDeTable::texte(ZB_MessageDeTable::ExcluPourLenteur),
                             EvenementDeJeu::Local_Table, 0);
        emit lHote->signalPlayerExcluded();
        QVERIFY2(QTest::qWaitFor([&] { return pareils(ordi); }, 10000), qPrintable(vus));
        const int donnesAvant = donnes(*invites.front()->liste());
        QVERIFY(QTest::qWaitFor([&] { return donnes(*invites.front()->liste()) > donnesAvant; }, 60000));
        QVERIFY2(QTest::qWaitFor([&] { return pareils(ordi); }, 10000), qPrintable(vus));
    }

    // A copy whose table no longer holds the host's game (a card of the
    // host's hand gone from it) refuses the host's move: it does not wait
    // for ever, but joins again, is caught up and plays on in step.
    void copieHorsDePas()
    {
        CompteAvertissements avertissements;
        heberge(Tcp);
        QTemporaryDir dossier;
        std::unique_ptr<Machine> client = rejoint(Tcp, {}, dossier.path());
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY(QTest::qWaitFor(
            [&] { return client->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendCarte1; }, 20000));
        JoueurHumain* hoteChezLeClient = client->salle->getTable(-1)->getJoueur(0);
        for (int index = 0; index < EnsembleDeCartes::TAILLE; ++index)
            hoteChezLeClient->main_.retireIndex(index);
        const int donnesAvant = donnes(*hote->liste());
        QVERIFY2(QTest::qWaitFor([&] { return donnes(*hote->liste()) >= donnesAvant + 2; }, 60000),
                 qPrintable(QStringLiteral("host in state %1, client in state %2")
                                .arg(hote->liste()->getEtatAttendu())
                                .arg(client->liste()->getEtatAttendu())));
        QVERIFY2(CompteAvertissements::tous.join(QLatin1Char('\n')).contains(QLatin1String("joins again")),
                 qPrintable(CompteAvertissements::tous.join(QLatin1Char('\n'))));
        QVERIFY(QTest::qWaitFor([&] { return coups(*client->liste()).size() >= coups(*hote->liste()).size() - 4; },
                                20000));
        const int communs = int(coups(*client->liste()).size());
        QCOMPARE(coups(*client->liste()).mid(0, communs), coups(*hote->liste()).mid(0, communs));
    }

    void textesDuClient()
    {
        // Nobody listens on this port any more.
        quint16 portFerme = 0;
        {
            QTcpServer temporaire;
            QVERIFY(temporaire.listen(QHostAddress::LocalHost, 0));
            portFerme = temporaire.serverPort();
        }
        {
            Machine client(Tcp);
            int mode = ZB_Room::SansDepart;
            int session = ZB_Room::SessionClient;
            client.salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                         QStringLiteral("invite"), 0, 0, portFerme, 5, false, {}, 0);
            QVERIFY(QTest::qWaitFor([&] { return client.salle->getClientSocket()->getEtat() == 8; }, 10000));
            QVERIFY(QTest::qWaitFor([&] { return !client.titres().isEmpty(); }, 5000));
            QVERIFY2(client.titres().join(QLatin1Char('\n'))
                         .contains(QStringLiteral("L'ordinateur distant a été trouvé, mais le serveur de jeu n'est "
                                                  "pas démarré, ou alors sa configuration réseau est incorrecte")),
                     qPrintable(client.titres().join(QLatin1Char('\n'))));
        }

        // The host goes away while the game runs.
        heberge(WebSocket);
        std::unique_ptr<Machine> client = rejoint(WebSocket);
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY(QTest::qWaitFor(
            [&] { return client->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendRamasseTas1; }, 20000));
        serveur.reset();
        hote.reset();
        QVERIFY(QTest::qWaitFor([&] {
            return client->titres().join(QLatin1Char('\n'))
                .contains(QStringLiteral("La connection avec le serveur a été interrompue. La partie ne pourra pas "
                                         "continuer."));
        }, 10000));

        // The host removes the player: it is told so, not that the
        // connection broke.
        heberge(WebSocket);
        std::unique_ptr<Machine> retire = rejoint(WebSocket);
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY(QTest::qWaitFor(
            [&] { return retire->liste()->getEtatAttendu() >= EtatDeJeu::Tour1_AttendRamasseTas1; }, 20000));
        hote->salle->getServer()->retireJoueur(hote->salle->getServer()->getJoueurs().first());
        QVERIFY(QTest::qWaitFor([&] {
            return retire->titres().join(QLatin1Char('\n')).contains(QStringLiteral("L'hôte vous a retiré de la partie."));
        }, 10000));
        QVERIFY(!retire->titres().join(QLatin1Char('\n')).contains(QStringLiteral("interrompue")));

        // The user leaves: no interruption notice.
        heberge(WebSocket);
        std::unique_ptr<Machine> partant = rejoint(WebSocket);
        QVERIFY(QTest::qWaitFor([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        partant->salle->disconnectFromServer();
        QVERIFY(QTest::qWaitFor([&] { return partant->salle->getClientSocket()->getEtat() == 7; }, 5000));
        QTest::qWait(100);
        QVERIFY(!partant->titres().join(QLatin1Char('\n')).contains(QStringLiteral("interrompue")));
    }
};

ZB_REGISTER_TEST(TestHostAndJoin)
#include "TestHostAndJoin.moc"
