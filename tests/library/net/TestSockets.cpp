#include "GM_BanList.h"
#include "GM_ClientSocket.h"
#include "GM_ProxyClientSocket.h"
#include "GM_SocketTCP.h"
#include "GM_SocketWeb.h"
#include "ManqueSousCI.h"
#include "ZbTestRegistry.h"

#include <QFile>
#include <QHostAddress>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>

#include <memory>

namespace {

constexpr int Delai = 5000;

class SocketMinimal : public GM_SocketAbstract
{
    Q_OBJECT
public:
    QAbstractSocket::SocketState state() const override { return QAbstractSocket::ConnectedState; }
    qint64 write(const QByteArray& donnees) override { return donnees.size(); }
};

// A ban list whose clock the test moves.
class BanListHorloge : public GM_BanList
{
    Q_OBJECT
public:
    qint64 temps = 1000000;

protected:
    qint64 maintenant() const override { return temps; }
};

// A WebSocket server on the loopback interface that keeps every socket it
// accepts and every binary message they bring.
class ServeurWeb : public QObject
{
    Q_OBJECT
public:
    explicit ServeurWeb(QWebSocketServer::SslMode mode)
        : serveur(QStringLiteral("test"), mode)
    {
        connect(&serveur, &QWebSocketServer::newConnection, this, [this] {
            while (QWebSocket* socket = serveur.nextPendingConnection()) {
                socket->setParent(this);
                acceptes << socket;
                connect(socket, &QWebSocket::binaryMessageReceived, this,
                        [this](const QByteArray& message) { messages << message; });
            }
        });
    }
    bool ecoute() { return serveur.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return serveur.serverPort(); }

    QWebSocketServer serveur;
    QList<QWebSocket*> acceptes;
    QList<QByteArray> messages;
};

// A throw-away certificate for 127.0.0.1, made by the openssl program.
bool creeCertificat(const QString& dossier, QSslCertificate& certificat, QSslKey& cle)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty())
        return false;
    const QString fichierCle = dossier + QStringLiteral("/cle.pem");
    const QString fichierCertificat = dossier + QStringLiteral("/certificat.pem");
    QProcess processus;
    processus.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                              QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                              QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                              QStringLiteral("-keyout"), fichierCle, QStringLiteral("-out"), fichierCertificat,
                              QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-subj"),
                              QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                              QStringLiteral("subjectAltName=IP:127.0.0.1")});
    if (!processus.waitForFinished(20000) || processus.exitCode() != 0)
        return false;
    QFile c(fichierCertificat);
    QFile k(fichierCle);
    if (!c.open(QIODevice::ReadOnly) || !k.open(QIODevice::ReadOnly))
        return false;
    certificat = QSslCertificate(&c, QSsl::Pem);
    cle = QSslKey(&k, QSsl::Ec, QSsl::Pem);
    return !certificat.isNull() && !cle.isNull();
}

} // namespace

class TestSockets : public QObject
{
    Q_OBJECT

private slots:
    void lignesErreurGardeLesCentDernieres()
    {
        SocketMinimal socket;
        for (int i = 0; i < GM_SocketAbstract::NombreMaxLignesErreur + 5; ++i)
            socket.ajouteLigneErreur(QString::number(i));
        const QStringList lignes = socket.getLignesErreur();
        QCOMPARE(lignes.size(), GM_SocketAbstract::NombreMaxLignesErreur);
        QCOMPARE(lignes.first(), QStringLiteral("5"));
        QCOMPARE(lignes.last(), QStringLiteral("104"));
    }

    // The raw transport both ways over the loopback: what one side writes
    // is read by the other in chunks, and the end of the connection is
    // heard.
    void tcpAllerRetour()
    {
        QTcpServer ecoute;
        QVERIFY(ecoute.listen(QHostAddress::LocalHost, 0));
        GM_SocketTCP client;
        QVERIFY(client.isUnsecure());
        QSignalSpy connecte(&client, &GM_SocketAbstract::connected);
        client.connectToHost(QStringLiteral("127.0.0.1"), ecoute.serverPort());
        QVERIFY(ecoute.waitForNewConnection(Delai));
        GM_SocketTCP serveur(ecoute.nextPendingConnection());
        QTRY_COMPARE_WITH_TIMEOUT(connecte.size(), 1, Delai);
        QCOMPARE(client.state(), QAbstractSocket::ConnectedState);
        QVERIFY(client.isValid() && client.isOpen());
        QCOMPARE(serveur.peerAddress(), QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(serveur.localPort(), ecoute.serverPort());
        QCOMPARE(client.peerPort(), ecoute.serverPort());

        QSignalSpy pret(&serveur, &GM_SocketAbstract::readyRead_tcpOld);
        const QByteArray donnees = QByteArrayLiteral("{Mes!é!4!140!1!7!0!-1!0!}");
        QCOMPARE(client.write(donnees), qint64(donnees.size()));
        QByteArray recu;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                while (serveur.bytesAvailable() > 0)
                    recu += serveur.read(4);
                return recu == donnees;
            }(),
            Delai);
        QVERIFY(!pret.isEmpty());

        QSignalSpy fin(&serveur, &GM_SocketAbstract::disconnected);
        client.disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(fin.size(), 1, Delai);
    }

    void urlWebSocket_data()
    {
        QTest::addColumn<bool>("unsecure");
        QTest::addColumn<QString>("url");
        QTest::newRow("ws") << true << QStringLiteral("ws://127.0.0.1:4002");
        QTest::newRow("wss") << false << QStringLiteral("wss://127.0.0.1:4002");
    }
    void urlWebSocket()
    {
        QFETCH(bool, unsecure);
        QFETCH(QString, url);
        GM_SocketWeb socket(unsecure);
        QVERIFY(!socket.estCoteServeur());
        QCOMPARE(socket.isUnsecure(), unsecure);
        socket.connectToHost(QStringLiteral("127.0.0.1"), 4002);
        QCOMPARE(socket.getWebSocket()->requestUrl().toString(), url);
        socket.abort();
    }

    // Each write is one binary message, received whole on the other side;
    // the stream operations of TCP have nothing to give.
    void webSocketAllerRetour()
    {
        ServeurWeb serveur(QWebSocketServer::NonSecureMode);
        QVERIFY(serveur.ecoute());
        GM_SocketWeb client(true);
        QSignalSpy connecte(&client, &GM_SocketAbstract::connected);
        client.connectToHost(QStringLiteral("127.0.0.1"), serveur.port());
        QTRY_COMPARE_WITH_TIMEOUT(connecte.size(), 1, Delai);
        QTRY_COMPARE_WITH_TIMEOUT(serveur.acceptes.size(), 1, Delai);
        GM_SocketWeb cote(serveur.acceptes.takeFirst(), true);
        QVERIFY(cote.estCoteServeur());
        QCOMPARE(cote.state(), QAbstractSocket::ConnectedState);
        QCOMPARE(cote.peerAddress(), QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(cote.localPort(), serveur.port());

        QSignalSpy recuServeur(&cote, &GM_SocketAbstract::binaryMessageReceived);
        QSignalSpy recuClient(&client, &GM_SocketAbstract::binaryMessageReceived);
        const QByteArray grand(300000, 'x');
        QCOMPARE(client.write(QByteArrayLiteral("{un}")), qint64(4));
        QCOMPARE(client.write(grand), qint64(grand.size()));
        QTRY_COMPARE_WITH_TIMEOUT(recuServeur.size(), 2, Delai);
        QCOMPARE(recuServeur.at(0).at(0).toByteArray(), QByteArrayLiteral("{un}"));
        QCOMPARE(recuServeur.at(1).at(0).toByteArray(), grand);
        QCOMPARE(cote.bytesAvailable(), qint64(0));
        QVERIFY(cote.read(10).isEmpty());
        cote.write(QByteArrayLiteral("{deux}"));
        QTRY_COMPARE_WITH_TIMEOUT(recuClient.size(), 1, Delai);

        QSignalSpy fin(&cote, &GM_SocketAbstract::disconnected);
        client.close();
        QTRY_COMPARE_WITH_TIMEOUT(fin.size(), 1, Delai);
    }

    // An accepted socket refuses a message larger than any table event,
    // rather than hold it whole in memory.
    void webSocketMessageTropGrand()
    {
        ServeurWeb serveur(QWebSocketServer::NonSecureMode);
        QVERIFY(serveur.ecoute());
        GM_SocketWeb client(true);
        QSignalSpy connecte(&client, &GM_SocketAbstract::connected);
        client.connectToHost(QStringLiteral("127.0.0.1"), serveur.port());
        QTRY_COMPARE_WITH_TIMEOUT(connecte.size(), 1, Delai);
        QTRY_COMPARE_WITH_TIMEOUT(serveur.acceptes.size(), 1, Delai);
        GM_SocketWeb cote(serveur.acceptes.takeFirst(), true);
        QSignalSpy recu(&cote, &GM_SocketAbstract::binaryMessageReceived);
        QSignalSpy fin(&client, &GM_SocketAbstract::disconnected);
        client.write(QByteArray(GM_SocketWeb::TailleMessageMaxAccepte + 1, 'x'));
        QTRY_COMPARE_WITH_TIMEOUT(fin.size(), 1, Delai);
        QCOMPARE(recu.size(), 0);
    }

    // wss with a certificate the client's authorities know; without it the
    // handshake fails and the error is kept for the bug report.
    void webSocketSecurise()
    {
        if (!QSslSocket::supportsSsl())
            ZB_MANQUE("no TLS support");
        QTemporaryDir dossier;
        QSslCertificate certificat;
        QSslKey cle;
        if (!creeCertificat(dossier.path(), certificat, cle))
            ZB_MANQUE("the openssl program could not make a certificate");

        ServeurWeb serveur(QWebSocketServer::SecureMode);
        QSslConfiguration configurationServeur = QSslConfiguration::defaultConfiguration();
        configurationServeur.setLocalCertificate(certificat);
        configurationServeur.setPrivateKey(cle);
        configurationServeur.setPeerVerifyMode(QSslSocket::VerifyNone);
        serveur.serveur.setSslConfiguration(configurationServeur);
        QVERIFY(serveur.ecoute());

        {
            GM_SocketWeb inconnu(false);
            QSignalSpy erreurs(&inconnu, &GM_SocketAbstract::sslErrors);
            inconnu.connectToHost(QStringLiteral("127.0.0.1"), serveur.port());
            QTRY_VERIFY_WITH_TIMEOUT(!erreurs.isEmpty(), Delai);
            QVERIFY(!inconnu.getLignesErreur().isEmpty());
            QVERIFY(inconnu.getLignesErreur().first().startsWith(QStringLiteral("GM_SocketWeb(")));
            QVERIFY(inconnu.getLignesErreur().first().contains(QStringLiteral("::onSslErrors ")));
        }

        const QSslConfiguration avant = QSslConfiguration::defaultConfiguration();
        QSslConfiguration confiance = avant;
        confiance.setCaCertificates(avant.caCertificates() << certificat);
        QSslConfiguration::setDefaultConfiguration(confiance);
        GM_SocketWeb client(false);
        QSslConfiguration::setDefaultConfiguration(avant);
        QVERIFY(!client.isUnsecure());
        QSignalSpy connecte(&client, &GM_SocketAbstract::connected);
        client.connectToHost(QStringLiteral("127.0.0.1"), serveur.port());
        QTRY_COMPARE_WITH_TIMEOUT(connecte.size(), 1, Delai);
        QVERIFY(client.getLignesErreur().isEmpty());
        client.write(QByteArrayLiteral("{chiffre}"));
        QTRY_COMPARE_WITH_TIMEOUT(serveur.messages.size(), 1, Delai);
        QCOMPARE(serveur.messages.at(0), QByteArrayLiteral("{chiffre}"));
    }

    // A bridged write is one lobby record of six messages, kept until the
    // lobby connection is open; empty data still makes the whole record.
    void pontEcrit()
    {
        ServeurWeb lobby(QWebSocketServer::NonSecureMode);
        QVERIFY(lobby.ecoute());
        GM_ClientSocket client(true);
        GM_ProxyClientSocket pont(&client, 42, 7);
        QCOMPARE(pont.state(), QAbstractSocket::ConnectedState);
        QVERIFY(pont.isValid());
        QVERIFY(pont.isUnsecure());
        QVERIFY(pont.peerAddress().isNull());
        QCOMPARE(pont.peerPort(), quint16(0));
        QCOMPARE(pont.bytesAvailable(), qint64(0));
        // Connected on the next turn of the event loop, never inside the
        // caller, which may hold the lock its handler takes.
        QSignalSpy connecte(&pont, &GM_SocketAbstract::connected);
        pont.connectToHost(QStringLiteral("ignored"), 1);
        QCOMPARE(connecte.size(), 0);
        QVERIFY(connecte.wait(Delai));

        QCOMPARE(pont.write(QByteArrayLiteral("{Mes!a!}")), qint64(8));
        QCOMPARE(pont.write(QByteArray()), qint64(0));
        QCOMPARE(client.getNombreRecordsEnAttente(), 2);
        client.getWebSocket()->open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(lobby.port())));
        QTRY_COMPARE_WITH_TIMEOUT(lobby.messages.size(), 12, Delai);
        const QList<QByteArray> attendu{"Brs", "42", "\n", "{Mes!a!}", "\n", "\x0C",
                                        "Brs", "42", "\n", "",         "\n", "\x0C"};
        QCOMPARE(lobby.messages, attendu);

        // Once open, records go out at once.
        lobby.messages.clear();
        QCOMPARE(pont.write(QByteArrayLiteral("x")), qint64(1));
        QCOMPARE(client.getNombreRecordsEnAttente(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(lobby.messages.size(), 6, Delai);

        // Closing the bridge, by any of its three names, tells the lobby
        // and the bridge's user.
        for (auto ferme : {&GM_SocketAbstract::abort, &GM_SocketAbstract::close,
                           &GM_SocketAbstract::disconnectFromHost}) {
            lobby.messages.clear();
            QSignalSpy fin(&pont, &GM_SocketAbstract::disconnected);
            (pont.*ferme)();
            QCOMPARE(fin.size(), 1);
            QTRY_COMPARE_WITH_TIMEOUT(lobby.messages.size(), 6, Delai);
            const QList<QByteArray> cul{"Cul", "7", "\n", "42", "\n", "\x0C"};
            QCOMPARE(lobby.messages, cul);
        }
    }

    void pontSansLobby()
    {
        auto* client = new GM_ClientSocket(false);
        GM_ProxyClientSocket pont(client, 42, 7);
        QVERIFY(!pont.isUnsecure());
        delete client;
        QCOMPARE(pont.write(QByteArrayLiteral("x")), qint64(-1));
        QVERIFY(pont.isUnsecure());
        QSignalSpy fin(&pont, &GM_SocketAbstract::disconnected);
        pont.abort();
        QCOMPARE(fin.size(), 1);
    }

    // Only the user at the other end speaks through a bridge: the lobby
    // connection carries every bridge's data.
    void pontRecoit_data()
    {
        QTest::addColumn<qint64>("cible");
        QTest::addColumn<qint64>("de");
        QTest::addColumn<bool>("pris");
        QTest::newRow("from the other end") << qint64(42) << qint64(42) << true;
        QTest::newRow("from another user") << qint64(42) << qint64(43) << false;
        QTest::newRow("any user") << qint64(-1) << qint64(43) << true;
    }
    void pontRecoit()
    {
        QFETCH(qint64, cible);
        QFETCH(qint64, de);
        QFETCH(bool, pris);
        GM_ClientSocket client(true);
        GM_ProxyClientSocket pont(&client, cible, 7);
        QSignalSpy recu(&pont, &GM_SocketAbstract::binaryMessageReceived);
        emit client.signalReceiveBridgeData(de, 7, QStringLiteral("{Mes!é!}"));
        QCOMPARE(recu.size(), pris ? 1 : 0);
        if (pris) {
            QCOMPARE(recu.at(0).at(0).toByteArray(), QStringLiteral("{Mes!é!}").toUtf8());
            QCOMPARE(pont.getDonneesRecues(), QStringLiteral("{Mes!é!}").toUtf8());
        }
        QSignalSpy ferme(&pont, &GM_SocketAbstract::signalBridgeClose);
        emit client.signalReceiveBridgeClose(de, 7);
        QCOMPARE(ferme.size(), 1);
        QCOMPARE(ferme.at(0).at(0).toLongLong(), de);
        QCOMPARE(ferme.at(0).at(1).toLongLong(), qint64(7));
    }

    // Bans escalate tenfold and are only renewed once over.
    void bannissements()
    {
        BanListHorloge liste;
        const QHostAddress adresse(QStringLiteral("203.0.113.5"));
        const QHostAddress autre(QStringLiteral("203.0.113.6"));
        QVERIFY(!liste.isBanned(adresse));
        QCOMPARE(liste.OnBan(adresse), qint64(6));
        QVERIFY(liste.isBanned(adresse));
        QVERIFY(!liste.isBanned(autre));
        // Still banned: unchanged.
        liste.temps += 3;
        QCOMPARE(liste.OnBan(adresse), qint64(6));
        liste.temps += 3;
        QVERIFY(liste.isBanned(adresse));
        liste.temps += 1;
        QVERIFY(!liste.isBanned(adresse));
        QCOMPARE(liste.OnBan(adresse), qint64(60));
        liste.temps += 61;
        QCOMPARE(liste.OnBan(adresse), qint64(600));
        for (int i = 0; i < 12; ++i) {
            liste.temps += GM_BanList::DureeMax + 1;
            liste.OnBan(adresse);
        }
        liste.temps += GM_BanList::DureeMax + 1;
        QCOMPARE(liste.OnBan(adresse), GM_BanList::DureeMax);
    }
};

ZB_REGISTER_TEST(TestSockets)
#include "TestSockets.moc"
