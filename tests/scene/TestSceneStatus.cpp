#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "GL_ObjectSquare.h"
#include "GM_WidgetAutoRound.h"
#include "OptionsDuJoueur.h"
#include "SalonDeScene.h"
#include "ZB_PointsJass.h"
#include "ZbTestRegistry.h"
#include "ui_MessageBoxGl.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

using namespace aitest;
using namespace scenetest;

// What the status line asks of the local human, state by state, and the
// help behind it: the advice searched in the background, the help box's
// explanation, the temporary texts and notices over the table, a language
// change and the marks of an online game.
class TestSceneStatus : public QObject
{
    Q_OBJECT

private slots:
    // What the status line asks, state by state; prompts to the local human
    // also enable help where there is help and vibrate. A state that waits
    // for nobody's click (announcements, an automatic collect) says so, so
    // that no earlier seat's turn stays on the line.
    void statusFollowsTheState_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<bool>("suiteAuto");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("acteur");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("noJoueur");
        QTest::addColumn<bool>("impose");
        QTest::addColumn<int>("prochain");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<bool>("aide");
        QTest::addColumn<bool>("vibre");
        QTest::addColumn<bool>("timerAuto");
        const QString patientez = QStringLiteral("Patientez...");
        // belote, auto, code, actor, second, seat, imposed, next to play
        QTest::newRow("inscription") << false << false << 2 << AUCUN << AUCUN << AUCUN << false << 0 << QString()
                                     << false << false << false;
        QTest::newRow("deal, click") << false << false << 7 << AUCUN << AUCUN << AUCUN << false << 0
                                     << QStringLiteral("Cliquez pour distribuer.") << true << true << false;
        QTest::newRow("deal, automatic") << false << true << 8 << AUCUN << AUCUN << AUCUN << false << 0 << patientez
                                         << true << false << true;
        QTest::newRow("bid, here") << true << false << 11 << AUCUN << AUCUN << 0 << false << 0
                                   << QStringLiteral("Choisissez la mise.") << true << true << false;
        QTest::newRow("bid, other seat") << true << false << 16 << AUCUN << AUCUN << 1 << false << 0
                                         << QStringLiteral("\u2068IA1\u2069 choisit la mise...") << false << false << false;
        QTest::newRow("bid, seat outside the table") << true << false << 12 << AUCUN << AUCUN << 7 << false << 0
                                                     << patientez << false << false << false;
        QTest::newRow("bid, no seat") << true << false << 12 << AUCUN << AUCUN << -1 << false << 0 << patientez
                                      << false << false << false;
        QTest::newRow("trump, here") << false << false << 27 << 0 << AUCUN << 0 << false << 0
                                     << QStringLiteral("Choisissez l'atout.") << true << true << false;
        QTest::newRow("trump, imposed") << false << false << 27 << 0 << AUCUN << 0 << true << 0 << patientez << false
                                        << false << false;
        QTest::newRow("trump, other seat") << false << false << 27 << 1 << AUCUN << 1 << false << 0
                                           << QStringLiteral("\u2068IA1\u2069 choisit l'atout...") << false << false << false;
        QTest::newRow("trump, nobody") << false << false << 27 << AUCUN << AUCUN << 1 << false << 0 << patientez
                                       << false << false << false;
        QTest::newRow("chibre, partner chooses here")
            << false << false << 28 << 2 << 0 << 2 << false << 0 << QStringLiteral("\u2068IA2\u2069 a chibré. Choisissez l'atout.")
            << true << true << false;
        QTest::newRow("chibre, no actor") << false << false << 28 << AUCUN << 0 << 2 << false << 0
                                          << QStringLiteral("Choisissez l'atout.") << true << true << false;
        QTest::newRow("chibre, here passed") << false << false << 28 << 0 << 2 << 0 << false << 0
                                             << QStringLiteral("Vous avez chibré. \u2068IA2\u2069 choisit l'atout...") << false
                                             << false << false;
        QTest::newRow("chibre, others") << false << false << 28 << 1 << 3 << 1 << false << 0
                                        << QStringLiteral("\u2068IA1\u2069 a chibré. \u2068IA3\u2069 choisit l'atout...") << false << false
                                        << false;
        QTest::newRow("chibre, partner missing") << false << false << 28 << 1 << AUCUN << 1 << false << 0
                                                 << patientez << false << false << false;
        QTest::newRow("announcements") << false << false << 29 << 1 << AUCUN << 1 << false << 0 << patientez << false
                                       << false << false;
        QTest::newRow("new player") << false << false << 49 << 1 << AUCUN << 1 << false << 0 << patientez << false
                                    << false << false;
        QTest::newRow("card, other seat") << false << false << 54 << 1 << AUCUN << 1 << false << 1
                                          << QStringLiteral("Au tour de \u2068IA1\u2069...") << false << false << false;
        QTest::newRow("card, nobody named") << true << false << 54 << AUCUN << AUCUN << 1 << false << 1 << patientez
                                            << false << false << false;
        QTest::newRow("card, here") << false << false << 54 << 0 << AUCUN << 0 << false << 0
                                    << QStringLiteral("Choisissez une carte.") << true << true << false;
        QTest::newRow("card, here, belote") << true << false << 122 << 0 << AUCUN << 0 << false << 0
                                            << QStringLiteral("Choisissez une carte.") << true << true << false;
        QTest::newRow("collect, click") << false << false << 41 << 1 << AUCUN << 1 << false << 0
                                        << QStringLiteral("Cliquez pour continuer.") << false << true << false;
        QTest::newRow("collect, automatic") << true << true << 128 << 1 << AUCUN << 1 << false << 0 << patientez
                                            << false << false << true;
        QTest::newRow("confirm announcements") << false << false << 46 << 1 << AUCUN << 1 << false << 0
                                               << QStringLiteral("Cliquez pour confirmer les annonces.") << true
                                               << true << false;
        QTest::newRow("pair decides the match") << true << false << 129 << 1 << AUCUN << 1 << false << 0 << patientez
                                                << false << false << false;
        QTest::newRow("pair's collect") << true << false << 131 << 1 << AUCUN << 1 << false << 0
                                        << QStringLiteral("Cliquez pour terminer la partie.") << false << true
                                        << false;
        QTest::newRow("match over") << false << false << 134 << AUCUN << AUCUN << AUCUN << false << 0
                                    << QStringLiteral("Fin du Jeu!") << false << false << false;
        QTest::newRow("end of game") << true << false << 137 << AUCUN << AUCUN << AUCUN << false << 0
                                     << QStringLiteral("Cliquez pour continuer.") << false << true << false;
        QTest::newRow("new game question") << false << false << 139 << AUCUN << AUCUN << AUCUN << false << 0
                                           << QString() << false << false << false;
        QTest::newRow("unknown code") << false << false << 5000 << AUCUN << AUCUN << AUCUN << false << 0 << QString()
                                      << false << false << false;
    }
    void statusFollowsTheState()
    {
        QFETCH(bool, belote);
        QFETCH(bool, suiteAuto);
        QFETCH(int, code);
        QFETCH(int, acteur);
        QFETCH(int, second);
        QFETCH(int, noJoueur);
        QFETCH(bool, impose);
        QFETCH(int, prochain);
        QFETCH(QString, attendu);
        QFETCH(bool, aide);
        QFETCH(bool, vibre);
        QFETCH(bool, timerAuto);
        Salon salon(belote, suiteAuto);
        DisplayGLScene& s = salon.scene();
        salon.position.partie->noDuProchainAJouer_ = prochain;
        salon.etat(code, acteur, second, noJoueur, impose);
        QCOMPARE(s.texteStatut(), attendu);
        QCOMPARE(salon.lignes(), attendu);
        QCOMPARE(s.boutonAide()->isEnabled(), aide);
        QCOMPARE(salon.table->natif.vibrations, vibre ? QList<int>{50} : QList<int>());
        QCOMPARE(s.timerSuiteAuto().isActive(), timerAuto);
        QCOMPARE(s.isMainJouable(), attendu == QStringLiteral("Choisissez une carte."));
        QCOMPARE(s.etatCourant(), code);
        if (timerAuto) {
            // The pending action is performed when the timer fires.
            QTRY_COMPARE(salon.panneau->executions, 1);
        }
    }

    // Whoever does not play here by hand reads why nothing is asked.
    void onlookersAreToldToWait_data()
    {
        QTest::addColumn<int>("cas");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("nobody at the bottom seat") << 0 << QStringLiteral("Patientez...");
        QTest::newRow("watching") << 1 << QStringLiteral("Vous êtes spectateur, merci de patienter...");
        QTest::newRow("the computer plays the seat") << 2 << QStringLiteral("Vous êtes spectateur.");
        // Excluded for slowness, the computer plays the seat to the end of
        // the game: the box said why, the line says the same as above.
        QTest::newRow("excluded for slowness") << 3 << QStringLiteral("Vous êtes spectateur.");
    }
    void onlookersAreToldToWait()
    {
        QFETCH(int, cas);
        QFETCH(QString, attendu);
        Salon salon;
        DisplayGLScene& s = salon.scene();
        if (cas == 0)
            s.setJoueur(0, nullptr);
        else if (cas == 1)
            s.setModeVue(2);
        else
            salon.humain.setMode(cas == 3 ? Joueur::ModeRemplacant : Joueur::ModeOrdinateur);
        s.setJoueurExclu(cas == 3);
        for (int code : {7, 11, 27, 37, 41, 134}) {
            salon.etat(code, 0, AUCUN, 0);
            QCOMPARE(s.texteStatut(), attendu);
            QVERIFY(!s.boutonAide()->isEnabled());
        }
        QVERIFY(salon.table->natif.vibrations.isEmpty());
    }

    // The first card of a deal names the trump; only Jass's first deal
    // says who opens it.
    void firstCardNamesTheTrump_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("total");
        QTest::addColumn<bool>("impose");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("quiCommence");
        QTest::newRow("jass, first deal") << false << 0 << false << QStringLiteral("L'atout est %1.") << true;
        QTest::newRow("jass, later deal") << false << 120 << false << QStringLiteral("L'atout est %1.") << false;
        QTest::newRow("jass, imposed") << false << 0 << true << QStringLiteral("L'atout imposé est %1.") << true;
        QTest::newRow("belote, first deal") << true << 0 << false << QStringLiteral("L'atout est %1.") << false;
    }
    void firstCardNamesTheTrump()
    {
        QFETCH(bool, belote);
        QFETCH(int, total);
        QFETCH(bool, impose);
        QFETCH(QString, message);
        QFETCH(bool, quiCommence);
        Salon salon(belote);
        DisplayGLScene& s = salon.scene();
        s.afficheArdoise(ZB_PointsJass(), total, 0, 1, {}, -1);
        salon.position.partie->noDuProchainAJouer_ = 1;
        salon.etat(37, 1, AUCUN, 1, impose);
        const QString atout =
            scene_textes::nomAtout(salon.position.partie->atoutEnCours_, s.jeuDeCartes().getStyle(),
                                   scene_textes::UsageAtout::Annonce);
        QVERIFY(!atout.startsWith(QStringLiteral("ERREUR")));
        QCOMPARE(s.animationsMessage().front()->texte()->toPlainText(), message.arg(atout));
        QCOMPARE(salon.lignes().startsWith(QStringLiteral("Le joueur avec '")), quiCommence);
        QCOMPARE(s.timerAide().isActive(), quiCommence);
        // Re-told in the same state, it stays.
        salon.etat(37, 1, AUCUN, 1, impose);
        QCOMPARE(salon.lignes().startsWith(QStringLiteral("Le joueur avec '")), quiCommence);
        // The first card lies on the cloth and the table moves on: who
        // begins is old news, the status shows at once, the user's prompt
        // as a later seat's turn.
        salon.position.partie->noDuProchainAJouer_ = 2;
        salon.etat(38, 2, AUCUN, 2);
        QCOMPARE(salon.lignes(), QStringLiteral("Au tour de \u2068IA2\u2069..."));
        QVERIFY(!s.timerAide().isActive());
        salon.position.partie->noDuProchainAJouer_ = 0;
        salon.etat(39, 0, AUCUN, 0);
        QCOMPARE(salon.lignes(), QStringLiteral("Choisissez une carte."));
    }

    // The explanation of a card under the pointer sits above the prompt:
    // the prompt keeps its words together on its own line, however long the
    // explanation, and after the table is laid out anew at another size.
    void helpAboveThePromptKeepsItsLines_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<QSize>("ensuite");
        QTest::newRow("800 x 600, then 1920 x 1080") << QSize(800, 600) << QSize(1920, 1080);
        QTest::newRow("1920 x 1080, then 800 x 600") << QSize(1920, 1080) << QSize(800, 600);
    }
    void helpAboveThePromptKeepsItsLines()
    {
        QFETCH(QSize, taille);
        QFETCH(QSize, ensuite);
        Salon salon;
        DisplayGLScene& s = salon.scene();
        s.setSceneRect(QRectF(QPointF(0, 0), QSizeF(taille)));
        salon.position.partie->noDuProchainAJouer_ = 0;
        salon.etat(38, 0, AUCUN, 0);
        const QString invite = QStringLiteral("Choisissez une carte.");
        QCOMPARE(salon.lignes(), invite);
        // An explanation that leaves room on its line for the prompt's first
        // words, not for the whole prompt.
        const QGraphicsSimpleTextItem* ligne = s.lignesArdoise()[0];
        const QFontMetricsF metriques(ligne->font());
        const double utile = s.zoneTable().width() - DisplayGLScene::MARGE_LIGNE_ARDOISE;
        QString aide = QStringLiteral("Le Roi de Coeur peut être joué");
        while (metriques.horizontalAdvance(aide + QStringLiteral(" ") + invite) <= utile)
            aide += QStringLiteral(", joué");
        if (metriques.horizontalAdvance(aide + QStringLiteral(" Choisissez une")) > utile)
            QSKIP("no explanation of this size leaves the prompt's first words room on its line");
        s.setTexteAide(aide);
        QStringList lignes = salon.lignes().split(QLatin1Char('\n'));
        QCOMPARE(lignes.last(), invite);
        QCOMPARE(lignes.join(QLatin1Char(' ')), aide + QLatin1Char(' ') + invite);
        s.setSceneRect(QRectF(QPointF(0, 0), QSizeF(ensuite)));
        lignes = salon.lignes().split(QLatin1Char('\n'));
        QCOMPARE(lignes.last(), invite);
        QVERIFY2(lignes.first().startsWith(QStringLiteral("Le Roi de Coeur")), qPrintable(salon.lignes()));
    }

    // The seat panel's help text shows above the status, each alone when
    // the other is empty.
    void helpTextGoesAboveTheStatus()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        salon.position.partie->noDuProchainAJouer_ = 1;
        salon.etat(38, 1, AUCUN, 1);
        s.setTexteAide(QStringLiteral("Aide du panneau"));
        QCOMPARE(salon.lignes(), QStringLiteral("Aide du panneau\nAu tour de \u2068IA1\u2069..."));
        s.setStatusText(QStringLiteral("Un instant"));
        QCOMPARE(salon.lignes(), QStringLiteral("Un instant"));
        s.OnHelpTimeout();
        QVERIFY(!s.timerAide().isActive());
        QCOMPARE(salon.lignes(), QStringLiteral("Aide du panneau\nAu tour de \u2068IA1\u2069..."));
        // Cut short by a box or a reset, the temporary text still leaves.
        s.setStatusText(QStringLiteral("Un instant"));
        s.stopAnimationsAndCloseDialogs();
        QCOMPARE(salon.lignes(), QStringLiteral("Aide du panneau\nAu tour de \u2068IA1\u2069..."));
        // The human's card is played: the table is waited for.
        salon.position.partie->noDuProchainAJouer_ = 0;
        salon.etat(38, 0, AUCUN, 0);
        QVERIFY(s.isMainJouable() && s.boutonAide()->isEnabled());
        s.statutAttente();
        QCOMPARE(salon.lignes(), QStringLiteral("Aide du panneau\nPatientez..."));
        QVERIFY(!s.isMainJouable() && !s.boutonAide()->isEnabled());
        salon.etat(134);
        s.setTexteAide(QString());
        QCOMPARE(salon.lignes(), QStringLiteral("Fin du Jeu!"));
        QCOMPARE(scene_textes::composeStatut(QString(), QStringLiteral("h")), QStringLiteral("h"));
        QCOMPARE(scene_textes::composeStatut(QString(), QString()), QString());
    }

    // The advice arrives in the background; its card is tinted no earlier
    // than 3 s after the request, and never with tinting off.
    void advisedCardIsTintedAfterAPause_data()
    {
        QTest::addColumn<bool>("couleur");
        QTest::newRow("tinting on") << true;
        QTest::newRow("tinting off") << false;
    }
    void advisedCardIsTintedAfterAPause()
    {
        QFETCH(bool, couleur);
        Salon salon(false, false, 11, 0, couleur);
        DisplayGLScene& s = salon.scene();
        salon.position.partie->noDuProchainAJouer_ = 0;
        QElapsedTimer depuis;
        depuis.start();
        salon.etat(37, 0, AUCUN, 0);
        QVERIFY(s.attendConseil(-1));
        const Carte* conseil = s.carteConseil();
        QVERIFY(conseil);
        QVERIFY(salon.humain.main_.contientCarte(conseil));
        DisplayGLHumanCarte* sprite = s.cartes().at(conseil->getIndex()).data();
        QVERIFY(sprite);
        if (depuis.elapsed() < 2900) {
            s.OnHelpCardHightlight();
            QVERIFY(!sprite->isTinted());
        }
        const bool teinte = QTest::qWaitFor([&] { return sprite->isTinted(); }, 4500);
        QCOMPARE(teinte, couleur);
        if (teinte)
            QVERIFY(depuis.elapsed() >= 3000);
        // The next status forgets the advice and its tint.
        salon.etat(41, 0, AUCUN, 0);
        QVERIFY(!sprite->isTinted());
        QVERIFY(!s.carteConseil());
    }

    // The help button does not freeze the window while the advice is
    // searched: its box comes, once, with the advised card.
    void helpButtonWaitsOnTheEventLoop()
    {
        quint32 graine = 5;
        while (graine < 2000) {
            const Position p(false, graine, 2, 3, 0);
            if (p.aJouer() == 0 && p.nombreDeCoupsLegaux() >= 5)
                break;
            ++graine;
        }
        Salon salon(false, false, graine, 2, true, 9, 0, 1e7);
        DisplayGLScene& s = salon.scene();
        salon.etat(39, 0, AUCUN, 0);
        QVERIFY(s.isAdviceRunning());
        s.boutonAide()->click();
        s.boutonAide()->click();
        // The long search still runs: the presses did not wait for it.
        QVERIFY2(s.isAdviceRunning(), "the press waited for the search");
        QVERIFY(s.isAideEnAttente());
        QTRY_VERIFY_WITH_TIMEOUT(s.boitePrincipale().widget->isVisible(), 15000);
        QVERIFY(!s.isAdviceRunning());
        QVERIFY(s.historiqueBoites().last().contains(QStringLiteral("L'ordinateur vous conseille de")));
        QCOMPARE(s.historiqueBoites().size(), 1);
    }

    // A search still running when the table moves on advises nothing:
    // its late answer names no card in the states that follow.
    void lateAdviceAdvisesNothing()
    {
        // A deal in which seat 0 plays third with a real choice: a long
        // search.
        quint32 graine = 5;
        while (graine < 2000) {
            const Position p(false, graine, 2, 3, 0);
            if (p.aJouer() == 0 && p.nombreDeCoupsLegaux() >= 5)
                break;
            ++graine;
        }
        QVERIFY(graine < 2000);
        Salon salon(false, false, graine, 2, true, 9, 0, 1e7);
        DisplayGLScene& s = salon.scene();
        salon.etat(39, 0, AUCUN, 0);
        QVERIFY(s.isAdviceRunning());
        QTest::qWait(50);
        QVERIFY2(s.isAdviceRunning(), "the search outlasts the state");
        salon.position.partie->noDuProchainAJouer_ = 1;
        salon.etat(40, 1, AUCUN, 1);
        // The search ends by itself (nobody stopped it).
        QVERIFY(salon.humain.getAide()->getSubstitut()->attendRecherche(60000));
        QVERIFY(s.attendConseil(1000));
        QVERIFY(!s.carteConseil());
        QVERIFY(!s.texteAideSituation().contains(QStringLiteral("L'ordinateur vous conseille")));
    }

    // The help box names what the computer would do and the rules of the
    // situation.
    void helpExplainsTheSituation_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("contient");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("before the deal") << false << 7 << QStringList{"pas d'aide disponible"}
                                         << QStringList{"conseille"};
        QTest::newRow("trump") << false << 27 << QStringList{"L'ordinateur vous conseille de choisir", "'Chibrer'"}
                               << QStringList{};
        QTest::newRow("trump passed on") << false << 28 << QStringList{"Vous devez choisir l'atout"}
                                         << QStringList{"'Chibrer'"};
        QTest::newRow("announcements") << false << 45 << QStringList{"les annonces sont gérées"} << QStringList{};
        QTest::newRow("pair ends the deal") << false << 130 << QStringList{"exceptionnellement"} << QStringList{};
        QTest::newRow("first card") << false << 37
                                    << QStringList{"L'ordinateur vous conseille de jouer", "Il reste 9 atout(s)",
                                                   "Vous commencez le tour"}
                                    << QStringList{"'Couper'"};
        QTest::newRow("first bid") << true << 11
                                   << QStringList{"Vous devez choisir la mise", "L'ordinateur vous conseille de"}
                                   << QStringList{"'Chibrer'"};
        QTest::newRow("later bid") << true << 17 << QStringList{"Vous pouvez 'Passer' ou choisir l'atout"}
                                   << QStringList{"Vous devez choisir la mise"};
    }
    void helpExplainsTheSituation()
    {
        QFETCH(bool, belote);
        QFETCH(int, code);
        QFETCH(QStringList, contient);
        QFETCH(QStringList, absent);
        Salon salon(belote);
        DisplayGLScene& s = salon.scene();
        salon.position.partie->noDuProchainAJouer_ = 0;
        salon.etat(code, 0, code == 28 ? 0 : AUCUN, 0);
        // Asked at once: the help waits for the running search.
        const QString aide = s.texteAideSituation();
        for (const QString& texte : contient)
            QVERIFY2(aide.contains(texte), qPrintable(aide));
        for (const QString& texte : absent)
            QVERIFY2(!aide.contains(texte), qPrintable(aide));
        if (code == 37) {
            const Carte* c = s.carteConseil();
            QVERIFY(c);
            QVERIFY(aide.contains(getNomValeur(c->getValeur(), s.jeuDeCartes().getStyle())));
        }
    }

    // An advised bid is named with its amount and trump.
    void helpNamesTheAdvisedBid()
    {
        Salon salon(true, false, 11, 0, true, 2);
        DisplayGLScene& s = salon.scene();
        // A contract game, whose auction has amounts; the seat before
        // passed.
        OptionsDuJoueur moi = salon.humain.options_;
        salon.humain.initialise(moi, &salon.contexte, 0, false, TypeDePartie::getTypeDePartie(8), false, &salon.vide);
        salon.humain.setMode(Joueur::ModeManuel);
        ZB_StatusMise passe;
        passe.montantBloque_ = false;
        passe.miseFaite_ = false;
        passe.tourMise_ = 1;
        passe.typeContrat_ = ZB_StatusMise::PasEncoreDeMise;
        s.afficheBulleMise(3, passe, 3);
        salon.etat(12, AUCUN, AUCUN, 0);
        static const QRegularExpression enchere(QStringLiteral("conseille de choisir '(\\d+) ([^']+)'"));
        QRegularExpressionMatch m;
        for (quint32 graine = 1; graine < 300 && !m.hasMatch(); ++graine) {
            salon.humain.main_ = Position(true, graine, 0).mains[0];
            m = enchere.match(s.texteAideSituation());
        }
        QVERIFY2(m.hasMatch(), "some hand is advised to bid");
        QVERIFY(m.captured(1).toInt() >= 80);
        QVERIFY(!m.captured(2).isEmpty());
    }

    // The all-tricks paragraphs read teams 0 and 1 by number, whatever the
    // local seat: a seat of team 1 is warned while only its own side has
    // cards, and told to go for all tricks while only team 0 has some.
    void allTricksParagraphsFollowTheTeamNumbers_data()
    {
        QTest::addColumn<int>("local");
        QTest::addColumn<int>("preneur");
        QTest::addColumn<int>("equipeVide");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<QString>("absent");
        const QString risque = QStringLiteral("Actuellement, vous risquez le 'Match'");
        const QString tente = QStringLiteral("Comme c'est encore possible, vous devriez tentez le 'Match'");
        QTest::newRow("seat 0, team 0 has nothing") << 0 << 1 << 0 << risque << tente;
        QTest::newRow("seat 0 made trump, team 1 has nothing") << 0 << 0 << 1 << tente << risque;
        QTest::newRow("seat 1, only its own side has cards") << 1 << 0 << 0 << risque << tente;
        QTest::newRow("seat 1 made trump, only team 0 has cards") << 1 << 1 << 1 << tente << risque;
    }
    void allTricksParagraphsFollowTheTeamNumbers()
    {
        QFETCH(int, local);
        QFETCH(int, preneur);
        QFETCH(int, equipeVide);
        QFETCH(QString, attendu);
        QFETCH(QString, absent);
        // A deal after one trick, won by the side that is not to be empty.
        quint32 graine = 1;
        while (graine < 1000 && Position(false, graine, 5, 3, 0).partie->getNombreCartesRamassees(equipeVide) != 0)
            ++graine;
        QVERIFY(graine < 1000);
        Salon salon(false, false, graine, 5);
        DisplayGLScene& s = salon.scene();
        salon.position.partie->joueurQuiAChoisiAtout_ = preneur;
        if (local != 0) {
            s.setNoJoueurLocal(local);
            s.setJoueur(local, salon.joueur(local));
            QCOMPARE(s.siegeBas(), local);
        }
        salon.position.partie->noDuProchainAJouer_ = (local + 1) % 4;
        salon.etat(54, (local + 1) % 4, AUCUN, (local + 1) % 4);
        const QString aide = s.texteAideSituation();
        QVERIFY2(aide.contains(attendu), qPrintable(aide));
        QVERIFY2(!aide.contains(absent), qPrintable(aide));
    }

    // A language change reaches the status line, the action word, the slate
    // and the plates: the program's English catalogue, then French again.
    // The redeal banner is translated, and the help box's rules link opens
    // the article of the game played in the language shown.
    void languageChangeRetranslates()
    {
        Salon salon;
        Salon belote(true);
        DisplayGLScene& s = salon.scene();
        auto lien = [&s] { return s.boitePrincipale().ui->labelWiki->text(); };
        QVERIFY2(lien().contains(QStringLiteral("https://fr.wikipedia.org/wiki/Jass")), qPrintable(lien()));
        s.createGLObjects();
        s.setTexteAide(QStringLiteral("Aide"));
        salon.etat(7);
        s.afficheArdoise(ZB_PointsJass(), 10, 20, 1, {}, -1);
        s.redessineCartes(0);
        QCOMPARE(salon.lignes(), QStringLiteral("Aide\nCliquez pour distribuer."));
        QCOMPARE(s.textePlaquePosition(0), QStringLiteral("\u2068Moi\u2069 (vous)"));
        // A pass and a double already on the table.
        ZB_StatusMise mise;
        mise.miseFaite_ = false;
        mise.typeContrat_ = ZB_StatusMise::Simple;
        s.afficheBulleMise(1, mise, 3);
        mise.miseFaite_ = true;
        mise.typeContrat_ = ZB_StatusMise::Contre;
        s.afficheBulleMise(2, mise, 3);
        const int passe = s.positionAffichage(1);
        const int contre = s.positionAffichage(2);
        QCOMPARE(s.texteBulle(contre), QStringLiteral("Contrée"));
        QTranslator anglais;
        QVERIFY(anglais.load(QStringLiteral(":/translations/zubrik_en.qm")));
        QVERIFY(QCoreApplication::installTranslator(&anglais));
        QTRY_COMPARE(salon.lignes(), QStringLiteral("Aide\nClick to deal."));
        QCOMPARE(s.motAction(), QStringLiteral("Click"));
        QCOMPARE(s.texteBulle(passe), QStringLiteral("Pass"));
        QCOMPARE(s.texteBulle(contre), QStringLiteral("Doubled"));
        // The slate speaks the table's language too.
        const auto ardoise = s.lignesArdoise(ZB_PointsJass(), 1).textes;
        QCOMPARE(ardoise[0], QStringLiteral("You: 10"));
        QCOMPARE(ardoise[1], QStringLiteral("Deal: 0x1"));
        QCOMPARE(ardoise[3], QStringLiteral("Them: 20"));
        // So do the plates, without waiting for the next deal.
        QVERIFY2(s.textePlaquePosition(0).endsWith(QStringLiteral("Moi\u2069 (you)")),
                 qPrintable(s.textePlaquePosition(0)));
        QVERIFY2(lien().contains(QStringLiteral("https://en.wikipedia.org/wiki/Jass")), qPrintable(lien()));
        s.afficheRedistribution();
        bool banniere = false;
        for (const auto& anim : s.animationsScore())
            banniere = banniere || anim->texte()->toPlainText() == QStringLiteral("Redeal");
        QVERIFY(banniere);
        // A Belote game at a table that started with Jass.
        s.setPartie(belote.position.partie);
        QVERIFY(s.estBelote());
        QVERIFY2(lien().contains(QStringLiteral("https://en.wikipedia.org/wiki/Belote")), qPrintable(lien()));
        s.setPartie(salon.position.partie);
        QCoreApplication::removeTranslator(&anglais);
        QTRY_COMPARE(salon.lignes(), QStringLiteral("Aide\nCliquez pour distribuer."));
        QVERIFY2(lien().contains(QStringLiteral("https://fr.wikipedia.org/wiki/Jass")), qPrintable(lien()));
    }

    // A seat already named on the screen is named again in the new
    // language at once, not at the next state: the status lines (the
    // default partner's name, a remote computer's suffix), the temporary
    // first-card text and an announcement bubble. Back in French, the
    // same texts come back.
    void namesFollowTheLanguageAtOnce_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("acteur");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("prochain");
        QTest::addColumn<QString>("francais");
        QTest::addColumn<QString>("anglais");
        // Seat 1 is a remote computer, seat 2 the default partner; each name
        // in its isolate.
        const auto n = [](const char* texte, const char* nom, const char* autre = nullptr) {
            const auto i = [](const char* t) -> QString {
                return QChar(0x2068) + QString::fromUtf8(t) + QChar(0x2069);
            };
            const QString t = QString::fromUtf8(texte);
            return autre != nullptr ? t.arg(i(nom), i(autre)) : t.arg(i(nom));
        };
        QTest::newRow("bid") << 16 << AUCUN << AUCUN << 0 << n("%1 choisit la mise...", "Partenaire")
                             << n("%1 is choosing the bid...", "Partner");
        QTest::newRow("trump") << 27 << 1 << AUCUN << 0 << n("%1 (ordi) choisit l'atout...", "IA1")
                               << n("%1 (computer) is choosing the trump...", "IA1");
        QTest::newRow("passed to the user") << 28 << 2 << 0 << 0 << n("%1 a chibré. Choisissez l'atout.", "Partenaire")
                                            << n("%1 passed to you. Choose the trump.", "Partner");
        QTest::newRow("user passed") << 28 << 0 << 2 << 0 << n("Vous avez chibré. %1 choisit l'atout...", "Partenaire")
                                     << n("You passed. %1 is choosing the trump...", "Partner");
        QTest::newRow("others passed") << 28 << 1 << 3 << 0
                                       << n("%1 (ordi) a chibré. %2 choisit l'atout...", "IA1", "IA3")
                                       << n("%1 (computer) passed. %2 is choosing the trump...", "IA1", "IA3");
        QTest::newRow("card") << 54 << 2 << AUCUN << 2 << n("Au tour de %1...", "Partenaire")
                              << n("%1's turn...", "Partner");
        QTest::newRow("first card") << 37 << 1 << AUCUN << 1 << QStringLiteral("Le joueur avec 'Le Sept")
                                    << QStringLiteral("The player with the 'Seven");
    }
    void namesFollowTheLanguageAtOnce()
    {
        QFETCH(int, code);
        QFETCH(int, acteur);
        QFETCH(int, second);
        QFETCH(int, prochain);
        QFETCH(QString, francais);
        QFETCH(QString, anglais);
        Salon salon;
        DisplayGLScene& s = salon.scene();
        s.createGLObjects();
        salon.ordis[1].options_.distant_ = 1;
        salon.ordis[2].options_.nom_ = QString::fromUtf8(OptionsDuJoueur::NOM_PARTENAIRE);
        AnnoncesJoueur annonces;
        annonces.annonces_[0] = Annonce(Annonce::TroisCartes, 1, 9, 20);
        s.afficheBulleJoueur(3, annonces);
        s.afficheBulleAnnonce(3);
        const int bulle = s.positionAffichage(3);
        QCOMPARE(s.texteBulle(bulle), QStringLiteral("Trois cartes et Belote"));
        salon.position.partie->noDuProchainAJouer_ = prochain;
        salon.etat(code, acteur, second, code == 16 ? 2 : acteur);
        QVERIFY2(salon.lignes().startsWith(francais), qPrintable(salon.lignes()));
        QTranslator anglaisQm;
        QVERIFY(anglaisQm.load(QStringLiteral(":/translations/zubrik_en.qm")));
        QVERIFY(QCoreApplication::installTranslator(&anglaisQm));
        QTRY_VERIFY2(salon.lignes().startsWith(anglais), qPrintable(salon.lignes()));
        QCOMPARE(s.texteBulle(bulle), QStringLiteral("Three cards and Belote"));
        QCoreApplication::removeTranslator(&anglaisQm);
        QTRY_VERIFY2(salon.lignes().startsWith(francais), qPrintable(salon.lignes()));
        QCOMPARE(s.texteBulle(bulle), QStringLiteral("Trois cartes et Belote"));
    }

    // Joining an online game says so once, hides the help and locks the
    // connect button; the button's icon may carry a number.
    void onlineMarks()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        const QImage horsLigne = s.imageTapis();
        QVERIFY(!horsLigne.isNull());
        s.afficheRejointPartieEnLigne(true, QStringLiteral("Table <b>9</b>"));
        // The online sign lies on the cloth, centred left of its middle.
        const QImage enLigne = s.imageTapis();
        const QImage sansSigne = horsLigne.convertToFormat(enLigne.format());
        const QPoint signe(horsLigne.width() / 2 - 34, horsLigne.height() / 2);
        const auto differe = [&](const QPoint& p, int rayon) {
            for (int y = p.y() - rayon; y <= p.y() + rayon; ++y)
                for (int x = p.x() - rayon; x <= p.x() + rayon; ++x)
                    if (enLigne.pixel(x, y) != sansSigne.pixel(x, y))
                        return true;
            return false;
        };
        QVERIFY(differe(signe, 58));
        QVERIFY(!differe(signe + QPoint(0, 80), 10));
        s.afficheRejointPartieEnLigne(true, QStringLiteral("Table 9"));
        QCOMPARE(s.animationsMessage().front()->texte()->toPlainText(),
                 QStringLiteral("Vous avez rejoint la partie en ligne 'Table <b>9</b>'."));
        QVERIFY(!s.animationsMessage()[1]->isDelayRunning() && !s.animationsMessage()[1]->driver()->isRunning());
        QVERIFY(!s.proxyAide()->isVisible());
        QVERIFY(!s.boutonConnexion()->isEnabled());
        // Online, a card asked of the human starts no advice.
        salon.position.partie->noDuProchainAJouer_ = 0;
        salon.etat(38, 0, AUCUN, 0);
        QVERIFY(!s.isAdviceRunning());
        QVERIFY(!s.boutonAide()->isEnabled());
        s.afficheRejointPartieEnLigne(false, QString());
        QVERIFY(s.boutonConnexion()->isEnabled());
        QCOMPARE(s.imageTapis(), horsLigne.convertToFormat(s.imageTapis().format()));

        const qint64 avant = s.boutonConnexion()->icon().cacheKey();
        s.afficheNombreSurBouton(3, 5);
        QCOMPARE(s.boutonConnexion()->icon().cacheKey(), avant);
        s.afficheNombreSurBouton(2, 5);
        const QImage avecNombre = s.boutonConnexion()->icon().pixmap(48, 48).toImage();
        s.afficheNombreSurBouton(2, 7);
        QVERIFY(s.boutonConnexion()->icon().pixmap(48, 48).toImage() != avecNombre);
        // The number sits in the bottom-right quarter only.
        const QImage nu = QIcon(QStringLiteral(":/images/connected.png")).pixmap(48, 48).toImage();
        QCOMPARE(avecNombre.copy(0, 0, 48, 24), nu.convertToFormat(avecNombre.format()).copy(0, 0, 48, 24));
    }

    // A user who comes back to an online table (or joins one that plays)
    // watches the game so far from its seat, which another player holds
    // until the user enters: the plate there names the user all along, the
    // other plates their players, and a seat of this machine its own name,
    // each in the language shown.
    void catchUpPlateNamesTheUser()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        s.createGLObjects();
        auto plaque = [&s](int siege) { return s.textePlaquePosition(s.positionAffichage(siege)); };
        auto& remplacant = salon.joueur(2)->options_;
        remplacant.distant_ = 1;
        s.setNoJoueurLocal(2);
        s.setJoueur(2, salon.joueur(2));
        QCOMPARE(s.siegeBas(), 2);
        OptionsDuJoueur bob;
        bob.nom_ = QStringLiteral("Bob");
        s.setNomJoueurLocal(&bob);
        QVERIFY2(plaque(2).endsWith(QStringLiteral("Bob\u2069 (vous)")), qPrintable(plaque(2)));
        QVERIFY2(plaque(1).endsWith(salon.joueur(1)->options_.getNomAffiche()), qPrintable(plaque(1)));
        QVERIFY2(plaque(0).endsWith(QStringLiteral("\u2068Moi\u2069 (vous)")), qPrintable(plaque(0)));
        // It follows a language change at once.
        {
            QTranslator anglais;
            QVERIFY(anglais.load(QStringLiteral(":/translations/zubrik_en.qm")));
            QVERIFY(QCoreApplication::installTranslator(&anglais));
            QTRY_VERIFY2(plaque(2).endsWith(QStringLiteral("Bob\u2069 (you)")), qPrintable(plaque(2)));
            QCoreApplication::removeTranslator(&anglais);
        }
        QTRY_VERIFY2(plaque(2).endsWith(QStringLiteral("Bob\u2069 (vous)")), qPrintable(plaque(2)));
        // Seated: its own record speaks.
        remplacant.distant_ = 0;
        remplacant.ordinateur_ = 0;
        remplacant.nom_ = QStringLiteral("Bob");
        s.redessineCartes(0);
        QVERIFY2(plaque(2).endsWith(QStringLiteral("Bob\u2069 (vous)")), qPrintable(plaque(2)));
        // A new session forgets the name.
        remplacant.distant_ = 1;
        s.setNomJoueurLocal(nullptr);
        QVERIFY2(plaque(2).endsWith(QStringLiteral("Bob\u2069 (joueur)")), qPrintable(plaque(2)));
    }

    // A friend's notice grows in with a whistle and leaves after 2 s.
    void friendNoticeComesAndGoes()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        s.createGLObjects();
        s.showNotify();
        QVERIFY(s.timerNotification().isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!s.timerNotification().isActive(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!s.notification()->isShown(), 2000);
    }

    // Closing the table while the advice is searched waits for the search.
    void closingDuringTheAdviceSearch()
    {
        auto salon = std::make_unique<Salon>(false, false, 11, 0);
        salon->position.partie->noDuProchainAJouer_ = 0;
        salon->etat(37, 0, AUCUN, 0);
        salon->table.reset();
        QVERIFY(salon->humain.getAide()->getSubstitut()->attendRecherche(10000));
    }
};

ZB_REGISTER_TEST(TestSceneStatus)
#include "TestSceneStatus.moc"
