#include "DisplayGL.h"
#include "DisplayGLScene.h"
#include "DisplayGLScoreAnimText.h"
#include "EtatDeJeu.h"
#include "GM_BanList.h"
#include "GM_ClientSocket.h"
#include "GM_FriendsList.h"
#include "GM_LineEdit.h"
#include "GM_Login.h"
#include "GM_NativeDiscord.h"
#include "GM_ServerList.h"
#include "GM_TablesList.h"
#include "LobbyDeTest.h"
#include "MachineDeJeu.h"
#include "ServerView.h"
#include "TableClient.h"
#include "ZB_MainWidget.h"
#include "ZB_MultiServer.h"
#include "ZB_ServerSocket.h"
#include "ZbTestRegistry.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGraphicsTextItem>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// The main window with the online lobby: the test lobby of tools/lobby on
// loopback, the main window's own lobby windows, and the game sessions the
// lobby makes it start, as a guest at a server of the list or as the host
// of a private invitation whose guest comes through the lobby's bridge.

namespace {

constexpr int Delai = 10000;
constexpr int DelaiDonne = 60000;
constexpr int CartesParDonne = 36;
constexpr qint64 IdServeur = 11;

// An unattended main window (the computer plays, boxes are answered) on
// plain WebSockets, as the test lobby listens.
ZB_Settings sansSurveillance()
{
    ZB_Settings d;
    d.automatique = 1;
    d.nowait = true;
    d.nossl = true;
    return d;
}

// The moves of a table's first deal, up to its last card; empty until then.
QStringList premiereDonne(const ListeDesEvenements* liste)
{
    if (liste == nullptr)
        return {};
    const QString carte = QString::number(EvenementDeJeu::Ajo) + QLatin1Char(' ');
    const QStringList tous = coups(*liste);
    int cartes = 0;
    for (int i = 0; i < tous.size(); ++i)
        if (tous.at(i).startsWith(carte) && ++cartes == CartesParDonne)
            return tous.mid(0, i + 1);
    return {};
}

// A game server of the lobby's list: a room hosting on loopback.
struct ServeurDeLaListe {
    Machine machine{WebSocket};
    GM_BanList bans;
    ZB_MultiServer serveur{nullptr, 0, QList<ZB_Room*>{machine.salle.get()}, &bans};

    bool heberge()
    {
        if (!serveur.ecoute(QHostAddress::LocalHost, 0, 0, 0))
            return false;
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionServeur;
        machine.salle->reponse_Depart(&mode, &session, optionsJass(), QString(), QStringLiteral("hote"),
                                      serveur.getPortWebSecure(), serveur.getPortWebUnsecure(), serveur.getPortTcp(),
                                      0, false, {}, -1);
        return machine.salle->getServer() != nullptr;
    }
    int joueurs() const { return int(machine.salle->getServer()->getJoueurs().size()); }
};

// The lines the table shows about the network: on screen, then queued.
QStringList lignesReseau(ZB_MainWidget& w)
{
    QStringList lignes;
    for (const auto& anim : w.vue()->scene()->animationsMessage())
        lignes << anim->texte()->toPlainText();
    return lignes + w.vue()->scene()->messagesEnAttente();
}

bool contient(const QStringList& lignes, const QString& morceau)
{
    for (const QString& ligne : lignes)
        if (ligne.contains(morceau))
            return true;
    return false;
}

void capture(ZB_MainWidget& w, const QString& nom)
{
    const QString dossier = qEnvironmentVariable("ZB_SHOTS_DIR");
    if (dossier.isEmpty())
        return;
    w.vue()->scene()->rafraichitCouche();
    QTest::qWait(300);
    const QImage image = w.vue()->screen()->grabWindow(w.vue()->winId()).toImage();
    QVERIFY(image.save(QDir(dossier).filePath(nom)));
}

} // namespace

class TestMainWindowLobby : public QObject
{
    Q_OBJECT

private slots:
    // The connect button opens the login window; once logged in the user
    // joins the server of the servers tab, plays its first deal with the
    // host, and quitting leaves the lobby cleanly. Discord is absent here:
    // its hooks start and are fed without a failure.
    void duBoutonALaTable()
    {
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        ServeurDeLaListe hote;
        QVERIFY(hote.heberge());
        lobby.serveur.setReponse("R7k", {QStringLiteral("Jass Public,Yes,127.0.0.1,%1").arg(IdServeur)});
        lobby.serveur.setReponse("SrS", {QString::number(IdServeur), "1", "0", "1"});
        lobby.serveur.setAdresseServeur(QString::number(IdServeur), QString(),
                                        {QStringLiteral("127.0.0.1"), QString::number(hote.serveur.getPortWebUnsecure()),
                                         QString::number(lobby.alice), QStringLiteral("5"), QStringLiteral("1"),
                                         QStringLiteral("-1"), QStringLiteral("3")});
        QTemporaryDir dossier;
        ZB_MainWidget w(sansSurveillance(), dossier.path());
        w.vue()->resize(1024, 720);
        if (!qEnvironmentVariableIsEmpty("ZB_SHOTS_DIR"))
            w.vue()->show();
        QVERIFY(dynamic_cast<GM_NativeDiscord*>(w.natif()) != nullptr);
        w.natif()->discordInit();
        GM_ServerList* salon = w.lobby();
        QVERIFY(salon != nullptr);
        salon->setVerificationReseau([] { return true; });

        w.vue()->scene()->boutonConnexion()->click();
        GM_Login* login = w.loginLobby();
        QTRY_VERIFY_WITH_TIMEOUT(login->isVisible(), Delai);
        login->email()->setText(QString::fromLatin1(LobbyDeTest::EmailAlice));
        login->passwordNormal()->setText(QString::fromLatin1(LobbyDeTest::PasseAlice));
        login->buttonOk()->click();
        QTRY_VERIFY_WITH_TIMEOUT(salon->isConnected(), Delai);
        QTRY_VERIFY_WITH_TIMEOUT(salon->isVisible(), Delai);

        salon->tabs()->setCurrentIndex(GM_ServerList::Serveurs);
        GM_TablesList* onglet = salon->serversTab();
        onglet->OnRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(onglet->serversTree()->topLevelItemCount(), 1, Delai);
        // The tables' counts come with the status answer, shown on selection.
        QTRY_VERIFY_WITH_TIMEOUT(!lobby.serveur.recusDe("SrS").isEmpty(), Delai);
        QTest::qWait(200);
        onglet->serversTree()->setCurrentItem(onglet->serversTree()->topLevelItem(0));
        capture(w, QStringLiteral("main-window-lobby-servers.png"));
        onglet->joinButton()->click();

        QTRY_COMPARE_WITH_TIMEOUT(hote.joueurs(), 1, Delai);
        QVERIFY(w.salle()->estEnLigne());
        QCOMPARE(w.idUtilisateurLobby(), lobby.alice);
        QVERIFY(!salon->isVisible());
        hote.machine.salle->getServerView()->OnDemarrer();
        QVERIFY2(QTest::qWaitFor([&] { return !premiereDonne(w.salle()->getListe(-1)).isEmpty()
                                             && !premiereDonne(hote.machine.liste()).isEmpty(); },
                                 DelaiDonne),
                 "the first deal was not played on both machines");
        QCOMPARE(premiereDonne(w.salle()->getListe(-1)), premiereDonne(hote.machine.liste()));
        QCOMPARE(lobby.serveur.recusDe("SA1").size(), 1);

        // Quitting during the online game (the box is answered Ok) leaves
        // the table and the lobby.
        QSignalSpy quitter(&w, &ZB_MainWidget::signalQuitter);
        w.OnQuitter();
        QTRY_COMPARE_WITH_TIMEOUT(quitter.size(), 1, Delai);
        QVERIFY(!salon->isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(!lobby.serveur.estConnecte(lobby.alice), Delai);
        QTRY_COMPARE_WITH_TIMEOUT(hote.joueurs(), 0, Delai);
    }

    // Alice's private invitation makes her main window host on real ports
    // and take the lobby's bridges; Bob's main window, bridged to her, joins
    // her table and both play the first deal. Either main window may go
    // first at the end.
    void invitationPrivee_data()
    {
        QTest::addColumn<bool>("hoteFermeDabord");
        QTest::newRow("guest closes first") << false;
        QTest::newRow("host closes first") << true;
    }
    void invitationPrivee()
    {
        QFETCH(bool, hoteFermeDabord);
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        QTemporaryDir dossierAlice;
        QTemporaryDir dossierBob;
        auto alice = std::make_unique<ZB_MainWidget>(sansSurveillance(), dossierAlice.path());
        auto bob = std::make_unique<ZB_MainWidget>(sansSurveillance(), dossierBob.path());
        for (ZB_MainWidget* w : {alice.get(), bob.get()})
            w->lobby()->setVerificationReseau([] { return true; });
        // As the command line's --login does.
        alice->lobby()->showLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                                  QString::fromLatin1(LobbyDeTest::PasseAlice), 5);
        bob->lobby()->showLogin(QString::fromLatin1(LobbyDeTest::EmailBob), QString::fromLatin1(LobbyDeTest::PasseBob),
                                5);
        QTRY_VERIFY_WITH_TIMEOUT(alice->lobby()->isConnected() && bob->lobby()->isConnected(), Delai);

        const QString idBob = QString::number(lobby.bob);
        lobby.serveur.setReponse("Fhr", {QStringLiteral("15,%1,Bob").arg(idBob)});
        GM_FriendsList* amis = alice->lobby()->friendsTab();
        alice->lobby()->client()->OnRefreshFriendList();
        const auto ami = [&] { return amis->playTree()->findItems(idBob, Qt::MatchExactly, GM_FriendsList::ColId); };
        QTRY_VERIFY_WITH_TIMEOUT(!ami().isEmpty(), Delai);
        ami().first()->setCheckState(GM_FriendsList::ColTick, Qt::Checked);
        QVERIFY(amis->playPrivateButton()->isEnabled());
        amis->playPrivateButton()->click();

        // The lobby named no ports: Alice listens on real ones anyway, and
        // the room knows her lobby account.
        ZB_MultiServer* serveur = alice->serveur();
        QCOMPARE(alice->salle()->getEtatEnLigne(), int(ZB_Room::Hote));
        QVERIFY(serveur->getPortWebSecure() != 0 && serveur->getPortWebUnsecure() != 0);
        QVERIFY(serveur->estBridgeOuvert());
        QCOMPARE(alice->idUtilisateurLobby(), lobby.alice);
        QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recusDe("hTr").size(), 1, Delai);

        // Bob is bridged in; Alice's unattended host starts once he sits.
        QTRY_COMPARE_WITH_TIMEOUT(bob->salle()->getEtatEnLigne(), int(ZB_Room::Client), Delai);
        QVERIFY2(QTest::qWaitFor([&] { return !premiereDonne(alice->salle()->getListe(-1)).isEmpty()
                                             && !premiereDonne(bob->salle()->getListe(-1)).isEmpty(); },
                                 DelaiDonne),
                 "the first deal was not played on both machines");
        QCOMPARE(premiereDonne(bob->salle()->getListe(-1)), premiereDonne(alice->salle()->getListe(-1)));

        // Whichever program goes first, the bridge it held goes once.
        if (hoteFermeDabord) {
            alice.reset();
            QTRY_VERIFY_WITH_TIMEOUT(!lobby.serveur.estConnecte(lobby.alice), Delai);
        }
        bob->OnQuitter();
        QTRY_VERIFY_WITH_TIMEOUT(bob->isQuitDemande(), Delai);
        QVERIFY(!bob->lobby()->isConnected());
        bob.reset();
        alice.reset();
        QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.nombreConnexions(), 0, Delai);
    }

    // The lobby goes away under a logged-in window: it comes back once
    // within the quiet logins, then stays away. Each time the table and the
    // connect button say what happens (lost, try n of the maximum, back),
    // the servers of the lost lobby are not offered, and once the tries are
    // over the user reads why and gets the login dialog. Connecting again
    // while the lobby is down fails with a box within the time-out. In
    // English, the translations' own words.
    void perteDuLobby()
    {
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        lobby.serveur.setReponse("R7k", {QStringLiteral("Jass Public,Yes,127.0.0.1,%1").arg(IdServeur)});
        const auto oublie = qScopeGuard([] { QSettings().remove(QLatin1String(GM_Login::Groupe)); });
        QTemporaryDir dossier;
        ZB_Settings d;
        d.nowait = true;
        d.nossl = true;
        d.english = true;
        ZB_MainWidget w(d, dossier.path());
        DisplayGLScene* scene = w.vue()->scene();
        // The welcome of a first start is answered unseen.
        scene->setAutoAnswer(true);
        GM_ServerList* salon = w.lobby();
        salon->setVerificationReseau([] { return true; });
        GM_ClientSocket* client = salon->client();
        GM_ClientSocket::Delais delais;
        delais.relanceBaseMs = 300;
        delais.relanceMaxMs = 1200;
        delais.relancesMax = 3;
        delais.silenceMaxMs = 2000;
        client->setDelais(delais);
        QSignalSpy lignes(salon, &GM_ServerList::signalLobbyConnectionText);
        QSignalSpy messager(salon, &GM_ServerList::signalSetMessengerStatus);

        scene->boutonConnexion()->click();
        GM_Login* login = w.loginLobby();
        QTRY_VERIFY_WITH_TIMEOUT(login->isVisible(), Delai);
        login->autoConnect()->setChecked(true);
        login->email()->setText(QString::fromLatin1(LobbyDeTest::EmailAlice));
        login->passwordNormal()->setText(QString::fromLatin1(LobbyDeTest::PasseAlice));
        login->buttonOk()->click();
        QTRY_VERIFY_WITH_TIMEOUT(salon->isConnected() && salon->isVisible(), Delai);
        salon->tabs()->setCurrentIndex(GM_ServerList::Serveurs);
        GM_TablesList* onglet = salon->serversTab();
        const auto offreUnServeur = [&] {
            onglet->OnRefresh();
            QTRY_COMPARE_WITH_TIMEOUT(onglet->serversTree()->topLevelItemCount(), 1, Delai);
            onglet->serversTree()->topLevelItem(0)->setSelected(true);
            QVERIFY(onglet->joinButton()->isEnabled());
        };
        offreUnServeur();

        // Away for a moment: the first quiet login is told, the list goes,
        // and the second login brings the lobby back.
        lobby.serveur.arrete();
        QTRY_VERIFY_WITH_TIMEOUT(contient(lignesReseau(w), QStringLiteral("attempt 1 of 3")), Delai);
        QVERIFY(scene->boutonConnexion()->toolTip().contains(QStringLiteral("attempt")));
        QCOMPARE(onglet->serversTree()->topLevelItemCount(), 0);
        QVERIFY(!onglet->joinButton()->isEnabled());
        QCOMPARE(messager.last().at(1).toInt(), 1);
        QVERIFY(lobby.demarre(true));
        QTRY_VERIFY_WITH_TIMEOUT(salon->isConnected(), Delai);
        QTRY_VERIFY_WITH_TIMEOUT(contient(lignesReseau(w), QStringLiteral("Lobby connection restored.")), Delai);
        // The tab in view is filled again by itself.
        QTRY_COMPARE_WITH_TIMEOUT(onglet->serversTree()->topLevelItemCount(), 1, Delai);
        offreUnServeur();

        // Away for good: every try is told, then the box and the login
        // dialog; the lost lobby's servers are gone again.
        lignes.clear();
        // From now on boxes are shown, to be read.
        QCOMPARE(scene->currentBoxId(), qint64(-1));
        scene->setAutoAnswer(false);
        lobby.serveur.arrete();
        QTRY_VERIFY_WITH_TIMEOUT(!scene->historiqueBoites().isEmpty(), Delai);
        QVERIFY(scene->historiqueBoites().last().contains(QStringLiteral("could not be restored (3 attempts)")));
        QStringList textes;
        for (const QList<QVariant>& l : std::as_const(lignes))
            textes << l.at(0).toString();
        QCOMPARE(textes.size(), 4);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(textes.at(i).contains(QStringLiteral("attempt %1 of 3").arg(i + 1)), qPrintable(textes.at(i)));
        QCOMPARE(textes.at(3), QStringLiteral("Lobby connection lost."));
        QCOMPARE(scene->boutonConnexion()->toolTip(), QStringLiteral("Lobby connection lost."));
        QCOMPARE(onglet->serversTree()->topLevelItemCount(), 0);
        QVERIFY(!onglet->joinButton()->isEnabled());
        QVERIFY(login->isVisible());
        QCOMPARE(salon->loginMode(), 0);
        QCOMPARE(messager.last().at(1).toInt(), 0);
        scene->messageBoxAnswered(uint(scene->currentBoxId()), GM::Ok);

        // Connect against the stopped lobby: a box, the login dialog again,
        // and the messenger no longer "connecting".
        const int boites = int(scene->historiqueBoites().size());
        QElapsedTimer chrono;
        chrono.start();
        login->buttonOk()->click();
        QCOMPARE(messager.last().at(1).toInt(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(scene->historiqueBoites().size() > boites, delais.silenceMaxMs + 1000);
        QVERIFY(chrono.elapsed() < delais.silenceMaxMs + 1000);
        QVERIFY(scene->historiqueBoites().last().contains(QStringLiteral("The lobby server cannot be reached.")));
        QTRY_VERIFY_WITH_TIMEOUT(login->isVisible(), Delai);
        QCOMPARE(messager.last().at(1).toInt(), 0);
        QVERIFY(!salon->isConnected());
    }

    // The start-up logs in, with --login or quietly with the account the
    // user saved for automatic connection, and once the lobby is ready runs
    // the tournament command of the command line. The tournament's id reads
    // like its rule, which the tab shows in another column.
    void connexionAuDemarrage_data()
    {
        QTest::addColumn<bool>("compteEnregistre");
        QTest::newRow("--login") << false;
        QTest::newRow("saved automatic login") << true;
    }
    void connexionAuDemarrage()
    {
        QFETCH(bool, compteEnregistre);
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        lobby.serveur.setReponse("Tli", {QStringLiteral("Jass,TeamsRandom,2026-12-07 18:30:00,-1,4100,0,,0,Jass")});
        QTemporaryDir dossier;
        ZB_Settings d;
        d.nowait = true;
        d.nossl = true;
        d.tournamentCmd = QStringLiteral("register");
        d.tournamentId = QStringLiteral("Jass");
        // The settings store is the run's own (a temporary home): the
        // account is taken out again whatever happens.
        QSettings store;
        store.remove(QLatin1String(GM_Login::Groupe));
        const auto oublie = qScopeGuard([] { QSettings().remove(QLatin1String(GM_Login::Groupe)); });
        if (compteEnregistre) {
            store.beginGroup(QLatin1String(GM_Login::Groupe));
            store.setValue(QStringLiteral("email"), QString::fromLatin1(LobbyDeTest::EmailAlice));
            store.setValue(QStringLiteral("pass"), GM_Login::passeStocke(QString::fromLatin1(LobbyDeTest::PasseAlice)));
            store.setValue(QStringLiteral("isAutoConnect"), true);
            store.endGroup();
            store.sync();
        } else {
            d.loginEmail = QString::fromLatin1(LobbyDeTest::EmailAlice);
            d.loginPass = QString::fromLatin1(LobbyDeTest::PasseAlice);
        }
        ZB_MainWidget w(d, dossier.path());
        w.vue()->setModeAffichage(ZB_MainWidget::MODE_AFFICHAGE_ORDINATEUR, false);
        w.vue()->scene()->setAutoAnswer(true);
        w.lobby()->setVerificationReseau([] { return true; });
        w.demarre();
        QTRY_VERIFY_WITH_TIMEOUT(w.lobby()->isConnected(), Delai);
        // A quiet login shows neither the login window nor the lobby.
        if (compteEnregistre) {
            QCOMPARE(w.lobby()->loginMode(), 4);
            QVERIFY(!w.loginLobby()->isVisible());
            QVERIFY(!w.lobby()->isVisible());
        }
        QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recusDe("Tjo").size(), 1, Delai);
        QCOMPARE(lobby.serveur.recusDe("Tjo").first().champs,
                 (QStringList{QStringLiteral("Jass"), QStringLiteral("1"), QString(), QString()}));
    }
};

ZB_REGISTER_TEST(TestMainWindowLobby)
#include "TestMainWindowLobby.moc"
