#include "DisplayGLPaintOpenGL.h"
#include "DonneDeTable.h"
#include "TableDeScene.h"
#include "DisplayGLScene.h"
#include "DisplayGLScoreAnimText.h"
#include "GL_ObjectCube.h"
#include "DisplayGLWidget.h"
#include "GL_ObjectSquare.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAutoRound.h"
#include "SceneBulles.h"
#include "SceneGeometrie.h"
#include "ZB_StatusMise.h"
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
// A table on the OpenGL engine at a window size, without the computer's
// moves, drawing every frame whole.
static scenetest::Reglages reglagesOpenGL(QSize taille, bool belote)
{
    scenetest::Reglages r;
    r.automatique = false;
    r.belote = belote;
    r.options.quality_ = 1;
    r.taille = taille;
    r.moteur = DisplayGLWidget::MoteurOpenGL;
    return r;
}

// Shown, exposed and with its background built.
static bool montre(scenetest::TableDeScene& t)
{
    t.vue->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    t.vue->show();
    return QTest::qWaitForWindowExposed(t.vue.get())
        && QTest::qWaitFor([&t] { return t.scene->isFondConstruit(); }, 5000);
}

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
        // Around the slate's middle, wherever the camera puts it.
        const QPointF centre = moteur->versEcran(QVector3D(-1.0f, 1.08f, 0.1f));
        const QPoint point(qRound((centre.x() + 1.0) / 2.0 * r.image.width()),
                           qRound((1.0 - centre.y()) / 2.0 * r.image.height()));
        const QRect ardoise(point - QPoint(r.image.width() / 16, r.image.height() / 16),
                            QSize(r.image.width() / 8, r.image.height() / 8));
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

    // The camera shows the whole table, whatever the window's shape: every
    // corner of the cloth, the slate, the hands and the bubbles lands inside
    // the view, in the layer's upper part that leaves the bottom hand its
    // band, and the cloth stays in the middle across.
    void wholeTableInView_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::newRow("960x640") << QSize(960, 640);
        QTest::newRow("1280x800") << QSize(1280, 800);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
        QTest::newRow("800x900") << QSize(800, 900);
        QTest::newRow("tiny 40x30") << QSize(40, 30);
    }
    void wholeTableInView()
    {
        if (!DisplayGLWidget::openGLDisponible())
            QSKIP("no OpenGL context here: run under xvfb-run with Mesa");
        QFETCH(QSize, taille);
        scenetest::TableDeScene t(reglagesOpenGL(taille, false));
        auto* moteur = qobject_cast<DisplayGLPaintOpenGL*>(t.holder->engineWidget());
        QVERIFY(moteur);
        QVERIFY(montre(t));
        scenetest::Donne d;
        d.distribue(*t.scene, nullptr);
        t.scene->rafraichitCouche();
        // The frame follows the viewport the scene last set.
        QCOMPARE(moteur->tailleViewport(), taille * t.scene->devicePixelRatio());
        const double part = DisplayGLScene::PART_HAUTEUR_COUCHE_WIDGET;
        const double sol = 1.0 - 2.0 * part - 1e-4;
        for (const QVector3D& point : DisplayGLPaintOpenGL::pointsDuCadrage(1.0f)) {
            const QPointF ecran = moteur->versEcran(point);
            QVERIFY2(ecran.x() >= -1.0 && ecran.x() <= 1.0 && ecran.y() >= sol && ecran.y() <= 1.0,
                     qPrintable(QStringLiteral("(%1, %2) lands at (%3, %4)")
                                    .arg(point.x()).arg(point.y()).arg(ecran.x()).arg(ecran.y())));
        }
        for (const QVector3D& point : DisplayGLPaintOpenGL::pointsMainDuBas()) {
            const QPointF ecran = moteur->versEcran(point);
            QVERIFY(ecran.x() >= -1.0 && ecran.x() <= 1.0 && ecran.y() >= -1.0 && ecran.y() <= 1.0);
        }
        QVERIFY(std::abs(moteur->versEcran(QVector3D(0.0f, 0.0f, -0.05f)).x()) < 1e-3);
        if (taille.width() < 100)
            return;
        // The table is not drawn a speck in the middle either: the cloth
        // takes a good part of the view's height or width.
        const QPointF haut = moteur->versEcran(QVector3D(0.0f, 0.75f, -0.05f));
        const QPointF bas = moteur->versEcran(QVector3D(0.0f, -0.75f, -0.05f));
        const QPointF gauche = moteur->versEcran(QVector3D(-0.75f, 0.0f, -0.05f));
        const QPointF droite = moteur->versEcran(QVector3D(0.75f, 0.0f, -0.05f));
        QVERIFY(std::max((haut.y() - bas.y()) / 2.0, (droite.x() - gauche.x()) / 2.0) > 0.3);

        const QImage image = moteur->grabFramebuffer();
        garde(image, QStringLiteral("gl-dealt-table-%1x%2.png").arg(taille.width()).arg(taille.height()));
        // The cloth's green in the middle of the layer.
        const QColor milieu = image.pixelColor(image.width() / 2, qRound(image.height() * part / 2.0));
        QVERIFY(milieu.green() > milieu.red() + 20);

        // A message line (the trump of the deal) rises no higher than the
        // top seat's cards, which the layer draws at their true size.
        const QRectF table = t.scene->zoneTable();
        QRectF mainHaut;
        for (const Carte* carte : d[2]->main_) {
            const QRectF vu = moteur->contourVu(t.scene->objetCarte(carte->getIndex())->getBackId()).boundingRect();
            mainHaut |= QRectF(table.left() + vu.x() * table.width(), table.top() + vu.y() * table.height(),
                               vu.width() * table.width(), vu.height() * table.height());
        }
        QVERIFY(!mainHaut.isEmpty());
        t.scene->afficheMessageReseau(QStringLiteral("Trump is Hearts."));
        const DisplayGLScoreAnimText* ligne = t.scene->animationsMessage().front().get();
        const QRectF fin(ligne->parametres().positionFin, ligne->item()->boundingRect().size());
        QVERIFY2(fin.top() >= mainHaut.bottom(), qPrintable(QStringLiteral("the line ends at %1, the cards reach %2")
                                                                .arg(fin.top()).arg(mainHaut.bottom())));
    }

    // While the bid band shows, the camera frames the whole table (the
    // cloth with its plates, the slate, the other hands and every bubble)
    // above it: the band covers none of it.
    void tableAboveTheBidBand_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::newRow("800x600") << QSize(800, 600);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
    }
    void tableAboveTheBidBand()
    {
        if (!DisplayGLWidget::openGLDisponible())
            QSKIP("no OpenGL context here: run under xvfb-run with Mesa");
        QFETCH(QSize, taille);
        scenetest::TableDeScene t(reglagesOpenGL(taille, true));
        auto* moteur = qobject_cast<DisplayGLPaintOpenGL*>(t.holder->engineWidget());
        QVERIFY(moteur);
        QVERIFY(montre(t));
        scenetest::Donne d(true);
        d.distribue(*t.scene, nullptr);
        DisplayGLScene& s = *t.scene;
        ZB_StatusMise mise;
        mise.typeContrat_ = ZB_StatusMise::Simple;
        for (int j = 1; j < 4; ++j) {
            mise.miseFaite_ = true;
            mise.pointsMise_ = 80;
            mise.atoutMise_ = 2;
            s.afficheBulleMise(j, mise, 3);
        }
        // The bottom seat's bubble too, with no descender to read as height.
        s.afficheBulleAnnonce(0);
        s.conteneurAtouts()->show();
        s.rafraichitCouche();
        // Read as a person reads them: the height of the capitals in the
        // picture, a bubble's bid against the top plate's name, on the
        // words' own ground (the plate's zone also holds the slate's edge).
        const QImage image = moteur->grabFramebuffer();
        garde(image, QStringLiteral("gl-bid-band-%1x%2.png").arg(taille.width()).arg(taille.height()));
        const double hauteur = s.zoneTable().height() + 3.0;
        const auto encre = [&](const QPolygonF& vu, const QSizeF& taille, const QRectF& zone, auto fond) {
            QPolygonF ecran;
            for (const QPointF& p : vu)
                ecran << QPointF(p.x() * s.zoneTable().width(), p.y() * hauteur);
            const QPolygonF ou = scene_geometrie::vuDepuisLImage(ecran, taille, QPolygonF(zone));
            int premiere = -1;
            int derniere = -1;
            const QRect r = ou.boundingRect().toAlignedRect() & image.rect();
            for (int y = r.top(); y <= r.bottom(); ++y) {
                // A stroke of ink with the ground on both sides: not the
                // edge of the slate or of the cloth.
                bool mot = false;
                bool solAvant = false;
                bool dansLeTrait = false;
                for (int x = r.left(); x <= r.right() && !mot; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (!ou.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill)) {
                        solAvant = dansLeTrait = false;
                    } else if (c.lightness() < 50) {
                        dansLeTrait = dansLeTrait || solAvant;
                    } else {
                        mot = dansLeTrait && fond(c);
                        solAvant = fond(c);
                        dansLeTrait = false;
                    }
                }
                if (mot) {
                    premiere = premiere < 0 ? y : premiere;
                    derniere = y;
                }
            }
            return premiere < 0 ? 0 : derniere - premiere + 1;
        };
        const int nom = encre(moteur->contourVu(s.tapis()->getId()), QSizeF(s.imageTapis().size()),
                              s.zonePlaquePosition(2), [](const QColor& c) { return c.green() > c.red() + 30; });
        QVERIFY(nom >= 5);
        for (int p = 0; p < 4; ++p) {
            const QSize bulle = s.bulle(p)->getImage().size();
            const int mots = encre(moteur->contourVu(s.bulle(p)->getId()), QSizeF(bulle),
                                   SceneBulles::boiteTexte(bulle), [](const QColor& c) { return c.lightness() > 200; });
            QVERIFY2(mots >= nom, qPrintable(QStringLiteral("bubble %1's words %2 px high, the names' %3 px")
                                                 .arg(p).arg(mots).arg(nom)));
            // And as large, it hides neither the slate nor a plate.
            const QPolygonF vu = moteur->contourVu(s.bulle(p)->getId());
            QVERIFY2(!vu.intersects(moteur->contourVu(s.ardoise()->getId())), qPrintable(QString::number(p)));
            for (int q = 0; q < 4; ++q)
                QVERIFY2(!vu.intersects(scene_geometrie::vuDepuisLImage(moteur->contourVu(s.tapis()->getId()),
                                                                         QSizeF(s.imageTapis().size()),
                                                                         QPolygonF(s.zonePlaquePosition(q)))),
                         qPrintable(QStringLiteral("bubble %1 over plate %2").arg(p).arg(q)));
        }
        // A message line passes between the cloth and the top seat's bubble
        // (whose picture's clear edge it may graze).
        const QRectF r = moteur->contourVu(s.bulle(2)->getId()).boundingRect();
        const QRectF bulleHaut(r.x() * s.zoneTable().width(), r.y() * hauteur, r.width() * s.zoneTable().width(),
                               r.height() * hauteur);
        s.afficheMessageReseau(QStringLiteral("Trump is Hearts."));
        const DisplayGLScoreAnimText* ligne = s.animationsMessage().front().get();
        for (const QPointF& coin : {ligne->parametres().positionDebut, ligne->parametres().positionFin})
            QVERIFY(QRectF(coin, ligne->item()->boundingRect().size()).intersected(bulleHaut).height() < 1.0);
        const double haut = t.scene->proxyAtouts()->sceneBoundingRect().top();
        // The viewport is the table: from the table's offset, its height
        // the table area's and the 3 pixels kept off it.
        for (const QVector3D& point : DisplayGLPaintOpenGL::pointsDuCadrage(1.0f)) {
            const QPointF ecran = moteur->versEcran(point);
            const double y = t.scene->decalageTable() + (1.0 - ecran.y()) / 2.0 * hauteur;
            QVERIFY2(y <= haut + 0.5, qPrintable(QStringLiteral("(%1, %2) at %3, under the band's top %4")
                                                     .arg(point.x()).arg(point.y()).arg(y).arg(haut)));
        }
    }

    // Long names on the plates, as the layer shows them in perspective: no
    // plate reaches under the slate, whose corner lies over the cloth's,
    // at two sizes under two themes.
    void longNamesClearOfTheSlate_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<int>("theme");
        QTest::newRow("800x600, wood") << QSize(800, 600) << 0;
        QTest::newRow("1920x1080, candy") << QSize(1920, 1080) << 3;
    }
    void longNamesClearOfTheSlate()
    {
        if (!DisplayGLWidget::openGLDisponible())
            QSKIP("no OpenGL context here: run under xvfb-run with Mesa");
        QFETCH(QSize, taille);
        QFETCH(int, theme);
        scenetest::Reglages r = reglagesOpenGL(taille, false);
        r.options.appStyle_ = theme;
        scenetest::TableDeScene t(r);
        auto* moteur = qobject_cast<DisplayGLPaintOpenGL*>(t.holder->engineWidget());
        QVERIFY(moteur);
        QVERIFY(montre(t));
        scenetest::Donne d;
        for (int j = 0; j < 4; ++j)
            d.joueurs[size_t(j)]->options_.nom_ = j % 2 == 0 ? QString(24, QLatin1Char('W')) : QString(400, QLatin1Char('M'));
        d.joueurs[1]->options_.distant_ = 1;
        d.distribue(*t.scene, nullptr);
        DisplayGLScene& s = *t.scene;
        // The cloth's picture spans the square of the layer's cloth; the
        // engine tells where it drew the slate.
        const QSizeF image(s.imageTapis().size());
        const double bord = 0.75;
        const auto versEcran = [&](const QPointF& p) {
            const QPointF e = moteur->versEcran(QVector3D(float((p.x() / image.width() - 0.5) * 2.0 * bord),
                                                          float((0.5 - p.y() / image.height()) * 2.0 * bord), -0.05f));
            return QPointF((e.x() + 1.0) / 2.0, (1.0 - e.y()) / 2.0);
        };
        const auto surLArdoise = [&](int position) {
            const QRectF z = s.zonePlaquePosition(position);
            const QPolygonF plaque{versEcran(z.topLeft()), versEcran(z.topRight()), versEcran(z.bottomRight()),
                                   versEcran(z.bottomLeft())};
            return plaque.intersects(moteur->contourVu(s.ardoise()->getId()));
        };
        // The plates follow where the layer last drew the slate.
        for (int i = 0; i < 5; ++i) {
            t.scene->rafraichitCouche();
            moteur->grabFramebuffer();
            QCoreApplication::processEvents();
        }
        QVERIFY(moteur->contourVu(s.ardoise()->getId()).size() >= 4);
        for (int position = 0; position < 4; ++position) {
            QVERIFY(!s.zonePlaquePosition(position).isEmpty());
            QVERIFY2(!surLArdoise(position), qPrintable(s.textePlaquePosition(position)));
        }
        garde(moteur->grabFramebuffer(),
              QStringLiteral("gl-long-names-%1x%2.png").arg(taille.width()).arg(taille.height()));
    }
};

ZB_REGISTER_TEST(TestSceneOpenGL)
#include "TestSceneOpenGL.moc"
