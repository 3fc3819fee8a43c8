#include "GM_ServerList.h"

#include "GM_AchievementTitle.h"
#include "GM_Achievements.h"
#include "GM_Chat.h"
#include "GM_ClientSocket.h"
#include "GM_Download.h"
#include "GM_FriendsList.h"
#include "GM_LineEdit.h"
#include "GM_Login.h"
#include "GM_NativeA.h"
#include "GM_OnlineSettings.h"
#include "GM_ProgressA.h"
#include "GM_ProxyClientSocket.h"
#include "GM_Scores.h"
#include "GM_SocketEvent.h"
#include "GM_Stats.h"
#include "GM_TablesList.h"
#include "GM_TournamentClient.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMutexLocker>
#include <QNetworkInterface>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QSpacerItem>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int ModeInteractif = 0;
constexpr int ModeProgramme = 1;
constexpr int ModeAutomatique = 4;
constexpr int ModeImmediat = 5;
constexpr int ModeInchange = 6;

// One page of the tab widget: the tab's widget filling it.
QWidget* page(const char* nom, QWidget* onglet, const char* nomOnglet, int espacement)
{
    auto* p = new QWidget;
    p->setObjectName(QLatin1String(nom));
    auto* grille = new QGridLayout(p);
    grille->setSpacing(espacement);
    grille->setContentsMargins(0, 0, 0, 0);
    onglet->setObjectName(QLatin1String(nomOnglet));
    onglet->setParent(p);
    grille->addWidget(onglet, 0, 0);
    return p;
}

} // namespace

GM_ServerList::GM_ServerList(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    GM_SocketEvent::buildEventTable();
    construitFormulaire_();
    connect(tabWidget_, &QTabWidget::currentChanged, this, &GM_ServerList::OnTabChanged);
    connect(pushButtonRetour_, &QPushButton::clicked, this, &GM_ServerList::OnBackPressed);
    connect(pushButtonDisconnect_, &QPushButton::clicked, this, &GM_ServerList::OnDisconnectPressed);
    connect(tournaments_, &GM_TournamentClient::signalPlayTournament, this, &GM_ServerList::OnSignalPlayTournament);
}

GM_ServerList::~GM_ServerList()
{
    // The client goes with its parent, this window; nothing it emits from
    // now on may reach the window's slots.
    if (GM_ClientSocket* client = client_.data())
        client->disconnect(this);
    delete download_;
}

void GM_ServerList::construitFormulaire_()
{
    setObjectName(QStringLiteral("GM_ServerList"));
    resize(259, 276);
    auto* grille5 = new QGridLayout(this);
    grille5->setObjectName(QStringLiteral("gridLayout_5"));
    grille5->setSpacing(0);
    grille5->setContentsMargins(0, 0, 0, 0);

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName(QStringLiteral("scrollArea"));
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setWidgetResizable(true);
    // Tab goes to the controls it holds, not to the area itself, which has
    // nothing to show the keyboard by.
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    auto* contenu = new QWidget;
    contenu->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    contenu->setGeometry(0, 0, 257, 249);
    auto* grille4 = new QGridLayout(contenu);
    grille4->setObjectName(QStringLiteral("gridLayout_4"));
    grille4->setSpacing(3);
    grille4->setContentsMargins(3, 3, 3, 3);
    auto* pageNormale = new QWidget(contenu);
    pageNormale->setObjectName(QStringLiteral("pageNormal"));
    auto* grille = new QGridLayout(pageNormale);
    grille->setObjectName(QStringLiteral("gridLayout"));
    grille->setSpacing(3);
    grille->setContentsMargins(0, 0, 0, 0);
    tabWidget_ = new QTabWidget(pageNormale);
    tabWidget_->setObjectName(QStringLiteral("tabWidget"));
    grille->addWidget(tabWidget_, 0, 0);
    grille4->addWidget(pageNormale, 0, 0);
    scrollArea_->setWidget(contenu);
    grille5->addWidget(scrollArea_, 0, 1);

    auto* boutons = new QHBoxLayout;
    boutons->setObjectName(QStringLiteral("horizontalLayoutCancel"));
    boutons->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    pushButtonDisconnect_ = new QPushButton(this);
    pushButtonDisconnect_->setObjectName(QStringLiteral("pushButtonDisconnect"));
    boutons->addWidget(pushButtonDisconnect_);
    pushButtonRetour_ = new QPushButton(this);
    pushButtonRetour_->setObjectName(QStringLiteral("pushButtonRetour"));
    boutons->addWidget(pushButtonRetour_);
    boutons->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    grille5->addLayout(boutons, 1, 1);

    friends_ = new GM_FriendsList;
    servers_ = new GM_TablesList;
    tournaments_ = new GM_TournamentClient;
    scores_ = new GM_Scores;
    stats_ = new GM_Stats;
    achievements_ = new GM_Achievements;
    chat_ = new GM_Chat;
    settingsTab_ = new GM_OnlineSettings;
    tabWidget_->addTab(page("tabFriends", friends_, "m_widgetFriendsListP", 0), QString());
    tabWidget_->addTab(page("tabServers", servers_, "m_widgetTableListP", 3), QString());
    tabWidget_->addTab(page("tabTournaments", tournaments_, "m_widgetTournamentsP", 0), QString());
    tabWidget_->addTab(page("tabScores", scores_, "m_widgetScoresP", 0), QString());
    tabWidget_->addTab(page("tabStats", stats_, "m_widgetStatsP", 0), QString());
    tabWidget_->addTab(page("tabAchievements", achievements_, "m_widgetAchievementsP", 0), QString());
    tabWidget_->addTab(page("tabChat", chat_, "m_widgetChatP", 0), QString());
    tabWidget_->addTab(page("tabSettings", settingsTab_, "m_widgetSettingsP", 0), QString());
    tabWidget_->setCurrentIndex(Serveurs);
    retraduitFormulaire_();
}

void GM_ServerList::retraduitFormulaire_()
{
    setWindowTitle(tr("Liste des serveurs"));
    pushButtonDisconnect_->setText(tr("Déconnecter"));
    pushButtonRetour_->setText(tr("Retour"));
    static const char* const titres[NombreOnglets] = {
        QT_TR_NOOP("Amis"),   QT_TR_NOOP("Serv."),  QT_TR_NOOP("Tourn."), QT_TR_NOOP("Class."),
        QT_TR_NOOP("Stat."),  QT_TR_NOOP("Titres"), QT_TR_NOOP("Chat"),   QT_TR_NOOP("Opt.")};
    for (int i = 0; i < NombreOnglets; ++i)
        tabWidget_->setTabText(i, tr(titres[i]));
}

void GM_ServerList::init(GM_Login* login, GM_ProgressA* progress, GM_MessageBoxDisplayerA* displayer,
                         GM_NativeA* native, GM_ServerPass* serverPass, const QString& serverName,
                         const QString& updateFileName, const QString& updateUrl, const QString& publicServerName,
                         int* gameFamily, bool unsecure, bool tcp, bool belote, int* language, QSettings* settings)
{
    setMessageBoxDisplayer(displayer);
    login_ = login;
    native_ = native;
    settings_ = settings;
    auto* client = new GM_ClientSocket(serverName, this, progress, displayer);
    client_ = client;
    download_ = new GM_Download(displayer, this);
    gameFamily_ = gameFamily != nullptr ? *gameFamily : 0;
    updateUrl_ = updateUrl;
    updateFileName_ = updateFileName;
    unsecure_ = unsecure;
    tcp_ = tcp;

    servers_->setMessageBoxDisplayer(displayer);
    servers_->init(client, serverPass, publicServerName);
    scores_->init(client, gameFamily_);
    stats_->init(client, gameFamily_);
    friends_->init(client, displayer, native, settings);
    chat_->init(client, displayer, belote, language);
    achievements_->init(client);
    tournaments_->init(client, serverPass, displayer, publicServerName);
    settingsTab_->init(displayer, client);

    // The statistics tab made these in its init already: once is enough.
    connect(client, &GM_ClientSocket::signalStatsReceived, stats_, &GM_Stats::OnStatsReceived, Qt::UniqueConnection);
    connect(client, &GM_ClientSocket::signalDisconnected, stats_, &GM_Stats::OnDisconnected, Qt::UniqueConnection);
    connect(stats_->refreshButton(), &QPushButton::clicked, stats_, &GM_Stats::OnPushButtonRefresh,
            Qt::UniqueConnection);
    connect(client, &GM_ClientSocket::signalIpReceived, this, &GM_ServerList::OnIpReceived);
    connect(client, &GM_ClientSocket::signalReady, this, &GM_ServerList::OnSocketReady);
    connect(client, &GM_ClientSocket::signalAccountLocked, this, &GM_ServerList::OnAccountLocked);
    connect(client, &GM_ClientSocket::signalHideProgressAndShowLogin, this,
            &GM_ServerList::OnHideProgressAndShowLogin);
    connect(client, &GM_ClientSocket::signalReconnecting, this, &GM_ServerList::OnReconnecting);
    // Told apart from a disconnection the user asked for, which clears it.
    connect(client, &GM_ClientSocket::signalDisconnected, this, [this] { sessionPerdue_ = true; });
    connect(client, &GM_ClientSocket::signalReceiveBridgeOpen, this, &GM_ServerList::OnReceiveBridgeOpen);
    connect(client, &GM_ClientSocket::signalFriendPlayingOnline, this, &GM_ServerList::OnFriendPlayingOnline);
    connect(client, &GM_ClientSocket::signalUpdateNeeded, this, &GM_ServerList::OnUpdateNeeded);
    if (login != nullptr) {
        connect(login, &GM_Login::signalNewUserAndPass, this, &GM_ServerList::OnNewUserAndPass);
        connect(login, &GM_Login::signalPasswordForgot, this, &GM_ServerList::OnPasswordForgot);
        connect(login, &GM_Login::signalLoginUserAnswer, this, &GM_ServerList::OnLoginUserAnswer);
    }
    connect(client, &GM_ClientSocket::signalStartServerSession, this, &GM_ServerList::OnStartServerSession);
    connect(friends_, &GM_FriendsList::signalNbrFriendsOnlineChanged, this,
            &GM_ServerList::OnNbrFriendsOnlineChanged);
    connect(friends_, &GM_FriendsList::displayMyTab, this, &GM_ServerList::OnDisplayFriendsTab);
    connect(servers_, &GM_TablesList::signalSelectedServerChanged, friends_, &GM_FriendsList::OnSelectedServerChanged);
    connect(download_, &GM_Download::signalDownloadCompletedSuccefully, this, &GM_ServerList::OnUpdateExecuteInstall);
    connect(settingsTab_, &GM_OnlineSettings::signalPasswordChanged, this, &GM_ServerList::OnPasswordChanged);
}

bool GM_ServerList::isConnected() const
{
    const GM_ClientSocket* client = client_.data();
    return client != nullptr && client->getProtocolState() != GM_SocketEvent::Init && client->isValid()
           && client->state() != QAbstractSocket::UnconnectedState;
}

bool GM_ServerList::emailValide_() const
{
    const GM_Login* login = login_.data();
    return login != nullptr && login->isEmailValid();
}

bool GM_ServerList::connexionAutomatique_() const
{
    const GM_Login* login = login_.data();
    return login != nullptr && login->autoConnect()->isChecked() && login->isEmailValid();
}

bool GM_ServerList::interfaceReseauUtilisable()
{
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& i : interfaces)
        if (i.flags().testFlag(QNetworkInterface::IsUp) && !i.flags().testFlag(QNetworkInterface::IsLoopBack)
            && !i.addressEntries().isEmpty())
            return true;
    return false;
}

void GM_ServerList::setDiscord_(const QString& texte)
{
    if (native_ != nullptr)
        native_->discordSetActivity(texte);
}

// --- Showing ------------------------------------------------------------------

void GM_ServerList::showOnline(bool show)
{
    if (GM_Login* login = login_.data()) {
        login->buttonCancel1()->setVisible(!show);
        login->buttonCancel2()->setVisible(!show);
    }
    pushButtonRetour_->setVisible(!show);
    embedded_ = show;
    if (show) {
        GM_WidgetAuto::show();
        if (client_ != nullptr && !isConnected())
            showLogin(QString(), QString(), loginMode_);
    } else {
        if (GM_Login* login = login_.data())
            login->hide();
        hide();
    }
}

void GM_ServerList::showLogin(const QString& email, const QString& password, int mode)
{
    if (mode != ModeInchange)
        loginMode_ = mode;
    GM_Login* login = login_.data();
    if (!email.isEmpty() && login != nullptr)
        login->setUserAndPass(email, password);
    if (loginMode_ == ModeImmediat) {
        loginMode_ = ModeInteractif;
        if (login != nullptr)
            login->hide();
        startLogin(ModeInteractif);
        return;
    }
    if (emailValide_() && isConnected()) {
        GM_WidgetAuto::show();
    } else {
        hide();
        if (login != nullptr)
            login->show();
    }
}

bool GM_ServerList::startLogin(int mode)
{
    if (mode == ModeAutomatique && !connexionAutomatique_())
        return false;
    if (loginMode_ == ModeAutomatique && (!verificationReseau_() || !emailValide_()))
        return false;
    if ((mode == ModeAutomatique || mode == ModeProgramme) && isConnected())
        return false;
    GM_ClientSocket* client = client_.data();
    GM_Login* login = login_.data();
    if (emailValide_() && client != nullptr && login != nullptr) {
        hide();
        loginMode_ = mode;
        client->setAutoReconnect(connexionAutomatique_());
        client->connectForLogin(login->email()->text().toLower(), login->passwordNormal()->text(),
                                mode == ModeAutomatique, unsecure_);
        // The session it ended was left, not lost.
        relance_ = 0;
        sessionPerdue_ = false;
        // After the client ended any session under way, which told the
        // messenger it was disconnected.
        emit signalSetMessengerStatus(-1, GM::ConnectStatus(1), 0);
        return true;
    }
    if (GM_Login* login = login_.data())
        login->show();
    return true;
}

void GM_ServerList::OnLoginUserAnswer(int result)
{
    if (GM_Login* login = login_.data())
        login->hide();
    if (result == 0 || result == -1) {
        if (embedded_)
            showLogin(QString(), QString(), loginMode_);
        else
            hide();
    } else if (result == 1) {
        if (loginMode_ == ModeAutomatique)
            loginMode_ = ModeInteractif;
        startLogin(loginMode_);
    }
}

void GM_ServerList::OnNewUserAndPass(const QString& email, const QString& pass, const QString& pseudo)
{
    if (GM_ClientSocket* client = client_.data()) {
        client->connectForCreateLogin(email, pass, pseudo, unsecure_);
        relance_ = 0;
        sessionPerdue_ = false;
    }
}

void GM_ServerList::OnPasswordForgot(const QString& email)
{
    Q_UNUSED(email);
    GM_ClientSocket* client = client_.data();
    const GM_Login* login = login_.data();
    if (client != nullptr && login != nullptr) {
        client->connectForResendPassword(login->email()->text().toLower(), unsecure_);
        relance_ = 0;
        sessionPerdue_ = false;
    }
}

void GM_ServerList::OnSocketReady()
{
    GM_ClientSocket* client = client_.data();
    if (client == nullptr)
        return;
    connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_ServerList::OnDisconnected,
            Qt::UniqueConnection);
    sessionPerdue_ = false;
    if (relance_ > 0) {
        relance_ = 0;
        const QString texte = tr("Connexion au lobby rétablie.");
        servers_->setConnectionText(texte);
        emit signalLobbyConnectionText(texte);
        // The lists went with the lost session: the tab in view is filled
        // again, as when the window is opened.
        if (isVisible())
            OnTabChanged(tabWidget_->currentIndex());
    }
    if (!(loginMode_ == ModeAutomatique && !embedded_)) {
        GM_WidgetAuto::show();
        if (loginMode_ == ModeInteractif && connexionAutomatique_())
            loginMode_ = ModeAutomatique;
    }
    emit signalAccountLockedStatus(false);
}

void GM_ServerList::OnHideProgressAndShowLogin()
{
    if (GM_ClientSocket* client = client_.data())
        if (client->getProgress() != nullptr)
            client->getProgress()->hide();
    // No session came of it: the messenger no longer shows "connecting".
    emit signalSetMessengerStatus(-1, GM::ConnectStatus(0), 0);
    GM_Login* login = login_.data();
    const bool perdue = sessionPerdue_ || relance_ > 0;
    relance_ = 0;
    sessionPerdue_ = false;
    if (perdue) {
        // The lobby is gone for good: the user logs in again by hand.
        const QString texte = tr("Connexion au lobby perdue.");
        servers_->setConnectionText(texte);
        emit signalLobbyConnectionText(texte);
        if (loginMode_ == ModeAutomatique)
            loginMode_ = ModeInteractif;
    }
    if ((perdue || embedded_ || loginMode_ != ModeAutomatique || isVisible()) && login != nullptr)
        login->show();
}

void GM_ServerList::OnReconnecting(int attempt, int maximum, int delayMs)
{
    relance_ = attempt;
    const int secondes = qMax(1, (delayMs + 999) / 1000);
    const QString texte = tr("Connexion au lobby perdue: nouvelle tentative %1 sur %2 dans %3 s.")
                              .arg(attempt)
                              .arg(maximum)
                              .arg(secondes);
    servers_->setConnectionText(texte);
    emit signalSetMessengerStatus(-1, GM::ConnectStatus(1), 0);
    emit signalLobbyConnectionText(texte);
}

void GM_ServerList::OnAccountLocked()
{
    emit signalAccountLockedStatus(true);
}

void GM_ServerList::OnIpReceived(const QString& ip, quint16 port, qint64 databaseUserId, int timerStart_s,
                                 bool isPublicServer, int tournamentTableId, int serverProtocolVersion)
{
    // The TCP transport's port is what the lobby gives less its offset; a
    // port that would go below the first usable one names no server.
    const bool utilisable = !ip.isEmpty() && port != 0 && (!tcp_ || port > DecalagePortTcp);
    if (!utilisable) {
        // A server joined without a password cannot have refused one.
        const GM_ClientSocket* demandeur = client_.data();
        const bool avecMotDePasse = demandeur == nullptr || demandeur->adresseDemandeeAvecMotDePasse();
        messageBox(GM::Warning, tr("Serveur indisponible"),
                   avecMotDePasse ? tr("Le mot de passe est invalide ou alors ce serveur n'est plus disponible.")
                                  : tr("Ce serveur n'est plus disponible."),
                   GM::Ok);
        GM_WidgetAuto::show();
        return;
    }
    quint16 securise = 0;
    quint16 clair = 0;
    quint16 tcp = 0;
    if (tcp_)
        tcp = quint16(port - DecalagePortTcp);
    else if (unsecure_)
        clair = port;
    else
        securise = port;
    GM_ClientSocket* client = client_.data();
    emit signalStartClientSession(ip, client != nullptr ? client->getLoginName() : QString(), securise, clair, tcp,
                                  databaseUserId, timerStart_s, isPublicServer, tournamentTableId,
                                  serverProtocolVersion);
    if (!embedded_)
        hide();
    if (GM_Login* login = login_.data())
        login->hide();
    setConnectStatus(isPublicServer ? GM::OnPublicServer : GM::GuestOnPrivateServer);
    if (GM_ClientSocket* c = client_.data())
        c->sendOnlineStatus(GM::GuestOnPrivateServer);
}

void GM_ServerList::OnStartServerSession(const QString& loginName, quint16 port_websocket_secure,
                                         quint16 port_websocket_unsecure, quint16 port_tcpOld,
                                         qint64 databaseUserId)
{
    emit signalStartServerSession(loginName, port_websocket_secure, port_websocket_unsecure, port_tcpOld,
                                  databaseUserId);
}

void GM_ServerList::OnReceiveBridgeOpen(qint64 userIdFrom, qint64 userIdTo)
{
    GM_ClientSocket* client = client_.data();
    if (client == nullptr)
        return;
    // The proxy listens to the client's bridge signals itself.
    auto* pont = new GM_ProxyClientSocket(client, userIdFrom, userIdTo, this);
    emit signalReceiveBridgeOpen(pont);
}

// --- Status -------------------------------------------------------------------------

void GM_ServerList::setConnectStatus(GM::ConnectStatus status)
{
    QString activite;
    if (!servers_->selectedServerName().isEmpty())
        activite = tr("Serveur '%1'").arg(servers_->selectedServerName());
    else if (!tournaments_->currentTournamentName().isEmpty())
        activite = tr("Tournoi '%1'").arg(tournaments_->currentTournamentName());
    servers_->setScreenshot(false);
    servers_->OnRefresh();
    GM_ClientSocket* client = client_.data();
    switch (status) {
    case GM::InLobby:
        pushButtonDisconnect_->setEnabled(true);
        friends_->setPrivatePlayAllowed(true);
        friends_->setPublicPlayAllowed(true);
        friends_->OnItemPlayCheckStateChanged();
        servers_->setEnabled(true);
        if (client != nullptr) {
            client->sendBridgeClose(-1, -1);
            client->sendOnlineStatus(GM::InLobby);
        }
        servers_->setSelectedServerName(QString());
        tournaments_->setCurrentTournamentName(QString());
        setDiscord_(QString());
        break;
    case GM::GuestOnPrivateServer:
    case GM::OnPublicServer:
        pushButtonDisconnect_->setEnabled(false);
        friends_->setPrivatePlayAllowed(false);
        friends_->setPublicPlayAllowed(false);
        friends_->disablePlayButtons();
        servers_->setEnabled(false);
        if (client != nullptr)
            client->sendOnlineStatus(GM::GuestOnPrivateServer);
        if (status == GM::GuestOnPrivateServer && activite.isEmpty())
            activite = tr("Serveur privé");
        setDiscord_(activite);
        break;
    case GM::HostingPrivateServer:
        pushButtonDisconnect_->setEnabled(false);
        friends_->setPrivatePlayAllowed(true);
        friends_->setPublicPlayAllowed(false);
        friends_->OnItemPlayCheckStateChanged();
        servers_->setEnabled(false);
        if (client != nullptr)
            client->sendOnlineStatus(GM::GuestOnPrivateServer);
        setDiscord_(tr("Héberge un serveur privé"));
        break;
    case GM::ScreenshotRanking:
    case GM::ScreenshotServers:
    case GM::ScreenshotTitles:
        servers_->setScreenshot(true);
        servers_->OnRefresh();
        tabWidget_->setCurrentIndex(status == GM::ScreenshotRanking   ? Classement
                                    : status == GM::ScreenshotServers ? Serveurs
                                                                      : Titres);
        break;
    }
}

void GM_ServerList::OnTabChanged(int current)
{
    switch (current) {
    case Amis: friends_->OnRefresh(); break;
    case Statistiques: stats_->requestStats(); break;
    case Titres: achievements_->requestAchievements(); break;
    case Serveurs: servers_->OnRefresh(); break;
    case Tournois: QTimer::singleShot(0, tournaments_, &GM_TournamentClient::OnRefresh); break;
    case Classement:
        if (scores_->isListEmpty()) {
            if (GM_ClientSocket* client = client_.data()) {
                QMutexLocker verrou(client->getOutQueueMutex());
                client->sendRefreshRequest(scores_->gameFamily() == 0 ? "R7t" : "R6t");
            }
        }
        break;
    default: break;
    }
}

void GM_ServerList::OnSettings()
{
    if (client_ != nullptr && !isConnected()) {
        if (GM_Login* login = login_.data())
            login->show();
        return;
    }
    GM_WidgetAuto::show();
    if (tabWidget_->currentIndex() >= 0)
        OnTabChanged(tabWidget_->currentIndex());
}

void GM_ServerList::showEvent(QShowEvent* event)
{
    adjustToSize();
    if (client_ != nullptr && isConnected() && login_ != nullptr)
        OnSettings();
    GM_WidgetAuto::showEvent(event);
}

void GM_ServerList::closeEvent(QCloseEvent* event)
{
    GM_ClientSocket* client = client_.data();
    if (client != nullptr && client->state() == QAbstractSocket::ConnectedState && isConnected()
        && client->getProtocolState() == GM_SocketEvent::Idle)
        client->sendBridgeClose(-1, -1);
    if (!connexionAutomatique_())
        disconnectFromLobby();
    GM_WidgetAuto::closeEvent(event);
}

void GM_ServerList::disconnectFromLobby()
{
    GM_ClientSocket* client = client_.data();
    if (client != nullptr) {
        disconnect(client, &GM_ClientSocket::signalDisconnected, this, &GM_ServerList::OnDisconnected);
        client->disconnectFromServer();
        for (int i = 0; i < AttentesDeconnexion; ++i) {
            if (client_ == nullptr || !client->isValid() || client->state() == QAbstractSocket::UnconnectedState)
                break;
            QElapsedTimer attente;
            attente.start();
            while (attente.elapsed() < AttenteDeconnexionMs && client_ != nullptr
                   && client->state() != QAbstractSocket::UnconnectedState) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, AttenteDeconnexionMs);
                QThread::msleep(1);
            }
        }
    }
    relance_ = 0;
    sessionPerdue_ = false;
    OnDisconnected();
}

void GM_ServerList::OnDisconnected()
{
    emit signalSetMessengerStatus(-1, GM::InLobby, 0);
    if (GM_ClientSocket* client = client_.data())
        if (client->getProgress() != nullptr)
            client->getProgress()->hide();
    chat_->clearMessages();
}

void GM_ServerList::OnDisconnectPressed()
{
    disconnectFromLobby();
    if (GM_Login* login = login_.data())
        login->show();
    showLogin(QString(), QString(), loginMode_);
}

void GM_ServerList::OnBackPressed()
{
    if (!embedded_)
        hide();
    else
        showLogin(QString(), QString(), loginMode_);
}

void GM_ServerList::OnDisplayFriendsTab()
{
    tabWidget_->setCurrentIndex(Amis);
    GM_WidgetAuto::show();
}

void GM_ServerList::OnNbrFriendsOnlineChanged(int nbrOnline)
{
    const GM_ClientSocket* client = client_.data();
    emit signalSetMessengerStatus(client != nullptr ? client->getDatabaseUserId() : -1, GM::ConnectStatus(2),
                                  nbrOnline);
}

void GM_ServerList::OnFriendPlayingOnline()
{
    emit signalFriendPlayingOnline();
}

void GM_ServerList::OnSignalPlayTournament()
{
    emit signalPlayTournament();
}

void GM_ServerList::OnOnlineGameStarted()
{
    setConnectStatus(GM::HostingPrivateServer);
    if (!embedded_)
        hide();
}

bool GM_ServerList::swipeTriggered(const QSwipeGesture::SwipeDirection& direction)
{
    const int courant = tabWidget_->currentIndex();
    if (direction == QSwipeGesture::Right && courant + 1 < tabWidget_->count()) {
        tabWidget_->setCurrentIndex(courant + 1);
        return true;
    }
    if (direction == QSwipeGesture::Left && courant > 0) {
        tabWidget_->setCurrentIndex(courant - 1);
        return true;
    }
    return false;
}

void GM_ServerList::retranslate(int language)
{
    retraduitFormulaire_();
    if (GM_Login* login = login_.data())
        login->retranslate();
    stats_->retranslate();
    scores_->clearList();
    scores_->retranslate();
    servers_->retranslate();
    friends_->retranslate();
    achievements_->retranslate();
    clearAchievementTitles();
    chat_->retranslate(language);
    tournaments_->retranslate();
    settingsTab_->retranslate();
    if (GM_ClientSocket* client = client_.data())
        if (client->getProgress() != nullptr)
            client->getProgress()->retranslate();
    OnTabChanged(tabWidget_->currentIndex());
}

// --- Forwarding to the lobby ----------------------------------------------------------

void GM_ServerList::OnServerSendStatsGameStarted(const QString& stats)
{
    if (!isConnected())
        return;
    client_->sendAddStatsGameStarted(stats);
}

void GM_ServerList::OnServerSendStatsGameCompleted(bool isConnected_, const QString& stats)
{
    if (isConnected_)
        envoieMessage_("Eds", stats);
}

void GM_ServerList::OnServerSendPenalty(const QString& penalty)
{
    envoieMessage_("P3n", penalty);
}

void GM_ServerList::envoieMessage_(const char* mot, const QString& champ)
{
    if (!isConnected())
        return;
    GM_ClientSocket* client = client_.data();
    QMutexLocker verrou(client->getOutQueueMutex());
    QSharedPointer<GM_SocketEvent> message = GM_SocketEvent::findEvent(GM_SocketEvent::Idle, mot);
    if (message.isNull())
        return;
    connect(message.data(), &GM_SocketEvent::signalTransmitError, client, &GM_ClientSocket::onError);
    message->champs_ << champ;
    client->enqueueEvent(message);
}

// --- Update ------------------------------------------------------------------------------

void GM_ServerList::OnUpdateNeeded()
{
    // The lobby may refuse the version again while the update downloads.
    if (download_ != nullptr && download_->isDownloading())
        return;
    messageBoxConfirm(GM::Warning, tr("Server Message"),
                      tr("Vous devez mettre à jour votre application pour vous connecter.\n\nSouhaitez-vous "
                         "télécharger la nouvelle version maintenant?"),
                      GM::Ok | GM::Cancel, this, "OnUpdateDownload");
}

void GM_ServerList::OnUpdateDownload()
{
    if (download_ == nullptr || download_->isDownloading())
        return;
    const QString dossier = GM_Download::updateFolder();
    if (dossier.isEmpty()) {
        messageBox(GM::Warning, tr("Mise à jour"),
                   tr("Erreur lors de l'écriture du fichier '%1': %2.")
                       .arg(updateFileName_, tr("aucun dossier temporaire n'est accessible")),
                   GM::Ok);
        return;
    }
    QString base = updateUrl_.isEmpty() ? QString::fromLatin1(GM_Download::DefaultBaseUrl) : updateUrl_;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const QString fichier = QDir(dossier).filePath(updateFileName_);
    download_->download(QUrl(QStringLiteral("%1/%2").arg(base, updateFileName_)), fichier);
}

bool GM_ServerList::ouvreAvecLeBureau(const QString& fichier)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fichier));
}

void GM_ServerList::termineLeProgramme(int code)
{
    QCoreApplication::exit(code);
}

void GM_ServerList::OnUpdateExecuteInstall(const QString& exeFileName)
{
    // No elevation is asked for here: the installer asks for it itself
    // where the system has such a thing.
    const bool demarre = QProcess::startDetached(exeFileName, QStringList()) || ouvertureBureau_(exeFileName);
    if (!demarre) {
        messageBox(GM::Warning, tr("Erreur"),
                   tr("Le fichier requis n'a pas pu être ouvert automatiquement. Merci de vous rendre sur '")
                       + QLatin1String(SiteWeb)
                       + tr("' à la section 'Télécharger' et d'installer la nouvelle version depuis cet endroit."),
                   GM::Ok);
        return;
    }
    finDuProgramme_(0);
}

void GM_ServerList::OnPasswordChanged(const QString& password)
{
    if (GM_Login* login = login_.data())
        login->replaceSavedPassword(password);
    if (GM_ClientSocket* client = client_.data())
        client->setPassword(password);
}
