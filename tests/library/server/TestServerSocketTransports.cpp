#include "ManqueSousCI.h"
#include "ServerSocketTestKit.h"
#include "ZbTestRegistry.h"

using namespace serveurtest;

// The real transports end to end on the loopback: raw TCP, idle sockets
// from many addresses, and the WebSocket.
class TestServerSocketTransports : public QObject, private BancServeur
{
    Q_OBJECT

private slots:
    void init() { cree(); }
    void cleanup() { demonte(); }

    // The raw TCP transport end to end on the loopback: identification in
    // pieces, an event each way, the client's departure.
    void tcpReel()
    {
        QTcpServer ecoute;
        QVERIFY(ecoute.listen(QHostAddress::LocalHost, 0));
        connect(&ecoute, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = ecoute.nextPendingConnection())
                serveur->acceptConnection(new GM_SocketTCP(s));
        });
        salle->renvoie = true;
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, ecoute.serverPort());
        QVERIFY(client.waitForConnected(Delai));
        const QByteArray id = nouveau(9);
        client.write(id.left(10));
        client.flush();
        QTRY_COMPARE_WITH_TIMEOUT(serveur->getConnections().size(), 1, Delai);
        client.write(id.mid(10) + message(9, QStringLiteral("bonjour"), 1, 0));
        QTRY_COMPARE_WITH_TIMEOUT(messagesAppliques(), 1, Delai);
        QCOMPARE(vue->nouvelles.size(), 1);
        QCOMPARE(vue->nouvelles.at(0).connection->getSocket()->peerAddress(),
                 QHostAddress(QHostAddress::LocalHost));
        // The table's echo of the chat comes back to its author.
        QByteArray recu;
        QTRY_VERIFY_WITH_TIMEOUT((recu += client.readAll()).contains("bonjour"), Delai);
        client.disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(vue->fermees.size(), 1, Delai);
        QVERIFY(serveur->getConnections().isEmpty());
    }

    // Idle sockets from several addresses up to the cap, renewed until each
    // one the joiner found has made room and then some more, and a joiner
    // from an address of its own that identifies only then: room is made
    // at the flood's addresses, and the joiner is let in.
    void joueurParmiLesMuets_data()
    {
        QTest::addColumn<int>("adresses"); // the flood's, in turn
        QTest::newRow("four addresses") << 4;
        QTest::newRow("five addresses") << 5;
        QTest::newRow("sixteen addresses") << 16;
    }
    void joueurParmiLesMuets()
    {
        QFETCH(int, adresses);
        QTcpServer ecoute;
        QVERIFY(ecoute.listen(QHostAddress::LocalHost, 0));
        int recues = 0;
        connect(&ecoute, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = ecoute.nextPendingConnection()) {
                serveur->acceptConnection(new GM_SocketTCP(s));
                ++recues;
            }
        });
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        // A socket from that address, once the server took it in or turned
        // it away; null when the address cannot be bound.
        auto arrive = [&](const QHostAddress& depuis) -> QTcpSocket* {
            auto socket = std::make_unique<QTcpSocket>();
            if (!socket->bind(depuis, 0))
                return nullptr;
            const int avant = recues;
            socket->connectToHost(QHostAddress::LocalHost, ecoute.serverPort());
            if (!QTest::qWaitFor([&] { return recues > avant; }, Delai))
                return nullptr;
            clients.push_back(std::move(socket));
            return clients.back().get();
        };
        int tour = 0;
        auto muet = [&] { return arrive(QHostAddress(QStringLiteral("127.0.0.%1").arg(10 + tour++ % adresses))); };

        const int plafond = ZB_ServerSocket::NonIdentifiesMax;
        while (serveur->getConnections().size() < plafond && tour < 4 * plafond)
            QVERIFY(muet() != nullptr);
        QCOMPARE(serveur->getConnections().size(), qsizetype(plafond));
        QTcpSocket* joueur = arrive(QHostAddress(QStringLiteral("127.0.0.2")));
        if (joueur == nullptr)
            ZB_MANQUE("127.0.0.2 cannot be bound here");
        QList<QPointer<ZB_ServerSocketConnection>> trouvees;
        for (ZB_ServerSocketConnection* c : serveur->getConnections())
            if (c->getSocket()->peerAddress() != QHostAddress(QStringLiteral("127.0.0.2")))
                trouvees << c;
        auto restees = [&] {
            return std::count_if(trouvees.cbegin(), trouvees.cend(), [&](const QPointer<ZB_ServerSocketConnection>& c) {
                return serveur->getConnections().contains(c.data());
            });
        };
        for (int essais = 0; restees() > 0 && essais < 40 * plafond; ++essais)
            QVERIFY(muet() != nullptr);
        QCOMPARE(restees(), 0);
        for (int i = 0; i < plafond; ++i)
            QVERIFY(muet() != nullptr);
        QCOMPARE(serveur->getConnections().size(), qsizetype(plafond));

        joueur->write(nouveau(9));
        QTRY_COMPARE_WITH_TIMEOUT(serveur->getJoueurs().size(), 1, Delai);
        QCOMPARE(serveur->getJoueurs().at(0)->getSocket()->peerAddress(), QHostAddress(QStringLiteral("127.0.0.2")));
        QCOMPARE(joueur->state(), QAbstractSocket::ConnectedState);
    }

    void webSocketReel()
    {
        QWebSocketServer ecoute(QStringLiteral("test"), QWebSocketServer::NonSecureMode);
        QVERIFY(ecoute.listen(QHostAddress::LocalHost, 0));
        connect(&ecoute, &QWebSocketServer::newConnection, this, [&] {
            while (QWebSocket* s = ecoute.nextPendingConnection())
                serveur->acceptConnection(new GM_SocketWeb(s, true));
        });
        salle->renvoie = true;
        GM_SocketWeb client(true);
        QSignalSpy recu(&client, &GM_SocketAbstract::binaryMessageReceived);
        QSignalSpy connecteSignal(&client, &GM_SocketAbstract::connected);
        client.connectToHost(QStringLiteral("127.0.0.1"), ecoute.serverPort());
        QTRY_COMPARE_WITH_TIMEOUT(connecteSignal.size(), 1, Delai);
        const QByteArray id = nouveau(9);
        client.write(id.left(10));
        client.write(id.mid(10) + message(9, QStringLiteral("bonjour"), 1, 0));
        QTRY_COMPARE_WITH_TIMEOUT(messagesAppliques(), 1, Delai);
        // The seat key, then the chat's echo.
        QTRY_COMPARE_WITH_TIMEOUT(recu.size(), 2, Delai);
        QVERIFY(!cleDans(recu.at(0).at(0).toByteArray()).isEmpty());
        QVERIFY(recu.at(1).at(0).toByteArray().contains("bonjour"));
        client.close();
        QTRY_COMPARE_WITH_TIMEOUT(vue->fermees.size(), 1, Delai);
    }
};

ZB_REGISTER_TEST(TestServerSocketTransports)
#include "TestServerSocketTransports.moc"
