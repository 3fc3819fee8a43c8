#include "GM_ClientSocket.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_ServerPass.h"
#include "GM_TournamentClient.h"
#include "LobbyDeTest.h"
#include "NavigateurDeTest.h"
#include "ZbTestRegistry.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimeZone>
#include <QTreeWidget>
#include <QUrl>

namespace {

constexpr int Delai = 5000;

// id, teams, UTC date, participation, port, state, results, password, rule
QString tournoi(const char* id, const char* equipes, const char* part, const char* etat, const char* passe = "0",
                const char* regle = "Jass Schieber", const char* resultats = "")
{
    return QStringLiteral("%1,%2,2026-12-07 18:30:00,%3,4100,%4,%5,%6,%7")
        .arg(QString::fromUtf8(id), QString::fromLatin1(equipes), QString::fromLatin1(part), QString::fromLatin1(etat),
             QString::fromLatin1(resultats), QString::fromLatin1(passe), QString::fromUtf8(regle));
}

const QStringList Liste{
    tournoi("Planned", "TeamsRandom", "-1", "0"),
    tournoi("Locked", "TeamsOnly", "-1", "0", "1"),
    tournoi("Running", "TeamsFree", "0", "1"),
    tournoi("Barred", "TeamsRandom", "-10", "0"),
    tournoi("BeloteCup", "TeamsRandom", "-1", "0", "0", "Belote Classique"),
    tournoi("Done", "TeamsRandom", "0", "-1", "0", "Jass Schieber", "https://results.invalid/done.html"),
    tournoi("Sneaky", "TeamsRandom", "0", "-1", "0", "Jass Schieber", "file:///etc/passwd.html"),
    QStringLiteral("Short,TeamsRandom,2026-12-07 18:30:00,-1,4100,0,,0"),
    QStringLiteral("Long,TeamsRandom,2026-12-07 18:30:00,-1,4100,0,,0,Jass,extra"),
    QStringLiteral(",TeamsRandom,2026-12-07 18:30:00,-1,4100,0,,0,Jass"),
    QStringLiteral("OddDate,TeamsRandom,07.12.2026 18:30,-1,4100,0,,0,Jass")};

struct Onglet {
    LobbyDeTest lobby;
    GM_MessageBoxDisplayerHeadless afficheur;
    ProgressionDeTest progression;
    GM_ClientSocket client{QString(), nullptr, &progression, &afficheur};
    GM_ServerPass passe;
    GM_TournamentClient onglet;
    QSignalSpy joue{&onglet, &GM_TournamentClient::signalPlayTournament};
    int reponse = GM::No;

    explicit Onglet(const QStringList& liste = Liste)
    {
        afficheur.setRepondeur([this](uint, const GM_MessageBoxRequest&) { return GM::StandardButton(reponse); });
        lobby.demarre(true);
        lobby.serveur.setReponse("Tli", liste);
        onglet.init(&client, &passe, &afficheur, QStringLiteral("Jass Public"));
        onglet.setCommandWait(3, 20);
    }
    bool connecte()
    {
        QSignalSpy liste(&client, &GM_ClientSocket::signalTournamentListReceived);
        client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                               QString::fromLatin1(LobbyDeTest::PasseAlice), true, true);
        return liste.wait(Delai);
    }
    bool relu()
    {
        QSignalSpy liste(&client, &GM_ClientSocket::signalTournamentListReceived);
        onglet.OnRefresh();
        return liste.wait(Delai);
    }
    static QStringList ids(QTableWidget* t)
    {
        QStringList r;
        for (int i = 0; i < t->rowCount(); ++i)
            if (!t->isRowHidden(i))
                r << t->item(i, GM_TournamentClient::ColId)->text();
        r.sort();
        return r;
    }
    QTableWidgetItem* ligne(const char* id) const
    {
        return onglet.currentTable()->findItems(QString::fromLatin1(id), Qt::MatchExactly).value(0);
    }
    void choisis(const char* id) { onglet.currentTable()->setCurrentItem(ligne(id)); }
    QStringList tjo() const
    {
        QStringList r;
        for (const auto& m : lobby.serveur.recusDe("Tjo"))
            r << m.champs.join(QLatin1Char(','));
        return r;
    }
    QStringList titres() const
    {
        QStringList t;
        for (const auto& a : afficheur.historique())
            t << a.requete.titre_;
        return t;
    }
};

} // namespace

class TestTournamentsTab : public QObject
{
    Q_OBJECT

private slots:
    // Which lines go where and how they read; the rule filter; rows the
    // player may not take part in cannot be chosen.
    void lignesDesTournois()
    {
        Onglet o;
        QVERIFY(o.connecte());
        QCOMPARE(Onglet::ids(o.onglet.currentTable()), (QStringList{"Barred", "Locked", "OddDate", "Planned", "Running"}));
        QCOMPARE(Onglet::ids(o.onglet.pastTable()), (QStringList{"Done", "Sneaky"}));
        const QTableWidgetItem* date = o.onglet.currentTable()->item(o.ligne("Planned")->row(), GM_TournamentClient::ColDate);
        QDateTime utc(QDate(2026, 12, 7), QTime(18, 30), QTimeZone::utc());
        QCOMPARE(date->text(), utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        QCOMPARE(o.onglet.currentTable()->item(o.ligne("OddDate")->row(), GM_TournamentClient::ColDate)->text(), QString());
        const int enCours = o.ligne("Running")->row();
        QCOMPARE(o.onglet.currentTable()->item(enCours, GM_TournamentClient::ColState)->text(), QStringLiteral("En cours"));
        QCOMPARE(o.onglet.currentTable()->item(enCours, GM_TournamentClient::ColId)->background().color(), QColor(Qt::green));
        const int exclu = o.ligne("Barred")->row();
        QCOMPARE(o.onglet.currentTable()->item(exclu, GM_TournamentClient::ColId)->background().color(), QColor(Qt::gray));
        QVERIFY(!(o.ligne("Barred")->flags() & Qt::ItemIsSelectable));
        QCOMPARE(o.onglet.currentTable()->selectionMode(), QAbstractItemView::SingleSelection);
        o.onglet.showOtherServersBox()->setChecked(true);
        QVERIFY(Onglet::ids(o.onglet.currentTable()).contains(QStringLiteral("BeloteCup")));
        QCOMPARE(o.onglet.refreshTimer()->interval(), GM_TournamentClient::RefreshMs);
        QVERIFY(o.onglet.refreshTimer()->isActive());
    }

    // A running tournament the player registered for is asked about once
    // per run; Yes hands the queue to the main window, No drops the id.
    void questionDuTournoi()
    {
        Onglet o;
        o.reponse = GM::Yes;
        QVERIFY(o.connecte());
        QTRY_COMPARE_WITH_TIMEOUT(o.joue.size(), 1, Delai);
        QCOMPARE(o.titres(), QStringList{"Tournoi en cours"});
        QCOMPARE(o.onglet.startedQueue(), QStringList{"Running"});
        // What the main window does on signalPlayTournament.
        o.onglet.joinTournament(o.onglet.startedQueue().takeFirst());
        QVERIFY(o.onglet.isJoined(QStringLiteral("Running")));
        QCOMPARE(o.onglet.currentTournamentName(), QStringLiteral("Running"));
        QTRY_COMPARE_WITH_TIMEOUT(o.lobby.serveur.recusDe("SA1").size(), 1, Delai);
        QVERIFY(o.relu());
        QCOMPARE(o.titres().size(), 1);
        o.lobby.serveur.setReponse("Tli", {tournoi("Running", "TeamsFree", "0", "-1")});
        QVERIFY(o.relu());
        QVERIFY(!o.onglet.isKnown(QStringLiteral("Running")));
        o.reponse = GM::No;
        o.lobby.serveur.setReponse("Tli", {tournoi("Running", "TeamsFree", "0", "1")});
        QVERIFY(o.relu());
        QTRY_COMPARE_WITH_TIMEOUT(o.titres().size(), 2, Delai);
        QTRY_COMPARE_WITH_TIMEOUT(o.onglet.startedQueue(), QStringList{}, Delai);
        QCOMPARE(o.joue.size(), 1);
    }

    // Registering: at once for an open tournament drawn in random teams;
    // through the dialog otherwise, with what it holds on Ok and nothing
    // on Cancel; a later answer of the shared dialog (opened by another tab)
    // registers nothing.
    void inscription_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("accepte"); // -1: no dialog
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("envoye");
        QTest::newRow("open, random teams") << "Planned" << -1 << 0 << QStringList{"Planned,1,,"};
        QTest::newRow("password and teammate, Ok") << "Locked" << 1 << 2 << QStringList{"Locked,1,s3cret,Bob"};
        QTest::newRow("password and teammate, Cancel") << "Locked" << 0 << 2 << QStringList{};
    }
    void inscription()
    {
        QFETCH(QString, id);
        QFETCH(int, accepte);
        QFETCH(int, mode);
        QFETCH(QStringList, envoye);
        Onglet o;
        QVERIFY(o.connecte());
        o.passe.mergeFriendList({QStringLiteral("15,7,Bob")});
        o.choisis(id.toLatin1().constData());
        QVERIFY(o.onglet.joinButton()->isEnabled());
        o.onglet.OnJoinPressed();
        if (accepte >= 0) {
            QVERIFY(o.passe.isVisible());
            QCOMPARE(o.passe.teammateMode(), mode);
            QVERIFY(!o.onglet.refreshTimer()->isActive());
            o.passe.passwordEdit()->setText(QStringLiteral("s3cret"));
            o.passe.teammateTree()->topLevelItem(0)->setCheckState(GM_ServerPass::ColTick, Qt::Checked);
            accepte ? o.passe.OnOkPressed() : o.passe.OnCancelPressed();
            QVERIFY(!o.passe.isVisible());
        }
        if (!envoye.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(o.tjo(), envoye, Delai);
        o.passe.configure(true, GM_ServerPass::NoTeammate);
        o.passe.OnOkPressed();
        QTest::qWait(300);
        QCOMPARE(o.tjo(), envoye);
    }

    // A registration the lobby did not take (still "-1" in the next list)
    // says so once; leaving sends action 0.
    void echecEtDepart()
    {
        Onglet o({tournoi("Planned", "TeamsRandom", "-1", "0")});
        QVERIFY(o.connecte());
        o.choisis("Planned");
        o.onglet.OnJoinPressed();
        QTRY_COMPARE_WITH_TIMEOUT(o.titres(), QStringList{"Echec"}, Delai);
        QVERIFY(o.relu());
        QCOMPARE(o.titres(), QStringList{"Echec"});
        o.lobby.serveur.setReponse("Tli", {tournoi("Planned", "TeamsRandom", "0", "0")});
        QVERIFY(o.relu());
        o.choisis("Planned");
        QVERIFY(o.onglet.quitButton()->isEnabled());
        o.onglet.OnLeavePressed();
        QTRY_COMPARE_WITH_TIMEOUT(o.tjo(), (QStringList{"Planned,1,,", "Planned,0,,"}), Delai);

        // The lobby is lost: the rows stay to be read, but no button asks
        // anything of it, even once the row is chosen again.
        QSignalSpy perdu(&o.client, &GM_ClientSocket::signalDisconnected);
        o.lobby.serveur.arrete();
        QVERIFY(perdu.wait(Delai));
        QCOMPARE(o.onglet.currentTable()->rowCount(), 1);
        o.onglet.OnItemSelectionFutureChanged();
        for (const QPushButton* bouton : {o.onglet.joinButton(), o.onglet.quitButton(), o.onglet.playButton()})
            QVERIFY(!bouton->isEnabled());
    }

    // Results open only as http or https links.
    void resultats_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("ouvre");
        QTest::newRow("https") << "https://results.invalid/t/5.html" << true;
        QTest::newRow("http") << "http://results.invalid/t/5.html" << true;
        QTest::newRow("file") << "file:///etc/passwd.html" << false;
        QTest::newRow("script") << "javascript:alert(1)//html" << false;
        QTest::newRow("no html") << "https://results.invalid/t/5" << false;
        QTest::newRow("plain words") << "see html page" << false;
        QTest::newRow("empty") << "" << false;
    }
    void resultats()
    {
        QFETCH(QString, texte);
        QFETCH(bool, ouvre);
        QCOMPARE(GM_TournamentClient::isResultsLink(texte), ouvre);
    }
    void lienCliquable()
    {
        Onglet o;
        NavigateurDeTest navigateur({QStringLiteral("https"), QStringLiteral("file")});
        QVERIFY(o.connecte());
        QTableWidget* passe = o.onglet.pastTable();
        for (int r = 0; r < passe->rowCount(); ++r)
            o.onglet.on_tableWidgetTournPast_itemClicked(passe->item(r, GM_TournamentClient::ColResults));
        QCOMPARE(navigateur.ouverts, (QList<QUrl>{QUrl(QStringLiteral("https://results.invalid/done.html"))}));
    }

    // The start-up options: an unknown command or tournament says so and
    // sends nothing; a known one registers.
    void ligneDeCommande_data()
    {
        QTest::addColumn<QString>("commande");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("titres");
        QTest::addColumn<QStringList>("envoye");
        QTest::newRow("unknown command") << "play" << "Planned" << QStringList{"Commande Inconnue"} << QStringList{};
        QTest::newRow("unknown tournament") << "register" << "Nope" << QStringList{"Tournoi Inconnu"} << QStringList{};
        QTest::newRow("barred tournament") << "register" << "Barred" << QStringList{"Tournoi Inconnu"} << QStringList{};
        QTest::newRow("register") << "register" << "Planned" << QStringList{} << QStringList{"Planned,1,,"};
    }
    void ligneDeCommande()
    {
        QFETCH(QString, commande);
        QFETCH(QString, id);
        QFETCH(QStringList, titres);
        QFETCH(QStringList, envoye);
        Onglet o;
        QVERIFY(o.connecte());
        o.onglet.executeCommand(commande, id);
        QTest::qWait(300);
        QStringList vus = o.titres();
        vus.removeAll(QStringLiteral("Tournoi en cours"));
        vus.removeAll(QStringLiteral("Echec"));
        QCOMPARE(vus, titres);
        QCOMPARE(o.tjo(), envoye);
        QCOMPARE(o.onglet.showOtherServersBox()->isChecked(), commande == QLatin1String("register"));
        QCOMPARE(o.onglet.selectTournament(QStringLiteral("Nope")), false);
    }

    // The tab as the user sees it (kept with ZB_KEEP_TEST_PICTURES=<folder>).
    void images()
    {
        Onglet o;
        QVERIFY(o.connecte());
        o.choisis("Running");
        o.onglet.resize(300, 420);
        o.onglet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&o.onglet));
        const QImage image = o.onglet.grab().toImage();
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        if (!dossier.isEmpty())
            QVERIFY(image.save(QDir(dossier).filePath(QStringLiteral("tournaments_tab.png"))));
        QVERIFY(!image.isNull());
    }
};

ZB_REGISTER_TEST(TestTournamentsTab)
#include "TestTournamentsTab.moc"
