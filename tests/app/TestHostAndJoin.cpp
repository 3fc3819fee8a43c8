#include "ClientSocket.h"
#include "EvenementDeJeu.h"
#include "GM_BanList.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_SocketWeb.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "ServerView.h"
#include "TableClient.h"
#include "TypeDePartie.h"
#include "ZB_ClientConnection.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_EventsGroup.h"
#include "ZB_MultiServer.h"
#include "ZB_RoomTable.h"
#include "ZbTestRegistry.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QWebSocketServer>

#include <array>
#include <memory>

namespace {

enum Transport { Tcp, WebSocket, WebSocketSecure };

// The display of a machine where the computer plays every seat shown here.
class DisplayOrdinateur : public ZB_DisplayEmpty
{
public:
    DisplayOrdinateur() { setModeAffichage(2, false); }
};

// What a table executed, one line a move, without the fields that differ
// from one machine to the other (sources, modes, request numbers).
QStringList coups(const ListeDesEvenements& liste)
{
    QStringList lignes;
    for (QTextBlock bloc = liste.getExecutes().begin(); bloc.isValid(); bloc = bloc.next()) {
        EvenementDeJeu ev;
        QString reste;
        if (!ev.fromString(bloc.text(), reste))
            continue;
        switch (ev.type_) {
        case EvenementDeJeu::Ajo:
        case EvenementDeJeu::Cho:
        case EvenementDeJeu::Chm:
        case EvenementDeJeu::Ann:
        case EvenementDeJeu::Dis:
        case EvenementDeJeu::Ram:
            lignes << QStringLiteral("%1 %2 %3 %4").arg(ev.type_).arg(ev.etat_).arg(ev.noJoueur_).arg(ev.texte_);
            break;
        default:
            break;
        }
    }
    return lignes;
}

struct Machine {
    QTemporaryDir dossier;
    DisplayOrdinateur display;
    GM_MessageBoxDisplayerHeadless boites;
    std::unique_ptr<TableClient> salle;

    Machine(Transport transport)
    {
        boites.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        ZB_Room::Parametres p;
        p.sansSauvegarde = true;
        p.modeSimple = true;
        p.sansDelai = true;
        p.tcp = transport == Tcp;
        p.nonSecurise = transport == WebSocket;
        p.dossierDonnees = dossier.path() + QLatin1Char('/');
        salle = std::make_unique<TableClient>(nullptr, &display, &boites, OptionsDePartie(TypeDePartie::GenreJass), p);
    }
    ~Machine() { salle.reset(); }
    ListeDesEvenements* liste() const { return salle->getListe(-1); }
    QStringList titres() const
    {
        QStringList t;
        for (const auto& a : boites.historique())
            t << a.requete.titre_ + QLatin1String(" | ") + a.requete.texte_;
        return t;
    }
};

// Refused, dropped or skipped events on either machine.
struct CompteAvertissements {
    static QString premier;
    static void gestionnaire(QtMsgType type, const QMessageLogContext&, const QString& texte)
    {
        if (type == QtDebugMsg || type == QtInfoMsg)
            return;
        const bool compte = texte.contains(QLatin1String("REFUSED")) || texte.contains(QLatin1String("SKIPPED"))
                         || texte.contains(QLatin1String("DROPPED")) || texte.contains(QLatin1String("WARNING"));
        if (compte && premier.isEmpty())
            premier = texte;
    }
    QtMessageHandler avant;
    CompteAvertissements() : avant(qInstallMessageHandler(&CompteAvertissements::gestionnaire)) { premier.clear(); }
    ~CompteAvertissements() { qInstallMessageHandler(avant); }
};
QString CompteAvertissements::premier;

OptionsDePartie optionsJass()
{
    TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
    OptionsDePartie options(TypeDePartie::GenreJass);
    options.idPreset_ = 4; // online Jass: 500 points, no announcements
    return options;
}

template <typename Condition>
bool attend(Condition condition, int ms)
{
    QElapsedTimer limite;
    limite.start();
    while (!condition()) {
        if (limite.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}

} // namespace

class TestHostAndJoin : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Machine> hote;
    std::unique_ptr<GM_BanList> bans;
    std::unique_ptr<ZB_MultiServer> serveur;

    void heberge(Transport transport)
    {
        hote = std::make_unique<Machine>(transport);
        bans = std::make_unique<GM_BanList>();
        serveur = std::make_unique<ZB_MultiServer>(nullptr, 0, QList<ZB_Room*>{hote->salle.get()}, bans.get());
        QVERIFY(serveur->ecoute(QHostAddress::LocalHost, 0, 0, 0));
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionServeur;
        hote->salle->reponse_Depart(&mode, &session, optionsJass(), QString(), QStringLiteral("hote"),
                                    serveur->getPortWebSecure(), serveur->getPortWebUnsecure(), serveur->getPortTcp(),
                                    0, false, {}, -1);
        QVERIFY(hote->salle->getServerView() != nullptr);
        QCOMPARE(hote->salle->getServer()->getEtat(), int(ZB_ServerSocket::AttenteJoueurs));
    }
    std::unique_ptr<Machine> rejoint(Transport transport)
    {
        auto client = std::make_unique<Machine>(transport);
        int mode = ZB_Room::SansDepart;
        int session = ZB_Room::SessionClient;
        client->salle->reponse_Depart(&mode, &session, optionsJass(), QStringLiteral("127.0.0.1"),
                                      QStringLiteral("invite"), serveur->getPortWebSecure(),
                                      serveur->getPortWebUnsecure(), serveur->getPortTcp(), 5, false, {}, 0);
        return client;
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
        QVERIFY(attend([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        QCOMPARE(client->salle->getClientSocket()->getEtat(), 5);

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
        connect(hote->salle.get(), &TableClient::testSignalGameCompleted, this,
                [&] { if (deLHote.isEmpty()) instantane(*hote, deLHote, scoresHote); });
        connect(client->salle.get(), &TableClient::testSignalGameCompleted, this,
                [&] { if (duClient.isEmpty()) instantane(*client, duClient, scoresClient); });
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY2(attend([&] { return !deLHote.isEmpty() && !duClient.isEmpty(); }, 120000),
                 qPrintable(QStringLiteral("host in state %1, client in state %2")
                                .arg(hote->liste()->etatAttendu_)
                                .arg(client->liste()->etatAttendu_)));
        QVERIFY(deLHote.size() > 100);
        QCOMPARE(duClient, deLHote);
        QCOMPARE(scoresClient, scoresHote);
        QVERIFY(scoresHote[0] >= 500 || scoresHote[1] >= 500);
        QCOMPARE(CompteAvertissements::premier, QString());
        QCOMPARE(client->salle->getClientSocket()->getEtat(), 6);
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
            QSKIP("openssl is not available");
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
        QVERIFY(attend([&] { return socket->getEtat() >= 8; }, 10000));
        QCOMPARE(socket->getEtat(), 10);
        QVERIFY(client.salle->getServer()->getJoueurs().isEmpty());
    }

    // The client's texts: a refused connection, a host that closes during
    // play, and a disconnection the user asked for.
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
            QVERIFY(attend([&] { return client.salle->getClientSocket()->getEtat() == 8; }, 10000));
            QVERIFY(attend([&] { return !client.titres().isEmpty(); }, 5000));
            QVERIFY2(client.titres().join(QLatin1Char('\n'))
                         .contains(QStringLiteral("L'ordinateur distant a été trouvé, mais le serveur de jeu n'est "
                                                  "pas démarré, ou alors sa configuration réseau est incorrecte")),
                     qPrintable(client.titres().join(QLatin1Char('\n'))));
        }

        // The host goes away while the game runs.
        heberge(WebSocket);
        std::unique_ptr<Machine> client = rejoint(WebSocket);
        QVERIFY(attend([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        hote->salle->getServerView()->OnDemarrer();
        QVERIFY(attend([&] { return client->liste()->etatAttendu_ > 40; }, 20000));
        serveur.reset();
        hote.reset();
        QVERIFY(attend([&] {
            return client->titres().join(QLatin1Char('\n'))
                .contains(QStringLiteral("La connection avec le serveur a été interrompue. La partie ne pourra pas "
                                         "continuer."));
        }, 10000));

        // The user leaves: no interruption notice.
        heberge(WebSocket);
        std::unique_ptr<Machine> partant = rejoint(WebSocket);
        QVERIFY(attend([&] { return hote->salle->getServer()->getJoueurs().size() == 1; }, 10000));
        partant->salle->disconnectFromServer();
        QVERIFY(attend([&] { return partant->salle->getClientSocket()->getEtat() == 7; }, 5000));
        QTest::qWait(100);
        QVERIFY(!partant->titres().join(QLatin1Char('\n')).contains(QStringLiteral("interrompue")));
    }
};

ZB_REGISTER_TEST(TestHostAndJoin)
#include "TestHostAndJoin.moc"
