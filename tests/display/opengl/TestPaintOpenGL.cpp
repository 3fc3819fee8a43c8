#include "CompteAvertissements.h"
#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLWidget.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "SceneDeTest.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QMessageBox>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QTest>

#include <memory>

namespace {

using Placement = DisplayGLPaintA::Placement;

QImage unie(int largeur, int hauteur, const QColor& couleur)
{
    return imageUnie(largeur, hauteur, couleur);
}

DisplayGLPaintA::ViewParameters vueTable()
{
    auto p = DisplayGLPaintA::ViewParameters::parDefaut();
    p[DisplayGLPaintA::ViewParameters::FacteurHauteur] = 0.6;
    p[DisplayGLPaintA::ViewParameters::Table] = 1.0;
    return p;
}

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

// Saves a picture for a person to look at when ZB_DISPLAY_PNG_DIR names a folder.
void garde(const QImage& image, const QString& nom)
{
    const QString dossier = qEnvironmentVariable("ZB_DISPLAY_PNG_DIR");
    if (!dossier.isEmpty() && QDir().mkpath(dossier))
        image.save(dossier + QLatin1Char('/') + nom + QStringLiteral(".png"));
}

// An OpenGL engine shown at 400 x 300, with a scene.
struct Banc
{
    QSharedPointer<DisplayGLWidget> holder =
        QSharedPointer<DisplayGLWidget>::create(nullptr, DisplayGLWidget::MoteurOpenGL);
    SceneDeTest scene{holder};
    DisplayGLPaintOpenGL* moteur = static_cast<DisplayGLPaintOpenGL*>(holder->paintEngine());

    bool montre()
    {
        moteur->setScene(&scene);
        moteur->setViewParameters(vueTable());
        moteur->resize(400, 300);
        moteur->show();
        return QTest::qWaitForWindowExposed(moteur) && moteur->context() && moteur->context()->isValid();
    }
};

// An engine whose fragment shader does not compile.
class MoteurCasse : public DisplayGLPaintOpenGL
{
protected:
    QByteArray sourceFragment() const override { return QByteArrayLiteral("void main(void) { gl_FragColor = x; }\n"); }
};

} // namespace

class TestPaintOpenGL : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(DisplayGLWidget::openGLDisponible(), "run under xvfb-run with Mesa");
        DisplayGLWidget holder;
        QVERIFY(holder.isOpenGL());
        QVERIFY(qobject_cast<DisplayGLPaintOpenGL*>(holder.engineWidget()));
    }

    void programAndCamera()
    {
        Banc b;
        QVERIFY(b.montre());
        QVERIFY(b.moteur->programmeUtilisable());
        QVERIFY(!b.moteur->erreurSignalee());
        QCOMPARE(b.scene.creations, 1);
        QVERIFY(!b.moteur->testAttribute(Qt::WA_ContentsMarginsRespectsSafeArea));

        auto p = DisplayGLPaintA::ViewParameters::parDefaut();
        p[0] = 0.3;
        p[3] = 2.0;
        p[5] = 300.0;
        p[6] = -400.0;
        p[7] = 1.5;
        b.moteur->setViewParameters(p);
        QCOMPARE(b.moteur->viewParameters(), p);
        // The perspective takes the viewport's shape: a square on the table
        // shows square in a wide viewport and in a tall one.
        for (const QSize& vue : {QSize(1600, 800), QSize(600, 900)}) {
            b.moteur->setViewport(0, 0, vue.width(), vue.height());
            const QPointF a = b.moteur->versEcran(QVector3D(-0.1f, 0.0f, 0.0f));
            const QPointF c = b.moteur->versEcran(QVector3D(0.1f, 0.2f, 0.0f));
            const double largeur = (c.x() - a.x()) * vue.width();
            const double hauteur = (c.y() - a.y()) * vue.height();
            QVERIFY2(std::abs(largeur / hauteur - 1.0) < 0.2, qPrintable(QString::number(largeur / hauteur)));
        }
        // The pan moves the picture from its frame.
        auto sansDecalage = p;
        sansDecalage[5] = 0.0;
        sansDecalage[6] = 0.0;
        const QMatrix4x4 avecDecalage = b.moteur->projection();
        b.moteur->setViewParameters(sansDecalage);
        QVERIFY(!qFuzzyCompare(b.moteur->projection(), avecDecalage));
    }

    void placePositions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVector3D>("point");
        QTest::newRow("slate: origin") << 2 << QVector3D(0, 0, 0);
        QTest::newRow("hand: origin") << 16 << QVector3D(0, 0, 0);
        QTest::newRow("trick, bottom") << 3 << QVector3D(0, -0.33f, 0.01f);
        QTest::newRow("trick, left") << 6 << QVector3D(-0.37f, 0, 0.01f);
        QTest::newRow("turned card") << 7 << QVector3D(0, 0, 0.01f);
        QTest::newRow("pile, bottom") << 8 << QVector3D(0, -3.33f, 0.01f);
        QTest::newRow("pile, right") << 9 << QVector3D(2.37f, 0, 0.015f);
        QTest::newRow("pile, top") << 10 << QVector3D(0, 3.33f, 0.02f);
        QTest::newRow("pile, left") << 11 << QVector3D(-2.37f, 0, 0.025f);
        QTest::newRow("edge, right") << 13 << QVector3D(1.11f, 0, 0.01f);
        QTest::newRow("edge, top") << 14 << QVector3D(0, 0.99f, 0.01f);
        QTest::newRow("unknown") << 77 << QVector3D(0, 0, 0);
    }

    void placePositions()
    {
        QFETCH(int, kind);
        QFETCH(QVector3D, point);
        QVERIFY((DisplayGLPaintOpenGL::pointDePlacement(kind) - point).length() < 1e-6f);
        DisplayGLWidget holder(nullptr, DisplayGLWidget::MoteurOpenGL);
        QCOMPARE(holder.placePosition(5, kind), DisplayGLPaintOpenGL::pointDePlacement(kind));
    }

    void objectsAndTheirPictures()
    {
        Banc b;
        // Before the widget has a context the picture waits.
        const int a = b.moteur->createObject(0.5, 0.5, QStringLiteral("a"));
        b.moteur->setObjectImage(a, unie(16, 8, Qt::red));
        QCOMPARE(b.moteur->tailleTexture(a), QSize(-1, -1));
        QVERIFY(b.montre());
        QCOMPARE(b.moteur->tailleTexture(a), QSize(16, 8));

        const int c = b.moteur->createObject(0.5, 0.5, QStringLiteral("c"));
        QCOMPARE(c, 1);
        b.moteur->deleteObject(a);
        QCOMPARE(b.moteur->tailleTexture(a), QSize(-1, -1));
        QCOMPARE(b.moteur->createObject(1.0, 1.0, QStringLiteral("d")), a);
        QCOMPARE(b.moteur->nombreObjets(), 2);
        for (int inconnu : {-1, 2, 40}) {
            b.moteur->setObjectImage(inconnu, unie(4, 4, Qt::red));
            b.moteur->deleteObject(inconnu);
            b.moteur->hideObject(inconnu);
        }
        b.moteur->setObjectImage(a, QImage());
        QCOMPARE(b.moteur->tailleTexture(a), QSize(-1, -1));

        // Same size: the new pixels show; another size: the texture follows.
        GL_ObjectSquare* carre = b.scene.ajoute(
            std::make_unique<GL_ObjectSquare>(b.holder, 1.0, 1.0, QStringLiteral("x"), Placement::TurnedCard));
        Recepteur r;
        const QPoint centre(200, 150);
        for (const QImage& image : {unie(32, 32, Qt::red), unie(32, 32, Qt::green), unie(64, 16, Qt::blue)}) {
            carre->setObjectImage(image);
            QCOMPARE(b.moteur->tailleTexture(carre->getId()), image.size());
            b.moteur->PortableGrabFrameBuffer(&r);
            QCOMPARE(r.image.pixelColor(centre), image.pixelColor(0, 0));
        }
    }

    // The back of every card is one picture given to 36 objects: one texture.
    // Whatever happens to one of them must not reach the others' picture.
    void objectsGivenOnePictureShareOneTexture()
    {
        Banc b;
        QVERIFY(b.montre());
        GL_ObjectSquare* carre = b.scene.ajoute(
            std::make_unique<GL_ObjectSquare>(b.holder, 1.0, 1.0, QStringLiteral("x"), Placement::TurnedCard));
        const QImage dos = unie(32, 32, Qt::red);
        carre->setObjectImage(dos);
        const int autre = b.moteur->createObject(1.0, 1.0, QStringLiteral("autre"));
        b.moteur->setObjectImage(autre, dos);
        QCOMPARE(b.moteur->tailleTexture(autre), dos.size());

        Recepteur r;
        const QPoint centre(200, 150);
        const auto montreLeDos = [&] {
            b.moteur->PortableGrabFrameBuffer(&r);
            return r.image.pixelColor(centre) == QColor(Qt::red);
        };
        // Another picture of the same size, then of another size.
        b.moteur->setObjectImage(autre, unie(32, 32, Qt::green));
        QVERIFY(montreLeDos());
        b.moteur->setObjectImage(autre, dos);
        b.moteur->setObjectImage(autre, unie(8, 8, Qt::blue));
        QCOMPARE(b.moteur->tailleTexture(autre), QSize(8, 8));
        QVERIFY(montreLeDos());
        // Deleted while sharing.
        b.moteur->setObjectImage(autre, dos);
        b.moteur->deleteObject(autre);
        QVERIFY(montreLeDos());
        // The picture changed in place is another picture.
        QImage peinte = dos;
        peinte.fill(Qt::green);
        carre->setObjectImage(peinte);
        b.moteur->PortableGrabFrameBuffer(&r);
        QCOMPARE(r.image.pixelColor(centre), QColor(Qt::green));
    }

    void grabCoversTheWholeFramebuffer_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("2") << 2.0;
        QTest::newRow("1.5") << 1.5;
    }

    void grabCoversTheWholeFramebuffer()
    {
        QFETCH(double, ratio);
        Banc b;
        QVERIFY(b.montre());
        b.scene.ratio = ratio;
        b.scene.coucheGL = false;
        Recepteur r;
        b.moteur->PortableGrabFrameBuffer(&r);
        QCOMPARE(r.appels, 1);
        const QSize taille(static_cast<int>(400 * ratio), static_cast<int>(300 * ratio));
        QCOMPARE(r.image.size(), taille);
        // The painter's view fills the buffer: its bottom-right mark lands in
        // the buffer's bottom-right corner.
        QCOMPARE(r.image.pixelColor(taille.width() - 1, taille.height() - 1), b.scene.marque);
        QCOMPARE(r.image.pixelColor(taille.width() - 1, 0), b.scene.fondPeintre);
        QCOMPARE(r.image.pixelColor(0, taille.height() - 1), b.scene.fondPeintre);

        // With the 3-D layer, an object lands where the camera says, in the
        // buffer's pixels.
        b.scene.coucheGL = true;
        GL_ObjectSquare* carre = b.scene.ajoute(
            std::make_unique<GL_ObjectSquare>(b.holder, 0.5, 0.5, QStringLiteral("x"), Placement::TurnedCard));
        carre->setObjectImage(unie(8, 8, Qt::red));
        b.moteur->PortableGrabFrameBuffer(&r);
        const QPointF point = b.moteur->versEcran(DisplayGLPaintOpenGL::pointDePlacement(Placement::TurnedCard));
        QVERIFY(std::abs(point.x()) < 0.01);
        QCOMPARE(r.image.pixelColor(taille.width() / 2, qRound((1.0 - point.y()) / 2.0 * taille.height())),
                 QColor(Qt::red));
        QCOMPARE(r.image.pixelColor(2, 2), b.scene.fond);
        // The engine tells where the object showed, in the viewport's
        // share: its picture fills that outline and stops at its edges.
        const QPolygonF contour = b.moteur->contourVu(carre->getId());
        QCOMPARE(contour.size(), 4);
        const QRectF boite = contour.boundingRect();
        const auto pixel = [&](double x, double y) {
            return r.image.pixelColor(qRound(x * (taille.width() - 1)), qRound(y * (taille.height() - 1)));
        };
        QCOMPARE(pixel(boite.center().x(), boite.center().y()), QColor(Qt::red));
        for (const double dx : {-0.02, 0.02}) {
            const double bord = dx < 0 ? boite.left() : boite.right();
            QCOMPARE(pixel(bord - dx, boite.center().y()), QColor(Qt::red));
            QVERIFY(pixel(bord + dx, boite.center().y()) != QColor(Qt::red));
        }
    }

    void grabWithoutAContext()
    {
        DisplayGLWidget holder(nullptr, DisplayGLWidget::MoteurOpenGL);
        Recepteur r;
        holder.paintEngine()->PortableGrabFrameBuffer(&r);
        QCOMPARE(r.appels, 1);
        QVERIFY(r.image.isNull());
        holder.paintEngine()->PortableGrabFrameBuffer(nullptr);
        // Frames and draws outside a context do nothing.
        holder.paintEngine()->beginFrame(Qt::black);
        holder.paintEngine()->setViewport(0, 0, 10, 10);
        holder.paintEngine()->drawObject(holder.paintEngine()->createObject(1, 1, QString()), Placement::Cloth, {});
        holder.paintEngine()->endFrame();
    }

    void texturesAreFreedInsideTheirContext()
    {
        CompteAvertissements avertissements;
        {
            auto b = std::make_unique<Banc>();
            QVERIFY(b->montre());
            std::vector<int> ids;
            for (int i = 0; i < 4; ++i) {
                ids.push_back(b->moteur->createObject(0.5, 0.5, QString()));
                b->moteur->setObjectImage(ids.back(), unie(16, 16, Qt::red));
            }
            QCOMPARE(b->moteur->tailleTexture(ids[0]), QSize(16, 16));

            // No context current: the engine makes its own current.
            b->moteur->doneCurrent();
            QVERIFY(QOpenGLContext::currentContext() == nullptr);
            b->moteur->deleteObject(ids[0]);
            QVERIFY(QOpenGLContext::currentContext() == nullptr);

            // Another context current: it is current again afterwards.
            QOpenGLContext autre;
            QVERIFY(autre.create());
            QOffscreenSurface surface;
            surface.setFormat(autre.format());
            surface.create();
            QVERIFY(autre.makeCurrent(&surface));
            b->moteur->deleteObject(ids[1]);
            b->moteur->setObjectImage(ids[2], unie(8, 8, Qt::blue));
            QCOMPARE(QOpenGLContext::currentContext(), &autre);
            autre.doneCurrent();

            // The engine goes with textures still in it.
            b.reset();
        }
        QCOMPARE(CompteAvertissements::compte.load(), 0);
    }

    void lostContextKeepsObjects()
    {
        CompteAvertissements avertissements;
        Banc b;
        QVERIFY(b.montre());
        const int id = b.moteur->createObject(0.5, 0.5, QString());
        b.moteur->setObjectImage(id, unie(16, 16, Qt::red));
        {
            // Moved into another window, the widget gets a new context.
            QWidget fenetre;
            fenetre.resize(400, 300);
            b.moteur->setParent(&fenetre);
            fenetre.show();
            QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
            b.moteur->show();
            QTRY_COMPARE(b.scene.creations, 2);
            QCOMPARE(b.moteur->nombreObjets(), 1);
            QCOMPARE(b.moteur->tailleTexture(id), QSize(-1, -1));
            b.moteur->setObjectImage(id, unie(32, 32, Qt::red));
            QCOMPARE(b.moteur->tailleTexture(id), QSize(32, 32));
            QVERIFY(b.moteur->programmeUtilisable());
            b.moteur->setParent(nullptr);
        }
        QCOMPARE(CompteAvertissements::compte.load(), 0);
    }

    void failingProgramIsReportedOnceAndSkipped()
    {
        GM_MessageBoxDisplayerHeadless boites;
        int avertissements = 0;
        {
            CompteAvertissements compte;
            MoteurCasse moteur;
            moteur.setMessageBoxDisplayer(&boites);
            SceneDeTest scene{QSharedPointer<DisplayGLWidget>()};
            scene.moteurDirect = &moteur;
            moteur.setScene(&scene);
            moteur.setViewParameters(vueTable());
            moteur.resize(200, 200);
            moteur.show();
            QVERIFY(QTest::qWaitForWindowExposed(&moteur));
            QVERIFY(moteur.erreurSignalee());
            QVERIFY(!moteur.programmeUtilisable());

            const int id = moteur.createObject(1.0, 1.0, QString());
            moteur.setObjectImage(id, unie(8, 8, Qt::red));
            Recepteur r;
            for (int i = 0; i < 3; ++i) {
                moteur.repaint();
                moteur.PortableGrabFrameBuffer(&r);
            }
            QCOMPARE(r.image.pixelColor(100, 100), scene.fond);
            QTRY_COMPARE(boites.historique().size(), 1);
            QTest::qWait(50);
            QCOMPARE(boites.historique().size(), 1);
            QCOMPARE(boites.historique().first().requete.titre_, QStringLiteral("OpenGL ES2 Error"));
            QVERIFY(boites.historique().first().requete.texte_.startsWith(QStringLiteral("Program shader 'link()' failed: ")));
            moteur.setScene(nullptr);
            avertissements = CompteAvertissements::compte.load();
        }
        QVERIFY(avertissements >= 1);

        // Without a displayer the box opens from the event loop, not inside
        // the paint, and does not block.
        MoteurCasse seul;
        seul.resize(100, 100);
        seul.show();
        QVERIFY(QTest::qWaitForWindowExposed(&seul));
        QTRY_VERIFY(seul.findChild<QMessageBox*>() != nullptr);
        seul.findChild<QMessageBox*>()->close();
    }

    void pictureOfATable()
    {
        Banc b;
        b.scene.remplitTable();
        QVERIFY(b.montre());
        const QImage vue = b.moteur->grabFramebuffer();
        Recepteur r;
        b.moteur->PortableGrabFrameBuffer(&r);
        garde(vue, QStringLiteral("opengl_table"));
        garde(r.image, QStringLiteral("opengl_table_grab"));
        // The cloth is in the middle, the bottom hand's cards below it.
        QVERIFY(vue.pixelColor(200, 150) != b.scene.fond);
        QCOMPARE(r.image.size(), QSize(400, 300));
        QCOMPARE(r.image.convertToFormat(QImage::Format_RGB32), vue.convertToFormat(QImage::Format_RGB32));
    }
};

ZB_REGISTER_TEST(TestPaintOpenGL)
#include "TestPaintOpenGL.moc"
