#include "AI_Joueur.h"
#include "Carte.h"
#include "Contraste.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPaintWidget.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLScoreAnimPixmap.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "DonneDeTable.h"
#include "GL_ObjectCube.h"
#include "GL_ObjectSquare.h"
#include "PanelAtouts.h"
#include "SceneBulles.h"
#include "TableDeScene.h"
#include "TypeDePartie.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QDir>
#include <QFontMetricsF>
#include <QGraphicsProxyWidget>
#include <QGraphicsPathItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsSimpleTextItem>
#include <QGuiApplication>
#include <QPalette>
#include <QPushButton>
#include <QTest>

#include <array>
#include <cmath>
#include <memory>

using namespace scenetest;

namespace {

// The pictures are kept for a person to look at: in ZB_TABLE_PNG_DIR, or
// /tmp/zubrik-table.
void garde(const QImage& image, const QString& nom)
{
    QString dossier = qEnvironmentVariable("ZB_TABLE_PNG_DIR");
    if (dossier.isEmpty())
        dossier = QDir::tempPath() + QStringLiteral("/zubrik-table");
    if (QDir().mkpath(dossier))
        image.save(dossier + QLatin1Char('/') + nom);
}

Reglages tablePourImages(bool belote, QSize taille = QSize(960, 640))
{
    Reglages r;
    r.automatique = false;
    r.belote = belote;
    r.options.quality_ = 1;
    r.options.cardStyle_ = 2;
    r.options.appStyle_ = 0;
    r.taille = taille;
    return r;
}

// The widget engine that draws the table, whose items are the scene's
// objects as the view shows them.
DisplayGLPaintWidget* moteurDe(const TableDeScene& t)
{
    return dynamic_cast<DisplayGLPaintWidget*>(t.holder->paintEngine());
}

// The hand sprites of a seat that are shown.
int cartesMontrees(DisplayGLScene& s, const Joueur* joueur)
{
    int n = 0;
    for (Carte* carte : joueur->main_)
        if (carte && s.jeuDeCartes().getCarte(carte->getIndex())->isVisible())
            ++n;
    return n;
}

bool estTapis(const QColor& c)
{
    // The wood theme's cloth is green.
    return c.green() > c.red() + 20 && c.green() > c.blue() + 20;
}

// A card face around the point: mostly paper or pips, neither the green
// cloth nor the blue of a back.
bool estFaceDeCarte(const QImage& image, const QPoint& centre)
{
    int blancs = 0;
    int total = 0;
    for (int y = centre.y() - 10; y <= centre.y() + 10; ++y)
        for (int x = centre.x() - 10; x <= centre.x() + 10; ++x) {
            if (!image.valid(x, y))
                continue;
            const QColor c = image.pixelColor(x, y);
            const bool dos = c.blue() > c.red() + 40;
            blancs += !estTapis(c) && !dos && (c.red() > 150 || c.green() > 150 || c.red() + c.green() + c.blue() < 150);
            ++total;
        }
    return total > 0 && blancs * 2 > total;
}

} // namespace

class TestSceneTablePictures : public QObject
{
    Q_OBJECT

private slots:
    void dealtJassTable()
    {
        TableDeScene t(tablePourImages(false));
        DisplayGLScene& s = *t.scene;
        Donne d;
        d.distribue(s, nullptr);
        const QImage image = t.image();
        garde(image, QStringLiteral("jass-dealt.png"));
        // The bottom hand's cards are faces, the cloth is in the middle.
        const DisplayGLHumanCarte* carte = s.jeuDeCartes().getCarte(d[0]->main_.getCarte(16)->getIndex());
        QVERIFY(carte->isVisible());
        const QRectF r = carte->sceneBoundingRect();
        QVERIFY(estFaceDeCarte(image, r.center().toPoint()));
        // A back on the top seat's side: no face there.
        QVERIFY(!estFaceDeCarte(image, QPoint(int(s.zoneTable().center().x()), int(s.zoneTable().height() * 0.06))));
    }

    void trickWithABubble()
    {
        TableDeScene t(tablePourImages(false));
        DisplayGLScene& s = *t.scene;
        Donne d;
        d.distribue(s, nullptr);
        ZB_StatusMise mise;
        mise.miseFaite_ = false;
        mise.typeContrat_ = ZB_StatusMise::Simple;
        s.afficheBulleMise(2, mise, 0);
        for (int j = 1; j < 4; ++j) {
            Carte* carte = d[j]->main_.getCarte(4 * 2 + j);
            s.afficheCarteJouee(j, carte);
            d[j]->main_.retireCarte(carte);
        }
        const QImage image = t.image();
        garde(image, QStringLiteral("jass-trick-bubble.png"));
        QVERIFY(!image.isNull());
    }

    void beloteDealWithTheTurnedCard()
    {
        TableDeScene t(tablePourImages(true));
        DisplayGLScene& s = *t.scene;
        Donne d(true);
        // As the table does, the turned card is one of the dealt cards.
        d.distribue(s, d[3]->main_.getCarte(d[3]->main_.premier()));
        const QImage image = t.image();
        garde(image, QStringLiteral("belote-turned-card.png"));
        QVERIFY(s.carteRetournee() && s.carteRetournee()->isShown());
        // Belote hands hold eight cards: the bottom hand shows eight faces.
        QCOMPARE(cartesMontrees(s, d[0]), 8);
        QCOMPARE(s.carteRetournee()->getFace(), int(GL_ObjectCube::Front));
        // Its face on the cloth, where the engine put it.
        auto* moteur = moteurDe(t);
        QVERIFY(moteur);
        const QRectF carte = moteur->item(s.carteRetournee()->getFrontId())->sceneBoundingRect();
        QVERIFY(moteur->item(s.tapis()->getId())->sceneBoundingRect().contains(carte));
        QVERIFY(estFaceDeCarte(image, carte.center().toPoint()));
        // The cloth shows between the turned card and the bottom hand.
        const QRectF zone = s.zoneTable();
        QVERIFY(estTapis(image.pixelColor(QPointF(zone.center().x() - zone.width() * 0.1, zone.center().y() + zone.height() * 0.1).toPoint())));
    }

    // Every seat's played card comes to rest on the cloth, whether it flies
    // there or is put there at once, and goes to a pile with the trick.
    void playedCardsLieOnTheCloth_data()
    {
        QTest::addColumn<int>("modeVue");
        QTest::addColumn<QSize>("taille");
        QTest::newRow("flying 960x640") << 0 << QSize(960, 640);
        QTest::newRow("flying 1920x1080") << 0 << QSize(1920, 1080);
        QTest::newRow("at once 1280x800") << 1 << QSize(1280, 800);
    }
    void playedCardsLieOnTheCloth()
    {
        QFETCH(int, modeVue);
        QFETCH(QSize, taille);
        TableDeScene t(tablePourImages(false, taille));
        DisplayGLScene& s = *t.scene;
        s.setFacteurDurees(0.05);
        Donne d;
        d.distribue(s, nullptr);
        s.setModeVue(modeVue);
        auto* moteur = moteurDe(t);
        QVERIFY(moteur);
        for (int j = 0; j < 4; ++j) {
            Carte* carte = d[j]->main_.getCarte(d[j]->main_.premier());
            s.afficheCarteJouee(j, carte);
            d[j]->main_.retireCarte(carte);
        }
        for (int p = 0; p < 4; ++p)
            QTRY_VERIFY(!s.carteSurTable(p)->isMoving());
        const QImage image = t.image();
        garde(image, QStringLiteral("jass-trick-%1-%2x%3.png").arg(modeVue).arg(taille.width()).arg(taille.height()));
        const QRectF tapis = moteur->item(s.tapis()->getId())->sceneBoundingRect();
        for (int p = 0; p < 4; ++p) {
            const QGraphicsPixmapItem* item = moteur->item(s.carteSurTable(p)->getFrontId());
            QVERIFY(item->isVisible());
            QVERIFY2(tapis.contains(item->sceneBoundingRect()),
                     qPrintable(QStringLiteral("seat %1's card off the cloth").arg(p)));
            QVERIFY(estFaceDeCarte(image, item->sceneBoundingRect().center().toPoint()));
        }
    }

    // The seats' name plates keep their whole letters on the cloth: no
    // descender is cut by the plate or the cloth's edge, at any seat.
    void namePlatesStayOnTheCloth()
    {
        TableDeScene t(tablePourImages(false));
        DisplayGLScene& s = *t.scene;
        Donne d;
        for (int j = 0; j < 4; ++j)
            d.joueurs[static_cast<size_t>(j)]->options_.nom_ = QStringLiteral("Jgpyq");
        d.distribue(s, nullptr);
        const QImage tapis = s.imageTapis();
        QVERIFY(!tapis.isNull());
        garde(tapis, QStringLiteral("cloth-plates.png"));
        auto encre = [&](int x, int y) {
            const QColor c = tapis.pixelColor(x, y);
            return c.red() + c.green() + c.blue() < 200;
        };
        // The ink of the plate along each edge: how deep it reaches into
        // the cloth, measured across the edge.
        const int w = tapis.width();
        const int h = tapis.height();
        const int bande = h / 8;
        auto profondeur = [&](int p) {
            int premier = -1;
            int dernier = -1;
            for (int i = 0; i < bande; ++i) {
                bool trouve = false;
                for (int j = bande; j < w - bande && !trouve; ++j) {
                    const int x = p == 0 || p == 2 ? j : (p == 1 ? w - 1 - i : i);
                    const int y = p == 0 ? h - 1 - i : (p == 2 ? i : j);
                    trouve = encre(x, y);
                }
                if (trouve) {
                    premier = premier < 0 ? i : premier;
                    dernier = i;
                }
            }
            return std::make_pair(premier, dernier - premier + 1);
        };
        // Each plate shows its letters whole: as deep as the font draws
        // them, from the top of the J to the foot of the y.
        QFont police = s.font();
        police.setPixelSize(qRound(0.06 * h));
        const double lettres = QFontMetricsF(police).tightBoundingRect(QStringLiteral("Jgpyq")).height();
        for (int p = 0; p < 4; ++p) {
            const auto plaque = profondeur(p);
            QVERIFY2(plaque.first > 0, qPrintable(QStringLiteral("a letter runs off edge %1").arg(p)));
            QVERIFY2(plaque.second >= lettres - 2.0,
                     qPrintable(QStringLiteral("plate %1 is %2 pixels deep, its letters %3")
                                    .arg(p).arg(plaque.second).arg(lettres)));
        }
    }

    // At any usual window size the bottom hand, raised as it is while its
    // seat chooses trump or plays, stays below the cloth and so below the
    // bottom seat's name plate at its near edge; the left seat's backs stay
    // clear of the slate.
    void handsLeaveThePlateAndTheSlateClear_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<bool>("belote");
        QTest::newRow("960x640") << QSize(960, 640) << false;
        QTest::newRow("800x600") << QSize(800, 600) << false;
        QTest::newRow("1280x800") << QSize(1280, 800) << false;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << false;
        QTest::newRow("1280x720") << QSize(1280, 720) << false;
        QTest::newRow("belote 800x600") << QSize(800, 600) << true;
        QTest::newRow("belote 1280x720") << QSize(1280, 720) << true;
        QTest::newRow("belote 1920x1080") << QSize(1920, 1080) << true;
    }
    void handsLeaveThePlateAndTheSlateClear()
    {
        QFETCH(QSize, taille);
        QFETCH(bool, belote);
        TableDeScene t(tablePourImages(belote, taille));
        DisplayGLScene& s = *t.scene;
        Donne d(belote);
        d.distribue(s, nullptr);
        // At rest, as while others bid, the whole hand is in the view, a
        // margin off its edges and centred under the cloth.
        QRectF main;
        for (Carte* carte : d[0]->main_) {
            DisplayGLHumanCarte* sprite = s.jeuDeCartes().getCarte(carte->getIndex());
            QTRY_VERIFY(sprite->isVisible());
            const QRectF r = sprite->sceneBoundingRect();
            main |= r;
            QVERIFY2(s.sceneRect().adjusted(-1, -1, 1, 1).contains(r),
                     qPrintable(QStringLiteral("card at rest at %1,%2 to %3,%4 off the view")
                                    .arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom())));
        }
        const QRectF cloth = moteurDe(t)->item(s.tapis()->getId())->sceneBoundingRect();
        QVERIFY2(main.left() >= 0.005 * taille.width() && std::abs(main.center().x() - cloth.center().x()) < 4.0,
                 qPrintable(QStringLiteral("hand from %1 to %2, the cloth's middle at %3")
                                .arg(main.left()).arg(main.right()).arg(cloth.center().x())));
        for (Carte* carte : d[0]->main_)
            s.jeuDeCartes().getCarte(carte->getIndex())->setState(DisplayGLHumanCarte::Surlignee, false, 0);
        const QImage image = t.image();
        garde(image, QStringLiteral("jass-choosing-%1x%2.png").arg(taille.width()).arg(taille.height()));
        auto* moteur = moteurDe(t);
        QVERIFY(moteur);
        const QRectF tapis = moteur->item(s.tapis()->getId())->sceneBoundingRect();
        const QGraphicsPixmapItem* itemArdoise = moteur->item(s.ardoise()->getId());
        const QPolygonF ardoise = itemArdoise->mapToScene(itemArdoise->boundingRect());
        for (Carte* carte : d[0]->main_) {
            const QRectF r = s.jeuDeCartes().getCarte(carte->getIndex())->sceneBoundingRect();
            QVERIFY2(r.top() >= tapis.bottom(), qPrintable(QStringLiteral("%1 < %2").arg(r.top()).arg(tapis.bottom())));
        }
        // The whole raised hand lies inside the view, the right edge too.
        for (Carte* carte : d[0]->main_) {
            const QRectF r = s.jeuDeCartes().getCarte(carte->getIndex())->sceneBoundingRect();
            QVERIFY2(s.sceneRect().adjusted(-1, -1, 1, 1).contains(r),
                     qPrintable(QStringLiteral("card at %1,%2 to %3,%4 off the view")
                                    .arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom())));
        }
        for (Carte* carte : d[3]->main_) {
            const QGraphicsPixmapItem* dos = moteur->item(s.objetCarte(carte->getIndex())->getBackId());
            QVERIFY(!dos->mapToScene(dos->boundingRect()).intersects(ardoise));
            QVERIFY(dos->sceneBoundingRect().bottom() <= s.zoneTable().bottom());
        }
    }

    // The status line reads on whatever lies behind it: its letters' colour
    // stands at least 4.5 to 1 against every pixel around them on the
    // picture, under each theme and window colour; its size follows the
    // table; the seasonal pictures drift behind it.
    void statusLineReadable_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<int>("theme");
        QTest::addColumn<QColor>("fenetre");
        const QList<QPair<int, QColor>> themes = {{0, QColor(250, 216, 170)}, {1, QColor(40, 44, 60)},
                                                  {2, QColor(200, 200, 200)}, {3, QColor(255, 200, 230)},
                                                  {4, QColor(90, 140, 60)}};
        for (const QSize& taille : {QSize(800, 600), QSize(1920, 1080)})
            for (const auto& [theme, fenetre] : themes)
                QTest::addRow("theme %d %dx%d", theme, taille.width(), taille.height()) << taille << theme << fenetre;
    }
    void statusLineReadable()
    {
        QFETCH(QSize, taille);
        QFETCH(int, theme);
        QFETCH(QColor, fenetre);
        Reglages r = tablePourImages(false, taille);
        r.options.appStyle_ = theme;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        Donne d;
        d.distribue(s, nullptr);
        QPalette palette;
        palette.setColor(QPalette::Window, fenetre);
        s.appliqueCouleurs(0, palette);
        s.setStatusText(QStringLiteral("Choisissez une carte."));
        QVERIFY(s.spawnSeasonal(QPixmap(QStringLiteral(":/images/leaf1.png")), 1) > 0);
        const QImage image = t.image();
        garde(image, QStringLiteral("status-theme%1-%2x%3.png").arg(theme).arg(taille.width()).arg(taille.height()));

        QRectF lettres;
        QColor encre;
        for (const QGraphicsSimpleTextItem* ligne : s.lignesArdoise())
            if (!ligne->text().isEmpty()) {
                lettres |= ligne->sceneBoundingRect();
                encre = ligne->brush().color();
            }
        QVERIFY(!lettres.isEmpty());
        // The letters are painted in their colour.
        int teintes = 0;
        const QRect dedans = lettres.toAlignedRect() & image.rect();
        for (int y = dedans.top(); y <= dedans.bottom(); ++y)
            for (int x = dedans.left(); x <= dedans.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                teintes += std::abs(c.red() - encre.red()) + std::abs(c.green() - encre.green())
                               + std::abs(c.blue() - encre.blue()) < 12;
            }
        QVERIFY2(teintes >= 20, qPrintable(QStringLiteral("%1 pixels of the text's colour").arg(teintes)));
        // What lies around the letters, a ring two pixels out.
        double pire = 100.0;
        const QRect anneau = dedans.adjusted(-3, -3, 3, 3);
        for (int y = anneau.top(); y <= anneau.bottom(); ++y)
            for (int x = anneau.left(); x <= anneau.right(); ++x) {
                if (dedans.adjusted(-1, -1, 1, 1).contains(x, y) || !image.valid(x, y))
                    continue;
                pire = std::min(pire, contraste::rapport(encre, image.pixelColor(x, y)));
            }
        QVERIFY2(pire >= 4.5, qPrintable(QStringLiteral("contrast %1 to 1").arg(pire)));
        // A line as tall as the table calls for, at any size.
        QVERIFY2(lettres.height() >= 0.025 * s.zoneTable().height(),
                 qPrintable(QStringLiteral("%1 pixels high on a table %2 high").arg(lettres.height())
                                .arg(s.zoneTable().height())));
        for (const auto& image : s.animationsImage())
            QVERIFY(image->item()->topLevelItem()->zValue() < s.fondLignesArdoise()->zValue());
        QVERIFY(s.fondLignesArdoise()->zValue() < s.lignesArdoise()[0]->zValue());
    }

    // The trump and bid panel in its band above the raised bottom hand, as
    // a person sees it.
    void trumpAndBidPanel_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("mise");
        QTest::addColumn<bool>("chibre");
        QTest::addColumn<int>("contrat");
        QTest::addColumn<QString>("nom");
        for (const QSize& taille : {QSize(800, 600), QSize(960, 640), QSize(1280, 800), QSize(1920, 1080)}) {
            const QString t = QStringLiteral("-%1x%2").arg(taille.width()).arg(taille.height());
            QTest::addRow("jass-chibre%s", qPrintable(t)) << taille << 0 << false << true << 0
                                                        << "panel-jass-chibre" + t;
            QTest::addRow("jass-zigzag%s", qPrintable(t)) << taille << 3 << false << true << 0
                                                        << "panel-jass-zigzag" + t;
            QTest::addRow("jass%s", qPrintable(t)) << taille << 0 << false << false << 0 << "panel-jass" + t;
            QTest::addRow("contree%s", qPrintable(t)) << taille << 8 << true << false << 1
                                                     << "panel-belote-contree" + t;
            QTest::addRow("coinche%s", qPrintable(t)) << taille << 9 << true << false << 2
                                                     << "panel-belote-coinche" + t;
        }
        QTest::addRow("belote-take-960x640") << QSize(960, 640) << 6 << true << false << 1
                                             << "panel-belote-prends-960x640";
        // A small window: the Passe button goes below the trumps.
        QTest::addRow("coinche-640x480") << QSize(640, 480) << 9 << true << false << 2
                                         << "panel-belote-coinche-640x480";
        QTest::addRow("jass-zigzag-640x480") << QSize(640, 480) << 3 << false << true << 0
                                             << "panel-jass-zigzag-640x480";
    }
    void trumpAndBidPanel()
    {
        QFETCH(QSize, taille);
        QFETCH(int, type);
        QFETCH(bool, mise);
        QFETCH(bool, chibre);
        QFETCH(int, contrat);
        QFETCH(QString, nom);
        TableDeScene t(tablePourImages(mise, taille));
        DisplayGLScene& s = *t.scene;
        Donne d(mise);
        d.distribue(s, nullptr);
        for (Carte* carte : d[0]->main_)
            s.jeuDeCartes().getCarte(carte->getIndex())->setState(DisplayGLHumanCarte::Surlignee, false, 0);
        const QImage sans = t.image();

        PanelAtouts* panneau = s.panelAtouts();
        const TypeDePartie& tp = TypeDePartie::getTypeDePartie(type);
        if (mise) {
            ZB_StatusMise m;
            m.typeContrat_ = contrat;
            m.tourMise_ = 1;
            m.montantBloque_ = false;
            m.miseur_ = 1;
            m.pointsMise_ = 90;
            m.miseMin_ = 100;
            panneau->afficheChoixMise(m, tp, 0);
        } else {
            panneau->afficheChoixAtout(tp, chibre);
        }
        s.conteneurAtouts()->show();
        QCoreApplication::sendPostedEvents();
        const QImage image = t.image();
        garde(image, nom + QStringLiteral(".png"));

        // Every offered button lies in the band above the hand, inside the
        // table, and is painted there; the band leaves the hand it asks
        // about clear.
        const QGraphicsProxyWidget* proxy = s.conteneurAtouts()->graphicsProxyWidget();
        QVERIFY(proxy && proxy->isVisible());
        const QRectF bande = proxy->sceneBoundingRect();
        QVERIFY(bande.top() >= s.zoneTable().top() + s.zoneTable().height() * 0.3);
        QVERIFY2(s.sceneRect().contains(bande), qPrintable(QStringLiteral("band %1,%2 %3x%4")
                                                               .arg(bande.x()).arg(bande.y())
                                                               .arg(bande.width()).arg(bande.height())));
        for (Carte* carte : d[0]->main_) {
            const QRectF c = s.jeuDeCartes().getCarte(carte->getIndex())->sceneBoundingRect();
            QVERIFY2(c.top() >= bande.bottom() - 1.0, qPrintable(QStringLiteral("card top %1 under the band ending at %2")
                                                                     .arg(c.top()).arg(bande.bottom())));
        }
        int montres = 0;
        for (QAbstractButton* bouton : panneau->findChildren<QAbstractButton*>()) {
            if (!bouton->isVisible())
                continue;
            ++montres;
            const QRectF zone = proxy->mapRectToScene(
                QRectF(bouton->mapTo(s.conteneurAtouts(), QPoint(0, 0)), QSizeF(bouton->size())));
            QVERIFY2(bande.contains(zone) && s.sceneRect().contains(zone), qPrintable(bouton->objectName()));
            // Nor under the tool buttons at the table's sides.
            QVERIFY2(zone.right() <= s.proxyAide()->sceneBoundingRect().left() + 0.5
                         && zone.left() >= s.proxyAnnulerArriere()->scenePos().x() + s.boutonAide()->width() - 0.5,
                     qPrintable(QStringLiteral("%1 from %2 to %3").arg(bouton->objectName()).arg(zone.left())
                                    .arg(zone.right())));
            QVERIFY2(zone.width() >= 10 && zone.height() >= 10, qPrintable(bouton->objectName()));
        }
        QVERIFY(montres >= 2);

        QAbstractButton* passe = panneau->findChild<QAbstractButton*>(QStringLiteral("boutonChibre_left"));
        QAbstractButton* pique = panneau->findChild<QAbstractButton*>(QStringLiteral("buttonAtout_Pique"));
        QAbstractButton* repere = passe->isVisible() ? passe : pique;
        const QPoint centre = proxy->mapToScene(QPointF(repere->mapTo(s.conteneurAtouts(), repere->rect().center())))
                                  .toPoint();
        QVERIFY(image.pixelColor(centre) != sans.pixelColor(centre));
    }

    // No label lies over a text the user must read: the bid band leaves the
    // cloth (with its name plates) and every seat's bid bubble clear, and a
    // message line passes above the cloth and the top seat's bubble and
    // under the settings panel.
    void labelsCoverNoText_data()
    {
        QTest::addColumn<QSize>("taille");
        // Of the cloth's height once the band is gone, during the auction.
        QTest::addColumn<double>("partMin");
        QTest::newRow("800x600") << QSize(800, 600) << 0.53;
        QTest::newRow("1024x768") << QSize(1024, 768) << 0.53;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 0.56;
    }
    void labelsCoverNoText()
    {
        QFETCH(QSize, taille);
        QFETCH(double, partMin);
        TableDeScene t(tablePourImages(true, taille));
        DisplayGLScene& s = *t.scene;
        Donne d(true);
        d.distribue(s, d[3]->main_.getCarte(d[3]->main_.premier()));
        s.setModeVue(1);
        auto* moteur = moteurDe(t);
        QVERIFY(moteur);
        auto vu = [moteur](const GL_ObjectSquare* objet) { return moteur->item(objet->getId())->sceneBoundingRect(); };
        auto texte = [](const QRectF& r) {
            return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        ZB_StatusMise mise;
        mise.miseFaite_ = true;
        mise.typeContrat_ = ZB_StatusMise::Simple;
        mise.pointsMise_ = 90;
        mise.atoutMise_ = 4;
        mise.miseMin_ = 100;
        for (int j = 1; j < 4; ++j)
            s.afficheBulleMise(j, mise, 2);
        s.panelAtouts()->afficheChoixMise(mise, TypeDePartie::getTypeDePartie(8), 0);
        s.conteneurAtouts()->show();
        QCoreApplication::sendPostedEvents();
        garde(t.image(), QStringLiteral("belote-bid-bubbles-%1x%2.png").arg(taille.width()).arg(taille.height()));
        // What is read during the auction, in pixels on screen: the slate,
        // the top plate's name, the turned card and the bubbles.
        auto hauteursTextes = [&] {
            const QRectF plaque = s.zonePlaquePosition(2);
            std::vector<double> h{vu(s.ardoise()).height(),
                                  plaque.height() * vu(s.tapis()).height() / s.imageTapis().height(),
                                  moteur->item(s.carteRetournee()->getFrontId())->sceneBoundingRect().height()};
            for (int p = 1; p < 4; ++p)
                h.push_back(vu(s.bulle(p)).height());
            return h;
        };
        const std::vector<double> textesPendantMise = hauteursTextes();
        // The other seats' words as large as the names: their size at least
        // the plate's height, which is a name's line.
        for (int p = 1; p < 4; ++p)
            QVERIFY2(SceneBulles::PART_POLICE * vu(s.bulle(p)).width() >= textesPendantMise[1],
                     qPrintable(QStringLiteral("bubble %1 %2 wide, plate %3 high").arg(p).arg(vu(s.bulle(p)).width())
                                    .arg(textesPendantMise[1])));
        const QRectF bande = s.proxyAtouts()->sceneBoundingRect();
        QVERIFY2(!bande.intersects(vu(s.tapis())), qPrintable(texte(bande) + " over the cloth " + texte(vu(s.tapis()))));
        for (int p = 1; p < 4; ++p) {
            QVERIFY(s.bulle(p)->isShown());
            QVERIFY2(!bande.intersects(vu(s.bulle(p))),
                     qPrintable(QStringLiteral("band %1 over bubble %2 at %3").arg(texte(bande)).arg(p).arg(texte(vu(s.bulle(p))))));
        }
        // A long status line and its backing leave the slate's scores
        // readable.
        s.setTexteAide(QStringLiteral("Temps écoulé. (Encore 2 fois avant exclusion). Choisissez la mise avant que le "
                                      "délai ne soit écoulé."));
        garde(t.image(), QStringLiteral("bid-long-status-%1x%2.png").arg(taille.width()).arg(taille.height()));
        const QRectF ardoise = vu(s.ardoise());
        QVERIFY(!ardoise.isEmpty());
        QVERIFY(s.fondLignesArdoise()->isVisible());
        QVERIFY2(!s.fondLignesArdoise()->sceneBoundingRect().intersects(ardoise),
                 qPrintable(texte(s.fondLignesArdoise()->sceneBoundingRect()) + " over the slate " + texte(ardoise)));
        QVERIFY(s.texteArdoise().endsWith(QStringLiteral("délai ne soit écoulé.")));
        s.setTexteAide(QString());

        // The name plates lie along the cloth's edges, each on the middle
        // half of its side: no bubble hides one.
        const QRectF c = vu(s.tapis());
        const double e = 0.06;
        const std::array<QRectF, 4> plaques = {
            QRectF(c.left() + c.width() / 4, c.bottom() - e * c.height(), c.width() / 2, e * c.height()),
            QRectF(c.right() - e * c.width(), c.top() + c.height() / 4, e * c.width(), c.height() / 2),
            QRectF(c.left() + c.width() / 4, c.top(), c.width() / 2, e * c.height()),
            QRectF(c.left(), c.top() + c.height() / 4, e * c.width(), c.height() / 2)};
        for (int p = 1; p < 4; ++p)
            for (size_t q = 0; q < plaques.size(); ++q)
                QVERIFY2(!plaques[q].intersects(vu(s.bulle(p))),
                         qPrintable(QStringLiteral("bubble %1 at %2 over plate %3 of the cloth %4").arg(p).arg(texte(vu(s.bulle(p)))).arg(q).arg(texte(c))));

        // Once answered, the table takes its whole room again.
        const QRectF tapisPendantMise = vu(s.tapis());
        s.conteneurAtouts()->hide();
        t.image();
        QVERIFY(vu(s.tapis()).height() > tapisPendantMise.height());
        // Those texts shrink alike, and a bubble's words stay readable (or
        // as large as without the band).
        const std::vector<double> textesSansBande = hauteursTextes();
        const double part = textesPendantMise.back() / textesSansBande.back();
        for (size_t i = 0; i < textesSansBande.size(); ++i)
            QVERIFY2(std::fabs(textesPendantMise[i] / textesSansBande[i] - part) < 0.03,
                     qPrintable(QStringLiteral("text %1 is %2 px high during the auction, %3 px after")
                                    .arg(i).arg(textesPendantMise[i]).arg(textesSansBande[i])));
        const double police = SceneBulles::PART_POLICE * part * vu(s.bulle(3)).width();
        QVERIFY2(police >= std::min(11.5, SceneBulles::PART_POLICE * vu(s.bulle(3)).width()),
                 qPrintable(QStringLiteral("the bubbles' words are %1 px high during the auction").arg(police)));
        // The band takes no more than its rows: the table above it stays as
        // large as it can.
        QVERIFY2(tapisPendantMise.height() >= partMin * vu(s.tapis()).height(),
                 qPrintable(QStringLiteral("the cloth during the auction is %1 of its height")
                                .arg(tapisPendantMise.height() / vu(s.tapis()).height())));

        // The user's own bid once the band is gone: her words as large as
        // the names, off the cloth and above her hand.
        s.afficheBulleMise(0, mise, 2);
        garde(t.image(), QStringLiteral("bottom-bubble-%1x%2.png").arg(taille.width()).arg(taille.height()));
        const QRectF bulle = vu(s.bulle(0));
        QVERIFY2(SceneBulles::PART_POLICE * bulle.width() >= textesSansBande[1]
                     && !bulle.intersects(vu(s.tapis())) && bulle.bottom() <= vu(s.tapis()).bottom() + 0.5,
                 qPrintable(texte(bulle) + " by the cloth " + texte(vu(s.tapis()))));

        s.afficheMessageReseau(QStringLiteral("Trump is Hearts."));
        const DisplayGLScoreAnimText* ligne = s.animationsMessage().front().get();
        QVERIFY(ligne->driver()->isRunning() || ligne->isDelayRunning());
        garde(t.image(), QStringLiteral("message-line-%1x%2.png").arg(taille.width()).arg(taille.height()));
        const QSizeF cote = ligne->item()->boundingRect().size();
        for (const QPointF& coin : {ligne->parametres().positionDebut, ligne->parametres().positionFin}) {
            const QRectF place(coin, cote);
            QVERIFY2(!place.intersects(vu(s.tapis())), qPrintable(texte(place) + " over the cloth " + texte(vu(s.tapis()))));
            QVERIFY2(!place.intersects(vu(s.bulle(2))), qPrintable(texte(place) + " over the top bubble"));
            QVERIFY(place.top() >= 0.0);
        }
        QVERIFY(ligne->item()->zValue() < s.dialogueReglages()->zValue());
    }
};

ZB_REGISTER_TEST(TestSceneTablePictures)
#include "TestSceneTablePictures.moc"
