#include "DisplayGLPaintWidget.h"
#include "DisplayGLWidget.h"
#include "SceneDeTest.h"
#include "ZbTestRegistry.h"

#include <QGraphicsPixmapItem>
#include <QDir>
#include <QGraphicsView>
#include <QTest>

#include <memory>

namespace {

using Placement = DisplayGLPaintA::Placement;

using Banc = BancWidget;

QImage image(int largeur, int hauteur, const QColor& couleur = Qt::red)
{
    return imageUnie(largeur, hauteur, couleur);
}

} // namespace

// The widget engine: every object a pixmap item of the scene, placed from
// the placement kinds.
class TestPaintWidget : public QObject
{
    Q_OBJECT

private slots:
    void holderFallsBackWithoutOpenGL()
    {
        // Where no OpenGL context can be made (the offscreen platform) the
        // table is still drawn, by the widget engine.
        DisplayGLWidget holder;
        QCOMPARE(holder.isOpenGL(), DisplayGLWidget::openGLDisponible());
        if (!holder.isOpenGL())
            QVERIFY(qobject_cast<DisplayGLPaintWidget*>(holder.engineWidget()));
        QVERIFY(holder.paintEngine());
        DisplayGLWidget force(nullptr, DisplayGLWidget::MoteurWidget);
        QVERIFY(qobject_cast<DisplayGLPaintWidget*>(force.engineWidget()));

        // Built by the meta-object system from its default constructor.
        std::unique_ptr<QObject> construit(DisplayGLPaintWidget::staticMetaObject.newInstance());
        QVERIFY(qobject_cast<DisplayGLPaintWidget*>(construit.get()));
    }

    void holderSurvivesTheViewDeletingItsViewport()
    {
        auto holder = QSharedPointer<DisplayGLWidget>::create(nullptr, DisplayGLWidget::MoteurWidget);
        {
            QGraphicsView vue;
            vue.setViewport(holder->engineWidget());
        }
        QVERIFY(holder->paintEngine() == nullptr);
        QCOMPARE(holder->placePosition(0, Placement::Cloth), QVector3D());
        holder.reset();
    }

    void idsAreReusedAndUnknownIdsIgnored()
    {
        Banc b;
        const int a = b.moteur->createObject(1.0, 1.0, QStringLiteral("a"));
        const int c = b.moteur->createObject(0.5, 0.5, QStringLiteral("c"));
        QCOMPARE(a, 0);
        QCOMPARE(c, 1);
        QCOMPARE(b.scene.scene.items().size(), 2);
        b.moteur->deleteObject(a);
        QCOMPARE(b.scene.scene.items().size(), 1);
        QCOMPARE(b.moteur->createObject(2.0, 2.0, QStringLiteral("d")), a);
        QCOMPARE(b.moteur->nombreObjets(), 2);

        for (int inconnu : {-1, 2, 99}) {
            b.moteur->setObjectImage(inconnu, image(4, 4));
            b.moteur->drawObject(inconnu, Placement::Cloth, {});
            b.moteur->hideObject(inconnu);
            b.moteur->deleteObject(inconnu);
        }
        b.moteur->deleteObject(a);
        b.moteur->deleteObject(a);
        QCOMPARE(b.moteur->nombreObjets(), 1);
    }

    void newObjectsStartHiddenAtTheTurnedCardPlace()
    {
        Banc b;
        const int id = b.moteur->createObject(1.0, 1.0, QString());
        QGraphicsPixmapItem* item = b.moteur->item(id);
        QVERIFY(!item->isVisible());
        QCOMPARE(item->zValue(), -1.0);
        QCOMPARE(item->scale(), 0.35);
        QCOMPARE(item->pos(), QPointF(400, 300));
    }

    void picturesAre480PixelsPerUnit()
    {
        Banc b;
        const int id = b.moteur->createObject(0.5, 0.25, QString());
        b.moteur->setObjectImage(id, image(16, 16));
        QCOMPARE(b.moteur->item(id)->pixmap().size(), QSize(240, 120));
        // A null picture leaves the one there.
        b.moteur->setObjectImage(id, QImage());
        QCOMPARE(b.moteur->item(id)->pixmap().size(), QSize(240, 120));
        // An object too small for one pixel keeps no picture rather than failing.
        const int minuscule = b.moteur->createObject(0.001, 0.001, QString());
        b.moteur->setObjectImage(minuscule, image(16, 16));
        QVERIFY(b.moteur->item(minuscule)->pixmap().isNull());
    }

    void placePosition_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVector3D>("point");
        // A 1 x 1 object is 480 pixels at scale 0.35: 168 wide, so cx = 316, cy = 216.
        QTest::newRow("background") << 0 << QVector3D(316, 216, -20103);
        QTest::newRow("cloth") << 1 << QVector3D(316, 216, -20102);
        QTest::newRow("slate") << 2 << QVector3D(0, 0, -20090);
        QTest::newRow("trick, bottom") << 3 << QVector3D(316, 277, -20100);
        QTest::newRow("trick, right") << 4 << QVector3D(382, 216, -20100);
        QTest::newRow("trick, top") << 5 << QVector3D(316, 155, -20100);
        QTest::newRow("trick, left") << 6 << QVector3D(250, 216, -20100);
        QTest::newRow("turned card") << 7 << QVector3D(316, 216, -20100);
        QTest::newRow("pile, bottom") << 8 << QVector3D(316, 762, -20100);
        QTest::newRow("pile, left") << 11 << QVector3D(-230, 216, -20100);
        QTest::newRow("edge, bottom = hand 0 place 0") << 12 << QVector3D(316, 398, -20100);
        QTest::newRow("edge, top = hand 2 place 3") << 14 << QVector3D(316, 34, -20097);
        QTest::newRow("hand 0, place 2") << 18 << QVector3D(346, 398, -20098);
        QTest::newRow("hand 1, place 8") << 33 << QVector3D(498, 336, -20092);
        QTest::newRow("hand 2, place 0") << 34 << QVector3D(271, 34, -20100);
        QTest::newRow("hand 3, place 1") << 44 << QVector3D(126, 231, -20099);
        // The bottom bubble right of the cloth, its lower edge on the cloth's.
        QTest::newRow("bubble 0") << 52 << QVector3D(530, 258, -20090);
        // The left bubble lies its whole width and a gap beyond the cloth's side.
        QTest::newRow("bubble 3") << 55 << QVector3D(102, 241, -20090);
        QTest::newRow("notification") << 56 << QVector3D(316, 426, -20100);
        QTest::newRow("unknown") << 99 << QVector3D(0, 0, -20100);
        QTest::newRow("negative") << -3 << QVector3D(0, 0, -20100);
    }

    void placePosition()
    {
        QFETCH(int, kind);
        QFETCH(QVector3D, point);
        Banc b;
        const int id = b.moteur->createObject(1.0, 1.0, QString());
        b.moteur->setObjectImage(id, image(8, 8));
        b.moteur->item(id)->setRotation(30);
        QCOMPARE(b.moteur->placePosition(id, kind), point);
        QCOMPARE(b.moteur->item(id)->rotation(), 0.0);
    }

    void drawObject_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVector3D>("position");
        QTest::addColumn<float>("echelle");
        QTest::addColumn<bool>("leve");
        QTest::addColumn<QPointF>("pos");
        QTest::addColumn<double>("z");
        QTest::addColumn<double>("rotation");
        QTest::addColumn<double>("scale");

        QTest::newRow("placement's point") << 3 << QVector3D() << 1.0f << false << QPointF(316, 277) << -20100.0
                                           << 0.0 << 0.35;
        QTest::newRow("given point") << 3 << QVector3D(10, 20, 5) << 1.0f << false << QPointF(10, 20) << 5.0
                                     << 0.0 << 0.35;
        QTest::newRow("slate turns") << 2 << QVector3D() << 2.0f << false << QPointF(0, 0) << -20090.0 << -4.0
                                     << 0.7;
        QTest::newRow("hand 1 fans") << 25 << QVector3D() << 1.0f << false << QPointF(498, 216) << -20100.0
                                     << -87.6 << 0.35;
        QTest::newRow("hand 2 fans") << 42 << QVector3D() << 1.0f << false << QPointF(391, 34) << -20092.0
                                     << -2.4 << 0.35;
        QTest::newRow("hand 3 fans") << 43 << QVector3D() << 1.0f << false << QPointF(126, 216) << -20100.0
                                     << -92.4 << 0.35;
        QTest::newRow("raised bottom card stays") << 16 << QVector3D() << 1.0f << true << QPointF(316, 398)
                                                  << -20100.0 << 0.0 << 0.35;
        // Centred on its place at the size it is drawn, a raised card's
        // corner lies further out.
        QTest::newRow("raised right card comes in") << 25 << QVector3D() << 1.0f << true << QPointF(398.2, 199.2)
                                                     << -20100.0 << -87.6 << 0.42;
        QTest::newRow("raised top card comes in") << 34 << QVector3D() << 1.0f << true << QPointF(254.2, 100.2)
                                                  << -20100.0 << 2.4 << 0.42;
        QTest::newRow("raised left card comes in") << 43 << QVector3D() << 1.0f << true << QPointF(192.2, 199.2)
                                                   << -20100.0 << -92.4 << 0.42;
        QTest::newRow("scale floor") << 7 << QVector3D() << 0.0f << false << QPointF(397.6, 297.6) << -20100.0 << 0.0
                                     << 0.01;
        QTest::newRow("negative scale floor") << 7 << QVector3D() << -3.0f << false << QPointF(397.6, 297.6)
                                              << -20100.0 << 0.0 << 0.01;
    }

    void drawObject()
    {
        QFETCH(int, kind);
        QFETCH(QVector3D, position);
        QFETCH(float, echelle);
        QFETCH(bool, leve);
        QFETCH(QPointF, pos);
        QFETCH(double, z);
        QFETCH(double, rotation);
        QFETCH(double, scale);

        Banc b;
        const int id = b.moteur->createObject(1.0, 1.0, QString());
        b.moteur->setObjectImage(id, image(8, 8));
        DisplayGLPaintA::TransformRecord t;
        t.x = position.x();
        t.y = position.y();
        t.z = position.z();
        t.scale = echelle;
        t.setRaised(leve);
        b.moteur->drawObject(id, kind, t);
        QGraphicsPixmapItem* item = b.moteur->item(id);
        QVERIFY(item->isVisible());
        QVERIFY2((item->pos() - pos).manhattanLength() < 1e-3,
                 qPrintable(QStringLiteral("at %1,%2").arg(item->pos().x()).arg(item->pos().y())));
        QCOMPARE(item->zValue(), z);
        QVERIFY(qAbs(item->rotation() - rotation) < 1e-9);
        QVERIFY(qAbs(item->scale() - scale) < 1e-9);
        b.moteur->hideObject(id);
        QVERIFY(!item->isVisible());
    }

    void setViewportDoesNotRepaintAndUpdateDoesNotNest()
    {
        // The scene sets the viewport while it paints its layer; a viewport
        // change that repainted would never end.
        Banc b;
        int profondeur = 0;
        int profondeurMax = 0;
        b.scene.pendantPeinture = [&] {
            ++profondeur;
            profondeurMax = qMax(profondeurMax, profondeur);
            b.moteur->setViewport(1, 2, 300, 400);
            b.moteur->update();
            --profondeur;
        };
        b.moteur->update();
        QCOMPARE(b.scene.peintures, 1);
        QCOMPARE(profondeurMax, 1);
        b.moteur->update();
        QCOMPARE(b.scene.peintures, 2);
        b.moteur->setViewport(5, 6, 7, 8);
        QCOMPARE(b.scene.peintures, 2);
        QCOMPARE(b.moteur->viewport(), QRect(5, 6, 7, 8));
    }

    void sceneObjectsAreCreatedOncePerScene()
    {
        Banc b;
        for (int i = 0; i < 5; ++i) {
            b.moteur->makeCurrent();
            b.moteur->doneCurrent();
        }
        b.moteur->initialize();
        QCOMPARE(b.scene.creations, 1);

        SceneDeTest autre(b.holder);
        b.moteur->setScene(&autre);
        b.moteur->makeCurrent();
        b.moteur->makeCurrent();
        QCOMPARE(autre.creations, 1);
        QCOMPARE(b.scene.creations, 1);
        b.moteur->setScene(&b.scene);
    }

    void itemsFollowTheScene()
    {
        Banc b;
        const int id = b.moteur->createObject(1.0, 1.0, QString());
        QCOMPARE(b.moteur->item(id)->scene(), &b.scene.scene);
        {
            SceneDeTest autre(b.holder);
            b.moteur->setScene(&autre);
            QCOMPARE(b.moteur->item(id)->scene(), &autre.scene);
            QVERIFY(b.scene.scene.items().isEmpty());
            // The scene leaves: its items come back to the engine, not freed.
        }
        QVERIFY(b.moteur->item(id));
        QCOMPARE(b.moteur->item(id)->scene(), nullptr);
        b.moteur->setScene(&b.scene);
        QCOMPARE(b.moteur->item(id)->scene(), &b.scene.scene);
    }

    void pictureOfATable()
    {
        Banc b;
        b.scene.remplitTable();
        b.moteur->update();
        QImage vue(800, 600, QImage::Format_ARGB32_Premultiplied);
        vue.fill(b.scene.fond);
        {
            QPainter peintre(&vue);
            b.scene.scene.render(&peintre, QRectF(0, 0, 800, 600), QRectF(0, 0, 800, 600));
        }
        const QString dossier = qEnvironmentVariable("ZB_DISPLAY_PNG_DIR");
        if (!dossier.isEmpty() && QDir().mkpath(dossier))
            vue.save(dossier + QStringLiteral("/widget_table.png"));
        // Seven squares and one face of each of the 32 cards are shown; the
        // turned card lies in the middle, on the cloth.
        int visibles = 0;
        for (QGraphicsItem* item : b.scene.scene.items())
            visibles += item->isVisible() ? 1 : 0;
        QCOMPARE(b.scene.scene.items().size(), 7 + 2 * 32);
        QCOMPARE(visibles, 7 + 32);
        QVERIFY(vue.pixelColor(400, 300) != b.scene.fond);
    }

    void grabGivesTheViewsPicture()
    {
        struct Recepteur : DisplayGLPaintA::CallBack_PortableGrabFrameBuffer_Completed
        {
            int appels = 0;
            QImage image;
            void PortableGrabFrameBuffer_Completed(const QImage& i) override
            {
                ++appels;
                image = i;
            }
        } recepteur;

        Banc b;
        b.moteur->PortableGrabFrameBuffer(nullptr);
        b.moteur->resize(0, 0);
        b.moteur->PortableGrabFrameBuffer(&recepteur);
        QCOMPARE(recepteur.appels, 1);
        QVERIFY(recepteur.image.isNull());

        QGraphicsView vue(&b.scene.scene);
        vue.setViewport(b.moteur);
        vue.setBackgroundBrush(QColor(10, 200, 30));
        vue.resize(120, 90);
        vue.show();
        b.moteur->PortableGrabFrameBuffer(&recepteur);
        QCOMPARE(recepteur.appels, 2);
        QVERIFY(!recepteur.image.isNull());
        QCOMPARE(recepteur.image.pixelColor(recepteur.image.width() / 2, recepteur.image.height() / 2),
                 QColor(10, 200, 30));
        // The view deletes its viewport; the bench must not delete it again.
        vue.setViewport(new QWidget);
        b.moteur = nullptr;
    }
};

ZB_REGISTER_TEST(TestPaintWidget)
#include "TestPaintWidget.moc"
