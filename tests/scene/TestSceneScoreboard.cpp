#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "GL_ObjectSquare.h"
#include "GM_WidgetAutoRound.h"
#include "SalonDeScene.h"
#include "ZB_PointsJass.h"
#include "ZbTestRegistry.h"
#include "ui_MessageBoxGl.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>

#include <algorithm>

using namespace scenetest;

// Points of a deal for the scoreboard.
struct DonneArdoise
{
    int cartes[2] = {0, 0};
    int annonces[2] = {0, 0};
    int der[2] = {0, 0};
    int contrat[2] = {0, 0};
};
Q_DECLARE_METATYPE(DonneArdoise)

namespace {

ZB_PointsJass points(const DonneArdoise& d)
{
    ZB_PointsJass p;
    for (int e = 0; e < 2; ++e) {
        p.pointsCartes_[e] = d.cartes[e];
        p.pointsAnnonces_[e] = d.annonces[e];
        p.bonusDernierPli_[e] = d.der[e];
        p.pointsContrat_[e] = d.contrat[e];
    }
    return p;
}

// The score items started by the last update: text and start delay.
QStringList scoresLances(DisplayGLScene& s)
{
    QStringList lances;
    for (const auto& anim : s.animationsScore()) {
        if (!anim->isDelayRunning() && !anim->driver()->isRunning())
            continue;
        lances << QStringLiteral("%1@%2").arg(anim->texte()->toPlainText()).arg(std::max(0, anim->delaiMs()));
    }
    lances.sort();
    return lances;
}

// Stops every score item, so that the next update's items stand alone.
void arreteScores(DisplayGLScene& s)
{
    for (const auto& anim : s.animationsScore())
        anim->stop();
}

int pixelsRouges(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() > 200 && c.green() < 60 && c.blue() < 60 && c.alpha() > 200;
        }
    return n;
}

} // namespace

// The scoreboard drawn on the slate: both match totals and the deal's line
// for the viewer's team first, the struck team in red, each changed counter
// floating its difference without covering another, the undo history's
// records, the Stöck bubble, and pictures of the board beside the status
// line and the help box.
class TestSceneScoreboard : public QObject
{
    Q_OBJECT

private slots:
    // The scoreboard: match totals, the deal's line divided by its
    // multiplier, the target or the rounds left; "Vous" is the viewer's team.
    void scoreboardLines_data()
    {
        QTest::addColumn<DonneArdoise>("donne");
        QTest::addColumn<int>("bas");
        QTest::addColumn<int>("multiplicateur");
        QTest::addColumn<int>("objectif");
        QTest::addColumn<QStringList>("attendu");
        DonneArdoise d;
        d.cartes[0] = 100;
        d.cartes[1] = 52;
        d.der[1] = 5;
        QTest::newRow("viewer in team 0") << d << 0 << 1 << 1000
                                          << QStringList{"Vous: 300", "Tour: 100x1", "--- 1000 ---", "Eux: 200",
                                                         "Tour: 57x1"};
        QTest::newRow("viewer in team 1") << d << 1 << 1 << -1
                                          << QStringList{"Eux: 300", "Tour: 100x1", "---", "Vous: 200", "Tour: 57x1"};
        DonneArdoise double_;
        double_.cartes[0] = 157;
        QTest::newRow("multiplier 2") << double_ << 0 << 2 << 100000
                                      << QStringList{"Vous: 300", "Tour: 78x2", "--- 4 ---", "Eux: 200", "Tour: 0x2"};
        // Between a reset and the seating (a file being opened) the user's
        // side stays on top.
        QTest::newRow("no seat yet") << d << -1 << 1 << 1000
                                     << QStringList{"Vous: 300", "Tour: 100x1", "--- 1000 ---", "Eux: 200",
                                                    "Tour: 57x1"};
        QTest::newRow("multiplier 0 counts as 1")
            << double_ << 2 << 0 << 1500
            << QStringList{"Vous: 300", "Tour: 157x1", "--- 1500 ---", "Eux: 200", "Tour: 0x1"};
    }
    void scoreboardLines()
    {
        QFETCH(DonneArdoise, donne);
        QFETCH(int, bas);
        QFETCH(int, multiplicateur);
        QFETCH(int, objectif);
        QFETCH(QStringList, attendu);
        Salon salon;
        DisplayGLScene& s = salon.scene();
        if (bas < 0) {
            s.finDeDonne();
        } else if (bas != 0) {
            salon.humain.setMode(Joueur::ModeOrdinateur);
            s.setNoJoueurLocal(bas);
            s.setJoueur(bas, salon.joueur(bas));
            QCOMPARE(s.siegeBas(), bas);
        }
        s.nouvelleDonne(9, objectif, 4);
        s.setPartieEnLigne(true);
        s.afficheArdoise(points(donne), 300, 200, multiplicateur, {}, -1);
        const DisplayGLScene::LignesArdoise l = s.lignesArdoise(points(donne), multiplicateur);
        QCOMPARE(QStringList(l.textes.begin(), l.textes.end()), attendu);
        QVERIFY(!s.imageArdoise().isNull());
        // The online score goes to the platform: viewer's team first.
        QCOMPARE(salon.table->natif.scores.size(), 1);
        const int t = l.equipeVue;
        QCOMPARE(salon.table->natif.scores[0].points, points(donne).getScore(t) + (t == 0 ? 300 : 200));
        QCOMPARE(salon.table->natif.scores[0].adversaire, points(donne).getScore(1 - t) + (t == 0 ? 200 : 300));
    }

    // The struck team's deal line is drawn in red.
    void struckTeamIsDrawnInRed()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        DonneArdoise d;
        d.cartes[0] = 80;
        d.contrat[1] = 160;
        s.afficheArdoise(points(d), 0, 0, 1, {}, -1);
        const int sansBarre = pixelsRouges(s.imageArdoise());
        s.afficheArdoise(points(d), 0, 0, 1, {}, 1);
        QVERIFY2(pixelsRouges(s.imageArdoise()) > sansBarre + 50, "the struck line is red");
    }

    // Each changed counter floats its own difference, 600 ms after the
    // previous one; the first match or capot adds its banner.
    void scoreChangesFloat_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("bas");
        QTest::addColumn<bool>("match");
        QTest::addColumn<QStringList>("attendu");
        // In start order, each one step after the one before.
        QTest::newRow("announcement only") << false << 0 << false << QStringList{"+20 Annonce"};
        QTest::newRow("seen from the other team") << false << 1 << false << QStringList{"-20 Annonce"};
        QTest::newRow("five counters") << false << 0 << true
                                       << QStringList{"+157", "+20 Annonce", "+5 Der", "+20 Stöck", "+100 Mise",
                                                      "Match"};
        QTest::newRow("belote capot") << true << 0 << true
                                      << QStringList{"+157", "+20 Annonce", "+5 Der", "+20 Belote", "+100 Mise",
                                                     "Capot"};
    }
    void scoreChangesFloat()
    {
        QFETCH(bool, belote);
        QFETCH(int, bas);
        QFETCH(bool, match);
        QFETCH(QStringList, attendu);
        Salon salon(belote);
        DisplayGLScene& s = salon.scene();
        if (bas != 0) {
            salon.humain.setMode(Joueur::ModeOrdinateur);
            s.setNoJoueurLocal(bas);
            s.setJoueur(bas, salon.joueur(bas));
        }
        ZB_PointsJass p;
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        arreteScores(s);
        p.pointsAnnonces_[0] = 20;
        if (match) {
            p.pointsCartes_[0] = 157;
            p.bonusDernierPli_[0] = 5;
            p.autresPoints_[0] = 20;
            p.pointsContrat_[0] = 100;
            p.match_[0] = 1;
        }
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        // A step lets a score leave its height before the next one starts
        // from the same place, and is never shorter than 600 ms.
        const int pas = std::max(600, DisplayGLScoreAnimText::intervalleScoresMs(s.zoneTable()));
        QStringList attenduAvecDelais;
        for (int i = 0; i < attendu.size(); ++i)
            attenduAvecDelais << QStringLiteral("%1@%2").arg(attendu[i]).arg(i * pas);
        attenduAvecDelais.sort();
        QCOMPARE(scoresLances(s), attenduAvecDelais);
        // The same record again changes nothing.
        arreteScores(s);
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        QVERIFY(scoresLances(s).isEmpty());
    }

    // Updates in quick succession, as tricks end: the floating scores all
    // leave from the middle of the table, yet none covers another at any
    // moment, and every one is gone once its flight ends.
    void floatingScoresNeverOverlap()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        ZB_PointsJass p;
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        arreteScores(s);
        const int gains[][2] = {{14, 0}, {14, 0}, {0, 30}, {25, 0}};
        for (size_t i = 0; i < std::size(gains); ++i) {
            p.pointsCartes_[0] += gains[i][0];
            p.pointsCartes_[1] += gains[i][1];
            if (i == 1)
                p.pointsAnnonces_[0] = 20;
            s.afficheArdoise(p, 0, 0, 1, {}, -1);
            QTest::qWait(100);
        }
        auto enAttente = [&] {
            for (const auto& anim : s.animationsScore())
                if (anim->isDelayRunning() || anim->driver()->isRunning())
                    return true;
            return false;
        };
        int vusEnsemble = 0;
        QElapsedTimer horloge;
        horloge.start();
        while (enAttente() && horloge.elapsed() < 30000) {
            QList<QRectF> vivants;
            for (const auto& anim : s.animationsScore())
                if (anim->isVisible())
                    vivants << anim->item()->sceneBoundingRect();
            for (int a = 0; a < vivants.size(); ++a)
                for (int b = a + 1; b < vivants.size(); ++b) {
                    QVERIFY2(!vivants[a].intersects(vivants[b]),
                             qPrintable(QStringLiteral("%1 scores at once, two of them overlap").arg(vivants.size())));
                }
            vusEnsemble = std::max(vusEnsemble, static_cast<int>(vivants.size()));
            QTest::qWait(50);
        }
        QVERIFY(!enAttente());
        QVERIFY2(vusEnsemble >= 2, "the scores were shown together");
        for (const auto& anim : s.animationsScore())
            QVERIFY(!anim->isVisible());
    }

    // While the undo history is browsed the board only records; the next
    // ordinary update floats only the change since that record.
    void undoBrowsingOnlyRecords()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        ZB_PointsJass p;
        s.afficheArdoise(p, 0, 0, 1, {}, -1);
        const QImage avant = s.imageArdoise();
        arreteScores(s);
        s.OnAnnulerBackwards();
        p.pointsCartes_[0] = 40;
        s.afficheArdoise(p, 10, 0, 1, {}, -1);
        QVERIFY(scoresLances(s).isEmpty());
        QCOMPARE(s.imageArdoise(), avant);
        s.finDeDonne();
        p.pointsCartes_[0] = 60;
        s.afficheArdoise(p, 10, 0, 1, {}, -1);
        QCOMPARE(scoresLances(s), QStringList{"+60@0"});
    }

    // Stöck seats raise their bubble with the game type's word.
    void stockShowsInTheBubble()
    {
        Salon salon;
        DisplayGLScene& s = salon.scene();
        s.afficheArdoise(ZB_PointsJass(), 0, 0, 1, {1, 9, -3}, -1);
        const int p = s.positionAffichage(1);
        QCOMPARE(s.texteBulle(p), QStringLiteral("Stöck"));
        QVERIFY(s.bulle(p)->isShown());
    }

    // The table after a deal, then while the human chooses a card, then
    // with the help box: the board is drawn on the slate, the status line
    // and the box show over the table.
    void picturesOfTheBoardTheStatusAndTheHelp_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<int>("theme");
        QTest::newRow("jass") << false << 0;
        QTest::newRow("belote") << true << 0;
        QTest::newRow("jass_racing") << false << 2;
        QTest::newRow("belote_candy") << true << 3;
    }
    void picturesOfTheBoardTheStatusAndTheHelp()
    {
        QFETCH(bool, belote);
        QFETCH(int, theme);
        const QString jeu = QString::fromLatin1(QTest::currentDataTag());
        Salon salon(belote, false, 11, 0, true, 2, theme);
        DisplayGLScene& s = salon.scene();
        s.createGLObjects();
        // As the main window gives the table its colours.
        s.appliqueCouleurs(0, QGuiApplication::palette());
        s.nouvelleDonne(belote ? 8 : 9, belote ? 1000 : 1500, 0);
        DonneArdoise d;
        d.cartes[0] = 97;
        d.cartes[1] = 55;
        d.annonces[0] = 50;
        d.der[0] = belote ? 10 : 5;
        s.afficheArdoise(points(d), 812, 655, 1, {2}, belote ? 1 : -1);
        arreteScores(s);
        s.showNotify();
        QTRY_COMPARE(s.notification()->getRatio(), 1.0f);
        const QImage tableau = salon.table->image();
        gardeImage(tableau, QStringLiteral("board_%1.png").arg(jeu));
        // The slate's picture now differs from its bare theme picture.
        QVERIFY(s.imageArdoise() != QImage());

        salon.position.partie->noDuProchainAJouer_ = 0;
        s.setTexteAide(QStringLiteral("Double-cliquez sur une carte pour la jouer."));
        salon.etat(54, 0, AUCUN, 0);
        const QImage statut = salon.table->image();
        gardeImage(statut, QStringLiteral("status_card_choice_%1.png").arg(jeu));
        const QRectF ligne = s.lignesArdoise()[1]->sceneBoundingRect();
        QVERIFY(!ligne.isEmpty());
        QVERIFY(s.zoneTable().contains(ligne));

        s.OnHelpPressed();
        QTRY_VERIFY(s.boitePrincipale().widget->isVisible());
        QVERIFY(s.boitePrincipale().ui->labelWiki->isVisible());
        gardeImage(salon.table->image(), QStringLiteral("help_box_%1.png").arg(jeu));
        QVERIFY(s.historiqueBoites().last().contains(QStringLiteral("L'ordinateur vous conseille de")));
        // With a real deck every card and suit has its name.
        QVERIFY2(!s.historiqueBoites().last().contains(QStringLiteral("''")), qPrintable(s.historiqueBoites().last()));
        QVERIFY(!s.historiqueBoites().last().contains(QStringLiteral(" de '")));
    }
};

ZB_REGISTER_TEST(TestSceneScoreboard)
#include "TestSceneScoreboard.moc"
