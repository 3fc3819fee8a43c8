#include "DisplayGLSceneDialog.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAutoRound.h"
#include "TableDeScene.h"
#include "ZbTestRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QParallelAnimationGroup>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSequentialAnimationGroup>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>

using namespace scenetest;

namespace {

// With ZB_DISPLAY_PNG_DIR=<folder> the pictures are left there for a look.
void garde(const QImage& image, const QString& nom)
{
    const QString dossier = qEnvironmentVariable("ZB_DISPLAY_PNG_DIR");
    if (!dossier.isEmpty() && QDir().mkpath(dossier))
        image.save(dossier + QLatin1Char('/') + nom);
}

Reglages tablePourImages()
{
    Reglages r;
    r.automatique = false;
    r.panneauDroit = true;
    r.options.quality_ = 1;
    r.options.cardStyle_ = 2;
    r.options.appStyle_ = 0;
    r.taille = QSize(960, 640);
    return r;
}

// A table with its cloth and slate and a status line, as at the start of a deal.
void prepare(TableDeScene& t)
{
    t.scene->createGLObjects();
    t.scene->setLignesArdoise(t.scene->zoneTable().width(), t.scene->decalageTable(),
                              QStringLiteral("Au tour de Joséphine..."));
}

bool procheDe(const QColor& a, const QColor& b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

class TestScenePictures : public QObject
{
    Q_OBJECT

private slots:
    void questionWithThreeButtonsOverTheTable()
    {
        TableDeScene t(tablePourImages());
        prepare(t);
        const QImage avant = t.image();
        DestinataireDesBoites destinataire;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBoxQuestion(GM::Question, QStringLiteral("Partie en cours"),
                                    QStringLiteral("Voulez-vous enregistrer la partie avant de quitter?\n"
                                                   "Elle pourra être reprise plus tard."),
                                    GM::Yes | GM::No | GM::Cancel, &destinataire, "OnQuestion");
        QTRY_VERIFY(t.scene->boitePrincipale().widget->isVisible());
        const QImage image = t.image();
        garde(image, QStringLiteral("scene_question.png"));

        const QRectF boite = t.scene->boitePrincipale().proxy->geometry();
        // The box covers the middle of the table, which shows around it.
        QVERIFY(image.pixelColor(boite.center().toPoint()) != avant.pixelColor(boite.center().toPoint()));
        QCOMPARE(image.pixelColor(QPoint(5, 5)), avant.pixelColor(QPoint(5, 5)));
        int boutonsVus = 0;
        for (const char* nom : {"pushButtonOui", "pushButtonNon", "pushButtonCancel"}) {
            QPushButton* b = t.scene->boitePrincipale().widget->findChild<QPushButton*>(nom);
            QVERIFY(b->isVisible());
            const QRect zone(b->mapTo(t.scene->boitePrincipale().widget, QPoint(0, 0)), b->size());
            QVERIFY2(boite.toRect().contains(zone.translated(boite.topLeft().toPoint())), nom);
            ++boutonsVus;
        }
        QCOMPARE(boutonsVus, 3);
        QVERIFY(!t.scene->boitePrincipale().widget->findChild<QPushButton*>("pushButtonOK")->isVisible());
    }

    void scoresHalfWayThroughTheirFlight()
    {
        TableDeScene t(tablePourImages());
        prepare(t);
        const QRectF zone = t.scene->zoneTable();
        struct Score
        {
            int delta;
            const char* label;
        };
        const Score scores[] = {{57, ""}, {20, " Annonce"}, {-20, " Der Adverse"}};
        for (const Score& s : scores)
            t.scene->prochainScore()->startScore(s.delta, QString::fromUtf8(s.label), zone, 0.0, 0);
        t.scene->prochainScore()->startBanner(QStringLiteral("Match"), zone, 0.0, 0);
        t.scene->afficheMessageReseau(QStringLiteral("Serveur: <b>Bienvenue</b> à la table."));
        // Each at its own moment: the first score near its start, the
        // others further on.
        const int instants[] = {500, 900, 1300, 1200};
        for (size_t i = 0; i < std::size(instants); ++i) {
            QParallelAnimationGroup* groupe = t.scene->animationsScore()[i]->driver()->groupe();
            groupe->pause();
            groupe->setCurrentTime(instants[i]);
        }
        QParallelAnimationGroup* message = t.scene->animationsMessage()[0]->driver()->groupe();
        message->pause();
        message->setCurrentTime(1500);
        const QImage image = t.image();
        garde(image, QStringLiteral("scene_scores.png"));

        for (size_t i = 0; i < std::size(scores); ++i) {
            const DisplayGLScoreAnimText* anim = t.scene->animationsScore()[i].get();
            QVERIFY(anim->isVisible());
            const DisplayGLScoreAnim::Parametres& p = anim->parametres();
            // Between its start and its end.
            const double y = anim->pos().y();
            QVERIFY(y > std::min(p.positionDebut.y(), p.positionFin.y()));
            QVERIFY(y < std::max(p.positionDebut.y(), p.positionFin.y()));
        }
        const DisplayGLScoreAnimText* banniere = t.scene->animationsScore()[3].get();
        QVERIFY(banniere->scale() > 1.0 && banniere->scale() < DisplayGLScoreAnimText::ECHELLE_BANNIERE_FIN);
        QCOMPARE(t.scene->animationsMessage()[0]->texte()->toPlainText(),
                 QStringLiteral("Serveur: <b>Bienvenue</b> à la table."));
    }

    void settingsPanelSlidIn()
    {
        Reglages r = tablePourImages();
        TableDeScene t(r);
        // The main window's right panel, as the settings panel carries it.
        auto* layout = new QVBoxLayout(t.panneauDroit.data());
        auto* groupe = new QGroupBox(QStringLiteral("Affichage"));
        auto* colonne = new QVBoxLayout(groupe);
        colonne->addWidget(new QCheckBox(QStringLiteral("Sons")));
        colonne->addWidget(new QCheckBox(QStringLiteral("Scores animés")));
        auto* style = new QComboBox;
        style->addItems({QStringLiteral("Bois"), QStringLiteral("Alien"), QStringLiteral("Course")});
        colonne->addWidget(style);
        colonne->addWidget(new QLabel(QStringLiteral("Vitesse du ramassage")));
        colonne->addWidget(new QSlider(Qt::Horizontal));
        layout->addWidget(groupe);
        layout->addStretch();
        prepare(t);
        t.scene->dialogueChat()->show();
        t.scene->journalChat()->appendPlainText(QStringLiteral("Joséphine: Bonne partie à tous!"));
        t.scene->dialogueChat()->animation()->setCurrentTime(t.scene->dialogueChat()->animation()->totalDuration());
        t.scene->dialogueChat()->collapse();
        t.scene->dialogueChat()->animation()->setCurrentTime(t.scene->dialogueChat()->animation()->totalDuration());
        DisplayGLSceneDialog* reglages = t.scene->dialogueReglages();
        reglages->show();
        reglages->expand();
        QSequentialAnimationGroup* anim = reglages->animation();
        QCOMPARE(anim->state(), QAbstractAnimation::Running);
        anim->setCurrentTime(anim->totalDuration());
        QCOMPARE(reglages->geometry(), reglages->expandedRect());
        QVERIFY(t.panneauDroit->isVisible());
        const QImage image = t.image();
        garde(image, QStringLiteral("scene_panel.png"));
        const QRect panneau = reglages->geometry().toRect();
        QVERIFY(!procheDe(image.pixelColor(panneau.center()), QColor(0, 0, 0), 10));

        // The chat panel slides in over the table.
        reglages->collapse();
        anim->setCurrentTime(anim->totalDuration());
        DisplayGLSceneDialog* chat = t.scene->dialogueChat();
        t.scene->journalChat()->appendPlainText(QStringLiteral("Marc: Salut, on joue un Schieber?"));
        QVERIFY(chat->isOpen());
        chat->animation()->setCurrentTime(chat->animation()->totalDuration());
        QCOMPARE(chat->geometry(), chat->expandedRect());
        const QImage imageChat = t.image();
        garde(imageChat, QStringLiteral("scene_chat.png"));
        QVERIFY(imageChat.pixelColor(chat->geometry().center().toPoint()) != image.pixelColor(QPoint(5, 5)));
    }
};

ZB_REGISTER_TEST(TestScenePictures)
#include "TestScenePictures.moc"
