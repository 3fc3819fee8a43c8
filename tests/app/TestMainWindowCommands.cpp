#include "Carte.h"
#include "ClientSocket.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLScoreAnimText.h"
#include "Evenements.h"
#include "FormBugQuestionnaire.h"
#include "FormDebugOptions.h"
#include "GM_BanList.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "MachineDeJeu.h"
#include "MainWindowTestKit.h"
#include "PanelAtouts.h"
#include "PiegesDeFichiers.h"
#include "ServerView.h"
#include "ZB_ClientConnection.h"
#include "ZB_ClientDialogIp.h"
#include "ZB_MultiServer.h"
#include "ZB_RoomTable.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsProxyWidget>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace fenetretest;

namespace {

void ecrit(const QString& chemin, const QByteArray& contenu, const QDateTime& date)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenu);
    f.close();
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(date, QFileDevice::FileModificationTime));
}

// An unattended run that hosts over TCP on a port nobody holds (0 when the
// system gave none).
ZB_Settings hoteTcpSurPortLibre()
{
    QTcpServer sonde;
    ZB_Settings d = sansSurveillance();
    d.tcpsockets = true;
    d.port = sonde.listen(QHostAddress::LocalHost, 0) ? sonde.serverPort() : 0;
    return d;
}

// The in-scene dialogs on screen, by class name.
QStringList dialoguesVisibles(ZB_MainWidget& w)
{
    QStringList noms;
    for (QGraphicsProxyWidget* proxy : w.vue()->scene()->dialogues())
        if (proxy != nullptr && proxy->isVisible() && proxy->widget() != nullptr && proxy->widget()->isVisible())
            noms << QLatin1String(proxy->widget()->metaObject()->className());
    return noms;
}

} // namespace

// The main window's commands on a game: a start resumes the newer saved
// game, new games are dealt, files are saved, opened again or refused
// without harm, quitting asks while a game is hosted, hosting and joining
// go through the windows they open in the table; the tool windows and the
// bug report.
class TestMainWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    // The start-up resumes the newer of the autosave and the default game.
    void fichierDeReprise_data()
    {
        QTest::addColumn<int>("ageAutosave"); // seconds, -1: no file
        QTest::addColumn<int>("ageDefaut");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("neither") << -1 << -1 << QString();
        QTest::newRow("autosave only") << 10 << -1 << QStringLiteral("autosave.jss");
        QTest::newRow("default only") << -1 << 10 << QStringLiteral("default.jss");
        QTest::newRow("autosave newer") << 10 << 100 << QStringLiteral("autosave.jss");
        QTest::newRow("default newer") << 100 << 10 << QStringLiteral("default.jss");
    }
    void fichierDeReprise()
    {
        QFETCH(int, ageAutosave);
        QFETCH(int, ageDefaut);
        QFETCH(QString, attendu);
        QTemporaryDir dossier;
        const QDateTime maintenant = QDateTime::currentDateTime();
        if (ageAutosave >= 0)
            ecrit(dossier.filePath(QStringLiteral("autosave.jss")), "x", maintenant.addSecs(-ageAutosave));
        if (ageDefaut >= 0)
            ecrit(dossier.filePath(QStringLiteral("default.jss")), "x", maintenant.addSecs(-ageDefaut));
        const QString trouve = ZB_MainWidget::fichierDeReprise(dossier.path());
        QCOMPARE(QFileInfo(trouve).fileName(), attendu);
    }

    // Quitting in the middle of a deal saves it; the next start resumes it:
    // every card played before goes on as played.
    void quitterPuisReprendre()
    {
        QTemporaryDir dossier;
        QStringList avant;
        {
            ZB_MainWidget w(accompagne(), dossier.path());
            ordinateurPartout(w);
            w.demarre();
            QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 6; }, 60000));
            QSignalSpy quitter(&w, &ZB_MainWidget::signalQuitter);
            // Closing the window asks the main window, which quits.
            w.vue()->close();
            QTRY_COMPARE(quitter.size(), 1);
            QVERIFY(w.isQuitDemande());
            QFile autosave(dossier.filePath(QStringLiteral("autosave.jss")));
            QVERIFY(autosave.open(QIODevice::ReadOnly));
            avant = cartesJouees(QString::fromUtf8(autosave.readAll()));
        }
        QVERIFY(avant.size() >= 6);
        ZB_MainWidget w(accompagne(), dossier.path());
        ordinateurPartout(w);
        w.demarre();
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() > avant.size(); }, 60000));
        QCOMPARE(cartesJouees(record(w)).mid(0, avant.size()), avant);
    }

    // Two copies on one data folder. A plays a little and hangs (its user
    // stops playing); B starts, resumes A's game, plays on and quits; A
    // quits: B's game stays the autosave, which the next start resumes, and
    // A's goes to a file beside it that A's box names.
    void copieEnRetard()
    {
        QTemporaryDir dossier;
        const QString autosave = dossier.filePath(QStringLiteral("autosave.jss"));
        const auto cartesSauvees = [&autosave] {
            QFile f(autosave);
            return f.open(QIODevice::ReadOnly) ? cartesJouees(QString::fromUtf8(f.readAll())) : QStringList();
        };
        ZB_MainWidget a(accompagne(), dossier.path());
        ordinateurPartout(a);
        a.demarre();
        QVERIFY(attend([&] { return cartesJouees(record(a)).size() >= 9; }, 60000));
        a.vue()->setModeAffichage(ZB_MainWidget::MODE_AFFICHAGE_NORMAL, false);
        auto* panneauA = dynamic_cast<DisplayGLPanelDeJoueur*>(a.vue()->getPanelDeJoueur(0));
        QVERIFY(panneauA != nullptr);
        // A waits for its user, its game saved.
        QVERIFY(attend([&] {
            return (panneauA->isCarteDemandee() || panneauA->isChoixAtoutOuvert())
                && cartesSauvees() == cartesJouees(record(a));
        }, 60000));
        const QStringList deA = cartesJouees(record(a));
        {
            ZB_MainWidget b(accompagne(), dossier.path());
            ordinateurPartout(b);
            b.demarre();
            QVERIFY(attend([&] { return cartesJouees(record(b)).size() >= deA.size() + 29; }, 60000));
            QSignalSpy quitter(&b, &ZB_MainWidget::signalQuitter);
            b.vue()->close();
            QTRY_COMPARE(quitter.size(), 1);
        }
        // Its window gone, as the program ends.
        const QStringList deB = cartesSauvees();
        QCOMPARE(deB.mid(0, deA.size()), deA);
        QVERIFY(deB.size() > deA.size());

        // A's quit waits for the box that says where its game went.
        a.vue()->scene()->setAutoAnswer(false);
        QSignalSpy quitter(&a, &ZB_MainWidget::signalQuitter);
        a.vue()->close();
        QTRY_VERIFY(!a.salle()->getCheminALEcart().isEmpty());
        const QString aside = a.salle()->getCheminALEcart();
        QTRY_VERIFY(a.vue()->scene()->historiqueBoites().join(QLatin1Char('\n')).contains(QFileInfo(aside).fileName()));
        QCOMPARE(quitter.size(), 0);
        a.vue()->scene()->OnMessageBoxAccepted_Timer();
        QTRY_COMPARE(quitter.size(), 1);
        QCOMPARE(cartesSauvees(), deB);
        QFile f(aside);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(aside));
        QCOMPARE(cartesJouees(QString::fromUtf8(f.readAll())), deA);

        ZB_MainWidget suivant(accompagne(), dossier.path());
        ordinateurPartout(suivant);
        suivant.demarre();
        QVERIFY(attend([&] { return cartesJouees(record(suivant)).size() > deB.size(); }, 60000));
        QCOMPARE(cartesJouees(record(suivant)).mid(0, deB.size()), deB);
    }

    // New games and new winning games of both games are dealt and played.
    void nouvellesParties_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<bool>("gagnante");
        QTest::newRow("jass") << 0 << false;
        QTest::newRow("jass, winning") << 0 << true;
        QTest::newRow("belote contree") << 8 << false;
        QTest::newRow("belote classique, winning") << 6 << true;
    }
    void nouvellesParties()
    {
        QFETCH(int, preset);
        QFETCH(bool, gagnante);
        QTemporaryDir dossier;
        ZB_MainWidget w(sansSurveillance(), dossier.path());
        w.userChoseGameType(preset);
        if (gagnante)
            w.OnNouvellePartieGagnante();
        else
            w.OnNouvellePartie();
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 8; }, 60000));
        QCOMPARE(w.salle()->getOptions().idPreset_, preset);
    }

    // A file that does not read is refused with a message; the game on the
    // table and the autosave stay as they were.
    void fichierIllisible_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a game") << QByteArray("Bonjour\r\n");
        QTest::newRow("broken record") << QByteArray("3\r\n{InP!{0!0!\r\n{Ajo!{\r\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe{{{{", 8);
    }
    void fichierIllisible()
    {
        QFETCH(QByteArray, contenu);
        QTemporaryDir dossier;
        const QString autosave = dossier.filePath(QStringLiteral("autosave.jss"));
        ZB_MainWidget w(sansSurveillance(), dossier.path());
        w.OnNouvellePartie();
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 1; }, 60000));
        QVERIFY(w.salle()->needsSave());
        w.salle()->saveToFile();
        QFile f(autosave);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray sauve = f.readAll();
        f.close();

        const QString chemin = dossier.filePath(QStringLiteral("partie.jss"));
        if (!contenu.isEmpty()) {
            QFile p(chemin);
            QVERIFY(p.open(QIODevice::WriteOnly));
            p.write(contenu);
        }
        // The box is shown, not answered unseen, so that it can be read.
        w.vue()->scene()->setAutoAnswer(false);
        const int boites = w.vue()->scene()->historiqueBoites().size();
        QVERIFY(!w.ouvreFichier(chemin, ZB_Room::OuvreFichier));
        QTRY_VERIFY(w.vue()->scene()->historiqueBoites().size() > boites);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), sauve);
    }

    // A game left at the last quit that no longer reads is kept aside, byte
    // for byte, before the new game that replaces it writes its autosave;
    // the box says where. Aside is a name where nothing is, not a link to
    // nothing, which would take the game where it points.
    void repriseAbimeeGardee()
    {
        QTemporaryDir dossier;
        QTemporaryDir ailleurs;
        const QByteArray abimee("3\r\n{InP!{0!0!\r\n{Ajo!{\r\n");
        ecrit(dossier.filePath(QStringLiteral("autosave.jss")), abimee, QDateTime::currentDateTime());
        QVERIFY(liensPendants(dossier.path(), QStringLiteral("'autosave-abime-'yyyyMMdd-HHmmss'.jss'"), ailleurs.path()));
        ZB_MainWidget w(accompagne(), dossier.path());
        w.vue()->scene()->setAutoAnswer(false);
        w.demarre();
        QTRY_VERIFY(!w.vue()->scene()->historiqueBoites().isEmpty());
        const QStringList copies =
            QDir(dossier.path()).entryList({QStringLiteral("autosave-abime-*.jss")}, QDir::Files | QDir::NoSymLinks);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(QDir(ailleurs.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QFile copie(dossier.filePath(copies.first()));
        QVERIFY(copie.open(QIODevice::ReadOnly));
        QCOMPARE(copie.readAll(), abimee);
        QVERIFY2(w.vue()->scene()->historiqueBoites().last().contains(copies.first()),
                 qPrintable(w.vue()->scene()->historiqueBoites().join(QLatin1Char('|'))));
        // The new game is on the table.
        QVERIFY(w.tableAffichee() != nullptr);
    }

    // Saved as, then opened again: the same cards, the same scores.
    void enregistrerPuisOuvrir()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("sauvee.jss"));
        QStringList cartes;
        {
            ZB_MainWidget w(sansSurveillance(), dossier.path());
            w.OnNouvellePartie();
            QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 4; }, 60000));
            w.enregistreSous(chemin);
            QVERIFY(QFileInfo(chemin).isFile());
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::ReadOnly));
            cartes = cartesJouees(QString::fromUtf8(f.readAll()));
        }
        // An unattended run with a game in progress leaves no autosave.
        QVERIFY(!QFileInfo::exists(dossier.filePath(QStringLiteral("autosave.jss"))));
        ZB_MainWidget w(sansSurveillance(), dossier.path());
        QVERIFY(w.ouvreFichier(chemin, ZB_Room::OuvreFichier));
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= cartes.size(); }, 60000));
        QCOMPARE(cartesJouees(record(w)).mid(0, cartes.size()), cartes);
    }

    // Every command a player expects is in the menus; the bug report holds
    // the game record and escapes the user's words.
    void menusEtRapport()
    {
        QTemporaryDir dossier;
        ZB_MainWidget w(sansSurveillance(), dossier.path());
        for (const char* nom : {"nouvelle", "gagnante", "ouvrir", "enregistrer", "enregistrerSous", "annuler",
                                "refaire", "quitter", "heberger", "rejoindre", "sons", "bug", "langue_en",
                                "langue_de", "type0", "type8"})
            QVERIFY2(w.action(QLatin1String(nom)) != nullptr, nom);
        QCOMPARE(w.vue()->menuBar(), w.barreMenus());
        // The menus and the table's buttons follow a change of language.
        QCOMPARE(w.action(QStringLiteral("nouvelle"))->text(), QStringLiteral("&Nouvelle partie"));
        w.action(QStringLiteral("langue_de"))->trigger();
        QCOMPARE(w.action(QStringLiteral("nouvelle"))->text(), QStringLiteral("&Neues Spiel"));
        QCOMPARE(w.action(QStringLiteral("quitterEnLigne"))->text(), QStringLiteral("Online-Spiel &verlassen"));
        auto* bouton = w.vue()->scene()->dialogueReglages()->contenu()->findChild<QPushButton*>(
            QStringLiteral("bouton_nouvelle"));
        QVERIFY(bouton != nullptr);
        QCOMPARE(bouton->text(), QStringLiteral("Neues Spiel"));
        w.action(QStringLiteral("langue_fr"))->trigger();
        QCOMPARE(bouton->text(), QStringLiteral("Nouvelle partie"));
        w.action(QStringLiteral("type8"))->trigger();
        QCOMPARE(w.optionsDePartie().idPreset_, 8);
        w.action(QStringLiteral("type0"))->trigger();
        w.OnNouvellePartie();
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 1; }, 60000));
        const QString rapport = w.documentRapportBug(QStringLiteral("<b>carte & pli</b>"));
        QVERIFY(rapport.contains(QStringLiteral("&lt;b&gt;carte &amp; pli&lt;/b&gt;")));
        QVERIFY(rapport.contains(QStringLiteral("{InP!")));
        // The menu asks the questionnaire first, as the table's bug button.
        w.OnBugReport();
        QVERIFY(w.dernierRapport().isEmpty());
        QTRY_VERIFY(w.questionnaireBug()->isVisible());
        w.questionnaireBug()->getBoutonEnvoyer()->click();
        QTRY_VERIFY(!w.dernierRapport().isEmpty());
        QVERIFY(w.dernierRapport().startsWith(dossier.path()));
        QVERIFY(QFileInfo(w.dernierRapport()).size() > 0);
    }

    // Quitting while hosting asks first; Cancel keeps the program. Leaving
    // the online game brings a local one back; quitting then ends.
    void quitterEnLigneDemandeConfirmation()
    {
        QTemporaryDir dossier;
        const ZB_Settings d = hoteTcpSurPortLibre();
        QVERIFY(d.port != 0);
        ZB_MainWidget w(d, dossier.path());
        w.OnHeberger();
        QVERIFY(w.serveur()->isListening());
        QVERIFY(w.salle()->estEnLigne());
        w.vue()->scene()->setAutoAnswer(false);
        QSignalSpy quitter(&w, &ZB_MainWidget::signalQuitter);
        w.OnQuitter();
        QTRY_VERIFY(w.vue()->scene()->historiqueBoites().join(QLatin1Char('\n')).contains(
            QStringLiteral("Une partie réseau est en cours")));
        QCOMPARE(quitter.size(), 0);
        w.OnQuitter_Reponse(GM::Cancel);
        QCOMPARE(quitter.size(), 0);
        // Online, a game is left on purpose only: the commands that would
        // start another are off, leaving is on.
        QVERIFY(!w.action(QStringLiteral("nouvelle"))->isEnabled());
        QVERIFY(!w.action(QStringLiteral("ouvrir"))->isEnabled());
        QVERIFY(w.action(QStringLiteral("quitterEnLigne"))->isEnabled());
        w.OnQuitterEnLigne_Reponse(GM::Ok);
        QVERIFY(!w.salle()->estEnLigne());
        QVERIFY(!w.serveur()->isListening());
        QVERIFY(w.action(QStringLiteral("nouvelle"))->isEnabled());
        QVERIFY(!w.action(QStringLiteral("quitterEnLigne"))->isEnabled());
        QCOMPARE(quitter.size(), 0);
        w.OnQuitter_Reponse(GM::Ok);
        QCOMPARE(quitter.size(), 1);
    }

    // The server view closes and comes back from Network > Game server
    // while hosting; stopping the server ends the session as leaving it
    // does: the ports close and the commands of a local game come back.
    void vueServeurFermeeRevientPuisArret()
    {
        QTemporaryDir dossier;
        const ZB_Settings d = hoteTcpSurPortLibre();
        QVERIFY(d.port != 0);
        ZB_MainWidget w(d, dossier.path());
        w.OnHeberger();
        QAction* vue = w.action(QStringLiteral("vueServeur"));
        QVERIFY(vue != nullptr && vue->isEnabled());
        QTRY_COMPARE(dialoguesVisibles(w), QStringList{QStringLiteral("ServerView")});
        w.vueServeur()->getBoutonFermer()->click();
        QTRY_VERIFY(dialoguesVisibles(w).isEmpty());
        QVERIFY(w.serveur()->isListening());
        QVERIFY(w.salle()->estEnLigne());
        vue->trigger();
        QTRY_COMPARE(dialoguesVisibles(w), QStringList{QStringLiteral("ServerView")});
        QVERIFY(w.vueServeur()->getTexteAdresses().contains(QString::number(d.port)));
        w.vueServeur()->getBoutonArreter()->click();
        QTRY_VERIFY(dialoguesVisibles(w).isEmpty());
        QVERIFY(!w.salle()->estEnLigne());
        QVERIFY(!w.serveur()->isListening());
        for (const char* nom : {"nouvelle", "ouvrir", "heberger", "rejoindre"})
            QVERIFY2(w.action(QLatin1String(nom))->isEnabled(), nom);
        QVERIFY(!vue->isEnabled());
        QVERIFY(!w.action(QStringLiteral("quitterEnLigne"))->isEnabled());
    }

    // Join: the address window opens in the table with the session's port;
    // its answer connects to the address and port typed.
    void rejoindre()
    {
        QTcpServer hote;
        QVERIFY(hote.listen(QHostAddress::LocalHost, 0));
        QTcpServer autre;
        QVERIFY(autre.listen(QHostAddress::LocalHost, 0));
        QTemporaryDir dossier;
        ZB_Settings d = sansSurveillance();
        d.tcpsockets = true;
        d.port = autre.serverPort();
        ZB_MainWidget w(d, dossier.path());
        w.OnNouvellePartie();
        w.OnRejoindre();
        ZB_ClientDialogIp* fenetre = nullptr;
        for (QGraphicsProxyWidget* proxy : w.vue()->scene()->dialogues())
            if (proxy->isVisible())
                fenetre = qobject_cast<ZB_ClientDialogIp*>(proxy->widget());
        QVERIFY(fenetre != nullptr);
        QCOMPARE(fenetre->getPort(), autre.serverPort());
        fenetre->setIp(QStringLiteral("127.0.0.1"));
        fenetre->setPort(hote.serverPort());
        QTest::keyClick(fenetre->getLineEdit(), Qt::Key_Return);
        QVERIFY(hote.waitForNewConnection(10000));
        QVERIFY(!autre.hasPendingConnections());
        QVERIFY(w.salle()->getClientSocket() != nullptr);
        // The connection reports to the status window in the table.
        QVERIFY(w.fenetreConnexion() != nullptr);
        QCOMPARE(w.salle()->getFenetreConnexion(), w.fenetreConnexion());
        QCOMPARE(w.salle()->getClientSocket()->getStatut(), static_cast<ZB_StatutConnexionA*>(w.fenetreConnexion()));
    }

    // A join that fails (nobody serves the port) leaves no online game
    // behind: the local game the user had comes back as it was and goes
    // on, with the commands of a local game and the user's seat below;
    // also when it was not saved yet (the user not asked since it began),
    // the autosave holding an older game.
    void rejoindreEchoueRendLeJeuLocal_data()
    {
        QTest::addColumn<bool>("sauvee");
        QTest::newRow("saved") << true;
        QTest::newRow("not saved since it began") << false;
    }
    void rejoindreEchoueRendLeJeuLocal()
    {
        QFETCH(bool, sauvee);
        quint16 portFerme = 0;
        {
            QTcpServer temporaire;
            QVERIFY(temporaire.listen(QHostAddress::LocalHost, 0));
            portFerme = temporaire.serverPort();
        }
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        ordinateurPartout(w);
        w.OnNouvellePartie();
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 3; }, 30000));
        w.salle()->saveToFile();
        if (!sauvee) {
            // The computer plays the user's seat: nothing saves the game
            // that follows.
            w.OnNouvellePartie();
            QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 3; }, 30000));
        }
        const QStringList avant = cartesJouees(record(w));
        w.rejoint(QStringLiteral("127.0.0.1"), portFerme);
        QVERIFY(w.salle()->estEnLigne());
        QVERIFY(attend([&] { return !w.salle()->estEnLigne(); }, 20000));
        for (const char* nom : {"nouvelle", "ouvrir", "heberger", "rejoindre"})
            QVERIFY2(w.action(QLatin1String(nom))->isEnabled(), nom);
        QVERIFY(!w.action(QStringLiteral("quitterEnLigne"))->isEnabled());
        QCOMPARE(w.vue()->scene()->siegeBas(), 0);
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() > avant.size(); }, 30000));
        QCOMPARE(cartesJouees(record(w)).mid(0, avant.size()), avant);
    }

    // The user plays a local game, tries a port where nobody hosts and,
    // the local game back (replayed from the autosave, then asking the user
    // for a card), joins a host: the online table is the host's alone. The user sits where the host placed it, is shown its
    // own seat's hand and requests only, and plays the deal through; the
    // client's record is the host's, nothing of the local game in it.
    void rejoindreApresUnEchec()
    {
        Machine hote(Tcp);
        GM_BanList bans;
        ZB_MultiServer serveur(nullptr, 0, QList<ZB_Room*>{hote.salle.get()}, &bans);
        QVERIFY(serveur.ecoute(QHostAddress::LocalHost, 0, 0, 0));
        int mode = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionServeur;
        hote.salle->reponse_Depart(&mode, &session, optionsJass(), QString(), QStringLiteral("hote"),
                                   serveur.getPortWebSecure(), serveur.getPortWebUnsecure(), serveur.getPortTcp(), 0,
                                   false, {}, -1);
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        DisplayGLScene* scene = w.vue()->scene();
        scene->setAutoAnswer(true);
        scene->setFacteurDurees(0.1);

        // The user's seat is the bottom one; its requests are answered as a
        // person does, through the panel and the cards, while `joue` holds.
        // Online, once the client has its seat, what the screen shows is
        // checked at every look.
        bool joue = true;
        int siegeEnLigne = -1;
        QStringList ecarts;
        QTimer personne;
        connect(&personne, &QTimer::timeout, this, [&] {
            ZB_RoomTable* table = w.salle()->getTable(-1);
            if (table == nullptr)
                return;
            if (siegeEnLigne >= 0 && w.salle()->estEnLigne() && !table->getPartie().isNull()) {
                if (scene->siegeBas() != siegeEnLigne)
                    ecarts << QStringLiteral("bottom seat %1, not %2").arg(scene->siegeBas()).arg(siegeEnLigne);
                for (int s = 0; s < 4; ++s) {
                    const auto* autre = dynamic_cast<DisplayGLPanelDeJoueur*>(w.vue()->getPanelDeJoueur(s));
                    if (s != siegeEnLigne && autre != nullptr && autre->estAffiche())
                        ecarts << QStringLiteral("seat %1 shown to the user").arg(s);
                }
            }
            const int siege = scene->siegeBas();
            JoueurHumain* joueur = table->getJoueur(siege);
            auto* panneau = dynamic_cast<DisplayGLPanelDeJoueur*>(w.vue()->getPanelDeJoueur(siege));
            if (!joue || joueur == nullptr || panneau == nullptr || !joueur->estJoueurManuel())
                return;
            if (joueur->estFinDePartieEnCours()) {
                joueur->OnTimeoutFinDePartie();
            } else if (panneau->isChoixAtoutOuvert()) {
                for (QAbstractButton* b : scene->panelAtouts()->findChildren<QAbstractButton*>())
                    if (b->objectName().startsWith(QLatin1String("buttonAtout_")) && b->isVisibleTo(scene->panelAtouts())
                        && b->isEnabled()) {
                        QTest::mouseClick(b, Qt::LeftButton);
                        return;
                    }
            } else if (panneau->isCarteDemandee()) {
                // The hand shown is the seat's own, every card of it.
                QSet<int> montrees;
                QSet<int> tenues;
                for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i) {
                    const DisplayGLHumanCarte* sprite = scene->jeuDeCartes().getCarte(i);
                    if (sprite != nullptr && sprite->getState() != DisplayGLHumanCarte::Cachee)
                        montrees.insert(i);
                }
                for (const Carte* carte : joueur->main_)
                    tenues.insert(carte->getIndex());
                if (montrees != tenues && siegeEnLigne >= 0 && w.salle()->estEnLigne())
                    ecarts << QStringLiteral("hand of %1 cards shown for %2 held").arg(montrees.size()).arg(tenues.size());
                scene->OnDebugTest();
            } else if (panneau->attente() != DisplayGLPanelDeJoueur::AttenteAucune) {
                panneau->executeAttente();
            }
        });
        personne.start(10);
        auto carteDemandee = [&] {
            const int siege = scene->siegeBas();
            auto* panneau = dynamic_cast<DisplayGLPanelDeJoueur*>(w.vue()->getPanelDeJoueur(siege));
            return panneau != nullptr && panneau->isCarteDemandee();
        };

        w.OnNouvellePartie();
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 6; }, 30000));
        quint16 portFerme = 0;
        {
            QTcpServer temporaire;
            QVERIFY(temporaire.listen(QHostAddress::LocalHost, 0));
            portFerme = temporaire.serverPort();
        }
        w.rejoint(QStringLiteral("127.0.0.1"), portFerme);
        QVERIFY(attend([&] { return !w.salle()->estEnLigne(); }, 20000));
        const qsizetype avant = cartesJouees(record(w)).size();
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() > avant; }, 30000));
        joue = false;
        QVERIFY(attend(carteDemandee, 30000));

        w.rejoint(QStringLiteral("127.0.0.1"), serveur.getPortTcp());
        QVERIFY(attend([&] { return hote.salle->getServer()->getJoueurs().size() == 1; }, 20000));
        hote.salle->getServerView()->OnDemarrer();
        ZB_RoomTable* tableHote = hote.salle->getTable(-1);
        QVERIFY(attend([&] {
            for (int s = 0; s < 4; ++s)
                if (tableHote->getJoueur(s)->options_.id_ == w.salle()->getIdJoueur())
                    siegeEnLigne = s;
            return siegeEnLigne > 0;
        }, 20000));
        joue = true;
        // Into the second deal, the user's seat played by the user.
        ListeDesEvenements* client = w.salle()->getListe(-1);
        QVERIFY2(attend([&] { return coups(*hote.liste()).size() >= 85; }, 120000),
                 qPrintable(QStringLiteral("host in state %1, client in state %2; %3")
                                .arg(hote.liste()->getEtatAttendu())
                                .arg(client->getEtatAttendu())
                                .arg(ecarts.join(QLatin1String(", ")))));
        QVERIFY(attend([&] { return coups(*client).size() >= 85; }, 20000));
        QCOMPARE(coups(*client).mid(0, 85), coups(*hote.liste()).mid(0, 85));
        QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts.join(QLatin1String(", "))));
    }

    // Each menu command opens its own window in the table, and only it.
    void commandesOuvrentLeurDialogue_data()
    {
        QTest::addColumn<QString>("commande");
        QTest::addColumn<QString>("classe");
        QTest::newRow("options") << QStringLiteral("options") << QStringLiteral("OptionsPartie");
        QTest::newRow("about") << QStringLiteral("aPropos") << QStringLiteral("ZB_About");
        QTest::newRow("join") << QStringLiteral("rejoindre") << QStringLiteral("ZB_ClientDialogIp");
        QTest::newRow("host") << QStringLiteral("heberger") << QStringLiteral("ServerView");
    }
    void commandesOuvrentLeurDialogue()
    {
        QFETCH(QString, commande);
        QFETCH(QString, classe);
        QTemporaryDir dossier;
        const ZB_Settings d = hoteTcpSurPortLibre();
        QVERIFY(d.port != 0);
        ZB_MainWidget w(d, dossier.path());
        QVERIFY(dialoguesVisibles(w).isEmpty());
        // A window opened first is replaced, not stacked under (a game
        // hosted leaves the dialogs as they are).
        if (commande != QLatin1String("heberger"))
            w.action(QStringLiteral("aPropos"))->trigger();
        QAction* a = w.action(commande);
        QVERIFY2(a != nullptr, qPrintable(commande));
        a->trigger();
        QTRY_COMPARE(dialoguesVisibles(w), QStringList{classe});
        // Hosting shows the main window's server view, the one the scene
        // holds: the room makes none of its own.
        if (commande == QLatin1String("heberger")) {
            QCOMPARE(w.salle()->getServerView(), w.vueServeur());
            w.OnQuitterEnLigne_Reponse(GM::Ok);
            return;
        }
        // Esc closes it, as it closes a window.
        QTest::keyClick(w.vue(), Qt::Key_Escape);
        QTRY_VERIFY(dialoguesVisibles(w).isEmpty());
    }

    // The event window follows its menu command; the bug questionnaire comes
    // after the bug button's picture, empty, with the support note, and its
    // answers go into the report it writes.
    void fenetresOutils()
    {
        QTemporaryDir dossier;
        ZB_MainWidget w(sansSurveillance(), dossier.path());
        w.OnNouvellePartie();
        QAction* evenements = w.action(QStringLiteral("evenements"));
        QVERIFY(evenements != nullptr);
        evenements->setChecked(true);
        QVERIFY(w.salle()->getFenetreEvenements() != nullptr);
        QVERIFY(w.salle()->getFenetreEvenements()->isVisible());
        evenements->setChecked(false);
        QVERIFY(w.salle()->getFenetreEvenements() == nullptr);

        FormBugQuestionnaire* q = w.questionnaireBug();
        for (int fois = 0; fois < 2; ++fois) {
            w.vue()->scene()->demandeCapture(DisplayGLScene::CaptureBug);
            w.vue()->scene()->PortableGrabFrameBuffer_Completed(QImage(64, 48, QImage::Format_RGB32));
            QTRY_VERIFY(dialoguesVisibles(w).contains(QStringLiteral("FormBugQuestionnaire")));
            QVERIFY(q->getQuoi()->toPlainText().isEmpty());
            QVERIFY(q->getLabelContact()->text().contains(QStringLiteral("mailto:")));
            q->getQuoi()->setPlainText(QStringLiteral("L'atout <%1> a disparu").arg(fois));
            const QString avant = w.dernierRapport();
            q->getBoutonEnvoyer()->click();
            QVERIFY(w.dernierRapport() != avant);
        }
        // Held long, the bug button opens the debug options, whose switch
        // changes how the table is drawn.
        qint64 maintenant = 0;
        DisplayGLScene* scene = w.vue()->scene();
        scene->setHorlogeBug([&maintenant] { return maintenant; });
        scene->OnBugPressed();
        maintenant = DisplayGLScene::DUREE_APPUI_CAPTURE_MS + 1;
        scene->OnBug();
        QTRY_VERIFY(dialoguesVisibles(w).contains(QStringLiteral("FormDebugOptions")));
        const QGraphicsItem::CacheMode avantMode = scene->lignesArdoise()[0]->cacheMode();
        w.formulaireDebug()->getBoutonModeAffichage()->click();
        QVERIFY(scene->lignesArdoise()[0]->cacheMode() != avantMode);
        // Its demonstration runs over the table, the form out of the way.
        scene->stopAnimationsAndCloseDialogs();
        scene->OnBugPressed();
        maintenant += DisplayGLScene::DUREE_APPUI_CAPTURE_MS + 1;
        scene->OnBug();
        QTRY_VERIFY(dialoguesVisibles(w).contains(QStringLiteral("FormDebugOptions")));
        w.formulaireDebug()->getBoutonMessages()->click();
        QVERIFY(!dialoguesVisibles(w).contains(QStringLiteral("FormDebugOptions")));
        const auto& lignes = scene->animationsMessage();
        QVERIFY(std::any_of(lignes.begin(), lignes.end(), [](const auto& ligne) {
            return ligne->texte()->toPlainText().contains(QStringLiteral("pour tester les messages réseau."));
        }));

        const QString rapport = w.documentRapportBug(q->reponses());
        QVERIFY(q->isHidden());
        QVERIFY(rapport.contains(QStringLiteral("&lt;1&gt; a disparu")));

        // A report cancelled, by its button or by Esc, leaves nothing
        // behind: its picture goes with it. A new game or the back key only
        // hides it. The keys come to the window in front, as a person's do.
        w.vue()->show();
        w.vue()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.vue()));
        for (int fois = 0; fois < 4; ++fois) {
            scene->demandeCapture(DisplayGLScene::CaptureBug);
            QTRY_VERIFY(q->isVisible());
            const QString image = scene->dernierFichierCapture();
            QVERIFY2(QFileInfo::exists(image), qPrintable(image));
            if (fois == 0)
                q->getBoutonAnnuler()->click();
            else if (fois == 1)
                QTest::keyClick(w.vue(), Qt::Key_Escape);
            else if (fois == 2)
                w.OnNouvellePartie();
            else
                QTest::keyClick(w.vue(), Qt::Key_MediaPrevious);
            QTRY_VERIFY2(!q->isVisible(), qPrintable(QString::number(fois)));
            QVERIFY2(QFileInfo::exists(image) == (fois >= 2), qPrintable(image));
        }
    }
};

ZB_REGISTER_TEST(TestMainWindowCommands)
#include "TestMainWindowCommands.moc"
