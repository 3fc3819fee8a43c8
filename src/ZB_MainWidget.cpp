#include "ZB_MainWidget.h"

#include "ClientSocket.h"
#include "DisplayGL.h"
#include "DisplayGLScene.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLWidget.h"
#include "EtatDeJeu.h"
#include "GM_Exception.h"
#include "GM_ExceptionEventCorrupted.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_ExceptionFileTooOld.h"
#include "GM_SharedFunctions.h"
#include "GM_SocketAbstract.h"
#include "GM_WidgetAuto.h"
#include "ListeDesEvenements.h"
#include "OptionsDuJoueur.h"
#include "ServerView.h"
#include "TableClient.h"
#include "TypeDePartie.h"
#include "ZB_Application.h"
#include "ZB_ClientDialogIp.h"
#include "ZB_MultiServer.h"
#include "ZB_RoomTable.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"
#include "ZB_TraceLog.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsProxyWidget>
#include <QHostAddress>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

#include <cstdio>

namespace {

constexpr const char* GROUPE_JEU = "Game";
constexpr const char* CLE_PRESET = "preset";
constexpr const char* CLE_GENRE = "genre";
constexpr const char* GROUPE_AFFICHAGE = "Display";
constexpr const char* CLE_SONS = "sounds";
constexpr const char* CLE_LANGUE = "language";
constexpr const char* FICHIER_RAPPORT = "bugReport.xml";
constexpr const char* FILTRE_PARTIES = "Parties (*.jss *.jst);;Tous les fichiers (*)";
// Language codes of the menu; French is the source language.
constexpr const char* LANGUES[] = {"fr", "en", "de"};
constexpr int LANGUE_ANGLAISE = 1;
// The presets a player picks from: the local game types of both games.
constexpr int PRESETS_LOCAUX[] = {0, 1, 2, 3, 6, 8, 9, 10};
constexpr int STYLE_SANS_IMAGES = 9;
constexpr double POURCENT = 100.0;

QString echappeXml(const QString& texte)
{
    return texte.toHtmlEscaped();
}

} // namespace

ZB_MainWidget::ZB_MainWidget(const ZB_Settings& demarrage, const QString& dossierDonnees)
    : demarrage_(demarrage)
    , dossierDonnees_(dossierDonnees.isEmpty() ? appDataPath(QCoreApplication::applicationName()) : dossierDonnees)
{
    if (!dossierDonnees_.endsWith(QLatin1Char('/')))
        dossierDonnees_ += QLatin1Char('/');
    QDir().mkpath(dossierDonnees_);
    if (demarrage_.autotest)
        demarrage_.automatique = 1;
    const bool automatique = demarrage_.automatique != 0;

    // The settings store. Its groups are read here until the options dialog
    // owns them; an unattended run ignores them so that it plays the same
    // game on every machine.
    QSettings reglages;
    const int genre = demarrage_.belote != 0 ? TypeDePartie::GenreBelote : TypeDePartie::GenreJass;
    optionsPartie_ = OptionsDePartie(genre);
    if (!automatique) {
        reglages.beginGroup(QLatin1String(GROUPE_JEU));
        const int preset = reglages.value(QLatin1String(CLE_PRESET), optionsPartie_.idPreset_).toInt();
        const int genreEnregistre = reglages.value(QLatin1String(CLE_GENRE), genre).toInt();
        reglages.endGroup();
        if (std::find(std::begin(PRESETS_LOCAUX), std::end(PRESETS_LOCAUX), preset) != std::end(PRESETS_LOCAUX)) {
            optionsPartie_ = OptionsDePartie(genreEnregistre == TypeDePartie::GenreBelote ? TypeDePartie::GenreBelote
                                                                                           : TypeDePartie::GenreJass);
            optionsPartie_.idPreset_ = preset;
        }
        reglages.beginGroup(QLatin1String(GROUPE_AFFICHAGE));
        optionsAffichage_.sounds_ = reglages.value(QLatin1String(CLE_SONS), optionsAffichage_.sounds_).toBool();
        reglages.endGroup();
    } else {
        optionsAffichage_.sounds_ = false;
        optionsAffichage_.cardStyle_ = STYLE_SANS_IMAGES;
    }

    // The display: the engine holder, then the view with its scene.
    holder_ = QSharedPointer<DisplayGLWidget>::create(nullptr);
    panneauDroit_ = std::make_unique<QWidget>();
    vue_ = std::make_unique<DisplayGL>(this, panneauDroit_.get(), automatique ? MODE_AFFICHAGE_ORDINATEUR : MODE_AFFICHAGE_NORMAL,
                                       this, holder_, optionsAffichage_, &demarrage_, nullptr);
    vue_->setWindowTitle(QStringLiteral("Zubrik %1 - Jass & Belote").arg(QCoreApplication::applicationVersion()));
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

    // In-scene dialogs come here, each once (addDialog): the options, the
    // about box, the tutorial and the lobby windows when they exist.
    dialogueIp_ = scene->addDialog<ZB_ClientDialogIp>(DisplayGLScene::Z_REGLAGES, 0, 1);
    connect(dialogueIp_.data(), &ZB_ClientDialogIp::accepted, this, &ZB_MainWidget::rejoint);

    if (!demarrage_.screenshotMode) {
        construitMenus_();
        construitPanneauDroit_();
    }
    construitSalle_();

    // Lobby, Discord and style hooks: the lobby window, the native hooks
    // and the chosen widget style are made and wired here when they exist.

    // The language: English when the command line asks for it, else the
    // user's last choice.
    QAction* langue = nullptr;
    if (langues_ != nullptr && demarrage_.english) {
        langue = langues_->actions().value(LANGUE_ANGLAISE);
    } else if (langues_ != nullptr && !automatique) {
        reglages.beginGroup(QLatin1String(GROUPE_AFFICHAGE));
        const QString code = reglages.value(QLatin1String(CLE_LANGUE)).toString();
        reglages.endGroup();
        for (QAction* a : langues_->actions())
            if (!code.isEmpty() && a->data().toString() == code)
                langue = a;
    }
    if (langue != nullptr)
        OnLangue(langue);
    if (ZB_TraceLog* trace = trace_())
        trace->log(QStringLiteral("Main window started in %1").arg(dossierDonnees_));
}

ZB_MainWidget::~ZB_MainWidget()
{
    if (ZB_Application* app = ZB_Application::instance())
        app->setMessageBoxDisplayer(nullptr);
    setMessageBoxDisplayer(nullptr);
    if (salle_ && !demarrage_.autotest && salle_->needsSave())
        salle_->saveToFile();
    if (!demarrage_.automatique) {
        QSettings reglages;
        reglages.beginGroup(QLatin1String(GROUPE_JEU));
        reglages.setValue(QLatin1String(CLE_PRESET), optionsPartie_.idPreset_);
        reglages.setValue(QLatin1String(CLE_GENRE), int(optionsPartie_.genre_));
        reglages.endGroup();
        reglages.beginGroup(QLatin1String(GROUPE_AFFICHAGE));
        reglages.setValue(QLatin1String(CLE_SONS), optionsAffichage_.sounds_);
        reglages.endGroup();
    }
    // The server stops taking connections, the room's tables (which talk to
    // the view) go, then the view.
    serveur_.reset();
    salle_.reset();
    if (traducteur_)
        QCoreApplication::removeTranslator(traducteur_.get());
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
    ZB_Room::Parametres p;
    p.sansDelai = demarrage_.nowait || demarrage_.autotest;
    p.modeSimple = demarrage_.autotest;
    p.tcp = demarrage_.tcpsockets;
    p.nonSecurise = demarrage_.nossl;
    p.dossierDonnees = dossierDonnees_;
    salle_ = std::make_unique<TableClient>(nullptr, vue_.get(), vue_->scene(), optionsPartie_, p);
    connect(salle_.get(), &ZB_Room::signalOnlineGameEnded, this, &ZB_MainWidget::OnOnlineGameEnded);
    connect(salle_.get(), &ZB_Room::signalOnlineGameStarted, this, &ZB_MainWidget::OnOnlineGameStarted);
    connect(salle_.get(), &ZB_Room::signalSendStatsGameCompleted, this,
            &ZB_MainWidget::OnServerSendStatsGameCompleted);
    connect(salle_.get(), &TableClient::testSignalGameCompleted, this, &ZB_MainWidget::OnMatchTermine);
    serveur_ = std::make_unique<ZB_MultiServer>(nullptr, 0, QList<ZB_Room*>{salle_.get()}, &banList_);
}

QAction* ZB_MainWidget::action(const QString& nom) const
{
    return barreMenus_ != nullptr ? barreMenus_->findChild<QAction*>(nom) : nullptr;
}

void ZB_MainWidget::construitMenus_()
{
    barreMenus_ = new QMenuBar;
    auto ajoute = [this](QMenu* menu, const char* nom, const QString& texte, const QKeySequence& raccourci,
                         auto slot) {
        QAction* a = menu->addAction(texte);
        a->setObjectName(QLatin1String(nom));
        a->setShortcut(raccourci);
        a->setShortcutContext(Qt::ApplicationShortcut);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* partie = barreMenus_->addMenu(tr("&Partie"));
    ajoute(partie, "nouvelle", tr("&Nouvelle partie"), QKeySequence::New, &ZB_MainWidget::OnNouvellePartie);
    ajoute(partie, "gagnante", tr("Nouvelle partie &gagnante"), QKeySequence(), &ZB_MainWidget::OnNouvellePartieGagnante);
    partie->addSeparator();
    ajoute(partie, "ouvrir", tr("&Ouvrir..."), QKeySequence::Open, &ZB_MainWidget::OnOuvrir);
    ajoute(partie, "enregistrer", tr("&Enregistrer"), QKeySequence::Save, &ZB_MainWidget::OnEnregistrer);
    ajoute(partie, "enregistrerSous", tr("Enregistrer &sous..."), QKeySequence::SaveAs,
           &ZB_MainWidget::OnEnregistrerSous);
    partie->addSeparator();
    QAction* annuler = partie->addAction(tr("&Annuler le coup"));
    annuler->setObjectName(QStringLiteral("annuler"));
    annuler->setShortcut(QKeySequence::Undo);
    connect(annuler, &QAction::triggered, this, [this] { OnAnnuler(false); });
    QAction* refaire = partie->addAction(tr("&Rétablir le coup"));
    refaire->setObjectName(QStringLiteral("refaire"));
    refaire->setShortcut(QKeySequence::Redo);
    connect(refaire, &QAction::triggered, this, [this] { OnAnnuler(true); });
    partie->addSeparator();
    ajoute(partie, "quitter", tr("&Quitter"), QKeySequence::Quit, &ZB_MainWidget::OnQuitter);

    QMenu* reseau = barreMenus_->addMenu(tr("&Réseau"));
    ajoute(reseau, "heberger", tr("&Héberger une partie"), QKeySequence(), &ZB_MainWidget::OnHeberger);
    ajoute(reseau, "rejoindre", tr("&Rejoindre une partie..."), QKeySequence(), &ZB_MainWidget::OnRejoindre);
    reseau->addSeparator();
    ajoute(reseau, "quitterEnLigne", tr("&Quitter la partie en ligne"), QKeySequence(),
           &ZB_MainWidget::OnQuitterEnLigne);
    // The online state changes with the network: the commands are checked
    // whenever a menu opens.
    for (QMenu* menu : {partie, reseau})
        connect(menu, &QMenu::aboutToShow, this, &ZB_MainWidget::metAJourActions_);

    QMenu* options = barreMenus_->addMenu(tr("&Options"));
    QMenu* types = options->addMenu(tr("&Type de partie"));
    auto* groupeTypes = new QActionGroup(types);
    for (const int preset : PRESETS_LOCAUX) {
        const int genre = preset >= TypeDePartie::ID_PERSONALISE ? TypeDePartie::GenreBelote : TypeDePartie::GenreJass;
        TypeDePartie::initTypesDePartie(genre);
        QAction* a = types->addAction(QCoreApplication::translate("QObject",
                                                                  qPrintable(TypeDePartie::getTypeDePartie(preset).nom_)));
        a->setObjectName(QStringLiteral("type%1").arg(preset));
        a->setCheckable(true);
        a->setChecked(preset == optionsPartie_.idPreset_);
        groupeTypes->addAction(a);
        connect(a, &QAction::triggered, this, [this, preset] { userChoseGameType(preset); });
    }
    QAction* sons = options->addAction(tr("&Sons"));
    sons->setObjectName(QStringLiteral("sons"));
    sons->setCheckable(true);
    sons->setChecked(optionsAffichage_.sounds_);
    connect(sons, &QAction::toggled, this, &ZB_MainWidget::OnOptionsSons);
    QMenu* langue = options->addMenu(tr("&Langue"));
    langues_ = new QActionGroup(langue);
    const QStringList noms = {QStringLiteral("Français"), QStringLiteral("English"), QStringLiteral("Deutsch")};
    for (int i = 0; i < noms.size(); ++i) {
        QAction* a = langue->addAction(noms[i]);
        a->setObjectName(QStringLiteral("langue_") + QLatin1String(LANGUES[i]));
        a->setData(QLatin1String(LANGUES[i]));
        a->setCheckable(true);
        a->setChecked(i == 0);
        langues_->addAction(a);
    }
    connect(langues_, &QActionGroup::triggered, this, &ZB_MainWidget::OnLangue);

    QMenu* aide = barreMenus_->addMenu(tr("&Aide"));
    ajoute(aide, "bug", tr("Signaler un &bug..."), QKeySequence(), &ZB_MainWidget::OnBugReport);

    vue_->setMenuBar(barreMenus_);
}

void ZB_MainWidget::construitPanneauDroit_()
{
    auto* colonne = new QVBoxLayout(panneauDroit_.get());
    colonne->setContentsMargins(0, 0, 0, 0);
    for (const char* nom : {"nouvelle", "gagnante", "ouvrir", "enregistrer", "annuler", "heberger", "rejoindre",
                            "bug", "quitter"}) {
        QAction* a = action(QLatin1String(nom));
        if (a == nullptr)
            continue;
        auto* bouton = new QPushButton(a->text().remove(QLatin1Char('&')), panneauDroit_.get());
        bouton->setObjectName(QStringLiteral("bouton_") + QLatin1String(nom));
        connect(bouton, &QPushButton::clicked, a, &QAction::trigger);
        // The panel closes once a command is chosen: the table comes back.
        connect(bouton, &QPushButton::clicked, vue_->scene()->dialogueReglages(), &DisplayGLSceneDialog::collapse);
        connect(a, &QAction::enabledChanged, bouton, &QPushButton::setEnabled);
        colonne->addWidget(bouton);
    }
    colonne->addStretch(1);
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
}

void ZB_MainWidget::OnQuitterEnLigne()
{
    ZB_TRACE_SLOT(trace_());
    if (salle_ && salle_->estEnLigne())
        salle_->askQuit(this, SLOT(OnQuitterEnLigne_Reponse(int)));
}

void ZB_MainWidget::OnQuitterEnLigne_Reponse(int bouton)
{
    ZB_TRACE_SLOT(trace_());
    if (bouton != GM::Ok && bouton != GM::Yes)
        return;
    salle_->stopOnlineSession();
    serveur_->closeAll();
    metAJourActions_();
    // The table goes back to a local game.
    OnNouvellePartie();
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

void ZB_MainWidget::demarre()
{
    ZB_TRACE_SLOT(trace_());
    if (!demarrage_.file.isEmpty()) {
        if (!ouvreFichier(demarrage_.file, ZB_Room::OuvreFichier) && !demarrage_.automatique)
            OnNouvellePartie();
    } else if (!demarrage_.movFile.isEmpty()) {
        if (!ouvreFichier(demarrage_.movFile, ZB_Room::OuvreFichier, demarrage_.movTable) && !demarrage_.automatique)
            OnNouvellePartie();
    } else if (demarrage_.server) {
        OnHeberger();
    } else if (demarrage_.client) {
        if (demarrage_.automatique)
            rejoint(QLatin1String(ADRESSE_CLIENT_DEFAUT));
        else
            OnRejoindre();
    } else if (demarrage_.testScenario != ZB_Settings::AUCUN_SCENARIO) {
        startMarketingScenario(demarrage_.testScenario, 0, 0);
    } else {
        // An unattended test run always plays a fresh match.
        const QString reprise = demarrage_.autotest ? QString() : fichierDeReprise(dossierDonnees_);
        if (reprise.isEmpty() || !ouvreFichier(reprise, ZB_Room::RepriseFichier))
            OnNouvellePartie();
    }
    if (demarrage_.screenshotMode)
        QTimer::singleShot(0, vue_.get(), &DisplayGL::OnScreenShotToSave);
}

bool ZB_MainWidget::depart_(int modeDepart, int genreSession, const QString& fichierOuServeur, int noTable)
{
    vue_->scene()->stopAnimationsAndCloseDialogs();
    matchFini_ = false;
    quint16 secure = ZB_MultiServer::PortWebSecureDefaut;
    quint16 unsecure = ZB_MultiServer::PortWebUnsecureDefaut;
    quint16 tcp = quint16(demarrage_.port);
    if (genreSession == ZB_Room::SessionServeur && serveur_->isListening()) {
        secure = serveur_->getPortWebSecure();
        unsecure = serveur_->getPortWebUnsecure();
        tcp = serveur_->getPortTcp();
    }
    QString message;
    try {
        salle_->reponse_Depart(&modeDepart, &genreSession, optionsPartie_, fichierOuServeur,
                               QStringLiteral("Zubrik"), secure, unsecure, tcp,
                               genreSession == ZB_Room::SessionClient ? ATTENTE_CLIENT_SECONDES : 0, false, {},
                               noTable);
    } catch (const GM_ExceptionFileTooOld& e) {
        message = e.getMessage();
    } catch (const GM_ExceptionEventCorrupted& e) {
        message = e.getMessage();
    } catch (const GM_ExceptionFileCorrupted& e) {
        message = e.getMessage();
    } catch (const GM_Exception& e) {
        message = e.getMessage();
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
    // The user sits at the bottom seat, the computer at the three others.
    for (int siege = 0; siege < NOMBRE_SIEGES; ++siege) {
        OptionsDuJoueur joueur;
        joueur.id_ = PREMIER_ID_JOUEUR + siege;
        if (siege == SIEGE_UTILISATEUR) {
            joueur.nom_ = nomUtilisateur_;
        } else {
            joueur.nom_ = randomPlayerName();
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
    if (demarrage_.automatique)
        std::fprintf(stderr, "ERROR %s\n", qUtf8Printable(texte));
    messageBox(GM::Critical, tr("Erreur"), texte, GM::Ok);
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
    if (!depart_(modeDepart, ZB_Room::SessionLocale, chemin, noTable))
        return false;
    dernierFichier_ = modeDepart == ZB_Room::OuvreFichier ? chemin : QString();
    if (demarrage_.automatique && !demarrage_.server && !demarrage_.client && modeDepart == ZB_Room::OuvreFichier) {
        // An unattended run that opens a file reports what it read, once
        // the record has been played back, and ends.
        executesVus_ = -1;
        sondagesStables_ = 0;
        fichierOuvertAutomatique_ = true;
        QTimer::singleShot(INTERVALLE_SONDAGE_MS, this, &ZB_MainWidget::OnSondeFichierOuvert);
    }
    return true;
}

void ZB_MainWidget::OnSondeFichierOuvert()
{
    const ListeDesEvenements* liste = salle_ ? salle_->getListe(-1) : nullptr;
    if (liste == nullptr)
        return;
    const int executes = liste->getExecutes().blockCount();
    const bool calme = executes == executesVus_ && !liste->estReplayEnCours() && liste->getEnAttente().isEmpty();
    sondagesStables_ = calme ? sondagesStables_ + 1 : 0;
    executesVus_ = executes;
    if (sondagesStables_ < SONDAGES_STABLES) {
        QTimer::singleShot(INTERVALLE_SONDAGE_MS, this, &ZB_MainWidget::OnSondeFichierOuvert);
        return;
    }
    rapporteFichierOuvert_();
}

void ZB_MainWidget::rapporteFichierOuvert_()
{
    if (quitDemande_)
        return;
    const ListeDesEvenements* liste = salle_->getListe(-1);
    const std::array<int, 2> s = scores();
    std::printf("OPENED %d %d events %d\n", s[0], s[1], liste != nullptr ? liste->getExecutes().blockCount() : 0);
    std::fflush(stdout);
    quitte_();
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
    // An unattended host listens for WebSockets on free ports, so that runs
    // side by side on one machine do not collide.
    const quint16 secure = demarrage_.automatique ? 0 : ZB_MultiServer::PortWebSecureDefaut;
    const quint16 unsecure = demarrage_.automatique ? 0 : ZB_MultiServer::PortWebUnsecureDefaut;
    if (!serveur_->ecoute(QHostAddress::Any, quint16(demarrage_.port), secure, unsecure)) {
        afficheErreur_(tr("Impossible d'écouter sur le port %1: un autre programme l'utilise peut-être.")
                           .arg(demarrage_.port));
        return;
    }
    if (!depart_(ZB_Room::NouvellePartie, ZB_Room::SessionServeur, QString(), -1))
        return;
    if (demarrage_.automatique)
        QTimer::singleShot(INTERVALLE_HOTE_MS, this, &ZB_MainWidget::OnHoteAttendClient);
}

void ZB_MainWidget::OnHoteAttendClient()
{
    // An unattended host starts the game as soon as one player has joined.
    if (!salle_ || !salle_->getServer())
        return;
    if (salle_->getServer()->getJoueurs().isEmpty() || salle_->getServerView() == nullptr) {
        QTimer::singleShot(INTERVALLE_HOTE_MS, this, &ZB_MainWidget::OnHoteAttendClient);
        return;
    }
    salle_->getServerView()->OnDemarrer();
}

void ZB_MainWidget::OnRejoindre()
{
    ZB_TRACE_SLOT(trace_());
    if (!dialogueIp_)
        return;
    dialogueIp_->setIp(QLatin1String(ADRESSE_CLIENT_DEFAUT));
    vue_->scene()->stopAnimationsAndCloseDialogs();
    for (QGraphicsProxyWidget* proxy : vue_->scene()->dialogues())
        if (proxy != nullptr && proxy->widget() == dialogueIp_.data()) {
            proxy->show();
            dialogueIp_->show();
        }
}

void ZB_MainWidget::rejoint(const QString& adresse)
{
    ZB_TRACE_SLOT(trace_());
    depart_(ZB_Room::SansDepart, ZB_Room::SessionClient, adresse, 0);
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
    if (traducteur_) {
        QCoreApplication::removeTranslator(traducteur_.get());
        traducteur_.reset();
    }
    const QString code = langue != nullptr ? langue->data().toString() : QString();
    if (langue != nullptr)
        langue->setChecked(true);
    // The translation files are built with the program; French, the source
    // language, needs none.
    if (!code.isEmpty() && code != QLatin1String(LANGUES[0])) {
        auto traducteur = std::make_unique<QTranslator>();
        if (traducteur->load(QStringLiteral(":/translations/zubrik_%1.qm").arg(code))) {
            QCoreApplication::installTranslator(traducteur.get());
            traducteur_ = std::move(traducteur);
        }
    }
    if (!demarrage_.automatique) {
        QSettings reglages;
        reglages.beginGroup(QLatin1String(GROUPE_AFFICHAGE));
        reglages.setValue(QLatin1String(CLE_LANGUE), code);
        reglages.endGroup();
    }
}

ZB_RoomTable* ZB_MainWidget::tableAffichee() const
{
    return salle_ ? salle_->getTable(-1) : nullptr;
}

std::array<int, 2> ZB_MainWidget::scores() const
{
    std::array<int, 2> s{};
    if (const ZB_RoomTable* table = tableAffichee())
        for (int e = 0; e < 2; ++e)
            s[size_t(e)] = table->getSettingsPartie().scores_[size_t(e)] + table->totalDonne(e);
    return s;
}

void ZB_MainWidget::OnAnnuler(bool isForward)
{
    ZB_TRACE_SLOT(trace_());
    ZB_RoomTable* table = tableAffichee();
    if (table == nullptr || (salle_ && salle_->estEnLigne()))
        return;
    table->annuler(-1, isForward);
}

QString ZB_MainWidget::documentRapportBug(const QString& remarque) const
{
    QString record;
    if (salle_) {
        QTextStream flux(&record);
        salle_->writeToStream(flux);
        flux.flush();
    }
    QStringList erreurs;
    auto ajouteErreurs = [&erreurs](const GM_SocketAbstract* socket) {
        if (socket != nullptr)
            erreurs << socket->getLignesErreur();
    };
    if (salle_ && salle_->getClientSocket() != nullptr)
        ajouteErreurs(salle_->getClientSocket()->getSocket());
    if (salle_ && salle_->getServer() != nullptr)
        for (const ZB_ServerSocketConnection* connexion : salle_->getServer()->getConnections())
            ajouteErreurs(connexion->getSocket());
    while (erreurs.size() > MAX_LIGNES_ERREUR)
        erreurs.removeFirst();

    QString doc;
    QTextStream out(&doc);
    out << "<bugreport>\n";
    out << "  <version>" << echappeXml(QCoreApplication::applicationVersion()) << "</version>\n";
    out << "  <date>" << QDateTime::currentDateTimeUtc().toString(Qt::ISODate) << "</date>\n";
    out << "  <comment>" << echappeXml(remarque) << "</comment>\n";
    out << "  <socketerrors>\n";
    for (const QString& ligne : std::as_const(erreurs))
        out << "    <line>" << echappeXml(ligne) << "</line>\n";
    out << "  </socketerrors>\n";
    out << "  <game>" << echappeXml(record) << "</game>\n";
    out << "</bugreport>\n";
    out.flush();
    return doc;
}

void ZB_MainWidget::OnBugReport()
{
    ZB_TRACE_SLOT(trace_());
    OnBug(QString());
}

void ZB_MainWidget::OnBug(QString const& userFeedback)
{
    ZB_TRACE_SLOT(trace_());
    // The report document stays in the data folder; packing it with the
    // logs, settings and games into the zip happens here too once the
    // report packer exists.
    const QString chemin = dossierDonnees_ + QLatin1String(FICHIER_RAPPORT);
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        afficheErreur_(tr("Le rapport n'a pas pu être écrit: %1").arg(fichier.errorString()));
        return;
    }
    fichier.write(documentRapportBug(userFeedback).toUtf8());
    fichier.close();
    messageBox(GM::Information, tr("Rapport de bug"),
               tr("Le rapport a été écrit dans %1").arg(QDir::toNativeSeparators(chemin)), GM::Ok);
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
    if (salle_ && !demarrage_.autotest && salle_->needsSave())
        salle_->saveToFile();
    emit signalQuitter();
}

// --- The view's and the room's signals.

void ZB_MainWidget::OnSizeChanged() {}

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
    Q_UNUSED(isVisible);
}

void ZB_MainWidget::OnButtonConnectPressed()
{
    // The lobby's login window opens here once it exists; until then the
    // connect button offers to join a hosted table.
    OnRejoindre();
}

void ZB_MainWidget::OnServerSendStatsGameCompleted(bool isConnected, QString stats)
{
    // The lobby window forwards these once it exists.
    Q_UNUSED(isConnected);
    Q_UNUSED(stats);
}

void ZB_MainWidget::OnOnlineGameStarted()
{
    metAJourActions_();
}

void ZB_MainWidget::OnOnlineGameEnded()
{
    metAJourActions_();
}

void ZB_MainWidget::OnMatchTermine()
{
    if (matchFini_)
        return;
    matchFini_ = true;
    const std::array<int, 2> s = scores();
    emit signalMatchTermine(s[0], s[1]);
    if (!demarrage_.automatique)
        return;
    if (fichierOuvertAutomatique_) {
        // The opened match was finished: played back to its end.
        rapporteFichierOuvert_();
        return;
    }
    // An unattended run keeps its match for whoever checks it, and ends.
    const QString chemin = dossierDonnees_ + QLatin1String(FICHIER_FIN_AUTOMATIQUE);
    salle_->saveAs(chemin);
    std::printf("MATCH %d %d file %s\n", s[0], s[1], qUtf8Printable(chemin));
    std::fflush(stdout);
    quitte_();
}

void ZB_MainWidget::startMarketingScenario(int scenario, int langue, int argument)
{
    Q_UNUSED(langue);
    Q_UNUSED(argument);
    // Odd scenarios show Belote, even ones Jass; each a new game of its
    // game's first preset.
    const bool belote = scenario % 2 != 0;
    optionsPartie_ = OptionsDePartie(belote ? TypeDePartie::GenreBelote : TypeDePartie::GenreJass);
    depart_(ZB_Room::NouvellePartie, ZB_Room::SessionLocale, QString(), -1);
}
