#include "AffichageDeScene.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "GL_ObjectCube.h"
#include "HeadlessMatch.h"
#include "InfoDemande.h"
#include "TableDeScene.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <array>

using namespace scenetest;
using namespace match_sans_tete;

class TestSceneWholeMatch : public QObject
{
    Q_OBJECT

private slots:
    // Four computer players play a whole match on a shown table, at the
    // table's own pace ten times faster: the cloth holds the game's trick at
    // every card (announced cards included), every played card goes to a pile
    // (the last trick of a deal is cleared by the deal's end), and the
    // scene holds no more items afterwards than before.
    void wholeMatchOnTheTable_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("preset");
        QTest::newRow("jass") << 0 << 1;
        QTest::newRow("belote contree") << 1 << 8;
    }
    void wholeMatchOnTheTable()
    {
        QFETCH(int, genre);
        QFETCH(int, preset);
        Reglages r;
        r.automatique = false;
        r.options.cardStyle_ = 9; // no pictures: the match is quick
        r.options.sounds_ = false;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        s.setFacteurDurees(0.1);
        s.createGLObjects();
        const int items = s.items().size();
        AffichageDeScene affichage(s);
        {
            Banc banc(true, &affichage);
            banc.demarre(optionsDuPreset(genre, preset), 20261207u + quint32(preset), 10);
            QString pourquoi;
            QVERIFY2(banc.attendFin(pourquoi), qPrintable(pourquoi));
            QCOMPARE(banc.salle.cartesIllegales, 0);
            // The match's last trick lies there until the table is cleared.
            affichage.finDeDonne(false);
            QVERIFY(affichage.donnes > 0);
            // A Jass match may end mid-deal once a team reaches the target.
            QVERIFY(affichage.cartesJouees >= (affichage.donnes - 1) * (genre == 0 ? 36 : 32));
            QCOMPARE(affichage.cartesPerdues, 0);
            QCOMPARE(affichage.plisFaux, 0);
            // Every card on a pile, but the last trick of each deal, which the
            // end of the deal or the next deal clears.
            QCOMPARE(affichage.cartesSurPile + affichage.cartesDernierPli, affichage.cartesJouees);
            QVERIFY(affichage.cartesDernierPli <= 4 * affichage.donnes);
            if (genre == 1)
                QVERIFY(affichage.bulles > 0);
            // Every state and score reached the status line and the board; the
            // bottom seat is a computer's, so the screen's user only watches.
            QVERIFY(affichage.etats > affichage.cartesJouees);
            QVERIFY(affichage.ardoises >= affichage.donnes);
            QCOMPARE(s.texteStatut(), QStringLiteral("Vous êtes spectateur."));
            QVERIFY(!s.imageArdoise().isNull());
            // The flights end; nothing of the match stays on the table.
            QTRY_VERIFY_WITH_TIMEOUT(
                [&] {
                    for (int i = 0; i < 36; ++i)
                        if (s.objetCarte(i)->isMoving() || s.objetCarte(i)->isShown())
                            return false;
                    return true;
                }(),
                5000);
            QCOMPARE(s.items().size(), items);
            // The seats' players die with the table: the scene lets them go
            // first, as the table view does when a room goes.
            s.setPartie({});
            for (int siege = 0; siege < DisplayGLScene::NOMBRE_SIEGES; ++siege)
                s.setJoueur(siege, nullptr);
        }
    }
};

ZB_REGISTER_TEST(TestSceneWholeMatch)
#include "TestSceneWholeMatch.moc"
