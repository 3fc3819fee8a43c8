#include "AI_Joueur.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLScoreAnimPixmap.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "GL_ObjectCube.h"
#include "GL_ObjectSquare.h"
#include "GM_SharedFunctions.h"
#include "Partie.h"
#include "SceneBulles.h"
#include "TableDeScene.h"
#include "ZB_DeckJass.h"
#include "ZB_PointsJass.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QPen>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cmath>
#include <memory>

using namespace scenetest;

namespace {

Reglages sansCartes()
{
    // A deck style without pictures: nothing to render, the table is quick.
    Reglages r;
    r.automatique = false;
    r.options.cardStyle_ = 9;
    return r;
}

// Four computer players, seat j holding the cards j*9 .. j*9+8 of a deck
// (fewer when asked).
struct Joueurs
{
    explicit Joueurs(int cartesParMain = 9)
    {
        for (int j = 0; j < 4; ++j) {
            joueurs[static_cast<size_t>(j)] = std::make_unique<AI_Joueur>();
            for (int i = 0; i < cartesParMain; ++i)
                joueurs[static_cast<size_t>(j)]->main_.ajouteCarte(deck.getCarteParIndex(j * 9 + i));
        }
    }
    Joueur* operator[](int j) const { return joueurs[static_cast<size_t>(j)].get(); }
    void assied(DisplayGLScene& s) const
    {
        for (int j = 0; j < 4; ++j)
            s.setJoueur(j, (*this)[j]);
    }
    ZB_DeckJass deck;
    std::array<std::unique_ptr<AI_Joueur>, 4> joueurs;
};

} // namespace

class TestSceneTable : public QObject
{
    Q_OBJECT

private slots:
    void seatSetUpChoosesTheBottomSeat()
    {
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        Joueurs j;
        s.setNoJoueurLocal(2);
        j.assied(s);
        QCOMPARE(s.siegeBas(), 2);
        QCOMPARE(s.positionAffichage(3), 1);
        QCOMPARE(s.positionAffichage(1), 3);
        QCOMPARE(s.sieges()[1].numero, 1);
        QCOMPARE(s.sieges()[1].joueur, j[1]);

        // A player waiting to enter a running game is shown from its seat.
        j[1]->modeJeu_ = Joueur::ModeEnAttenteDEntree;
        s.setJoueur(1, j[1]);
        QCOMPARE(s.siegeBas(), 1);

        // Seats out of range and null players change nothing else.
        s.setJoueur(-1, j[0]);
        s.setJoueur(4, j[0]);
        s.setJoueur(0, nullptr);
        QCOMPARE(s.sieges()[0].numero, -1);
        QVERIFY(!s.sieges()[0].joueur);
        QCOMPARE(s.sieges()[3].numero, 3);
    }

    void automaticTableKeepsNoSeat()
    {
        TableDeScene t; // automatic
        Joueurs j;
        t.scene->setJoueur(0, j[0]);
        QCOMPARE(t.scene->sieges()[0].numero, -1);
    }

    // The bottom hand fanned: places and rotations of full and short hands.
    void handIsFanned_data()
    {
        QTest::addColumn<int>("cartes");
        QTest::addColumn<int>("premierePlace");
        QTest::addColumn<QList<int>>("rotations");
        QTest::newRow("nine cards") << 9 << 0 << QList<int>{-7, -5, -4, -2, -1, 1, 2, 4, 5};
        QTest::newRow("one card") << 1 << 4 << QList<int>{-1};
        QTest::newRow("four cards") << 4 << 2 << QList<int>{-3, -2, 0, 2};
    }
    void handIsFanned()
    {
        QFETCH(int, cartes);
        QFETCH(int, premierePlace);
        QFETCH(QList<int>, rotations);
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        Joueurs j(cartes);
        s.setNoJoueurLocal(0);
        j.assied(s);
        // The places close up where the table is too narrow for nine.
        const QRectF zone = scene_geometrie::zoneMain(s.zoneTable(), cartes);
        const double place = zone.width() / 9.0;
        int i = 0;
        for (Carte* carte : j[0]->main_) {
            const DisplayGLHumanCarte* sprite = s.jeuDeCartes().getCarte(carte->getIndex());
            QVERIFY(sprite);
            QCOMPARE(qRound(sprite->rotation()), rotations.value(i));
            QVERIFY(std::abs(sprite->pos().x() - (zone.x() + (premierePlace + i) * place)) < 1e-6);
            ++i;
        }
        QCOMPARE(i, cartes);

        // A new window size lays the hand out again.
        s.setSceneRect(0, 0, 1600, 1200);
        const DisplayGLHumanCarte* dernier = s.jeuDeCartes().getCarte(j[0]->main_.getCarte(8) ? 8 : -1);
        if (cartes == 9) {
            QVERIFY(dernier);
            const QRectF main = scene_geometrie::zoneMain(s.zoneTable(), 9);
            QVERIFY(std::abs(dernier->pos().x() - (main.x() + main.width() / 9.0 * 8)) < 1e-6);
            QVERIFY(dernier->sceneBoundingRect().right() <= s.zoneTable().right());
        }
    }

    // A deal, a trick and the end of the deal leave every card where the
    // table says: other seats' cards on their timers, the turned card kept,
    // played cards in their trick place, a trick on the winner's pile.
    void dealTrickAndEndOfDeal_data()
    {
        QTest::addColumn<int>("modeVue");
        QTest::newRow("animated") << 0;
        QTest::newRow("view mode 1: no animations") << 1;
    }
    void dealTrickAndEndOfDeal()
    {
        QFETCH(int, modeVue);
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        s.setModeVue(modeVue);
        Joueurs j;
        s.setNoJoueurLocal(0);
        j.assied(s);
        Carte* retournee = j[3]->main_.getCarte(27);
        s.afficheCartesDistribuees(retournee);
        QVERIFY(s.carteRetournee());
        QVERIFY(s.carteRetournee()->isShown());
        QCOMPARE(s.carteRetournee()->getFace(), int(GL_ObjectCube::Front));

        s.setZBackground(4.5);
        s.nouvelleDonne(9, 1000, 0);
        QCOMPARE(s.objectifDonne(), 1000);
        // The camera comes down to the table: at once without animations.
        if (modeVue == 1)
            QCOMPARE(s.zBackground(), DisplayGLScene::DISTANCE_CAMERA_TABLE);
        for (int seat = 0; seat < 4; ++seat) {
            for (Carte* carte : j[seat]->main_) {
                const int index = carte->getIndex();
                GL_ObjectCube* cube = s.objetCarte(index);
                QVERIFY(cube);
                if (cube == s.carteRetournee()) {
                    QVERIFY(cube->isShown());
                    QCOMPARE(cube->getFace(), int(GL_ObjectCube::Front));
                    continue;
                }
                if (seat == 0) {
                    QVERIFY(!cube->isShown());
                    QVERIFY(!cube->isShowPending());
                    continue;
                }
                QCOMPARE(cube->getFace(), int(GL_ObjectCube::Back));
                // The first card of every seat but seat 0 waits at least
                // 150 ms: animated, nobody's card shows at once.
                if (modeVue == 1)
                    QVERIFY(cube->isShown() || cube->isShowPending());
                else
                    QVERIFY(cube->isShowPending());
            }
        }

        // One card per seat, then the trick to seat 2's pile.
        std::array<Carte*, 4> jouees{};
        for (int seat = 0; seat < 4; ++seat) {
            jouees[static_cast<size_t>(seat)] = j[seat]->main_.getCarte(seat * 9 + 1);
            s.afficheCarteJouee(seat, jouees[static_cast<size_t>(seat)]);
            GL_ObjectCube* cube = s.carteSurTable(s.positionAffichage(seat));
            QCOMPARE(cube, s.objetCarte(seat * 9 + 1));
            QVERIFY(cube->isShown());
            QCOMPARE(cube->getFace(), int(GL_ObjectCube::Front));
            QCOMPARE(s.jeuDeCartes().getCarte(seat * 9 + 1)->getState(), int(DisplayGLHumanCarte::Cachee));
        }
        std::array<AnnoncesJoueur, 4> annonces{};
        s.afficheCartesAnnonces(0, 2, annonces);
        for (int p = 0; p < 4; ++p)
            QVERIFY(!s.carteSurTable(p));
        for (Carte* carte : jouees) {
            GL_ObjectCube* cube = s.objetCarte(carte->getIndex());
            if (modeVue == 1) {
                QVERIFY(!cube->isShown());
            } else {
                QCOMPARE(cube->getPlacement(), DisplayGLPaintA::Pile + s.positionAffichage(2));
                QVERIFY(cube->getHideAtEnd());
            }
        }

        // Browsing back with the undo buttons, a trick's end takes each card
        // from its trick place out to its seat's edge, not to a pile.
        s.setNavigationAnnuler(true);
        for (int seat = 0; seat < 4; ++seat)
            s.afficheCarteJouee(seat, j[seat]->main_.getCarte(seat * 9 + 2));
        s.afficheCartesAnnonces(0, 2, annonces);
        for (int seat = 0; seat < 4; ++seat) {
            GL_ObjectCube* cube = s.objetCarte(seat * 9 + 2);
            if (modeVue == 1) {
                QVERIFY(!cube->isShown());
            } else {
                QCOMPARE(cube->getPlacement(), DisplayGLPaintA::TrickPlace + s.positionAffichage(seat));
                QVERIFY(cube->getHideAtEnd());
            }
        }
        s.setNavigationAnnuler(false);

        // The next deal comes while the trick still flies to its pile: the
        // flight must not hide the card the deal shows.
        s.nouvelleDonne(9, 1000, 0);
        for (Carte* carte : jouees) {
            GL_ObjectCube* cube = s.objetCarte(carte->getIndex());
            QVERIFY(!cube->isMoving());
            QVERIFY(!cube->getHideAtEnd());
        }

        // A choice strip still open (its seat's player gone) closes with
        // the deal.
        s.conteneurAtouts()->show();
        s.finDeDonne();
        QVERIFY(s.conteneurAtouts()->isHidden());
        QCOMPARE(s.siegeBas(), 0);
        QVERIFY(!s.carteRetournee());
        for (int i = 0; i < 36; ++i) {
            QVERIFY(!s.objetCarte(i)->isShown());
            QVERIFY(!s.objetCarte(i)->isShowPending());
            QCOMPARE(s.jeuDeCartes().getCarte(i)->getState(), int(DisplayGLHumanCarte::Cachee));
        }
        for (const DisplayGLScene::Siege& siege : s.sieges())
            QCOMPARE(siege.numero, -1);
        QTRY_COMPARE_WITH_TIMEOUT(s.zBackground(), DisplayGLScene::DISTANCE_CAMERA_TABLE, 5000);
    }

    // The bottom seat shows its hand face up only when it is played at this
    // screen: a player of another machine there (on a host with no seat of
    // its own) keeps its cards face down, as every other remote seat does.
    void bottomHandOfAnotherScreenStaysHidden_data()
    {
        QTest::addColumn<int>("distant");
        QTest::addColumn<bool>("visible");
        QTest::newRow("this screen's player") << 0 << true;
        QTest::newRow("a player at another screen") << 1 << false;
    }
    void bottomHandOfAnotherScreenStaysHidden()
    {
        QFETCH(int, distant);
        QFETCH(bool, visible);
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        s.setModeVue(1);
        Joueurs j;
        for (int seat = 1; seat < 4; ++seat)
            j[seat]->options_.distant_ = 1;
        j[0]->options_.distant_ = distant;
        j.assied(s);
        QCOMPARE(s.siegeBas(), 0);
        s.nouvelleDonne(9, 1000, 0);
        for (Carte* carte : j[0]->main_) {
            const GL_ObjectCube* cube = s.objetCarte(carte->getIndex());
            QVERIFY(cube);
            QCOMPARE(cube->isShown() || cube->isShowPending(), !visible);
            if (!visible)
                QCOMPARE(cube->getFace(), int(GL_ObjectCube::Back));
        }
    }

    // An announcement waits for the seat's card; "Belote" in the first
    // trick joins it; a pass shows even in the last bidder's bubble.
    void bubblesFollowThePlay()
    {
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        s.setModeVue(1);
        Joueurs j;
        s.setNoJoueurLocal(0);
        j.assied(s);
        s.nouvelleDonne(9, 0, 0);
        // Three cards in a row of seat 1's suit, then gaps: a run of three.
        EnsembleDeCartes suite;
        for (int index : {9, 10, 11, 13, 15})
            suite.ajouteCarte(j.deck.getCarteParIndex(index));
        const AnnoncesJoueur annonces(suite, 0);
        QVERIFY(annonces.getTotalPoints() > 0);
        const int p = s.positionAffichage(1);
        s.afficheBulleJoueur(1, annonces);
        QVERIFY(s.isBullePendante(p));
        QCOMPARE(s.texteBulle(p), QStringLiteral("Trois cartes"));
        QVERIFY(!s.bulle(p)->isShown());
        s.afficheCarteJouee(1, j[1]->main_.getCarte(17));
        QVERIFY(s.bulle(p)->isShown());
        s.afficheBulleAnnonce(1);
        QCOMPARE(s.texteBulle(p), QStringLiteral("Trois cartes et Belote"));

        // A Belote without an announcement.
        s.afficheBulleAnnonce(2);
        QCOMPARE(s.texteBulle(s.positionAffichage(2)), QStringLiteral("Belote"));

        ZB_StatusMise mise;
        mise.miseFaite_ = true;
        mise.typeContrat_ = ZB_StatusMise::Simple;
        mise.pointsMise_ = 100;
        mise.atoutMise_ = 2;
        s.afficheBulleMise(3, mise, 2);
        mise.miseFaite_ = false;
        s.afficheBulleMise(3, mise, 2);
        QCOMPARE(s.texteBulle(s.positionAffichage(3)), QStringLiteral("Je passe"));
        QVERIFY(s.bulle(s.positionAffichage(3))->isShown());
        // Seats out of range: nothing.
        s.afficheBulleMise(9, mise, 2);
        s.afficheBulleAnnonce(-1);
        s.afficheBulleJoueur(4, annonces);

        s.finDeDonne();
        for (int q = 0; q < 4; ++q) {
            QVERIFY(s.texteBulle(q).isEmpty());
            QVERIFY(!s.isBullePendante(q));
            QVERIFY(!s.bulle(q)->isShown());
        }
    }

    // The plates are painted on the cloth; the dark scheme writes them in
    // white.
    void platesArePaintedOnTheCloth()
    {
        Reglages r = sansCartes();
        r.options.appStyle_ = 0;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        s.createGLObjects();
        Joueurs j;
        for (int seat = 0; seat < 4; ++seat)
            j[seat]->options_.nom_ = QStringLiteral("WWWWWWWW");
        j.assied(s);
        auto blancs = [](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); y += 2)
                for (int x = 0; x < image.width(); x += 2)
                    n += image.pixelColor(x, y).lightness() > 245;
            return n;
        };
        s.redessineCartes(0);
        const QImage clair = s.imageTapis();
        QVERIFY(!clair.isNull());
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(20, 20, 20));
        s.appliqueCouleurs(2, palette);
        QCOMPARE(s.schemaCouleurs(), 2);
        QCOMPARE(s.backgroundBrush().color(), QColor(20, 20, 20));
        QVERIFY(blancs(s.imageTapis()) > blancs(clair) + 50);
        // The status lines take the scheme's outline and its red fill, drawn
        // lighter on their dark backing, the hue kept.
        const QColor eclairci = QColor(20, 20, 20).lighter(150);
        const QColor rouge(qRound(0.3 * eclairci.red() + 0.7 * 255), qRound(0.3 * eclairci.green()),
                           qRound(0.3 * eclairci.blue()));
        for (const QGraphicsSimpleTextItem* ligne : s.lignesArdoise()) {
            const QColor fill = ligne->brush().color();
            QCOMPARE(fill.hue(), rouge.hue());
            QVERIFY(fill.lightness() >= rouge.lightness());
            QCOMPARE(ligne->pen().color(), QColor(20, 20, 20).darker(800));
        }
    }

    // Each grab says what it is for: store screenshots are handed on under
    // numbered names, the bug report keeps its own name (a regular file of
    // its own) and hands nothing on, however long the bug button was held.
    void grabsKeepTheirPurpose()
    {
        QStandardPaths::setTestModeEnabled(true);
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        QSignalSpy captures(&s, &DisplayGLScene::signalScreenshotCompleted);
        s.demandeCapture(DisplayGLScene::CaptureMagasin);
        QTRY_COMPARE(captures.count(), 1);
        const QString premier = s.dernierFichierCapture();
        s.demandeCapture(DisplayGLScene::CaptureMagasin);
        QTRY_COMPARE(captures.count(), 2);
        const QString second = s.dernierFichierCapture();
        QVERIFY(premier != second);
        QVERIFY(QFileInfo(premier).fileName().startsWith(QStringLiteral("storeScreenshot_")));
        QVERIFY(QFileInfo::exists(premier) && QFileInfo::exists(second));

        // The data folder's picture is a file of its own: a link in its
        // place goes aside, and what it led to is not written.
        QTemporaryDir ailleurs;
        const QString cible = ailleurs.filePath(QStringLiteral("autre.png"));
        {
            QFile f(cible);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
        }
        const QString image = appDataPath(QString()) + QStringLiteral("bugReportScreenshot.png");
        QFile::remove(image);
        QVERIFY(QFile::link(cible, image));
        s.OnBugPressed();
        QTest::qWait(2);
        s.demandeCapture(DisplayGLScene::CaptureBug);
        QTRY_COMPARE(s.dernierFichierCapture(), image);
        QTRY_VERIFY(QFileInfo(image).isFile() && !QFileInfo(image).isSymLink());
        QCOMPARE(QFileInfo(cible).size(), 1);
        QCOMPARE(captures.count(), 2);
        QCOMPARE(s.butCapture(), DisplayGLScene::CaptureMagasin);
        QStandardPaths::setTestModeEnabled(false);
    }

    // The bug button's timing, driven by an injected clock: a press held up
    // to five seconds grabs the table for the questionnaire, a longer one
    // opens the debug options and grabs nothing.
    void bugButtonTimings_data()
    {
        QTest::addColumn<bool>("appui");
        QTest::addColumn<qint64>("tenuMs");
        QTest::addColumn<bool>("debug");
        QTest::newRow("a click") << true << qint64(80) << false;
        QTest::newRow("held five seconds") << true << DisplayGLScene::DUREE_APPUI_CAPTURE_MS << false;
        QTest::newRow("held a moment longer") << true << DisplayGLScene::DUREE_APPUI_CAPTURE_MS + 1 << true;
        QTest::newRow("held six seconds") << true << qint64(6000) << true;
        QTest::newRow("no press seen") << false << qint64(9000) << false;
    }
    void bugButtonTimings()
    {
        QFETCH(bool, appui);
        QFETCH(qint64, tenuMs);
        QFETCH(bool, debug);
        QStandardPaths::setTestModeEnabled(true);
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        QWidget formulaireDebug;
        QWidget questionnaire;
        s.setFenetresBug(&formulaireDebug, &questionnaire);
        qint64 maintenant = 1000;
        s.setHorlogeBug([&] { return maintenant; });
        QSignalSpy captures(&s, &DisplayGLScene::signalScreenshotCompleted);
        const QString fichier = appDataPath(QString()) + QStringLiteral("bugReportScreenshot.png");
        QFile::remove(fichier);

        if (appui)
            emit s.boutonBug()->pressed();
        maintenant += tenuMs;
        emit s.boutonBug()->clicked();
        if (debug) {
            QVERIFY(formulaireDebug.isVisible());
            QCoreApplication::processEvents();
            QVERIFY(!questionnaire.isVisible());
            QVERIFY(!QFileInfo::exists(fichier));
        } else {
            QTRY_VERIFY(questionnaire.isVisible());
            QVERIFY(!formulaireDebug.isVisible());
            QCOMPARE(s.dernierFichierCapture(), fichier);
            QVERIFY(QFileInfo::exists(fichier));
            QVERIFY(s.legendeCapture().isEmpty());
        }
        QCOMPARE(captures.count(), 0);
        // The next click starts from its own press.
        formulaireDebug.hide();
        emit s.boutonBug()->pressed();
        emit s.boutonBug()->clicked();
        QVERIFY(!formulaireDebug.isVisible());
        QStandardPaths::setTestModeEnabled(false);
    }

    void seasonalArtFollowsTheDate_data()
    {
        QTest::addColumn<bool>("hiver");
        QTest::addColumn<int>("saison");
        QTest::newRow("winter enabled: snow") << true << 0;
        QTest::newRow("winter disabled: the next season that holds the day") << false << 1;
    }
    void seasonalArtFollowsTheDate()
    {
        QFETCH(bool, hiver);
        QFETCH(int, saison);
        Reglages r = sansCartes();
        r.options.saisons_[0] = {hiver, QStringLiteral("2020-11-25"), QStringLiteral("2021-01-05")};
        r.options.saisons_[1] = {true, QStringLiteral("2020-12-01"), QStringLiteral("2020-12-31")};
        r.options.saisons_[2] = {true, QStringLiteral("2020-06-01"), QStringLiteral("2020-08-31")};
        r.options.saisons_[3] = {false, QStringLiteral("2020-09-01"), QStringLiteral("2020-11-20")};
        TableDeScene t(r);
        QCOMPARE(t.scene->showSeasonalArt(QDate(2026, 12, 24)), saison);
        QCOMPARE(t.scene->showSeasonalArt(QDate(2026, 10, 1)), -1);
    }

    // Tiny tables: no column or fall height to draw from, no picture; no
    // remainder by zero.
    void seasonalArtOnAnyTable_data()
    {
        QTest::addColumn<QSizeF>("taille");
        QTest::addColumn<bool>("images");
        QTest::newRow("1x1") << QSizeF(1, 1) << false;
        QTest::newRow("9 wide") << QSizeF(9, 600) << false;
        QTest::newRow("no height") << QSizeF(800, 3) << false;
        QTest::newRow("800x600") << QSizeF(800, 600) << true;
        QTest::newRow("8K") << QSizeF(7680, 4320) << true;
    }
    void seasonalArtOnAnyTable()
    {
        QFETCH(QSizeF, taille);
        QFETCH(bool, images);
        TableDeScene t(sansCartes());
        t.scene->setSceneRect(QRectF(QPointF(0, 0), taille));
        QPixmap flocon(32, 32);
        flocon.fill(Qt::white);
        const int lances = t.scene->spawnSeasonal(flocon, 0);
        QCOMPARE(lances > 0, images);
        QCOMPARE(t.scene->spawnSeasonal(QPixmap(), 0), 0);
        for (const auto& image : t.scene->animationsImage())
            QVERIFY(std::isfinite(image->pos().x()) && std::isfinite(image->pos().y()));
        t.scene->stopAnimationsAndCloseDialogs();
    }

    // Nothing covers what must be read, at two sizes under two themes: a
    // bubble writes its words bold within its body however long they are,
    // the season's pictures pass behind the bubbles on show, a score
    // floats between the side seats' plates, not over them, and the plates
    // keep the longest names within the cloth and apart from each other.
    void nothingDrawnOverWhatMustBeRead_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<int>("theme");
        QTest::newRow("800 x 600, wood") << QSize(800, 600) << 0;
        QTest::newRow("800 x 600, candy") << QSize(800, 600) << 3;
        QTest::newRow("1920 x 1080, wood") << QSize(1920, 1080) << 0;
        QTest::newRow("1920 x 1080, candy") << QSize(1920, 1080) << 3;
    }
    void nothingDrawnOverWhatMustBeRead()
    {
        QFETCH(QSize, taille);
        QFETCH(int, theme);
        Reglages r = sansCartes();
        r.taille = taille;
        r.options.appStyle_ = theme;
        r.options.animatedScores_ = true;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        s.setSceneRect(QRectF(QPointF(0, 0), QSizeF(taille)));
        s.createGLObjects();
        Joueurs j;
        // A name as long as the name fields take, the same in the widest
        // letters, and what a peer may send.
        const QString nomLong = QStringLiteral("Anna-Maria Wolfensberger");
        j[0]->options_.nom_ = nomLong;
        // The second of two players of one name.
        j[1]->options_.nom_ = QString(27, QLatin1Char('M')) + QStringLiteral(" (2)");
        j[2]->options_.nom_ = nomLong;
        j[3]->options_.nom_ = QString(24, QLatin1Char('W'));
        for (int siege : {1, 2})
            j[siege]->options_.distant_ = 1;
        j[2]->options_.ordinateur_ = 0;
        s.setNoJoueurLocal(0);
        j.assied(s);
        s.setModeVue(1);
        s.nouvelleDonne(9, 1000, 0);

        // The plates: each within the cloth, none over another, the names
        // the fields allow whole, a peer's long one shortened before its
        // end, still saying who plays the seat and which of two of one name.
        const QRectF tapis(QPointF(0, 0), QSizeF(s.imageTapis().size()));
        QVERIFY(!tapis.isEmpty());
        for (int siege = 0; siege < 4; ++siege) {
            const int pos = s.positionAffichage(siege);
            const QRectF zone = s.zonePlaquePosition(pos);
            const QString texte = s.textePlaquePosition(pos);
            QVERIFY2(tapis.contains(zone), qPrintable(texte));
            for (int autre = siege + 1; autre < 4; ++autre)
                QVERIFY2(!zone.intersects(s.zonePlaquePosition(s.positionAffichage(autre))),
                         qPrintable(texte + QStringLiteral(" / ") + s.textePlaquePosition(s.positionAffichage(autre))));
        }
        QCOMPARE(s.textePlaquePosition(s.positionAffichage(0)), j[0]->options_.getNomAffiche());
        QCOMPARE(s.textePlaquePosition(s.positionAffichage(2)), j[2]->options_.getNomAffiche());
        const QString coupe = s.textePlaquePosition(s.positionAffichage(1));
        QVERIFY2(coupe.startsWith(QStringLiteral("\u2068M")) && coupe.count(QChar(0x2026)) == 1
                     && coupe.endsWith(QStringLiteral(" (2)\u2069 (joueur)")),
                 qPrintable(coupe));
        gardeImage(t.image(), QStringLiteral("long-names-%1x%2-theme%3.png").arg(taille.width()).arg(taille.height()).arg(theme));

        // The bubble's words.
        const int p = s.positionAffichage(3);
        const int largeurBulle = s.bulle(p)->getImage().width();
        QVERIFY(largeurBulle > 0);
        for (const char* mots : {"Capot en Coeur", "Capot in Hearts", "Surcontrée", "Capot in Diamonds, redoubled"}) {
            const QString texte = QString::fromUtf8(mots);
            const QFont police = SceneBulles::policeQuiTient(texte, s.font(), largeurBulle);
            QVERIFY(police.bold());
            QVERIFY2(QFontMetricsF(police).horizontalAdvance(texte)
                         <= SceneBulles::boiteTexte(QSize(largeurBulle, largeurBulle)).width(),
                     mots);
        }

        // A bid on the table: the pictures' frame leaves its bubble out.
        ZB_StatusMise mise;
        mise.miseFaite_ = true;
        mise.typeContrat_ = ZB_StatusMise::Capot;
        mise.atoutMise_ = 4;
        s.afficheBulleMise(3, mise, 3);
        QVERIFY(s.bulle(p)->isShown());
        t.image();
        QCoreApplication::processEvents();
        const QPolygonF vu = t.holder->paintEngine()->contourVu(s.bulle(p)->getId());
        QVERIFY(vu.size() >= 3);
        const QRectF table = s.zoneTable();
        const QPointF milieu(vu.boundingRect().center().x() * table.width(),
                             table.top() + vu.boundingRect().center().y() * table.height());
        QVERIFY2(!s.cadreSaisons()->path().contains(milieu),
                 qPrintable(QStringLiteral("%1, %2").arg(milieu.x()).arg(milieu.y())));
        QVERIFY(s.cadreSaisons()->path().contains(QPointF(table.left() + 2.0, table.bottom() - 2.0)));
        // Nor the partner's name on the cloth.
        const QRectF tapisVu = t.holder->paintEngine()->contourVu(s.tapis()->getId()).boundingRect();
        const QPointF nom = s.zonePlaquePosition(2).center();
        const QPointF nomVu(tapisVu.x() * table.width() + nom.x() / s.imageTapis().width() * tapisVu.width() * table.width(),
                            table.top() + (tapisVu.y() + nom.y() / s.imageTapis().height() * tapisVu.height()) * table.height());
        QVERIFY2(!s.cadreSaisons()->path().contains(nomVu), qPrintable(QStringLiteral("%1, %2").arg(nomVu.x()).arg(nomVu.y())));

        // The longest score label floats within the room between the plates.
        const double place = s.largeurEntrePlaques();
        QVERIFY(std::isfinite(place) && place > 0.0);
        ZB_PointsJass points;
        points.pointsAnnoncesPris_[1] = 50;
        s.setModeVue(0);
        s.afficheArdoise(points, 0, 0, 1, {}, -1);
        bool lance = false;
        for (const auto& anim : s.animationsScore()) {
            if (!anim->driver()->isRunning())
                continue;
            lance = true;
            const QRectF r = anim->item()->sceneBoundingRect();
            QVERIFY2(r.width() <= place + 1.0, qPrintable(QStringLiteral("%1 > %2").arg(r.width()).arg(place)));
            QVERIFY(std::abs(r.center().x() - table.center().x()) < 1.0);
        }
        QVERIFY(lance);
    }

    // Announced cards show face up, then turn back at a trick's end once
    // the announcements have been seen (states 45 to 52).
    void exposedCardsTurnBack_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<bool>("retournees");
        QTest::newRow("state 44") << 44 << false;
        QTest::newRow("state 45") << 45 << true;
        QTest::newRow("state 52") << 52 << true;
        QTest::newRow("state 53") << 53 << false;
    }
    void exposedCardsTurnBack()
    {
        QFETCH(int, etat);
        QFETCH(bool, retournees);
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        s.setModeVue(1);
        Joueurs j;
        s.setNoJoueurLocal(0);
        j.assied(s);
        s.nouvelleDonne(9, 0, 0);
        EnsembleDeCartes suite;
        for (int index : {9, 10, 11, 13, 15})
            suite.ajouteCarte(j.deck.getCarteParIndex(index));
        const AnnoncesJoueur annonces(suite, 0);
        s.effaceBulles(0, annonces);
        for (int index : {9, 10, 11}) {
            QVERIFY(s.isExposee(index));
            QCOMPARE(s.objetCarte(index)->getFace(), int(GL_ObjectCube::Front));
        }
        QVERIFY(!s.isExposee(13));
        s.setDernierEtat(etat);
        s.afficheCarteJouee(0, j[0]->main_.getCarte(0));
        s.afficheCartesAnnonces(0, 0, {});
        for (int index : {9, 10, 11}) {
            QCOMPARE(s.isExposee(index), !retournees);
            QCOMPARE(s.objetCarte(index)->getFace(), retournees ? int(GL_ObjectCube::Back) : int(GL_ObjectCube::Front));
        }
    }

    // While the right panel covers the table nothing of it is painted.
    void coveredTableIsNotPainted()
    {
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        s.createGLObjects();
        const QPoint centre = s.zoneTable().center().toPoint();
        const QColor tapis = t.image().pixelColor(centre);
        s.setPanneauDroitVisible(true);
        QVERIFY(s.isPanneauDroitVisible());
        QVERIFY(t.image().pixelColor(centre) != tapis);
        s.afficheRedistribution();
        s.setPanneauDroitVisible(false);
        QCOMPARE(t.image().pixelColor(centre), tapis);
    }

    // Bad input to the table's operations: ignored, nothing else changes.
    void badInputIsIgnored()
    {
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        Joueurs j;
        j.assied(s);
        s.afficheCarteJouee(0, nullptr);
        s.afficheCarteJouee(-1, j[0]->main_.getCarte(0));
        s.afficheCarteJouee(4, j[0]->main_.getCarte(0));
        for (int p = 0; p < 4; ++p)
            QVERIFY(!s.carteSurTable(p));
        s.afficheCartesDistribuees(nullptr);
        QVERIFY(!s.carteRetournee());
        s.afficheCartesAnnonces(0, 7, {});
        s.nouvelleDonne(-3, 0, 0);
        s.nouvelleDonne(1000, 0, 0);
        QVERIFY(!s.objetCarte(-1));
        QVERIFY(!s.objetCarte(36));

        // The game taken away in the middle of a flight: every card hidden,
        // every seat empty.
        s.setModeVue(0);
        s.afficheCarteJouee(1, j[1]->main_.getCarte(9));
        s.setPartie({});
        for (int i = 0; i < 36; ++i)
            QVERIFY(!s.objetCarte(i)->isShown());
        for (const DisplayGLScene::Siege& siege : s.sieges())
            QVERIFY(!siege.joueur);
        QVERIFY(!s.carteSurTable(s.positionAffichage(1)));
    }

    // Windows from 1x1 to 8K lay the table out without a crash or an
    // empty or negative table.
    void anyWindowSizeIsLaidOut_data()
    {
        QTest::addColumn<QSizeF>("taille");
        QTest::newRow("1x1") << QSizeF(1, 1);
        QTest::newRow("1x4320") << QSizeF(1, 4320);
        QTest::newRow("7680x1") << QSizeF(7680, 1);
        QTest::newRow("1920x1080") << QSizeF(1920, 1080);
        QTest::newRow("8K") << QSizeF(7680, 4320);
    }
    void anyWindowSizeIsLaidOut()
    {
        QFETCH(QSizeF, taille);
        TableDeScene t(sansCartes());
        DisplayGLScene& s = *t.scene;
        Joueurs j;
        s.setNoJoueurLocal(0);
        j.assied(s);
        s.setSceneRect(QRectF(QPointF(0, 0), taille));
        QVERIFY(s.zoneTable().width() >= 0.0);
        QVERIFY(s.zoneTable().height() >= 0.0);
        const DisplayGLPaintA::ViewParameters p = s.moteur()->viewParameters();
        QVERIFY(p[DisplayGLPaintA::ViewParameters::FacteurHauteur] > 0.0);
        const QImage image = t.image();
        QVERIFY(!image.isNull());
    }
};

ZB_REGISTER_TEST(TestSceneTable)
#include "TestSceneTable.moc"
