#include "EtatDeJeu.h"
#include "GL_ObjectCube.h"
#include "ListeDesEvenements.h"
#include "MainWindowTestKit.h"
#include "OptionsPartie.h"
#include "ZB_RoomTable.h"
#include "ZB_Translator.h"
#include "ZbTestRegistry.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace fenetretest;

// A picture tool, not a test (CTest leaves it out): pictures to look at,
// kept in the folder ZB_SHOTS_DIR names, and a failure without one:
//   ZB_SHOTS_DIR=<folder> build/tests/app/test_app ImagesAVoir [function]
// - textesSurLaTable: the texts over the table in English, the bids'
//   bubbles of a Contree auction, then the scores that float at the end of
//   the first trick of a Jass deal with the season's pictures falling;
// - laTable: the table at the deal, mid-trick and at a match's end;
// - lesDialogues: the options under each theme and on each tab, the about
//   box and the bug questionnaire;
// - optionsEnAllemand: the options dialog after a French to German switch.
// Each starts from a store without an earlier run's choices.
class ImagesAVoir : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        videReglages();
    }

    // Under two themes and at two sizes.
    void textesSurLaTable_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QSize>("taille");
        QTest::newRow("wood, 800 x 600") << "style_bois" << QSize(800, 600);
        QTest::newRow("candy, 800 x 600") << "style_bonbon" << QSize(800, 600);
        QTest::newRow("wood, 1920 x 1080") << "style_bois" << QSize(1920, 1080);
        QTest::newRow("candy, 1920 x 1080") << "style_bonbon" << QSize(1920, 1080);
    }
    void textesSurLaTable()
    {
        QFETCH(QString, theme);
        QFETCH(QSize, taille);
        const QString dossierImages = qEnvironmentVariable("ZB_SHOTS_DIR");
        QVERIFY2(!dossierImages.isEmpty(), "ZB_SHOTS_DIR names no folder for the pictures");
        QTemporaryDir dossier;
        ZB_Settings d;
        d.nowait = true;
        ZB_MainWidget w(d, dossier.path());
        w.action(QStringLiteral("langue_en"))->trigger();
        w.action(theme)->trigger();
        w.vue()->setModeAffichage(ZB_MainWidget::MODE_AFFICHAGE_ORDINATEUR, false);
        w.vue()->scene()->setAutoAnswer(true);
        w.vue()->resize(taille);
        const QString nom = QStringLiteral("%1-%2x%3-").arg(theme).arg(taille.width()).arg(taille.height());
        auto capture = [&](const QString& quoi) {
            QVERIFY(imageDeLaFenetre(w).save(QDir(dossierImages).filePath(nom + quoi)));
        };
        w.userChoseGameType(8);
        w.OnNouvellePartie();
        QVERIFY(attend([&] { return w.salle()->getListe(-1)->getEtatAttendu() >= EtatDeJeu::AttendMise2_1; }, 120000));
        capture(QStringLiteral("bids.png"));
        QVERIFY(attend([&] { return w.salle()->getListe(-1)->getEtatAttendu() >= EtatDeJeu::Tour1_AttendCarte1 + 1; },
                       120000));
        capture(QStringLiteral("contract.png"));
        w.userChoseGameType(0);
        w.OnNouvellePartie();
        QVERIFY(attend(
            [&] { return w.salle()->getListe(-1)->getEtatAttendu() >= EtatDeJeu::Tour1_AttendConfirmationAnnonces1; },
            120000));
        QTest::qWait(400);
        capture(QStringLiteral("scores.png"));
        QTest::qWait(900);
        capture(QStringLiteral("scores-later.png"));
    }

    // The table at the deal, in the middle of a trick and at the end of a
    // Jass match.
    void laTable()
    {
        const QString dossierImages = qEnvironmentVariable("ZB_SHOTS_DIR");
        QVERIFY2(!dossierImages.isEmpty(), "ZB_SHOTS_DIR names no folder for the pictures");
        QTemporaryDir dossier;
        ZB_Settings d;
        d.nowait = true;
        ZB_MainWidget w(d, dossier.path());
        w.vue()->setModeAffichage(ZB_MainWidget::MODE_AFFICHAGE_ORDINATEUR, false);
        w.vue()->scene()->setAutoAnswer(true);
        w.vue()->scene()->setFacteurDurees(0.05);
        w.vue()->resize(1024, 720);
        QSignalSpy fin(&w, &ZB_MainWidget::signalMatchTermine);
        // Whatever an earlier run of the store chose: a Jass match.
        w.userChoseGameType(0);
        w.OnNouvellePartie();
        auto capture = [&](const QString& nom) {
            const QImage image = imageDeLaFenetre(w);
            QCOMPARE(image.size(), w.vue()->size());
            QVERIFY(image.save(QDir(dossierImages).filePath(nom)));
        };
        QVERIFY(attend(
            [&] { return w.salle()->getListe(-1)->getEtatAttendu() >= EtatDeJeu::Tour1_AttendConfirmationAnnonces1; },
            120000));
        QTest::qWait(1500);
        capture(QStringLiteral("table-deal.png"));
        // The match plays on without waits: the picture is taken the moment
        // two cards have landed, before the next one flies.
        auto posees = [&] {
            int n = 0;
            for (int p = 0; p < 4; ++p)
                if (GL_ObjectCube* carte = w.vue()->scene()->carteSurTable(p))
                    n += carte->isMoving() ? -4 : 1;
            return n;
        };
        QVERIFY(attend([&] { return posees() == 2; }, 120000));
        capture(QStringLiteral("table-mid-trick.png"));
        QVERIFY(attend([&] { return !fin.isEmpty(); }, 600000));
        QTest::qWait(1500);
        capture(QStringLiteral("table-end.png"));
    }

    // The main window under each theme with the options open, the options
    // on each tab, the about box and the bug questionnaire.
    void lesDialogues()
    {
        const QString dossierImages = qEnvironmentVariable("ZB_SHOTS_DIR");
        QVERIFY2(!dossierImages.isEmpty(), "ZB_SHOTS_DIR names no folder for the pictures");
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        ordinateurPartout(w);
        w.vue()->resize(1024, 720);
        w.vue()->show();
        w.OnNouvellePartie();
        QVERIFY(attend([&] { return cartesJouees(record(w)).size() >= 2; }, 60000));
        auto capture = [&](const QString& nom) {
            QTest::qWait(300);
            w.vue()->scene()->rafraichitCouche();
            QVERIFY(w.vue()->grab().save(QDir(dossierImages).filePath(nom)));
        };
        for (const char* nom : {"style_bois", "style_alien", "style_course", "style_bonbon", "style_nature"}) {
            w.action(QStringLiteral("options"))->trigger();
            w.action(QLatin1String(nom))->trigger();
            capture(QStringLiteral("options-%1.png").arg(QLatin1String(nom)));
        }
        // The options dialog itself, on each of its tabs, in whatever
        // language the system gives: the longest texts show there first.
        w.action(QStringLiteral("options"))->trigger();
        auto* onglets = w.dialogueOptions()->findChild<QTabWidget*>();
        QVERIFY(onglets != nullptr);
        for (int i = 0; i < onglets->count(); ++i) {
            onglets->setCurrentIndex(i);
            QVERIFY(w.dialogueOptions()->isVisible());
            QTest::qWait(300);
            w.vue()->scene()->rafraichitCouche();
            // The window as the screen shows it: the dialog lies over the
            // table in the same scene.
            const QImage image = w.vue()->screen()->grabWindow(w.vue()->winId()).toImage();
            QVERIFY(image.save(QDir(dossierImages).filePath(QStringLiteral("options-tab%1.png").arg(i))));
        }
        w.action(QStringLiteral("aPropos"))->trigger();
        capture(QStringLiteral("about.png"));
        w.vue()->scene()->demandeCapture(DisplayGLScene::CaptureBug);
        w.vue()->scene()->PortableGrabFrameBuffer_Completed(QImage(64, 48, QImage::Format_RGB32));
        capture(QStringLiteral("bug-questionnaire.png"));
    }

    // The options dialog on each tab, switched from French to German while
    // open.
    void optionsEnAllemand()
    {
        const QString dossierImages = qEnvironmentVariable("ZB_SHOTS_DIR");
        QVERIFY2(!dossierImages.isEmpty(), "ZB_SHOTS_DIR names no folder for the pictures");
        ZB_Translator traducteur;
        QVERIFY(traducteur.applique(ZB_Translator::Francais, false));
        OptionsPartie d;
        d.resize(900, 620);
        d.show();
        QVERIFY(traducteur.applique(ZB_Translator::Allemand, false));
        QCoreApplication::processEvents();
        for (int i = 0; i < d.getOnglets()->count(); ++i) {
            d.getOnglets()->setCurrentIndex(i);
            QCoreApplication::processEvents();
            QVERIFY(d.grab().save(QDir(dossierImages).filePath(QStringLiteral("options-de-tab%1.png").arg(i))));
        }
    }
};

ZB_REGISTER_TEST(ImagesAVoir)
#include "ImagesAVoir.moc"
