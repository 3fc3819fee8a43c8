#include "CertificatDeTest.h"
#include "ConnexionsTcp.h"
#include "EvenementDeJeu.h"
#include "GM_BanList.h"
#include "GM_ClientSocket.h"
#include "GM_ProxyClientSocket.h"
#include "GM_SocketTCP.h"
#include "GM_SocketWeb.h"
#include "LobbyDeTest.h"
#include "ManqueSousCI.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_LobbyServer.h"
#include "ZB_MultiServer.h"
#include "ZB_PorteTls.h"
#include "SalleSansInterface.h"
#include "SocketScripte.h"
#include "ZB_Room.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int Delai = 5000;
const QHostAddress Boucle(QHostAddress::LocalHost);

using SalleMulti = SalleSansInterface;

// A ban list whose clock (seconds) the test moves.
class BansReglables : public GM_BanList
{
    Q_OBJECT
public:
    qint64 temps = 1000000;

protected:
    qint64 maintenant() const override { return temps; }
};

// The game server with the flood window's clock (ms) in the test's hands;
// a negative time runs on the real clock.
class ServeurReglable : public ZB_MultiServer
{
    Q_OBJECT
public:
    using ZB_MultiServer::ZB_MultiServer;
    qint64 tempsMs = 5000000;

protected:
    qint64 maintenant() const override { return tempsMs < 0 ? ZB_MultiServer::maintenant() : tempsMs; }
};

// A connection already held by a room.
SocketScripte* socketTenu()
{
    auto* socket = new SocketScripte;
    socket->adresse = QHostAddress(QStringLiteral("203.0.113.20"));
    return socket;
}

QByteArray identification(qint64 id)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("J%1").arg(id);
    j.id_ = id;
    return EvenementDeJeu(EvenementDeJeu::NeW, j.sauveValeursDansString(), 4, EtatDeJeu::Identification,
                          EvenementDeJeu::Local_Table, id,
                          0, -1, -2, ZB_ICI)
        .toString(2)
        .toUtf8();
}

QString banni(const QString& adresse, qint64 duree, quint16 port)
{
    return QStringLiteral("ZB_MultiServer DoS protection banned '%1' %2[s] for exceeding 20 attempts in 10[s] at port %3")
        .arg(adresse)
        .arg(duree)
        .arg(port);
}

} // namespace

class TestMultiServer : public QObject
{
    Q_OBJECT

private:
    ZB_DisplayEmpty display;
    std::vector<std::unique_ptr<SalleMulti>> salles;
    std::unique_ptr<BansReglables> bans;
    std::unique_ptr<ServeurReglable> serveur;
    std::unique_ptr<QSignalSpy> logs;
    // Owns the test's client sockets.
    std::unique_ptr<QObject> clients;

    void cree(int nombreDeSalles, bool modeTest)
    {
        detruit();
        clients = std::make_unique<QObject>();
        for (int i = 0; i < nombreDeSalles; ++i) {
            ZB_Room::Parametres p;
            p.sansSauvegarde = true;
            p.modeSimple = true;
            p.sansDelai = true;
            salles.push_back(
                std::make_unique<SalleMulti>(nullptr, &display, nullptr, OptionsDePartie(TypeDePartie::GenreJass), p));
        }
        bans = std::make_unique<BansReglables>();
        QList<ZB_Room*> rooms;
        for (const auto& salle : salles)
            rooms << salle.get();
        serveur = std::make_unique<ServeurReglable>(nullptr, 7, rooms, bans.get());
        serveur->setModeTest(modeTest);
        // The injected clock decides what the often-running timer clears.
        serveur->setIntervalles(ZB_MultiServer::FenetreMsDefaut, 20);
        logs = std::make_unique<QSignalSpy>(serveur.get(), &ZB_MultiServer::signalLog);
        QVERIFY(serveur->ecoute(Boucle, 0, 0, 0));
    }
    void detruit()
    {
        logs.reset();
        serveur.reset();
        clients.reset();
        salles.clear();
        bans.reset();
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    ZB_ServerSocket* serveurDeSalle(int i) const { return salles.at(size_t(i))->getServer(); }
    void attend(int i)
    {
        serveurDeSalle(i)->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), 4001, 4002, 4000, false, 30);
    }

    QTcpSocket* clientTcp()
    {
        auto* socket = new QTcpSocket(clients.get());
        socket->connectToHost(Boucle, serveur->getPortTcp());
        return socket;
    }
    // Null when that local address cannot be bound.
    QTcpSocket* clientTcpDepuis(const QHostAddress& depuis)
    {
        auto* socket = new QTcpSocket(clients.get());
        if (!socket->bind(depuis, 0))
            return nullptr;
        socket->connectToHost(Boucle, serveur->getPortTcp());
        return socket;
    }
    QWebSocket* clientWeb(bool secure, const QSslConfiguration* tls = nullptr)
    {
        auto* socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, clients.get());
        if (tls != nullptr)
            socket->setSslConfiguration(*tls);
        const QString modele = secure ? QStringLiteral("wss://127.0.0.1:%1") : QStringLiteral("ws://127.0.0.1:%1");
        socket->open(QUrl(modele.arg(secure ? serveur->getPortWebSecure() : serveur->getPortWebUnsecure())));
        return socket;
    }
    // A client configuration that trusts the program's certificate.
    static const QSslConfiguration& tlsDuProgramme()
    {
        static const QSslConfiguration tls = [] {
            QSslConfiguration c = QSslConfiguration::defaultConfiguration();
            QFile fichier(QString::fromLatin1(ZB_MultiServer::RessourceCertificat));
            if (fichier.open(QIODevice::ReadOnly))
                c.setCaCertificates(c.caCertificates() + QSslCertificate::fromData(fichier.readAll(), QSsl::Pem));
            return c;
        }();
        return tls;
    }
    int logsBannis() const
    {
        int n = 0;
        for (const QList<QVariant>& log : *logs)
            if (log.at(1).toString().contains(QLatin1String("DoS protection banned")))
                ++n;
        return n;
    }
    QString dernierLog() const { return logs->isEmpty() ? QString() : logs->last().at(1).toString(); }

private slots:
    void cleanup() { detruit(); }

    void ecouteSurLesPortsDonnes()
    {
        cree(1, false);
        QCOMPARE(serveur->getIdentifiant(), 7);
        QVERIFY(serveur->getPortTcp() != 0);
        QVERIFY(serveur->getPortWebSecure() != 0);
        QVERIFY(serveur->getPortWebUnsecure() != 0);
        QCOMPARE(serveur->getServeurWebSecure()->serverName(), QStringLiteral("ZB_MultiServer Websocket Secure"));
        QCOMPARE(serveur->getServeurWebSecure()->secureMode(), QWebSocketServer::SecureMode);
        QCOMPARE(serveur->getServeurWebUnsecure()->serverName(), QStringLiteral("ZB_MultiServer Websocket Unsecure"));
        QCOMPARE(serveur->getServeurWebUnsecure()->secureMode(), QWebSocketServer::NonSecureMode);
        QCOMPARE(serveur->maxPendingConnections(), 10);
        QCOMPARE(serveur->getServeurWebUnsecure()->handshakeTimeoutMS(), 8000);

        // A port taken elsewhere: the others still listen, the failure is
        // told.
        QTcpServer occupe;
        QVERIFY(occupe.listen(Boucle, 0));
        QVERIFY(!serveur->ecoute(Boucle, occupe.serverPort(), 0, 0));
        QCOMPARE(serveur->getPortTcp(), quint16(0));
        QVERIFY(serveur->getPortWebUnsecure() != 0);
        QCOMPARE(logs->last().at(0).toString(), QStringLiteral("WARNING"));
        serveur->closeAll();
        QCOMPARE(serveur->getPortWebSecure(), quint16(0));
        QCOMPARE(serveur->getPortWebUnsecure(), quint16(0));
    }

    // The flood rule on addresses: which attempt, if any, is refused and
    // bans. The machine's own address is exempt only when known, and only
    // that address.
    void exemptionsDeLaRegle_data()
    {
        QTest::addColumn<QString>("propre");
        QTest::addColumn<bool>("modeTest");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<int>("refusee"); // 1-based attempt, 0: never

        QTest::newRow("public") << QString() << false << "203.0.113.9" << 20;
        QTest::newRow("public, own address known") << "192.168.1.1" << false << "203.0.113.9" << 20;
        QTest::newRow("own address") << "192.168.1.1" << false << "192.168.1.1" << 0;
        QTest::newRow("own address, mapped") << "192.168.1.1" << false << "::ffff:192.168.1.1" << 0;
        QTest::newRow("address containing the own one") << "192.168.1.1" << false << "192.168.1.10" << 20;
        QTest::newRow("address contained in the own one") << "192.168.1.10" << false << "192.168.1.1" << 20;
        QTest::newRow("own address unknown") << QString() << false << "192.168.1.1" << 20;
        QTest::newRow("loopback") << QString() << false << "127.0.0.1" << 0;
        QTest::newRow("loopback, other") << QString() << false << "127.0.0.2" << 0;
        QTest::newRow("loopback v6") << QString() << false << "::1" << 0;
        QTest::newRow("loopback, mapped") << QString() << false << "::ffff:127.0.0.1" << 0;
        QTest::newRow("public v6") << QString() << false << "2001:db8::5" << 20;
        QTest::newRow("test: loopback") << QString() << true << "127.0.0.1" << 20;
        QTest::newRow("test: own address") << "192.168.1.1" << true << "192.168.1.1" << 20;
    }
    void exemptionsDeLaRegle()
    {
        QFETCH(QString, propre);
        QFETCH(bool, modeTest);
        QFETCH(QString, adresse);
        QFETCH(int, refusee);
        cree(1, modeTest);
        serveur->setOwnAddress(propre);
        const QHostAddress a(adresse);
        int premierRefus = 0;
        for (int essai = 1; essai <= 25 && premierRefus == 0; ++essai)
            if (!serveur->checkDoSProtection(a, 4001))
                premierRefus = essai;
        QCOMPARE(premierRefus, refusee);
        QCOMPARE(bans->isBanned(a), refusee != 0);
        QCOMPARE(logsBannis(), refusee != 0 ? 1 : 0);
        if (refusee != 0) {
            QCOMPARE(dernierLog(), banni(a.toString(), 6, 4001));
            QCOMPARE(logs->last().at(0).toString(), QStringLiteral("WARNING"));
            // Banned: refused without being counted.
            QVERIFY(!serveur->checkDoSProtection(a, 4001));
            QCOMPARE(serveur->getTentatives(a), qint64(20));
        }
    }

    // A socket that went before its address was read counts for nobody.
    void adresseVideRefuseeSansCompter()
    {
        cree(1, true);
        for (int i = 0; i < 25; ++i)
            QVERIFY(!serveur->checkDoSProtection(QHostAddress(), 4000));
        QVERIFY(!bans->isBanned(QHostAddress()));
        QCOMPARE(serveur->getTentatives(QHostAddress()), qint64(0));
        QCOMPARE(logs->size(), 0);
    }

    // Ban durations grow tenfold from 6 s; the tenth would not fit in 32
    // bits and stays at the cap.
    void dureesDesBans()
    {
        BansReglables liste;
        const QHostAddress a(QStringLiteral("203.0.113.5"));
        qint64 attendu = 6;
        for (int ban = 1; ban <= 11; ++ban) {
            QCOMPARE(liste.OnBan(a), attendu);
            QVERIFY(liste.isBanned(a));
            liste.temps += attendu;
            QVERIFY(liste.isBanned(a));
            liste.temps += 1;
            QVERIFY(!liste.isBanned(a));
            attendu = qMin<qint64>(attendu * 10, 2147483647);
        }
        QCOMPARE(attendu, qint64(2147483647));
    }

    // The tenth raw TCP connection of the loopback within one window is
    // refused and bans it (each connection counts twice). A client from
    // another address still gets in and plays.
    void floodTcp()
    {
        cree(1, true);
        attend(0);
        const quint16 port = serveur->getPortTcp();
        for (int i = 1; i <= 9; ++i) {
            QTcpSocket* client = clientTcp();
            QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::ConnectedState, Delai);
            QTRY_COMPARE_WITH_TIMEOUT(serveur->getTentatives(Boucle), qint64(2 * i), Delai);
            client->abort();
        }
        QCOMPARE(logs->size(), 0);
        QTcpSocket* dixieme = clientTcp();
        QSignalSpy coupe(dixieme, &QTcpSocket::disconnected);
        QTRY_COMPARE_WITH_TIMEOUT(logs->size(), 1, Delai);
        QCOMPARE(logs->last().at(0).toString(), QStringLiteral("WARNING"));
        QCOMPARE(dernierLog(), banni(QStringLiteral("127.0.0.1"), 6, port));
        QVERIFY(bans->isBanned(Boucle));
        QTRY_VERIFY_WITH_TIMEOUT(coupe.size() == 1 || dixieme->state() == QAbstractSocket::UnconnectedState, Delai);

        // Refused while banned, and not counted.
        QTcpSocket* onzieme = clientTcp();
        QTRY_COMPARE_WITH_TIMEOUT(onzieme->state(), QAbstractSocket::UnconnectedState, Delai);
        QCOMPARE(serveur->getTentatives(Boucle), qint64(20));

        QTcpSocket* autre = clientTcpDepuis(QHostAddress(QStringLiteral("127.0.0.2")));
        if (autre == nullptr)
            ZB_MANQUE("127.0.0.2 cannot be bound here");
        QTRY_COMPARE_WITH_TIMEOUT(autre->state(), QAbstractSocket::ConnectedState, Delai);
        autre->write(identification(42));
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getJoueurs().size(), 1, Delai);
        QCOMPARE(serveurDeSalle(0)->getJoueurs().first()->getPlayerId(), qint64(42));
        QCOMPARE(logs->size(), 1);
    }

    // The twentieth WebSocket connection bans for 6 s; once that ban is
    // over, the next attempt in the same window bans for 60 s. When the
    // window is cleared the flood's unidentified connections are dropped,
    // and after the ban a client plays again.
    void floodWebSocket()
    {
        cree(1, true);
        attend(0);
        const quint16 port = serveur->getPortWebUnsecure();
        QList<QWebSocket*> flots;
        for (int i = 1; i <= 19; ++i) {
            QWebSocket* client = clientWeb(false);
            flots << client;
            QTRY_COMPARE_WITH_TIMEOUT(serveur->getTentatives(Boucle), qint64(i), Delai);
        }
        QCOMPARE(logs->size(), 0);
        // The room holds as many of them as it lets one address keep
        // without identifying.
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getConnections().size(),
                                  qsizetype(ZB_ServerSocket::NonIdentifiesParAdresseMax), Delai);

        QWebSocket* vingtieme = clientWeb(false);
        QTRY_COMPARE_WITH_TIMEOUT(logs->size(), 1, Delai);
        QCOMPARE(dernierLog(), banni(QStringLiteral("127.0.0.1"), 6, port));
        QTRY_COMPARE_WITH_TIMEOUT(vingtieme->state(), QAbstractSocket::UnconnectedState, Delai);

        bans->temps += 7;
        QVERIFY(!bans->isBanned(Boucle));
        QWebSocket* suivant = clientWeb(false);
        QTRY_COMPARE_WITH_TIMEOUT(logs->size(), 2, Delai);
        QCOMPARE(dernierLog(), banni(QStringLiteral("127.0.0.1"), 60, port));
        QTRY_COMPARE_WITH_TIMEOUT(suivant->state(), QAbstractSocket::UnconnectedState, Delai);
        bans->temps += 59;
        QVERIFY(bans->isBanned(Boucle));

        // The window passes: the flood's connections that never identified
        // are dropped.
        serveur->tempsMs += ZB_MultiServer::FenetreMsDefaut + 1;
        QTRY_COMPARE_WITH_TIMEOUT(serveur->getTentatives(Boucle), qint64(0), Delai);
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getConnections().size(), 0, Delai);
        QTRY_VERIFY_WITH_TIMEOUT(flots.first()->state() == QAbstractSocket::UnconnectedState, Delai);

        bans->temps += 2;
        QWebSocket* joueur = clientWeb(false);
        QTRY_COMPARE_WITH_TIMEOUT(joueur->state(), QAbstractSocket::ConnectedState, Delai);
        joueur->sendBinaryMessage(identification(77));
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getJoueurs().size(), 1, Delai);
        QCOMPARE(serveurDeSalle(0)->getJoueurs().first()->getPlayerId(), qint64(77));
        QCOMPARE(logs->size(), 2);
    }

    // Without the test switch the loopback floods freely.
    void boucleJamaisBannie()
    {
        cree(1, false);
        attend(0);
        for (int i = 1; i <= 12; ++i) {
            QTcpSocket* client = clientTcp();
            QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::ConnectedState, Delai);
            QTRY_COMPARE_WITH_TIMEOUT(serveur->getTentatives(Boucle), qint64(2 * i), Delai);
            client->abort();
        }
        for (int i = 1; i <= 3; ++i) {
            QWebSocket* client = clientWeb(false);
            QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::ConnectedState, Delai);
            client->abort();
        }
        QCOMPARE(serveur->getTentatives(Boucle), qint64(27));
        QCOMPARE(logs->size(), 0);
        QVERIFY(!bans->isBanned(Boucle));
    }

    // Where a new connection goes, by the rooms' server states in list
    // order and the connections each room holds that did not identify
    // yet; -1: refused.
    void dispatch_data()
    {
        QTest::addColumn<QList<int>>("etats");
        QTest::addColumn<QList<int>>("enAttente");
        QTest::addColumn<int>("choisie");
        QTest::newRow("waiting before running") << QList<int>{5, 2} << QList<int>{0, 0} << 1;
        QTest::newRow("waiting with auto start") << QList<int>{5, 0, 2} << QList<int>{0, 0, 0} << 2;
        QTest::newRow("first waiting") << QList<int>{6, 1, 2} << QList<int>{0, 0, 0} << 1;
        QTest::newRow("running before idle") << QList<int>{0, 5} << QList<int>{0, 0} << 1;
        QTest::newRow("first running") << QList<int>{6, 5, 5} << QList<int>{0, 0, 0} << 1;
        QTest::newRow("idle") << QList<int>{6, 0, 0} << QList<int>{0, 0, 0} << 1;
        QTest::newRow("none") << QList<int>{3, 4} << QList<int>{0, 0} << -1;
        QTest::newRow("running and full, for a return") << QList<int>{6, 3, 4} << QList<int>{0, 0, 0} << 0;
        QTest::newRow("a seat left") << QList<int>{1, 1} << QList<int>{3, 0} << 0;
        QTest::newRow("every seat held") << QList<int>{1, 1} << QList<int>{4, 0} << 1;
        QTest::newRow("held: running before") << QList<int>{1, 5} << QList<int>{4, 0} << 1;
        QTest::newRow("held: idle before") << QList<int>{1, 0} << QList<int>{4, 0} << 1;
        QTest::newRow("held, nothing else") << QList<int>{2, 6} << QList<int>{4, 0} << 0;
    }
    void dispatch()
    {
        QFETCH(QList<int>, etats);
        QFETCH(QList<int>, enAttente);
        QFETCH(int, choisie);
        cree(int(etats.size()), false);
        for (int i = 0; i < etats.size(); ++i) {
            attend(i);
            for (int j = 0; j < enAttente.at(i); ++j)
                QVERIFY(serveurDeSalle(i)->acceptConnection(socketTenu()));
            serveurDeSalle(i)->setEtat(etats.at(i));
        }
        ZB_ServerSocket* trouve = serveur->findRoomForConnection();
        QCOMPARE(trouve, choisie < 0 ? nullptr : serveurDeSalle(choisie));
        for (int i = 0; i < etats.size(); ++i) {
            const bool reinitialisee = i == choisie && etats.at(i) == 0;
            QCOMPARE(serveurDeSalle(i)->getEtat(), reinitialisee ? 1 : etats.at(i));
        }
    }

    // An idle room given a real connection is reset first: what it held
    // is closed, and it waits with the newcomer.
    void salleInactiveReinitialisee()
    {
        cree(2, false);
        serveurDeSalle(0)->setEtat(6);
        attend(1);
        auto* ancien = socketTenu();
        QPointer<SocketScripte> garde(ancien);
        QVERIFY(serveurDeSalle(1)->acceptConnection(ancien));
        serveurDeSalle(1)->setEtat(0);

        QTcpSocket* client = clientTcp();
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::ConnectedState, Delai);
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(1)->getConnections().size(), 1, Delai);
        QCOMPARE(serveurDeSalle(1)->getEtat(), 1);
        QVERIFY(serveurDeSalle(1)->getConnections().first()->getSocket() != ancien);
        QTRY_VERIFY_WITH_TIMEOUT(garde.isNull(), Delai);
        QCOMPARE(serveurDeSalle(0)->getConnections().size(), 0);
    }

    // A room deleted while the server holds it is passed over; with no
    // room left, connections are refused.
    void salleSupprimee()
    {
        cree(2, false);
        attend(0);
        attend(1);
        salles.front().reset();
        QCOMPARE(serveur->getRooms().size(), 1);
        QCOMPARE(serveur->findRoomForConnection(), serveurDeSalle(1));
        serveur->onClearTimeout();

        salles.back().reset();
        QVERIFY(serveur->getRooms().isEmpty());
        QCOMPARE(serveur->findRoomForConnection(), nullptr);
        QTcpSocket* client = clientTcp();
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::UnconnectedState, Delai);
        QWebSocket* web = clientWeb(false);
        QTRY_COMPARE_WITH_TIMEOUT(web->state(), QAbstractSocket::UnconnectedState, Delai);
    }

    // A bridged socket is taken only while the bridge is open, and never
    // counts toward the flood rule.
    void pont()
    {
        cree(1, true);
        attend(0);
        QPointer<GM_SocketAbstract> refuse(new GM_ProxyClientSocket(nullptr, 5, 7));
        QSignalSpy coupe(refuse.data(), &GM_SocketAbstract::disconnected);
        serveur->OnReceiveBridgeOpen(refuse.data());
        QCOMPARE(coupe.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(refuse.isNull(), Delai);
        QCOMPARE(serveurDeSalle(0)->getConnections().size(), 0);

        serveur->setBridgeOuvert(true);
        for (int i = 0; i < 3; ++i)
            serveur->OnReceiveBridgeOpen(new GM_ProxyClientSocket(nullptr, 10 + i, 7));
        QCOMPARE(serveurDeSalle(0)->getConnections().size(), 3);
        QCOMPARE(serveur->getTentatives(QHostAddress()), qint64(0));
        QCOMPARE(logs->size(), 0);

        // No room takes it (full before its start): gone too.
        serveurDeSalle(0)->setEtat(3);
        QPointer<GM_SocketAbstract> sansSalle(new GM_ProxyClientSocket(nullptr, 20, 7));
        serveur->OnReceiveBridgeOpen(sansSalle.data());
        QTRY_VERIFY_WITH_TIMEOUT(sansSalle.isNull(), Delai);
    }

    // A client that carries the embedded certificate as its authority
    // reaches the secure transport with full checks; one without it does
    // not.
    void wssAvecLeCertificatEmbarque()
    {
        if (!QSslSocket::supportsSsl())
            ZB_MANQUE("no TLS backend");
        cree(1, false);
        attend(0);
        QVERIFY(serveur->estTlsConfigure());
        QCOMPARE(serveur->getServeurWebSecure()->handshakeTimeoutMS(), 8000);
        QCOMPARE(serveur->getServeurWebSecure()->maxPendingConnections(), 10);

        QFile fichier(QString::fromLatin1(ZB_MultiServer::RessourceCertificat));
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        const QList<QSslCertificate> certificats = QSslCertificate::fromData(fichier.readAll(), QSsl::Pem);
        QCOMPARE(certificats.size(), 1);
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(tls.caCertificates() + certificats);

        QWebSocket* client = clientWeb(true, &tls);
        QSignalSpy erreurs(client, &QWebSocket::sslErrors);
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::ConnectedState, Delai);
        QCOMPARE(erreurs.size(), 0);
        client->sendBinaryMessage(identification(9));
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getJoueurs().size(), 1, Delai);
        QVERIFY(!serveurDeSalle(0)->getJoueurs().first()->getSocket()->isUnsecure());

        // The program's own client transport finds the same authority.
        auto* notreClient = new GM_SocketWeb(false, clients.get());
        QSignalSpy connecte(notreClient, &GM_SocketAbstract::connected);
        notreClient->connectToHost(QStringLiteral("127.0.0.1"), serveur->getPortWebSecure());
        QTRY_COMPARE_WITH_TIMEOUT(connecte.size(), 1, Delai);
        QCOMPARE(notreClient->getLignesErreur(), QStringList());
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getConnections().size(), 2, Delai);

        QWebSocket* etranger = clientWeb(true);
        QSignalSpy erreursEtranger(etranger, &QWebSocket::sslErrors);
        QTRY_VERIFY_WITH_TIMEOUT(erreursEtranger.size() > 0, Delai);
        QTRY_COMPARE_WITH_TIMEOUT(etranger->state(), QAbstractSocket::UnconnectedState, Delai);
        QCOMPARE(serveurDeSalle(0)->getConnections().size(), 2);
    }

    // Sockets that open the secure port and never start their TLS handshake
    // hold a few of its places, and not for long, whether they come from
    // one address or from many: the port keeps taking connections, and a
    // player from an address of its own is let in at once. Both rows guard
    // the bound on unfinished sockets in all; only "one address" guards the
    // share of one address in the handshakes (forty addresses hold five
    // sockets each, of which the bound in all leaves under the share).
    void wssMalgreDesSocketsMuettes_data()
    {
        QTest::addColumn<int>("adresses");
        QTest::newRow("one address") << 1;
        QTest::newRow("forty addresses") << 40;
    }
    void wssMalgreDesSocketsMuettes()
    {
        QFETCH(int, adresses);
        if (!QSslSocket::supportsSsl())
            ZB_MANQUE("no TLS backend");
        cree(1, false);
        attend(0);
        QList<QTcpSocket*> muettes;
        QList<QHostAddress> leurs;
        for (int a = 0; a < adresses; ++a)
            leurs << QHostAddress(QStringLiteral("127.0.0.%1").arg(10 + a));
        for (int i = 0; i < 200; ++i) {
            auto* muette = new QTcpSocket(clients.get());
            if (!muette->bind(leurs.at(i % adresses)))
                ZB_MANQUE("127.0.0.x cannot be bound here");
            muette->connectToHost(Boucle, serveur->getPortWebSecure());
            muettes << muette;
        }
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(muettes.cbegin(), muettes.cend(),
                                             [](const QTcpSocket* m) {
                                                 return m->state() != QAbstractSocket::ConnectingState;
                                             }),
                                 Delai);
        auto* porte = serveur->getServeurWebSecure()->findChild<ZB_PorteTls*>();
        QVERIFY(porte != nullptr);
        QVERIFY(porte->nonTermines() <= ZB_PorteTls::NonTerminesMax);
        QWebSocket* joueur = clientWeb(true, &tlsDuProgramme());
        // Well under the handshake time-outs, which alone let it in before.
        QTRY_COMPARE_WITH_TIMEOUT(joueur->state(), QAbstractSocket::ConnectedState, ZB_PorteTls::DelaiHandshakeMs / 2);
        joueur->sendBinaryMessage(identification(9));
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getJoueurs().size(), 1, Delai);
        for (const QHostAddress& a : std::as_const(leurs))
            QVERIFY(porte->handshakesEnCours(a) <= ZB_PorteTls::HandshakesParAdresseMax);
        QVERIFY(porte->nonTermines() <= ZB_PorteTls::NonTerminesMax);
        // The mute ones are cut once their time is up (from one address
        // they wait their turn, a few at a time).
        if (adresses > 1)
            QTRY_COMPARE_WITH_TIMEOUT(porte->nonTermines(), 0, ZB_PorteTls::DelaiHandshakeMs + Delai);
    }

    // Players behind one address (a club, a school) who join over the
    // secure port at the same moment all get through their TLS handshake:
    // those past the address's share wait their turn, none is closed.
    void wssPlusieursJoueursDUneAdresse()
    {
        if (!QSslSocket::supportsSsl())
            ZB_MANQUE("no TLS backend");
        cree(1, false);
        attend(0);
        constexpr int Joueurs = 4 * ZB_PorteTls::HandshakesParAdresseMax;
        QList<QWebSocket*> joueurs;
        QList<std::shared_ptr<QSignalSpy>> connectes;
        for (int i = 0; i < Joueurs; ++i) {
            joueurs << clientWeb(true, &tlsDuProgramme());
            connectes << std::make_shared<QSignalSpy>(joueurs.last(), &QWebSocket::connected);
        }
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(connectes.cbegin(), connectes.cend(),
                                             [](const std::shared_ptr<QSignalSpy>& c) { return c->size() == 1; }),
                                 ZB_PorteTls::DelaiHandshakeMs + Delai);
    }

    // The program's table client accepts the hosting certificate itself,
    // never one signed with its key (anybody holding a copy can make one).
    void wssRefuseUnCertificatSigneParLaCleDuProgramme()
    {
        if (!QSslSocket::supportsSsl() || !CertificatDeTest::disponible())
            ZB_MANQUE("no TLS backend or no openssl program");
        QTemporaryDir dossier;
        QSslCertificate faux;
        QSslKey cle;
        QVERIFY(CertificatDeTest::cree(CertificatDeTest::CleDuProgramme, dossier.path(), faux, cle));
        cree(1, false);
        attend(0);
        QSslConfiguration tls = serveur->getServeurWebSecure()->sslConfiguration();
        tls.setLocalCertificate(faux);
        tls.setPrivateKey(cle);
        serveur->getServeurWebSecure()->setSslConfiguration(tls);

        auto* client = new GM_SocketWeb(false, clients.get());
        QSignalSpy connecte(client, &GM_SocketAbstract::connected);
        QSignalSpy erreurs(client, &GM_SocketAbstract::sslErrors);
        client->connectToHost(QStringLiteral("127.0.0.1"), serveur->getPortWebSecure());
        QTRY_VERIFY_WITH_TIMEOUT(!erreurs.isEmpty(), Delai);
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::UnconnectedState, Delai);
        QCOMPARE(connecte.size(), 0);
        QVERIFY(!client->getLignesErreur().isEmpty());
        QCOMPARE(serveurDeSalle(0)->getJoueurs().size(), 0);
    }

    // A WebSocket message past the cap closes the connection before the
    // room sees it.
    void messageWebTropGrand()
    {
        cree(1, false);
        attend(0);
        QWebSocket* client = clientWeb(false);
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::ConnectedState, Delai);
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getConnections().size(), 1, Delai);
        client->sendBinaryMessage(QByteArray(qsizetype(ZB_MultiServer::TailleMessageWebMax) + 1, 'x'));
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::UnconnectedState, Delai);
        QCOMPARE(client->closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
        QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getConnections().size(), 0, Delai);
    }

    // Every socket of the table protocol and of the lobby sends its small
    // writes at once, at both ends: a card held back for the peer's
    // delayed acknowledgement reached the other players tens of
    // milliseconds late.
    void basseLatenceAuxDeuxBouts_data()
    {
        QTest::addColumn<int>("transport");
        QTest::addColumn<bool>("secure");
        QTest::newRow("table, raw TCP") << 0 << false;
        QTest::newRow("table, WebSocket") << 1 << false;
        QTest::newRow("table, secure WebSocket") << 1 << true;
        QTest::newRow("lobby, WebSocket") << 2 << false;
        QTest::newRow("lobby, secure WebSocket") << 2 << true;
    }
    void basseLatenceAuxDeuxBouts()
    {
        QFETCH(int, transport);
        QFETCH(bool, secure);
        if (!ConnexionsTcp::estDisponible())
            QSKIP("the process's sockets cannot be read here");
        if (secure && !QSslSocket::supportsSsl())
            ZB_MANQUE("no TLS backend");
        cree(1, false);
        attend(0);
        LobbyDeTest lobby;
        quint16 port = 0;
        if (transport != 2) {
            // Identified, so that the room keeps it however long the check takes.
            GM_SocketAbstract* client = transport == 0 ? static_cast<GM_SocketAbstract*>(new GM_SocketTCP(clients.get()))
                                                       : new GM_SocketWeb(!secure, clients.get());
            connect(client, &GM_SocketAbstract::connected, client, [client] { client->write(identification(9)); });
            port = transport == 0 ? serveur->getPortTcp()
                                  : secure ? serveur->getPortWebSecure() : serveur->getPortWebUnsecure();
            client->connectToHost(QStringLiteral("127.0.0.1"), port);
        } else {
            QVERIFY(lobby.demarre(!secure));
            port = secure ? lobby.serveur.portWss() : lobby.serveur.portWs();
            const QString modele = secure ? QStringLiteral("wss://127.0.0.1:%1") : QStringLiteral("ws://127.0.0.1:%1");
            (new GM_ClientSocket(!secure, clients.get()))->open(QUrl(modele.arg(port)));
        }
        if (transport != 2)
            QTRY_COMPARE_WITH_TIMEOUT(serveurDeSalle(0)->getJoueurs().size(), 1, Delai);
        // Both ends are in this process: the client's and the accepted one.
        auto sansDelai = [port] {
            int n = 0;
            const QList<ConnexionsTcp::Connexion> connexions = ConnexionsTcp::surLePort(port);
            for (const ConnexionsTcp::Connexion& c : connexions)
                n += c.sansDelai ? 1 : 0;
            return QStringLiteral("%1 of %2 ends without delay").arg(n).arg(connexions.size());
        };
        QTRY_COMPARE_WITH_TIMEOUT(sansDelai(), QStringLiteral("2 of 2 ends without delay"), Delai);
    }

    // On the real clock, with a short window: the counts go with the
    // clear timer, and the address floods again from zero.
    void fenetreEnTempsReel()
    {
        cree(1, true);
        serveur->tempsMs = -1;
        serveur->setIntervalles(150, 50);
        const QHostAddress a(QStringLiteral("203.0.113.7"));
        for (int i = 0; i < 19; ++i)
            QVERIFY(serveur->checkDoSProtection(a, 4000));
        QTRY_COMPARE_WITH_TIMEOUT(serveur->getTentatives(a), qint64(0), 2000);
        for (int i = 0; i < 19; ++i)
            QVERIFY(serveur->checkDoSProtection(a, 4000));
        QCOMPARE(logs->size(), 0);
        QVERIFY(serveur->getTimerNettoyage().isActive());
    }
};

ZB_REGISTER_TEST(TestMultiServer)
#include "TestMultiServer.moc"
