#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_WidgetAutoRound.h"
#include "TableDeScene.h"
#include "ZbTestRegistry.h"
#include "ui_MessageBoxGl.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <cmath>
#include <memory>
#include <vector>

using namespace scenetest;

namespace {

bool boiteVisible(const DisplayGLScene& scene)
{
    return scene.boitePrincipale().widget->isVisible() && scene.boitePrincipale().proxy->isVisible();
}

QPushButton* bouton(const DisplayGLScene::Boite& boite, const QString& nom)
{
    return boite.widget->findChild<QPushButton*>(nom);
}

Reglages sansCartes()
{
    // A deck style without pictures: nothing to render, the table is quick.
    Reglages r;
    r.automatique = false;
    r.options.cardStyle_ = 9;
    return r;
}

} // namespace

class TestSceneMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void eachButtonAnswersItsOwnValue_data()
    {
        QTest::addColumn<int>("boutons");
        QTest::addColumn<QString>("presse");
        QTest::addColumn<bool>("accepte");
        QTest::addColumn<int>("attendu");
        const int oui = GM::Yes;
        const int non = GM::No;
        const int ok = GM::Ok;
        const int annuler = GM::Cancel;
        QTest::newRow("Yes/No, No pressed") << (oui | non) << "pushButtonNon" << false << non;
        QTest::newRow("Ok only, OK pressed") << ok << "pushButtonOK" << true << ok;
        QTest::newRow("Ok/Cancel, Cancel pressed") << (ok | annuler) << "pushButtonCancel" << false << annuler;
        QTest::newRow("Yes/No/Cancel, Cancel pressed") << (oui | non | annuler) << "pushButtonCancel" << false
                                                       << annuler;
        QTest::newRow("Yes/No/Cancel, No pressed") << (oui | non | annuler) << "pushButtonNon" << false << non;
        QTest::newRow("Ok/Yes, Yes pressed") << (ok | oui) << "pushButtonOui" << true << oui;
        QTest::newRow("Ok/Yes, OK pressed") << (ok | oui) << "pushButtonOK" << true << ok;
        QTest::newRow("key accepts Yes/No") << (oui | non) << "" << true << oui;
        QTest::newRow("key accepts Ok/Yes") << (ok | oui) << "" << true << oui;
        QTest::newRow("key accepts Ok") << ok << "" << true << ok;
        QTest::newRow("key rejects Yes/No/Cancel") << (oui | non | annuler) << "" << false << annuler;
        QTest::newRow("key rejects Ok") << ok << "" << false << non;
        // The keyboard reaches the box in front, never the table behind it.
        QTest::newRow("Return, Yes/No") << (oui | non) << "Return" << true << oui;
        QTest::newRow("Esc, Yes/No") << (oui | non) << "Escape" << false << non;
        QTest::newRow("Return, Ok") << ok << "Return" << true << ok;
        QTest::newRow("Esc, Ok") << ok << "Escape" << true << ok;
        QTest::newRow("Esc, Ok/Cancel") << (ok | annuler) << "Escape" << false << annuler;
        // The box before was left by Esc: Return is this one's OK all the same.
        QTest::newRow("Return after Esc, Ok/Cancel") << (ok | annuler) << "Return after Esc" << true << ok;
    }
    void eachButtonAnswersItsOwnValue()
    {
        QFETCH(int, boutons);
        QFETCH(QString, presse);
        QFETCH(bool, accepte);
        QFETCH(int, attendu);
        TableDeScene t;
        DestinataireDesBoites destinataire;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        // A person's keys come through the window in front.
        const bool fenetre = presse == QLatin1String("Return after Esc");
        if (fenetre) {
            t.vue->show();
            t.vue->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(t.vue.get()));
        }
        auto touche = [&t, fenetre](int k) {
            if (fenetre) {
                QTest::keyClick(t.vue.get(), Qt::Key(k));
                return;
            }
            QKeyEvent appui(QEvent::KeyPress, k, Qt::NoModifier);
            QKeyEvent relache(QEvent::KeyRelease, k, Qt::NoModifier);
            QCoreApplication::sendEvent(t.scene, &appui);
            QCoreApplication::sendEvent(t.scene, &relache);
        };
        for (bool avant : {true, false}) {
            if (avant && !fenetre)
                continue;
            emetteur.messageBoxQuestion(GM::Question, QStringLiteral("Question"), QStringLiteral("Encore?"),
                                        static_cast<GM::StandardButton>(boutons), &destinataire, "OnQuestion");
            QTRY_VERIFY(boiteVisible(*t.scene));
            if (avant) {
                touche(Qt::Key_Escape);
                QTRY_COMPARE(destinataire.boutons.size(), 1);
                destinataire.boutons.clear();
                presse = QStringLiteral("Return");
            }
        }
        const DisplayGLScene::Boite& boite = t.scene->boitePrincipale();
        QCOMPARE(bouton(boite, "pushButtonOK")->isVisibleTo(boite.widget), (boutons & GM::Ok) != 0);
        QCOMPARE(bouton(boite, "pushButtonOui")->isVisibleTo(boite.widget), (boutons & GM::Yes) != 0);
        QCOMPARE(bouton(boite, "pushButtonNon")->isVisibleTo(boite.widget), (boutons & GM::No) != 0);
        QCOMPARE(bouton(boite, "pushButtonCancel")->isVisibleTo(boite.widget), (boutons & GM::Cancel) != 0);

        QSignalSpy aide(t.scene->boutonAide(), &QPushButton::clicked);
        if (presse == QLatin1String("Return") || presse == QLatin1String("Escape")) {
            const int cle = presse == QLatin1String("Return") ? Qt::Key_Return : Qt::Key_Escape;
            // Other keys stay with the box too (Space would press its
            // focused button, as on any button).
            for (int k : {int(Qt::Key_A), cle})
                touche(k);
        } else if (presse.isEmpty()) {
            // The back key and closing dialogs answer through the timer slots.
            QMetaObject::invokeMethod(t.scene, accepte ? "OnMessageBoxAccepted_Timer" : "OnMessageBoxRejected_Timer",
                                      Qt::QueuedConnection);
        } else {
            bouton(boite, presse)->click();
        }
        QTRY_COMPARE(destinataire.boutons.size(), 1);
        QCOMPARE(destinataire.boutons.first(), attendu);
        QCOMPARE(aide.count(), 0);
        QVERIFY(!boiteVisible(*t.scene));
        QCOMPARE(boite.proxy->zValue(), DisplayGLScene::Z_BOITE_CACHEE);
        QCOMPARE(t.scene->currentBoxId(), qint64(-1));
        QCOMPARE(t.scene->nombreEnAttente(), 0);
    }

    void boxesFromWorkerThreadsShownOnTheGuiThreadOneAtATime()
    {
        TableDeScene t;
        DestinataireDesBoites destinataire;
        QList<uint> ids;
        QList<int> reponsesAvantAffichage;
        bool horsThreadGui = false;
        connect(t.scene, &DisplayGLScene::signalMessageBoxShown, this, [&](uint id) {
            horsThreadGui = horsThreadGui || QThread::currentThread() != qApp->thread();
            ids << id;
            reponsesAvantAffichage << destinataire.boutons.size();
            QVERIFY(boiteVisible(*t.scene));
            // The user reads, then presses Yes.
            QTimer::singleShot(0, t.scene, [&t] { bouton(t.scene->boitePrincipale(), "pushButtonOui")->click(); });
        });
        constexpr int nbThreads = 3;
        constexpr int parThread = 3;
        std::vector<std::unique_ptr<GM_MessageBoxEmitter>> emetteurs;
        std::vector<std::unique_ptr<QThread>> threads;
        for (int i = 0; i < nbThreads; ++i) {
            emetteurs.push_back(std::make_unique<GM_MessageBoxEmitter>());
            emetteurs.back()->setMessageBoxDisplayer(t.scene);
            GM_MessageBoxEmitter* emetteur = emetteurs.back().get();
            threads.emplace_back(QThread::create([emetteur, &destinataire, i] {
                for (int k = 0; k < parThread; ++k)
                    emetteur->messageBoxQuestion(GM::Question, QStringLiteral("T%1").arg(i),
                                                 QStringLiteral("box %1").arg(k), GM::Yes | GM::No, &destinataire,
                                                 "OnQuestion");
            }));
        }
        for (auto& thread : threads)
            thread->start();
        for (auto& thread : threads)
            QVERIFY(thread->wait(5000));
        QTRY_COMPARE_WITH_TIMEOUT(destinataire.boutons.size(), nbThreads * parThread, 10000);
        QVERIFY(!horsThreadGui);
        QCOMPARE(ids.size(), nbThreads * parThread);
        for (int i = 1; i < ids.size(); ++i)
            QVERIFY2(ids[i - 1] < ids[i], "boxes are shown in the order they were asked");
        for (int i = 0; i < reponsesAvantAffichage.size(); ++i)
            QCOMPARE(reponsesAvantAffichage[i], i);
        for (QThread* thread : destinataire.threads)
            QCOMPARE(thread, qApp->thread());
        for (int reponse : destinataire.boutons)
            QCOMPARE(reponse, static_cast<int>(GM::Yes));
        QCOMPARE(t.scene->nombreEnAttente(), 0);
    }

    void unknownErrorBoxIsAnsweredAndTheQueueGoesOn()
    {
        TableDeScene t;
        DestinataireDesBoites destinataire;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBoxConfirm(GM::Warning, QStringLiteral("Serveur"), QStringLiteral("Unknown error 42"),
                                   GM::Ok, &destinataire, "OnAccepte");
        emetteur.messageBox(GM::Information, QStringLiteral("Suite"), QStringLiteral("La suite."));
        QTRY_VERIFY(boiteVisible(*t.scene));
        QCOMPARE(t.scene->boitePrincipale().ui->labelText->text(), QStringLiteral("Suite"));
        QVERIFY(!t.scene->historiqueBoites().join(QString()).contains(QStringLiteral("Unknown error")));
        QCOMPARE(t.scene->nombreEnAttente(), 1);
        QVERIFY2(destinataire.appels.isEmpty(), "an unshown confirm box is not accepted");
    }

    void badInputHasDefinedResults_data()
    {
        QTest::addColumn<int>("cas");
        QTest::newRow("unknown box id") << 0;
        QTest::newRow("answer for a box already gone") << 1;
        QTest::newRow("same box scheduled twice") << 2;
        QTest::newRow("text update for a box that is gone") << 3;
        QTest::newRow("late close of a tutorial") << 4;
        QTest::newRow("zero-height scene") << 5;
        QTest::newRow("negative delays") << 6;
    }
    void badInputHasDefinedResults()
    {
        QFETCH(int, cas);
        TableDeScene t;
        DestinataireDesBoites destinataire;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        int affichages = 0;
        connect(t.scene, &DisplayGLScene::signalMessageBoxShown, this, [&affichages] { ++affichages; });
        auto question = [&](const QString& titre) {
            emetteur.messageBoxQuestion(GM::Question, titre, titre, GM::Yes | GM::No, &destinataire, "OnQuestion");
        };
        switch (cas) {
        case 0: {
            t.scene->execMessageBox(987654u);
            QTRY_VERIFY(!t.scene->timerBoite().isActive());
            QCoreApplication::processEvents();
            QVERIFY(!boiteVisible(*t.scene));
            question(QStringLiteral("A"));
            QTRY_VERIFY(boiteVisible(*t.scene));
            break;
        }
        case 1: {
            question(QStringLiteral("A"));
            question(QStringLiteral("B"));
            QTRY_VERIFY(boiteVisible(*t.scene));
            QPushButton* oui = bouton(t.scene->boitePrincipale(), "pushButtonOui");
            // A double click: the second press arrives for a box already answered.
            oui->click();
            oui->click();
            QTRY_COMPARE(destinataire.boutons.size(), 1);
            QTRY_COMPARE(t.scene->boitePrincipale().ui->labelText->text(), QStringLiteral("B"));
            QTRY_VERIFY(boiteVisible(*t.scene));
            QTest::qWait(0);
            QCOMPARE(destinataire.boutons.size(), 1);
            QVERIFY2(boiteVisible(*t.scene), "B waits for its own answer");
            break;
        }
        case 2: {
            question(QStringLiteral("A"));
            QTRY_COMPARE(affichages, 1);
            t.scene->execMessageBox(static_cast<uint>(t.scene->currentBoxId()));
            QCoreApplication::processEvents();
            QCOMPARE(affichages, 1);
            break;
        }
        case 3: {
            emetteur.updateMessageBox(QStringLiteral("Titre"), QStringLiteral("Texte"), 424242);
            QCoreApplication::processEvents();
            QVERIFY(!boiteVisible(*t.scene));
            QCOMPARE(t.scene->nombreEnAttente(), 0);
            break;
        }
        case 4: {
            question(QStringLiteral("A"));
            QTRY_VERIFY(boiteVisible(*t.scene));
            const qint64 id = t.scene->currentBoxId();
            t.scene->OnTutorialClosed(static_cast<uint>(id + 1000), true);
            QCOMPARE(t.scene->currentBoxId(), id);
            bouton(t.scene->boitePrincipale(), "pushButtonNon")->click();
            QTRY_COMPARE(destinataire.boutons, QList<int>{GM::No});
            break;
        }
        case 5: {
            t.scene->setSceneRect(QRectF(0, 0, 800, 0));
            question(QStringLiteral("A"));
            QTRY_VERIFY(t.scene->boitePrincipale().widget->isVisible());
            const QRectF g = t.scene->boitePrincipale().proxy->geometry();
            QVERIFY(std::isfinite(g.x()) && std::isfinite(g.y()) && std::isfinite(g.height()));
            QCOMPARE(g.height(), 0.0);
            DisplayGLScoreAnimText* score = t.scene->prochainScore();
            score->startScore(20, QString(), t.scene->zoneTable(), 0.0, 0);
            QVERIFY(std::isfinite(score->pos().y()));
            break;
        }
        case 6: {
            DisplayGLScoreAnimText* score = t.scene->prochainScore();
            score->startScore(-5, QString(), t.scene->zoneTable(), 0.0, -600);
            QVERIFY2(!score->isDelayRunning(), "a negative delay is no delay");
            QVERIFY(score->driver()->isRunning());
            ZB_Sound son(false);
            son.joueApres(-500, ZB_Sound::Pose);
            QTRY_COMPARE(son.journal(), QList<int>{ZB_Sound::Pose});
            QCOMPARE(son.nombreEnFile(), 0);
            break;
        }
        default:
            QFAIL("unknown case");
        }
    }

    void boxHeightFollowsItsKind_data()
    {
        QTest::addColumn<int>("icone");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<double>("diviseur");
        QTest::addColumn<bool>("lienRegles");
        QTest::newRow("help box") << int(DisplayGLScene::IconeAide) << "Aide" << 1.0 << true;
        QTest::newRow("end of the game") << int(GM::Information) << "Fin de partie." << 1.2 << false;
        QTest::newRow("end of the game, English") << int(GM::Information) << "End of the game." << 1.2 << false;
        QTest::newRow("any other box") << int(GM::Warning) << "Attention" << 1.75 << false;
    }
    void boxHeightFollowsItsKind()
    {
        QFETCH(int, icone);
        QFETCH(QString, titre);
        QFETCH(double, diviseur);
        QFETCH(bool, lienRegles);
        TableDeScene t;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBox(static_cast<GM::Icon>(icone), titre, QStringLiteral("ligne 1\nligne 2"));
        QTRY_VERIFY(boiteVisible(*t.scene));
        const QRectF table = t.scene->zoneTable();
        const QRectF g = t.scene->boitePrincipale().proxy->geometry();
        QCOMPARE(g.width(), table.width());
        QCOMPARE(g.x(), table.x());
        QVERIFY(qAbs(g.height() - table.height() / diviseur) < 1.0);
        QVERIFY(qAbs(g.center().y() - table.center().y()) < 1.0);
        QCOMPARE(t.scene->boitePrincipale().proxy->zValue(), DisplayGLScene::Z_BOITE);
        const Ui::MessageBoxGl* ui = t.scene->boitePrincipale().ui;
        QCOMPARE(ui->labelWiki->isVisibleTo(t.scene->boitePrincipale().widget), lienRegles);
        QCOMPARE(ui->labelMessage->text(), QStringLiteral("ligne 1<br>ligne 2"));
        QCOMPARE(t.scene->dernierGenreBoite(), icone);
    }

    void peerTextNeverBecomesMarkup_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("affiche");
        QTest::newRow("plain") << "Bonjour." << "Bonjour.";
        QTest::newRow("line break") << "a\nb" << "a<br>b";
        QTest::newRow("program's own break") << "a<br><br>b" << "a<br><br>b";
        QTest::newRow("bold from a peer") << "<b>gras</b>" << "&lt;b&gt;gras&lt;/b&gt;";
        QTest::newRow("link from a server") << "<a href=\"http://x.invalid\">ici</a>"
                                            << "&lt;a href=&quot;http://x.invalid&quot;&gt;ici&lt;/a&gt;";
        QTest::newRow("picture from a peer") << "<img src=\"file:///etc/passwd\">"
                                             << "&lt;img src=&quot;file:///etc/passwd&quot;&gt;";
        QTest::newRow("ampersand") << "Toi & moi" << "Toi &amp; moi";
    }
    void peerTextNeverBecomesMarkup()
    {
        QFETCH(QString, texte);
        QFETCH(QString, affiche);
        QCOMPARE(scene_textes::texteBoite(texte), affiche);

        TableDeScene t;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBox(GM::Information, texte, texte);
        QTRY_VERIFY(boiteVisible(*t.scene));
        QCOMPARE(t.scene->boitePrincipale().ui->labelMessage->text(), affiche);
        QCOMPARE(t.scene->boitePrincipale().ui->labelText->textFormat(), Qt::PlainText);
        // The title in the text's own font.
        QCOMPARE(t.scene->boitePrincipale().ui->labelText->font(), t.scene->boitePrincipale().ui->labelMessage->font());
        QCOMPARE(t.scene->historiqueBoites().last(), affiche);

        // A network line is plain text too.
        t.scene->afficheMessageReseau(texte);
        const DisplayGLScoreAnimText* message = t.scene->animationsMessage().front().get();
        QCOMPARE(message->texte()->toPlainText(), texte);
    }

    void historyKeepsTheLastHundredAndOne()
    {
        TableDeScene t;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        connect(t.scene, &DisplayGLScene::signalMessageBoxShown, this, [&t] {
            QTimer::singleShot(0, t.scene, [&t] { bouton(t.scene->boitePrincipale(), "pushButtonOK")->click(); });
        });
        constexpr int nombre = 105;
        for (int i = 0; i < nombre; ++i)
            emetteur.messageBox(GM::Information, QStringLiteral("Boîte"), QString::number(i));
        QTRY_COMPARE_WITH_TIMEOUT(t.scene->nombreEnAttente(), 0, 20000);
        const QStringList historique = t.scene->historiqueBoites();
        QCOMPARE(historique.size(), DisplayGLScene::HISTORIQUE_MAX + 1);
        QCOMPARE(historique.first(), QString::number(nombre - DisplayGLScene::HISTORIQUE_MAX - 1));
        QCOMPARE(historique.last(), QString::number(nombre - 1));
    }

    void autoAnswerAnswersOkWithoutShowing()
    {
        TableDeScene t;
        t.scene->setAutoAnswer(true);
        DestinataireDesBoites destinataire;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBoxQuestion(GM::Question, QStringLiteral("Q"), QStringLiteral("?"), GM::Yes | GM::No,
                                    &destinataire, "OnQuestion");
        emetteur.messageBoxConfirm(GM::Question, QStringLiteral("C"), QStringLiteral("?"), GM::Ok, &destinataire,
                                   "OnAccepte");
        QTRY_COMPARE(destinataire.appels, (QStringList{"OnQuestion", "OnAccepte"}));
        QCOMPARE(destinataire.boutons, QList<int>{GM::Ok});
        QVERIFY(t.scene->historiqueBoites().isEmpty());
        QVERIFY(t.natif.vibrations.isEmpty());
    }

    void statusBoxFromAWorkerThreadNeverAnswersTheMainBox()
    {
        TableDeScene t;
        DestinataireDesBoites destinataire;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBoxQuestion(GM::Question, QStringLiteral("Q"), QStringLiteral("?"), GM::Yes | GM::No,
                                    &destinataire, "OnQuestion");
        QTRY_VERIFY(boiteVisible(*t.scene));
        std::unique_ptr<QThread> thread(QThread::create([&emetteur] {
            emetteur.updateMessageBox(QStringLiteral("Téléchargement"), QStringLiteral("42 %"), -1);
        }));
        thread->start();
        QVERIFY(thread->wait(5000));
        const DisplayGLScene::Boite& statut = t.scene->boiteStatut();
        QTRY_VERIFY(statut.widget->isVisible());
        QCOMPARE(statut.proxy->zValue(), DisplayGLScene::Z_BOITE_MISE_A_JOUR);
        QCOMPARE(statut.ui->labelMessage->text(), QStringLiteral("42 %"));

        bouton(statut, "pushButtonOK")->click();
        QTRY_VERIFY(!statut.widget->isVisible());
        QCoreApplication::processEvents();
        QVERIFY2(destinataire.boutons.isEmpty(), "the status box's button does not answer the question");
        QVERIFY(boiteVisible(*t.scene));

        emetteur.updateMessageBox(QStringLiteral("Téléchargement"), QStringLiteral("43 %"), -1);
        QTRY_VERIFY(statut.widget->isVisible());
        emetteur.closeStatusBox();
        QTRY_VERIFY(!statut.proxy->isVisible());
        QCOMPARE(statut.proxy->zValue(), DisplayGLScene::Z_STATUT_CACHE);
    }

    void queuedBoxTextIsUpdatedInPlace()
    {
        TableDeScene t;
        DestinataireDesBoites destinataire;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        const uint id = emetteur.messageBoxDownload(QStringLiteral("Mise à jour"), QStringLiteral("0 %"),
                                                    &destinataire);
        QTRY_VERIFY(boiteVisible(*t.scene));
        emetteur.updateMessageBox(QStringLiteral("Mise à jour"), QStringLiteral("50 %"), static_cast<int>(id));
        QTRY_COMPARE(t.scene->boitePrincipale().ui->labelMessage->text(), QStringLiteral("50 %"));
        QCOMPARE(t.scene->currentBoxId(), qint64(id));
    }

    // A box withdrawn while on screen leaves the table unanswered, and the
    // box queued behind it comes at once.
    void withdrawnBoxLeavesTheTable()
    {
        TableDeScene t;
        DestinataireDesBoites destinataire;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBoxQuestion(GM::Question, QStringLiteral("Mise à jour"), QStringLiteral("0 %"), GM::Ok,
                                    &destinataire, "OnQuestion");
        emetteur.messageBox(GM::Warning, QStringLiteral("Mise à jour"), QStringLiteral("Echec"));
        QTRY_VERIFY(boiteVisible(*t.scene));
        const qint64 id = t.scene->currentBoxId();
        QVERIFY(id >= 0);
        emetteur.closeMessageBox(uint(id));
        QTRY_COMPARE(t.scene->boitePrincipale().ui->labelMessage->text(), QStringLiteral("Echec"));
        QVERIFY(boiteVisible(*t.scene));
        QCOMPARE(t.scene->currentBoxId(), id + 1);
        QCoreApplication::processEvents();
        QVERIFY(destinataire.appels.isEmpty());
    }

    // The update's download box on the table, as the download shows it
    // (kept with ZB_KEEP_TEST_PICTURES=<folder>).
    void downloadBoxImage()
    {
        TableDeScene t;
        DestinataireDesBoites destinataire;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        const uint id = emetteur.messageBoxDownload(QStringLiteral("Téléchargement en cours"),
                                                    QStringLiteral("Pourcentage 0%..."), &destinataire);
        QTRY_VERIFY(boiteVisible(*t.scene));
        emetteur.updateMessageBox(QStringLiteral("Téléchargement en cours"), QStringLiteral("Pourcentage 42%..."),
                                  static_cast<int>(id));
        QTRY_COMPARE(t.scene->boitePrincipale().ui->labelMessage->text(), QStringLiteral("Pourcentage 42%..."));
        t.vue->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.vue.get()));
        const QImage image = t.vue->grab().toImage();
        const QString dossier = qEnvironmentVariable("ZB_KEEP_TEST_PICTURES");
        if (!dossier.isEmpty())
            QVERIFY(image.save(QDir(dossier).filePath(QStringLiteral("download_box.png"))));
        QVERIFY(!image.isNull());
    }

    void shownBoxVibratesWhenTheOptionAsks_data()
    {
        QTest::addColumn<bool>("vibration");
        QTest::addColumn<QList<int>>("attendu");
        QTest::newRow("on") << true << QList<int>{DisplayGLScene::VIBRATION_BOITE_MS};
        QTest::newRow("off") << false << QList<int>{};
    }
    void shownBoxVibratesWhenTheOptionAsks()
    {
        QFETCH(bool, vibration);
        QFETCH(QList<int>, attendu);
        Reglages r;
        r.options.vibrate_ = vibration;
        TableDeScene t(r);
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBox(GM::Information, QStringLiteral("I"), QStringLiteral("i"));
        QTRY_VERIFY(boiteVisible(*t.scene));
        QCOMPARE(t.natif.vibrations, attendu);
    }

    void picturedBoxesSoundOnlyWhenAllowed_data()
    {
        QTest::addColumn<int>("icone");
        QTest::addColumn<bool>("sons");
        QTest::addColumn<bool>("automatique");
        QTest::addColumn<QList<int>>("joues");
        QTest::newRow("tomato") << 1000 << true << false << QList<int>{ZB_Sound::Blop};
        QTest::newRow("cup") << 1001 << true << false << QList<int>{ZB_Sound::Tambour};
        QTest::newRow("achievement") << 1002 << true << false << QList<int>{ZB_Sound::CarillonGrave};
        QTest::newRow("information has no sound") << 1 << true << false << QList<int>{};
        QTest::newRow("sounds option off") << 1001 << false << false << QList<int>{};
        QTest::newRow("automatic mode") << 1001 << true << true << QList<int>{};
    }
    void picturedBoxesSoundOnlyWhenAllowed()
    {
        QFETCH(int, icone);
        QFETCH(bool, sons);
        QFETCH(bool, automatique);
        QFETCH(QList<int>, joues);
        Reglages r = sansCartes();
        r.automatique = automatique;
        r.options.sounds_ = sons;
        TableDeScene t(r);
        QCOMPARE(t.scene->son().isSilent(), automatique);
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        emetteur.messageBox(static_cast<GM::Icon>(icone), QStringLiteral("Bravo"), QStringLiteral("!"));
        QTRY_VERIFY(boiteVisible(*t.scene));
        QCOMPARE(t.scene->son().journal(), joues);
        const QPixmap image = t.scene->boitePrincipale().ui->labelIcon->pixmap();
        QVERIFY(!image.isNull());
    }

    void tutorialRequestsAreShownOrClosedAtOnce()
    {
        TableDeScene t;
        GM_MessageBoxEmitter emetteur;
        emetteur.setMessageBoxDisplayer(t.scene);
        // Without a welcome form the request is closed as completed.
        emetteur.showTutorial();
        QTRY_COMPARE(t.scene->nombreEnAttente(), 0);

        GM_WidgetAuto formulaire;
        t.scene->setTutorialForm(&formulaire);
        emetteur.showTutorial();
        QTRY_VERIFY(formulaire.isVisible());
        QCOMPARE(t.scene->nombreEnAttente(), 1);
        emetteur.messageBox(GM::Information, QStringLiteral("Après"), QStringLiteral("après"));
        t.scene->OnTutorialClosed(t.scene->tutorialEventId(), true);
        QTRY_VERIFY(boiteVisible(*t.scene));
        QCOMPARE(t.scene->boitePrincipale().ui->labelText->text(), QStringLiteral("Après"));
    }
};

ZB_REGISTER_TEST(TestSceneMessageBoxes)
#include "TestSceneMessageBoxes.moc"
