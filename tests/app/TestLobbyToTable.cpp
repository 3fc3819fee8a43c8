#include "ClientSocket.h"
#include "EtatDeJeu.h"
#include "GM_BanList.h"
#include "GM_ClientSocket.h"
#include "GM_FriendsList.h"
#include "GM_Login.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_Progress.h"
#include "GM_SearchFriends.h"
#include "GM_ServerPass.h"
#include "GM_ServerList.h"
#include "GM_SocketAbstract.h"
#include "GM_TablesList.h"
#include "FenetreDeSalon.h"
#include "LobbyDeTest.h"
#include "MachineDeJeu.h"
#include "ServerView.h"
#include "ZB_MultiServer.h"
#include "ZB_ServerSocket.h"
#include "ZB_StatutConnexionA.h"
#include "ZbTestRegistry.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// From the lobby to a table: the lobby window, its client and the test
// lobby of tools/lobby on one side, the rooms and game servers the main
// window would start on the other, wired as the main window wires them.
// Each game plays its first deal, the same on every machine.

namespace {

constexpr int Delai = 10000;
constexpr int DelaiDonne = 60000;
constexpr int CartesParDonne = 36;

// How the user reaches the server in the servers tab.
enum Acces { Rejoindre, MotDePasse, Invitation };

// One user's lobby window, as the main window makes it, on the test's
// lobby: the kit's window, which asks for a server's password.
struct Salon : FenetreDeSalon {
    Salon(LobbyDeTest& lobbyDuTest, bool unsecure, bool tcp)
        : FenetreDeSalon(reglages(lobbyDuTest, unsecure, tcp))
    {
    }
    static Reglages reglages(LobbyDeTest& lobbyDuTest, bool unsecure, bool tcp)
    {
        Reglages r;
        r.lobby = &lobbyDuTest;
        r.unsecure = unsecure;
        r.tcp = tcp;
        r.automatique = false;
        r.passeServeur = true;
        r.attente = Delai;
        return r;
    }
};

// The host's room and its game server, which also takes players from the
// lobby's bridges. It listens even when the lobby gives no ports (a private
// server): the room starts its game only with a secure port.
struct Hote {
    Machine machine;
    GM_BanList bans;
    ZB_MultiServer serveur{nullptr, 0, QList<ZB_Room*>{machine.salle.get()}, &bans};

    Hote(Transport transport, const QString& login) : machine(transport)
    {
        if (!serveur.ecoute(QHostAddress::LocalHost, 0, 0, 0))
            return;
        serveur.setBridgeOuvert(true);
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionServeur;
        machine.salle->reponse_Depart(&mode, &session, optionsJass(), QString(), login,
                                      serveur.getPortWebSecure(), serveur.getPortWebUnsecure(),
                                      serveur.getPortTcp(), 0, false, {}, -1);
    }
    bool enAttente() const
    {
        return machine.salle->getServer() != nullptr
            && machine.salle->getServer()->getEtat() == ZB_ServerSocket::AttenteJoueurs;
    }
    int joueurs() const { return int(machine.salle->getServer()->getJoueurs().size()); }
};

// No event refused, skipped or dropped on any machine, nor a lobby record.
bool sansFauteDeJeu()
{
    for (const char* faute : {"REFUSED", "SKIPPED", "DROPPED", "dropped"})
        if (JournalDeTest::contient(QString::fromLatin1(faute)))
            return false;
    return true;
}

// The moves of the first deal, up to its last card; empty until then.
QStringList premiereDonne(const Machine& m)
{
    const QString carte = QString::number(EvenementDeJeu::Ajo) + QLatin1Char(' ');
    const QStringList tous = coups(*m.liste());
    int cartes = 0;
    for (int i = 0; i < tous.size(); ++i)
        if (tous.at(i).startsWith(carte) && ++cartes == CartesParDonne)
            return tous.mid(0, i + 1);
    return {};
}

// The main window's answer to a client session: a room on the transport
// of the non-zero port, joined through the given socket if any, under the
// user's lobby account.
std::unique_ptr<Machine> rejoint(const QString& ip, const QString& login, quint16 secure, quint16 clair, quint16 tcp,
                                 qint64 compte, int secondes, bool publique,
                                 QSharedPointer<GM_SocketAbstract> socket = {})
{
    auto machine = std::make_unique<Machine>(tcp != 0 ? Tcp : clair != 0 ? WebSocket : WebSocketSecure);
    machine->salle->setDatabaseUserId(compte);
    int mode = ZB_Room::SansDepart;
    int session = ZB_Room::SessionClient;
    machine->salle->reponse_Depart(&mode, &session, optionsJass(), ip, login, secure, clair, tcp, secondes, publique,
                                   std::move(socket), 0);
    return machine;
}

} // namespace

class TestLobbyToTable : public QObject
{
    Q_OBJECT

private:
    // The guest is at the table and the host starts the game.
    void demarre(Hote& hote, Machine& invite)
    {
        QVERIFY2(QTest::qWaitFor([&] { return hote.joueurs() == 1; }, Delai),
                 qPrintable(QStringLiteral("guest's connection in state %1")
                                .arg(invite.salle->getClientSocket() ? invite.salle->getClientSocket()->getEtat()
                                                                     : -1)));
        hote.machine.salle->getServerView()->OnDemarrer();
    }
    // The host starts; both machines play the first deal and agree on it.
    void joueUneDonne(Hote& hote, Machine& invite)
    {
        demarre(hote, invite);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(QTest::qWaitFor([&] { return !premiereDonne(hote.machine).isEmpty()
                                             && !premiereDonne(invite).isEmpty(); },
                                 DelaiDonne),
                 qPrintable(QStringLiteral("host in state %1, guest in state %2")
                                .arg(hote.machine.liste()->getEtatAttendu())
                                .arg(invite.liste()->getEtatAttendu())));
        QCOMPARE(premiereDonne(invite), premiereDonne(hote.machine));
    }

private slots:
    // Alice logs in, joins a server of the servers tab (typing its password
    // when it has one, or inviting a friend there), and the lobby's address
    // answer brings her to a real game server on loopback, over each
    // transport the program may use.
    void duLoginALaTable_data()
    {
        QTest::addColumn<int>("transport");
        QTest::addColumn<int>("acces");
        QTest::newRow("websocket") << int(WebSocket) << int(Rejoindre);
        QTest::newRow("secure websocket") << int(WebSocketSecure) << int(Rejoindre);
        QTest::newRow("tcp") << int(Tcp) << int(Rejoindre);
        QTest::newRow("server password") << int(WebSocket) << int(MotDePasse);
        QTest::newRow("public invitation") << int(WebSocket) << int(Invitation);
    }
    void duLoginALaTable()
    {
        QFETCH(int, transport);
        QFETCH(int, acces);
        const QString passe = acces == MotDePasse ? QStringLiteral("s3cret") : QString();
        JournalDeTest journal;
        const bool clair = transport != WebSocketSecure;
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(clair));
        Salon alice(lobby, clair, transport == Tcp);
        Hote hote(Transport(transport), QStringLiteral("hote"));
        QVERIFY(hote.enAttente());
        const quint16 port = transport == Tcp         ? hote.serveur.getPortTcp() + GM_ServerList::DecalagePortTcp
                           : transport == WebSocket ? hote.serveur.getPortWebUnsecure()
                                                    : hote.serveur.getPortWebSecure();
        lobby.serveur.setReponse("R7k", {acces == MotDePasse ? QStringLiteral("Jass Privé,No,127.0.0.1,11")
                                                            : QStringLiteral("Jass Public,Yes,127.0.0.1,11")});
        lobby.serveur.setReponse("SrS", {"11", "1", "0", "1"});
        lobby.serveur.setAdresseServeur(QStringLiteral("11"), passe,
                                        {QStringLiteral("127.0.0.1"), QString::number(port),
                                         QString::number(lobby.alice), QStringLiteral("5"), QStringLiteral("1"),
                                         QStringLiteral("-1"), QStringLiteral("3")});
        std::unique_ptr<Machine> invite;
        connect(&alice.fenetre, &GM_ServerList::signalStartClientSession, this,
                [&](const QString& ip, const QString& login, quint16 secure, quint16 clair_, quint16 tcp,
                    qint64 compte, int secondes, bool publique, int, int) {
                    invite = rejoint(ip, login, secure, clair_, tcp, compte, secondes, publique);
                });

        QVERIFY(alice.connecte(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        GM_TablesList* onglet = alice.fenetre.serversTab();
        onglet->OnRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(onglet->serversTree()->topLevelItemCount(), 1, Delai);
        QSignalSpy choix(onglet, &GM_TablesList::signalSelectedServerChanged);
        onglet->serversTree()->setCurrentItem(onglet->serversTree()->topLevelItem(0));
        if (acces == Invitation) {
            // The server chosen in the servers tab is the one the friends
            // tab invites Bob to, and Alice goes there.
            QTRY_VERIFY_WITH_TIMEOUT(!choix.isEmpty() && choix.last().first().toLongLong() == 11, Delai);
            GM_FriendsList* amis = alice.fenetre.friendsTab();
            const QString idBob = QString::number(lobby.bob);
            lobby.serveur.setReponse("Fhr", {QStringLiteral("15,%1,Bob").arg(idBob)});
            alice.fenetre.client()->OnRefreshFriendList();
            QTRY_VERIFY_WITH_TIMEOUT(
                !amis->playTree()->findItems(idBob, Qt::MatchExactly, GM_FriendsList::ColId).isEmpty(), Delai);
            amis->playTree()->findItems(idBob, Qt::MatchExactly, GM_FriendsList::ColId)
                .first()
                ->setCheckState(GM_FriendsList::ColTick, Qt::Checked);
            QVERIFY(amis->playPublicButton()->isEnabled());
            amis->playPublicButton()->click();
            QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recusDe("Gl5").size(), 1, Delai);
            QCOMPARE(lobby.serveur.recusDe("Gl5").first().champs,
                     (QStringList{QStringLiteral("11"), QStringLiteral("-1"), idBob, QString(), QString()}));
        } else {
            onglet->joinButton()->click();
            if (acces == MotDePasse) {
                // Asked of the lobby only with the typed password.
                QVERIFY(alice.passe.isVisible());
                QVERIFY(lobby.serveur.recusDe("SA1").isEmpty());
                alice.passe.passwordEdit()->setText(passe);
                alice.passe.okButton()->click();
            }
        }
        QTRY_VERIFY_WITH_TIMEOUT(invite != nullptr, Delai);
        joueUneDonne(hote, *invite);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(alice.titres(), QStringList());
        QCOMPARE(lobby.serveur.recusDe("SA1").size(), 1);
        QCOMPARE(lobby.serveur.recusDe("SA1").first().champs, (QStringList{QStringLiteral("11"), passe}));
        QVERIFY(sansFauteDeJeu());
    }

    // Alice hosts and Bob plays at her table through the lobby's bridge:
    // the lobby opens it by itself, or, once they are friends, Alice's
    // private invitation from the friends tab makes her program host and the
    // lobby bridges her friend.
    void parLePont_data()
    {
        QTest::addColumn<bool>("invitation");
        QTest::newRow("bridge opened by the lobby") << false;
        QTest::newRow("private invitation") << true;
    }
    void parLePont()
    {
        QFETCH(bool, invitation);
        JournalDeTest journal;
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        Salon alice(lobby, true, false);
        Salon bob(lobby, true, false);
        std::unique_ptr<Hote> hote;
        std::unique_ptr<Machine> invite;
        const auto heberge = [&](const QString& login) {
            hote = std::make_unique<Hote>(WebSocket, login);
            connect(&alice.fenetre, &GM_ServerList::signalReceiveBridgeOpen, &hote->serveur,
                    &ZB_MultiServer::OnReceiveBridgeOpen);
        };
        connect(&alice.fenetre, &GM_ServerList::signalStartServerSession, this,
                [&](const QString& login, quint16, quint16, quint16, qint64) { heberge(login); });
        connect(&bob.fenetre, &GM_ServerList::signalReceiveBridgeOpen, this, [&](GM_SocketAbstract* pont) {
            invite = rejoint(QString(), QStringLiteral("Bob"), 0, 0, 0, lobby.bob, 5, false,
                             QSharedPointer<GM_SocketAbstract>(pont, &QObject::deleteLater));
        });
        QVERIFY(alice.connecte(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        QVERIFY(bob.connecte(LobbyDeTest::EmailBob, LobbyDeTest::PasseBob));

        if (invitation) {
            // Alice finds Bob and asks him as a friend; Bob confirms; Alice
            // sees him online and invites him.
            const QString idBob = QString::number(lobby.bob);
            const QString idAlice = QString::number(lobby.alice);
            lobby.serveur.setReponse("Fr1", {QStringLiteral("Bob,%1").arg(idBob)});
            GM_FriendsList* amis = alice.fenetre.friendsTab();
            GM_SearchFriends* recherche = amis->searchWidget();
            recherche->searchEdit()->setText(QStringLiteral("Bobb")); // at least four letters
            recherche->OnSearchClicked();
            const auto trouve = [&] { return recherche->resultTree()->findItems(QStringLiteral("Bob"), Qt::MatchExactly); };
            QTRY_VERIFY_WITH_TIMEOUT(!trouve().isEmpty(), Delai);
            trouve().first()->setCheckState(0, Qt::Checked);
            recherche->inviteButton()->click();
            QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recusDe("F9n").size(), 1, Delai);

            GM_FriendsList* amisDeBob = bob.fenetre.friendsTab();
            bob.fenetre.client()->OnRefreshFriendList();
            const auto demande = [&] {
                return amisDeBob->manageTree()->findItems(idAlice, Qt::MatchExactly, GM_FriendsList::ColId);
            };
            QTRY_VERIFY_WITH_TIMEOUT(!demande().isEmpty(), Delai);
            QCOMPARE(demande().first()->text(GM_FriendsList::ColStatus), QStringLiteral("A confirmer"));
            demande().first()->setCheckState(GM_FriendsList::ColTick, Qt::Checked);
            amisDeBob->confirmButton()->click();
            QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recusDe("Blw").size(), 1, Delai);
            alice.fenetre.client()->OnRefreshFriendList();

            const auto ami = [&] {
                return amis->playTree()->findItems(idBob, Qt::MatchExactly, GM_FriendsList::ColId);
            };
            QTRY_VERIFY_WITH_TIMEOUT(!ami().isEmpty()
                                         && ami().first()->text(GM_FriendsList::ColStatus) == QStringLiteral("En ligne"),
                                     Delai);
            ami().first()->setCheckState(GM_FriendsList::ColTick, Qt::Checked);
            QVERIFY(amis->playPrivateButton()->isEnabled());
            amis->playPrivateButton()->click();
            QVERIFY(hote != nullptr);
            QTRY_COMPARE_WITH_TIMEOUT(lobby.serveur.recusDe("hTr").size(), 1, Delai);
            QCOMPARE(lobby.serveur.recusDe("hTr").first().champs.first(), idBob);
        } else {
            heberge(QStringLiteral("Alice"));
            QVERIFY(lobby.serveur.ouvrePont(lobby.alice, lobby.bob));
        }
        QVERIFY(hote->enAttente());
        QTRY_VERIFY_WITH_TIMEOUT(invite != nullptr, Delai);
        joueUneDonne(*hote, *invite);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(alice.titres(), QStringList());
        QCOMPARE(bob.titres(), QStringList());
        QVERIFY(sansFauteDeJeu());
    }

    // A lobby connection lost during a bridged game ends the bridge at the
    // other end: the guest is told the game is interrupted, or the host lets
    // the guest's seat go. The end of another bridge of the guest's does not
    // stop its game; a guest who leaves closes its bridge.
    void pontPerdu_data()
    {
        QTest::addColumn<int>("perdu");
        QTest::newRow("host's lobby connection") << 0;
        QTest::newRow("guest's lobby connection") << 1;
        QTest::newRow("a third user's bridge to the guest") << 2;
        QTest::newRow("the guest leaves") << 3;
    }
    void pontPerdu()
    {
        QFETCH(int, perdu);
        LobbyDeTest lobby;
        QVERIFY(lobby.demarre(true));
        const qint64 carol = lobby.serveur.ajouteCompte(QStringLiteral("carol@example.org"),
                                                        QStringLiteral("secret-Carol3"), QStringLiteral("Carol"));
        Salon alice(lobby, true, false);
        Salon bob(lobby, true, false);
        Salon tiers(lobby, true, false);
        std::unique_ptr<Machine> invite;
        Hote hote(WebSocket, QStringLiteral("Alice"));
        QVERIFY(hote.enAttente());
        connect(&alice.fenetre, &GM_ServerList::signalReceiveBridgeOpen, &hote.serveur,
                &ZB_MultiServer::OnReceiveBridgeOpen);
        // Bob's program takes the first bridge to a table; any later one
        // has no table to go to.
        int ponts = 0;
        connect(&bob.fenetre, &GM_ServerList::signalReceiveBridgeOpen, this, [&](GM_SocketAbstract* pont) {
            if (++ponts > 1) {
                pont->deleteLater();
                return;
            }
            invite = rejoint(QString(), QStringLiteral("Bob"), 0, 0, 0, lobby.bob, 5, false,
                             QSharedPointer<GM_SocketAbstract>(pont, &QObject::deleteLater));
        });
        QVERIFY(alice.connecte(LobbyDeTest::EmailAlice, LobbyDeTest::PasseAlice));
        QVERIFY(bob.connecte(LobbyDeTest::EmailBob, LobbyDeTest::PasseBob));
        QVERIFY(tiers.connecte("carol@example.org", "secret-Carol3"));
        QVERIFY(lobby.serveur.ouvrePont(lobby.alice, lobby.bob));
        QTRY_VERIFY_WITH_TIMEOUT(invite != nullptr, Delai);
        QVERIFY(lobby.serveur.ouvrePont(carol, lobby.bob));
        QTRY_COMPARE_WITH_TIMEOUT(ponts, 2, Delai);
        if (perdu == 2) {
            // Carol goes before the game starts: her bridge's close reaches
            // Bob's table connection too.
            QSignalSpy fermeture(bob.fenetre.client(), &GM_ClientSocket::signalReceiveBridgeClose);
            lobby.serveur.coupe(carol);
            QVERIFY(fermeture.wait(Delai));
            QCOMPARE(fermeture.first().first().toLongLong(), carol);
            joueUneDonne(hote, *invite);
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(invite->salle->getClientSocket()->getEtat(), int(ZB_StatutConnexionA::JeuEnCours));
            QCOMPARE(bob.titres(), QStringList());
            return;
        }
        demarre(hote, *invite);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(QTest::qWaitFor([&] { return invite->liste()->getEtatAttendu() > EtatDeJeu::AttendMise1_1; }, Delai));

        if (perdu == 3) {
            // Bob leaves the table: his bridge closes, and nobody is told
            // of an interruption.
            invite->salle->disconnectFromServer();
            QTRY_COMPARE_WITH_TIMEOUT(hote.joueurs(), 0, Delai);
            QCOMPARE(invite->salle->getClientSocket()->getEtat(), int(ZB_StatutConnexionA::DeconnecteUtilisateur));
            QVERIFY(!invite->titres().join(QLatin1Char('\n')).contains(QStringLiteral("interrompue")));
            return;
        }
        lobby.serveur.coupe(perdu == 0 ? lobby.alice : lobby.bob);
        if (perdu == 0) {
            QTRY_COMPARE_WITH_TIMEOUT(invite->salle->getClientSocket()->getEtat(),
                                      int(ZB_StatutConnexionA::Interrompu), Delai);
            QTRY_VERIFY_WITH_TIMEOUT(invite->titres().join(QLatin1Char('\n'))
                                         .contains(QStringLiteral("La connection avec le serveur a été interrompue")),
                                     Delai);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(hote.joueurs(), 0, Delai);
        }
    }
};

ZB_REGISTER_TEST(TestLobbyToTable)
#include "TestLobbyToTable.moc"
