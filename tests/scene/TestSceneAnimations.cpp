#include "DisplayGLScoreAnimPixmap.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "TableDeScene.h"
#include "ZB_PointsJass.h"
#include "ZbTestRegistry.h"

#include <QGraphicsOpacityEffect>
#include <QMap>
#include <QParallelAnimationGroup>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace scenetest;

namespace {

const QRectF ZONE(0.0, 0.0, 800.0, 600.0);

QPixmap flocon()
{
    return QPixmap(QStringLiteral(":/images/flocon1.png")).scaled(48, 48);
}

} // namespace

class TestSceneAnimations : public QObject
{
    Q_OBJECT

private slots:
    void scoreShowsItsSignAndMovesWithIt_data()
    {
        QTest::addColumn<int>("delta");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<double>("finParHauteur");
        QTest::newRow("gain") << 57 << "" << "+57" << 0.25;
        QTest::newRow("loss with label") << -20 << " Annonce" << "-20 Annonce" << 0.75;
        QTest::newRow("nothing") << 0 << " Der" << "0 Der" << 0.75;
    }
    void scoreShowsItsSignAndMovesWithIt()
    {
        QFETCH(int, delta);
        QFETCH(QString, label);
        QFETCH(QString, texte);
        QFETCH(double, finParHauteur);
        TableDeScene t;
        DisplayGLScoreAnimText* score = t.scene->prochainScore();
        const double decalage = 12.0;
        score->startScore(delta, label, ZONE, decalage, 0);
        QCOMPARE(score->texte()->toPlainText(), texte);
        const DisplayGLScoreAnim::Parametres& p = score->parametres();
        const QSizeF taille = score->texte()->boundingRect().size();
        QCOMPARE(p.positionDebut, QPointF(400.0 - taille.width() / 2.0, 300.0 - taille.height() / 2.0 + decalage));
        QCOMPARE(p.positionFin.y(), 600.0 * finParHauteur + decalage);
        QCOMPARE(score->texte()->transformOriginPoint(), score->texte()->boundingRect().center());
        QCOMPARE(score->scale(), DisplayGLScoreAnimText::ECHELLE_SCORE);
        QVERIFY(score->isVisible());
        QVERIFY(score->driver()->isRunning());
    }

    void envelopesOfEachKind_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("entree");
        QTest::addColumn<int>("principale");
        QTest::addColumn<int>("sortie");
        QTest::addColumn<bool>("echelle");
        QTest::addColumn<bool>("position");
        QTest::newRow("score") << 0 << 120 << 2380 << 0 << false << true;
        QTest::newRow("banner") << 1 << 120 << 3380 << 0 << true << false;
        QTest::newRow("message") << 2 << 120 << 9880 << 0 << true << true;
        QTest::newRow("fall") << 3 << 120 << 4880 << 0 << false << true;
        QTest::newRow("rise") << 4 << 0 << 4880 << 120 << false << true;
    }
    void envelopesOfEachKind()
    {
        QFETCH(int, genre);
        QFETCH(int, entree);
        QFETCH(int, principale);
        QFETCH(int, sortie);
        QFETCH(bool, echelle);
        QFETCH(bool, position);
        TableDeScene t;
        DisplayGLScoreAnim* anim = nullptr;
        switch (genre) {
        case 0:
            anim = t.scene->prochainScore();
            static_cast<DisplayGLScoreAnimText*>(anim)->startScore(20, QString(), ZONE, 0.0, 0);
            break;
        case 1:
            anim = t.scene->prochainScore();
            static_cast<DisplayGLScoreAnimText*>(anim)->startBanner(QStringLiteral("Match"), ZONE, 0.0, 0);
            break;
        case 2:
            anim = t.scene->prochainMessage();
            static_cast<DisplayGLScoreAnimText*>(anim)->startMessage(QStringLiteral("Salut."), ZONE, 0.0,
                                                                     QColor(Qt::white), 0);
            break;
        default:
            anim = t.scene->prochaineImage();
            static_cast<DisplayGLScoreAnimPixmap*>(anim)->startFall(genre == 3 ? 0 : 3, QPointF(100, -50), flocon(),
                                                                    ZONE, 0.0, 0);
            break;
        }
        DisplayTextAnim* driver = anim->driver();
        QCOMPARE(driver->dureeFonduEntree(), entree);
        QCOMPARE(driver->dureePrincipale(), principale);
        QCOMPARE(driver->dureeFonduSortie(), sortie);
        QCOMPARE(driver->animeEchelle(), echelle);
        QCOMPARE(driver->animePosition(), position);
        QCOMPARE(driver->groupe()->duration(), static_cast<int>(anim->parametres().dureeMs));

        // Half way: the item is on its path and, but for a rise at its
        // start, visible.
        driver->groupe()->pause();
        driver->groupe()->setCurrentTime(driver->groupe()->duration() / 2);
        const DisplayGLScoreAnim::Parametres& p = anim->parametres();
        const double yMilieu = anim->pos().y();
        QVERIFY(yMilieu >= std::min(p.positionDebut.y(), p.positionFin.y()) - 1e-6);
        QVERIFY(yMilieu <= std::max(p.positionDebut.y(), p.positionFin.y()) + 1e-6);
        QVERIFY(anim->isVisible());
        QVERIFY(driver->effet()->opacity() > 0.0);
        // At the end it is gone.
        driver->groupe()->setCurrentTime(driver->groupe()->duration());
        QVERIFY(!anim->isVisible());
    }

    void delayKeepsTheItemHiddenThenFadesItIn()
    {
        TableDeScene t;
        DisplayGLScoreAnimText* score = t.scene->prochainScore();
        score->startScore(20, QString(), ZONE, 0.0, 600);
        QVERIFY(!score->isVisible());
        QVERIFY(score->isDelayRunning());
        QCOMPARE(score->delaiMs(), 600);
        QVERIFY(!score->driver()->isRunning());
        QMetaObject::invokeMethod(score, "OnTimeout");
        QVERIFY(score->isVisible());
        QVERIFY(score->driver()->isRunning());
        // A new start stops the running one first.
        score->startScore(-3, QString(), ZONE, 0.0, 600);
        QVERIFY(!score->isVisible());
        QVERIFY(!score->driver()->isRunning());
    }

    void swayingPicturesStayFiniteOnAnyTable_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QRectF>("zone");
        QTest::newRow("falls, turns, sways") << 1 << ZONE;
        QTest::newRow("rises, turns, sways") << 2 << ZONE;
        QTest::newRow("no height") << 1 << QRectF(0, 0, 800, 0);
        QTest::newRow("no size") << 2 << QRectF();
        QTest::newRow("unknown direction") << 9 << ZONE;
    }
    void swayingPicturesStayFiniteOnAnyTable()
    {
        QFETCH(int, direction);
        QFETCH(QRectF, zone);
        TableDeScene t;
        DisplayGLScoreAnimPixmap* image = t.scene->prochaineImage();
        image->startFall(direction, QPointF(120, -40), flocon(), zone, 5.0, 0);
        QGraphicsItem* item = image->item();
        for (int instant = 0; instant <= DisplayGLScoreAnimPixmap::DUREE_CHUTE_MS; instant += 250) {
            image->driver()->groupe()->pause();
            image->driver()->groupe()->setCurrentTime(instant);
            QVERIFY(std::isfinite(item->pos().x()));
            QVERIFY(std::isfinite(item->pos().y()));
        }
        if (direction == 9)
            QCOMPARE(image->parametres().opaciteDebut, 1.0);
    }

    void networkLinesAreSpacedInTime()
    {
        TableDeScene t;
        t.scene->afficheMessageReseau(QStringLiteral("Première ligne."));
        t.scene->afficheMessageReseau(QStringLiteral("Deuxième ligne."));
        const auto& anneau = t.scene->animationsMessage();
        QVERIFY(anneau[0]->driver()->isRunning());
        // The second line waits its turn: the spacing, less the moment spent.
        QVERIFY(anneau[1]->isDelayRunning());
        QVERIFY(anneau[1]->delaiMs() > DisplayGLScene::DELAI_MESSAGE_RESEAU_MS - 500);
        QVERIFY(anneau[1]->delaiMs() <= DisplayGLScene::DELAI_MESSAGE_RESEAU_MS);
        QVERIFY(!anneau[1]->isVisible());
        QCOMPARE(anneau[1]->texte()->toPlainText(), QStringLiteral("Deuxième ligne."));
    }

    // A burst longer than the ring: every line is shown, in order.
    void networkLinesInABurstAreNotLost()
    {
        TableDeScene t;
        QStringList lignes;
        for (int i = 0; i < DisplayGLScene::NOMBRE_ANIMS_MESSAGE + 3; ++i)
            lignes << QStringLiteral("Ligne %1.").arg(i);
        for (const QString& ligne : lignes)
            t.scene->afficheMessageReseau(ligne);
        const auto& anneau = t.scene->animationsMessage();
        for (int i = 0; i < DisplayGLScene::NOMBRE_ANIMS_MESSAGE; ++i)
            QCOMPARE(anneau[static_cast<size_t>(i)]->texte()->toPlainText(), lignes[i]);
        QCOMPARE(t.scene->messagesEnAttente(), lignes.mid(DisplayGLScene::NOMBRE_ANIMS_MESSAGE));
        // The first line's show ends: its item takes the next line.
        anneau[0]->stop();
        t.scene->OnMessagesReseau();
        QCOMPARE(anneau[0]->texte()->toPlainText(), lignes[DisplayGLScene::NOMBRE_ANIMS_MESSAGE]);
        QCOMPARE(t.scene->messagesEnAttente(), lignes.mid(DisplayGLScene::NOMBRE_ANIMS_MESSAGE + 1));
        t.scene->stopAnimationsAndCloseDialogs();
        QVERIFY(t.scene->messagesEnAttente().isEmpty());

        // A flood: the ring's lines, then only the latest lines wait.
        QStringList flot;
        for (int i = 0; i < 10000; ++i)
            flot << QStringLiteral("Flot %1.").arg(i);
        for (const QString& ligne : flot)
            t.scene->afficheMessageReseau(ligne);
        QCOMPARE(t.scene->messagesEnAttente(), flot.mid(flot.size() - DisplayGLScene::MessagesEnAttenteMax));
    }

    // The end of a deal drops the lines still waiting (they were about it)
    // and lays the view out again, unless the user browses the undo
    // history.
    void endOfDealDropsWaitingLinesAndRestoresTheView_data()
    {
        QTest::addColumn<bool>("navigation");
        QTest::newRow("playing") << false;
        QTest::newRow("browsing the undo history") << true;
    }
    void endOfDealDropsWaitingLinesAndRestoresTheView()
    {
        QFETCH(bool, navigation);
        TableDeScene t;
        for (int i = 0; i < DisplayGLScene::NOMBRE_ANIMS_MESSAGE + 3; ++i)
            t.scene->afficheMessageReseau(QStringLiteral("Ligne %1.").arg(i));
        QVERIFY(!t.scene->messagesEnAttente().isEmpty());
        using V = DisplayGLPaintA::ViewParameters;
        DisplayGLPaintA* moteur = t.scene->moteur();
        QVERIFY(moteur);
        const V disposee = moteur->viewParameters();
        V derangee = disposee;
        derangee[V::LargeurVisible] = 1.0;
        derangee[V::Table] = 0.5;
        moteur->setViewParameters(derangee);
        t.scene->setNavigationAnnuler(navigation);
        t.scene->finDeDonne();
        QVERIFY(t.scene->messagesEnAttente().isEmpty());
        QVERIFY(!t.scene->isNavigationAnnuler());
        QCOMPARE(moteur->viewParameters()[V::LargeurVisible], navigation ? 1.0 : disposee[V::LargeurVisible]);
        QCOMPARE(moteur->viewParameters()[V::Table], navigation ? 0.5 : disposee[V::Table]);
    }

    // The debug options' demonstration: the seasonal pictures in turn, one
    // of the three sample texts, a gain and a loss one score step apart,
    // then a short "Match".
    void demonstrationOfTheFloatingItems()
    {
        TableDeScene t;
        QStringList successives;
        for (int i = 1; i <= 4; ++i)
            successives << QStringLiteral("Serveur: Ligne successive %1 pour tester les messages réseau.").arg(i);
        const QList<QStringList> echantillons = {
            {QStringLiteral("Serveur: Ligne courte pour tester les messages réseau.")},
            {QStringLiteral("Test: Ceci est une ligne très très très très très très très très très très très très "
                            "très très longue pour tester les messages réseau.")},
            successives};
        for (int fois = 0; fois < 5; ++fois) {
            t.scene->stopAnimationsAndCloseDialogs();
            QCOMPARE(t.scene->testeMessagesReseau(), fois % 4);
            int images = 0;
            for (const auto& image : t.scene->animationsImage())
                images += image->isDelayRunning() || image->driver()->isRunning() ? 1 : 0;
            QVERIFY(images > 0);
            QStringList lignes;
            for (const auto& message : t.scene->animationsMessage())
                if (message->isDelayRunning() || message->driver()->isRunning())
                    lignes << message->texte()->toPlainText();
            lignes << t.scene->messagesEnAttente();
            lignes.sort();
            QVERIFY2(echantillons.contains(lignes), qPrintable(lignes.join(QLatin1Char('\n'))));
            QMap<QString, const DisplayGLScoreAnimText*> scores;
            for (const auto& anim : t.scene->animationsScore())
                if (anim->isDelayRunning() || anim->driver()->isRunning())
                    scores.insert(anim->texte()->toPlainText(), anim.get());
            QCOMPARE(scores.keys(), QStringList({"+57", "-20 Annonce", "Match"}));
            const int pas = scores.value("-20 Annonce")->delaiMs();
            QVERIFY(pas >= 600);
            QVERIFY(scores.value("+57")->delaiMs() <= 0);
            QCOMPARE(scores.value("Match")->delaiMs(), 2 * pas);
            QCOMPARE(scores.value("Match")->parametres().dureeMs, qint64(DisplayGLScene::DUREE_MATCH_DEMONSTRATION_MS));
        }
    }

    // Scores started together are 600 ms apart on a table high enough for
    // one to leave its height in that time; on a lower one, as long as that
    // takes, so that they never cover each other.
    void scoreStepsFollowTheTableHeight_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<bool>("pasDeBase");
        QTest::newRow("1920 x 1200") << QSize(1920, 1200) << true;
        QTest::newRow("800 x 600") << QSize(800, 600) << false;
    }
    void scoreStepsFollowTheTableHeight()
    {
        QFETCH(QSize, taille);
        QFETCH(bool, pasDeBase);
        Reglages r;
        r.automatique = false;
        r.options.sounds_ = false;
        r.taille = taille;
        TableDeScene t(r);
        ZB_PointsJass p;
        t.scene->afficheArdoise(p, 0, 0, 1, {}, -1);
        for (const auto& anim : t.scene->animationsScore())
            anim->stop();
        p.pointsCartes_[0] = 157;
        p.pointsAnnonces_[0] = 20;
        p.bonusDernierPli_[0] = 5;
        t.scene->afficheArdoise(p, 0, 0, 1, {}, -1);
        QList<int> delais;
        for (const auto& anim : t.scene->animationsScore())
            if (anim->isDelayRunning() || anim->driver()->isRunning())
                delais << std::max(0, anim->delaiMs());
        std::sort(delais.begin(), delais.end());
        QCOMPARE(delais.size(), 3);
        const int pas = delais[1];
        QCOMPARE(delais, QList<int>({0, pas, 2 * pas}));
        const int sansChevauchement = DisplayGLScoreAnimText::intervalleScoresMs(t.scene->zoneTable());
        if (pasDeBase) {
            QCOMPARE(pas, 600);
            QVERIFY(sansChevauchement <= 600);
        } else {
            QVERIFY(sansChevauchement > 600);
            QCOMPARE(pas, sansChevauchement);
        }
    }

    void resetStopsEveryRingAndTheHelpTimer()
    {
        TableDeScene t;
        for (int i = 0; i < 3; ++i) {
            t.scene->prochainScore()->startScore(i, QString(), ZONE, 0.0, 0);
            t.scene->prochaineImage()->startFall(i, QPointF(10, -10), flocon(), ZONE, 0.0, 0);
        }
        t.scene->afficheMessageReseau(QStringLiteral("Ligne."));
        t.scene->timerAide().start();
        t.scene->stopAnimationsAndCloseDialogs();
        for (const auto& a : t.scene->animationsScore())
            QVERIFY(!a->isVisible() && !a->driver()->isRunning() && !a->isDelayRunning());
        for (const auto& a : t.scene->animationsImage())
            QVERIFY(!a->isVisible() && !a->driver()->isRunning());
        for (const auto& a : t.scene->animationsMessage())
            QVERIFY(!a->isVisible() && !a->driver()->isRunning());
        QVERIFY(!t.scene->timerAide().isActive());
    }
};

ZB_REGISTER_TEST(TestSceneAnimations)
#include "TestSceneAnimations.moc"
