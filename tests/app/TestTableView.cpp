#include "AiTestKit.h"
#include "DisplayACloseCallback.h"
#include "DisplayGL.h"
#include "DisplayGLCapturesMagasin.h"
#include "DisplayGLScene.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLSceneDialogButton.h"
#include "DisplayGLWidget.h"
#include "GM_MessageBoxEmitter.h"
#include "OptionsAffichage.h"
#include "OptionsDePartie.h"
#include "TypeDePartie.h"
#include "ZB_About.h"
#include "ZB_PointsJass.h"
#include "ZB_Settings.h"
#include "ZB_Translator.h"
#include "ZbTestRegistry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace aitest;

namespace {

// The main window's side of the view: what the view asked of it.
class FermetureEnregistree : public DisplayACloseCallback
{
public:
    void userRequestedClose(QCloseEvent*) override { ++fermetures; }
    void userChoseGameType(int) override {}
    void startMarketingScenario(int scenario, int langue, int argument) override
    {
        scenarios << QList<int>{scenario, langue, argument};
    }
    int fermetures = 0;
    QList<QList<int>> scenarios;
};

// A table view as the main window builds it, on the widget engine (the
// offscreen platform has no OpenGL).
struct VueDeTest
{
    explicit VueDeTest(const ZB_Settings& d = reglagesAutomatiques())
        : demarrage(d)
        , holder(QSharedPointer<DisplayGLWidget>::create(nullptr, DisplayGLWidget::MoteurWidget))
        , vue(std::make_unique<DisplayGL>(nullptr, nullptr, 0, &fermeture, holder, OptionsAffichage(), &demarrage,
                                          nullptr))
    {
    }
    static ZB_Settings reglagesAutomatiques()
    {
        ZB_Settings d;
        d.automatique = 1;
        return d;
    }
    DisplayGLScene* scene() const { return vue->scene(); }

    ZB_Settings demarrage;
    FermetureEnregistree fermeture;
    QSharedPointer<DisplayGLWidget> holder;
    std::unique_ptr<DisplayGL> vue;
};

} // namespace

class TestTableView : public QObject
{
    Q_OBJECT

private slots:
    // A new game, like a new view mode, starts from the plain view.
    void nouvellePartieVueDroite()
    {
        VueDeTest t;
        t.vue->scale(2.0, 1.5);
        t.vue->rotate(10.0);
        QVERIFY(!t.vue->transform().isIdentity());
        const Position donne(false, 7, 0);
        t.vue->setPartie(donne.partie);
        QVERIFY(t.vue->transform().isIdentity());
    }

    void cleanup()
    {
        while (QGuiApplication::overrideCursor() != nullptr)
            QGuiApplication::restoreOverrideCursor();
    }

    // Each seat has its own panel until it is released; seats outside the
    // table have none, and a released seat can still be attached.
    void panneauxDesSieges()
    {
        VueDeTest t;
        QSet<DisplayAPanelDeJoueur*> vus;
        for (int siege = 0; siege < 4; ++siege) {
            QVERIFY(t.vue->getPanelDeJoueur(siege) != nullptr);
            vus.insert(t.vue->getPanelDeJoueur(siege));
            QVERIFY(t.vue->getAnalyseJoueur(siege) != nullptr);
        }
        QCOMPARE(vus.size(), 4);
        for (int horsTable : {-1, 4})
            QVERIFY(t.vue->getPanelDeJoueur(horsTable) == nullptr && t.vue->getAnalyseJoueur(horsTable) == nullptr);
        t.vue->liberePanel(2);
        QVERIFY(t.vue->getPanelDeJoueur(2) == nullptr);
        t.vue->setJoueur(2, nullptr);
        QVERIFY(!t.scene()->sieges()[2].panneau);
    }

    // Tables ask for the wait cursor at every step: however many asks, one
    // restore clears it, a view mode asks none, and a view that dies leaves
    // no cursor behind.
    void curseurDAttenteUnique_data()
    {
        QTest::addColumn<int>("demandes");
        QTest::addColumn<bool>("detruitLaVue");
        QTest::newRow("one ask, restored") << 1 << false;
        QTest::newRow("five asks, restored once") << 5 << false;
        QTest::newRow("three asks, the view dies") << 3 << true;
    }
    void curseurDAttenteUnique()
    {
        QFETCH(int, demandes);
        QFETCH(bool, detruitLaVue);
        VueDeTest t;
        for (int i = 0; i < demandes; ++i)
            t.vue->setCurseur(i % 2 == 0 ? Qt::WaitCursor : Qt::BusyCursor);
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), (demandes - 1) % 2 == 0 ? Qt::WaitCursor : Qt::BusyCursor);
        if (detruitLaVue)
            t.vue.reset();
        else
            t.vue->finDeDonne(false);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        if (!detruitLaVue) {
            t.vue->setModeVue(1);
            t.vue->setCurseur(Qt::WaitCursor);
            QVERIFY(QGuiApplication::overrideCursor() == nullptr);
            t.vue->afficheTable();
            QVERIFY(!t.vue->estModeVueActif());
        }
    }

    // The window closes only while the right panel covers the table;
    // otherwise the main window is asked and the window stays.
    void fermetureDeLaFenetre_data()
    {
        QTest::addColumn<bool>("panneauDroit");
        QTest::newRow("table shown: the owner decides") << false;
        QTest::newRow("right panel shown: closes") << true;
    }
    void fermetureDeLaFenetre()
    {
        QFETCH(bool, panneauDroit);
        VueDeTest t;
        t.vue->setPanneauDroitVisible(panneauDroit);
        QVERIFY(t.vue->isVisible());
        t.vue->close();
        QCOMPARE(t.fermeture.fermetures, panneauDroit ? 0 : 1);
        QCOMPARE(t.vue->isVisible(), !panneauDroit);
    }

    // The back button of undo never hides once shown: it is only disabled;
    // the forward button comes and goes with its flag.
    void boutonsAnnuler_data()
    {
        QTest::addColumn<bool>("arriere");
        QTest::addColumn<bool>("avant");
        QTest::newRow("neither") << false << false;
        QTest::newRow("back only") << true << false;
        QTest::newRow("both") << true << true;
    }
    void boutonsAnnuler()
    {
        QFETCH(bool, arriere);
        QFETCH(bool, avant);
        VueDeTest t;
        t.vue->afficheBoutonsAnnuler(true, true);
        t.vue->afficheBoutonsAnnuler(arriere, avant);
        QVERIFY(t.scene()->proxyAnnulerArriere()->isVisible());
        QCOMPARE(t.scene()->boutonAnnulerArriere()->isEnabled(), arriere);
        QCOMPARE(t.scene()->proxyAnnulerAvant()->isVisible(), avant);
    }

    // The slate keeps its figures through an undo or a redo, whichever way
    // it was asked (the table's arrows, or the menu without them): once the
    // table is played again it shows the rebuilt deal's points, and a
    // language change draws the same figures again, struck line and
    // multiplier included.
    void ardoiseGardeSesChiffres_data()
    {
        QTest::addColumn<bool>("fleches");
        QTest::addColumn<int>("multiplicateur");
        QTest::addColumn<int>("barree");
        QTest::newRow("arrows") << true << 1 << -1;
        QTest::newRow("menu") << false << 1 << -1;
        QTest::newRow("arrows, doubled deal, struck team") << true << 2 << 1;
    }
    void ardoiseGardeSesChiffres()
    {
        QFETCH(bool, fleches);
        QFETCH(int, multiplicateur);
        QFETCH(int, barree);
        ZB_Translator traducteur;
        QVERIFY(traducteur.applique(ZB_Translator::Anglais, false));
        QCoreApplication::processEvents();
        const ZB_Settings personne;
        VueDeTest rejouee(personne);
        VueDeTest directe(personne);
        ZB_PointsJass points;
        points.pointsCartes_[0] = 40;
        points.pointsCartes_[1] = 98;
        for (VueDeTest* t : {&rejouee, &directe})
            t->vue->afficheArdoise(ZB_PointsJass(), 120, 80, 1, {}, -1);
        // The deal rebuilt as an undo rebuilds it, the user watching.
        if (fleches)
            rejouee.scene()->OnAnnulerBackwards();
        rejouee.vue->setModeVue(1);
        rejouee.vue->afficheArdoise(points, 120, 80, multiplicateur, {}, barree);
        rejouee.vue->afficheTable();
        directe.vue->afficheArdoise(points, 120, 80, multiplicateur, {}, barree);
        const QImage anglais = directe.scene()->imageArdoise();
        QVERIFY(!anglais.isNull());
        QCOMPARE(rejouee.scene()->imageArdoise(), anglais);
        QVERIFY(traducteur.applique(ZB_Translator::Allemand, false));
        QCoreApplication::processEvents();
        QVERIFY(directe.scene()->imageArdoise() != anglais);
        QCOMPARE(rejouee.scene()->imageArdoise(), directe.scene()->imageArdoise());
    }

    // Swipes: left, right and up are raised once the gesture ends; a
    // swipe down, or one still running, raises nothing.
    void balayages_data()
    {
        QTest::addColumn<int>("horizontale");
        QTest::addColumn<int>("verticale");
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("attendu"); // -1: nothing raised
        const int fini = Qt::GestureFinished;
        QTest::newRow("left") << int(QSwipeGesture::Left) << int(QSwipeGesture::NoDirection) << fini
                              << int(QSwipeGesture::Left);
        QTest::newRow("right, slightly up") << int(QSwipeGesture::Right) << int(QSwipeGesture::Up) << fini
                                            << int(QSwipeGesture::Right);
        QTest::newRow("up") << int(QSwipeGesture::NoDirection) << int(QSwipeGesture::Up) << fini
                            << int(QSwipeGesture::Up);
        QTest::newRow("down") << int(QSwipeGesture::NoDirection) << int(QSwipeGesture::Down) << fini << -1;
        QTest::newRow("none") << int(QSwipeGesture::NoDirection) << int(QSwipeGesture::NoDirection) << fini << -1;
        QTest::newRow("left, still moving") << int(QSwipeGesture::Left) << int(QSwipeGesture::NoDirection)
                                            << int(Qt::GestureUpdated) << -1;
    }
    void balayages()
    {
        QFETCH(int, horizontale);
        QFETCH(int, verticale);
        QFETCH(int, etat);
        QFETCH(int, attendu);
        QSwipeGesture::SwipeDirection direction = QSwipeGesture::NoDirection;
        const bool leve = DisplayGL::directionBalayage(QSwipeGesture::SwipeDirection(horizontale),
                                                       QSwipeGesture::SwipeDirection(verticale),
                                                       Qt::GestureState(etat), &direction);
        QCOMPARE(leve, attendu >= 0);
        if (leve)
            QCOMPARE(int(direction), attendu);
    }

    // Test windows tile the screen: every tile of the grid has a cell of its
    // own, inside the grid, and the cells fill it row by row without
    // overlapping; numbers past the grid wrap to its start, and a negative
    // one takes the first cell.
    void tuilesSansChevauchement()
    {
        const int colonnes = DisplayGL::TUILES_PAR_LIGNE;
        const int nombre = colonnes * DisplayGL::LIGNES_DE_TUILES;
        const QSize taille(DisplayGL::LARGEUR_TUILE, DisplayGL::HAUTEUR_TUILE);
        const QRect grille(0, 0, colonnes * taille.width(), DisplayGL::LIGNES_DE_TUILES * taille.height());
        QList<QRect> cellules;
        for (int tuile = 0; tuile < nombre; ++tuile) {
            const QRect cellule(DisplayGL::positionTuile(tuile), taille);
            const QByteArray nom = QByteArray::number(tuile);
            QVERIFY2(grille.contains(cellule), nom.constData());
            for (const QRect& autre : std::as_const(cellules))
                QVERIFY2(!autre.intersects(cellule), nom.constData());
            if (!cellules.isEmpty()) {
                const QRect& avant = cellules.last();
                const bool nouvelleLigne = tuile % colonnes == 0;
                QCOMPARE(cellule.left(), nouvelleLigne ? grille.left() : avant.right() + 1);
                QCOMPARE(cellule.top(), nouvelleLigne ? avant.bottom() + 1 : avant.top());
            }
            cellules << cellule;
        }
        // As many cells as the grid holds, none overlapping: the grid is full.
        QCOMPARE(cellules.last().bottomRight(), grille.bottomRight());
        for (int tuile : {nombre, nombre + 1, 2 * nombre + colonnes})
            QCOMPARE(DisplayGL::positionTuile(tuile), cellules.at(tuile % nombre).topLeft());
        QCOMPARE(DisplayGL::positionTuile(-3), cellules.first().topLeft());
    }

    // A view started as a test tile takes that tile's cell, at the tile's
    // size in device pixels, and stays inside it.
    void fenetreDeTuile_data()
    {
        QTest::addColumn<int>("tuile");
        const int nombre = DisplayGL::TUILES_PAR_LIGNE * DisplayGL::LIGNES_DE_TUILES;
        QTest::newRow("first") << 0;
        QTest::newRow("end of the first row") << DisplayGL::TUILES_PAR_LIGNE - 1;
        QTest::newRow("second row") << DisplayGL::TUILES_PAR_LIGNE + 1;
        QTest::newRow("last") << nombre - 1;
        QTest::newRow("wraps to the first row") << nombre;
    }
    void fenetreDeTuile()
    {
        QFETCH(int, tuile);
        ZB_Settings d = VueDeTest::reglagesAutomatiques();
        d.testTileNb = tuile;
        VueDeTest t(d);
        const QRect cellule(DisplayGL::positionTuile(tuile), QSize(DisplayGL::LARGEUR_TUILE, DisplayGL::HAUTEUR_TUILE));
        QCOMPARE(t.vue->pos(), cellule.topLeft());
        QVERIFY(cellule.contains(QRect(t.vue->pos(), t.vue->size())));
        const double r = QGuiApplication::primaryScreen()->devicePixelRatio();
        QCOMPARE(t.vue->size(), QSize(int(DisplayGL::LARGEUR_TUILE / r), int(DisplayGL::HAUTEUR_TUILE / r)));
    }

    // A resize lays the table out over the whole drawing area, under the
    // menu bar when there is one, and tells the owner.
    void redimensionnement()
    {
        VueDeTest t;
        QMenuBar* barre = new QMenuBar;
        barre->addMenu(QStringLiteral("Partie"));
        t.vue->setMenuBar(barre);
        QSignalSpy taille(t.vue.get(), &DisplayGL::signalSizeChanged);
        t.vue->resize(640, 480);
        QTRY_VERIFY(!taille.isEmpty());
        const QSize zone = t.vue->viewport()->size();
        QCOMPARE(t.scene()->sceneRect(), QRectF(0, 0, zone.width(), zone.height()));
        QVERIFY(zone.height() < 480);
        QCOMPARE(barre->geometry().bottom() + 1, 480 - zone.height());
    }

    // The menu key toggles the settings panel; the back key closes what is
    // open and, with nothing open, asks the owner to close.
    void touchesMedia()
    {
        VueDeTest t;
        DisplayGLSceneDialog* reglages = t.scene()->dialogueReglages();
        QVERIFY(!reglages->isOpen());
        QTest::keyClick(t.vue.get(), Qt::Key_MediaNext);
        QVERIFY(reglages->isOpen());
        QTest::keyClick(t.vue.get(), Qt::Key_MediaNext);
        QVERIFY(!reglages->isOpen());
        QCOMPARE(t.fermeture.fermetures, 0);
        QTest::keyClick(t.vue.get(), Qt::Key_MediaPrevious);
        QCOMPARE(t.fermeture.fermetures, 1);
    }

    // Whatever held the keyboard over the table (a box, the bid band, a
    // window, the settings panel opened from the keyboard), once it closes
    // the keyboard is the table's again: no side button has it, and Space
    // presses none of them. Esc closes the settings panel like a window.
    void clavierRendsALaTable_data()
    {
        QTest::addColumn<QString>("quoi");
        QTest::newRow("box answered by Return") << "box";
        QTest::newRow("bid band gone") << "band";
        QTest::newRow("window closed by Esc") << "window";
        // The keyboard then handed on to the table along the window's
        // chain, as when a widget before it goes (a layout that changes
        // with the window's size): no Tab of the person's.
        QTest::newRow("window closed by Esc, the keyboard handed on") << "window handed on";
        QTest::newRow("settings panel, Space then Esc") << "settings";
        QTest::newRow("side button clicked") << "click";
    }
    void clavierRendsALaTable()
    {
        QFETCH(QString, quoi);
        VueDeTest t;
        DisplayGLScene* scene = t.scene();
        t.vue->show();
        t.vue->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.vue.get()));
        DisplayGLSceneDialog* reglages = scene->dialogueReglages();
        reglages->show();
        // The undo arrows show once a game is under way.
        t.vue->afficheBoutonsAnnuler(true, true);
        QList<QPushButton*> cotes{scene->boutonConnexion(), scene->boutonAnnulerArriere(), scene->boutonAnnulerAvant(),
                                  scene->boutonAide(), scene->boutonBug()};
        cotes << reglages->boutonOnglet() << reglages->boutonFermer();
        if (quoi == QLatin1String("box")) {
            GM_MessageBoxEmitter emetteur;
            emetteur.setMessageBoxDisplayer(scene);
            emetteur.messageBox(GM::Information, QStringLiteral("Fin"), QStringLiteral("Vu?"), GM::Ok);
            QTRY_VERIFY(scene->boitePrincipale().proxy->isVisible());
            QTest::keyClick(t.vue.get(), Qt::Key_A);
            QTest::keyClick(t.vue.get(), Qt::Key_Return);
            QTRY_VERIFY(!scene->boitePrincipale().proxy->isVisible());
        } else if (quoi == QLatin1String("band")) {
            scene->conteneurAtouts()->show();
            QTRY_VERIFY(scene->proxyAtouts()->hasFocus());
            scene->conteneurAtouts()->hide();
        } else if (quoi.startsWith(QLatin1String("window"))) {
            QGraphicsProxyWidget* proxy = scene->ajouteDialogue(new ZB_About, 0.5, 0, 1);
            proxy->show();
            proxy->widget()->show();
            proxy->widget()->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(proxy->hasFocus());
            QTest::keyClick(t.vue.get(), Qt::Key_Escape);
            QTRY_VERIFY(!proxy->isVisible());
            if (quoi.endsWith(QLatin1String("handed on"))) {
                t.vue->clearFocus();
                t.vue->setFocus(Qt::TabFocusReason);
            }
        } else if (quoi == QLatin1String("click")) {
            QGraphicsProxyWidget* proxy = scene->boutonConnexion()->graphicsProxyWidget();
            const QPoint centre = t.vue->mapFromScene(proxy->sceneBoundingRect().center());
            QTest::mouseClick(t.vue->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        } else {
            // Tab from the table reaches the gear first; the panel opened
            // from the keyboard gives it to its first button.
            auto* commande = new QPushButton(QStringLiteral("New game"));
            reglages->layoutContenu()->addWidget(commande);
            QTest::keyClick(t.vue.get(), Qt::Key_Tab);
            QVERIFY(reglages->hasFocus());
            QTest::keyClick(t.vue.get(), Qt::Key_Space);
            QTRY_VERIFY(reglages->isOpen());
            QTRY_VERIFY(commande->hasFocus());
            QTest::keyClick(t.vue.get(), Qt::Key_Escape);
            QVERIFY(!reglages->isOpen());
        }
        QCoreApplication::processEvents();
        QList<QSharedPointer<QSignalSpy>> appuis;
        for (QPushButton* bouton : std::as_const(cotes)) {
            QVERIFY2(!bouton->hasFocus() || !scene->focusItem(), qPrintable(bouton->objectName()));
            appuis << QSharedPointer<QSignalSpy>::create(bouton, &QAbstractButton::pressed);
        }
        QTest::keyClick(t.vue.get(), Qt::Key_Space);
        QTest::keyClick(t.vue.get(), Qt::Key_Return);
        for (qsizetype i = 0; i < appuis.size(); ++i)
            QVERIFY2(appuis.at(i)->isEmpty(), qPrintable(QStringLiteral("side button %1 pressed").arg(i)));
        QVERIFY(!reglages->isOpen());
        QVERIFY(scene->focusItem() == nullptr);
    }

    // The exclusion box; only the local player's own exclusion stops its
    // card input, and only until the next game starts.
    void exclusion_data()
    {
        QTest::addColumn<bool>("autreJoueur");
        QTest::newRow("this player") << false;
        QTest::newRow("another player") << true;
    }
    void exclusion()
    {
        QFETCH(bool, autreJoueur);
        VueDeTest t;
        t.vue->afficheExclusion(autreJoueur);
        QTRY_VERIFY(!t.scene()->historiqueBoites().isEmpty());
        QVERIFY(t.scene()->historiqueBoites().join(QLatin1Char('\n')).contains(QStringLiteral("écarté de la partie")));
        QCOMPARE(t.scene()->isJoueurExclu(), !autreJoueur);
        t.vue->setOptionsDePartie(OptionsDePartie(TypeDePartie::GenreJass));
        QVERIFY(!t.scene()->isJoueurExclu());
    }

    // Joining a table, the user waits for the host: neither the last
    // prompt nor a turn's countdown of an earlier game stays on the lines.
    void attenteDuJeu()
    {
        VueDeTest t(ZB_Settings{});
        auto lignes = [&t] {
            QStringList l;
            for (const QGraphicsSimpleTextItem* ligne : t.scene()->lignesArdoise())
                if (!ligne->text().isEmpty())
                    l << ligne->text();
            return l.join(QLatin1Char(' '));
        };
        t.vue->setTexteAide(QStringLiteral("Temps restant 0[s] avant pénalité."));
        QVERIFY2(lignes().contains(QStringLiteral("0[s]")), qPrintable(lignes()));
        t.vue->afficheAttenteDuJeu();
        QCOMPARE(lignes(), QStringLiteral("Patientez..."));
    }

    // The store-screenshot sequence: an unknown platform is refused; a
    // known one loads its first preset's table at the preset's size.
    void capturesMagasin()
    {
        {
            ZB_Settings d = VueDeTest::reglagesAutomatiques();
            d.screenshotPlatform = QStringLiteral("windows");
            VueDeTest t(d);
            t.vue->OnScreenShotToSave();
            QTRY_VERIFY(!t.scene()->historiqueBoites().isEmpty());
            QVERIFY(t.scene()->historiqueBoites().join(QLatin1Char('\n')).contains(
                QStringLiteral("Unknown platform 'windows'")));
            QCOMPARE(t.vue->compteurCapture(), -1);
            QVERIFY(t.fermeture.scenarios.isEmpty());
        }
        QCOMPARE(DisplayGLCapturesMagasin::presets(QStringLiteral("ios")).size(), size_t(25));
        QCOMPARE(DisplayGLCapturesMagasin::presets(QStringLiteral("android")).size(), size_t(17));
        QCOMPARE(DisplayGLCapturesMagasin::legende(3, 2, QStringLiteral("ios")), QStringLiteral("Smart computer opponents"));
        QCOMPARE(DisplayGLCapturesMagasin::legende(3, 2, QStringLiteral("android")), QStringLiteral("Opponents who think"));
        QCOMPARE(DisplayGLCapturesMagasin::legende(1, 3, QStringLiteral("ios")), QStringLiteral("Jassen gegen den Computer"));

        ZB_Settings d = VueDeTest::reglagesAutomatiques();
        d.screenshotMode = 1;
        d.screenshotPlatform = QStringLiteral("android");
        d.screenshotLanguage = 3;
        VueDeTest t(d);
        QSignalSpy police(t.vue.get(), &DisplayGL::signalFontChange);
        t.vue->OnScreenShotToSave();
        const DisplayGLCapturesMagasin::Preset& p = DisplayGLCapturesMagasin::presets(d.screenshotPlatform)[0];
        QCOMPARE(t.fermeture.scenarios, (QList<QList<int>>{{p.scenario, 3, p.argument}}));
        QCOMPARE(t.vue->compteurCapture(), 1);
        // The caption's band keeps the bottom of the picture: the table is
        // laid out above it.
        QVERIFY(t.scene()->hauteurBandeLegende() > 0.0);
        QTRY_VERIFY(t.scene()->zoneTable().bottom()
                    <= t.scene()->sceneRect().height() - t.scene()->hauteurBandeLegende());
        // The sequence ends with its view: another one can start afresh.
        t.vue.reset();
        VueDeTest autre;
        QCOMPARE(autre.vue->compteurCapture(), -1);
        QCOMPARE(police.size(), 1);
        QCOMPARE(police.first().first().toDouble(), p.echellePolice * 100.0);
    }

    // The caption band is 7.5 % of the picture's height at its scale, in
    // the scene's units (truncated).
    void bandeDeLegende_data()
    {
        QTest::addColumn<double>("hauteur");
        QTest::addColumn<double>("echelle");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("attendu");
        QTest::newRow("full size") << 2800.0 << 1.0 << 1.0 << 210;
        QTest::newRow("fitted, half rounds up") << 2800.0 << 0.25 << 1.0 << 53;
        QTest::newRow("two device pixels a unit") << 2800.0 << 1.0 << 2.0 << 105;
        QTest::newRow("truncated") << 1924.0 << 1.0 << 1.25 << 115;
        QTest::newRow("no ratio") << 1924.0 << 1.0 << 0.0 << 144;
    }

    void bandeDeLegende()
    {
        QFETCH(double, hauteur);
        QFETCH(double, echelle);
        QFETCH(double, ratio);
        QFETCH(int, attendu);
        QCOMPARE(DisplayGL::hauteurBandeLegende(hauteur, echelle, ratio), attendu);
    }

    // Closing the table while a card advice is being searched: the search
    // is stopped and answers a living scene, the view goes without a crash.
    void fermetureDuranteUnConseil()
    {
        const quint32 graine = Position::graineAvecChoix(false, 5, 2, 5);
        Position p(false, graine, 2);
        TableEnregistreuse table;
        AI_Joueur ia;
        assied(ia, p, &table, 1e7);
        auto t = std::make_unique<VueDeTest>();
        t->vue->setCurseur(Qt::WaitCursor);
        QVERIFY(t->scene()->demandeConseil(&ia, p.partie, p.partie->joueurQuiAChoisiAtout_));
        QVERIFY(t->scene()->isAdviceRunning());
        t.reset();
        QVERIFY(ia.attendRecherche(0));
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
};

ZB_REGISTER_TEST(TestTableView)
#include "TestTableView.moc"
