#include "GM_Achievements.h"
#include "GM_ClientSocket.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_ProxyClientSocket.h"
#include "GM_Scores.h"
#include "GM_SearchFriends.h"
#include "GM_ServerPass.h"
#include "GM_Stats.h"
#include "GM_TexteDuLobby.h"
#include "GM_FriendsList.h"
#include "GM_TablesList.h"
#include "GM_TournamentClient.h"
#include "LobbyDeTest.h"
#include "ZbTestRegistry.h"

#include <QSignalSpy>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace {

constexpr int Delai = 5000;

// Lets the event loop run until a list filled a chunk at a time is full;
// the most rows one turn of the loop added, and in tours (when given) how
// many turns it took.
int remplitJusquauBout(const std::function<bool()>& enCours, const std::function<int()>& lignes,
                       int* tours = nullptr)
{
    int plusGrandeTranche = 0;
    while (enCours()) {
        const int avant = lignes();
        QCoreApplication::processEvents();
        plusGrandeTranche = qMax(plusGrandeTranche, lignes() - avant);
        if (tours != nullptr)
            ++*tours;
    }
    return plusGrandeTranche;
}

// Alice's lobby client; the displayer answers no box unless told, so that
// what a lobby makes wait stays counted.
struct Session {
    LobbyDeTest lobby;
    GM_MessageBoxDisplayerHeadless afficheur;
    ProgressionDeTest progression;
    GM_ClientSocket client{QString(), nullptr, &progression, &afficheur};

    bool demarre()
    {
        if (!lobby.demarre(true))
            return false;
        QSignalSpy pret(&client, &GM_ClientSocket::signalReady);
        client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                               QString::fromLatin1(LobbyDeTest::PasseAlice), true, true);
        return pret.wait(Delai);
    }
    void rafraichit(const QByteArray& mot)
    {
        QMutexLocker verrou(client.getOutQueueMutex());
        client.sendRefreshRequest(mot);
    }
    QStringList textes() const
    {
        QStringList t;
        for (const auto& a : afficheur.historique())
            t << a.requete.texte_;
        return t;
    }
    // Many records in one message, as a lobby in a hurry sends them.
    bool envoieEnRafale(const QByteArray& mot, int fois, const std::function<QStringList(int)>& champs)
    {
        QByteArray paquet;
        for (int i = 0; i < fois; ++i)
            paquet += GM_LobbyFrame::record(mot, champs(i));
        return lobby.serveur.envoieBrut(lobby.alice, {paquet});
    }
};

} // namespace

// The lobby client and its lists under a lobby that is broken or hostile:
// every request is answered or given up, and what the lobby announces or
// sends costs the user a bounded number of boxes, bridges and messages, and
// the window a bounded time per turn of the event loop.
class TestHostileLobby : public QObject
{
    Q_OBJECT

private slots:
    // A request the lobby never answers is given up after the client's
    // delay: the user is told once, however many are lost, and the queue
    // goes on with the next request, whose answer is read.
    void requeteSansReponse_data()
    {
        QTest::addColumn<QByteArray>("perdu");
        QTest::addColumn<int>("fois");
        QTest::addColumn<QByteArray>("suivant");
        QTest::addColumn<QString>("signal");
        QTest::newRow("server list lost, tournaments next")
            << QByteArray("R7k") << 1 << QByteArray("Tli") << "signalTournamentListReceived";
        QTest::newRow("friends lost twice, ranking next")
            << QByteArray("Fhr") << 2 << QByteArray("R7t") << "signalScoresReceived";
        QTest::newRow("titles lost, same request next")
            << QByteArray("Awq") << 1 << QByteArray("Awq") << "signalAchievementsReceived";
    }
    void requeteSansReponse()
    {
        QFETCH(QByteArray, perdu);
        QFETCH(int, fois);
        QFETCH(QByteArray, suivant);
        QFETCH(QString, signal);
        Session s;
        GM_ClientSocket::Delais delais;
        delais.reponseMaxMs = 200;
        s.client.setDelais(delais);
        s.lobby.serveur.setReponse(suivant, {QStringLiteral("1,x")});
        QVERIFY(s.demarre());
        s.lobby.serveur.ignore(perdu, fois);
        QStringList recus;
        const auto garde = [&](auto signalDuClient, const char* nom) {
            QObject::connect(&s.client, signalDuClient, &s.client,
                             [&recus, nom](const QStringList*) { recus << QString::fromLatin1(nom); });
        };
        garde(&GM_ClientSocket::signalTournamentListReceived, "signalTournamentListReceived");
        garde(&GM_ClientSocket::signalScoresReceived, "signalScoresReceived");
        garde(&GM_ClientSocket::signalAchievementsReceived, "signalAchievementsReceived");
        for (int i = 0; i < fois; ++i) {
            s.rafraichit(perdu);
            QTRY_VERIFY_WITH_TIMEOUT(s.client.getProtocolState() != GM_SocketEvent::Idle, Delai);
            QTRY_COMPARE_WITH_TIMEOUT(s.client.getProtocolState(), int(GM_SocketEvent::Idle), Delai);
        }
        s.rafraichit(suivant);
        QTRY_COMPARE_WITH_TIMEOUT(recus, QStringList{signal}, Delai);
        QCOMPARE(s.client.getProtocolState(), int(GM_SocketEvent::Idle));
        QVERIFY(s.client.isConnectedToLobby());
        // Told once, in the words the user reads; nothing else was shown.
        QCOMPARE(s.afficheur.nombreEnAttente(), 1);
        QCOMPARE(s.afficheur.historique().size(), 1);
        QCOMPARE(s.afficheur.historique().at(0).requete.titre_, QStringLiteral("Pas de réponse du lobby"));
        QVERIFY(s.textes().at(0).startsWith(QStringLiteral("Le serveur du lobby n'a pas répondu")));
        QCOMPARE(s.lobby.serveur.recusDe(perdu).size(), fois + (perdu == suivant ? 1 : 0));
    }

    // A flood of title announcements waits as a handful of boxes: three
    // titles of their own, the others counted in one more box; once the
    // user answered them, a new title has its own box again.
    void titresEnRafale_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("parRecord");
        QTest::addColumn<int>("boites");
        QTest::addColumn<int>("rassembles");
        QTest::newRow("2,000 announcements of five") << 2000 << 5 << 4 << 9997;
        QTest::newRow("2,000 announcements of one") << 2000 << 1 << 4 << 1997;
        QTest::newRow("one announcement of five") << 1 << 5 << 4 << 2;
        QTest::newRow("one announcement of two") << 1 << 2 << 2 << 0;
    }
    void titresEnRafale()
    {
        QFETCH(int, records);
        QFETCH(int, parRecord);
        QFETCH(int, boites);
        QFETCH(int, rassembles);
        Session s;
        QVERIFY(s.demarre());
        QSignalSpy ami(&s.client, &GM_ClientSocket::signalFriendPlayingOnline);
        QVERIFY(s.envoieEnRafale("Acv", records, [parRecord](int i) {
            QStringList champs;
            for (int j = 0; j < parRecord; ++j)
                champs << QString::number(5400000 + (i * parRecord + j) % 7);
            return champs;
        }));
        QVERIFY(s.lobby.serveur.envoie(s.lobby.alice, "Fpo", {}));
        QVERIFY(ami.wait(Delai));
        QCOMPARE(s.afficheur.nombreEnAttente(), boites);
        // Answer them all; the one that gathers the others tells how many.
        QStringList vus;
        while (s.afficheur.nombreEnAttente() > 0) {
            QTRY_VERIFY_WITH_TIMEOUT(s.afficheur.aUneBoiteAffichee(), Delai);
            vus << s.afficheur.historique().last().requete.texte_;
            QVERIFY(s.afficheur.repond(GM::Ok));
        }
        QCOMPARE(vus.size(), boites);
        QVERIFY(vus.first().startsWith(QStringLiteral("Félicitations! Vous avez obtenu le titre <b>")));
        if (rassembles > 0)
            QVERIFY2(vus.last().contains(QStringLiteral("(%1 de plus)").arg(rassembles)), qPrintable(vus.last()));
        else
            QVERIFY(vus.last().startsWith(QStringLiteral("Félicitations! Vous avez obtenu le titre <b>")));
        QVERIFY(s.lobby.serveur.envoie(s.lobby.alice, "Acv", {QStringLiteral("5400006")}));
        QTRY_COMPARE_WITH_TIMEOUT(s.afficheur.nombreEnAttente(), 1, Delai);
        QVERIFY(s.afficheur.historique().last().requete.texte_.contains(QStringLiteral("<b>Supermatcheur Niv. 7</b>")));
    }

    // A flood of bridge openings: at most PontsMax reach the windows, the
    // rest are refused, a refused bridge is closed at the lobby unless its
    // users have one open already, and closes never pile up in the queue,
    // even when the windows close every bridge as soon as it opens.
    void pontsEnRafale_data()
    {
        QTest::addColumn<bool>("memesUtilisateurs");
        QTest::addColumn<bool>("fermesAussitot");
        QTest::newRow("50,000 of the same users, kept") << true << false;
        QTest::newRow("50,000 of other users each, kept") << false << false;
        QTest::newRow("50,000 of other users each, closed at once") << false << true;
    }
    void pontsEnRafale()
    {
        QFETCH(bool, memesUtilisateurs);
        QFETCH(bool, fermesAussitot);
        constexpr int Ouvertures = 50000;
        Session s;
        QVERIFY(s.demarre());
        std::vector<std::unique_ptr<GM_ProxyClientSocket>> proxies;
        int ouverts = 0;
        QObject::connect(&s.client, &GM_ClientSocket::signalReceiveBridgeOpen, &s.client,
                         [&](qint64 de, qint64 vers) {
                             ++ouverts;
                             proxies.push_back(std::make_unique<GM_ProxyClientSocket>(&s.client, de, vers));
                             if (fermesAussitot)
                                 proxies.back()->abort();
                         });
        QSignalSpy ami(&s.client, &GM_ClientSocket::signalFriendPlayingOnline);
        const qint64 alice = s.lobby.alice;
        QVERIFY(s.envoieEnRafale("Bro", Ouvertures, [&](int i) {
            return QStringList{QString::number(memesUtilisateurs ? 7001 : 7001 + i), QString::number(alice)};
        }));
        QVERIFY(s.lobby.serveur.envoie(s.lobby.alice, "Fpo", {}));
        QVERIFY(ami.wait(Delai));
        QCOMPARE(ouverts, GM_ClientSocket::PontsMax);
        QCOMPARE(s.client.getNombrePontsRefuses(), Ouvertures - GM_ClientSocket::PontsMax);
        QCOMPARE(s.client.getNombrePontsOuverts(), fermesAussitot ? 0 : GM_ClientSocket::PontsMax);
        QVERIFY2(s.client.getNombreMessagesEnFile() <= GM_ClientSocket::PontsMax,
                 qPrintable(QString::number(s.client.getNombreMessagesEnFile())));
        QVERIFY(s.client.isConnectedToLobby());
        if (memesUtilisateurs) {
            // The refusals closed nothing: the users' bridge is in use.
            QTest::qWait(100);
            QCOMPARE(s.lobby.serveur.recusDe("Cul").size(), 0);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(s.lobby.serveur.recusDe("Cul").size() >= Ouvertures - GM_ClientSocket::PontsMax,
                                      true, Delai);
        }
        QVERIFY(s.afficheur.historique().isEmpty());
    }

    // A long server list keeps its first LignesMax rows and fills a chunk
    // per turn of the event loop, so the window answers meanwhile, and ends
    // with the filter, the current row and every server's places as a
    // one-piece fill gives them; a status answer that comes during the fill
    // reaches the rows that were not in yet, and keeps no more servers
    // than the list.
    void longueListeDeServeurs_data()
    {
        QTest::addColumn<int>("serveurs");
        QTest::newRow("30,000 servers") << 30000;
        QTest::newRow("one chunk and one row") << GM_RemplissageParTranches::LignesParTranche + 1;
    }
    void longueListeDeServeurs()
    {
        QFETCH(int, serveurs);
        GM_TablesList onglet;
        onglet.init(nullptr, nullptr, QStringLiteral("Jass Public"));
        QStringList liste{QStringLiteral("Jass Public,Yes,h,1")};
        QStringList statuts;
        for (int i = 0; i < serveurs; ++i) {
            const QString id = QString::number(10000 + i);
            liste << QStringLiteral("%1 %2,Yes,h,%2").arg(i % 2 ? "Jass" : "Schieber", id);
            statuts << id << QStringLiteral("1") << QStringLiteral("2") << QString::number(i % 50);
        }
        const int gardes = qMin(serveurs, GM_RemplissageParTranches::LignesMax - 1);
        onglet.OnServerListReceived(0, &liste);
        QVERIFY(onglet.isFilling());
        const int apresPremiere = onglet.serversTree()->topLevelItemCount();
        QCOMPARE(apresPremiere, GM_RemplissageParTranches::LignesParTranche);
        // The status of every server comes back before the last row is in.
        onglet.OnMainMainGameServerStatusReceived(&statuts);
        int tours = 0;
        const int plusGrandeTranche =
            qMax(apresPremiere, remplitJusquauBout([&onglet] { return onglet.isFilling(); },
                                                   [&onglet] { return onglet.serversTree()->topLevelItemCount(); },
                                                   &tours));
        const int tranches = (gardes + 1 + GM_RemplissageParTranches::LignesParTranche - 1)
                             / GM_RemplissageParTranches::LignesParTranche;
        QCOMPARE(onglet.filler().tranches(), tranches);
        QVERIFY(tours >= tranches - 1);
        QCOMPARE(plusGrandeTranche, GM_RemplissageParTranches::LignesParTranche);

        QTreeWidget* arbre = onglet.serversTree();
        QCOMPARE(arbre->topLevelItemCount(), gardes + 1);
        QCOMPARE(arbre->currentItem()->text(GM_TablesList::ColName), QStringLiteral("Jass Public"));
        int visibles = 0;
        QString precedent;
        for (int r = 0; r < arbre->topLevelItemCount(); ++r) {
            const QTreeWidgetItem* ligne = arbre->topLevelItem(r);
            QVERIFY(precedent <= ligne->text(GM_TablesList::ColName));
            precedent = ligne->text(GM_TablesList::ColName);
            visibles += ligne->isHidden() ? 0 : 1;
            QCOMPARE(ligne->isHidden(), !ligne->text(GM_TablesList::ColName).contains(QLatin1String("Jass")));
            const int i = ligne->text(GM_TablesList::ColId).toInt() - 10000;
            const QString places = i >= 0 ? QStringLiteral("%1 places").arg(i % 50) : QStringLiteral("40 places");
            QCOMPARE(ligne->text(GM_TablesList::ColPlaces), places);
        }
        QCOMPARE(visibles, gardes / 2 + 1);
        // Every server's the list keeps room for, and the current row's,
        // empty since none was given.
        QCOMPARE(onglet.statusTextCount(), qMin(serveurs, GM_RemplissageParTranches::LignesMax) + 1);
    }

    // The lobby's other lists, three times longer than a list keeps: each
    // keeps its first LignesMax rows, filled a chunk at a time from the
    // event loop, never more than a chunk a turn.
    void longuesListesDuLobby_data()
    {
        QTest::addColumn<QString>("liste");
        QTest::newRow("ranking") << QStringLiteral("ranking");
        QTest::newRow("titles") << QStringLiteral("titles");
        QTest::newRow("tournaments") << QStringLiteral("tournaments");
        QTest::newRow("server password friends") << QStringLiteral("teammates");
        QTest::newRow("friend search") << QStringLiteral("search");
    }
    void longuesListesDuLobby()
    {
        QFETCH(QString, liste);
        GM_Scores classement;
        GM_Achievements titres;
        GM_TournamentClient tournois;
        GM_ServerPass equipiers;
        GM_SearchFriends recherche;
        QStringList entrees;
        for (int i = 0; i < 3 * GM_RemplissageParTranches::LignesMax; ++i)
            entrees << (liste == QLatin1String("ranking")     ? QStringLiteral("%1,Joueur%1,100,3,4").arg(i + 1)
                        : liste == QLatin1String("titles")    ? QStringLiteral("1,2026-01-01 10:00:00")
                        : liste == QLatin1String("teammates") ? QStringLiteral("15,%1,Ami%1").arg(i + 1)
                        : liste == QLatin1String("search")    ? QStringLiteral("Ami%1,%1").arg(i + 1)
                                                              : QStringLiteral("T%1,0,2026-01-01 10:00:00,1,4000,-1,,0,r")
                                                                 .arg(i));
        std::function<int()> lignes;
        const GM_RemplissageParTranches* remplissage = nullptr;
        if (liste == QLatin1String("ranking")) {
            classement.OnScoresReceived(&entrees);
            lignes = [&] { return classement.scoresTree()->topLevelItemCount(); };
            remplissage = &classement.filler();
        } else if (liste == QLatin1String("titles")) {
            titres.OnAchievementsReceived(&entrees);
            lignes = [&] { return titres.achievementsTable()->rowCount(); };
            remplissage = &titres.filler();
        } else if (liste == QLatin1String("teammates")) {
            // Friends the dialog knew from an earlier answer stay.
            equipiers.mergeFriendList(entrees.mid(0, 10));
            QTRY_VERIFY(!equipiers.filler().enCours());
            equipiers.mergeFriendList(entrees);
            lignes = [&] { return equipiers.teammateTree()->topLevelItemCount(); };
            remplissage = &equipiers.filler();
        } else if (liste == QLatin1String("search")) {
            recherche.OnSearchFriendsListReceived(&entrees);
            lignes = [&] { return recherche.resultTree()->topLevelItemCount(); };
            remplissage = &recherche.filler();
        } else {
            tournois.OnTournamentListReceived(&entrees);
            lignes = [&] { return tournois.pastTable()->rowCount(); };
            remplissage = &tournois.filler();
        }
        QVERIFY(remplissage->enCours());
        const int premiere = lignes();
        const int plusGrandeTranche =
            qMax(premiere, remplitJusquauBout([remplissage] { return remplissage->enCours(); }, lignes));
        QCOMPARE(plusGrandeTranche, GM_RemplissageParTranches::LignesParTranche);
        QCOMPARE(lignes(), GM_RemplissageParTranches::LignesMax);
        QCOMPARE(remplissage->tranches(),
                 GM_RemplissageParTranches::LignesMax / GM_RemplissageParTranches::LignesParTranche);
    }

    // One field of a megabyte, in every place a lobby text reaches a
    // widget: what is shown keeps a bounded length, the rest of the row as
    // it was sent.
    void champsGeants_data()
    {
        QTest::addColumn<QString>("ou");
        QTest::addColumn<int>("borne");
        for (const char* ou : {"server name", "players online", "server places", "teammate pseudo", "friend pseudo",
                               "ranking pseudo", "tournament id", "search pseudo", "statistics value"})
            QTest::newRow(ou) << QString::fromLatin1(ou)
                              << int(GM_TexteDuLobby::Champ) * (QByteArray(ou) == "statistics value" ? 3 : QByteArray(ou) == "server places" ? 2 : 1);
        QTest::newRow("service box") << QStringLiteral("service box") << int(GM_TexteDuLobby::Boite);
    }
    void champsGeants()
    {
        QFETCH(QString, ou);
        QFETCH(int, borne);
        const QString geant(976000, QLatin1Char('g'));
        QString montre;
        const auto texteLePlusLong = [](auto* vue) {
            QString r;
            const auto* modele = vue->model();
            for (int l = 0; l < modele->rowCount(); ++l)
                for (int c = 0; c < modele->columnCount(); ++c)
                    if (!vue->isColumnHidden(c)) {
                        const QString t = modele->index(l, c).data().toString();
                        if (t.size() > r.size())
                            r = t;
                    }
            return r;
        };
        if (ou.startsWith(QLatin1String("server")) || ou == QLatin1String("players online")) {
            GM_TablesList onglet;
            onglet.init(nullptr, nullptr, QStringLiteral("Jass Public"));
            const QStringList liste{ou == QLatin1String("server name") ? geant + QStringLiteral(" Jass,Yes,h,7")
                                                                        : QStringLiteral("Jass 7,Yes,h,7")};
            onglet.OnServerListReceived(0, &liste);
            const QStringList statuts{QStringLiteral("7"), geant, geant, geant};
            onglet.OnMainMainGameServerStatusReceived(&statuts);
            const QString places = onglet.statusTextOf(7);
            const QStringList info{geant};
            onglet.OnMainGameServerInfoReceived(&info);
            montre = ou == QLatin1String("players online") ? onglet.onlineLabel()->text()
                     : ou == QLatin1String("server places") ? places
                                                             : texteLePlusLong(onglet.serversTree());
            QCOMPARE(onglet.serversTree()->topLevelItemCount(), 1);
            if (ou == QLatin1String("server places"))
                QVERIFY(onglet.serversTree()->topLevelItem(0)->text(GM_TablesList::ColPlaces).size() < borne + 20);
        } else if (ou == QLatin1String("teammate pseudo")) {
            GM_ServerPass dialogue;
            // An entry of a megabyte is no friend, even when its pseudo is
            // short; a long pseudo in a short entry is cut.
            dialogue.mergeFriendList({QStringLiteral("15,7,") + geant.left(GM_TexteDuLobby::Ligne - 5),
                                      QStringLiteral("15,8,Ben,") + geant});
            montre = texteLePlusLong(dialogue.teammateTree());
            QCOMPARE(dialogue.teammateTree()->topLevelItemCount(), 1);
            QCOMPARE(dialogue.teammateTree()->topLevelItem(0)->text(GM_ServerPass::ColId), QStringLiteral("7"));
        } else if (ou == QLatin1String("friend pseudo")) {
            GM_FriendsList onglet;
            const QStringList liste{QStringLiteral("15,7,") + geant.left(GM_TexteDuLobby::Ligne - 5),
                                    QStringLiteral("15,8,") + geant};
            onglet.OnFriendListReceived(&liste);
            QTRY_VERIFY(!onglet.filler().enCours());
            montre = texteLePlusLong(onglet.manageTree());
            QCOMPARE(onglet.playTree()->topLevelItemCount(), 1);
        } else if (ou == QLatin1String("ranking pseudo")) {
            GM_Scores onglet;
            const QStringList liste{QStringLiteral("1,") + geant + QStringLiteral(",3,2,100")};
            onglet.OnScoresReceived(&liste);
            montre = texteLePlusLong(onglet.scoresTree());
            QCOMPARE(onglet.scoresTree()->topLevelItem(0)->text(4), QStringLiteral("100"));
        } else if (ou == QLatin1String("tournament id")) {
            GM_TournamentClient onglet;
            const QStringList liste{geant + QStringLiteral(",TeamsRandom,2026-01-01 10:00:00,-1,4000,-1,") + geant
                                    + QStringLiteral(",0,Jass")};
            onglet.OnTournamentListReceived(&liste);
            montre = texteLePlusLong(onglet.pastTable());
            QCOMPARE(onglet.pastTable()->rowCount(), 1);
            borne = GM_TexteDuLobby::Ligne; // the results link
        } else if (ou == QLatin1String("search pseudo")) {
            GM_SearchFriends page;
            const QStringList liste{geant + QStringLiteral(",7")};
            page.OnSearchFriendsListReceived(&liste);
            montre = texteLePlusLong(page.resultTree());
            QCOMPARE(page.resultTree()->topLevelItem(0)->text(GM_SearchFriends::ColId), QStringLiteral("7"));
        } else if (ou == QLatin1String("statistics value")) {
            GM_Stats onglet;
            const QStringList liste{geant + QStringLiteral(",5"), geant, geant, geant, geant};
            onglet.OnStatsReceived(&liste);
            montre = texteLePlusLong(onglet.statsTable());
        } else {
            montre = GM_ClientSocket::texteDeService(geant);
        }
        QVERIFY2(montre.size() <= borne + 60, qPrintable(QString::number(montre.size())));
        QVERIFY(montre.contains(QChar(0x2026)));
    }
};

ZB_REGISTER_TEST(TestHostileLobby)
#include "TestHostileLobby.moc"
