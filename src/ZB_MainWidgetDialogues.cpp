// The main window's dialogs and themes: the in-scene dialogs made once at
// start and opened from the menus, the bug button's windows, the tutorial
// at first start, and the theme switch with its menu.
//
// Rules:
// - Each dialog is made once, placed in the scene, and owned by it; the
//   main window keeps guarded pointers only.
// - Accepted options are saved, both records or neither, before they are
//   applied; options the store refuses (or cannot keep) are reported and
//   not applied, so that the table never runs on what the next start would
//   not find.
// - The theme chosen is kept in the settings' "AppStyle" group; a first
//   start, and a stored value that names no theme, have Wood, and nothing
//   read from the store can fail the start.
// - An unattended run neither shows the tutorial nor installs a theme, so
//   that it looks and plays the same on every machine.
#include "ZB_MainWidget.h"

#include "AppStyleSwitch.h"
#include "DisplayGL.h"
#include "DisplayGLScene.h"
#include "DisplayGLSceneDialog.h"
#include "FormBugQuestionnaire.h"
#include "FormDebugOptions.h"
#include "FormTutorialEnter.h"
#include "OptionsPartie.h"
#include "ServerView.h"
#include "TableClient.h"
#include "ZB_About.h"
#include "ZB_BugReport.h"
#include "ZB_ClientConnection.h"
#include "ZB_ClientDialogIp.h"
#include "ZB_SettingsStore.h"
#include "ZB_TraceLog.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsProxyWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTimer>
#include <QWidget>

namespace {

// The in-scene dialogs: above the score animations, below the message
// boxes (an error about a dialog's answer shows over it); the bug button's
// windows above the other dialogs.
constexpr double Z_DIALOGUES = (DisplayGLScene::Z_ANIMATIONS + DisplayGLScene::Z_BOITE) / 2.0;
constexpr double Z_FENETRES_BUG = (Z_DIALOGUES + DisplayGLScene::Z_BOITE) / 2.0;
// Inset in the table, not in the right strip: the scene widens the strip's
// dialogs to the whole strip (the whole view in the narrow layout) whatever
// their inset, which pushed their buttons out of the window.
constexpr int PLACEMENT_TABLE = 0;
constexpr int MODE_INCRUSTE = 1;
constexpr const char* CLE_STYLE = "theme";
constexpr const char* CLE_OPTIONS_PARTIE = "/options";
constexpr const char* ADRESSE_SUPPORT = "support@zubrik.invalid";
constexpr double POURCENT_POLICE = 100.0;

struct StyleDuMenu
{
    int style;
    const char* nom;
    const char* texte;
};
constexpr StyleDuMenu STYLES[] = {
    {AppStyleSwitch::WOOD, "style_bois", QT_TRANSLATE_NOOP("ZB_MainWidget", "&Bois")},
    {AppStyleSwitch::ALIEN, "style_alien", QT_TRANSLATE_NOOP("ZB_MainWidget", "&Alien")},
    {AppStyleSwitch::RACING, "style_course", QT_TRANSLATE_NOOP("ZB_MainWidget", "&Course")},
    {AppStyleSwitch::CANDY, "style_bonbon", QT_TRANSLATE_NOOP("ZB_MainWidget", "Bo&nbon")},
    {AppStyleSwitch::NATURE, "style_nature", QT_TRANSLATE_NOOP("ZB_MainWidget", "Na&ture")}};

QString cleStyle()
{
    return QLatin1String(ZB_SettingsStore::GROUPE_STYLE_APPLICATION) + QLatin1Char('/') + QLatin1String(CLE_STYLE);
}

// The scene shows the bug questionnaire after its picture of the table: each
// showing starts a new report, with nothing of the last one's answers.
class RemiseAZeroQuestionnaire : public QObject
{
public:
    explicit RemiseAZeroQuestionnaire(FormBugQuestionnaire* questionnaire)
        : QObject(questionnaire)
        , questionnaire_(questionnaire)
    {
        questionnaire->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objet, QEvent* event) override
    {
        if (objet == questionnaire_ && event->type() == QEvent::Show) {
            questionnaire_->reset();
            questionnaire_->setNoteContact(ZB_MainWidget::noteSupport());
        }
        return QObject::eventFilter(objet, event);
    }

private:
    FormBugQuestionnaire* questionnaire_;
};

} // namespace

OptionsPartie* ZB_MainWidget::dialogueOptions() const
{
    return dialogueOptions_.data();
}

ZB_About* ZB_MainWidget::dialogueAPropos() const
{
    return dialogueAPropos_.data();
}

FormTutorialEnter* ZB_MainWidget::formulaireTutoriel() const
{
    return formulaireTutoriel_.data();
}

FormDebugOptions* ZB_MainWidget::formulaireDebug() const
{
    return formulaireDebug_.data();
}

FormBugQuestionnaire* ZB_MainWidget::questionnaireBug() const
{
    return questionnaireBug_.data();
}

ServerView* ZB_MainWidget::vueServeur() const
{
    return vueServeur_.data();
}

ZB_ClientConnection* ZB_MainWidget::fenetreConnexion() const
{
    return fenetreConnexion_.data();
}

ZB_ClientDialogIp* ZB_MainWidget::dialogueIp() const
{
    return dialogueIp_.data();
}

QString ZB_MainWidget::noteSupport()
{
    return tr("Si vous souhaitez plus d'assistance, n'hésitez pas à contacter notre") + QStringLiteral("<br>")
         + QStringLiteral("<a href=\"mailto:%1\"><span style=\"text-decoration: underline; color:#0000ff;\">%1"
                          "</span></a>")
               .arg(QLatin1String(ADRESSE_SUPPORT));
}

void ZB_MainWidget::construitDialogues_()
{
    DisplayGLScene* scene = vue_->scene();

    dialogueOptions_ = scene->addDialog<OptionsPartie>(Z_DIALOGUES, PLACEMENT_TABLE, MODE_INCRUSTE, nullptr);
    connect(dialogueOptions_.data(), &OptionsPartie::signalOptionsAccepted, this, &ZB_MainWidget::OnOptionsAccepted);

    dialogueAPropos_ = scene->addDialog<ZB_About>(Z_DIALOGUES, PLACEMENT_TABLE, MODE_INCRUSTE, nullptr);

    fenetreConnexion_ = scene->addDialog<ZB_ClientConnection>(Z_DIALOGUES, PLACEMENT_TABLE, MODE_INCRUSTE, nullptr);
    vueServeur_ = scene->addDialog<ServerView>(Z_DIALOGUES, PLACEMENT_TABLE, MODE_INCRUSTE, nullptr,
                                               salle_->getServer(), salle_.get());
    salle_->setFenetreConnexion(fenetreConnexion_);
    salle_->setServerView(vueServeur_);
    if (vueServeur_) {
        connect(vueServeur_.data(), &ServerView::signalServeurArrete, this, &ZB_MainWidget::OnServeurArrete);
        connect(vueServeur_.data(), &ServerView::signalNomDeJeu, this, [this](const QString& nom) { gardeNomDeJeu_(nom); });
        // Stopping the game everybody plays asks first, as leaving it does.
        connect(vueServeur_.data(), &ServerView::signalArretDemande, this,
                [this] { salle_->askStopServer(this, SLOT(OnArretServeur_Reponse(int))); });
    }

    auto* tutoriel = scene->addDialog<FormTutorialEnter>(Z_DIALOGUES, PLACEMENT_TABLE, MODE_INCRUSTE, nullptr);
    formulaireTutoriel_ = tutoriel;
    if (tutoriel != nullptr) {
        scene->setTutorialForm(tutoriel);
        tutoriel->setSourceEventId([scene] { return quint32(scene->tutorialEventId()); });
        connect(tutoriel, &FormTutorialEnter::signalTutorialClosed, scene, &DisplayGLScene::OnTutorialClosed);
        connect(tutoriel, &FormTutorialEnter::signalTutorialAnswer, this, &ZB_MainWidget::OnTutorialAnswer);
    }

    formulaireDebug_ = scene->addDialog<FormDebugOptions>(Z_FENETRES_BUG, PLACEMENT_TABLE, MODE_INCRUSTE, nullptr);
    questionnaireBug_ =
        scene->addDialog<FormBugQuestionnaire>(Z_FENETRES_BUG, PLACEMENT_TABLE, MODE_INCRUSTE, nullptr);
    scene->setFenetresBug(formulaireDebug_, questionnaireBug_);
    connect(formulaireDebug_.data(), &FormDebugOptions::signalChangeDisplayMode, scene,
            &DisplayGLScene::OnChangeDisplayMode);
    connect(formulaireDebug_.data(), &FormDebugOptions::signalTestMessages, this, [this] {
        if (DisplayGL* v = vue())
            v->testeMessagesReseau();
    });
    questionnaireBug_->setNoteContact(noteSupport());
    new RemiseAZeroQuestionnaire(questionnaireBug_);
    // The answers go into a report with the game record and the sockets'
    // errors, as the menu's bug report.
    connect(questionnaireBug_.data(), &FormBugQuestionnaire::signalReponses, this, &ZB_MainWidget::OnBug);
    // A report given up leaves nothing behind: the picture taken for it goes.
    connect(questionnaireBug_.data(), &FormBugQuestionnaire::signalAnnule, this, [scene] {
        const QString image = scene->dernierFichierCapture();
        if (QFileInfo(image).fileName() == QLatin1String(ZB_BugReport::NOM_CAPTURE))
            QFile::remove(image);
    });

    if (barreMenus_ != nullptr)
        construitMenusDialogues_();
    // The right panel's buttons are reached through the settings panel's
    // tab, which the scene keeps hidden until someone shows it.
    if (barreMenus_ != nullptr && !demarrage_.automatique)
        scene->dialogueReglages()->show();

    restaureStyle_();

    // The welcome comes once the first game is on the table: the scene shows
    // it when the box queue reaches it.
    // The first deal waits for the answer.
    if (settings_ && !demarrage_.screenshotMode && !ZB_SettingsStore(*settings_).tutorielTermine()) {
        scene->retiensPourAccueil();
        QTimer::singleShot(0, this, [this] { showTutorial(); });
    }
}

void ZB_MainWidget::construitMenusDialogues_()
{
    auto ajoute = [this](QMenu* m, const char* nom, const char* texte) {
        QAction* a = m->addAction(QString());
        a->setObjectName(QLatin1String(nom));
        textesMenus_.append({a, texte});
        return a;
    };
    // Each command goes in the menu of a command already there.
    auto menuDe = [this](const char* nom) {
        QAction* a = action(QLatin1String(nom));
        return a != nullptr ? qobject_cast<QMenu*>(a->parent()) : nullptr;
    };

    if (QMenu* options = menuDe("sons")) {
        options->addSeparator();
        connect(ajoute(options, "options", QT_TR_NOOP("&Options...")), &QAction::triggered, this,
                &ZB_MainWidget::OnOptions);
        QMenu* themes = options->addMenu(QString());
        textesMenus_.append({themes->menuAction(), QT_TR_NOOP("T&hème")});
        styles_ = new QActionGroup(themes);
        for (const StyleDuMenu& s : STYLES) {
            QAction* a = ajoute(themes, s.nom, s.texte);
            a->setCheckable(true);
            a->setData(s.style);
            styles_->addAction(a);
        }
        connect(styles_, &QActionGroup::triggered, this, &ZB_MainWidget::OnStyleChoisi);
    }
    if (QMenu* reseau = menuDe("heberger")) {
        reseau->addSeparator();
        QAction* evenements = ajoute(reseau, "evenements", QT_TR_NOOP("Fenêtre des &événements"));
        evenements->setCheckable(true);
        connect(evenements, &QAction::toggled, this, &ZB_MainWidget::OnFenetreEvenements);
    }
    if (QMenu* aide = menuDe("bug"))
        connect(ajoute(aide, "aPropos", QT_TR_NOOP("À &propos...")), &QAction::triggered, this,
                &ZB_MainWidget::OnAPropos);
}

void ZB_MainWidget::montreDialogue_(QWidget* dialogue)
{
    if (dialogue == nullptr)
        return;
    DisplayGLScene* scene = vue_->scene();
    scene->stopAnimationsAndCloseDialogs();
    scene->fermeDialogues();
    for (QGraphicsProxyWidget* proxy : scene->dialogues())
        if (proxy != nullptr && proxy->widget() == dialogue) {
            proxy->show();
            dialogue->show();
            dialogue->setFocus(Qt::OtherFocusReason);
        }
}

// --- Options.

void ZB_MainWidget::OnOptions()
{
    ZB_TRACE_SLOT(trace_());
    if (!dialogueOptions_)
        return;
    // The dialog shows the theme in force (an unattended run has none
    // installed: the record's then).
    OptionsAffichage affichage = optionsAffichage_;
    if (appStyle_ != SANS_THEME)
        affichage.appStyle_ = appStyle_;
    dialogueOptions_->setOptions(optionsPartie_, affichage);
    montreDialogue_(dialogueOptions_);
}

void ZB_MainWidget::OnOptionsAccepted(const OptionsDePartie& partie, const OptionsAffichage& choisies)
{
    ZB_TRACE_SLOT(trace_());
    const int theme = AppStyleSwitch::storedStyle(choisies.appStyle_);
    OptionsAffichage affichage = choisies;
    affichage.appStyle_ = theme;
    // Both records or neither: a display record refused puts the game
    // record saved just before back as it was.
    if (settings_) {
        const QString clePartie = QLatin1String(ZB_SettingsStore::GROUPE_PARTIE) + QLatin1String(CLE_OPTIONS_PARTIE);
        const QVariant anciennePartie = settings_->value(clePartie);
        ZB_SettingsStore store(*settings_);
        QString erreur;
        bool ecrit = store.ecritOptionsDePartie(partie, &erreur);
        if (ecrit && !store.ecritOptionsAffichage(affichage, &erreur)) {
            ecrit = false;
            if (anciennePartie.isValid())
                settings_->setValue(clePartie, anciennePartie);
            else
                settings_->remove(clePartie);
            settings_->sync();
        }
        if (!ecrit) {
            afficheErreur_(tr("Les options n'ont pas pu être enregistrées: %1").arg(erreur));
            return;
        }
    }
    // The new rules apply from the next game: the one on the table goes on.
    optionsPartie_ = partie;
    if (barreMenus_ != nullptr)
        for (QAction* a : barreMenus_->findChildren<QAction*>())
            if (a->objectName().startsWith(QLatin1String("type")))
                a->setChecked(a->data().toInt() == partie.idPreset_);
    setNouvellesOptions(affichage);
    if (theme != appStyle_)
        setAppStyle(theme);
}

void ZB_MainWidget::setNouvellesOptions(const OptionsAffichage& options)
{
    const OptionsAffichage ancien = optionsAffichage_;
    optionsAffichage_ = options;
    DisplayGLScene* scene = vue_->scene();
    scene->setOptionsAffichage(options);
    scene->setDisposition(options.useRightSpace_);
    if (options.cardStyle_ != ancien.cardStyle_ || options.quality_ != ancien.quality_)
        scene->OnChangeCardStyle();
    if (QAction* sons = action(QStringLiteral("sons"))) {
        const QSignalBlocker bloque(sons);
        sons->setChecked(options.sounds_);
    }
    if (options.language_ != ancien.language_)
        appliqueLangue_();
    if (!qFuzzyCompare(options.fontSize_, ancien.fontSize_))
        OnFontChange(options.fontSize_ * POURCENT_POLICE);
}

// --- Other dialogs and windows.

void ZB_MainWidget::OnAPropos()
{
    ZB_TRACE_SLOT(trace_());
    montreDialogue_(dialogueAPropos_);
}

void ZB_MainWidget::OnFenetreEvenements(bool afficher)
{
    ZB_TRACE_SLOT(trace_());
    if (salle_)
        salle_->setFenetreEvenements(afficher);
}

void ZB_MainWidget::OnTutorialAnswer(int choix, bool nePlusAfficher)
{
    // A newcomer's table explains each card the mouse rests on and lights
    // the advised one; a player who knows the game gets a plain table.
    OptionsAffichage options = optionsAffichage_;
    const bool aides = choix != FormTutorialEnter::ConnaitLeJeu;
    options.helpCard_ = aides;
    options.coloredCard_ = aides;
    if (settings_) {
        ZB_SettingsStore store(*settings_);
        store.setTutoriel(nePlusAfficher, choix);
        QString erreur;
        if ((options != optionsAffichage_ && !store.ecritOptionsAffichage(options, &erreur))
            || !store.synchronise(&erreur))
            qWarning().noquote() << "ZB_MainWidget: tutorial answer not saved:" << erreur;
    }
    if (options != optionsAffichage_)
        setNouvellesOptions(options);
    // The rules come before the first deal, with the link to the whole
    // rules.
    if (choix == FormTutorialEnter::ExpliqueRegles)
        vue_->scene()->afficheRegles();
}

// --- Themes.

void ZB_MainWidget::OnStyleChoisi(QAction* style)
{
    if (style == nullptr)
        return;
    setAppStyle(style->data().toInt());
    ecritStyle_();
}

void ZB_MainWidget::setAppStyle(const int& style)
{
    const AppStyleSwitch::Choice choix =
        AppStyleSwitch::apply(AppStyleSwitch::storedStyle(style), demarrage_.screenshotMode != 0);
    appStyle_ = choix.style;
    // The table's textures follow the display options' theme, read when it
    // is coloured: they take it first. The options dialog shows it.
    optionsAffichage_.appStyle_ = appStyle_;
    OptionsAffichage options = vue_->scene()->optionsAffichage();
    options.appStyle_ = appStyle_;
    vue_->scene()->setOptionsAffichage(options);
    vue_->appliqueCouleurs(choix.style, choix.palette);
    if (styles_ != nullptr)
        for (QAction* a : styles_->actions())
            a->setChecked(a->data().toInt() == appStyle_);
}

void ZB_MainWidget::restaureStyle_()
{
    if (!settings_)
        return;
    setAppStyle(AppStyleSwitch::storedStyle(settings_->value(cleStyle())));
}

void ZB_MainWidget::ecritStyle_()
{
    if (!settings_)
        return;
    settings_->setValue(cleStyle(), appStyle_);
    settings_->sync();
}

void ZB_MainWidget::OnSizeChanged()
{
    // Store pictures are taken at many sizes: the controls grow with the
    // view there, and only there.
    if (demarrage_.screenshotMode != 0)
        AppStyleSwitch::applyViewSize(vue_->rect().size());
}
