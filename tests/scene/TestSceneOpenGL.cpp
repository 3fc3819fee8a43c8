#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLScene.h"
#include "DisplayGLWidget.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAutoRound.h"
#include "ZB_PointsJass.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QGraphicsView>
#include <QOpenGLContext>
#include <QPainter>
#include <QTest>

#include <memory>

namespace {

struct Recepteur : DisplayGLPaintA::CallBack_PortableGrabFrameBuffer_Completed
{
    int appels = 0;
    QImage image;
    void PortableGrabFrameBuffer_Completed(const QImage& i) override
    {
        ++appels;
        image = i;
    }
};

void garde(const QImage& image, const QString& nom)
{
    const QString dossier = qEnvironmentVariable("ZB_DISPLAY_PNG_DIR");
    if (!dossier.isEmpty() && QDir().mkpath(dossier))
        image.save(dossier + QLatin1Char('/') + nom);
}

} // namespace

// The scene on the OpenGL engine, as the program draws it: run under
// xvfb-run with Mesa (CTest label opengl); elsewhere it is skipped.
class TestSceneOpenGL : public QObject
{
    Q_OBJECT

private slots:
    // Skipped per test: a skip in initTestCase would also skip the classes
    // that run after this one in the same executable.
    void tableDrawnThroughTheOpenGLEngine()
    {
        if (!DisplayGLWidget::openGLDisponible())
            QSKIP("no OpenGL context here: run under xvfb-run with Mesa");
        auto holder = QSharedPointer<DisplayGLWidget>::create(nullptr, DisplayGLWidget::MoteurOpenGL);
        auto* moteur = static_cast<DisplayGLPaintOpenGL*>(holder->paintEngine());
        auto vue = std::make_unique<QGraphicsView>();
        vue->setViewport(moteur);
        vue->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
        vue->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        vue->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        vue->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        OptionsAffichage options;
        options.quality_ = 1;
        auto* scene = new DisplayGLScene(nullptr, vue.get(), holder, nullptr, nullptr, false, options, false, false,
                                         false, QStringLiteral("zb_test_scene"), QString(), nullptr, nullptr);
        vue->setScene(scene);
        moteur->setScene(scene);
        vue->resize(800, 600);
        scene->setSceneRect(QRectF(0, 0, 800, 600));
        vue->show();
        QVERIFY(QTest::qWaitForWindowExposed(vue.get()));
        QTRY_VERIFY(scene->isFondConstruit());
        QVERIFY(moteur->programmeUtilisable());

        Recepteur r;
        moteur->PortableGrabFrameBuffer(&r);
        QCOMPARE(r.appels, 1);
        QVERIFY(!r.image.isNull());
        garde(r.image, QStringLiteral("scene_opengl.png"));
        // The cloth lies in the middle, over the table's background.
        const QColor milieu = r.image.pixelColor(r.image.width() / 2, r.image.height() / 2);
        const QColor coin = r.image.pixelColor(2, 2);
        QVERIFY(milieu != coin);
        QVERIFY(milieu.green() > milieu.red());
        const QImage avant = r.image;

        // The scoreboard is a texture the engine takes again at each update:
        // the slate's corner of the frame changes with the score.
        ZB_PointsJass points;
        points.pointsCartes_[0] = 157;
        scene->afficheArdoise(points, 1234, 987, 1, {}, 1);
        moteur->PortableGrabFrameBuffer(&r);
        garde(r.image, QStringLiteral("scene_opengl_board.png"));
        const QRect ardoise(0, 0, r.image.width() / 4, r.image.height() / 3);
        QVERIFY(r.image.copy(ardoise) != avant.copy(ardoise));

        // A box over the table. The view paints the widgets over the layer;
        // a frame grab holds the layer only, so the picture lays the scene's
        // items over it as the view does.
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(scene);
        emetteur.messageBox(GM::Information, QStringLiteral("Information"), QStringLiteral("Nouvelle donne."));
        QTRY_VERIFY(scene->boitePrincipale().widget->isVisible());
        moteur->PortableGrabFrameBuffer(&r);
        QImage avecBoite = r.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        {
            const QBrush fond = scene->backgroundBrush();
            scene->setBackgroundBrush(Qt::NoBrush);
            QPainter peintre(&avecBoite);
            scene->render(&peintre, QRectF(avecBoite.rect()), scene->sceneRect());
            scene->setBackgroundBrush(fond);
        }
        garde(avecBoite, QStringLiteral("scene_opengl_box.png"));
        const QColor boite = avecBoite.pixelColor(400, 300);
        QVERIFY2(boite.lightness() > 200, "the box's light panel covers the middle of the table");

        emetteur.setMessageBoxDisplayer(nullptr);
        delete scene;
        QVERIFY(moteur->scene() == nullptr);
    }
};

ZB_REGISTER_TEST(TestSceneOpenGL)
#include "TestSceneOpenGL.moc"
