#include "ManqueSousCI.h"
#include "PiegesDeFichiers.h"
#include "CertificatDeTest.h"
#include "GM_ClientSocket.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_ProxyClientSocket.h"
#include "LobbyDeTest.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {

constexpr int Delai = 5000;

// A lobby client as the lobby window makes it, with a progress window that
// counts and a displayer that answers every box.
struct Client {
    GM_MessageBoxDisplayerHeadless afficheur;
    ProgressionDeTest progression;
    GM_ClientSocket client{QString(), nullptr, &progression, &afficheur};
    QSignalSpy pret{&client, &GM_ClientSocket::signalReady};
    QSignalSpy deconnecte{&client, &GM_ClientSocket::signalDisconnected};
    QSignalSpy montreLogin{&client, &GM_ClientSocket::signalHideProgressAndShowLogin};
    QSignalSpy bloque{&client, &GM_ClientSocket::signalAccountLocked};
    QSignalSpy miseAJour{&client, &GM_ClientSocket::signalUpdateNeeded};
    // Every list answer: the signal's name and a copy of the list.
    QList<QPair<QString, QStringList>> listes;

    Client()
    {
        afficheur.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        garde(&GM_ClientSocket::signalMainGameServerStatus, "signalMainGameServerStatus");
        garde(&GM_ClientSocket::signalMainGameServerInfo, "signalMainGameServerInfo");
        garde(&GM_ClientSocket::signalTournamentListReceived, "signalTournamentListReceived");
        garde(&GM_ClientSocket::signalFriendListReceived, "signalFriendListReceived");
        garde(&GM_ClientSocket::signalSearchFriendsListReceived, "signalSearchFriendsListReceived");
        garde(&GM_ClientSocket::signalScoresReceived, "signalScoresReceived");
        garde(&GM_ClientSocket::signalStatsReceived, "signalStatsReceived");
        garde(&GM_ClientSocket::signalAchievementsReceived, "signalAchievementsReceived");
        garde(&GM_ClientSocket::signalDiscordChat, "signalDiscordChat");
        garde(&GM_ClientSocket::signalPasswordChangeAnswerReceived, "signalPasswordChangeAnswerReceived");
        garde(&GM_ClientSocket::signalRequestAccountDataAnswerReceived, "signalRequestAccountDataAnswerReceived");
        garde(&GM_ClientSocket::signalRequestAccountDeleteAnswerReceived, "signalRequestAccountDeleteAnswerReceived");
        QObject::connect(&client, &GM_ClientSocket::signalServerListReceived, &client,
                         [this](qint64, const QStringList* liste) {
                             listes.append({QStringLiteral("signalServerListReceived"), *liste});
                         });
    }

    template <typename Signal>
    void garde(Signal signal, const char* nom)
    {
        QObject::connect(&client, signal, &client,
                         [this, nom](const QStringList* liste) { listes.append({QString::fromLatin1(nom), *liste}); });
    }

    bool login(const char* email, const char* passe, bool unsecure = true)
    {
        const qsizetype avant = pret.size();
        client.connectForLogin(QString::fromLatin1(email), QString::fromLatin1(passe), false, unsecure);
        return pret.size() > avant || pret.wait(Delai);
    }
    QStringList titres() const
    {
        QStringList t;
        for (const auto& a : afficheur.historique())
            t << a.requete.titre_;
        return t;
    }
    QStringList textes() const
    {
        QStringList t;
        for (const auto& a : afficheur.historique())
            t << a.requete.texte_;
        return t;
    }
    bool aucuneBoite() { return afficheur.nombreEnAttente() == 0 && afficheur.historique().isEmpty(); }
    void enfile(const QByteArray& mot, const QStringList& champs)
    {
        QMutexLocker verrou(client.getOutQueueMutex());
        QSharedPointer<GM_SocketEvent> message = GM_SocketEvent::findEvent(GM_SocketEvent::Idle, mot);
        QVERIFY(message);
        message->champs_ = champs;
        QObject::connect(message.data(), &GM_SocketEvent::signalTransmitError, &client, &GM_ClientSocket::onError);
        client.enqueueEvent(message);
    }
    void rafraichit(const QByteArray& mot)
    {
        QMutexLocker verrou(client.getOutQueueMutex());
        client.sendRefreshRequest(mot);
    }
};

GM_ClientSocket::Delais delaisCourts()
{
    GM_ClientSocket::Delais d;
    d.relanceBaseMs = 50;
    d.relanceMaxMs = 200;
    d.relancesMax = 3;
    return d;
}

quint16 portFerme()
{
    QTcpServer serveur;
    serveur.listen(QHostAddress::LocalHost, 0);
    return serveur.serverPort();
}

} // namespace

class TestLobbyClient : public QObject
{
    Q_OBJECT

    QString versionAvant_;

private slots:
    // The lobby is told the program's version at login: the program's own
    // for the time of these tests.
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zubrik.lobby.debug=true"));
        versionAvant_ = QCoreApplication::applicationVersion();
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.0"));
    }
    void cleanupTestCase() { QCoreApplication::setApplicationVersion(versionAvant_); }

    // Each way a login ends, over both transports: what the windows hear,
    // what the user is shown, and where the client stands.
    void login_data()
    {
        QTest::addColumn<bool>("unsecure");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("passe");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<QString>("versionMinimale");
        QTest::addColumn<QString>("issue");
        QTest::addColumn<QString>("boite");
        const QString alice = QString::fromLatin1(LobbyDeTest::EmailAlice);
        const QString passe = QString::fromLatin1(LobbyDeTest::PasseAlice);
        QTest::newRow("ws") << true << alice << passe << false << QString() << "ready" << QString();
        QTest::newRow("wss") << false << alice << passe << false << QString() << "ready" << QString();
        QTest::newRow("e-mail in capitals") << true << alice.toUpper() << passe << false << QString() << "ready"
                                            << QString();
        QTest::newRow("quiet") << false << alice << passe << true << QString() << "ready" << QString();
        QTest::newRow("wrong password") << true << alice << "autre-passe" << false << QString() << "login"
                                        << "Connexion refusée";
        QTest::newRow("unknown account") << false << "nobody@example.org" << passe << false << QString() << "login"
                                         << "Connexion refusée";
        QTest::newRow("wrong password, quiet") << true << alice << "autre-passe" << true << QString() << "login"
                                               << QString();
        QTest::newRow("locked account") << true << "carol@example.org" << "carol-1" << false << QString() << "locked"
                                        << "Compte bloqué";
        QTest::newRow("program too old") << true << alice << passe << false << "9.0" << "update" << QString();
        QTest::newRow("no lobby there") << true << alice << passe << false << QString() << "login"
                                        << "Serveur du lobby indisponible";
        QTest::newRow("no lobby there, quiet") << true << alice << passe << true << QString() << "login" << QString();
    }
    void login()
    {
        QFETCH(bool, unsecure);
        QFETCH(QString, email);
        QFETCH(QString, passe);
        QFETCH(bool, quiet);
        QFETCH(QString, versionMinimale);
        QFETCH(QString, issue);
        QFETCH(QString, boite);
        LobbyDeTest lobby;
        lobby.serveur.ajouteCompte(QStringLiteral("carol@example.org"), QStringLiteral("carol-1"),
                                   QStringLiteral("Carol"), true);
        lobby.serveur.setVersionMinimale(versionMinimale);
        QVERIFY(lobby.demarre(unsecure));
        if (QString::fromLatin1(QTest::currentDataTag()).startsWith(QLatin1String("no lobby")))
            qputenv(GM_ClientSocket::VariableAdresse, QByteArray("127.0.0.1:") + QByteArray::number(portFerme()));

        Client c;
        c.client.connectForLogin(email, passe, quiet, unsecure);
        QTRY_VERIFY_WITH_TIMEOUT(c.pret.size() + c.montreLogin.size() + c.bloque.size() + c.miseAJour.size() > 0,
                                 Delai);
        QCOMPARE(c.pret.size(), issue == QLatin1String("ready") ? 1 : 0);
        QCOMPARE(c.montreLogin.size(), issue == QLatin1String("login") ? 1 : 0);
        QCOMPARE(c.bloque.size(), issue == QLatin1String("locked") ? 1 : 0);
        QCOMPARE(c.miseAJour.size(), issue == QLatin1String("update") ? 1 : 0);
        QCOMPARE(c.progression.montre, quiet ? 0 : 1);
        QVERIFY(!c.progression.visible);
        if (boite.isEmpty())
            QVERIFY(c.aucuneBoite());
        else
            QTRY_COMPARE_WITH_TIMEOUT(c.titres(), QStringList{boite}, Delai);
        if (issue == QLatin1String("ready")) {
            QCOMPARE(c.client.getProtocolState(), int(GM_SocketEvent::Idle));
            QVERIFY(c.client.isConnectedToLobby());
            QCOMPARE(c.client.getLoginName(), QStringLiteral("Alice"));
            QCOMPARE(c.client.getDatabaseUserId(), lobby.alice);
            QCOMPARE(c.client.isUnsecure(), unsecure);
            const QStringList lgn = lobby.serveur.recusDe("Lgn").value(0).champs;
            QCOMPARE(lgn, (QStringList{email, passe, QStringLiteral("1.2.0"), QStringLiteral("1")}));
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(c.client.state(), QAbstractSocket::UnconnectedState, Delai);
            QCOMPARE(c.client.getProtocolState(), int(GM_SocketEvent::Init));
            QVERIFY(!c.client.isConnectedToLobby());
        }
    }

    // Getting an account and having the password sent: one answer in a box,
    // then the login dialog again.
    void compteEtMotDePasse_data()
    {
        QTest::addColumn<int>("demande"); // 0 new account, 1 password
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("boite");
        QTest::addColumn<QString>("texte");
        QTest::newRow("new account") << 0 << "dave@example.org" << "Nouveau compte"
                                     << "Le compte a été créé. Un courriel de confirmation vous a été envoyé.";
        QTest::newRow("account exists") << 0 << LobbyDeTest::EmailAlice << "Nouveau compte"
                                        << "Cette adresse email a déjà un compte.";
        QTest::newRow("password sent") << 1 << LobbyDeTest::EmailAlice << "Mot de passe oublié"
                                       << "Le mot de passe a été envoyé à votre adresse email.";
        QTest::newRow("no such account") << 1 << "nobody@example.org" << "Mot de passe oublié"
                                         << "Aucun compte n'existe pour cette adresse email.";
    }
    void compteEtMotDePasse()
    {
        QFETCH(int, demande);
        QFETCH(QString, email);
        QFETCH(QString, boite);
        QFETCH(QString, texte);
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(false));
        Client c;
        if (demande == 0)
            c.client.connectForCreateLogin(email, QStringLiteral("passe-Dave"), QStringLiteral("Dave"), false);
        else
            c.client.connectForResendPassword(email, false);
        QVERIFY(c.montreLogin.wait(Delai));
        QTRY_COMPARE_WITH_TIMEOUT(c.titres(), QStringList{boite}, Delai);
        QCOMPARE(c.textes(), QStringList{texte});
        QCOMPARE(c.pret.size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(c.client.state(), QAbstractSocket::UnconnectedState, Delai);
        if (QLatin1String(QTest::currentDataTag()) == QLatin1String("new account")) {
            QVERIFY(lobby.serveur.compte(email) != nullptr);
            QVERIFY(c.login("dave@example.org", "passe-Dave", false));
        }
    }

    // Every request with an answer reaches its signal with the answer's
    // fields, and the client is Idle again.
    void requetes_data()
    {
        QTest::addColumn<QByteArray>("mot");
        QTest::addColumn<QStringList>("champs");
        QTest::addColumn<QStringList>("reponse");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<QStringList>("liste");
        const QStringList deux{QStringLiteral("a,1,,x"), QStringLiteral("b,2,é,y")};
        QTest::newRow("servers") << QByteArray("R7k") << QStringList() << deux << "signalServerListReceived" << deux;
        QTest::newRow("server status") << QByteArray("SrS") << QStringList()
            << deux << "signalMainGameServerStatus" << deux;
        QTest::newRow("server info") << QByteArray("SrI") << QStringList()
            << deux << "signalMainGameServerInfo" << deux;
        QTest::newRow("tournaments") << QByteArray("Tli") << QStringList()
            << deux << "signalTournamentListReceived" << deux;
        QTest::newRow("friends") << QByteArray("Fhr") << QStringList() << deux << "signalFriendListReceived" << deux;
        QTest::newRow("ranking Jass") << QByteArray("R7t") << QStringList() << deux << "signalScoresReceived" << deux;
        QTest::newRow("ranking Belote") << QByteArray("R6t") << QStringList() << deux << "signalScoresReceived" << deux;
        QTest::newRow("stats Jass") << QByteArray("H2q") << QStringList() << deux << "signalStatsReceived" << deux;
        QTest::newRow("stats Belote") << QByteArray("H3q") << QStringList() << deux << "signalStatsReceived" << deux;
        QTest::newRow("titles") << QByteArray("Awq") << QStringList() << deux << "signalAchievementsReceived" << deux;
        QTest::newRow("empty list") << QByteArray("Awq") << QStringList() << QStringList()
                                    << "signalAchievementsReceived" << QStringList();
        QTest::newRow("friend search") << QByteArray("Fr1") << QStringList{"bo"} << deux
                                       << "signalSearchFriendsListReceived" << deux;
        QTest::newRow("contact import") << QByteArray("FiS") << QStringList{"a@b.ch", "c@d.ch"} << deux
                                        << "signalSearchFriendsListReceived" << deux;
        const QStringList chat{QStringLiteral("1"), QStringLiteral("Bob: salut\ntout le monde")};
        QTest::newRow("chat") << QByteArray("Fr4") << QStringList{"1"} << chat << "signalDiscordChat" << chat;
        QTest::newRow("password change") << QByteArray("pCH") << QStringList{LobbyDeTest::PasseAlice, "nouveau-1"}
                                         << QStringList() << "signalPasswordChangeAnswerReceived"
                                         << QStringList{"0"};
        QTest::newRow("account data") << QByteArray("Dld") << QStringList() << QStringList{"0", "x"}
                                      << "signalRequestAccountDataAnswerReceived" << QStringList{"0", "x"};
        QTest::newRow("account deletion") << QByteArray("Dli") << QStringList() << QStringList{"2"}
                                          << "signalRequestAccountDeleteAnswerReceived" << QStringList{"2"};
    }
    void requetes()
    {
        QFETCH(QByteArray, mot);
        QFETCH(QStringList, champs);
        QFETCH(QStringList, reponse);
        QFETCH(QString, signal);
        QFETCH(QStringList, liste);
        LobbyDeTest lobby;
        if (mot != "pCH")
            lobby.serveur.setReponse(mot, reponse);
        QVERIFY(lobby.demarre(true));
        Client c;
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        if (champs.isEmpty())
            c.rafraichit(mot);
        else
            c.enfile(mot, champs);
        QTRY_COMPARE_WITH_TIMEOUT(c.listes.size(), 1, Delai);
        QCOMPARE(c.listes.at(0).first, signal);
        QCOMPARE(c.listes.at(0).second, liste);
        QCOMPARE(c.client.getProtocolState(), int(GM_SocketEvent::Idle));
        QCOMPARE(lobby.serveur.recusDe(mot).value(0).champs, champs);
    }

    // What each of the client's own sends puts on the wire.
    void envois_data()
    {
        QTest::addColumn<int>("envoi");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("online status") << 0 << QStringList{"Gbs 2"};
        QTest::newRow("chat") << 1 << QStringList{"A4E 3,salut\nà tous"};
        QTest::newRow("tournament") << 2 << QStringList{"Tjo T9,1,,Bob"};
        QTest::newRow("private invitation, padded") << 3 << QStringList{"Gbs 1", "hTr 1002,,"};
        QTest::newRow("private invitation, four at most") << 4 << QStringList{"Gbs 1", "hTr 1,2,3,4"};
        QTest::newRow("public invitation") << 5 << QStringList{"Gl5 77,4002,1002,,", "SA1 77,"};
        QTest::newRow("friend requests") << 6 << QStringList{"F9n 1001,1002", "F9n 1001,1003"};
        QTest::newRow("accept and refuse") << 7 << QStringList{"Blw a", "Bkv b", "Bkv c"};
        QTest::newRow("stats of a started game") << 8 << QStringList{"Gss {stats}"};
        QTest::newRow("friend list, queue busy") << 9 << QStringList{"Fhr "};
    }
    void envois()
    {
        QFETCH(int, envoi);
        QFETCH(QStringList, attendu);
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Client c;
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        lobby.serveur.effaceRecus();
        QSignalSpy heberge(&c.client, &GM_ClientSocket::signalStartServerSession);
        GM_ClientSocket& k = c.client;
        switch (envoi) {
        case 0: k.sendOnlineStatus(GM::HostingPrivateServer); break;
        case 1: k.sendChatMessage(3, QStringLiteral("salut\nà tous")); break;
        case 2: k.sendTournamentCommand(QStringLiteral("T9"), 1, QString(), QStringLiteral("Bob")); break;
        case 3: k.sendInvitationPrivate({QStringLiteral("1002")}); break;
        case 4: k.sendInvitationPrivate({"1", "2", "3", "4", "5"}); break;
        case 5: k.sendInvitationPublic(77, 4002, {QStringLiteral("1002")}); break;
        case 6: k.sendInviteFriends({QStringLiteral("1002"), QStringLiteral("1003")}); break;
        case 7:
            k.sendFriendRequestAccept({QStringLiteral("a")});
            k.sendFriendRequestRejectOrCancel({QStringLiteral("b"), QStringLiteral("c")});
            break;
        case 8: k.sendAddStatsGameStarted(QStringLiteral("{stats}")); break;
        case 9: {
            // Tried again once the out-queue is free.
            QMutexLocker verrou(k.getOutQueueMutex());
            k.OnRefreshFriendList();
            break;
        }
        }
        QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recus().size(), attendu.size(), Delai);
        QStringList recus;
        for (const auto& r : lobby.serveur.recus())
            recus << QString::fromLatin1(r.mot) + QLatin1Char(' ') + r.champs.join(QLatin1Char(','));
        QCOMPARE(recus, attendu);
        if (envoi == 3 || envoi == 4) {
            QCOMPARE(heberge.size(), 1);
            QCOMPARE(heberge.at(0).at(0).toString(), QStringLiteral("Alice"));
            QCOMPARE(heberge.at(0).at(4).toLongLong(), lobby.alice);
        }
    }

    // One message per pacing interval, in order; a request waits for its
    // answer before the next leaves; a word already queued or awaited is
    // not asked twice; a message the protocol does not allow is refused.
    void fileDAttente()
    {
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Client c;
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        QList<qint64> instants;
        QElapsedTimer horloge;
        horloge.start();
        QObject::connect(&c.client, &GM_ClientSocket::signalRecordSent, &c.client,
                         [&](const QByteArray&) { instants << horloge.elapsed(); });
        c.rafraichit("Fhr");
        c.rafraichit("Fhr");
        c.enfile("Gbs", {QStringLiteral("0")});
        c.enfile("Gbs", {QStringLiteral("0"), QStringLiteral("de trop")});
        c.enfile("Eds", {QStringLiteral("{stats}")});
        c.client.sendBridgeClose(-1, -1);
        QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recus().size(), 5, Delai);
        QStringList mots;
        for (const auto& recu : lobby.serveur.recus())
            mots << QString::fromLatin1(recu.mot);
        QCOMPARE(mots, (QStringList{"Lgn", "Fhr", "Gbs", "Eds", "Cul"}));
        QCOMPARE(instants.size(), 4);
        for (int i = 1; i < instants.size(); ++i)
            QVERIFY2(instants.at(i) - instants.at(i - 1) >= c.client.getDelais().envoiMs,
                     qPrintable(QStringLiteral("%1 ms apart").arg(instants.at(i) - instants.at(i - 1))));

        // While its answer is awaited, the same request is dropped.
        lobby.serveur.setMuet(true);
        c.rafraichit("Fhr");
        QTRY_COMPARE_WITH_TIMEOUT(c.client.getProtocolState(), int(GM_SocketEvent::WaitFriendList), Delai);
        c.rafraichit("Fhr");
        QCOMPARE(c.client.getNombreMessagesEnFile(), 0);
    }

    // Bad records from the lobby are dropped with a log line and what
    // follows them is read; too much without a record end closes the
    // connection, for good.
    void mauvaiseEntree_data()
    {
        QTest::addColumn<QList<QByteArray>>("messages");
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<bool>("ferme");
        QTest::newRow("truncated") << QList<QByteArray>{"Fpo1\x0C"} << "truncated" << false;
        QTest::newRow("unknown word") << QList<QByteArray>{"Zzz\x0C"} << "unknown record" << false;
        QTest::newRow("answer never asked for")
            << QList<QByteArray>{GM_LobbyFrame::record("SA1", {"h", "1", "2", "3", "1", "4", "5"})}
            << "not expected in state" << false;
        QTest::newRow("login answer in a session") << QList<QByteArray>{"Lok7\nX\n\x0C"} << "not expected in state"
                                                   << false;
        QTest::newRow("wrong field count") << QList<QByteArray>{"Bro1\n\x0C"} << "with 1 fields" << false;
        QTest::newRow("ids not numbers") << QList<QByteArray>{"Broa\nb\n\x0C"} << "without user ids" << false;
        QTest::newRow("bad escape") << QList<QByteArray>{"Bro1\xFFz\n2\n\x0C"} << "bad escape" << false;
        QTest::newRow("oversized") << QList<QByteArray>{QByteArray(GM_LobbyFrame::TailleMax / 2 + 1, 'a'),
                                                        QByteArray(GM_LobbyFrame::TailleMax / 2 + 1, 'a')}
                                   << "without a record end" << true;
    }
    void mauvaiseEntree()
    {
        QFETCH(QList<QByteArray>, messages);
        QFETCH(QString, ligne);
        QFETCH(bool, ferme);
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Client c;
        c.client.setAutoReconnect(true);
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        JournalDeTest journal;
        QSignalSpy ami(&c.client, &GM_ClientSocket::signalFriendPlayingOnline);
        QSignalSpy pont(&c.client, &GM_ClientSocket::signalReceiveBridgeOpen);
        QVERIFY(lobby.serveur.envoieBrut(lobby.alice, messages + QList<QByteArray>{"Fpo\x0C"}));
        if (ferme) {
            QVERIFY(c.deconnecte.wait(Delai));
            QTRY_COMPARE_WITH_TIMEOUT(c.titres(), QStringList{"Erreur du lobby"}, Delai);
            QVERIFY(!c.client.relancePrevue());
        } else {
            QVERIFY(ami.wait(Delai));
            QVERIFY(c.client.isConnectedToLobby());
            QCOMPARE(c.deconnecte.size(), 0);
            QVERIFY(c.aucuneBoite());
        }
        QCOMPARE(pont.size(), 0);
        QVERIFY2(JournalDeTest::contient(ligne), qPrintable(JournalDeTest::lignes.join(QLatin1Char('\n'))));
    }

    // A session lost after its login comes back quietly when automatic
    // connection is on, with a delay that doubles up to a cap, a bounded
    // number of times; off, the loss is only told.
    void perteEtRelance()
    {
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Client c;
        c.client.setDelais(delaisCourts());
        c.client.setAutoReconnect(true);
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        lobby.serveur.coupe(lobby.alice);
        QVERIFY(c.deconnecte.wait(Delai));
        QTRY_COMPARE_WITH_TIMEOUT(c.pret.size(), 2, Delai);
        QCOMPARE(c.progression.montre, 1);
        QCOMPARE(c.client.getRelances(), 0);

        // The lobby goes away: three quiet logins, 50, 100 then 200 ms
        // apart, each announced, then the box and the login dialog.
        JournalDeTest journal;
        QSignalSpy relances(&c.client, &GM_ClientSocket::signalReconnecting);
        lobby.serveur.arrete();
        QVERIFY(c.deconnecte.wait(Delai));
        QVERIFY(c.montreLogin.wait(Delai));
        QCOMPARE(c.pret.size(), 2);
        QVERIFY(JournalDeTest::contient(QStringLiteral("quiet login 3 in 200 ms")));
        QVERIFY(!JournalDeTest::contient(QStringLiteral("quiet login 4")));
        QCOMPARE(relances.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(relances.at(i), (QList<QVariant>{i + 1, 3, 50 << i}));
        QVERIFY(!c.client.relancePrevue());
        QCOMPARE(c.progression.montre, 1);
        QTRY_COMPARE_WITH_TIMEOUT(c.titres(), QStringList{"Serveur du lobby injoignable"}, Delai);

        // Off: the loss is told at once, and the login dialog asked for.
        QVERIFY(lobby.demarre(true));
        c.client.setAutoReconnect(false);
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        const qsizetype montreLogin = c.montreLogin.size();
        lobby.serveur.coupe(lobby.alice);
        QTRY_COMPARE_WITH_TIMEOUT(c.deconnecte.size(), 3, Delai);
        QVERIFY(!c.client.relancePrevue());
        QCOMPARE(relances.size(), 3);
        QCOMPARE(c.montreLogin.size(), montreLogin + 1);
        QTRY_COMPARE_WITH_TIMEOUT(c.titres(), (QStringList{"Serveur du lobby injoignable", "Connexion perdue"}), Delai);
    }

    // A lobby that falls silent is taken for lost; an idle client keeps its
    // connection alive meanwhile.
    void silence()
    {
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Client c;
        GM_ClientSocket::Delais d;
        d.keepAliveMs = 30;
        d.silenceMaxMs = 300;
        c.client.setDelais(d);
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        QTRY_VERIFY_WITH_TIMEOUT(lobby.serveur.recusDe("Kal").size() >= 3, Delai);
        QVERIFY(c.client.isConnectedToLobby());
        JournalDeTest journal;
        lobby.serveur.setMuet(true);
        QVERIFY(c.deconnecte.wait(Delai));
        QVERIFY(JournalDeTest::contient(QStringLiteral("no word from the lobby")));
    }

    // One session per account: the older one is told and does not come
    // back, even with automatic connection on.
    void deuxSessionsDUnCompte()
    {
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Client premier;
        premier.client.setAutoReconnect(true);
        premier.client.setDelais(delaisCourts());
        QVERIFY(premier.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        Client second;
        QVERIFY(second.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        QVERIFY(premier.deconnecte.size() == 1 || premier.deconnecte.wait(Delai));
        QTRY_COMPARE_WITH_TIMEOUT(premier.titres(), QStringList{"Session terminée"}, Delai);
        QVERIFY(!premier.client.relancePrevue());
        QVERIFY(second.client.isConnectedToLobby());
        QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.nombreConnexions(), 1, Delai);
    }

    // A login stopped half way: by the user, by the lobby, or by a second
    // login.
    void interruptions_data()
    {
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("boite");
        QTest::newRow("cancel at once") << "cancel now" << QString();
        QTest::newRow("cancel while the lobby thinks") << "cancel later" << QString();
        QTest::newRow("cancel from the progress window") << "progress" << QString();
        QTest::newRow("lobby closes mid-login") << "lobby closes" << "Serveur du lobby indisponible";
        QTest::newRow("two logins in a row") << "twice" << QString();
        QTest::newRow("handshake never answered") << "mute socket" << "Serveur du lobby indisponible";
    }
    void interruptions()
    {
        QFETCH(QString, comment);
        QFETCH(QString, boite);
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        if (comment != QLatin1String("twice"))
            lobby.serveur.setMuet(true);
        // Takes the connection and never says a word.
        QTcpServer muet;
        if (comment == QLatin1String("mute socket")) {
            QVERIFY(muet.listen(QHostAddress::LocalHost, 0));
            qputenv(GM_ClientSocket::VariableAdresse, QByteArray("127.0.0.1:") + QByteArray::number(muet.serverPort()));
        }
        Client c;
        GM_ClientSocket::Delais d;
        d.silenceMaxMs = 300;
        c.client.setDelais(d);
        c.client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                                 QString::fromLatin1(LobbyDeTest::PasseAlice), false, true);
        if (comment == QLatin1String("mute socket"))
            QVERIFY(muet.waitForNewConnection(Delai));
        else if (comment != QLatin1String("cancel now") && comment != QLatin1String("twice"))
            QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recusDe("Lgn").size(), 1, Delai);
        if (comment == QLatin1String("progress")) {
            QVERIFY(c.progression.annulation == &c.client);
            c.progression.annulation->cancel();
        } else if (comment.startsWith(QLatin1String("cancel"))) {
            c.client.cancel();
        } else if (comment == QLatin1String("lobby closes")) {
            lobby.serveur.arrete();
        } else if (comment == QLatin1String("twice")) {
            c.client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                                     QString::fromLatin1(LobbyDeTest::PasseAlice), false, true);
            QVERIFY(c.pret.wait(Delai));
            QTest::qWait(50);
            QCOMPARE(c.pret.size(), 1);
            QCOMPARE(c.montreLogin.size(), 0);
            QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.nombreConnexions(), 1, Delai);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(c.montreLogin.size(), 1, Delai);
        QCOMPARE(c.pret.size(), 0);
        QCOMPARE(c.client.getProtocolState(), int(GM_SocketEvent::Init));
        QTRY_COMPARE_WITH_TIMEOUT(c.client.state(), QAbstractSocket::UnconnectedState, Delai);
        QVERIFY(!c.progression.visible);
        if (boite.isEmpty())
            QVERIFY(c.aucuneBoite());
        else
            QTRY_COMPARE_WITH_TIMEOUT(c.titres(), QStringList{boite}, Delai);
    }

    // Leaving the lobby sends what has no answer first (statistics,
    // penalties), drops what waits for one, and does not come back.
    void deconnexion()
    {
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Client c;
        c.client.setAutoReconnect(true);
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        c.rafraichit("Tli");
        c.rafraichit("Awq");
        c.enfile("Eds", {QStringLiteral("{fini}")});
        c.enfile("P3n", {QStringLiteral("{penalite}")});
        c.client.disconnectFromServer();
        QCOMPARE(c.progression.texte, QStringLiteral("Déconnection..."));
        QVERIFY(c.deconnecte.wait(Delai));
        QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.nombreConnexions(), 0, Delai);
        QCOMPARE(lobby.serveur.recusDe("Eds").value(0).champs, QStringList{"{fini}"});
        QCOMPARE(lobby.serveur.recusDe("P3n").value(0).champs, QStringList{"{penalite}"});
        QCOMPARE(lobby.serveur.recusDe("Awq").size(), 0);
        QVERIFY(!c.client.relancePrevue());
        QCOMPARE(c.montreLogin.size(), 0);
        QVERIFY(!c.progression.visible);
    }

    // The lobby's own texts are shown as text, line breaks kept; titles are
    // named; a record cannot raise more than a handful of boxes.
    void boites()
    {
        LobbyDeTest lobby;
        QStringList annonces{QStringLiteral("4"), QStringLiteral("Maintenance <b>ce soir</b>\nà 22h & après")};
        for (int i = 0; i < 7; ++i)
            annonces << QStringLiteral("annonce %1").arg(i);
        lobby.serveur.setReponse("Fr4", annonces);
        QVERIFY(lobby.demarre(true));
        Client c;
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        c.enfile("Fr4", {QStringLiteral("4")});
        QTRY_COMPARE_WITH_TIMEOUT(c.titres().size(), 5, Delai);
        QCOMPARE(c.titres(), QStringList(5, QStringLiteral("Annonce")));
        QCOMPARE(c.textes().first(), QStringLiteral("Maintenance &lt;b&gt;ce soir&lt;/b&gt;<br>à 22h &amp; après"));
        QCOMPARE(c.listes.size(), 1);
        c.afficheur.effaceHistorique();
        QVERIFY(lobby.serveur.envoie(lobby.alice, "Acv", {QStringLiteral("5400006"), QStringLiteral("xyz")}));
        QTRY_COMPARE_WITH_TIMEOUT(c.titres(), QStringList{"Nouveau titre"}, Delai);
        QVERIFY(c.textes().first().contains(QStringLiteral("<b>Supermatcheur Niv. 7</b>")));
    }

    // The game server's address: a usable answer reaches the window as it
    // is; anything else as an empty address, so that no session starts.
    void adresseServeur_data()
    {
        QTest::addColumn<QStringList>("reponse");
        QTest::addColumn<QString>("passe");
        QTest::addColumn<QString>("ip");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("public_");
        QTest::newRow("usable") << QStringList{"10.0.0.5", "4021", "1001", "30", "1", "-1", "3"} << "pw"
                                << "10.0.0.5" << 4021 << true;
        QTest::newRow("private, tournament table") << QStringList{"h.example", "4001", "1001", "0", "0", "12", "2"}
                                                   << "pw" << "h.example" << 4001 << false;
        QTest::newRow("wrong password") << QStringList{"10.0.0.5", "4021", "1001", "30", "1", "-1", "3"} << "faux"
                                        << QString() << 0 << false;
        QTest::newRow("port 0") << QStringList{"10.0.0.5", "0", "1001", "30", "1", "-1", "3"} << "pw" << QString()
                                << 0 << false;
        QTest::newRow("port too large") << QStringList{"10.0.0.5", "70000", "1001", "30", "1", "-1", "3"} << "pw"
                                        << QString() << 0 << false;
        QTest::newRow("empty address") << QStringList{"", "4021", "1001", "30", "1", "-1", "3"} << "pw" << QString()
                                       << 0 << false;
        QTest::newRow("flag not 0 or 1") << QStringList{"10.0.0.5", "4021", "1001", "30", "oui", "-1", "3"} << "pw"
                                         << QString() << 0 << false;
        QTest::newRow("timer not a number") << QStringList{"10.0.0.5", "4021", "1001", "x", "1", "-1", "3"} << "pw"
                                            << QString() << 0 << false;
    }
    void adresseServeur()
    {
        QFETCH(QStringList, reponse);
        QFETCH(QString, passe);
        QFETCH(QString, ip);
        QFETCH(int, port);
        QFETCH(bool, public_);
        LobbyDeTest lobby;
        lobby.serveur.setAdresseServeur(QStringLiteral("7"), QStringLiteral("pw"), reponse);
        QVERIFY(lobby.demarre(true));
        Client c;
        QSignalSpy adresse(&c.client, &GM_ClientSocket::signalIpReceived);
        c.client.requestServerIpAndPort(QStringLiteral("7"), passe);
        QCOMPARE(c.client.getNombreMessagesEnFile(), 0);
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        c.client.requestServerIpAndPort(QStringLiteral("7"), passe);
        QVERIFY(adresse.wait(Delai));
        QCOMPARE(adresse.at(0).at(0).toString(), ip);
        QCOMPARE(adresse.at(0).at(1).toInt(), port);
        QCOMPARE(adresse.at(0).at(4).toBool(), public_);
        if (!ip.isEmpty()) {
            QCOMPARE(adresse.at(0).at(2).toLongLong(), qint64(1001));
            QCOMPARE(adresse.at(0).at(3).toInt(), reponse.at(3).toInt());
            QCOMPARE(adresse.at(0).at(5).toInt(), reponse.at(5).toInt());
            QCOMPARE(adresse.at(0).at(6).toInt(), reponse.at(6).toInt());
        }
        QCOMPARE(c.client.getProtocolState(), int(GM_SocketEvent::Idle));
    }

    // Two users bridged by the lobby: table texts go over unchanged, line
    // breaks and record ends included; a close reaches the other end, and
    // so does the loss of one side's lobby connection.
    void pont()
    {
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Client a;
        Client b;
        QVERIFY(a.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        QVERIFY(b.login(LobbyDeTest::EmailBob, LobbyDeTest::PasseBob));
        std::unique_ptr<GM_ProxyClientSocket> cote[2];
        const auto ouvre = [&](int i, GM_ClientSocket* client) {
            QObject::connect(client, &GM_ClientSocket::signalReceiveBridgeOpen, client,
                             [&cote, i, client](qint64 de, qint64 vers) {
                                 cote[i] = std::make_unique<GM_ProxyClientSocket>(client, de, vers);
                             });
        };
        ouvre(0, &a.client);
        ouvre(1, &b.client);
        QVERIFY(lobby.serveur.ouvrePont(lobby.alice, lobby.bob));
        QTRY_VERIFY_WITH_TIMEOUT(cote[0] && cote[1], Delai);
        QCOMPARE(cote[0]->getUserIdTarget(), lobby.bob);
        QCOMPARE(cote[1]->getUserIdTarget(), lobby.alice);

        QSignalSpy recu(cote[1].get(), &GM_SocketAbstract::binaryMessageReceived);
        const QByteArray texte = QStringLiteral("{Mes!ligne\nfin\x0C é\xFF!}").toUtf8();
        QCOMPARE(cote[0]->write(texte), qint64(texte.size()));
        QVERIFY(recu.wait(Delai));
        QCOMPARE(recu.at(0).at(0).toByteArray(), texte);

        QSignalSpy fermeA(&a.client, &GM_ClientSocket::signalReceiveBridgeClose);
        cote[1]->abort();
        QVERIFY(fermeA.wait(Delai));
        QCOMPARE(fermeA.at(0).at(0).toLongLong(), lobby.bob);

        // Bob's lobby connection goes: both ends hear of the bridge's end.
        // Bob closed his end himself: the bridge must open again first.
        QSignalSpy rouvert(&b.client, &GM_ClientSocket::signalReceiveBridgeOpen);
        QVERIFY(lobby.serveur.ouvrePont(lobby.alice, lobby.bob));
        QVERIFY(rouvert.wait(Delai));
        QSignalSpy fermeB(&b.client, &GM_ClientSocket::signalReceiveBridgeClose);
        fermeA.clear();
        lobby.serveur.coupe(lobby.bob);
        QVERIFY(fermeA.wait(Delai));
        QTRY_COMPARE_WITH_TIMEOUT(fermeB.size(), 1, Delai);
    }

    // Passwords never reach the log, whatever the client does with them.
    void journalSansMotDePasse()
    {
        JournalDeTest journal;
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Client c;
        c.client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice), QStringLiteral("faux-Passe9"), false,
                                 true);
        QVERIFY(c.montreLogin.wait(Delai));
        QVERIFY(c.login(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        c.enfile("pCH", {QString::fromLatin1(LobbyDeTest::PasseAlice), QStringLiteral("nouveau-Passe7")});
        QTRY_COMPARE_WITH_TIMEOUT(c.listes.size(), 1, Delai);
        QVERIFY(JournalDeTest::contient(QStringLiteral("pCH")));
        for (const char* secret : {"faux-Passe9", LobbyDeTest::PasseAlice, "nouveau-Passe7"})
            QVERIFY2(!JournalDeTest::contient(QString::fromLatin1(secret)), secret);
    }

    // The lobby's address: the variable's "host:port" when it is one.
    void adresseDuLobby_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<bool>("unsecure");
        QTest::addColumn<QString>("url");
        QTest::newRow("none, TLS") << QString() << false << "wss://lobby.zubrik.invalid:4043";
        QTest::newRow("none, plain") << QString() << true << "ws://lobby.zubrik.invalid:4023";
        QTest::newRow("address and port") << "127.0.0.1:5000" << false << "wss://127.0.0.1:5000";
        QTest::newRow("name and port") << " lobby.example.org:4100 " << true << "ws://lobby.example.org:4100";
        QTest::newRow("IPv6") << "[::1]:4100" << true << "ws://[::1]:4100";
        QTest::newRow("no port") << "lobby.example.org" << false << "wss://lobby.zubrik.invalid:4043";
        QTest::newRow("port 0") << "127.0.0.1:0" << false << "wss://lobby.zubrik.invalid:4043";
        QTest::newRow("port too large") << "127.0.0.1:65536" << false << "wss://lobby.zubrik.invalid:4043";
        QTest::newRow("port not a number") << "127.0.0.1:http" << false << "wss://lobby.zubrik.invalid:4043";
        QTest::newRow("no host") << ":4100" << false << "wss://lobby.zubrik.invalid:4043";
        QTest::newRow("IPv6 without brackets") << "::1:4100" << false << "wss://lobby.zubrik.invalid:4043";
        QTest::newRow("blank in the host") << "lob by:4100" << false << "wss://lobby.zubrik.invalid:4043";
    }
    void adresseDuLobby()
    {
        QFETCH(QString, variable);
        QFETCH(bool, unsecure);
        QFETCH(QString, url);
        LobbyDeTest lobby;
        if (variable.isEmpty())
            qunsetenv(GM_ClientSocket::VariableAdresse);
        else
            qputenv(GM_ClientSocket::VariableAdresse, variable.toUtf8());
        JournalDeTest journal;
        GM_ClientSocket client(QString(), nullptr, nullptr, nullptr);
        QCOMPARE(client.lobbyUrl(unsecure).toString(), url);
        const bool refusee = !variable.isEmpty() && url.contains(QLatin1String("zubrik.invalid"));
        QCOMPARE(JournalDeTest::contient(QStringLiteral("is not host:port")), refusee);
    }

    // Which certificate a lobby may present. The hosting certificate every
    // copy of the program carries proves nothing: neither it nor anything
    // signed with its key is trusted, unless the user or a test names that
    // very certificate. A refused lobby is told nothing and the user why.
    void certificatDuLobby_data()
    {
        QTest::addColumn<QString>("presente");
        QTest::addColumn<bool>("nomme");
        QTest::addColumn<bool>("accepte");
        QTest::newRow("unknown self-signed") << "inconnu" << true << false;
        QTest::newRow("signed by the program's key") << "signe" << false << false;
        QTest::newRow("signed by the program's key, own named") << "signe" << true << false;
        QTest::newRow("program's own, not named") << "propre" << false << false;
        QTest::newRow("program's own, named") << "propre" << true << true;
    }
    void certificatDuLobby()
    {
        QFETCH(QString, presente);
        QFETCH(bool, nomme);
        QFETCH(bool, accepte);
        if (!CertificatDeTest::disponible())
            ZB_MANQUE("the openssl program is missing");
        QTemporaryDir dossier;
        LobbyDeTest lobby;
        if (presente != QLatin1String("propre")) {
            QSslCertificate certificat;
            QSslKey cle;
            QVERIFY(CertificatDeTest::cree(presente == QLatin1String("inconnu") ? CertificatDeTest::AutoSigne
                                                                                 : CertificatDeTest::CleDuProgramme,
                                           dossier.path(), certificat, cle));
            lobby.serveur.setCertificat(certificat, cle);
        }
        QVERIFY(lobby.demarre(false));
        if (!nomme)
            qunsetenv(GM_ClientSocket::VariableCertificat);

        JournalDeTest journal;
        Client client;
        client.client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                                      QString::fromLatin1(LobbyDeTest::PasseAlice), false, false);
        if (accepte) {
            QVERIFY(client.pret.wait(Delai));
            return;
        }
        QVERIFY(client.montreLogin.wait(Delai));
        QTRY_COMPARE_WITH_TIMEOUT(client.titres(), QStringList{"Serveur du lobby indisponible"}, Delai);
        QVERIFY(client.textes().first().contains(QStringLiteral("certificate")));
        QVERIFY(JournalDeTest::contient(QStringLiteral("lobby TLS error")));
        QCOMPARE(lobby.serveur.recus().size(), 0);
        QCOMPARE(client.pret.size(), 0);
    }

    // The certificate file the user names may be a link, but what cannot be
    // read at once (a pipe) names no certificate: the login never waits in
    // open() for someone to write to it.
    void certificatNommeParUnTube()
    {
        QTemporaryDir dossier;
        const QString tube = dossier.filePath(QStringLiteral("lobby.pem"));
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        const bool avait = qEnvironmentVariableIsSet(GM_ClientSocket::VariableCertificat);
        const QByteArray avant = qgetenv(GM_ClientSocket::VariableCertificat);
        qputenv(GM_ClientSocket::VariableCertificat, QFile::encodeName(tube));
        auto nul = std::make_shared<bool>(false);
        const bool atemps = appelSansTube([nul] { *nul = GM_ClientSocket::certificatNomme().isNull(); }, {tube});
        if (avait)
            qputenv(GM_ClientSocket::VariableCertificat, avant);
        else
            qunsetenv(GM_ClientSocket::VariableCertificat);
        QVERIFY2(atemps, "the certificate was read from a pipe");
        QVERIFY(*nul);
    }
};

ZB_REGISTER_TEST(TestLobbyClient)
#include "TestLobbyClient.moc"
