#include "DisplayGLScene.h"
#include "FormBugQuestionnaire.h"
#include "FormDebugOptions.h"
#include "FormTutorialEnter.h"
#include "OptionsPartie.h"
#include "ServerView.h"
#include "TableDeScene.h"
#include "ZB_About.h"
#include "ZB_ClientConnection.h"
#include "ZB_ClientDialogIp.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGraphicsProxyWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using namespace scenetest;

namespace {

// The table size the pictures are taken at.
const QSize TailleTable(1280, 800);
constexpr double ZDialogue = 0.5;
constexpr int PlacementTable = 0;
constexpr int ModeEncart = 1;

// Where the pictures go: ZB_SHOTS_DIR when set, else the temporary folder.
QString cheminImage(const QString& nom)
{
    const QString dossier = qEnvironmentVariable("ZB_SHOTS_DIR", QDir::tempPath());
    QDir().mkpath(dossier);
    return QDir(dossier).filePath(nom);
}

Reglages tableDeTest()
{
    Reglages r;
    r.taille = TailleTable;
    r.automatique = false;
    return r;
}

// The options dialog open in the table, whose window is active as it is
// for a person at the keyboard; null when the window never became active.
OptionsPartie* optionsDansLaTable(TableDeScene& t)
{
    t.vue->show();
    t.vue->activateWindow();
    if (!QTest::qWaitForWindowActive(t.vue.get()))
        return nullptr;
    auto* o = t.scene->addDialog<OptionsPartie>(ZDialogue, PlacementTable, ModeEncart, nullptr);
    o->setOptions(OptionsDePartie(TypeDePartie::GenreJass), OptionsAffichage());
    t.scene->dialogues().constLast()->show();
    o->show();
    return o;
}

// Shows one dialog in the table, checks that its content fits where the
// table puts it, and keeps a picture.
template <typename T>
void montreDansLaTable(const QString& nom, const std::function<void(T&)>& prepare = {})
{
    TableDeScene t(tableDeTest());
    T* dialogue = t.scene->addDialog<T>(ZDialogue, PlacementTable, ModeEncart, nullptr);
    QVERIFY(dialogue != nullptr);
    if (prepare)
        prepare(*dialogue);
    dialogue->show();
    QCoreApplication::processEvents();
    QGraphicsProxyWidget* proxy = t.scene->dialogues().constLast();
    QVERIFY(proxy->isVisible());
    const QSize place = dialogue->size();
    const QSize minimum = dialogue->minimumSizeHint();
    QVERIFY2(minimum.width() <= place.width() && minimum.height() <= place.height(),
             qPrintable(QStringLiteral("%1 needs %2x%3 but gets %4x%5")
                            .arg(nom)
                            .arg(minimum.width())
                            .arg(minimum.height())
                            .arg(place.width())
                            .arg(place.height())));
    // A number or a date box shows its text whole, clear of its arrows.
    for (const QAbstractSpinBox* boite : dialogue->template findChildren<QAbstractSpinBox*>()) {
        const QLineEdit* champ = boite->findChild<QLineEdit*>();
        if (!boite->isVisible() || champ == nullptr)
            continue;
        const QFontMetrics fm = champ->fontMetrics();
        QVERIFY2(champ->width() >= fm.horizontalAdvance(champ->text()) + fm.horizontalAdvance(QLatin1Char('0')),
                 qPrintable(QStringLiteral("%1: '%2' in %3 px").arg(boite->objectName(), champ->text()).arg(champ->width())));
    }
    const QImage image = t.image();
    QVERIFY(!image.isNull());
    QVERIFY(image.save(cheminImage(nom + QStringLiteral(".png"))));
}

} // namespace

class TestDialogsInScene : public QObject
{
    Q_OBJECT

private slots:
    void optionsTabs_data()
    {
        QTest::addColumn<int>("onglet");
        for (int i = 0; i < 5; ++i)
            QTest::addRow("tab %d", i) << i;
    }
    void optionsTabs()
    {
        QFETCH(int, onglet);
        montreDansLaTable<OptionsPartie>(QStringLiteral("options-tab%1").arg(onglet), [onglet](OptionsPartie& d) {
            OptionsDePartie p(TypeDePartie::GenreJass);
            p.idPreset_ = TypeDePartie::ID_PERSONALISE;
            OptionsAffichage a;
            a.fontSize_ = 7.0;
            d.setOptions(p, a);
            d.getOnglets()->setCurrentIndex(onglet);
        });
    }

    void everyDialogFitsTheTable()
    {
        montreDansLaTable<ZB_About>(QStringLiteral("about"));
        montreDansLaTable<FormTutorialEnter>(QStringLiteral("tutorial"));
        montreDansLaTable<FormDebugOptions>(QStringLiteral("debug-options"));
        montreDansLaTable<FormBugQuestionnaire>(QStringLiteral("bug-questionnaire"), [](FormBugQuestionnaire& f) {
            f.setNoteContact(QStringLiteral("Si vous souhaitez plus d'assistance, n'hésitez pas à contacter notre<br>"
                                            "<a href=\"mailto:support@zubrik.invalid\"><span style=\"text-decoration: "
                                            "underline; color:#0000ff;\">support@zubrik.invalid</span></a>"));
            f.getQuoi()->setPlainText(QStringLiteral("Le roi de pique a disparu de ma main."));
        });
        montreDansLaTable<ZB_ClientDialogIp>(QStringLiteral("client-ip"));
        montreDansLaTable<ZB_ClientConnection>(QStringLiteral("client-connection"), [](ZB_ClientConnection& c) {
            c.setSecondesAttente(30);
            c.setEtat(ZB_StatutConnexionA::AttentePublique);
        });
    }

    void serverViewInTheTable()
    {
        TableDeScene t(tableDeTest());
        auto* vue = t.scene->addDialog<ServerView>(ZDialogue, PlacementTable, ModeEncart, nullptr, nullptr, nullptr);
        vue->cb_log(QStringLiteral("INFO"), QStringLiteral("Serveur prêt sur les ports 4001, 4002 et 4000"));
        vue->show();
        QCoreApplication::processEvents();
        QVERIFY(vue->minimumSizeHint().height() <= vue->height());
        QVERIFY(t.image().save(cheminImage(QStringLiteral("server-view.png"))));
    }

    // The small forms take their content's size, centred where the table
    // puts its dialogs, at any table size: the table stays in view around
    // them, and nothing of them is cut.
    void smallFormsTakeTheirContentSize_data()
    {
        QTest::addColumn<QString>("forme");
        QTest::addColumn<QSize>("table");
        for (const char* forme : {"tutorial", "debug-options"})
            for (const QSize& taille : {QSize(800, 600), QSize(1280, 800), QSize(1920, 1080)})
                QTest::addRow("%s, %dx%d", forme, taille.width(), taille.height())
                    << QString::fromLatin1(forme) << taille;
    }
    void smallFormsTakeTheirContentSize()
    {
        QFETCH(QString, forme);
        QFETCH(QSize, table);
        Reglages r = tableDeTest();
        r.taille = table;
        TableDeScene t(r);
        GM_WidgetAuto* d = nullptr;
        if (forme == QLatin1String("tutorial"))
            d = t.scene->addDialog<FormTutorialEnter>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        else
            d = t.scene->addDialog<FormDebugOptions>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        d->show();
        t.scene->dialogues().constLast()->show();
        QCoreApplication::processEvents();
        const QRect zone = t.scene->zoneTable().toAlignedRect();
        const QRect place = d->geometry();
        const auto decrit = [&] {
            return QStringLiteral("%1 at %2,%3 %4x%5 in a table of %6x%7")
                .arg(forme)
                .arg(place.x())
                .arg(place.y())
                .arg(place.width())
                .arg(place.height())
                .arg(zone.width())
                .arg(zone.height());
        };
        QVERIFY2(zone.contains(place), qPrintable(decrit()));
        const QSize minimum = d->minimumSizeHint();
        QVERIFY2(minimum.width() <= place.width() && minimum.height() <= place.height(), qPrintable(decrit()));
        if (d->hasHeightForWidth())
            QVERIFY2(d->heightForWidth(place.width()) <= place.height(), qPrintable(decrit()));
        // The inset the table gives a dialog is over half the table.
        QVERIFY2(double(place.width()) * place.height() <= 0.4 * zone.width() * zone.height(), qPrintable(decrit()));
        QVERIFY2(std::abs(place.center().x() - zone.center().x()) <= 2
                     && std::abs(place.center().y() - zone.center().y()) <= 3,
                 qPrintable(decrit()));
        QVERIFY(t.image().save(cheminImage(QStringLiteral("%1-%2x%3.png").arg(forme).arg(table.width()).arg(table.height()))));
    }

    // The tutorial's buttons answer the scene's request; only OK carries the
    // user's choice.
    void tutorialAnswersTheRequest_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("choix");
        QTest::addColumn<bool>("caseCochee");
        QTest::newRow("ok, knows the game") << true << int(FormTutorialEnter::ConnaitLeJeu) << false;
        QTest::newRow("ok, beginner, never again") << true << int(FormTutorialEnter::Debutant) << true;
        QTest::newRow("ok, rules first") << true << int(FormTutorialEnter::ExpliqueRegles) << false;
        QTest::newRow("skip") << false << int(FormTutorialEnter::Debutant) << true;
    }
    void tutorialAnswersTheRequest()
    {
        QFETCH(bool, ok);
        QFETCH(int, choix);
        QFETCH(bool, caseCochee);
        TableDeScene t(tableDeTest());
        auto* f = t.scene->addDialog<FormTutorialEnter>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        quint32 idCourant = 41;
        f->setSourceEventId([&] { return idCourant; });
        connect(f, &FormTutorialEnter::signalTutorialClosed, t.scene, &DisplayGLScene::OnTutorialClosed);
        QSignalSpy fermetures(f, &FormTutorialEnter::signalTutorialClosed);
        QSignalSpy reponses(f, &FormTutorialEnter::signalTutorialAnswer);
        f->show();
        f->getButtonGroup()->button(choix)->click();
        f->getCheckBox()->setChecked(caseCochee);
        idCourant = 42;
        (ok ? f->getBoutonOk() : f->getBoutonPasser())->click();
        QVERIFY(!f->isVisible());
        QCOMPARE(fermetures.size(), 1);
        QCOMPARE(fermetures.at(0).at(0).value<quint32>(), 42u);
        QCOMPARE(fermetures.at(0).at(1).toBool(), ok);
        QCOMPARE(reponses.size(), ok ? 1 : 0);
        if (ok) {
            QCOMPARE(reponses.at(0).at(0).toInt(), choix);
            QCOMPARE(reponses.at(0).at(1).toBool(), caseCochee);
        }
    }

    // Return and Esc answer the form in front as a dialog window's keys
    // would, and no key reaches the table behind it.
    void keysAnswerTheFormInFront_data()
    {
        QTest::addColumn<QString>("forme");
        QTest::addColumn<QList<int>>("touches");
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<QByteArray>("absent");
        QTest::addColumn<bool>("resteVisible");
        const QList<int> retour{Qt::Key_Return};
        const QList<int> echap{Qt::Key_Escape};
        QTest::newRow("welcome, Return: the choice made")
            << "tutorial" << retour << QByteArray(SIGNAL(signalTutorialAnswer(int, bool))) << QByteArray() << false;
        QTest::newRow("welcome, Enter") << "tutorial" << QList<int>{Qt::Key_Enter}
                                        << QByteArray(SIGNAL(signalTutorialAnswer(int, bool))) << QByteArray()
                                        << false;
        QTest::newRow("welcome, Esc: skipped")
            << "tutorial" << echap << QByteArray(SIGNAL(signalTutorialClosed(quint32, bool)))
            << QByteArray(SIGNAL(signalTutorialAnswer(int, bool))) << false;
        QTest::newRow("welcome, the arrows move between the choices")
            << "tutorial" << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}
            << QByteArray(SIGNAL(signalTutorialAnswer(int, bool))) << QByteArray() << false;
        QTest::newRow("welcome, another key") << "tutorial" << QList<int>{Qt::Key_A} << QByteArray()
                                              << QByteArray(SIGNAL(signalTutorialClosed(quint32, bool))) << true;
        QTest::newRow("options, Return") << "options" << retour
                                         << QByteArray(SIGNAL(signalOptionsAccepted(OptionsDePartie, OptionsAffichage)))
                                         << QByteArray(SIGNAL(signalOptionsRejected())) << false;
        QTest::newRow("options, Esc") << "options" << echap << QByteArray(SIGNAL(signalOptionsRejected()))
                                      << QByteArray(SIGNAL(signalOptionsAccepted(OptionsDePartie, OptionsAffichage)))
                                      << false;
        QTest::newRow("about, Esc") << "about" << echap << QByteArray(SIGNAL(signalClosed())) << QByteArray() << false;
        QTest::newRow("join, Return without a port: the port is asked again")
            << "client-ip" << retour << QByteArray() << QByteArray(SIGNAL(accepted(QString, quint16))) << true;
        QTest::newRow("join, Esc") << "client-ip" << echap << QByteArray(SIGNAL(rejected())) << QByteArray() << false;
        QTest::newRow("bug questionnaire, Return: sent")
            << "bug-questionnaire" << retour << QByteArray(SIGNAL(signalReponses(QString)))
            << QByteArray(SIGNAL(signalAnnule())) << false;
        QTest::newRow("bug questionnaire, Esc") << "bug-questionnaire" << echap << QByteArray(SIGNAL(signalAnnule()))
                                                << QByteArray(SIGNAL(signalReponses(QString))) << false;
        QTest::newRow("debug options, Esc") << "debug-options" << echap << QByteArray() << QByteArray() << false;
        QTest::newRow("connection under way, Esc: cancelled")
            << "connection-running" << echap << QByteArray() << QByteArray() << true;
        QTest::newRow("connection over, Esc: closed")
            << "connection-over" << echap << QByteArray() << QByteArray() << false;
    }
    void keysAnswerTheFormInFront()
    {
        QFETCH(QString, forme);
        QFETCH(QList<int>, touches);
        QFETCH(QByteArray, signal);
        QFETCH(QByteArray, absent);
        QFETCH(bool, resteVisible);
        TableDeScene t(tableDeTest());
        DisplayGLScene& s = *t.scene;
        GM_WidgetAuto* d = nullptr;
        int annulations = 0;
        if (forme == QLatin1String("tutorial")) {
            auto* f = s.addDialog<FormTutorialEnter>(ZDialogue, PlacementTable, ModeEncart, nullptr);
            s.setTutorialForm(f);
            if (touches.size() == 1)
                f->getButtonGroup()->button(FormTutorialEnter::Debutant)->click();
            d = f;
        } else if (forme == QLatin1String("options")) {
            auto* o = s.addDialog<OptionsPartie>(ZDialogue, PlacementTable, ModeEncart, nullptr);
            o->setOptions(OptionsDePartie(TypeDePartie::GenreJass), OptionsAffichage());
            d = o;
        } else if (forme == QLatin1String("about")) {
            d = s.addDialog<ZB_About>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        } else if (forme == QLatin1String("client-ip")) {
            d = s.addDialog<ZB_ClientDialogIp>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        } else if (forme == QLatin1String("bug-questionnaire")) {
            d = s.addDialog<FormBugQuestionnaire>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        } else if (forme == QLatin1String("debug-options")) {
            d = s.addDialog<FormDebugOptions>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        } else {
            auto* c = s.addDialog<ZB_ClientConnection>(ZDialogue, PlacementTable, ModeEncart, nullptr);
            c->surAnnulation([&annulations] { ++annulations; });
            c->setEtat(forme == QLatin1String("connection-running") ? ZB_StatutConnexionA::AttentePublique
                                                                   : ZB_StatutConnexionA::AutreErreur);
            d = c;
        }
        s.dialogues().constLast()->show();
        d->show();
        // The main window gives a dialog it opens the keyboard; the scene
        // gives it to the welcome in front at the first key.
        if (forme != QLatin1String("tutorial"))
            d->setFocus(Qt::OtherFocusReason);
        std::unique_ptr<QSignalSpy> attendu(signal.isEmpty() ? nullptr : new QSignalSpy(d, signal.constData()));
        std::unique_ptr<QSignalSpy> interdit(absent.isEmpty() ? nullptr : new QSignalSpy(d, absent.constData()));
        QSignalSpy aide(s.boutonAide(), &QPushButton::clicked);
        for (int touche : touches) {
            QKeyEvent appui(QEvent::KeyPress, touche, touche == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QKeyEvent relache(QEvent::KeyRelease, touche, appui.modifiers());
            QCoreApplication::sendEvent(&s, &appui);
            QCoreApplication::sendEvent(&s, &relache);
        }
        QCoreApplication::processEvents();
        if (forme == QLatin1String("connection-running"))
            QCOMPARE(annulations, 1);
        else if (attendu)
            QCOMPARE(attendu->size(), 1);
        if (interdit)
            QCOMPARE(interdit->size(), 0);
        QCOMPARE(d->isVisible(), resteVisible);
        QCOMPARE(aide.count(), 0);
        // The welcome answers with the choice the user checked, by the mouse
        // or by the arrows.
        if (signal.contains("signalTutorialAnswer"))
            QCOMPARE(attendu->at(0).at(0).toInt(),
                     int(touches.size() == 1 ? FormTutorialEnter::Debutant : FormTutorialEnter::ExpliqueRegles));
    }

    // Tab walks the welcome as it walks a dialog window: the checked
    // choice, "do not show again", Skip, OK and round again; Shift+Tab
    // back. The keys come to the table's view, as a person's do.
    void tabWalksTheWelcome_data()
    {
        QTest::addColumn<bool>("enArriere");
        QTest::newRow("Tab") << false;
        QTest::newRow("Shift+Tab") << true;
    }
    void tabWalksTheWelcome()
    {
        QFETCH(bool, enArriere);
        TableDeScene t(tableDeTest());
        auto* f = t.scene->addDialog<FormTutorialEnter>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        t.scene->setTutorialForm(f);
        t.vue->show();
        t.vue->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.vue.get()));
        t.scene->dialogues().constLast()->show();
        f->show();
        f->getButtonGroup()->button(FormTutorialEnter::Debutant)->click();
        f->getButtonGroup()->button(FormTutorialEnter::Debutant)->setFocus(Qt::OtherFocusReason);
        QList<QWidget*> tour{f->getCheckBox(), f->getBoutonPasser(), f->getBoutonOk(),
                             f->getButtonGroup()->button(FormTutorialEnter::Debutant)};
        if (enArriere)
            tour = {f->getBoutonOk(), f->getBoutonPasser(), f->getCheckBox(),
                    f->getButtonGroup()->button(FormTutorialEnter::Debutant)};
        QStringList vus;
        for (QWidget* attendu : std::as_const(tour)) {
            QTest::keyClick(t.vue.get(), enArriere ? Qt::Key_Backtab : Qt::Key_Tab,
                            enArriere ? Qt::ShiftModifier : Qt::NoModifier);
            QWidget* focus = f->focusWidget();
            vus << (focus ? focus->objectName() : QStringLiteral("none"));
            QVERIFY2(focus == attendu && f->isVisible(), qPrintable(vus.join(QLatin1String(", "))));
        }
        // The check stayed where the user put it.
        QCOMPARE(f->choix(), int(FormTutorialEnter::Debutant));
    }

    // Tab walks every page of the options dialog from control to control:
    // no Tab stop lands on a page's scroll area, its viewport or any other
    // widget that cannot show it has the keyboard, however much of the page
    // the table's size lets show.
    void tabStopsOnControlsOnly_data()
    {
        QTest::addColumn<QSize>("taille");
        QTest::newRow("800 x 600") << QSize(800, 600);
        QTest::newRow("1920 x 1080") << QSize(1920, 1080);
    }
    void tabStopsOnControlsOnly()
    {
        QFETCH(QSize, taille);
        Reglages r = tableDeTest();
        r.taille = taille;
        TableDeScene t(r);
        DisplayGLScene& s = *t.scene;
        OptionsPartie* o = optionsDansLaTable(t);
        QVERIFY(o);
        auto* onglets = o->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        QVERIFY(onglets);
        const auto estControle = [](const QWidget* w) {
            return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
                || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w)
                || qobject_cast<const QTabBar*>(w) || qobject_cast<const QAbstractSlider*>(w);
        };
        for (int page = 0; page < onglets->count(); ++page) {
            onglets->setCurrentIndex(page);
            onglets->tabBar()->setFocus(Qt::TabFocusReason);
            QStringList vus;
            for (int i = 0; i < 80; ++i) {
                QKeyEvent appui(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QCoreApplication::sendEvent(&s, &appui);
                QWidget* focus = o->focusWidget();
                vus << (focus ? QString::fromLatin1(focus->metaObject()->className()) + QLatin1Char(':')
                                    + focus->objectName()
                              : QStringLiteral("none"));
                QVERIFY2(focus && estControle(focus), qPrintable(QStringLiteral("page %1: ").arg(page)
                                                                  + vus.join(QLatin1String(", "))));
                if (focus == onglets->tabBar())
                    break;
            }
        }
    }

    // In the table, the arrows move between a group's choices and check the
    // one they reach, by where the choices stand: a tournament of the custom
    // type is chosen with the keyboard alone.
    void arrowsChooseInTheOptions()
    {
        TableDeScene t(tableDeTest());
        DisplayGLScene& s = *t.scene;
        // As in the window: the table has the keyboard.
        OptionsPartie* o = optionsDansLaTable(t);
        QVERIFY(o);
        QSignalSpy accepte(o, &OptionsPartie::signalOptionsAccepted);
        auto touches = [&s](const QList<int>& liste) {
            for (int touche : liste) {
                QKeyEvent appui(QEvent::KeyPress, touche, Qt::NoModifier);
                QKeyEvent relache(QEvent::KeyRelease, touche, Qt::NoModifier);
                QCoreApplication::sendEvent(&s, &appui);
                QCoreApplication::sendEvent(&s, &relache);
            }
        };
        // The presets stand in two columns: "Custom" is the second column's
        // third.
        o->findChild<QAbstractButton*>(QStringLiteral("radioButtonPreset0"))->setFocus(Qt::TabFocusReason);
        touches({Qt::Key_Right, Qt::Key_Down, Qt::Key_Down});
        QVERIFY(o->findChild<QAbstractButton*>(QStringLiteral("radioButtonPreset5"))->isChecked());
        // The last of the row; a further arrow that way changes nothing.
        o->findChild<QAbstractButton*>(QStringLiteral("radioButtonStandard"))->setFocus(Qt::TabFocusReason);
        touches({Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return});
        QCOMPARE(accepte.count(), 1);
        const auto options = accepte.first().at(0).value<OptionsDePartie>();
        QCOMPARE(options.idPreset_, int(TypeDePartie::ID_PERSONALISE));
        QCOMPARE(options.modeDeJeu_, int(OptionsDePartie::ModeTournoi));
        QCOMPARE(options.typeDePartie_.atoutAutomatique_, 1);
    }

    // The bug button's long press opens the debug options, whose switch
    // changes the scene's display mode.
    void debugOptionsSwitchTheDisplayMode()
    {
        TableDeScene t(tableDeTest());
        auto* debug = t.scene->addDialog<FormDebugOptions>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        auto* questionnaire = t.scene->addDialog<FormBugQuestionnaire>(ZDialogue, PlacementTable, ModeEncart, nullptr);
        t.scene->setFenetresBug(debug, questionnaire);
        connect(debug, &FormDebugOptions::signalChangeDisplayMode, t.scene, &DisplayGLScene::OnChangeDisplayMode);
        qint64 maintenant = 0;
        t.scene->setHorlogeBug([&] { return maintenant; });
        emit t.scene->boutonBug()->pressed();
        maintenant += DisplayGLScene::DUREE_APPUI_CAPTURE_MS + 1000;
        emit t.scene->boutonBug()->clicked();
        QVERIFY(debug->isVisible());
        const auto avant = t.scene->lignesArdoise()[0]->cacheMode();
        debug->getBoutonModeAffichage()->click();
        QVERIFY(!debug->isVisible());
        QVERIFY(t.scene->lignesArdoise()[0]->cacheMode() != avant);
    }

    // The questionnaire's answers, as the report gets them; a reset leaves
    // nothing of the last report.
    void bugAnswersGoToTheReport()
    {
        FormBugQuestionnaire f;
        f.getCategorie()->setCurrentIndex(FormBugQuestionnaire::Affichage);
        f.getQuoi()->setPlainText(QStringLiteral("Les cartes <clignotent> & disparaissent\nparfois"));
        f.getAttendu()->setPlainText(QString(FormBugQuestionnaire::REPONSE_LONGUEUR_MAX + 50, QLatin1Char('x')));
        f.getReproductible()->setChecked(true);
        QCOMPARE(f.getAttendu()->toPlainText().size(), FormBugQuestionnaire::REPONSE_LONGUEUR_MAX);
        QSignalSpy envois(&f, &FormBugQuestionnaire::signalReponses);
        f.show();
        f.getBoutonEnvoyer()->click();
        QCOMPARE(envois.size(), 1);
        const QString reponses = envois.at(0).at(0).toString();
        QVERIFY(reponses.contains(QStringLiteral("Les cartes <clignotent> & disparaissent\nparfois")));
        QVERIFY(reponses.contains(QStringLiteral("Reproducible: yes")));
        QVERIFY(reponses.contains(f.getCategorie()->currentText()));
        QVERIFY(!f.isVisible());
        f.reset();
        QVERIFY(f.getQuoi()->toPlainText().isEmpty());
        QVERIFY(f.getAttendu()->toPlainText().isEmpty());
        QVERIFY(!f.getReproductible()->isChecked());
        QCOMPARE(f.getCategorie()->currentIndex(), 0);
    }

    // The about box names the version and every embedded font and library.
    void aboutNamesVersionAndLicences()
    {
        const QString avant = QCoreApplication::applicationVersion();
        QCoreApplication::setApplicationVersion(QStringLiteral("3.2.1"));
        ZB_About about;
        QCoreApplication::setApplicationVersion(avant);
        QVERIFY(about.getLabelVersion()->text().contains(QStringLiteral("3.2.1")));
        const QString licences = about.getLicences()->toPlainText();
        for (const char* nom : {"Qt", "QuaZip", "zlib", "DejaVu", "Comic Neue", "SIL Open Font License", "LGPL"})
            QVERIFY2(licences.contains(QLatin1String(nom)), nom);
    }
};

ZB_REGISTER_TEST(TestDialogsInScene)
#include "TestDialogsInScene.moc"
