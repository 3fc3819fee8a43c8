#include "ZB_MainWidget.h"

#include "ClientSocket.h"
#include "DisplayGL.h"
#include "DisplayGLScene.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLWidget.h"
#include "EtatDeJeu.h"
#include "FormTutorialEnter.h"
#include "GM_Exception.h"
#include "GM_ExceptionEventCorrupted.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_ExceptionFileTooOld.h"
#include "GM_SharedFunctions.h"
#include "GM_ClientSocket.h"
#include "GM_ServerList.h"
#include "GM_SocketAbstract.h"
#include "GM_WidgetAuto.h"
#include "OptionsDuJoueur.h"
#include "ServerView.h"
#include "TableClient.h"
#include "TypeDePartie.h"
#include "ZB_Application.h"
#include "ZB_BugReport.h"
#include "ZB_ClientDialogIp.h"
#include "ZB_MultiServer.h"
#include "ZB_RoomTable.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "ZB_SettingsStore.h"
#include "ZB_TraceLog.h"
#include "ZB_Translator.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QGraphicsProxyWidget>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSizePolicy>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>

namespace {

constexpr const char* FILTRE_PARTIES =
    QT_TRANSLATE_NOOP("ZB_MainWidget", "Parties (*.jss *.jst);;Tous les fichiers (*)");
// The languages of the menu: their choice in the display options and the
// name of the menu action.
struct LangueDuMenu
{
    int choix;
    const char* code;
    const char* nom;
};
constexpr LangueDuMenu LANGUES[] = {
    {ZB_Translator::Automatique, "auto", QT_TRANSLATE_NOOP("ZB_MainWidget", "Automatique")},
    {ZB_Translator::Francais, "fr", "Français"},
    {ZB_Translator::Anglais, "en", "English"},
    {ZB_Translator::Allemand, "de", "Deutsch"}};
// The presets a player picks from: the local game types of both games.
constexpr int PRESETS_LOCAUX[] = {0, 1, 2, 3, 6, 8, 9, 10};
constexpr int STYLE_SANS_IMAGES = 9;
constexpr double POURCENT = 100.0;

} // namespace

ZB_MainWidget::ZB_MainWidget(const ZB_Settings& demarrage, const QString& dossierDonnees)
    : demarrage_(demarrage)
    , dossierDonnees_(ZB_SansSurveillance::prepareDossierDonnees(dossierDonnees))
{
    if (demarrage_.autotest)
        demarrage_.automatique = 1;
    const bool automatique = demarrage_.automatique != 0;

    // The settings store. An unattended run neither reads nor writes it, so
    // that it plays the same game on every machine.
    const int genre = demarrage_.belote != 0 ? TypeDePartie::GenreBelote : TypeDePartie::GenreJass;
    optionsPartie_ = OptionsDePartie(genre);
    if (!automatique) {
        settings_ = ZB_SettingsStore::ouvreStore();
        const ZB_SettingsStore store(*settings_);
        QString erreur;
        if (!store.litOptionsAffichage(optionsAffichage_, &erreur) && !erreur.isEmpty())
            qWarning().noquote() << "ZB_MainWidget: display options not read:" << erreur;
        OptionsDePartie lues = optionsPartie_;
        if (store.litOptionsDePartie(lues, &erreur) && lues.charge_ != 0)
            optionsPartie_ = lues;
    } else {
        optionsAffichage_.sounds_ = false;
        optionsAffichage_.cardStyle_ = STYLE_SANS_IMAGES;
    }

    // The language goes in before any widget is made: the dialogs built in
    // code take their texts once, when they are made, and would otherwise
    // stay French beside translated menus. A failure is told below.
    const bool traduit = !automatique || demarrage_.english;
    if (traduit) {
        traducteur_ = std::make_unique<ZB_Translator>();
        static_cast<void>(traducteur_->applique(optionsAffichage_.language_, demarrage_.english));
    }

    // The display: the engine holder, then the view with its scene.
    holder_ = QSharedPointer<DisplayGLWidget>::create(nullptr);
    panneauDroit_ = std::make_unique<QWidget>();
    creeNatif_();
    vue_ = std::make_unique<DisplayGL>(this, panneauDroit_.get(), automatique ? MODE_AFFICHAGE_ORDINATEUR : MODE_AFFICHAGE_NORMAL,
                                       this, holder_, optionsAffichage_, &demarrage_, natif());
    vue_->setWindowTitle(QStringLiteral("Zubrik %1 - Jass & Belote").arg(QCoreApplication::applicationVersion()));
    // The window comes back where the user left it, unless tiled for tests
    // or sized for store pictures; either way within the screen it is on.
    if (demarrage_.testTileNb == ZB_Settings::AUCUNE_TUILE && demarrage_.screenshotMode == 0 && !automatique)
        placeFenetre_(settings_ ? ZB_SettingsStore(*settings_).geometrie() : QByteArray());
    DisplayGLScene* scene = vue_->scene();
    setMessageBoxDisplayer(scene);
    if (ZB_Application* app = ZB_Application::instance())
        app->setMessageBoxDisplayer(scene);
    scene->setAutoAnswer(automatique);
    if (automatique && !demarrage_.autotest)
        scene->setFacteurDurees(FACTEUR_DUREES_AUTO);

    connect(vue_.get(), &DisplayGL::signalSizeChanged, this, &ZB_MainWidget::OnSizeChanged);
    connect(vue_.get(), &DisplayGL::signalSpecialKeyPressed, this, &ZB_MainWidget::OnSpecialKeyPressed);
    connect(vue_.get(), &DisplayGL::signalSwipeTriggered, this, &ZB_MainWidget::OnSwipeTriggered);
    connect(vue_.get(), &DisplayGL::signalFontChange, this, &ZB_MainWidget::OnFontChange);
    connect(vue_.get(), &DisplayGL::signalButtonConnectPressed, this, &ZB_MainWidget::OnButtonConnectPressed);
    connect(scene, &DisplayGLScene::signalBug, this, &ZB_MainWidget::OnBug);
    connect(scene, &DisplayGLScene::signalRightPanelVisibleChanged, this, &ZB_MainWidget::OnRightPanelVisibleChanged);
    connect(scene, &DisplayGLScene::signalAnnuler, this, &ZB_MainWidget::OnAnnuler);
    // The wide layout chosen in an earlier run holds from the start, not only
    // once the options dialog is accepted again.
    scene->setDisposition(optionsAffichage_.useRightSpace_);

    // In-scene dialogs come here, each once (addDialog): the options, the
    // about box, the tutorial and the lobby windows when they exist.
    dialogueIp_ = scene->addDialog<ZB_ClientDialogIp>(DisplayGLScene::Z_REGLAGES, 0, 1);
    connect(dialogueIp_.data(), &ZB_ClientDialogIp::accepted, this, &ZB_MainWidget::rejoint);

    if (!demarrage_.screenshotMode) {
        construitMenus_();
        construitPanneauDroit_();
    }
    construitSalle_();
    construitDialogues_();
    construitLobby_();

    // The language: the user's choice, English when the command line asks.
    // An unattended run keeps the texts as written unless told otherwise,
    // so that what it prints and shows is the same on every machine.
    if (traduit)
        appliqueLangue_();
    else
        retraduit_();
    if (ZB_TraceLog* trace = trace_())
        trace->log(QStringLiteral("Main window started in %1").arg(dossierDonnees_));
}

void ZB_MainWidget::placeFenetre_(const QByteArray& geometrie)
{
    QScreen* ecran = vue_->screen() ? vue_->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    bool maximisee = false;
    const QRect sauvee = ZB_SettingsStore::fenetreDansEcran(geometrie, QRect(), vue_->size());
    if (QScreen* autre = QGuiApplication::screenAt(sauvee.center()))
        ecran = autre;
    // The frame, when the window system has told it, takes its share of the
    // free area.
    const QRect cadre = vue_->frameGeometry();
    const QRect dedans = vue_->geometry();
    const QRect libre = ecran->availableGeometry().adjusted(dedans.left() - cadre.left(), dedans.top() - cadre.top(),
                                                             dedans.right() - cadre.right(),
                                                             dedans.bottom() - cadre.bottom());
    vue_->setGeometry(ZB_SettingsStore::fenetreDansEcran(geometrie, libre, vue_->size(), &maximisee));
    if (maximisee)
        vue_->setWindowState(vue_->windowState() | Qt::WindowMaximized);
}

ZB_MainWidget::~ZB_MainWidget()
{
    if (ZB_Application* app = ZB_Application::instance())
        app->setMessageBoxDisplayer(nullptr);
    setMessageBoxDisplayer(nullptr);
    gardePartieLocale_();
    if (settings_) {
        ZB_SettingsStore store(*settings_);
        if (vue_ && demarrage_.testTileNb == ZB_Settings::AUCUNE_TUILE && demarrage_.screenshotMode == 0)
            store.setGeometrie(vue_->saveGeometry());
        QString erreur;
        if (!store.ecritOptionsAffichage(optionsAffichage_, &erreur) || !store.ecritOptionsDePartie(optionsPartie_, &erreur)
            || !store.synchronise(&erreur))
            qWarning().noquote() << "ZB_MainWidget: settings not saved:" << erreur;
        ecritStyle_();
    }
    // The server stops taking connections, the room's tables (which talk to
    // the view) go, then the view.
    serveur_.reset();
    salle_.reset();
    traducteur_.reset();
    vue_.reset();
    holder_.reset();
    panneauDroit_.reset();
    if (ZB_Application* app = ZB_Application::instance())
        app->closeTraceLog();
}

ZB_TraceLog* ZB_MainWidget::trace_() const
{
    ZB_Application* app = ZB_Application::instance();
    return app != nullptr ? app->getTraceLog() : nullptr;
}

void ZB_MainWidget::construitSalle_()
{
    salle_ = std::make_unique<TableClient>(nullptr, vue_.get(), vue_->scene(), optionsPartie_,
                                           ZB_SansSurveillance::parametresSalle(demarrage_, dossierDonnees_));
    connect(salle_.get(), &ZB_Room::signalOnlineGameEnded, this, &ZB_MainWidget::OnOnlineGameEnded);
    connect(salle_.get(), &ZB_Room::signalOnlineGameStarted, this, &ZB_MainWidget::OnOnlineGameStarted);
    connect(salle_.get(), &ZB_Room::signalSendStatsGameCompleted, this,
            &ZB_MainWidget::OnServerSendStatsGameCompleted);
    connect(salle_.get(), &TableClient::testSignalGameCompleted, this, &ZB_MainWidget::OnMatchTermine);
    connect(salle_.get(), &TableClient::signalRelectureFinie, this, &ZB_MainWidget::OnRelectureFinie);
    connect(salle_.get(), &TableClient::signalFichierRefuse, this, &ZB_MainWidget::OnFichierRefuse);
    // Nobody would ever stop an unattended client that waits on a port
    // where nothing speaks, or on a host that hung while it played.
    if (demarrage_.automatique)
        salle_->setSilenceHoteMaxMs(SILENCE_HOTE_SECONDES * 1000, SILENCE_HOTE_EN_JEU_SECONDES * 1000);
    serveur_ = std::make_unique<ZB_MultiServer>(nullptr, 0, QList<ZB_Room*>{salle_.get()}, &banList_);
}

QAction* ZB_MainWidget::action(const QString& nom) const
{
    return barreMenus_ != nullptr ? barreMenus_->findChild<QAction*>(nom) : nullptr;
}

void ZB_MainWidget::construitMenus_()
{
    barreMenus_ = new QMenuBar;
    // Every text is kept with its source, so that a change of language
    // translates it again.
    auto menu = [this](QMenu* parent, const char* texte) {
        QMenu* m = parent != nullptr ? parent->addMenu(QString()) : barreMenus_->addMenu(QString());
        textesMenus_.append({m->menuAction(), texte});
        return m;
    };
    auto ajoute = [this](QMenu* m, const char* nom, const char* texte, const QKeySequence& raccourci) {
        QAction* a = m->addAction(QString());
        a->setObjectName(QLatin1String(nom));
        a->setShortcut(raccourci);
        a->setShortcutContext(Qt::ApplicationShortcut);
        textesMenus_.append({a, texte});
        return a;
    };

    QMenu* partie = menu(nullptr, QT_TR_NOOP("&Partie"));
    connect(ajoute(partie, "nouvelle", QT_TR_NOOP("&Nouvelle partie"), QKeySequence::New), &QAction::triggered, this,
            &ZB_MainWidget::OnNouvellePartie);
    connect(ajoute(partie, "gagnante", QT_TR_NOOP("Nouvelle partie &gagnante"), QKeySequence()), &QAction::triggered,
            this, &ZB_MainWidget::OnNouvellePartieGagnante);
    partie->addSeparator();
    connect(ajoute(partie, "ouvrir", QT_TR_NOOP("&Ouvrir..."), QKeySequence::Open), &QAction::triggered, this,
            &ZB_MainWidget::OnOuvrir);
    connect(ajoute(partie, "enregistrer", QT_TR_NOOP("&Enregistrer"), QKeySequence::Save), &QAction::triggered, this,
            &ZB_MainWidget::OnEnregistrer);
    connect(ajoute(partie, "enregistrerSous", QT_TR_NOOP("Enregistrer &sous..."), QKeySequence::SaveAs),
            &QAction::triggered, this, &ZB_MainWidget::OnEnregistrerSous);
    partie->addSeparator();
    connect(ajoute(partie, "annuler", QT_TR_NOOP("&Annuler le coup"), QKeySequence::Undo), &QAction::triggered, this,
            [this] { OnAnnuler(false); });
    connect(ajoute(partie, "refaire", QT_TR_NOOP("&Rétablir le coup"), QKeySequence::Redo), &QAction::triggered, this,
            [this] { OnAnnuler(true); });
    partie->addSeparator();
    connect(ajoute(partie, "quitter", QT_TR_NOOP("&Quitter"), QKeySequence::Quit), &QAction::triggered, this,
            &ZB_MainWidget::OnQuitter);

    QMenu* reseau = menu(nullptr, QT_TR_NOOP("&Réseau"));
    connect(ajoute(reseau, "heberger", QT_TR_NOOP("&Héberger une partie"), QKeySequence()), &QAction::triggered, this,
            &ZB_MainWidget::OnHeberger);
    connect(ajoute(reseau, "rejoindre", QT_TR_NOOP("&Rejoindre une partie..."), QKeySequence()), &QAction::triggered,
            this, &ZB_MainWidget::OnRejoindre);
    // The server view, closed to look at the table, comes back from here.
    connect(ajoute(reseau, "vueServeur", QT_TR_NOOP("&Serveur de jeu..."), QKeySequence()), &QAction::triggered,
            this, &ZB_MainWidget::OnVueServeur);
    // The online lobby, as the table's connect button opens it; the end of
    // a match points players here.
    connect(ajoute(reseau, "jouerEnLigne", QT_TR_NOOP("&Jouer en ligne..."), QKeySequence()), &QAction::triggered,
            this, &ZB_MainWidget::OnButtonConnectPressed);
    reseau->addSeparator();
    connect(ajoute(reseau, "quitterEnLigne", QT_TR_NOOP("&Quitter la partie en ligne"), QKeySequence()),
            &QAction::triggered, this, &ZB_MainWidget::OnQuitterEnLigne);
    // The online state changes with the network: the commands are checked
    // whenever a menu opens.
    for (QMenu* m : {partie, reseau})
        connect(m, &QMenu::aboutToShow, this, &ZB_MainWidget::metAJourActions_);

    QMenu* options = menu(nullptr, QT_TR_NOOP("&Options"));
    QMenu* types = menu(options, QT_TR_NOOP("&Type de partie"));
    auto* groupeTypes = new QActionGroup(types);
    for (const int preset : PRESETS_LOCAUX) {
        const int genre = preset >= TypeDePartie::ID_PERSONALISE ? TypeDePartie::GenreBelote : TypeDePartie::GenreJass;
        TypeDePartie::initTypesDePartie(genre);
        QAction* a = types->addAction(QString());
        a->setObjectName(QStringLiteral("type%1").arg(preset));
        a->setCheckable(true);
        a->setChecked(preset == optionsPartie_.idPreset_);
        a->setData(preset);
        groupeTypes->addAction(a);
        connect(a, &QAction::triggered, this, [this, preset] { userChoseGameType(preset); });
    }
    QAction* sons = ajoute(options, "sons", QT_TR_NOOP("&Sons"), QKeySequence());
    sons->setCheckable(true);
    sons->setChecked(optionsAffichage_.sounds_);
    connect(sons, &QAction::toggled, this, &ZB_MainWidget::OnOptionsSons);
    QMenu* langue = menu(options, QT_TR_NOOP("&Langue"));
    langues_ = new QActionGroup(langue);
    for (const LangueDuMenu& l : LANGUES) {
        QAction* a = langue->addAction(QString());
        a->setObjectName(QStringLiteral("langue_") + QLatin1String(l.code));
        a->setData(l.choix);
        a->setCheckable(true);
        a->setChecked(l.choix == optionsAffichage_.language_);
        langues_->addAction(a);
        // The languages' own names are not translated, except "automatic".
        if (l.choix == ZB_Translator::Automatique)
            textesMenus_.append({a, l.nom});
        else
            a->setText(QString::fromUtf8(l.nom));
    }
    connect(langues_, &QActionGroup::triggered, this, &ZB_MainWidget::OnLangue);

    QMenu* aide = menu(nullptr, QT_TR_NOOP("&Aide"));
    connect(ajoute(aide, "bug", QT_TR_NOOP("Signaler un &bug..."), QKeySequence()), &QAction::triggered, this,
            &ZB_MainWidget::OnBugReport);

    retraduit_();
    vue_->setMenuBar(barreMenus_);
}

void ZB_MainWidget::retraduit_()
{
    for (const auto& [action, texte] : std::as_const(textesMenus_))
        if (action != nullptr)
            action->setText(tr(texte));
    if (barreMenus_ != nullptr)
        for (QAction* a : barreMenus_->findChildren<QAction*>())
            if (a->objectName().startsWith(QLatin1String("type")))
                a->setText(TypeDePartie::nomDansListe(a->data().toInt()));
    for (const auto& [bouton, action] : std::as_const(boutonsPanneau_))
        if (bouton != nullptr && action != nullptr)
            bouton->setText(action->text().remove(QLatin1Char('&')));
}

void ZB_MainWidget::construitPanneauDroit_()
{
    // A column of buttons as wide as the longest label needs, in the middle
    // of the panel: stretched over a wide table they became strips too thin
    // for a themed texture to leave their labels readable.
    auto* rangee = new QHBoxLayout(panneauDroit_.get());
    rangee->setContentsMargins(0, 0, 0, 0);
    auto* colonne = new QVBoxLayout;
    colonne->setSpacing(ESPACE_BOUTONS_PANNEAU);
    rangee->addStretch(1);
    rangee->addLayout(colonne);
    rangee->addStretch(1);
    for (const char* nom : {"nouvelle", "gagnante", "ouvrir", "enregistrer", "annuler", "heberger", "rejoindre",
                            "bug", "quitter"}) {
        QAction* a = action(QLatin1String(nom));
        if (a == nullptr)
            continue;
        auto* bouton = new QPushButton(a->text().remove(QLatin1Char('&')), panneauDroit_.get());
        boutonsPanneau_.append({bouton, a});
        bouton->setObjectName(QStringLiteral("bouton_") + QLatin1String(nom));
        // Rows grow to a few lines where the panel has room, and keep the
        // style's own height where it has not.
        bouton->setMaximumHeight(
            static_cast<int>(std::lround(HAUTEUR_BOUTON_PANNEAU * QFontMetrics(bouton->font()).height())));
        bouton->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
        bouton->setMinimumWidth(
            static_cast<int>(std::lround(LARGEUR_BOUTON_PANNEAU * QFontMetrics(bouton->font()).averageCharWidth())));
        connect(bouton, &QPushButton::clicked, a, &QAction::trigger);
        // The panel closes once a command is chosen: the table comes back.
        connect(bouton, &QPushButton::clicked, vue_->scene()->dialogueReglages(), &DisplayGLSceneDialog::collapse);
        connect(a, &QAction::enabledChanged, bouton, &QPushButton::setEnabled);
        colonne->addWidget(bouton, 1);
    }
    colonne->addStretch(0);
}

void ZB_MainWidget::metAJourActions_()
{
    // An online game is left on purpose (its own command, or quitting),
    // never by starting another game over it; undo would part the tables.
    const bool enLigne = salle_ && salle_->estEnLigne();
    for (const char* nom : {"nouvelle", "gagnante", "ouvrir", "annuler", "refaire", "heberger", "rejoindre"})
        if (QAction* a = action(QLatin1String(nom)))
            a->setEnabled(!enLigne);
    if (QAction* a = action(QStringLiteral("quitterEnLigne")))
        a->setEnabled(enLigne);
    if (QAction* a = action(QStringLiteral("vueServeur")))
        a->setEnabled(salle_ && salle_->getEtatEnLigne() == ZB_Room::Hote);
}

void ZB_MainWidget::OnVueServeur()
{
    ZB_TRACE_SLOT(trace_());
    if (salle_ && salle_->getEtatEnLigne() == ZB_Room::Hote)
        montreDialogue_(vueServeur_);
}

void ZB_MainWidget::OnServeurArrete()
{
    ZB_TRACE_SLOT(trace_());
    // As when the online game is left: the ports close and the table goes
    // back to a local game.
    serveur_->closeAll();
    metAJourActions_();
    reprendOuCommence_();
}

void ZB_MainWidget::OnQuitterEnLigne()
{
    ZB_TRACE_SLOT(trace_());
    if (salle_ && salle_->estEnLigne())
        salle_->askLeave(this, SLOT(OnQuitterEnLigne_Reponse(int)));
}

void ZB_MainWidget::OnQuitterEnLigne_Reponse(int bouton)
{
    ZB_TRACE_SLOT(trace_());
    if (bouton != GM::Ok && bouton != GM::Yes)
        return;
    salle_->stopOnlineSession();
    serveur_->closeAll();
    metAJourActions_();
    // As every other end of an online game: the local game the user had
    // before comes back.
    reprendOuCommence_();
}

void ZB_MainWidget::OnArretServeur_Reponse(int bouton)
{
    ZB_TRACE_SLOT(trace_());
    if ((bouton == GM::Ok || bouton == GM::Yes) && vueServeur_)
        vueServeur_->arrete();
}

// --- Start modes.

QString ZB_MainWidget::fichierDeReprise(const QString& dossier)
{
    const QFileInfo autosave(QDir(dossier).filePath(QLatin1String(FICHIER_AUTOSAUVEGARDE)));
    const QFileInfo defaut(QDir(dossier).filePath(QLatin1String(FICHIER_DEFAUT)));
    if (autosave.isFile() && defaut.isFile())
        return autosave.lastModified() >= defaut.lastModified() ? autosave.filePath() : defaut.filePath();
    if (autosave.isFile())
        return autosave.filePath();
    if (defaut.isFile())
        return defaut.filePath();
    return QString();
}

QString ZB_MainWidget::gardeFichierAbime(const QString& chemin)
{
    const QString copie = ZB_Room::nomDateACote(chemin, QStringLiteral("-abime-"));
    return !copie.isEmpty() && QFile::rename(chemin, copie) ? copie : QString();
}

void ZB_MainWidget::demarre()
{
    ZB_TRACE_SLOT(trace_());
    auto reprendOuCommence = [this] { reprendOuCommence_(); };
    // A file that cannot be opened costs the user nothing: the game in
    // progress resumes as if no file had been given. An unattended run ends
    // on the error instead.
    if (!demarrage_.file.isEmpty()) {
        if (!ouvreFichier(demarrage_.file, ZB_Room::OuvreFichier) && !demarrage_.automatique)
            reprendOuCommence();
    } else if (!demarrage_.movFile.isEmpty()) {
        if (!ouvreFichier(demarrage_.movFile, ZB_Room::OuvreFichier, demarrage_.movTable) && !demarrage_.automatique)
            reprendOuCommence();
    } else if (demarrage_.server) {
        OnHeberger();
    } else if (demarrage_.client) {
        // At the port the join dialog would offer (the command line's with
        // --tcpsockets): never some other program's at a default port.
        if (demarrage_.automatique)
            rejoint(QLatin1String(ADRESSE_CLIENT_DEFAUT), portClientDefaut_());
        else
            OnRejoindre();
    } else if (demarrage_.testScenario != ZB_Settings::AUCUN_SCENARIO) {
        startMarketingScenario(demarrage_.testScenario, 0, 0);
    } else {
        reprendOuCommence();
    }
    demarreLobby_();
    if (demarrage_.screenshotMode)
        QTimer::singleShot(0, vue_.get(), &DisplayGL::OnScreenShotToSave);
}

quint16 ZB_MainWidget::portClientDefaut_() const
{
    if (demarrage_.tcpsockets)
        return quint16(demarrage_.port);
    return demarrage_.nossl ? ZB_MultiServer::PortWebUnsecureDefaut : ZB_MultiServer::PortWebSecureDefaut;
}

bool ZB_MainWidget::depart_(int modeDepart, int genreSession, const QString& fichierOuServeur, int noTable,
                            quint16 portClient, const QString& nom)
{
    // A game the user starts answers the welcome as Skip: its deal must not
    // wait for a question the user went past (it shows again next start).
    if (FormTutorialEnter* accueil = formulaireTutoriel_.data())
        accueil->fermeParLaTable();
    vue_->scene()->stopAnimationsAndCloseDialogs();
    choisitModeAffichage_();
    matchFini_ = false;
    quint16 secure = ZB_MultiServer::PortWebSecureDefaut;
    quint16 unsecure = ZB_MultiServer::PortWebUnsecureDefaut;
    quint16 tcp = quint16(demarrage_.port);
    if (genreSession == ZB_Room::SessionServeur && serveur_->isListening()) {
        secure = serveur_->getPortWebSecure();
        unsecure = serveur_->getPortWebUnsecure();
        tcp = serveur_->getPortTcp();
    }
    // The port typed for the join may serve any of the three transports:
    // the one in use is tried there first, then the others.
    if (genreSession == ZB_Room::SessionClient && portClient != 0) {
        tcp = portClient;
        unsecure = portClient;
        secure = portClient;
    }
    if (genreSession == ZB_Room::SessionClient || genreSession == ZB_Room::SessionServeur)
        gardePartieLocale_();
    QString message;
    try {
        salle_->reponse_Depart(&modeDepart, &genreSession, optionsPartie_, fichierOuServeur,
                               genreSession == ZB_Room::SessionLocale ? QString(QLatin1String(LOGIN_PARTIE))
                               : nom.isEmpty()                          ? nomDeJeu_()
                                                                        : nom,
                               secure, unsecure, tcp,
                               genreSession == ZB_Room::SessionClient ? ATTENTE_CLIENT_SECONDES : 0, false, {},
                               noTable);
    } catch (const GM_ExceptionFileTooOld& e) {
        message = e.getMessageAffiche();
    } catch (const GM_ExceptionEventCorrupted& e) {
        message = e.getMessageAffiche();
    } catch (const GM_ExceptionFileCorrupted& e) {
        // The detail says why.
        message = e.getDetail().isEmpty() ? e.getMessageAffiche() : e.getMessageAffiche() + QLatin1Char(' ') + e.getDetail();
    } catch (const GM_Exception& e) {
        message = e.getMessageAffiche();
    }
    if (!message.isEmpty() && (modeDepart == ZB_Room::OuvreFichier || modeDepart == ZB_Room::RepriseFichier))
        message = tr("La partie %1 n'a pas pu être ouverte.").arg(QDir::toNativeSeparators(fichierOuServeur))
                + QLatin1Char('\n') + message;
    if (!message.isEmpty() && modeDepart == ZB_Room::RepriseFichier) {
        // The new game that follows would write over the only copy of the
        // game left at the last quit: the damaged file is kept aside.
        const QString copie = gardeFichierAbime(fichierOuServeur);
        if (!copie.isEmpty())
            message += QLatin1Char('\n') + tr("Le fichier abîmé est gardé sous le nom %1.").arg(QDir::toNativeSeparators(copie));
    }
    const bool nouvelleLocale = genreSession == ZB_Room::SessionLocale
                             && (modeDepart == ZB_Room::NouvellePartie || modeDepart == ZB_Room::NouvellePartieGagnante);
    if (message.isEmpty() && nouvelleLocale)
        message = GM_Exception::sansException([this] { inscritJoueurs_(); });
    metAJourActions_();
    if (message.isEmpty())
        return true;
    afficheErreur_(message);
    return false;
}

void ZB_MainWidget::inscritJoueurs_()
{
    // The display options name the first opponent, the partner and the
    // second opponent, unless the names are drawn at random; a drawn name
    // never repeats another seat's.
    constexpr int SIEGES_ORDINATEUR = NOMBRE_SIEGES - 1;
    QStringList noms;
    QStringList choisis;
    for (int rang = 0; rang < SIEGES_ORDINATEUR; ++rang) {
        noms << (optionsAffichage_.randomNames_ ? QString() : optionsAffichage_.noms_.value(rang).trimmed());
        if (!noms.last().isEmpty())
            choisis << noms.last();
    }
    const QStringList tires = randomPlayerNames(static_cast<int>(SIEGES_ORDINATEUR - choisis.size()), choisis);
    qsizetype prochainTire = 0;
    for (QString& nom : noms)
        if (nom.isEmpty())
            nom = tires.at(prochainTire++);

    // The user sits at the bottom seat, the computer at the three others.
    for (int siege = 0; siege < NOMBRE_SIEGES; ++siege) {
        OptionsDuJoueur joueur;
        joueur.id_ = PREMIER_ID_JOUEUR + siege;
        if (siege == SIEGE_UTILISATEUR) {
            // No name: the plate then reads "Vous" in the language shown,
            // rather than a name with a "(vous)" suffix.
            joueur.nom_.clear();
        } else {
            joueur.nom_ = noms.at(siege - 1);
            joueur.ordinateur_ = 1;
            joueur.optionsAI_ = siege == (SIEGE_UTILISATEUR + 2) % NOMBRE_SIEGES ? optionsPartie_.optionsAIPartenaire_
                                                                                  : optionsPartie_.optionsAIAdversaires_;
        }
        salle_->inscritJoueur(joueur, EtatDeJeu::InscriptionJoueur0 + siege, 0);
    }
}

void ZB_MainWidget::afficheErreur_(const QString& texte)
{
    if (ZB_TraceLog* trace = trace_())
        trace->log(QStringLiteral("Error: ") + texte);
    messageBox(GM::Critical, tr("Erreur"), texte, GM::Ok);
    if (demarrage_.automatique) {
        // Nobody reads the box of an unattended run: it ends, and its exit
        // status says that it failed.
        std::fprintf(stderr, "ERROR %s\n", qUtf8Printable(texte));
        if (ZB_Application* app = ZB_Application::instance())
            app->setCodeDeSortie(ZB_Application::CODE_SORTIE_ERREUR);
        quitte_();
    }
}

void ZB_MainWidget::reprendOuCommence_()
{
    // A copy whose game went aside (another copy wrote a newer autosave)
    // takes its own game back, not the other's.
    const QString reprise = demarrage_.autotest                      ? QString()
                          : !salle_->getCheminALEcart().isEmpty() ? salle_->getCheminALEcart()
                                                                   : fichierDeReprise(dossierDonnees_);
    if (reprise.isEmpty() || !ouvreFichier(reprise, ZB_Room::RepriseFichier))
        OnNouvellePartie();
}

void ZB_MainWidget::retourAuJeuLocal_()
{
    ZB_TRACE_SLOT(trace_());
    // The user may have left or joined again meanwhile.
    if (salle_->getEtatEnLigne() != ZB_Room::Client)
        return;
    if (demarrage_.automatique) {
        // An unattended client ends with its session: it reports its match,
        // or, refused, displaced or cut off before the match ended, why it
        // has none (nobody would ever answer a join again).
        const ZB_RoomTable* table = tableAffichee();
        if (matchFini_ || (table != nullptr && table->estFinDeMatch())) {
            OnMatchTermine();
            return;
        }
        QString raison = salle_->getFinEnLigne();
        if (raison.isEmpty())
            raison = tr("La partie en ligne a pris fin avant la fin du match.");
        afficheErreur_(raison);
        return;
    }
    salle_->stopOnlineSession();
    metAJourActions_();
    reprendOuCommence_();
}

void ZB_MainWidget::OnNouvellePartie()
{
    ZB_TRACE_SLOT(trace_());
    depart_(ZB_Room::NouvellePartie, ZB_Room::SessionLocale, QString(), -1);
}

void ZB_MainWidget::OnNouvellePartieGagnante()
{
    ZB_TRACE_SLOT(trace_());
    depart_(ZB_Room::NouvellePartieGagnante, ZB_Room::SessionLocale, QString(), -1);
}

void ZB_MainWidget::OnOuvrir()
{
    ZB_TRACE_SLOT(trace_());
    const QString chemin = QFileDialog::getOpenFileName(vue_.get(), tr("Ouvrir une partie"), dossierDonnees_,
                                                        tr(FILTRE_PARTIES));
    if (!chemin.isEmpty())
        ouvreFichier(chemin, ZB_Room::OuvreFichier);
}

bool ZB_MainWidget::ouvreFichier(const QString& chemin, int modeDepart, int noTable)
{
    if (!QFileInfo(chemin).isFile()) {
        afficheErreur_(tr("Le fichier %1 n'existe pas.").arg(QDir::toNativeSeparators(chemin)));
        return false;
    }
    relectureFinie_ = false;
    arretRelecture_.clear();
    // The game in progress is what comes back should the file be refused
    // once its replay has begun.
    if (modeDepart == ZB_Room::OuvreFichier)
        gardePartieLocale_();
    modeFichierOuvert_ = modeDepart;
    fichierOuvert_ = chemin;
    if (!depart_(modeDepart, ZB_Room::SessionLocale, chemin, noTable))
        return false;
    dernierFichier_ = modeDepart == ZB_Room::OuvreFichier ? chemin : QString();
    if (demarrage_.automatique && !demarrage_.server && !demarrage_.client && modeDepart == ZB_Room::OuvreFichier) {
        // An unattended run that opens a file reports what it read, once
        // the record has been played back, and ends.
        executesVus_ = -1;
        sondagesStables_ = 0;
        fichierOuvertAutomatique_ = true;
        // The replay may be through already; else its end, or a calm table
        // should a record give no replay, ends the run.
        if (relectureFinie_)
            termineFichierOuvert_();
        else
            QTimer::singleShot(INTERVALLE_SONDAGE_MS, this, &ZB_MainWidget::OnSondeFichierOuvert);
    }
    return true;
}

void ZB_MainWidget::OnEnregistrer()
{
    ZB_TRACE_SLOT(trace_());
    if (dernierFichier_.isEmpty())
        OnEnregistrerSous();
    else
        enregistreSous(dernierFichier_);
}

void ZB_MainWidget::OnEnregistrerSous()
{
    ZB_TRACE_SLOT(trace_());
    QString chemin = QFileDialog::getSaveFileName(vue_.get(), tr("Enregistrer la partie"), dossierDonnees_,
                                                  tr(FILTRE_PARTIES));
    if (chemin.isEmpty())
        return;
    if (QFileInfo(chemin).suffix().isEmpty())
        chemin += QStringLiteral(".jss");
    enregistreSous(chemin);
}

void ZB_MainWidget::enregistreSous(const QString& chemin)
{
    // The room writes through a temporary file and reports its own errors.
    salle_->saveAs(chemin);
    if (QFileInfo(chemin).isFile())
        dernierFichier_ = chemin;
}

void ZB_MainWidget::OnHeberger()
{
    ZB_TRACE_SLOT(trace_());
    if (!ecouteHote(*serveur_, demarrage_)) {
        serveur_->closeAll();
        afficheErreur_(texteEcouteImpossible(demarrage_.port));
        return;
    }
    if (!depart_(ZB_Room::NouvellePartie, ZB_Room::SessionServeur, QString(), -1))
        return;
    if (demarrage_.automatique)
        QTimer::singleShot(INTERVALLE_HOTE_MS, this, &ZB_MainWidget::OnHoteAttendClient);
}

void ZB_MainWidget::OnRejoindre()
{
    ZB_TRACE_SLOT(trace_());
    if (!dialogueIp_)
        return;
    dialogueIp_->setIp(QLatin1String(ADRESSE_CLIENT_DEFAUT));
    dialogueIp_->setPort(portClientDefaut_());
    dialogueIp_->setNom(nomDeJeu_());
    montreDialogue_(dialogueIp_);
}

void ZB_MainWidget::rejoint(const QString& adresse, quint16 port)
{
    ZB_TRACE_SLOT(trace_());
    // The name typed is the one played under, even while the lobby's
    // login would name the user otherwise.
    const QString nom = dialogueIp_ ? nettoieNomDeJeu(dialogueIp_->getNom()) : QString();
    gardeNomDeJeu_(nom);
    depart_(ZB_Room::SansDepart, ZB_Room::SessionClient, adresse, 0, port, nom);
}

void ZB_MainWidget::userChoseGameType(int idTypeDePartie)
{
    const int genre = idTypeDePartie >= TypeDePartie::ID_PERSONALISE ? TypeDePartie::GenreBelote
                                                                     : TypeDePartie::GenreJass;
    optionsPartie_ = OptionsDePartie(genre);
    optionsPartie_.idPreset_ = idTypeDePartie;
    // The new rules apply from the next game: the one on the table goes on.
}

void ZB_MainWidget::OnOptionsSons(bool actifs)
{
    optionsAffichage_.sounds_ = actifs;
    OptionsAffichage options = vue_->scene()->optionsAffichage();
    options.sounds_ = actifs;
    vue_->scene()->setOptionsAffichage(options);
}

void ZB_MainWidget::OnLangue(QAction* langue)
{
    if (langue == nullptr)
        return;
    optionsAffichage_.language_ = langue->data().toInt();
    appliqueLangue_();
}

void ZB_MainWidget::appliqueLangue_()
{
    if (!traducteur_)
        traducteur_ = std::make_unique<ZB_Translator>();
    if (!traducteur_->applique(optionsAffichage_.language_, demarrage_.english))
        qWarning().noquote() << "ZB_MainWidget: no translation for language" << optionsAffichage_.language_;
    if (langues_ != nullptr)
        for (QAction* a : langues_->actions())
            a->setChecked(a->data().toInt() == optionsAffichage_.language_);
    retraduit_();
    retraduitLobby_();
}

ZB_RoomTable* ZB_MainWidget::tableAffichee() const
{
    return salle_ ? salle_->getTable(-1) : nullptr;
}

void ZB_MainWidget::OnAnnuler(bool isForward)
{
    ZB_TRACE_SLOT(trace_());
    ZB_RoomTable* table = tableAffichee();
    if (table == nullptr || (salle_ && salle_->estEnLigne()))
        return;
    table->annuler(-1, isForward);
}

void ZB_MainWidget::prepareRapport_(ZB_BugReport& rapport, const QString& remarque) const
{
    rapport.setVersion(QCoreApplication::applicationVersion());
    if (settings_)
        rapport.setReglages(ZB_SettingsStore(*settings_));
    if (salle_) {
        rapport.setPartie(*salle_);
        if (salle_->getClientSocket() != nullptr && salle_->getClientSocket()->getSocket() != nullptr)
            rapport.ajouteLignesErreur(*salle_->getClientSocket()->getSocket());
        if (salle_->getServer() != nullptr)
            for (const ZB_ServerSocketConnection* connexion : salle_->getServer()->getConnections())
                if (connexion != nullptr && connexion->getSocket() != nullptr)
                    rapport.ajouteLignesErreur(*connexion->getSocket());
    }
    rapport.setReponses(remarque);
}

QString ZB_MainWidget::documentRapportBug(const QString& remarque) const
{
    ZB_BugReport rapport(dossierDonnees_);
    prepareRapport_(rapport, remarque);
    return rapport.document();
}

void ZB_MainWidget::OnBugReport()
{
    ZB_TRACE_SLOT(trace_());
    // As the table's bug button: a picture of the table, then the
    // questionnaire, whose answers write the report (OnBug).
    vue_->scene()->OnBug();
}

void ZB_MainWidget::OnBug(QString const& userFeedback)
{
    ZB_TRACE_SLOT(trace_());
    // No server receives reports: the zip stays in the data folder.
    ZB_BugReport rapport(dossierDonnees_);
    prepareRapport_(rapport, userFeedback);
    QString erreur;
    const QString zip = rapport.ecrit(&erreur);
    if (zip.isEmpty()) {
        afficheErreur_(tr("Le rapport n'a pas pu être écrit: %1").arg(erreur));
        return;
    }
    if (settings_) {
        ZB_SettingsStore store(*settings_);
        store.noteRapport(zip);
        store.synchronise();
    }
    dernierRapport_ = zip;
    messageBox(GM::Information, tr("Rapport de bug"),
               tr("Le rapport a été écrit dans %1").arg(QDir::toNativeSeparators(zip)), GM::Ok);
}

// --- Quitting.

void ZB_MainWidget::userRequestedClose(QCloseEvent* event)
{
    Q_UNUSED(event);
    OnQuitter();
}

void ZB_MainWidget::OnQuitter()
{
    ZB_TRACE_SLOT(trace_());
    if (!salle_) {
        quitte_();
        return;
    }
    salle_->askQuit(this, SLOT(OnQuitter_Reponse(int)));
}

void ZB_MainWidget::OnQuitter_Reponse(int bouton)
{
    ZB_TRACE_SLOT(trace_());
    if (bouton != GM::Ok && bouton != GM::Yes)
        return;
    if (salle_ && salle_->estEnLigne())
        salle_->stopOnlineSession();
    quitte_();
}

void ZB_MainWidget::quitte_()
{
    if (quitDemande_)
        return;
    quitDemande_ = true;
    quitteLobby_();
    // A save that fails on the way out is told before the window goes.
    if (doitGarderPartieLocale_() && !salle_->sauveAvantDeQuitter(this, SLOT(OnQuitteApresEchec(int))))
        return;
    emit signalQuitter();
}

void ZB_MainWidget::OnQuitteApresEchec(int)
{
    emit signalQuitter();
}

bool ZB_MainWidget::doitGarderPartieLocale_() const
{
    return salle_ && !salle_->estEnLigne() && !demarrage_.automatique && !estDemonstration() && salle_->needsSave();
}

void ZB_MainWidget::gardePartieLocale_()
{
    if (doitGarderPartieLocale_())
        salle_->saveToFile();
}

// --- The view's and the room's signals.

void ZB_MainWidget::OnSpecialKeyPressed(int touche)
{
    vue_->gereToucheMedia(touche);
}

void ZB_MainWidget::OnSwipeTriggered(QSwipeGesture::SwipeDirection direction)
{
    // An open in-scene window takes the swipe (a lobby tab turns, a form
    // closes); the table itself has no use for it.
    for (QGraphicsProxyWidget* proxy : vue_->scene()->dialogues())
        if (proxy != nullptr && proxy->isVisible())
            if (auto* dialogue = qobject_cast<GM_WidgetAuto*>(proxy->widget()))
                if (dialogue->swipeTriggered(direction))
                    return;
}

void ZB_MainWidget::OnFontChange(double pourcent)
{
    QFont police;
    if (police.pointSizeF() > 0)
        police.setPointSizeF(police.pointSizeF() * pourcent / POURCENT);
    setScaledFontBase(police);
    if (ZB_Application* app = ZB_Application::instance())
        app->setFontApplication(police);
    vue_->applyFonts();
}

void ZB_MainWidget::OnRightPanelVisibleChanged(bool isVisible)
{
    // The wide layout's right strip holds the lobby for good; without the
    // strip the lobby is a window that the connect button opens.
    if (GM_ServerList* salon = lobby_.data())
        salon->showOnline(isVisible);
}

void ZB_MainWidget::OnOnlineGameStarted()
{
    metAJourActions_();
}
