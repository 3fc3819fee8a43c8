// The main window's side of the online lobby and of the native hooks: the
// lobby windows it makes and wires, the game sessions the lobby asks for,
// the lobby bridges, and the Discord presence.

#include "ZB_MainWidget.h"

#include "DisplayGL.h"
#include "DisplayGLScene.h"
#include "GM_ClientSocket.h"
#include "GM_Download.h"
#include "GM_Exception.h"
#include "GM_Login.h"
#include "GM_NativeDiscord.h"
#include "GM_Progress.h"
#include "GM_ServerList.h"
#include "GM_ServerPass.h"
#include "GM_SocketAbstract.h"
#include "GM_TournamentClient.h"
#include "TableClient.h"
#include "ZB_ClientDialogIp.h"
#include "ZB_MultiServer.h"
#include "GM_SpacesSeparatedString.h"
#include "ZB_SettingsStore.h"
#include "ZB_TraceLog.h"
#include "ZB_Translator.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QHostAddress>
#include <QPushButton>
#include <QTimer>

namespace {

// The lobby windows sit above the table's settings; the progress window and
// the password dialog open over the lobby window.
constexpr double Z_LOBBY = DisplayGLScene::Z_REGLAGES;
constexpr double Z_PASSE_LOBBY = DisplayGLScene::Z_REGLAGES + 0.01;
constexpr double Z_PROGRESSION_LOBBY = DisplayGLScene::Z_REGLAGES + 0.02;
constexpr int PLACEMENT_CENTRE = 0;
// The lobby window and its login take the strip right of the table when the
// wide layout shows one (the lobby is embedded there, with no button to
// put it away), else the table like the other windows.
constexpr int PLACEMENT_BANDE = 1;
constexpr int TAILLE_ENCART = 1;
// The messenger states the lobby window reports (the scene's connect
// button shows them).
constexpr int MESSAGER_DECONNECTE = 0;
constexpr int MESSAGER_EN_LIGNE = 2;
// The scene's table number of a session that is no tournament table.
constexpr int TABLE_HORS_TOURNOI = 0;
constexpr const char* SERVEUR_PUBLIC_JASS = "Jass Public";
constexpr const char* SERVEUR_PUBLIC_BELOTE = "Belote Classique Public";

} // namespace

GM_ServerList* ZB_MainWidget::lobby() const
{
    return lobby_.data();
}

QString ZB_MainWidget::nomDeJeu_() const
{
    const QString garde = settings_ ? ZB_SettingsStore(*settings_).nomDeJeu() : QString();
    return nomDeJeuPropose(loginNomLobby_, garde, nomDuSysteme());
}

void ZB_MainWidget::gardeNomDeJeu_(const QString& nom)
{
    const QString propre = nettoieNomDeJeu(nom);
    if (propre.isEmpty() || !settings_)
        return;
    ZB_SettingsStore store(*settings_);
    store.setNomDeJeu(propre);
    store.synchronise();
}

GM_Login* ZB_MainWidget::loginLobby() const
{
    return loginLobby_.data();
}

GM_NativeA* ZB_MainWidget::natif() const
{
    return natif_.get();
}

void ZB_MainWidget::creeNatif_()
{
    // Without the Discord library the hooks register the program and then
    // retry quietly: nothing here depends on Discord being there.
    natif_ = std::make_unique<GM_NativeDiscord>(QCoreApplication::applicationName(),
                                                QCoreApplication::applicationFilePath(), demarrage_.belote != 0);
}

void ZB_MainWidget::construitLobby_()
{
    DisplayGLScene* scene = vue_->scene();
    auto* login = scene->addDialog<GM_Login>(Z_LOBBY, PLACEMENT_BANDE, TAILLE_ENCART);
    auto* progression = scene->addDialog<GM_Progress>(Z_PROGRESSION_LOBBY, PLACEMENT_CENTRE, TAILLE_ENCART);
    auto* passe = scene->addDialog<GM_ServerPass>(Z_PASSE_LOBBY, PLACEMENT_CENTRE, TAILLE_ENCART);
    auto* salon = scene->addDialog<GM_ServerList>(Z_LOBBY, PLACEMENT_BANDE, TAILLE_ENCART);
    if (login == nullptr || progression == nullptr || passe == nullptr || salon == nullptr)
        return;
    for (QWidget* fenetre : std::initializer_list<QWidget*>{login, progression, passe, salon})
        fenetre->hide();
    loginLobby_ = login;
    progressionLobby_ = progression;
    passeLobby_ = passe;
    lobby_ = salon;

    familleLobby_ = demarrage_.belote != 0 ? 1 : 0;
    langueLobby_ = ZB_Translator::langueAffichee(optionsAffichage_.language_, demarrage_.english);
    login->init(settings_.get());
    salon->init(login, progression, scene, natif(), passe, QString(), QLatin1String(FICHIER_MISE_A_JOUR),
                QLatin1String(GM_Download::DefaultBaseUrl),
                QLatin1String(demarrage_.belote != 0 ? SERVEUR_PUBLIC_BELOTE : SERVEUR_PUBLIC_JASS), &familleLobby_,
                demarrage_.nossl, demarrage_.tcpsockets, demarrage_.belote != 0, &langueLobby_, settings_.get());
    // An installer that is ready ends the program the ordinary way, with
    // the game saved; an unattended run never hands a file to the desktop.
    salon->setFinDuProgramme([this](int) { quitte_(); });
    if (demarrage_.automatique)
        salon->setOuvertureBureau([](const QString&) { return false; });

    connect(salon, &GM_ServerList::signalStartClientSession, this, &ZB_MainWidget::startClientSession);
    connect(salon, &GM_ServerList::signalStartServerSession, this, &ZB_MainWidget::startServerSession);
    connect(salon, &GM_ServerList::signalSetMessengerStatus, this, &ZB_MainWidget::OnSetMessengerStatus);
    connect(salon, &GM_ServerList::signalReceiveBridgeOpen, this, &ZB_MainWidget::OnReceiveBridgeOpen);
    connect(salon, &GM_ServerList::signalFriendPlayingOnline, this, &ZB_MainWidget::OnNotifyFriendPlayingOnline);
    connect(salon, &GM_ServerList::signalPlayTournament, this, &ZB_MainWidget::OnSignalPlayTournament);
    connect(salon, &GM_ServerList::signalAccountLockedStatus, this, &ZB_MainWidget::OnAccountLockedStatus);
    // The lobby window is mostly hidden: the state of its connection is
    // told on the table, and stays on the connect button's tip.
    connect(salon, &GM_ServerList::signalLobbyConnectionText, this, [this](const QString& texte) {
        DisplayGLScene* scene = vue_->scene();
        scene->afficheMessageReseau(texte);
        scene->boutonConnexion()->setToolTip(texte);
        if (ZB_TraceLog* trace = trace_())
            trace->log(QStringLiteral("Lobby connection: ") + texte);
    });
    connect(salle_.get(), &ZB_Room::signalOnlineGameStarted, salon, &GM_ServerList::OnOnlineGameStarted);
    connect(salle_.get(), &ZB_Room::signalSendStatsGameStart, salon, &GM_ServerList::OnServerSendStatsGameStarted);
    connect(salle_.get(), &ZB_Room::signalSendPenalty, salon, &GM_ServerList::OnServerSendPenalty);
    // The tournament options of the command line run once the first login
    // has succeeded: the tab needs the lobby's list to find the tournament.
    GM_ClientSocket* client = salon->client();
    if (client != nullptr && (!demarrage_.tournamentCmd.isEmpty() || demarrage_.testTournament))
        connect(client, &GM_ClientSocket::signalReady, this, [this] {
            // After the client's own handling of its answer.
            QTimer::singleShot(0, this, &ZB_MainWidget::lanceOptionsTournoi_);
        });
}

void ZB_MainWidget::demarreLobby_()
{
    if (natif_)
        natif_->discordInit();
    GM_ServerList* salon = lobby_.data();
    if (salon == nullptr)
        return;
    // The lobby sits in the wide layout's right strip when there is one.
    salon->showOnline(vue_->scene()->isPanneauDroitAffiche());
    if (!demarrage_.loginEmail.isEmpty())
        salon->showLogin(demarrage_.loginEmail, demarrage_.loginPass, 5);
    else
        salon->startLogin(4); // only when the user chose automatic connection
}

void ZB_MainWidget::lanceOptionsTournoi_()
{
    const GM_ServerList* salon = lobby_.data();
    GM_TournamentClient* tournois = salon != nullptr ? salon->tournamentsTab() : nullptr;
    if (optionsTournoiLancees_ || tournois == nullptr)
        return;
    optionsTournoiLancees_ = true;
    const QPointer<GM_TournamentClient> garde(tournois);
    const QString message = GM_Exception::sansException([&] {
        if (!demarrage_.tournamentCmd.isEmpty())
            tournois->executeCommand(demarrage_.tournamentCmd, demarrage_.tournamentId);
        if (demarrage_.testTournament && !garde.isNull() && !tournois->selectTournament(demarrage_.tournamentId))
            if (ZB_TraceLog* trace = trace_())
                trace->log(QStringLiteral("Tournament %1 not found").arg(demarrage_.tournamentId));
    });
    if (!message.isEmpty())
        afficheErreur_(message);
}

void ZB_MainWidget::ouvreLobby_()
{
    GM_ServerList* salon = lobby_.data();
    if (salon == nullptr)
        return;
    vue_->scene()->stopAnimationsAndCloseDialogs();
    salon->OnSettings();
}

void ZB_MainWidget::OnButtonConnectPressed()
{
    ZB_TRACE_SLOT(trace_());
    ouvreLobby_();
}

void ZB_MainWidget::retraduitLobby_()
{
    langueLobby_ = ZB_Translator::langueAffichee(optionsAffichage_.language_, demarrage_.english);
    if (GM_ServerList* salon = lobby_.data())
        salon->retranslate(langueLobby_);
}

void ZB_MainWidget::quitteLobby_()
{
    // Waits a moment for the lobby to see the goodbye; a lobby that does not
    // answer does not hold the program back for long.
    if (GM_ServerList* salon = lobby_.data())
        salon->disconnectFromLobby();
}

bool ZB_MainWidget::departEnLigne_(int modeDepart, int genreSession, const QString& adresse, const QString& login,
                                   quint16 secure, quint16 unsecure, quint16 tcp, int secondes, bool publique,
                                   const QSharedPointer<GM_SocketAbstract>& socket, int noTable)
{
    vue_->scene()->stopAnimationsAndCloseDialogs();
    matchFini_ = false;
    if (genreSession == ZB_Room::SessionClient || genreSession == ZB_Room::SessionServeur)
        gardePartieLocale_();
    const QString message = GM_Exception::sansException([&] {
        salle_->reponse_Depart(&modeDepart, &genreSession, optionsPartie_, adresse, login, secure, unsecure, tcp,
                               secondes, publique, socket, noTable);
    });
    metAJourActions_();
    if (message.isEmpty())
        return true;
    afficheErreur_(message);
    return false;
}

void ZB_MainWidget::startClientSession(const QString& ip, const QString& loginName, quint16 port_websocket_secure,
                                       quint16 port_websocket_unsecure, quint16 port_tcpOld, qint64 databaseUserId,
                                       int timerStart_s, bool isPublicServer, int tournamentTableId,
                                       int serverProtocolVersion)
{
    ZB_TRACE_SLOT(trace_());
    Q_UNUSED(serverProtocolVersion); // the table's own handshake settles it
    if (port_websocket_secure == 0 && port_websocket_unsecure == 0 && port_tcpOld == 0)
        return;
    if (dialogueIp_)
        dialogueIp_->setIp(ip);
    if (!nettoieNomDeJeu(loginName).isEmpty())
        loginNomLobby_ = loginName;
    if (databaseUserId >= 0) {
        idUtilisateurLobby_ = databaseUserId;
        salle_->setDatabaseUserId(databaseUserId);
    }
    // One online game at a time: the one in progress is left first.
    if (salle_->estEnLigne()) {
        salle_->stopOnlineSession();
        serveur_->closeAll();
    }
    departEnLigne_(ZB_Room::SansDepart, ZB_Room::SessionClient, ip, loginName, port_websocket_secure,
                   port_websocket_unsecure, port_tcpOld, timerStart_s, isPublicServer, {},
                   tournamentTableId > 0 ? tournamentTableId : TABLE_HORS_TOURNOI);
}

void ZB_MainWidget::startServerSession(const QString& loginName, quint16 port_websocket_secure,
                                       quint16 port_websocket_unsecure, quint16 port_tcpOld, qint64 databaseUserId)
{
    ZB_TRACE_SLOT(trace_());
    if (databaseUserId >= 0) {
        idUtilisateurLobby_ = databaseUserId;
        salle_->setDatabaseUserId(databaseUserId);
    }
    if (!nettoieNomDeJeu(loginName).isEmpty())
        loginNomLobby_ = loginName;
    if (salle_->estEnLigne())
        salle_->stopOnlineSession();
    // A private invitation names no ports, yet the table starts its game
    // only with a secure port: the session's own ports then, or free ones
    // on loopback in an unattended run (its guests come through the lobby).
    const bool automatique = demarrage_.automatique != 0;
    const auto port = [automatique](quint16 donne, quint16 defaut) {
        return donne != 0 ? donne : (automatique ? quint16(0) : defaut);
    };
    const quint16 secure = port(port_websocket_secure, ZB_MultiServer::PortWebSecureDefaut);
    const quint16 unsecure = port(port_websocket_unsecure, ZB_MultiServer::PortWebUnsecureDefaut);
    const quint16 tcp = port(port_tcpOld, quint16(demarrage_.port));
    const QHostAddress adresse = automatique ? QHostAddress(QHostAddress::LocalHost) : QHostAddress(QHostAddress::Any);
    if (!serveur_->ecoute(adresse, tcp, secure, unsecure)) {
        afficheErreur_(tr("Impossible d'écouter sur le port %1: un autre programme l'utilise peut-être.")
                           .arg(secure != 0 ? secure : tcp));
        return;
    }
    serveur_->setBridgeOuvert(true);
    if (!departEnLigne_(ZB_Room::NouvellePartie, ZB_Room::SessionServeur, QString(), loginName,
                        serveur_->getPortWebSecure(), serveur_->getPortWebUnsecure(), serveur_->getPortTcp(), 0, false,
                        {}, -1)) {
        serveur_->setBridgeOuvert(false);
        serveur_->closeAll();
        return;
    }
    if (automatique)
        QTimer::singleShot(INTERVALLE_HOTE_MS, this, &ZB_MainWidget::OnHoteAttendClient);
}

void ZB_MainWidget::OnReceiveBridgeOpen(GM_SocketAbstract* socket)
{
    ZB_TRACE_SLOT(trace_());
    if (socket == nullptr)
        return;
    if (salle_->getEtatEnLigne() == ZB_Room::Hote && serveur_->estBridgeOuvert()) {
        serveur_->OnReceiveBridgeOpen(socket);
        return;
    }
    if (salle_->estEnLigne()) {
        // Already at a table: this bridge has nowhere to go.
        socket->deleteLater();
        return;
    }
    // The room owns the bridge from now on; left a child of the lobby
    // window it would be deleted twice when the windows go.
    socket->setParent(nullptr);
    const QSharedPointer<GM_SocketAbstract> pont(socket, &QObject::deleteLater);
    const GM_ServerList* salon = lobby_.data();
    const GM_ClientSocket* client = salon != nullptr ? salon->client() : nullptr;
    const QString login = client != nullptr ? client->getLoginName() : QString();
    departEnLigne_(ZB_Room::ViderListes, ZB_Room::SessionClient, QString(), login, 0, 0, 0, ATTENTE_CLIENT_SECONDES,
                   false, pont, TABLE_HORS_TOURNOI);
}

void ZB_MainWidget::OnSetMessengerStatus(qint64 databaseUserId, GM::ConnectStatus connectStatus, int nbrFriends)
{
    // A disconnection names nobody (-1): the account stays the one the
    // game in progress was joined with.
    if (databaseUserId >= 0) {
        idUtilisateurLobby_ = databaseUserId;
        salle_->setDatabaseUserId(databaseUserId);
    }
    vue_->scene()->afficheNombreSurBouton(int(connectStatus), nbrFriends);
    // Online again: a tip about a lost connection is old news.
    if (connectStatus == MESSAGER_EN_LIGNE)
        vue_->scene()->boutonConnexion()->setToolTip(QString());
    if (connectStatus == MESSAGER_DECONNECTE)
        compteBloque_ = false;
}

void ZB_MainWidget::OnAccountLockedStatus(bool isLocked)
{
    // The lobby client has told the user already.
    compteBloque_ = isLocked;
    if (ZB_TraceLog* trace = trace_())
        trace->log(QStringLiteral("Lobby account %1").arg(isLocked ? QStringLiteral("locked") : QStringLiteral("open")));
}

void ZB_MainWidget::OnNotifyFriendPlayingOnline()
{
    vue_->scene()->showNotify();
}

void ZB_MainWidget::OnSignalPlayTournament()
{
    ZB_TRACE_SLOT(trace_());
    const GM_ServerList* salon = lobby_.data();
    GM_TournamentClient* tournois = salon != nullptr ? salon->tournamentsTab() : nullptr;
    if (tournois == nullptr || tournois->startedQueue().isEmpty())
        return;
    const QString id = tournois->startedQueue().takeFirst();
    tournois->joinTournament(id);
}

void ZB_MainWidget::OnServerSendStatsGameCompleted(bool isConnected, QString stats)
{
    // What the end-of-match box shows comes from these: a report about a
    // match's end finds them here.
    if (ZB_TraceLog* trace = trace_())
        trace->log(QStringLiteral("Match completed: ") + stats);
    if (GM_ServerList* salon = lobby_.data())
        salon->OnServerSendStatsGameCompleted(isConnected, stats);
}

void ZB_MainWidget::OnOnlineGameEnded()
{
    // Bridges are taken only while a lobby table is hosted.
    serveur_->setBridgeOuvert(false);
    if (natif_)
        natif_->discordSetActivity(QString());
    if (GM_ServerList* salon = lobby_.data())
        salon->setConnectStatus(GM::InLobby);
    metAJourActions_();
    // Later: the client's socket that told the end is still at work.
    if (salle_->getEtatEnLigne() == ZB_Room::Client)
        QTimer::singleShot(0, this, &ZB_MainWidget::retourAuJeuLocal_);
}
