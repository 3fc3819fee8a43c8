#include "SceneGeometrie.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <cmath>
#include <limits>

// Where and when the table puts things, each from its measures alone.
class TestSceneGeometrie : public QObject
{
    Q_OBJECT

private slots:
    void seatsAreDrawnFromTheBottomSeat_data()
    {
        QTest::addColumn<int>("siege");
        QTest::addColumn<int>("bas");
        QTest::addColumn<bool>("miroir");
        QTest::addColumn<int>("position");
        QTest::newRow("bottom seat") << 2 << 2 << false << 0;
        QTest::newRow("after the bottom seat: right") << 3 << 2 << false << 1;
        QTest::newRow("before the bottom seat: left") << 1 << 2 << false << 3;
        QTest::newRow("opposite") << 0 << 2 << false << 2;
        QTest::newRow("mirrored: right becomes left") << 3 << 2 << true << 3;
        QTest::newRow("mirrored: top stays") << 0 << 2 << true << 2;
        QTest::newRow("seat -1") << -1 << 0 << false << -1;
        QTest::newRow("seat 4") << 4 << 0 << false << -1;
        QTest::newRow("bottom seat out of range taken as 0") << 1 << 9 << false << 1;
    }
    void seatsAreDrawnFromTheBottomSeat()
    {
        QFETCH(int, siege);
        QFETCH(int, bas);
        QFETCH(bool, miroir);
        QFETCH(int, position);
        QCOMPARE(scene_geometrie::positionAffichage(siege, bas, miroir), position);
    }

    void dealGoesInPacketsOfThree_data()
    {
        QTest::addColumn<int>("tour");
        QTest::addColumn<int>("siege");
        QTest::addColumn<int>("delai");
        QTest::newRow("first card") << 0 << 0 << 0;
        QTest::newRow("seat 0, second card") << 1 << 0 << 50;
        QTest::newRow("seat 0, third card") << 2 << 0 << 100;
        QTest::newRow("seat 1, first card") << 0 << 1 << 150;
        QTest::newRow("seat 1, third card") << 2 << 1 << 250;
        QTest::newRow("seat 3, third card") << 2 << 3 << 550;
        QTest::newRow("second packet") << 3 << 0 << 900;
        QTest::newRow("third packet, seat 2") << 6 << 2 << 2100;
    }
    void dealGoesInPacketsOfThree()
    {
        QFETCH(int, tour);
        QFETCH(int, siege);
        QFETCH(int, delai);
        QCOMPARE(scene_geometrie::delaiDistribution(tour, siege), delai);
    }

    // The layer's scale for any window: never 0, negative or NaN.
    void tableScaleStaysPositive_data()
    {
        QTest::addColumn<double>("largeur");
        QTest::addColumn<double>("hauteur");
        QTest::addColumn<double>("attendu"); // -1: only positive
        QTest::newRow("wide") << 1920.0 << 1080.0 << 1.0;
        QTest::newRow("aspect 0.5") << 500.0 << 1000.0 << 0.82;
        QTest::newRow("1x1") << 1.0 << 1.0 << 1.0;
        QTest::newRow("1 wide, 8K high") << 1.0 << 4320.0 << -1.0;
        QTest::newRow("no width") << 0.0 << 600.0 << -1.0;
        QTest::newRow("no height") << 800.0 << 0.0 << 1.0;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 600.0 << 1.0;
    }
    void tableScaleStaysPositive()
    {
        QFETCH(double, largeur);
        QFETCH(double, hauteur);
        QFETCH(double, attendu);
        const double e = scene_geometrie::echelleTable(largeur, hauteur);
        QVERIFY(std::isfinite(e));
        QVERIFY(e > 0.0);
        if (attendu > 0.0)
            QVERIFY(std::abs(e - attendu) < 1e-9);
    }

    void dialogGoesWhereItsPlacementAndModeSay_data()
    {
        QTest::addColumn<QRectF>("table");
        QTest::addColumn<double>("largeurScene");
        QTest::addColumn<int>("placement");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QRect>("attendu");
        QTest::newRow("inset") << QRectF(0, 0, 1000, 600) << 1000.0 << 0 << 1 << QRect(90, 101, 820, 394);
        QTest::newRow("whole table") << QRectF(0, 0, 1000, 600) << 1000.0 << 0 << 0 << QRect(0, 0, 1000, 597);
        QTest::newRow("right strip") << QRectF(0, 0, 1000, 600) << 1600.0 << 1 << 0 << QRect(1000, 0, 600, 597);
        QTest::newRow("right strip, no room") << QRectF(0, 0, 1000, 600) << 1000.0 << 1 << 0
                                              << QRect(0, 0, 1000, 597);
        QTest::newRow("table of no height") << QRectF(0, 0, 1000, 0) << 1000.0 << 0 << 1 << QRect(90, 0, 820, 0);
        QTest::newRow("offset table") << QRectF(0, 40, 800, 560) << 800.0 << 0 << 1 << QRect(72, 135, 656, 368);
    }
    void dialogGoesWhereItsPlacementAndModeSay()
    {
        QFETCH(QRectF, table);
        QFETCH(double, largeurScene);
        QFETCH(int, placement);
        QFETCH(int, mode);
        QFETCH(QRect, attendu);
        QCOMPARE(scene_geometrie::geometrieDialogue(table, largeurScene, placement, mode), attendu);
    }

    // A quick flick is a swipe in the main window's numbers: 1 left, 2
    // right, 4 up, 3 down; too short, too slow or too small is none.
    void swipeDirections_data()
    {
        QTest::addColumn<QPointF>("appui");
        QTest::addColumn<QPointF>("relache");
        QTest::addColumn<qint64>("duree");
        QTest::addColumn<int>("direction");
        const QPointF milieu(480, 320);
        QTest::newRow("left") << milieu << QPointF(300, 320) << qint64(300) << 1;
        QTest::newRow("right") << milieu << QPointF(700, 330) << qint64(300) << 2;
        QTest::newRow("up") << milieu << QPointF(470, 200) << qint64(300) << 4;
        QTest::newRow("down") << milieu << QPointF(490, 450) << qint64(300) << 3;
        QTest::newRow("sideways first") << milieu << QPointF(300, 100) << qint64(300) << 1;
        QTest::newRow("within an eighth") << milieu << QPointF(400, 260) << qint64(300) << 0;
        QTest::newRow("100 ms is too quick") << milieu << QPointF(300, 320) << qint64(100) << 0;
        QTest::newRow("1000 ms is too slow") << milieu << QPointF(300, 320) << qint64(1000) << 0;
        QTest::newRow("no move") << milieu << milieu << qint64(300) << 0;
    }
    void swipeDirections()
    {
        QFETCH(QPointF, appui);
        QFETCH(QPointF, relache);
        QFETCH(qint64, duree);
        QFETCH(int, direction);
        QCOMPARE(scene_geometrie::directionGlissement(appui, relache, QSizeF(960, 640), duree), direction);
    }

    // What lies over a picture seen as a quadrilateral, in the picture's
    // pixels, whatever order the corners come in; nothing for what lies
    // beside it or a picture seen as no quadrilateral.
    void coveredPartInThePicture_data()
    {
        QTest::addColumn<QPolygonF>("vu");
        QTest::addColumn<QPolygonF>("dessus");
        QTest::addColumn<QRectF>("couvert");
        // Seen 200 x 100 at (100, 100), a picture of 1000 x 1000.
        const QPolygonF carre{QPointF(100, 100), QPointF(300, 100), QPointF(300, 200), QPointF(100, 200)};
        const QPolygonF coin{QPointF(50, 50), QPointF(120, 50), QPointF(120, 110), QPointF(50, 110)};
        QTest::newRow("over the top-left corner") << carre << coin << QRectF(0, 0, 100, 100);
        QTest::newRow("corners in another order")
            << QPolygonF{carre[2], carre[0], carre[3], carre[1]} << coin << QRectF(0, 0, 100, 100);
        QTest::newRow("beside it") << carre << coin.translated(0, 300) << QRectF();
        QTest::newRow("a picture seen as a point")
            << QPolygonF{QPointF(1, 1), QPointF(1, 1), QPointF(1, 1), QPointF(1, 1)} << coin << QRectF();
    }
    void coveredPartInThePicture()
    {
        QFETCH(QPolygonF, vu);
        QFETCH(QPolygonF, dessus);
        QFETCH(QRectF, couvert);
        const QRectF lu = scene_geometrie::couvertDansLImage(vu, QSizeF(1000, 1000), dessus).boundingRect();
        QVERIFY2(std::abs(lu.left() - couvert.left()) < 0.5 && std::abs(lu.top() - couvert.top()) < 0.5
                     && std::abs(lu.width() - couvert.width()) < 0.5 && std::abs(lu.height() - couvert.height()) < 0.5,
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(lu.left()).arg(lu.top()).arg(lu.width()).arg(lu.height())));
    }
};

ZB_REGISTER_TEST(TestSceneGeometrie)
#include "TestSceneGeometrie.moc"
