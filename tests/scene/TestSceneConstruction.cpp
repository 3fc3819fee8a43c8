#include "AnalyseJoueur.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPaintWidget.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLScoreAnimPixmap.h"
#include "DisplayGLScoreAnimText.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_SharedFunctions.h"
#include "GM_WidgetAutoRound.h"
#include "PanelAtouts.h"
#include "TableDeScene.h"
#include "ZbTestRegistry.h"
#include "ui_MessageBoxGl.h"

#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>

using namespace scenetest;

class TestSceneConstruction : public QObject
{
    Q_OBJECT

private slots:
    void constructionBuildsTheTable_data()
    {
        QTest::addColumn<bool>("belote");
        QTest::addColumn<bool>("captures");
        QTest::addColumn<QString>("lien");
        QTest::addColumn<QString>("motAction");
        QTest::newRow("Jass") << false << false << QString::fromLatin1(DisplayGLScene::LIEN_REGLES_JASS) << "Cliquez";
        QTest::newRow("Belote, screenshots") << true << true
                                             << QString::fromLatin1(DisplayGLScene::LIEN_REGLES_BELOTE)
                                             << "Touchez l'écran";
    }
    void constructionBuildsTheTable()
    {
        QFETCH(bool, belote);
        QFETCH(bool, captures);
        QFETCH(QString, lien);
        QFETCH(QString, motAction);
        Reglages r;
        r.belote = belote;
        r.captures = captures;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;

        for (const QGraphicsSimpleTextItem* ligne : s.lignesArdoise()) {
            QCOMPARE(ligne->scene(), &s);
            QCOMPARE(ligne->zValue(), DisplayGLScene::Z_LIGNES_ARDOISE);
            QVERIFY(ligne->font().bold());
        }
        // Both boxes start hidden, below everything.
        QCOMPARE(s.boitePrincipale().proxy->zValue(), DisplayGLScene::Z_BOITE_CACHEE);
        QCOMPARE(s.boiteStatut().proxy->zValue(), DisplayGLScene::Z_STATUT_CACHE);
        for (const DisplayGLScene::Boite* boite : {&s.boitePrincipale(), &s.boiteStatut()}) {
            QVERIFY(!boite->proxy->isVisible());
            QCOMPARE(boite->proxy->cacheMode(), QGraphicsItem::NoCache);
            for (const char* nom : {"labelIcon", "labelText", "labelMessage", "labelWiki"})
                QVERIFY2(boite->widget->findChild<QLabel*>(nom), nom);
            for (const char* nom : {"pushButtonOK", "pushButtonOui", "pushButtonNon", "pushButtonCancel"})
                QVERIFY2(boite->widget->findChild<QPushButton*>(nom), nom);
            for (const char* nom : {"gridLayout", "gridLayout_2"})
                QVERIFY2(boite->widget->findChild<QGridLayout*>(nom), nom);
            QVERIFY(!boite->ui->labelWiki->isVisibleTo(boite->widget));
            QVERIFY(boite->ui->labelWiki->text().contains(lien));
            QCOMPARE(boite->widget->windowModality(), Qt::WindowModal);
        }
        QVERIFY(!s.boitePrincipale().proxy->flags().testFlag(QGraphicsItem::ItemUsesExtendedStyleOption));

        QCOMPARE(s.animationsScore().size(), size_t(DisplayGLScene::NOMBRE_ANIMS_SCORE));
        QCOMPARE(s.animationsImage().size(), size_t(DisplayGLScene::NOMBRE_ANIMS_IMAGE));
        QCOMPARE(s.animationsMessage().size(), size_t(DisplayGLScene::NOMBRE_ANIMS_MESSAGE));
        QCOMPARE(s.cartes().size(), 36);
        for (const auto& carte : s.cartes()) {
            QCOMPARE(carte->scene(), &s);
            // An unattended table renders no card.
            QVERIFY(carte->getNormalPicture().isNull());
        }
        s.createGLObjects();
        QVERIFY2(!s.isFondConstruit(), "an unattended table builds no 3-D layer");
        QCOMPARE(s.analyses().size(), 4);

        QVERIFY(!s.proxyAnnulerArriere()->isVisible());
        QVERIFY(!s.proxyAnnulerAvant()->isVisible());
        QVERIFY(s.proxyConnexion()->isVisible());
        QVERIFY(s.proxyAide()->isVisible());
        QVERIFY(s.proxyBug()->isVisible());
        QVERIFY(!s.dialogueChat()->isVisible());
        QVERIFY(!s.ligneChat()->isVisibleTo(s.dialogueChat()->contenu()));
        QCOMPARE(s.journalChat()->maximumBlockCount(), DisplayGLScene::BLOCS_CHAT_MAX);
        QVERIFY(s.journalChat()->isReadOnly());
        QVERIFY(!s.conteneurAtouts()->isVisible());
        QVERIFY(s.panelAtouts()->isScreenshotMode() == captures);

        QCOMPARE(s.timerAide().interval(), DisplayGLScene::DELAI_AIDE_MS);
        QVERIFY(!s.timerAide().isActive());
        QCOMPARE(s.timerSurlignage().interval(), DisplayGLScene::DELAI_SURLIGNAGE_MS);
        QVERIFY(s.timerSurlignage().isActive());
        QVERIFY(s.timerBoite().isSingleShot());
        QCOMPARE(s.motAction(), motAction);
        QCOMPARE(s.graphicsScene(), &s);
        QCOMPARE(t.holder->paintEngine()->scene(), static_cast<DisplayGLSceneA*>(&s));
    }

    void destructionDetachesTheEngineAndKeepsWhatItDoesNotOwn()
    {
        Reglages r;
        r.automatique = false;
        r.options.cardStyle_ = 9;
        r.panneauDroit = true;
        TableDeScene t(r);
        QCOMPARE(t.panneauDroit->parentWidget()->parentWidget(), t.scene->dialogueReglages()->widget());
        t.scene->createGLObjects();
        auto* moteur = static_cast<DisplayGLPaintWidget*>(t.holder->paintEngine());
        QVERIFY(t.scene->isFondConstruit());
        QVERIFY(moteur->nombreObjets() > 0);
        QPointer<AnalyseJoueur> analyse = t.scene->analyses().first();
        // A box queued when the scene goes: its emitter must not be left
        // with a dangling displayer.
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBox(GM::Information, QStringLiteral("A"), QStringLiteral("a"));

        emetteur.setMessageBoxDisplayer(nullptr);
        delete t.scene;
        t.scene = nullptr;
        QVERIFY(moteur->scene() == nullptr);
        QCOMPARE(moteur->nombreObjets(), 0);
        QVERIFY(analyse.isNull());
        QVERIFY2(t.panneauDroit, "the right panel is the main window's");
        QVERIFY(t.panneauDroit->parentWidget() == nullptr);
    }

    void slateTextWrapsWithoutLosingCharacters_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<double>("largeur");
        QTest::addColumn<int>("lignesMin");
        QTest::newRow("fits") << "Choisissez une carte." << 800.0 << 1;
        QTest::newRow("cut at blanks") << "Au tour de Joséphine, qui réfléchit encore un peu avant de jouer." << 230.0
                                       << 2;
        QTest::newRow("one long word") << "Anticonstitutionnellementissimementpourtoujours" << 150.0 << 2;
        QTest::newRow("narrow slate") << "abc" << 10.0 << 3;
        QTest::newRow("empty") << "" << 300.0 << 0;
        // Each line closes the name's isolate it cuts, the next opens it.
        QTest::newRow("a name cut within its isolate")
            << "Au tour de \u2068Anna \u202Ede la Grande Maison du Nord\u2069 (joueur)." << 150.0 << 3;
    }
    void slateTextWrapsWithoutLosingCharacters()
    {
        QFETCH(QString, texte);
        QFETCH(double, largeur);
        QFETCH(int, lignesMin);
        QFont police = scaledFont(DisplayGLScene::CLASSE_POLICE_ARDOISE);
        police.setBold(true);
        const QFontMetrics metriques(police);
        const QStringList lignes = scene_textes::coupeLignes(texte, metriques, largeur);
        QVERIFY(lignes.size() >= lignesMin);
        const auto sansBlancs = [](QString t) {
            return t.remove(QLatin1Char(' ')).remove(QChar(0x2068)).remove(QChar(0x2069));
        };
        QCOMPARE(sansBlancs(lignes.join(QString())), sansBlancs(texte));
        for (const QString& ligne : lignes)
            QVERIFY2(ligne.count(QChar(0x2068)) == ligne.count(QChar(0x2069)), qPrintable(ligne));
        const double utile = std::max(largeur - DisplayGLScene::MARGE_LIGNE_ARDOISE, 0.0);
        for (const QString& ligne : lignes)
            QVERIFY2(ligne.size() == 1 || metriques.horizontalAdvance(ligne) <= utile, qPrintable(ligne));

        // The scene wraps with its lines' own font, which follows the
        // table's size.
        TableDeScene t;
        t.scene->setLignesArdoise(largeur, 40.0, texte);
        const auto& items = t.scene->lignesArdoise();
        const QStringList dansLaScene =
            scene_textes::coupeLignes(texte, QFontMetrics(items[0]->font()), largeur);
        double y = 40.0 + DisplayGLScene::HAUT_LIGNES_ARDOISE;
        for (int i = 0; i < DisplayGLScene::NOMBRE_LIGNES_ARDOISE; ++i) {
            const QGraphicsSimpleTextItem* item = items[static_cast<size_t>(i)];
            QCOMPARE(item->text(), i < dansLaScene.size() ? dansLaScene[i] : QString());
            QCOMPARE(item->pos().y(), y);
            QCOMPARE(item->pos().x(), (largeur - item->boundingRect().width()) / 2.0);
            y += item->boundingRect().height();
        }
    }

    void relayoutPlacesButtonsPanelsAndBoxes_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<bool>("large");
        QTest::addColumn<double>("largeurTable");
        QTest::addColumn<bool>("panneauDroit");
        QTest::newRow("800 x 600") << QSize(800, 600) << false << 800.0 << false;
        QTest::newRow("1000 x 600, wide layout") << QSize(1000, 600) << true << 650.0 << true;
        QTest::newRow("800 x 600, wide layout") << QSize(800, 600) << true << 800.0 << false;
        QTest::newRow("no height") << QSize(800, 0) << false << 800.0 << false;
        QTest::newRow("nothing") << QSize(0, 0) << false << -1.0 << false;
    }
    void relayoutPlacesButtonsPanelsAndBoxes()
    {
        QFETCH(QSize, taille);
        QFETCH(bool, large);
        QFETCH(double, largeurTable);
        QFETCH(bool, panneauDroit);
        TableDeScene t;
        QList<bool> signale;
        connect(t.scene, &DisplayGLScene::signalRightPanelVisibleChanged, this, [&](bool v) { signale << v; });
        t.scene->setDisposition(large);
        t.scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(taille)));
        if (largeurTable < 0.0) {
            // No rectangle at all: the scene follows its items, which the
            // layout moves; it settles, and nothing is ever NaN.
            QTest::qWait(50);
            for (const QGraphicsItem* item : t.scene->items())
                QVERIFY(std::isfinite(item->scenePos().x()) && std::isfinite(item->scenePos().y()));
            return;
        }
        QCOMPARE(t.scene->zoneTable().width(), largeurTable);
        QCOMPARE(t.scene->isPanneauDroitAffiche(), panneauDroit);
        QCOMPARE(signale.isEmpty() ? false : signale.last(), panneauDroit);

        const double w = largeurTable;
        const double h = taille.height();
        const int d = static_cast<int>(std::lround(0.08 * w));
        const int c = static_cast<int>(std::lround(0.13 * h));
        QCOMPARE(t.scene->boutonAide()->size(), QSize(d, c));
        const double t0 = t.scene->dialogueReglages()->geometry().bottom();
        QCOMPARE(t.scene->proxyConnexion()->pos(), QPointF(w - d - 3.0, t0 + 2.0));
        QCOMPARE(t.scene->proxyAide()->pos(), QPointF(w - d - 3.0, t0 - 2.0 * c - 2.0));
        QCOMPARE(t.scene->proxyAnnulerAvant()->pos(), QPointF(d + 2.0, t0 + 2.0));
        QCOMPARE(t.scene->dialogueReglages()->expandedRect(), QRectF(0, 0, w, h));
        QCOMPARE(t.scene->dialogueReglages()->zValue(), DisplayGLScene::Z_REGLAGES);
        // The trump strip: above the hand being asked, and between the tool
        // buttons' columns.
        const double bas = (h - 3.0) - DisplayGLHumanCarte::hauteurMainEnChoix(h - 3.0);
        const double retrait = std::min(d + 4.0, w / 4.0);
        // It takes its rows' height of the band's room (0.22 h), at the
        // room's bottom.
        const QRectF bande = t.scene->proxyAtouts()->geometry();
        QCOMPARE(bande.x(), retrait);
        if (h > 0.0)
            QCOMPARE(bande.bottom(), bas);
        QVERIFY(bande.top() >= std::max(0.0, bas - std::lround(0.22 * h)));
        QCOMPARE(t.scene->proxyAtouts()->geometry().width(), w - 2.0 * retrait);
        for (const auto* proxy : {t.scene->proxyAide(), t.scene->proxyBug(), t.scene->proxyConnexion()}) {
            QVERIFY(std::isfinite(proxy->pos().x()));
            QVERIFY(std::isfinite(proxy->pos().y()));
        }
        // An unchanged rectangle does nothing.
        signale.clear();
        t.scene->OnSceneRectChanged(t.scene->sceneRect());
        QVERIFY(signale.isEmpty());
    }

    void displayModeSwitchesEveryItemAndSaysSo()
    {
        TableDeScene t;
        t.scene->setAutoAnswer(false);
        QStringList textes;
        connect(t.scene, &DisplayGLScene::signalMessageBoxShown, this, [&] {
            textes << t.scene->boitePrincipale().ui->labelMessage->text();
            QTimer::singleShot(0, t.scene, [&t] {
                t.scene->boitePrincipale().widget->findChild<QPushButton*>("pushButtonOK")->click();
            });
        });
        t.scene->OnChangeDisplayMode();
        for (const QGraphicsItem* item : t.scene->items())
            QCOMPARE(item->cacheMode(), QGraphicsItem::NoCache);
        t.scene->OnChangeDisplayMode();
        for (const QGraphicsSimpleTextItem* ligne : t.scene->lignesArdoise())
            QCOMPARE(ligne->cacheMode(), QGraphicsItem::DeviceCoordinateCache);
        QTRY_COMPARE(textes.size(), 2);
        QVERIFY(textes[0].contains(QStringLiteral("'QGraphicsItem::NoCache'")));
        QVERIFY(textes[1].contains(QStringLiteral("'QGraphicsItem::DeviceCoordinateCache'")));
    }

    void onlineScoreReachesThePlatformOnlyInOnlineGames_data()
    {
        QTest::addColumn<bool>("enLigne");
        QTest::addColumn<int>("cible");
        QTest::addColumn<int>("tours");
        QTest::addColumn<QString>("suffixe");
        QTest::newRow("offline") << false << 1000 << 0 << "";
        QTest::newRow("target") << true << 1000 << 0 << " / 1000";
        QTest::newRow("rounds") << true << 100000 << 3 << " / 3 Tours Restants";
        QTest::newRow("no target") << true << -1 << 0 << "";
    }
    void onlineScoreReachesThePlatformOnlyInOnlineGames()
    {
        QFETCH(bool, enLigne);
        QFETCH(int, cible);
        QFETCH(int, tours);
        QFETCH(QString, suffixe);
        TableDeScene t;
        t.scene->setPartieEnLigne(enLigne);
        QCOMPARE(t.scene->proxyAide()->isVisible(), !enLigne);
        QCOMPARE(t.scene->boutonConnexion()->isEnabled(), !enLigne);
        t.scene->signaleScoreEnLigne(412, 377, cible, tours);
        QCOMPARE(t.natif.scores.size(), enLigne ? 1 : 0);
        if (enLigne) {
            QCOMPARE(t.natif.scores[0].points, 412);
            QCOMPARE(t.natif.scores[0].adversaire, 377);
            QCOMPARE(t.natif.scores[0].suffixe, suffixe);
        }
    }

    void undoButtonsAndConnectButtonSignal()
    {
        TableDeScene t;
        QList<bool> annulations;
        int connexions = 0;
        connect(t.scene, &DisplayGLScene::signalAnnuler, this, [&](bool avant) { annulations << avant; });
        connect(t.scene, &DisplayGLScene::signalButtonConnectPressed, this, [&] { ++connexions; });
        t.scene->boutonAnnulerArriere()->click();
        t.scene->boutonAnnulerAvant()->click();
        t.scene->boutonConnexion()->click();
        QCOMPARE(annulations, (QList<bool>{false, true}));
        QCOMPARE(connexions, 1);
    }
};

ZB_REGISTER_TEST(TestSceneConstruction)
#include "TestSceneConstruction.moc"
