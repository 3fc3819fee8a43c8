#include "DisplayGLPaintWidget.h"
#include "DisplayGLWidget.h"
#include "GL_ObjectCube.h"
#include "GL_ObjectSquare.h"
#include "SceneDeTest.h"
#include "ZbTestRegistry.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QPropertyAnimation>
#include <QTest>

#include <memory>

namespace {

using Placement = DisplayGLPaintA::Placement;

QImage image(int largeur, int hauteur, const QColor& couleur)
{
    return imageUnie(largeur, hauteur, couleur);
}

struct Banc : BancWidget
{
    std::unique_ptr<GL_ObjectCube> cube()
    {
        return std::make_unique<GL_ObjectCube>(holder, 0.2, 0.28,
                                               qMakePair(image(8, 8, Qt::white), image(8, 8, Qt::darkRed)),
                                               QStringLiteral("As de Pique"));
    }
    bool montre(int id) const { return moteur->item(id) && moteur->item(id)->isVisible(); }
};

} // namespace

// The textured objects of the 3-D layer, drawn by the widget engine.
class TestObjetsGL : public QObject
{
    Q_OBJECT

private slots:
    void newCubeShowsItsBackAndFreesItsObjects()
    {
        Banc b;
        {
            auto cube = b.cube();
            QVERIFY(cube->isShown());
            QCOMPARE(cube->getFace(), int(GL_ObjectCube::Back));
            QVERIFY(!cube->getHideAtEnd());
            QCOMPARE(b.moteur->nombreObjets(), 2);
            QCOMPARE(b.moteur->item(cube->getFrontId())->pixmap().size(), QSize(96, 134));

            cube->setPlacement(Placement::TurnedCard);
            cube->draw({});
            QVERIFY(b.montre(cube->getBackId()));
            QVERIFY(!b.montre(cube->getFrontId()));

            cube->setFace(GL_ObjectCube::Front);
            cube->draw({});
            QVERIFY(b.montre(cube->getFrontId()));
            QVERIFY(!b.montre(cube->getBackId()));

            cube->setFace(GL_ObjectCube::Aucune);
            cube->draw({});
            QVERIFY(!b.montre(cube->getFrontId()));
            QVERIFY(!b.montre(cube->getBackId()));
            cube->setFace(GL_ObjectCube::Front);

            cube->hide();
            QVERIFY(!b.montre(cube->getFrontId()));
            cube->draw({});
            QVERIFY(!b.montre(cube->getFrontId()));
        }
        QCOMPARE(b.moteur->nombreObjets(), 0);
    }

    void secondMoveStartsFromTheFirstMovesEnd()
    {
        Banc b;
        auto cube = b.cube();
        cube->moveTo(10.0f, 20.0f, 1.0f, false);
        QVERIFY(cube->isMoving());
        cube->moveTo(-5.0f, 0.0f, 2.0f, false);
        QCOMPARE(cube->getX(), 10.0f);
        QCOMPARE(cube->getY(), 20.0f);
        QCOMPARE(cube->getZ(), 1.0f);
        auto* x = cube->findChildren<QPropertyAnimation*>().value(0);
        QVERIFY(x);
        QCOMPARE(x->startValue().toFloat(), 10.0f);
        QCOMPARE(x->endValue().toFloat(), -5.0f);

        // While it moves the card is drawn at its animated point, not the
        // placement's.
        cube->setPlacement(Placement::TrickPlace);
        cube->draw({});
        QCOMPARE(b.moteur->item(cube->getBackId())->pos(), QPointF(10, 20));
    }

    void moveThatHidesAtItsEnd()
    {
        Banc b;
        auto cube = b.cube();
        cube->moveTo(1.0f, 2.0f, 3.0f, true);
        QVERIFY(cube->isShown());
        QTRY_VERIFY_WITH_TIMEOUT(!cube->isShown(), 5000);
        QCOMPARE(cube->getX(), 1.0f);
        QVERIFY(!b.montre(cube->getBackId()));

        // A new move shows the card again; a move that takes over from one
        // that was to hide does not hide the card when it is cut short.
        cube->moveTo(4.0f, 5.0f, 6.0f, true);
        QVERIFY(cube->isShown());
        cube->moveTo(7.0f, 8.0f, 9.0f, false);
        QVERIFY(cube->isShown());
        QCOMPARE(cube->getX(), 4.0f);
        QTRY_VERIFY_WITH_TIMEOUT(!cube->isMoving(), 5000);
        QVERIFY(cube->isShown());
        QCOMPARE(cube->getZ(), 9.0f);
    }

    void delayedShowAndPlacementStep()
    {
        Banc b;
        auto cube = b.cube();
        cube->showAfter(10);
        QVERIFY(!cube->isShown());
        QVERIFY(cube->isShowPending());
        QTRY_VERIFY_WITH_TIMEOUT(cube->isShown(), 5000);

        // The widget engine's point of a placement for the card's face.
        const QVector3D attendu = b.moteur->placePosition(cube->getBackId(), Placement::Pile + 1);
        cube->moveStep(Placement::Pile + 1);
        QCOMPARE(QVector3D(cube->getX(), cube->getY(), cube->getZ()), attendu);
        QVERIFY(cube->isChanged());
        cube->draw({});
        QVERIFY(!cube->isChanged());
        cube->moveStep(Placement::Pile + 1);
        QVERIFY(!cube->isChanged());
    }

    void squarePicturesArePowersOfTwo()
    {
        Banc b;
        GL_ObjectSquare carre(b.holder, 1.5, 1.5, QStringLiteral("zb_test_square.png"), Placement::Cloth);
        carre.reloadTheme(0);
        QCOMPARE(carre.getImage().size(), QSize(512, 256));
        QCOMPARE(b.moteur->item(carre.getId())->pixmap().size(), QSize(720, 720));

        // A theme without the picture keeps the one there; a square that
        // never had one gets a transparent picture.
        carre.reloadTheme(1);
        QCOMPARE(carre.getImage().size(), QSize(512, 256));
        GL_ObjectSquare vide(b.holder, 1.0, 1.0, QStringLiteral("absent.png"), Placement::Slate);
        vide.reloadTheme(17);
        QCOMPARE(vide.getImage().size(), QSize(1, 1));
        QCOMPARE(vide.getImage().pixelColor(0, 0).alpha(), 0);

        // A square that keeps no picture still gives the theme's to draw
        // on, and a theme without the picture leaves the engine's one.
        GL_ObjectSquare fond(b.holder, 1.5, 1.5, QStringLiteral("zb_test_square.png"), Placement::Background);
        fond.setGardeImage(false);
        fond.reloadTheme(0);
        QCOMPARE(fond.getImage(), carre.getImage());
        const qint64 montree = b.moteur->item(fond.getId())->pixmap().cacheKey();
        QCOMPARE(b.moteur->item(fond.getId())->pixmap().size(), QSize(720, 720));
        fond.reloadTheme(1);
        QCOMPARE(b.moteur->item(fond.getId())->pixmap().cacheKey(), montree);
        QCOMPARE(fond.getImage(), carre.getImage());

        QCOMPARE(GL_ObjectSquare::themeFolder(4), QStringLiteral(":/images/nature"));
        QVERIFY(GL_ObjectSquare::themeFolder(-1).isEmpty());
        QCOMPARE(GL_ObjectSquare::puissanceDeDeuxSuperieure(300), 512);
        QCOMPARE(GL_ObjectSquare::puissanceDeDeuxSuperieure(256), 256);
        QCOMPARE(GL_ObjectSquare::puissanceDeDeuxSuperieure(0), 1);
    }

    void squareShowsAndHides()
    {
        Banc b;
        GL_ObjectSquare bulle(b.holder, 0.7, 0.28, QStringLiteral("zb_test_square.png"), Placement::SeatBubble);
        bulle.reloadTheme(0);
        QVERIFY(bulle.isShown());
        QCOMPARE(bulle.getRatio(), 1.0f);

        DisplayGLPaintA::TransformRecord t;
        t.scale = 2.0f;
        bulle.setRatio(0.5f);
        bulle.draw(t);
        // The transform's scale, the square's ratio, the engine's objects'
        // share and a seat bubble's enlargement.
        const double echelle = 0.35 * DisplayGLPaintWidget::AGRANDISSEMENT_BULLE;
        QVERIFY(qAbs(b.moteur->item(bulle.getId())->scale() - echelle) < 1e-6);

        // Hidden with animation, it stays drawn until its timer fires.
        bulle.setShown(false, true);
        QVERIFY(bulle.isShown());
        QVERIFY(bulle.isHidePending());
        bulle.draw(t);
        QVERIFY(b.montre(bulle.getId()));
        QTRY_VERIFY_WITH_TIMEOUT(!bulle.isShown(), 5000);
        QCOMPARE(bulle.getRatio(), 1.0f);
        bulle.draw(t);
        QVERIFY(!b.montre(bulle.getId()));

        // Shown with animation, it counts as shown at once and grows from 0.
        bulle.setShown(true, true);
        QVERIFY(bulle.isShown());
        QCOMPARE(bulle.animation()->startValue().toFloat(), 0.0f);
        QCOMPARE(bulle.animation()->easingCurve().type(), QEasingCurve::OutBack);
        // Without animation: full size at once, and no animation left to
        // undo it.
        bulle.setShown(false, false);
        QVERIFY(!bulle.isShown());
        QCOMPARE(bulle.getRatio(), 1.0f);
        QCOMPARE(bulle.animation()->state(), QAbstractAnimation::Stopped);
    }

    void objectsOutliveTheirEngine()
    {
        // The view deletes its viewport, the engine; objects still held by
        // the scene must then do nothing rather than crash.
        Banc b;
        auto cube = b.cube();
        auto carre = std::make_unique<GL_ObjectSquare>(b.holder, 1.0, 1.0, QStringLiteral("zb_test_square.png"),
                                                       Placement::Cloth);
        {
            QGraphicsView vue;
            vue.setViewport(b.holder->engineWidget());
        }
        QVERIFY(!b.holder->paintEngine());
        cube->moveTo(1, 1, 1, true);
        cube->draw({});
        cube->moveStep(Placement::Pile);
        cube->reloadTheme(0);
        carre->reloadTheme(0);
        carre->draw({});
        carre->setShown(false, false);
        cube.reset();
        carre.reset();
    }
};

ZB_REGISTER_TEST(TestObjetsGL)
#include "TestObjetsGL.moc"
