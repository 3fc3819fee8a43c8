#include "Carte.h"
#include "DisplayGLCacheCartes.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLJeuDeCartes.h"
#include "ZB_DeckJass.h"
#include "ZbTestRegistry.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QScreen>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString DOSSIER = QStringLiteral("cartes-test");
const QSize TAILLE(54, 76);

QImage unie(const QSize& taille, const QColor& couleur)
{
    QImage i(taille, QImage::Format_ARGB32_Premultiplied);
    i.fill(couleur);
    return i;
}

QByteArray png(const QImage& image)
{
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, "PNG");
    return octets;
}

QByteArray avecEntete(quint32 annonce, const QByteArray& corps)
{
    QByteArray octets(4, '\0');
    octets[0] = char(annonce >> 24);
    octets[1] = char(annonce >> 16);
    octets[2] = char(annonce >> 8);
    octets[3] = char(annonce);
    return octets + corps;
}

QStringList fichiersCache(const QString& racine)
{
    return QDir(racine + QLatin1Char('/') + DOSSIER).entryList({QStringLiteral("*.jsg")}, QDir::Files);
}

// Each test gets an empty cache root of its own.
struct Racine
{
    QTemporaryDir dir;
    Racine() { DisplayGLCacheCartes::setRacine(dir.path()); }
    ~Racine() { DisplayGLCacheCartes::setRacine(QString()); }
    QString path() const { return dir.path(); }
};

} // namespace

// Card pictures: rendering from SVG, the disk cache and its bad files, the
// fanned hand and the display states.
class TestCartes : public QObject
{
    Q_OBJECT

    ZB_DeckJass deck_;

    QImage rendu(int style, int couleur, int valeur, const QString& dossier = QString())
    {
        DisplayGLHumanCarte carte(deck_.getCarte(couleur, valeur));
        carte.render(style, TAILLE, dossier, 1.0);
        return carte.getNormalPicture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }

private slots:
    void renderingSize_data()
    {
        QTest::addColumn<QSize>("ecran");
        QTest::addColumn<int>("qualite");
        QTest::addColumn<QSize>("taille");
        QTest::newRow("quality 2") << QSize(1920, 1040) << 2 << QSize(108, 151);
        QTest::newRow("quality 0") << QSize(1920, 1040) << 0 << QSize(54, 76);
        QTest::newRow("quality 1") << QSize(1920, 1040) << 1 << QSize(72, 101);
        QTest::newRow("quality 3 (default)") << QSize(1920, 1040) << 3 << QSize(216, 303);
        QTest::newRow("quality 4") << QSize(1920, 1040) << 4 << QSize(432, 605);
        QTest::newRow("quality out of range") << QSize(1920, 1040) << 9 << QSize(108, 151);
        QTest::newRow("negative quality") << QSize(1920, 1040) << -7 << QSize(108, 151);
        QTest::newRow("no rendering") << QSize(1920, 1040) << -1 << QSize();
        QTest::newRow("zero-size screen") << QSize(0, 0) << 2 << QSize(68, 95);
        QTest::newRow("negative screen") << QSize(-5, 800) << 2 << QSize(68, 95);
        QTest::newRow("huge screen") << QSize(100000, 100000) << 4 << QSize(2048, 2867);
    }

    void renderingSize()
    {
        QFETCH(QSize, ecran);
        QFETCH(int, qualite);
        QFETCH(QSize, taille);
        QCOMPARE(DisplayGLJeuDeCartes::tailleDeRendu(ecran, qualite), taille);
    }

    void deckFolders()
    {
        QCOMPARE(DisplayGLJeuDeCartes::cheminDuJeu(0), QStringLiteral(":/Cartes/FraChSvg/"));
        QCOMPARE(DisplayGLJeuDeCartes::cheminDuJeu(4), QStringLiteral(":/Cartes/Fun1Svg/"));
        QCOMPARE(DisplayGLJeuDeCartes::cheminDuJeu(5), QStringLiteral(":/Cartes/"));
        QCOMPARE(DisplayGLJeuDeCartes::cheminDuJeu(-1), QStringLiteral(":/Cartes/"));
        QCOMPARE(DisplayGLHumanCarte::cheminSvg(0, 1, 14), QStringLiteral(":/Cartes/FraChSvg/1/14.svg"));
    }

    void missingOrBrokenSvgGivesATransparentUncachedPicture_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("couleur");
        QTest::addColumn<int>("valeur");
        QTest::newRow("card missing in its deck") << 1 << 3 << 9;
        QTest::newRow("unreadable SVG") << 1 << 2 << 6;
        QTest::newRow("style out of range") << 9 << 1 << 14;
        QTest::newRow("negative style") << -2 << 1 << 14;
    }

    void missingOrBrokenSvgGivesATransparentUncachedPicture()
    {
        QFETCH(int, style);
        QFETCH(int, couleur);
        QFETCH(int, valeur);
        Racine racine;
        const QImage image = rendu(style, couleur, valeur, DOSSIER);
        QCOMPARE(image.size(), TAILLE);
        for (int y = 0; y < image.height(); y += 7) {
            for (int x = 0; x < image.width(); x += 7)
                QCOMPARE(qAlpha(image.pixel(x, y)), 0);
        }
        QVERIFY(fichiersCache(racine.path()).isEmpty());
    }

    void renderedCardsAreCachedPerStyleAndCard()
    {
        Racine racine;
        const QImage froid = rendu(0, 1, 14, DOSSIER);
        QVERIFY(qAlpha(froid.pixel(TAILLE.width() / 2, TAILLE.height() / 2)) > 0);
        QCOMPARE(fichiersCache(racine.path()).size(), 1);
        // Same card, another style: a second file.
        rendu(1, 1, 14, DOSSIER);
        QCOMPARE(fichiersCache(racine.path()).size(), 2);
        // Same card and style again: read back, equal, no new file.
        QCOMPARE(rendu(0, 1, 14, DOSSIER), froid);
        QCOMPARE(fichiersCache(racine.path()).size(), 2);

        // The folder is the user's alone.
        const QFileInfo dossier(racine.path() + QLatin1Char('/') + DOSSIER);
        QCOMPARE(dossier.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(fichiersCache(racine.path()).first().startsWith(QStringLiteral("w54_h76_0_1_14_")));
    }

    void warmStartReadsTheCacheInsteadOfTheSvg()
    {
        Racine racine;
        rendu(0, 2, 10, DOSSIER);
        const QStringList fichiers = fichiersCache(racine.path());
        QCOMPARE(fichiers.size(), 1);
        // A picture no SVG renders, put in the cache file: a warm start shows it.
        const QString chemin = racine.path() + QLatin1Char('/') + DOSSIER + QLatin1Char('/') + fichiers.first();
        QVERIFY(DisplayGLCacheCartes::ecrit(chemin, unie(TAILLE, QColor(0, 0, 255))));
        QCOMPARE(rendu(0, 2, 10, DOSSIER).pixelColor(5, 5), QColor(0, 0, 255));

        // The whole deck, warm, comes back from its files alike.
        DisplayGLJeuDeCartes jeu(DOSSIER);
        jeu.render(0, TAILLE, 1.0);
        QCOMPARE(fichiersCache(racine.path()).size(), 36);
        DisplayGLJeuDeCartes chaud(DOSSIER);
        chaud.render(0, TAILLE, 1.0);
        QCOMPARE(chaud.getCarte(Carte::indexDe(2, 10))->getNormalPicture().toImage().pixelColor(5, 5),
                 QColor(0, 0, 255));
        QCOMPARE(fichiersCache(racine.path()).size(), 36);
    }

    void badCacheFilesReadAsAbsent_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        const QImage bonne = unie(TAILLE, Qt::blue);
        const QByteArray valide = DisplayGLCacheCartes::encode(bonne);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << valide.left(4);
        QTest::newRow("truncated") << valide.left(valide.size() / 2);
        QTest::newRow("garbage") << QByteArray(300, 'x');
        QTest::newRow("trailing bytes") << valide + QByteArray("extra");
        QTest::newRow("claims 1 GB") << avecEntete(1u << 30, valide.mid(4));
        QTest::newRow("claims less than it holds") << avecEntete(40, valide.mid(4));
        QTest::newRow("claims more than it holds") << avecEntete(quint32(png(bonne).size() + 10), valide.mid(4));
        QTest::newRow("not a PNG") << qCompress(QByteArray(500, 'p'));
        QTest::newRow("PNG of another size") << DisplayGLCacheCartes::encode(unie(QSize(55, 76), Qt::blue));
        QTest::newRow("PNG cut short") << qCompress(png(bonne).left(60));
        // Decompresses to far more than it claims: never written past the claim.
        QTest::newRow("bomb") << avecEntete(1000, qCompress(QByteArray(50 * 1024 * 1024, '\0')).mid(4));
    }

    void badCacheFilesReadAsAbsent()
    {
        QFETCH(QByteArray, contenu);
        QVERIFY(DisplayGLCacheCartes::decode(contenu, TAILLE).isNull());

        Racine racine;
        const QImage attendue = rendu(0, 3, 12);
        rendu(0, 3, 12, DOSSIER);
        const QString chemin =
            racine.path() + QLatin1Char('/') + DOSSIER + QLatin1Char('/') + fichiersCache(racine.path()).first();
        {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(contenu);
        }
        // Rendered again from the SVG, and the file made good.
        QCOMPARE(rendu(0, 3, 12, DOSSIER), attendue);
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(DisplayGLCacheCartes::decode(f.readAll(), TAILLE).size(), TAILLE);
    }

    void decodeRefusesSizesOutOfRange()
    {
        const QByteArray valide = DisplayGLCacheCartes::encode(unie(QSize(3, 2), Qt::red));
        QCOMPARE(DisplayGLCacheCartes::decode(valide, QSize(3, 2)).pixelColor(1, 1), QColor(Qt::red));
        QVERIFY(DisplayGLCacheCartes::decode(valide, QSize(0, 2)).isNull());
        QVERIFY(DisplayGLCacheCartes::decode(valide, QSize(-3, 2)).isNull());
        QVERIFY(DisplayGLCacheCartes::decode(valide, QSize(5000, 2)).isNull());
    }

    void unusableCacheFolders_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("racineFichier");
        QTest::newRow("empty name") << QString() << false;
        QTest::newRow("parent folder") << QStringLiteral("..") << false;
        QTest::newRow("path in the name") << QStringLiteral("../elsewhere") << false;
        QTest::newRow("absolute path") << QStringLiteral("/tmp/cards") << false;
        QTest::newRow("root is a file") << DOSSIER << true;
    }

    void unusableCacheFolders()
    {
        QFETCH(QString, nom);
        QFETCH(bool, racineFichier);
        QTemporaryDir dir;
        QString racine = dir.path() + QStringLiteral("/racine");
        QDir().mkpath(racine);
        if (racineFichier) {
            racine = dir.path() + QStringLiteral("/fichier");
            QFile f(racine);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        DisplayGLCacheCartes::setRacine(racine);
        const QImage image = rendu(0, 4, 7, nom);
        DisplayGLCacheCartes::setRacine(QString());
        // Still rendered, only not kept anywhere.
        QVERIFY(qAlpha(image.pixel(TAILLE.width() / 2, TAILLE.height() / 2)) > 0);
        QCOMPARE(rendu(0, 4, 7), image);
        QDirIterator it(dir.path(), {QStringLiteral("*.jsg")}, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(!it.hasNext());
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/elsewhere")));
    }

    void foreignFoldersAreNotUsed()
    {
        Racine racine;
        // A folder open to others is closed; a link is not followed, to a
        // folder or to a file.
        const QString ouvert = racine.path() + QStringLiteral("/ouvert");
        QVERIFY(QDir().mkpath(ouvert));
        QFile::setPermissions(ouvert, QFile::Permissions(0x7777));
        QCOMPARE(DisplayGLCacheCartes::prepareDossier(QStringLiteral("ouvert")), ouvert);
        QCOMPARE(QFileInfo(ouvert).permissions() & (QFile::ReadOther | QFile::WriteGroup | QFile::ReadGroup),
                 QFile::Permissions());

        QTemporaryDir ailleurs;
        QVERIFY(QFile::link(ailleurs.path(), racine.path() + QStringLiteral("/lien")));
        QVERIFY(DisplayGLCacheCartes::prepareDossier(QStringLiteral("lien")).isEmpty());
        rendu(0, 1, 6, QStringLiteral("lien"));
        QVERIFY(QDir(ailleurs.path()).entryList(QDir::Files).isEmpty());

        // A card's file that is a link, here to a picture the SVG does not
        // render, is neither read through nor written through: the card is
        // rendered again into a file of its own, and the link goes aside.
        const QImage attendue = rendu(0, 2, 9, DOSSIER);
        const QString chemin =
            racine.path() + QLatin1Char('/') + DOSSIER + QLatin1Char('/') + fichiersCache(racine.path()).first();
        const QString cible = ailleurs.filePath(QStringLiteral("carte.jsg"));
        QVERIFY(DisplayGLCacheCartes::ecrit(cible, unie(TAILLE, QColor(0, 0, 255))));
        QFile cibleLue(cible);
        QVERIFY(cibleLue.open(QIODevice::ReadOnly));
        const QByteArray avant = cibleLue.readAll();
        cibleLue.close();
        QVERIFY(QFile::remove(chemin) && QFile::link(cible, chemin));
        QCOMPARE(rendu(0, 2, 9, DOSSIER), attendue);
        QVERIFY(QFileInfo(chemin).isFile() && !QFileInfo(chemin).isSymLink());
        QVERIFY(cibleLue.open(QIODevice::ReadOnly));
        QCOMPARE(cibleLue.readAll(), avant);
    }

    void qualityMinusOneRendersNothing()
    {
        Racine racine;
        DisplayGLJeuDeCartes jeu(DOSSIER);
        jeu.setSize(0, DisplayGLJeuDeCartes::QUALITE_AUCUNE, 1.0);
        for (int i = 0; i < DisplayGLJeuDeCartes::NOMBRE_CARTES; ++i) {
            QVERIFY(jeu.getCarte(i));
            QVERIFY(jeu.getCarte(i)->getNormalPicture().isNull());
            QCOMPARE(jeu.getCarte(i)->getCarte()->getIndex(), i);
        }
        QVERIFY(!jeu.getCarte(36));
        QVERIFY(!jeu.getCarte(-1));
        QVERIFY(fichiersCache(racine.path()).isEmpty());
        QVERIFY(!QFileInfo::exists(racine.path() + QLatin1Char('/') + DOSSIER));

        // Sized from the primary screen's available area.
        jeu.setSize(0, 2, 1.0);
        const QSize ecran = QGuiApplication::primaryScreen()->availableGeometry().size();
        QCOMPARE(jeu.getTaille(), DisplayGLJeuDeCartes::tailleDeRendu(ecran, 2));
        QCOMPARE(jeu.getCarte(0)->getNormalPicture().size(), jeu.getTaille());
    }

    void darkenedAndTintedPictures()
    {
        QImage source(2, 1, QImage::Format_ARGB32);
        source.setPixel(0, 0, qRgba(30, 60, 100, 255));
        source.setPixel(1, 0, qRgba(250, 10, 45, 255));
        const QImage sombre = DisplayGLHumanCarte::assombrie(source, 40, 50, 50).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(sombre.pixel(0, 0), qRgba(0, 10, 50, 255));
        QCOMPARE(sombre.pixel(1, 0), qRgba(210, 0, 0, 255));
        const QImage teinte = DisplayGLHumanCarte::assombrie(source, 30, 0, 30).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(teinte.pixel(0, 0), qRgba(0, 60, 70, 255));
        QVERIFY(DisplayGLHumanCarte::assombrie(QImage(), 1, 1, 1).isNull());

        // A transparent corner stays transparent.
        const QImage carte = rendu(0, 1, 14);
        const QImage carteSombre = DisplayGLHumanCarte::assombrie(carte, 40, 50, 50);
        QCOMPARE(qAlpha(carteSombre.pixel(0, 0)), qAlpha(carte.pixel(0, 0)));
    }

    void handRotations_data()
    {
        QTest::addColumn<int>("vides");
        QTest::addColumn<QList<int>>("rotations");
        QTest::newRow("nine cards") << 0 << QList<int>{-7, -5, -4, -2, -1, 1, 2, 4, 5};
        QTest::newRow("eight cards") << 1 << QList<int>{-6, -5, -3, -2, 0, 2, 3, 5};
        QTest::newRow("three cards") << 6 << QList<int>{-2, -1, 1};
    }

    void handRotations()
    {
        QFETCH(int, vides);
        QFETCH(QList<int>, rotations);
        for (int i = 0; i < rotations.size(); ++i)
            QCOMPARE(DisplayGLHumanCarte::rotationDansLaMain(vides, i), rotations.at(i));
    }

    void shownSize_data()
    {
        QTest::addColumn<double>("hauteurMain");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QSize>("pixels");
        // 100 x 0.171 = 17.1 -> 17 wide; 24.186 -> 24 high.
        QTest::newRow("ratio 1") << 100.0 << 1.0 << QSize(17, 24);
        QTest::newRow("ratio 2") << 100.0 << 2.0 << QSize(34, 48);
        QTest::newRow("ratio 1.5 rounds half away") << 100.0 << 1.5 << QSize(26, 36);
        QTest::newRow("bad ratio taken as 1") << 100.0 << -2.0 << QSize(17, 24);
        QTest::newRow("no hand yet") << 0.0 << 1.0 << QSize(0, 0);
    }

    void shownSize()
    {
        QFETCH(double, hauteurMain);
        QFETCH(double, ratio);
        QFETCH(QSize, pixels);
        DisplayGLHumanCarte carte(deck_.getCarte(1, 14));
        carte.render(0, TAILLE, QString(), ratio);
        if (hauteurMain > 0)
            carte.placeInHand(QRectF(0, 0, 500, hauteurMain), 20, 0, 0);
        QCOMPARE(carte.pixmap().size(), pixels);
        if (!pixels.isEmpty())
            QCOMPARE(carte.pixmap().devicePixelRatio(), ratio > 0 ? ratio : 1.0);
    }

    void fannedHand()
    {
        DisplayGLHumanCarte carte(deck_.getCarte(2, 8));
        carte.render(0, TAILLE, QString(), 1.0);
        const QRectF main(100, 400, 600, 200);
        // 200 x 0.171 = 34.2 -> 34 wide, 48.37 -> 48 high; visible part
        // 48 x 0.82 = 39.36, offset 200 - 39.36 = 160.64 plus |rotation| x 3;
        // one empty slot on each side shifts the hand by one spacing.
        carte.placeInHand(main, 30, 2, 3);
        // Seven cards: (3 - 3.5) x 1.5 = -0.75 -> -1 degree, 3 pixels lower.
        // At rest the whole card stays on the table: its lowest corner,
        // 48 cos 1 + 17 sin 1 + 3 = 51.29 below its top, at the bottom:
        // 200 - 51.29 + 3 -> 152.
        QCOMPARE(carte.rotation(), -1.0);
        QCOMPARE(carte.pos(), QPointF((1 + 3) * 30 + 100, 400 + 152));
        // The resting point sits 0.09 of the hand higher: 142.64 + 3 -> 146.
        QCOMPARE(carte.getHomePosition(), QPointF(220, 400 + 146));
        QCOMPARE(carte.transformOriginPoint(), QPointF(17.1, 0));

        // Nothing changed: nothing moves. Only the spacing: stored, no move.
        carte.setPos(0, 0);
        carte.placeInHand(main, 30, 2, 3);
        QCOMPARE(carte.pos(), QPointF(0, 0));
        carte.placeInHand(main, 45, 2, 3);
        QCOMPARE(carte.pos(), QPointF(0, 0));
        QCOMPARE(carte.getSpacing(), 45.0);
        carte.placeInHand(main, 45, 2, 4);
        QCOMPARE(carte.pos().x(), (1 + 4) * 45 + 100.0);
    }

    void states()
    {
        QGraphicsScene scene;
        auto* carte = new DisplayGLHumanCarte(deck_.getCarte(4, 11));
        scene.addItem(carte);
        carte->render(0, TAILLE, QString(), 1.0);
        QCOMPARE(carte->getState(), int(DisplayGLHumanCarte::Cachee));
        QVERIFY(!carte->isVisible());
        QCOMPARE(carte->zValue(), -10000.0);
        const QRectF main(0, 300, 600, 200);
        carte->placeInHand(main, 30, 0, 4);

        // In hand: shown at once, on the hand's layer.
        carte->setState(DisplayGLHumanCarte::EnMain, false, 0);
        QVERIFY(carte->isVisible());
        QCOMPARE(carte->zValue(), 4 * 0.001 - 0.1);
        const QPointF enMain = carte->pos();
        QCOMPARE(enMain.y(), 300.0 + carte->decalageVertical(DisplayGLHumanCarte::EnMain));

        // Darkened: its own picture, raised a little, no resting point.
        carte->setState(DisplayGLHumanCarte::Assombrie, false, 0);
        QCOMPARE(carte->pixmap().toImage(),
                 carte->getDarkenedPicture().scaled(carte->pixmap().size(), Qt::IgnoreAspectRatio,
                                                    Qt::SmoothTransformation).toImage());
        QCOMPARE(carte->pos().y(), 300.0 + carte->decalageVertical(DisplayGLHumanCarte::Assombrie));
        QVERIFY(carte->getHomePosition().isNull());

        // Resting point recorded, selected with animation, back home.
        carte->setState(DisplayGLHumanCarte::Posee, false, 0);
        const QPointF repos = carte->pos();
        QCOMPARE(carte->getHomePosition(), repos);
        carte->setState(DisplayGLHumanCarte::Choisie, true, 0);
        QCOMPARE(carte->getMoveAnimation()->state(), QAbstractAnimation::Running);
        QCOMPARE(carte->getMoveAnimation()->endValue().toPointF().y(),
                 300.0 + carte->decalageVertical(DisplayGLHumanCarte::Choisie));
        carte->setState(DisplayGLHumanCarte::Levee, false, 0);
        QCOMPARE(carte->zValue(), 10000.0);
        QCOMPARE(carte->getMoveAnimation()->state(), QAbstractAnimation::Stopped);
        carte->setPos(500, 10);
        carte->setState(DisplayGLHumanCarte::EnMain, false, 0);
        QCOMPARE(carte->pos().x(), repos.x());

        // Hidden, even when asked with a delay; then shown after a delay.
        carte->setState(DisplayGLHumanCarte::Cachee, false, 50);
        QVERIFY(!carte->isVisible());
        QVERIFY(!carte->isShowPending());
        QCOMPARE(carte->zValue(), -10000.0);
        carte->setState(DisplayGLHumanCarte::EnMain, true, 20);
        QVERIFY(!carte->isVisible());
        QVERIFY(carte->isShowPending());
        QCOMPARE(carte->getMoveAnimation()->state(), QAbstractAnimation::Stopped);
        QTRY_VERIFY_WITH_TIMEOUT(carte->isVisible(), 5000);

        // States outside 0..6 are ignored.
        carte->setState(7, false, 0);
        carte->setState(-1, false, 0);
        QCOMPARE(carte->getState(), int(DisplayGLHumanCarte::EnMain));

        // Rendering again keeps the card shown and at its size.
        const QSize taille = carte->pixmap().size();
        carte->render(1, TAILLE, QString(), 1.0);
        QVERIFY(carte->isVisible());
        QCOMPARE(carte->pixmap().size(), taille);
    }

    void pictureOfAHand()
    {
        Racine racine;
        QGraphicsScene scene(0, 0, 640, 300);
        DisplayGLJeuDeCartes jeu(DOSSIER);
        jeu.render(0, DisplayGLJeuDeCartes::tailleDeRendu(QSize(1920, 1040), 2), 1.0);
        const QRectF main(40, 40, 560, 260);
        for (int i = 0; i < 9; ++i) {
            DisplayGLHumanCarte* carte = jeu.getCarte(i * 4);
            scene.addItem(carte);
            carte->placeInHand(main, 52, 0, i);
            carte->setState(i == 2 ? DisplayGLHumanCarte::Assombrie
                                   : (i == 6 ? DisplayGLHumanCarte::Choisie : DisplayGLHumanCarte::EnMain),
                            false, 0);
        }
        QImage vue(640, 300, QImage::Format_ARGB32_Premultiplied);
        vue.fill(QColor(40, 120, 60));
        {
            QPainter peintre(&vue);
            scene.render(&peintre);
        }
        const QString dossier = qEnvironmentVariable("ZB_DISPLAY_PNG_DIR");
        if (!dossier.isEmpty() && QDir().mkpath(dossier))
            vue.save(dossier + QStringLiteral("/hand.png"));
        // The darkened ace of spades is darker than the ten of spades beside
        // it; the selected card stands higher.
        auto clarte = [&vue](const QRectF& zone) {
            const QRect r = zone.toAlignedRect().intersected(vue.rect()).adjusted(4, 4, -4, -4);
            qint64 somme = 0;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x)
                    somme += vue.pixelColor(x, y).lightness();
            }
            return double(somme) / double(r.width() * r.height());
        };
        QVERIFY(clarte(jeu.getCarte(8)->sceneBoundingRect()) + 20 < clarte(jeu.getCarte(4)->sceneBoundingRect()));
        QVERIFY(jeu.getCarte(24)->pos().y() < jeu.getCarte(20)->pos().y());
        for (int i = 0; i < 9; ++i)
            scene.removeItem(jeu.getCarte(i * 4));
    }

    void doubleClickIsReported()
    {
        QGraphicsScene scene;
        auto* carte = new DisplayGLHumanCarte(deck_.getCarte(1, 6));
        scene.addItem(carte);
        carte->show();
        QSignalSpy spy(carte, &DisplayGLHumanCarte::signalMouseDoubleClicked);
        QGraphicsSceneMouseEvent clic(QEvent::GraphicsSceneMouseDoubleClick);
        clic.setButton(Qt::LeftButton);
        clic.setButtons(Qt::LeftButton);
        scene.sendEvent(carte, &clic);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().value<DisplayGLHumanCarte*>(), carte);
    }
};

ZB_REGISTER_TEST(TestCartes)
#include "TestCartes.moc"
