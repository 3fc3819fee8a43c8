#include "AppStyleSwitch.h"
#include "DisplayGLPanelDeJoueur.h"
#include "DisplayGLScene.h"
#include "DisplayGLSceneDialog.h"
#include "EtatDeJeu.h"
#include "FormTutorialEnter.h"
#include "ListeDesEvenements.h"
#include "MainWindowTestKit.h"
#include "OptionsPartie.h"
#include "StyleTools.h"
#include "ClientSocket.h"
#include "TableClient.h"
#include "ZB_ClientDialogIp.h"
#include "ZB_SettingsStore.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGraphicsProxyWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <limits>
#include <utility>

using namespace fenetretest;

namespace {

// The theme classes and the options dialog's buttons by number.
const char* const CLASSES_THEMES[] = {"ZB_StyleWood", "ZB_StyleAlien", "ZB_StyleRacing", "ZB_StyleCandy",
                                      "ZB_StyleNature"};
const char* const BOUTONS_THEMES[] = {"radioButtonAppStyleWood", "radioButtonAppStyleAlien",
                                      "radioButtonAppStyleRacing", "radioButtonAppStyleCandy",
                                      "radioButtonAppStyleNature"};

QString cleTheme()
{
    return QLatin1String(ZB_SettingsStore::GROUPE_STYLE_APPLICATION) + QStringLiteral("/theme");
}

} // namespace

// What the user sets in the main window and what one run keeps for the
// next: the game type, sounds and size, the options accepted or refused by
// the store, the themes and their return, the welcome at a first start, the
// wide layout, the controls' size and the window's place on the screen.
class TestMainWindowSettings : public QObject
{
    Q_OBJECT

private slots:
    // The name offered for online play: the lobby login, else the kept
    // name, else the system user's, each cleaned as typed text is.
    void nomDeJeuPropose_data()
    {
        QTest::addColumn<QString>("lobby");
        QTest::addColumn<QString>("garde");
        QTest::addColumn<QString>("systeme");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("lobby login first") << "Bob" << "Anna" << "anna" << "Bob";
        QTest::newRow("kept name") << "" << "Anna" << "anna" << "Anna";
        QTest::newRow("system user") << "" << " " << "anna" << "anna";
        QTest::newRow("nothing usable") << "" << "" << "" << QString::fromLatin1(ZB_MainWidget::LOGIN_PARTIE);
        QTest::newRow("record characters cleaned") << "" << "  An{na}!\n " << "x" << "An(na).";
        QTest::newRow("too long cut") << "" << QString(40, QLatin1Char('a')) << "x"
                                      << QString(ZB_MainWidget::NOM_DE_JEU_MAX, QLatin1Char('a'));
    }
    void nomDeJeuPropose()
    {
        QFETCH(QString, lobby);
        QFETCH(QString, garde);
        QFETCH(QString, systeme);
        QFETCH(QString, attendu);
        QCOMPARE(ZB_MainWidget::nomDeJeuPropose(lobby, garde, systeme), attendu);
    }

    // The join window shows the name the user plays under; a name typed
    // there is kept for the next run.
    void nomDeJeuGarde()
    {
        videReglages();
        QTemporaryDir dossier;
        {
            ZB_MainWidget w(ZB_Settings(), dossier.path());
            w.OnRejoindre();
            QCOMPARE(w.dialogueIp()->getNom(), ZB_MainWidget::nomDeJeuPropose({}, {}, ZB_MainWidget::nomDuSysteme()));
            w.dialogueIp()->getLineEditNom()->setText(QStringLiteral(" Carola "));
            // Nobody listens on port 1 of loopback: the join fails, the name stays.
            w.dialogueIp()->setIp(QStringLiteral("127.0.0.2"));
            w.dialogueIp()->setPort(1);
            QTest::keyClick(w.dialogueIp()->getLineEditNom(), Qt::Key_Return);
        }
        QCOMPARE(QSettings().value(QStringLiteral("Game/playerName")).toString(), QStringLiteral("Carola"));
        ZB_MainWidget w(ZB_Settings(), dossier.path());
        w.OnRejoindre();
        QCOMPARE(w.dialogueIp()->getNom(), QStringLiteral("Carola"));
        // Logged in to the lobby, the window offers the lobby's name; the
        // name typed over it is the one played under.
        w.startClientSession(QStringLiteral("127.0.0.2"), QStringLiteral("Pseudo"), 0, 0, 1, -1, 0, false, 0, 0);
        w.OnRejoindre();
        QCOMPARE(w.dialogueIp()->getNom(), QStringLiteral("Pseudo"));
        w.dialogueIp()->getLineEditNom()->setText(QStringLiteral("Carola"));
        QTest::keyClick(w.dialogueIp()->getLineEditNom(), Qt::Key_Return);
        QCOMPARE(w.salle()->getClientSocket()->getLogin(), QStringLiteral("Carola"));
        videReglages();
    }

    // The game type, the sounds and the window's size chosen in one run are
    // there in the next; an unattended run leaves them alone.
    void reglagesEntreDeuxLancements()
    {
        QTemporaryDir dossier;
        {
            ZB_MainWidget w(ZB_Settings(), dossier.path());
            w.action(QStringLiteral("type8"))->trigger();
            w.action(QStringLiteral("sons"))->setChecked(false);
            w.vue()->resize(700, 500);
        }
        {
            ZB_MainWidget automatique(sansSurveillance(), dossier.path());
            automatique.userChoseGameType(0);
        }
        ZB_MainWidget w(ZB_Settings(), dossier.path());
        QCOMPARE(w.optionsDePartie().idPreset_, 8);
        QVERIFY(w.action(QStringLiteral("type8"))->isChecked());
        QVERIFY(!w.action(QStringLiteral("sons"))->isChecked());
        QCOMPARE(w.vue()->size(), QSize(700, 500));
    }

    // The settings panel's commands stay buttons of a few lines' height in
    // a column in the panel's middle, under the Candy theme as under Wood,
    // rather than thin strips across the whole of a wide table.
    void panneauReglagesEnColonne_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<int>("theme");
        QTest::newRow("800x600 Wood") << QSize(800, 600) << int(AppStyleSwitch::WOOD);
        QTest::newRow("1920x1080 Candy") << QSize(1920, 1080) << int(AppStyleSwitch::CANDY);
    }
    void panneauReglagesEnColonne()
    {
        QFETCH(QSize, taille);
        QFETCH(int, theme);
        videReglages();
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        w.setAppStyle(theme);
        w.vue()->resize(taille);
        DisplayGLSceneDialog* reglages = w.vue()->scene()->dialogueReglages();
        reglages->expand();
        QWidget* contenu = reglages->contenu();
        auto* annuler = contenu->findChild<QPushButton*>(QStringLiteral("bouton_annuler"));
        QVERIFY(annuler);
        QTRY_VERIFY2(annuler->isVisible() && contenu->width() > taille.width() / 2,
                     qPrintable(QStringLiteral("%1 %2 %3").arg(annuler->isVisible()).arg(contenu->width())
                                    .arg(w.vue()->width())));
        QCoreApplication::sendPostedEvents();
        const QString images = qEnvironmentVariable("ZB_TABLE_PNG_DIR");
        if (!images.isEmpty() && QDir().mkpath(images))
            w.vue()->grab().save(images + QStringLiteral("/settings-panel-%1x%2-%3.png")
                                              .arg(taille.width()).arg(taille.height()).arg(theme));
        const QList<QPushButton*> boutons = contenu->findChildren<QPushButton*>();
        QVERIFY(boutons.size() >= 8);
        for (const QPushButton* bouton : boutons) {
            const QRect place(bouton->mapTo(contenu, QPoint(0, 0)), bouton->size());
            QVERIFY2(place.height() >= 2 * bouton->fontMetrics().height(),
                     qPrintable(QStringLiteral("%1 is %2 high").arg(bouton->objectName()).arg(place.height())));
            QVERIFY2(place.width() * 2 <= contenu->width() || taille.width() < 1000,
                     qPrintable(QStringLiteral("%1 is %2 wide").arg(bouton->objectName()).arg(place.width())));
            QVERIFY(place.width() >= bouton->sizeHint().width());
            QVERIFY(contenu->rect().contains(place));
            // In the middle across.
            QVERIFY(std::abs(place.center().x() - contenu->width() / 2) <= place.width() / 2);
        }
    }

    // Accepted options are the table's from the next game on, and the next
    // run's.
    void optionsAccepteesPuisRedemarrage()
    {
        videReglages();
        QTemporaryDir dossier;
        const QStringList noms{QStringLiteral("Anna"), QStringLiteral("Beat"), QStringLiteral("Cla")};
        {
            ZB_MainWidget w(accompagne(), dossier.path());
            // The menu's commands are also in reach on the table: the
            // settings panel's tab opens the right panel with its buttons.
            DisplayGLSceneDialog* reglages = w.vue()->scene()->dialogueReglages();
            QVERIFY(reglages->isVisible());
            reglages->expand();
            QTRY_VERIFY(reglages->contenu()->findChild<QPushButton*>(QStringLiteral("bouton_nouvelle"))->isVisible());
            w.action(QStringLiteral("options"))->trigger();
            OptionsPartie* d = w.dialogueOptions();
            QTRY_VERIFY(d->isVisible());
            d->findChild<QAbstractButton*>(QStringLiteral("radioButtonPreset8"))->click();
            d->findChild<QAbstractButton*>(QStringLiteral("radioButtonAppStyleCandy"))->click();
            for (const auto& [nom, texte] : {std::pair{"lineEditNameOpponent1", noms[0]},
                                              std::pair{"lineEditNameBuddy", noms[1]},
                                              std::pair{"lineEditNameOpponent2", noms[2]}})
                d->findChild<QLineEdit*>(QLatin1String(nom))->setText(texte);
            d->getButtonBox()->button(QDialogButtonBox::Ok)->click();
            QVERIFY2(!d->isVisible(), qPrintable(d->message()));
            QCOMPARE(w.optionsDePartie().idPreset_, 8);
            QCOMPARE(w.appStyle(), AppStyleSwitch::CANDY);
            QCOMPARE(QApplication::style()->metaObject()->className(), "ZB_StyleCandy");
            QCOMPARE(w.vue()->scene()->optionsAffichage().noms_, noms);
            ordinateurPartout(w);
            w.userChoseGameType(8);
            w.OnNouvellePartie();
            QCOMPARE(w.salle()->getOptions().idPreset_, 8);
        }
        ZB_MainWidget w(accompagne(), dossier.path());
        QCOMPARE(w.optionsDePartie().idPreset_, 8);
        QVERIFY(w.action(QStringLiteral("type8"))->isChecked());
        QCOMPARE(w.optionsAffichage().noms_, noms);
        QCOMPARE(w.appStyle(), AppStyleSwitch::CANDY);
    }

    // Options the store refuses are reported and change nothing: neither
    // record is kept, the table keeps its options.
    void optionsRefuseesParLeStockage()
    {
        videReglages();
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        w.vue()->scene()->setAutoAnswer(false);
        const int presetAvant = w.optionsDePartie().idPreset_;
        const QVariant partieAvant = QSettings().value(QStringLiteral("Game/options"));
        OptionsDePartie partie = w.optionsDePartie();
        partie.idPreset_ = presetAvant == 8 ? 6 : 8;
        OptionsAffichage affichage = w.optionsAffichage();
        affichage.noms_ = QStringList{QStringLiteral("Anna"), QStringLiteral("Beat"), QStringLiteral("Cla")};
        affichage.facteur1_ = std::numeric_limits<double>::quiet_NaN();
        const int boites = w.vue()->scene()->historiqueBoites().size();
        w.OnOptionsAccepted(partie, affichage);
        QTRY_VERIFY(w.vue()->scene()->historiqueBoites().size() > boites);
        QCOMPARE(w.optionsDePartie().idPreset_, presetAvant);
        QVERIFY(w.optionsAffichage().noms_ != affichage.noms_);
        QCOMPARE(QSettings().value(QStringLiteral("Game/options")), partieAvant);
    }

    // The five themes, switched with a dialog open: the dialog stays, the
    // table takes the theme's colours, the choice is kept. The menu and the
    // dialog offer these five and nothing else.
    void themesAvecDialogueOuvert()
    {
        videReglages();
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        w.vue()->resize(800, 600);
        w.action(QStringLiteral("options"))->trigger();
        const QStringList noms {"style_alien", "style_course", "style_bonbon", "style_nature", "style_bois"};
        QStringList offerts;
        for (QAction* a : w.barreMenus()->findChildren<QAction*>())
            if (a->objectName().startsWith(QLatin1String("style_")))
                offerts << a->objectName();
        QCOMPARE(QSet<QString>(offerts.cbegin(), offerts.cend()), QSet<QString>(noms.cbegin(), noms.cend()));
        for (const QString& nom : noms) {
            QAction* a = w.action(nom);
            QVERIFY2(a != nullptr, qPrintable(nom));
            a->trigger();
            const int style = a->data().toInt();
            QCOMPARE(w.appStyle(), style);
            QVERIFY(a->isChecked());
            QCOMPARE(w.vue()->scene()->schemaCouleurs(), style);
            QCOMPARE(QApplication::style()->metaObject()->className(), CLASSES_THEMES[style]);
            QVERIFY(w.dialogueOptions()->isVisible());
            QCOMPARE(QSettings().value(cleTheme()).toInt(), style);
        }
        // The options dialog shows the theme in force and applies its choice
        // at once.
        OptionsPartie* d = w.dialogueOptions();
        auto bouton = [d](const char* nom) { return d->findChild<QAbstractButton*>(QLatin1String(nom)); };
        QCOMPARE(bouton("radioButtonAppStyleWood")->group()->buttons().size(), 5);
        for (const auto& [nom, style] : {std::pair{"radioButtonAppStyleCandy", int(AppStyleSwitch::CANDY)},
                                         std::pair{"radioButtonAppStyleWood", int(AppStyleSwitch::WOOD)}}) {
            w.action(QStringLiteral("options"))->trigger();
            QVERIFY(bouton(w.appStyle() == AppStyleSwitch::WOOD ? "radioButtonAppStyleWood"
                                                                 : "radioButtonAppStyleCandy")
                        ->isChecked());
            bouton(nom)->click();
            d->getButtonBox()->button(QDialogButtonBox::Ok)->click();
            QVERIFY2(!d->isVisible(), qPrintable(d->message()));
            QCOMPARE(w.appStyle(), style);
            QCOMPARE(QApplication::style()->metaObject()->className(), CLASSES_THEMES[style]);
            QCOMPARE(QSettings().value(cleTheme()).toInt(), style);
        }
    }

    // The theme comes back from the store; a first start has Wood, and so
    // has a stored value that names no theme (the "none" of earlier
    // versions, -1, included), without failing.
    void themeRestaure_data()
    {
        QTest::addColumn<QVariant>("garde");
        QTest::addColumn<int>("attendu");
        QTest::newRow("first start") << QVariant() << int(AppStyleSwitch::WOOD);
        QTest::newRow("alien") << QVariant(1) << int(AppStyleSwitch::ALIEN);
        QTest::newRow("nature as text") << QVariant(QStringLiteral("4")) << int(AppStyleSwitch::NATURE);
        QTest::newRow("none of earlier versions") << QVariant(-1) << int(AppStyleSwitch::WOOD);
        QTest::newRow("too large") << QVariant(5) << int(AppStyleSwitch::WOOD);
        QTest::newRow("fraction") << QVariant(2.5) << int(AppStyleSwitch::WOOD);
        QTest::newRow("word") << QVariant(QStringLiteral("bois")) << int(AppStyleSwitch::WOOD);
    }
    void themeRestaure()
    {
        QFETCH(QVariant, garde);
        QFETCH(int, attendu);
        videReglages();
        if (garde.isValid()) {
            QSettings().setValue(cleTheme(), garde);
            // The display record of a version that offered "none" holds the
            // last theme the user had before it.
            OptionsAffichage affichage;
            affichage.appStyle_ = AppStyleSwitch::CANDY;
            QSettings().setValue(QStringLiteral("Display/options"), affichage.sauveValeursDansString());
        }
        QTemporaryDir dossier;
        QApplication::setStyle(QStringLiteral("Fusion"));
        {
            ZB_MainWidget w(accompagne(), dossier.path());
            QCOMPARE(w.appStyle(), attendu);
            QCOMPARE(QApplication::style()->metaObject()->className(), CLASSES_THEMES[attendu]);
            QCOMPARE(w.vue()->scene()->schemaCouleurs(), attendu);
            QCOMPARE(w.optionsAffichage().appStyle_, attendu);
            // The options dialog shows it.
            w.action(QStringLiteral("options"))->trigger();
            const QAbstractButton* coche =
                w.dialogueOptions()->findChild<QAbstractButton*>(QStringLiteral("radioButtonAppStyleWood"))
                    ->group()
                    ->checkedButton();
            QVERIFY(coche != nullptr);
            QCOMPARE(coche->objectName(), QLatin1String(BOUTONS_THEMES[attendu]));
        }
    }

    // The welcome shows at a first start only, and the first deal waits for
    // its answer. Each choice acts: the newcomer's table explains and
    // advises cards, the player who knows the game gets a plain one, and
    // "explain the rules" shows them (with the rules link) before the
    // deal. The answer is kept, and the next start goes straight to the
    // table. Skip, by its button, by Esc or by a window opened over the
    // welcome, deals as the table is set and keeps the welcome for the next
    // start; so does New game pressed while it shows (the user's game
    // starts and asks for a trump or a card); New game deals after any of
    // them.
    void tutorielAuPremierLancement_data()
    {
        QTest::addColumn<QString>("reponse");
        QTest::addColumn<int>("choix");
        QTest::addColumn<bool>("aides");
        QTest::addColumn<bool>("regles");
        QTest::newRow("knows the game") << "ok" << int(FormTutorialEnter::ConnaitLeJeu) << false << false;
        QTest::newRow("newcomer") << "ok" << int(FormTutorialEnter::Debutant) << true << false;
        QTest::newRow("rules first") << "ok" << int(FormTutorialEnter::ExpliqueRegles) << true << true;
        // The table as it is set: the choice checked is not taken.
        QTest::newRow("skip") << "skip" << int(FormTutorialEnter::ExpliqueRegles) << false << false;
        QTest::newRow("Esc") << "esc" << int(FormTutorialEnter::ExpliqueRegles) << false << false;
        QTest::newRow("options opened over it") << "options" << int(FormTutorialEnter::ExpliqueRegles) << false
                                                << false;
        QTest::newRow("new game over it") << "new game" << int(FormTutorialEnter::ExpliqueRegles) << false << false;
        // The welcome takes a click beside it on the cloth; Esc then.
        QTest::newRow("cloth clicked") << "cloth" << int(FormTutorialEnter::ExpliqueRegles) << false << false;
    }
    void tutorielAuPremierLancement()
    {
        QFETCH(QString, reponse);
        QFETCH(int, choix);
        QFETCH(bool, aides);
        QFETCH(bool, regles);
        videReglages();
        QSettings().remove(QLatin1String(ZB_SettingsStore::GROUPE_TUTORIEL));
        QTemporaryDir dossier;
        const bool repondu = reponse == QLatin1String("ok");
        {
            ZB_MainWidget w(accompagne(), dossier.path());
            w.demarre();
            // The keys come as a person's do: to the window in front.
            w.vue()->show();
            w.vue()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w.vue()));
            DisplayGLScene* scene = w.vue()->scene();
            FormTutorialEnter* f = w.formulaireTutoriel();
            QTRY_VERIFY(f->isVisible());
            // Nothing is dealt behind the form.
            auto attendLaDonne = [&w] {
                ListeDesEvenements* liste = w.salle() ? w.salle()->getListe(-1) : nullptr;
                return liste != nullptr && liste->getEtatAttendu() >= EtatDeJeu::AttendDistribue1
                       && liste->getEtatAttendu() <= EtatDeJeu::AttendDistribue4;
            };
            QTest::qWait(500);
            QVERIFY(attendLaDonne());
            f->getButtonGroup()->button(choix)->click();
            f->getCheckBox()->setChecked(true);
            if (repondu)
                f->getBoutonOk()->click();
            else if (reponse == QLatin1String("skip"))
                f->getBoutonPasser()->click();
            else if (reponse == QLatin1String("esc"))
                QTest::keyClick(w.vue(), Qt::Key_Escape);
            else if (reponse == QLatin1String("new game"))
                QTest::keyClick(w.vue(), Qt::Key_N, Qt::ControlModifier);
            else if (reponse == QLatin1String("cloth")) {
                const QRectF table = scene->zoneTable();
                const QPointF ici(table.center().x(), table.bottom() - table.height() / 20);
                QVERIFY(!f->graphicsProxyWidget()->sceneBoundingRect().contains(ici));
                auto* panneau = dynamic_cast<DisplayGLPanelDeJoueur*>(w.vue()->getPanelDeJoueur(scene->siegeBas()));
                QVERIFY(panneau != nullptr && panneau->attente() == DisplayGLPanelDeJoueur::AttenteDistribue);
                QTest::mouseClick(w.vue()->viewport(), Qt::LeftButton, {}, w.vue()->mapFromScene(ici));
                QCOMPARE(panneau->attente(), int(DisplayGLPanelDeJoueur::AttenteDistribue));
                QVERIFY(f->isVisible());
                QTest::keyClick(w.vue(), Qt::Key_Escape);
            } else
                w.action(QStringLiteral("options"))->trigger();
            QVERIFY(!f->isVisible());
            if (repondu) {
                QCOMPARE(w.optionsAffichage().helpCard_, aides);
                QCOMPARE(w.optionsAffichage().coloredCard_, aides);
            }
            if (regles) {
                QTRY_VERIFY2(!scene->historiqueBoites().isEmpty()
                                 && scene->historiqueBoites().last().contains(
                                     QRegularExpression(QStringLiteral("36 (cartes|cards|Karten)"))),
                             qPrintable(scene->historiqueBoites().join(QLatin1Char('|'))));
                QTest::qWait(300);
                QVERIFY(attendLaDonne());
                scene->OnMessageBoxAccepted_Timer();
            }
            QTRY_VERIFY(!attendLaDonne());
            // The user is asked to play: a trump to choose or a card.
            QTRY_VERIFY_WITH_TIMEOUT(scene->isMainJouable() || scene->proxyAtouts()->isVisible(), 20000);
            if (!repondu) {
                QVERIFY(!scene->isRetenuPourAccueil());
                // A new game deals too.
                w.OnNouvellePartie();
                QTRY_VERIFY(!attendLaDonne());
            }
        }
        QSettings reglages;
        ZB_SettingsStore store(reglages);
        QCOMPARE(store.tutorielTermine(), repondu);
        if (repondu) {
            QCOMPARE(store.choixTutoriel(), choix);
            OptionsAffichage gardees;
            QVERIFY(store.litOptionsAffichage(gardees));
            QCOMPARE(gardees.helpCard_, aides);
        }
        ZB_MainWidget w(accompagne(), dossier.path());
        QTest::qWait(200);
        QCOMPARE(w.formulaireTutoriel()->isVisible(), !repondu);
    }

    // The wide layout chosen in an earlier run shows its right strip from
    // the start, with the lobby's login in it, inside the window.
    void dispositionLargeRetrouvee()
    {
        videReglages();
        {
            QSettings reglages;
            OptionsAffichage options;
            options.useRightSpace_ = true;
            QVERIFY(ZB_SettingsStore(reglages).ecritOptionsAffichage(options));
        }
        QTemporaryDir dossier;
        ZB_MainWidget w(accompagne(), dossier.path());
        w.vue()->resize(1800, 900);
        w.vue()->show();
        QTRY_VERIFY(w.vue()->scene()->isPanneauDroitAffiche());
        videReglages();
    }

    // A resized table sizes the controls and the button edges in the store
    // pictures' mode only; a normal run leaves both at their start values.
    void tailleDesControles_data()
    {
        QTest::addColumn<bool>("captures");
        QTest::addColumn<QSize>("vue");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<double>("bords");
        QTest::newRow("normal run") << false << QSize(2400, 1500) << 0 << 1.0;
        QTest::newRow("pictures, small") << true << QSize(900, 600) << 27 << 1.0;
        QTest::newRow("pictures, large") << true << QSize(2400, 1500) << 72 << 1.5;
    }
    void tailleDesControles()
    {
        QFETCH(bool, captures);
        QFETCH(QSize, vue);
        QFETCH(int, minimum);
        QFETCH(double, bords);
        QTemporaryDir dossier;
        ZB_Settings d = sansSurveillance();
        d.screenshotMode = captures ? 1 : 0;
        {
            ZB_MainWidget w(d, dossier.path());
            w.vue()->resize(vue);
            w.OnSizeChanged();
            // The whole view, as the table's widget is.
            const QSize taille = w.vue()->rect().size();
            QCOMPARE(taille, vue);
            QCOMPARE(StyleTools::minimumControlSize(), QSize(minimum, minimum));
            QCOMPARE(StyleTools::buttonEdgeScale(), bords);
        }
        StyleTools::setMinimumControlSize(QSize(0, 0));
        StyleTools::setButtonEdgeScale(1.0);
    }

    // A window saved larger than the screen and below it opens inside the
    // screen's free area, and at each further start exactly where it was.
    void windowOpensInsideTheScreen()
    {
        videReglages();
        QScreen* ecran = QGuiApplication::primaryScreen();
        QVERIFY(ecran);
        const QRect libre = ecran->availableGeometry();
        {
            QWidget modele;
            modele.setGeometry(libre.x() + 50, libre.bottom() - 20, libre.width() + 400, libre.height() + 300);
            QSettings reglages;
            ZB_SettingsStore(reglages).setGeometrie(modele.saveGeometry());
        }
        QRect premiere;
        for (int depart = 0; depart < 3; ++depart) {
            QTemporaryDir dossier;
            ZB_MainWidget w(accompagne(), dossier.path());
            const QRect r = w.vue()->geometry();
            QVERIFY2(libre.contains(r), qPrintable(QStringLiteral("start %1: %2,%3 %4x%5").arg(depart).arg(r.x())
                                                       .arg(r.y()).arg(r.width()).arg(r.height())));
            if (depart == 0)
                premiere = r;
            QCOMPARE(r, premiere);
        }
        videReglages();
    }
};

ZB_REGISTER_TEST(TestMainWindowSettings)
#include "TestMainWindowSettings.moc"
