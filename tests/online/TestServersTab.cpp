#include "GM_ClientSocket.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_ServerPass.h"
#include "GM_TablesList.h"
#include "LobbyDeTest.h"
#include "ZbTestRegistry.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

constexpr int Delai = 5000;

// Alice's lobby client with the servers tab and the shared password dialog
// as the lobby window wires them, on a test lobby with canned servers.
struct Onglet {
    LobbyDeTest lobby;
    GM_MessageBoxDisplayerHeadless afficheur;
    ProgressionDeTest progression;
    GM_ClientSocket client{QString(), nullptr, &progression, &afficheur};
    GM_ServerPass passe;
    GM_TablesList onglet;
    QSignalSpy choix{&onglet, &GM_TablesList::signalSelectedServerChanged};

    explicit Onglet(const QString& nomPublic = QStringLiteral("Jass Public"))
    {
        afficheur.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        lobby.demarre(true);
        lobby.serveur.setReponse("R7k", {QStringLiteral("Jass Public,Yes,10.0.0.1,11"),
                                         QStringLiteral("Jass Privé,No,10.0.0.2,12"),
                                         QStringLiteral("Belote Classique Public,Yes,10.0.0.3,21")});
        lobby.serveur.setReponse("SrS", {"11", "7", "3", "40", "12", "1", "0", "8"});
        lobby.serveur.setReponse("SrI", {QStringLiteral("123")});
        onglet.setMessageBoxDisplayer(&afficheur);
        onglet.init(&client, &passe, nomPublic);
    }
    bool connecte()
    {
        QSignalSpy pret(&client, &GM_ClientSocket::signalReady);
        client.connectForLogin(QString::fromLatin1(LobbyDeTest::EmailAlice),
                               QString::fromLatin1(LobbyDeTest::PasseAlice), true, true);
        return pret.wait(Delai);
    }
    // Refreshes and waits for the list and the first status.
    bool rempli()
    {
        const qsizetype avant = choix.size();
        onglet.OnRefresh();
        return QTest::qWaitFor([&] { return choix.size() > avant; }, Delai);
    }
    QStringList visibles() const
    {
        QStringList noms;
        for (int i = 0; i < onglet.serversTree()->topLevelItemCount(); ++i)
            if (!onglet.serversTree()->topLevelItem(i)->isHidden())
                noms << onglet.serversTree()->topLevelItem(i)->text(GM_TablesList::ColName);
        return noms;
    }
    QTreeWidgetItem* ligne(const QString& id) const
    {
        const auto l = onglet.serversTree()->findItems(id, Qt::MatchExactly, GM_TablesList::ColId);
        return l.isEmpty() ? nullptr : l.first();
    }
    QStringList adressesDemandees() const
    {
        QStringList a;
        for (const auto& r : lobby.serveur.recusDe("SA1"))
            a << r.champs.join(QLatin1Char(','));
        return a;
    }
    QStringList titres() const
    {
        QStringList t;
        for (const auto& a : afficheur.historique())
            t << a.requete.texte_;
        return t;
    }
};

QStringList amis(std::initializer_list<const char*> l)
{
    QStringList r;
    for (const char* e : l)
        r << QString::fromUtf8(e);
    return r;
}

} // namespace

class TestServersTab : public QObject
{
    Q_OBJECT

private slots:
    // The Ok rule of the password dialog, for every teammate mode.
    void okDuMotDePasse_data()
    {
        QTest::addColumn<bool>("montre");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("passe");
        QTest::addColumn<bool>("coche");
        QTest::addColumn<bool>("ok");
        QTest::newRow("2 characters") << true << 0 << "ab" << false << false;
        QTest::newRow("3 characters") << true << 0 << "abc" << false << true;
        QTest::newRow("hidden, no teammate") << false << 0 << "" << false << true;
        QTest::newRow("hidden, optional") << false << 1 << "" << false << true;
        QTest::newRow("required, none ticked") << false << 2 << "abcdef" << false << false;
        QTest::newRow("required, password shown, none") << true << 2 << "abcdef" << false << false;
        QTest::newRow("required, ticked") << false << 2 << "" << true << true;
        QTest::newRow("required, ticked, short password") << true << 2 << "ab" << true << false;
        QTest::newRow("mode out of range reads 0") << false << 7 << "" << false << true;
    }
    void okDuMotDePasse()
    {
        QFETCH(bool, montre);
        QFETCH(int, mode);
        QFETCH(QString, passe);
        QFETCH(bool, coche);
        QFETCH(bool, ok);
        GM_ServerPass d;
        d.mergeFriendList(amis({"15,7,Bob", "10,8,Carla"}));
        // Whatever the last request left in the shared dialog is gone.
        d.passwordEdit()->setText(QStringLiteral("earlier-server"));
        d.configure(montre, mode);
        QVERIFY(d.passwordEdit()->text().isEmpty());
        QCOMPARE(d.passwordEdit()->echoMode(), QLineEdit::Password);
        d.passwordEdit()->setText(passe);
        if (coche)
            d.teammateTree()->topLevelItem(0)->setCheckState(GM_ServerPass::ColTick, Qt::Checked);
        QCOMPARE(d.okButton()->isEnabled(), ok);
        QCOMPARE(d.teammate(), coche ? QStringLiteral("Bob") : QString());
    }

    // Teammates follow the friend lists: one tick at most, kept across a
    // status change, friends gone from the list removed, entries that are
    // no friend rows (status below 10, missing fields, no id) left out,
    // a friend listed twice shown once.
    void listeDesCoequipiers()
    {
        GM_ServerPass d;
        QSignalSpy fin(&d, &GM_ServerPass::signalFinished);
        d.configure(false, GM_ServerPass::TeammateRequired);
        QCOMPARE(d.teammateTree()->topLevelItemCount(), 1); // "Connection en cours..."
        d.mergeFriendList(amis({"10,7,Bob", "15,8,Carla", "9,9,Dan", "15,10", "15,,Nobody", "x,11,Eve",
                                "16,12,Fay", "16,12,Fay"}));
        QTreeWidget* t = d.teammateTree();
        const auto ami = [t](const char* id) {
            return t->findItems(QString::fromLatin1(id), Qt::MatchExactly, GM_ServerPass::ColId).value(0);
        };
        QCOMPARE(t->topLevelItemCount(), 3);
        QCOMPARE(ami("7")->text(GM_ServerPass::ColStatus), QStringLiteral("Hors Ligne"));
        QCOMPARE(ami("12")->text(GM_ServerPass::ColStatus), QStringLiteral("Occupé"));
        ami("8")->setCheckState(GM_ServerPass::ColTick, Qt::Checked);
        ami("7")->setCheckState(GM_ServerPass::ColTick, Qt::Checked);
        QCOMPARE(ami("8")->checkState(GM_ServerPass::ColTick), Qt::Unchecked);
        QCOMPARE(d.teammate(), QStringLiteral("Bob"));
        d.mergeFriendList(amis({"15,7,Bob", "15,8,Carla"}));
        QCOMPARE(t->topLevelItemCount(), 2);
        QCOMPARE(ami("7")->text(GM_ServerPass::ColStatus), QStringLiteral("En ligne"));
        QCOMPARE(ami("7")->checkState(GM_ServerPass::ColTick), Qt::Checked);
        QVERIFY(d.okButton()->isEnabled());
        d.OnOkPressed();
        QCOMPARE(fin.at(0), (QList<QVariant>{true, QString(), QStringLiteral("Bob")}));
        d.mergeFriendList({});
        QCOMPARE(t->topLevelItemCount(), 1);
        QCOMPARE(t->topLevelItem(0)->text(GM_ServerPass::ColTick), QStringLiteral("<Liste vide>"));
        QVERIFY(!d.okButton()->isEnabled());
    }

    // The list, the status of the current server, the players online, the
    // rule filter and the reselection after a refresh.
    void serveursEtTables()
    {
        Onglet o;
        QVERIFY(o.connecte());
        QVERIFY(o.rempli());
        QCOMPARE(o.visibles(), (QStringList{"Jass Privé", "Jass Public"}));
        QCOMPARE(o.onglet.serversTree()->currentItem(), o.ligne("11"));
        QCOMPARE(o.choix.last(), (QList<QVariant>{qint64(11), -1}));
        QCOMPARE(o.onglet.statusLabel()->text(), QStringLiteral("Tables Libres: 7\r\nTables Occupées: 3"));
        QCOMPARE(o.ligne("12")->text(GM_TablesList::ColPlaces), QStringLiteral("8 places"));
        QCOMPARE(o.ligne("21")->text(GM_TablesList::ColPlaces), QStringLiteral("40 places"));
        QTRY_COMPARE_WITH_TIMEOUT(o.onglet.onlineLabel()->text(), QStringLiteral("Joueurs en ligne: 123"), Delai);
        QVERIFY(!o.onglet.refreshButton()->isEnabled());
        o.onglet.showOtherServersBox()->setChecked(true);
        QCOMPARE(o.visibles().size(), 3);
        o.onglet.serversTree()->setCurrentItem(o.ligne("21"));
        o.lobby.serveur.setReponse("R7k", {QStringLiteral("Belote Classique Public,Yes,10.0.0.3,21"),
                                           QStringLiteral("<b>Jass</b> Public,Yes,10.0.0.9,11")});
        o.onglet.OnEnableRefresh();
        QVERIFY(o.rempli());
        QCOMPARE(o.onglet.serversTree()->currentItem(), o.ligne("21"));
        QCOMPARE(o.onglet.statusLabel()->textFormat(), Qt::PlainText);
        QCOMPARE(o.onglet.onlineLabel()->textFormat(), Qt::PlainText);
        o.client.disconnectFromServer();
        QTRY_COMPARE_WITH_TIMEOUT(o.onglet.serversTree()->topLevelItemCount(), 0, Delai);
        QVERIFY(!o.onglet.joinButton()->isEnabled());
    }

    // A status answer whose length is no multiple of four is refused with a
    // warning, and keeps the places shown; a well-formed one for an unknown
    // id changes no row.
    void statutInvalide()
    {
        Onglet o;
        QVERIFY(o.connecte());
        QVERIFY(o.rempli());
        const QStringList six{"11", "1", "1", "9", "12", "1"};
        emit o.client.signalMainGameServerStatus(&six);
        QCOMPARE(o.onglet.statusTextCount(), 0);
        QCOMPARE(o.ligne("11")->text(GM_TablesList::ColPlaces), QStringLiteral("40 places"));
        QTRY_COMPARE_WITH_TIMEOUT(o.titres(), QStringList{"Liste des serveurs invalide ou corrompue."}, Delai);
        const QStringList inconnu{"99", "1", "2", "3"};
        emit o.client.signalMainGameServerStatus(&inconnu);
        QCOMPARE(o.onglet.statusTextOf(99), QStringLiteral("Tables Libres: 1\r\nTables Occupées: 2"));
        QCOMPARE(o.ligne("11")->text(GM_TablesList::ColPlaces), QStringLiteral("40 places"));
    }

    // Joining: a plain server's address is asked at once; a protected
    // server's only when the user confirms the dialog, with what he typed;
    // Cancel asks nothing, and a later answer of the shared dialog (opened
    // by another tab) does not reach this one.
    void rejoindre_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("accepte");
        QTest::addColumn<QStringList>("demandes");
        QTest::newRow("plain server") << "11" << true << QStringList{"11,"};
        QTest::newRow("password, Ok") << "12" << true << QStringList{"12,s3cret"};
        QTest::newRow("password, Cancel") << "12" << false << QStringList{};
    }
    void rejoindre()
    {
        QFETCH(QString, id);
        QFETCH(bool, accepte);
        QFETCH(QStringList, demandes);
        Onglet o;
        QVERIFY(o.connecte());
        QVERIFY(o.rempli());
        o.lobby.serveur.effaceRecus();
        o.onglet.OnItemDoubleClicked(o.ligne(id), 0);
        if (id == QStringLiteral("12")) {
            QVERIFY(o.passe.isVisible());
            QTest::qWait(200);
            QCOMPARE(o.adressesDemandees(), QStringList{});
            o.passe.passwordEdit()->setText(QStringLiteral("s3cret"));
            accepte ? o.passe.OnOkPressed() : o.passe.OnCancelPressed();
            QVERIFY(!o.passe.isVisible());
        }
        if (!demandes.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(o.adressesDemandees(), demandes, Delai);
        o.passe.configure(true, GM_ServerPass::TeammateOptional);
        o.passe.OnOkPressed();
        QTest::qWait(300);
        QCOMPARE(o.adressesDemandees(), demandes);
        QCOMPARE(o.onglet.selectedServerName(), o.ligne(id)->text(GM_TablesList::ColName));
    }

    // Join follows the selection alone: every disconnection empties the
    // list, so whatever is on offer is a server of the session in force.
    void rejoindreSuitLaSelection()
    {
        Onglet o;
        const QStringList lignes{QStringLiteral("Jass Public,Yes,10.0.0.1,11")};
        o.onglet.OnServerListReceived(1, &lignes);
        QTRY_VERIFY_WITH_TIMEOUT(o.ligne("11") != nullptr, Delai);
        o.onglet.serversTree()->clearSelection();
        QVERIFY(!o.onglet.joinButton()->isEnabled());
        o.ligne("11")->setSelected(true);
        QVERIFY(o.onglet.joinButton()->isEnabled());
        o.ligne("11")->setSelected(false);
        QVERIFY(!o.onglet.joinButton()->isEnabled());
    }

    // A join while the lobby is busy waits for it, and stops waiting when
    // the lobby connection is lost.
    void rejoindreOccupe()
    {
        Onglet o;
        QVERIFY(o.connecte());
        QVERIFY(o.rempli());
        o.lobby.serveur.effaceRecus();
        o.lobby.serveur.setMuet(true);
        o.client.requestServerIpAndPort(QStringLiteral("21"), QString()); // no answer: busy
        QTRY_COMPARE_WITH_TIMEOUT(o.adressesDemandees(), QStringList{"21,"}, Delai);
        o.onglet.serversTree()->setCurrentItem(o.ligne("11"));
        o.onglet.OnJoin();
        QVERIFY(o.onglet.isJoinPending());
        QTest::qWait(300);
        QVERIFY(o.onglet.isJoinPending());
        QSignalSpy coupe(&o.client, &GM_ClientSocket::signalDisconnected);
        o.lobby.serveur.coupe(o.lobby.alice);
        QVERIFY(coupe.wait(Delai));
        QTRY_VERIFY_WITH_TIMEOUT(!o.onglet.isJoinPending(), Delai);
        QCOMPARE(o.adressesDemandees(), QStringList{"21,"});
    }

    // The tab as the user sees it, and the password dialog with teammates
    // (kept with ZB_KEEP_TEST_PICTURES=<folder>).
    void images()
    {
        Onglet o;
        QVERIFY(o.connecte());
        QVERIFY(o.rempli());
        QTRY_VERIFY_WITH_TIMEOUT(!o.onglet.onlineLabel()->text().isEmpty(), Delai);
        o.onglet.resize(260, 420);
        o.onglet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&o.onglet));
        const QImage onglet = o.onglet.grab().toImage();
        o.passe.mergeFriendList(amis({"15,7,Bob", "10,8,Carla", "16,9,Dan"}));
        o.passe.configure(true, GM_ServerPass::TeammateRequired);
        o.passe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&o.passe));
        const QImage dialogue = o.passe.grab().toImage();
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        if (!dossier.isEmpty()) {
            QVERIFY(onglet.save(QDir(dossier).filePath(QStringLiteral("servers_tab.png"))));
            QVERIFY(dialogue.save(QDir(dossier).filePath(QStringLiteral("server_password.png"))));
        }
        QVERIFY(!onglet.isNull() && !dialogue.isNull());
    }
};

ZB_REGISTER_TEST(TestServersTab)
#include "TestServersTab.moc"
