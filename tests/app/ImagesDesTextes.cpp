#include "EtatDeJeu.h"
#include "ListeDesEvenements.h"
#include "MainWindowTestKit.h"
#include "ZB_RoomTable.h"
#include "ZbTestRegistry.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace fenetretest;

// A picture tool, not a test (CTest leaves it out): the texts over the
// table in English, the bids' bubbles of a Contree auction, then the
// scores that float at the end of the first trick of a Jass deal with the
// season's pictures falling, kept in the folder ZB_SHOTS_DIR names:
//   ZB_SHOTS_DIR=<folder> build/tests/app/test_app ImagesDesTextes
class ImagesDesTextes : public QObject
{
    Q_OBJECT

private slots:
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
};

ZB_REGISTER_TEST(ImagesDesTextes)
#include "ImagesDesTextes.moc"
