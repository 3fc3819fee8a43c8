#include "GM_ClientSocket.h"
#include "GM_LineEdit.h"
#include "GM_Login.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_NativeA.h"
#include "GM_Progress.h"
#include "GM_ProxyClientSocket.h"
#include "GM_ServerList.h"
#include "GM_TablesList.h"
#include "GM_TournamentClient.h"
#include "FenetreDeSalon.h"
#include "LobbyDeTest.h"
#include "ZbTestRegistry.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

constexpr int Delai = 5000;

class NatifDeTest : public GM_NativeA
{
public:
    QStringList activites;
    void discordSetActivity(const QString& text) override { activites << text; }
};

// Holds the native hooks before the window is made with them.
struct AvecNatif {
    NatifDeTest natif;
};

// The kit's lobby window with native hooks, and the window's messenger and
// session signals.
struct Lobby : AvecNatif, FenetreDeSalon {
    QSignalSpy messager{&fenetre, &GM_ServerList::signalSetMessengerStatus};
    QSignalSpy session{&fenetre, &GM_ServerList::signalStartClientSession};

    explicit Lobby(bool unsecure = true, bool tcp = false, bool automatique = false)
        : FenetreDeSalon(reglages(unsecure, tcp, automatique, &natif))
    {
    }
    static Reglages reglages(bool unsecure, bool tcp, bool automatique, GM_NativeA* natif)
    {
        Reglages r;
        r.unsecure = unsecure;
        r.tcp = tcp;
        r.automatique = automatique;
        r.natif = natif;
        return r;
    }
    // What the lobby window itself sent: the list requests of the servers,
    // friends and tournaments tabs, which follow every refresh, and the chat
    // tab's polls are their own tests' business.
    QStringList motsRecus() const
    {
        static const QList<QByteArray> listesDesOnglets{"R7k", "SrI", "SrS", "Fhr", "Tli", "Fr4"};
        QStringList mots;
        for (const auto& r : lobby.serveur.recus())
            if (!listesDesOnglets.contains(r.mot))
                mots << QString::fromLatin1(r.mot) + QLatin1Char(' ') + r.champs.join(QLatin1Char(','));
        return mots;
    }
};

} // namespace

class TestServerList : public QObject
{
    Q_OBJECT

private slots:
    // From the login to a game session: the lobby's answer names a game
    // server, and the ports follow the transport the program uses; an
    // answer that names no usable server starts nothing.
    void versUneSession_data()
    {
        QTest::addColumn<bool>("unsecure");
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("securise");
        QTest::addColumn<int>("clair");
        QTest::addColumn<int>("portTcp");
        QTest::addColumn<QString>("motDePasse");
        const QString pw = QStringLiteral("pw");
        QTest::newRow("secure WebSocket") << false << false << "10.0.0.5" << "4001" << 4001 << 0 << 0 << pw;
        QTest::newRow("plain WebSocket") << true << false << "10.0.0.5" << "4002" << 0 << 4002 << 0 << pw;
        QTest::newRow("TCP") << true << true << "10.0.0.5" << "4020" << 0 << 0 << 4000 << pw;
        QTest::newRow("TCP, lowest port") << true << true << "10.0.0.5" << "21" << 0 << 0 << 1 << pw;
        QTest::newRow("TCP, port 20") << true << true << "10.0.0.5" << "20" << -1 << -1 << -1 << pw;
        QTest::newRow("port 0") << true << false << "10.0.0.5" << "0" << -1 << -1 << -1 << pw;
        QTest::newRow("no address") << true << false << "" << "4002" << -1 << -1 << -1 << pw;
        QTest::newRow("password-less, no address") << true << false << "" << "4002" << -1 << -1 << -1 << QString();
        QTest::newRow("password-less server") << true << false << "10.0.0.5" << "4002" << 0 << 4002 << 0 << QString();
    }
    void versUneSession()
    {
        QFETCH(bool, unsecure);
        QFETCH(bool, tcp);
        QFETCH(QString, ip);
        QFETCH(QString, port);
        QFETCH(int, securise);
        QFETCH(int, clair);
        QFETCH(int, portTcp);
        QFETCH(QString, motDePasse);
        Lobby l(unsecure, tcp);
        l.lobby.serveur.setAdresseServeur(QStringLiteral("7"), motDePasse,
                                          {ip, port, QString::number(l.lobby.alice), QStringLiteral("30"),
                                           QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("3")});
        QVERIFY(l.connecte());
        QVERIFY(!l.login.isVisible());
        QVERIFY(l.fenetre.isVisible());
        QCOMPARE(l.messager.at(0).at(1).toInt(), 1);
        l.lobby.serveur.effaceRecus();
        l.client()->requestServerIpAndPort(QStringLiteral("7"), motDePasse);
        if (securise < 0) {
            QTRY_COMPARE_WITH_TIMEOUT(l.titres(), QStringList{"Serveur indisponible"}, Delai);
            // Only a password typed can be the wrong one.
            QCOMPARE(l.afficheur.historique().first().requete.texte_,
                     motDePasse.isEmpty()
                         ? QStringLiteral("Ce serveur n'est plus disponible.")
                         : QStringLiteral("Le mot de passe est invalide ou alors ce serveur n'est plus disponible."));
            QCOMPARE(l.session.size(), 0);
            QVERIFY(l.fenetre.isVisible());
            return;
        }
        QVERIFY(l.session.wait(Delai));
        const QList<QVariant> s = l.session.at(0);
        QCOMPARE(s.at(0).toString(), ip);
        QCOMPARE(s.at(1).toString(), QStringLiteral("Alice"));
        QCOMPARE(s.at(2).toInt(), securise);
        QCOMPARE(s.at(3).toInt(), clair);
        QCOMPARE(s.at(4).toInt(), portTcp);
        QCOMPARE(s.at(5).toLongLong(), l.lobby.alice);
        QCOMPARE(s.at(7).toBool(), true);
        QVERIFY(!l.fenetre.isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(l.motsRecus(), (QStringList{"SA1 7," + motDePasse, "Gbs 1", "Gbs 1"}), Delai);
        QCOMPARE(l.natif.activites.last(), QString());
    }

    // When a login may start, and what it does.
    void startLogin_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("automatique");
        QTest::addColumn<QString>("email");
        QTest::addColumn<bool>("reseau");
        QTest::addColumn<bool>("dejaConnecte");
        QTest::addColumn<bool>("demarre");
        QTest::addColumn<bool>("connexion");
        const QString alice = QString::fromLatin1(LobbyDeTest::EmailAlice);
        QTest::newRow("automatic, option off") << 4 << false << alice << true << false << false << false;
        QTest::newRow("automatic, bad e-mail") << 4 << true << "alice@" << true << false << false << false;
        QTest::newRow("automatic, no network") << 4 << true << alice << false << false << false << false;
        QTest::newRow("automatic") << 4 << true << alice << true << false << true << true;
        QTest::newRow("asked by the program, connected") << 1 << false << alice << true << true << false << false;
        QTest::newRow("interactive, connected") << 0 << false << alice << true << true << true << true;
        QTest::newRow("interactive, bad e-mail") << 0 << false << "alice@" << true << false << true << false;
    }
    void startLogin()
    {
        QFETCH(int, mode);
        QFETCH(bool, automatique);
        QFETCH(QString, email);
        QFETCH(bool, reseau);
        QFETCH(bool, dejaConnecte);
        QFETCH(bool, demarre);
        QFETCH(bool, connexion);
        Lobby l(true, false, automatique);
        if (dejaConnecte)
            QVERIFY(l.connecte());
        l.login.setUserAndPass(email, QString::fromLatin1(LobbyDeTest::PasseAlice));
        // The network check is only made for a mode that is already automatic.
        l.fenetre.showLogin(QString(), QString(), mode == 4 ? 4 : 6);
        l.login.hide();
        l.fenetre.setVerificationReseau([reseau] { return reseau; });
        QSignalSpy pret(l.client(), &GM_ClientSocket::signalReady);
        const int connexionsAvant = l.lobby.serveur.recusDe("Lgn").size();
        l.messager.clear();
        QCOMPARE(l.fenetre.startLogin(mode), demarre);
        // A new login ends the session under way first: the messenger
        // ends on "connecting".
        QCOMPARE(l.messager.size(), connexion ? (dejaConnecte ? 2 : 1) : 0);
        if (connexion)
            QCOMPARE(l.messager.last().at(1).toInt(), 1);
        if (connexion) {
            QVERIFY(pret.wait(Delai));
            QCOMPARE(l.lobby.serveur.recusDe("Lgn").size(), connexionsAvant + 1);
            QCOMPARE(l.progression.isVisible(), false);
        } else if (demarre) {
            QVERIFY(l.login.isVisible());
        }
        // An automatic login shows neither the progress nor the lobby.
        if (mode == 4 && connexion) {
            QVERIFY(!l.fenetre.isVisible());
            QCOMPARE(l.fenetre.loginMode(), 4);
        }
    }

    // Connecting to a lobby that is not there, hangs, or that the user
    // gives up on: the login dialog comes back within the connection's
    // time-out, with a box unless the user cancelled, and the messenger no
    // longer shows "connecting".
    void connexionSansLobby_data()
    {
        QTest::addColumn<QString>("lobby");
        QTest::addColumn<QString>("boite");
        QTest::newRow("stopped") << "stopped" << "Serveur du lobby indisponible";
        QTest::newRow("never answers") << "mute" << "Serveur du lobby indisponible";
        QTest::newRow("cancelled while it hangs") << "cancel" << QString();
    }
    void connexionSansLobby()
    {
        QFETCH(QString, lobby);
        QFETCH(QString, boite);
        Lobby l;
        GM_ClientSocket::Delais delais;
        delais.silenceMaxMs = 500;
        l.client()->setDelais(delais);
        QTcpServer muet;
        if (lobby == QLatin1String("stopped")) {
            l.lobby.serveur.arrete();
        } else {
            QVERIFY(muet.listen(QHostAddress::LocalHost, 0));
            qputenv(GM_ClientSocket::VariableAdresse, QByteArray("127.0.0.1:") + QByteArray::number(muet.serverPort()));
        }
        l.login.setUserAndPass(QString::fromLatin1(LobbyDeTest::EmailAlice),
                               QString::fromLatin1(LobbyDeTest::PasseAlice));
        l.login.show();
        QElapsedTimer chrono;
        chrono.start();
        QTest::mouseClick(l.login.buttonOk(), Qt::LeftButton);
        QCOMPARE(l.messager.last().at(1).toInt(), 1);
        QVERIFY(!l.login.isVisible());
        if (lobby == QLatin1String("cancel")) {
            QVERIFY(muet.waitForNewConnection(Delai));
            l.client()->cancel();
        }
        QTRY_VERIFY_WITH_TIMEOUT(l.login.isVisible(), delais.silenceMaxMs + 1000);
        QVERIFY(chrono.elapsed() < delais.silenceMaxMs + 1000);
        QCOMPARE(l.messager.last().at(1).toInt(), 0);
        QVERIFY(!l.fenetre.isConnected());
        QVERIFY(!l.progression.isVisible());
        if (boite.isEmpty())
            QVERIFY(l.titres().isEmpty());
        else
            QTRY_COMPARE_WITH_TIMEOUT(l.titres(), QStringList{boite}, Delai);
    }

    // The player's status: buttons, what the lobby is told, what Discord
    // shows.
    void statut_data()
    {
        QTest::addColumn<int>("statut");
        QTest::addColumn<QString>("serveur");
        QTest::addColumn<bool>("deconnecter");
        QTest::addColumn<QStringList>("envoye");
        QTest::addColumn<QString>("activite");
        QTest::addColumn<int>("onglet");
        QTest::newRow("in the lobby") << 0 << "" << true << QStringList{"Cul -1,-1", "Gbs 0"} << "" << 1;
        QTest::newRow("guest, no server") << 1 << "" << false << QStringList{"Gbs 1"} << "Serveur privé" << 1;
        QTest::newRow("guest on a server") << 1 << "Lac" << false << QStringList{"Gbs 1"} << "Serveur 'Lac'" << 1;
        QTest::newRow("public, no server") << 3 << "" << false << QStringList{"Gbs 1"} << "" << 1;
        QTest::newRow("hosting") << 2 << "" << false << QStringList{"Gbs 1"} << "Héberge un serveur privé" << 1;
        QTest::newRow("ranking picture") << 4 << "" << true << QStringList() << QString() << 3;
        QTest::newRow("servers picture") << 5 << "" << true << QStringList() << QString() << 1;
        QTest::newRow("titles picture") << 6 << "" << true << QStringList() << QString() << 5;
    }
    void statut()
    {
        QFETCH(int, statut);
        QFETCH(QString, serveur);
        QFETCH(bool, deconnecter);
        QFETCH(QStringList, envoye);
        QFETCH(QString, activite);
        QFETCH(int, onglet);
        Lobby l;
        QVERIFY(l.connecte());
        l.lobby.serveur.effaceRecus();
        l.natif.activites.clear();
        l.fenetre.serversTab()->setSelectedServerName(serveur);
        l.fenetre.setConnectStatus(GM::ConnectStatus(statut));
        QCOMPARE(l.fenetre.disconnectButton()->isEnabled(), deconnecter);
        QCOMPARE(l.fenetre.tabs()->currentIndex(), onglet);
        if (statut <= 3) {
            QCOMPARE(l.natif.activites, QStringList{activite});
            QTRY_COMPARE_WITH_TIMEOUT(l.motsRecus(), envoye, Delai);
        } else {
            QVERIFY(l.natif.activites.isEmpty());
            QVERIFY(l.fenetre.serversTab()->isScreenshot());
        }
    }

    // Statistics and penalties reach the lobby only while connected; a
    // game completed offline sends nothing.
    void transmission()
    {
        Lobby l;
        l.fenetre.OnServerSendPenalty(QStringLiteral("{p0}"));
        QCOMPARE(l.client()->getNombreMessagesEnFile(), 0);
        QVERIFY(l.connecte());
        l.lobby.serveur.effaceRecus();
        l.fenetre.OnServerSendStatsGameStarted(QStringLiteral("{debut}"));
        l.fenetre.OnServerSendStatsGameCompleted(false, QStringLiteral("{hors ligne}"));
        l.fenetre.OnServerSendStatsGameCompleted(true, QStringLiteral("{fin}"));
        l.fenetre.OnServerSendPenalty(QStringLiteral("{p1}"));
        QTRY_COMPARE_WITH_TIMEOUT(l.motsRecus(), (QStringList{"Gss {debut}", "Eds {fin}", "P3n {p1}"}), Delai);
    }

    // Tabs: a swipe moves by one and stops at the ends; the ranking asks
    // the lobby for the game family's list.
    void onglets()
    {
        Lobby l;
        QVERIFY(l.connecte());
        l.fenetre.tabs()->setCurrentIndex(7);
        QVERIFY(!l.fenetre.swipeTriggered(QSwipeGesture::Right));
        QVERIFY(l.fenetre.swipeTriggered(QSwipeGesture::Left));
        QCOMPARE(l.fenetre.tabs()->currentIndex(), 6);
        l.fenetre.tabs()->setCurrentIndex(0);
        QVERIFY(!l.fenetre.swipeTriggered(QSwipeGesture::Left));
        l.lobby.serveur.effaceRecus();
        l.fenetre.tabs()->setCurrentIndex(3);
        QTRY_COMPARE_WITH_TIMEOUT(l.motsRecus(), QStringList{"R7t "}, Delai);
    }

    // Leaving and coming back: cancelling the login dialog, closing the
    // window with and without automatic connection, disconnecting.
    void fermetures()
    {
        {
            Lobby l(true, false, true);
            QVERIFY(l.connecte());
            QCOMPARE(l.fenetre.loginMode(), 4);
            l.fenetre.close();
            QTest::qWait(50);
            QVERIFY(l.fenetre.isConnected());
            l.fenetre.showOnline(true);
            QVERIFY(!l.fenetre.backButton()->isVisibleTo(&l.fenetre));
            l.fenetre.OnLoginUserAnswer(0);
            QVERIFY(l.fenetre.isVisible());
            l.messager.clear();
            QTest::mouseClick(l.fenetre.disconnectButton(), Qt::LeftButton);
            QVERIFY(!l.fenetre.isConnected());
            QCOMPARE(l.messager.last().at(1).toInt(), 0);
            QVERIFY(l.login.isVisible());
            QTRY_COMPARE_WITH_TIMEOUT(l.lobby.serveur.nombreConnexions(), 0, Delai);
        }
        {
            Lobby l(true, false, false);
            QVERIFY(l.connecte());
            l.fenetre.OnLoginUserAnswer(0);
            QVERIFY(!l.fenetre.isVisible());
            l.fenetre.show();
            l.fenetre.close();
            QVERIFY(!l.fenetre.isConnected());
            QTRY_COMPARE_WITH_TIMEOUT(l.lobby.serveur.nombreConnexions(), 0, Delai);
        }
    }

    // A bridge opened twice for the same users makes two sockets.
    void ponts()
    {
        Lobby l;
        QVERIFY(l.connecte());
        QList<GM_SocketAbstract*> ponts;
        connect(&l.fenetre, &GM_ServerList::signalReceiveBridgeOpen, this,
                [&ponts](GM_SocketAbstract* socket) { ponts << socket; });
        l.fenetre.OnReceiveBridgeOpen(1002, l.lobby.alice);
        l.fenetre.OnReceiveBridgeOpen(1002, l.lobby.alice);
        QCOMPARE(ponts.size(), 2);
        auto* a = qobject_cast<GM_ProxyClientSocket*>(ponts.at(0));
        auto* b = qobject_cast<GM_ProxyClientSocket*>(ponts.at(1));
        QVERIFY(a != nullptr && b != nullptr && a != b);
        QCOMPARE(a->getUserIdTarget(), qint64(1002));
    }

    // The lobby as a dialog and as a panel, as the user sees them (kept
    // with ZB_KEEP_TEST_PICTURES=<folder>).
    void images()
    {
        Lobby l;
        QVERIFY(l.connecte());
        l.fenetre.resize(360, 420);
        QVERIFY(QTest::qWaitForWindowExposed(&l.fenetre));
        const QImage dialogue = l.fenetre.grab().toImage();
        l.fenetre.showOnline(true);
        const QImage panneau = l.fenetre.grab().toImage();
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        if (!dossier.isEmpty()) {
            QVERIFY(dialogue.save(QDir(dossier).filePath(QStringLiteral("lobby_dialog.png"))));
            QVERIFY(panneau.save(QDir(dossier).filePath(QStringLiteral("lobby_embedded.png"))));
        }
        QVERIFY(dialogue != panneau);
    }
};

ZB_REGISTER_TEST(TestServerList)
#include "TestServerList.moc"
