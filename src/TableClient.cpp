#include "TableClient.h"

#include "ClientSocket.h"
#include "DisplayA.h"
#include "Evenements.h"
#include "GM_SocketTCP.h"
#include "GM_SocketWeb.h"
#include "OptionsDuJoueur.h"
#include "ServerView.h"
#include "ZB_AIError.h"
#include "ZB_ClientConnection.h"
#include "ZB_Event.h"
#include "ZB_EventClientAskInfo.h"
#include "ZB_EventDisconnectClient.h"
#include "ZB_EventSocketError.h"
#include "ZB_EventsGroup.h"
#include "ZB_FichierDePartie.h"
#include "ZB_RoomTable.h"

#include <QDir>
#include <QMessageLogger>
#include <QTextStream>
#include <QTimer>

TableClient::TableClient(QObject* parent, DisplayA* display, GM_MessageBoxDisplayerA* displayer,
                         const OptionsDePartie& genre, const Parametres& parametres)
    : ZB_Room(parent, display, displayer, genre, parametres)
    , identite_(parametres.dossierDonnees)
{
}

TableClient::~TableClient()
{
    evenements_.reset();
    if (clientSocket_)
        clientSocket_->closeConnection();
    clientSocket_.reset();
    serverView_.reset();
    fenetreConnexion_.reset();
}

void TableClient::askQuit(QObject* destinataire, const char* slot)
{
    demandeAvantDeQuitter_(destinataire, slot, Programme);
}

void TableClient::askLeave(QObject* destinataire, const char* slot)
{
    demandeAvantDeQuitter_(destinataire, slot, PartieEnLigne);
}

void TableClient::askStopServer(QObject* destinataire, const char* slot)
{
    demandeAvantDeQuitter_(destinataire, slot, Serveur);
}

void TableClient::demandeAvantDeQuitter_(QObject* destinataire, const char* slot, Depart depart)
{
    const int etatMinimum = getEvents()->getEtatMinimum();
    const bool sansQuestion = estSansSauvegarde() || (needsSave() && etatMinimum != 139 && etatMinimum > 10)
                           || !estEnLigne() || etatMinimum == 139;
    if (sansQuestion) {
        repondsAuSlot(destinataire, slot, GM::Ok);
        return;
    }
    QString penalite;
    ZB_RoomTable* table = getTable(-1);
    const int local = table != nullptr ? table->getNoJoueurLocal() : -1;
    if (penaliteEnLigne_ && local >= 0 && !table->estMemeCompte(local))
        penalite = tr("Comme une partie entière n'a pas encore été complétée, une pénalité sur votre score en ligne "
                      "sera appliquée. ");
    // One French question fits the three; other languages say what the
    // user is about to leave: the program goes on after the two others.
    const char* quoi = depart == Programme ? nullptr : depart == PartieEnLigne ? "leave the online game" : "stop the server";
    const QString question = tr("Une partie réseau est en cours. %1Voulez-vous tout de même quitter?", quoi);
    messageBoxQuestion(GM::Warning, tr("Avertissement."), question.arg(penalite),
                       static_cast<GM::StandardButton>(GM::Ok | GM::Cancel), destinataire,
                       nomDeMethode(slot).constData());
}

void TableClient::posteEvenementDuClient(ZB_Event* ev)
{
    QCoreApplication::postEvent(this, ev);
}

void TableClient::disconnectFromServer()
{
    if (!clientSocket_)
        return;
    if (ZB_StatutConnexionA* statut = clientSocket_->getStatut()) {
        statut->montre();
        statut->setEtat(ZB_StatutConnexionA::DeconnecteUtilisateur);
    }
    clientSocket_->closeConnection();
}

void TableClient::startHosting(QSharedPointer<GM_SocketAbstract> socket, const QString& login, quint16 portSecure,
                               quint16 portUnsecure, quint16 portTcp, qint64 idUtilisateur)
{
    ServerView* vue = serverViewExterne_.data();
    if (vue == nullptr) {
        if (!serverView_)
            serverView_ = std::make_unique<ServerView>(nullptr, getServer(), this);
        vue = serverView_.get();
    }
    vue->start(getOptions(), socket, login, portSecure, portUnsecure, portTcp, idUtilisateur, this);
}

void TableClient::setServerView(ServerView* vue)
{
    // Two views would fight over the server's one socket input: the room's
    // own goes once another takes over.
    if (vue == nullptr) {
        serverViewExterne_ = nullptr;
        return;
    }
    serverView_.reset();
    serverViewExterne_ = vue;
    if (ZB_ServerSocket* serveur = getServer())
        serveur->setSocketInput(vue);
}

ServerView* TableClient::getServerView() const
{
    return serverViewExterne_ ? serverViewExterne_.data() : serverView_.get();
}

void TableClient::setFenetreConnexion(ZB_ClientConnection* fenetre)
{
    fenetreConnexionExterne_ = fenetre;
}

ZB_ClientConnection* TableClient::getFenetreConnexion() const
{
    return fenetreConnexionExterne_ ? fenetreConnexionExterne_.data() : fenetreConnexion_.get();
}

bool TableClient::loadFromStream(QTextStream& in, int* typeDeFichier, quint64 noTable, int* nombreDeLignes)
{
    int lignes = 0;
    if (!ZB_Room::loadFromStream(in, typeDeFichier, noTable, &lignes))
        return false;
    if (nombreDeLignes != nullptr)
        *nombreDeLignes = lignes;
    filmDemande_ = false;
    const int type = typeDeFichier != nullptr ? *typeDeFichier : ZB_FichierDePartie::FichierNormal;
    if (lignes < 11) {
        rejoueTout_(ZB_RoomTable::ModeVueSansAnimation);
    } else if (type == ZB_FichierDePartie::FichierClient) {
        messageBoxQuestion(GM::Question, tr("Question."), tr("Voulez-vous revoir la partie depuis le début?"),
                           static_cast<GM::StandardButton>(GM::Yes | GM::No), this, "OnShowReplay_Answer");
    } else {
        rejoueTout_(type);
    }
    return true;
}

void TableClient::rejoueTout_(int modeVue)
{
    for (ZB_RoomTable* table : getTables())
        table->rejoue(modeVue, this);
}

void TableClient::OnShowReplay_Answer(int result)
{
    reponseFilm_ = result == GM::Yes;
    // Only a replay the user watched ends with a box: one rebuilt at once
    // gives the user's seat back without a word.
    filmDemande_ = reponseFilm_;
    rejoueTout_(reponseFilm_ ? ZB_RoomTable::ModeVueFilm : ZB_RoomTable::ModeVueSansAnimation);
}

void TableClient::cb_replayTermine()
{
    // The replay only rebuilt the table: once it is through, the user sits
    // at the table again, so the seat to act sees its request live.
    if (display_ != nullptr) {
        display_->afficheTable();
        display_->rafraichit();
    }
    // Told before the game goes on: an unattended run reports the table
    // as the file left it.
    const QString arret = arretRelecture_;
    arretRelecture_.clear();
    emit signalRelectureFinie(arret);
    if (filmDemande_) {
        // The box says the game goes on with OK: it does, and nobody is
        // asked to move behind it meanwhile.
        filmDemande_ = false;
        messageBoxQuestion(GM::Information, tr("Information."),
                           tr("Fin du film. Cliquez sur OK pour continuer la partie."), GM::Ok, this,
                           "OnFinDuFilm_Answer");
        return;
    }
    getEvents()->flush();
}

void TableClient::OnFinDuFilm_Answer(int)
{
    getEvents()->flush();
}

void TableClient::cb_replayArrete(qsizetype ligne)
{
    // Lines as a text editor numbers them, the version being line 1.
    const QString message =
        ligne >= 0 ? tr("La partie %1 ne suit plus le jeu après la ligne %2: elle continue depuis ce coup.")
                         .arg(QDir::toNativeSeparators(getFichierCharge()))
                         .arg(ligne + 1)
                   : tr("La partie %1 ne suit pas le jeu dès son premier coup: elle continue depuis le début.")
                         .arg(QDir::toNativeSeparators(getFichierCharge()));
    QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO).warning("%s", qUtf8Printable(message));
    filmDemande_ = false;
    arretRelecture_ = message;
    messageBox(GM::Warning, tr("Partie incomplète"), message, GM::Ok);
    cb_replayTermine();
}

void TableClient::cb_replayAbime(qsizetype ligne, const QString& raison)
{
    // Lines as a text editor numbers them, the version being line 1.
    const QString message = tr("La partie %1 n'a pas pu être ouverte.")
                                .arg(QDir::toNativeSeparators(getFichierCharge()))
                          + QLatin1Char('\n')
                          + tr("Le fichier est abîmé à la ligne %1: %2.").arg(ligne + 1).arg(raison);
    QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO).warning("%s", qUtf8Printable(message));
    filmDemande_ = false;
    arretRelecture_.clear();
    if (display_ != nullptr) {
        display_->afficheTable();
        display_->rafraichit();
    }
    emit signalFichierRefuse(message);
}

void TableClient::connectToServer(const QString& adresse, quint16 port, const QString& login, qint64 idUtilisateur,
                                  int secondesAttente, bool connexionPublique,
                                  QSharedPointer<GM_SocketAbstract> socket)
{
    finDite_ = false;
    rattrapages_ = 0;
    transportsRestants_.clear();
    if (socket.isNull()) {
        // The transport the session was started with first; should its
        // port turn out to serve another one, the others follow, each on
        // its own port (the port typed for a join is that of all three).
        const Transport premier = estTcp() ? Tcp : (estNonSecurise() ? WebSocket : WebSocketSecure);
        for (const Transport t : {WebSocketSecure, WebSocket, Tcp}) {
            const quint16 p = t == Tcp ? portTcp_ : (t == WebSocket ? portUnsecure_ : portSecure_);
            if (t != premier && p != 0)
                transportsRestants_.append({t, p});
        }
        socket = nouveauSocket_(premier);
        socket_ = socket;
    }
    ouvreConnexion_(adresse, port, login, idUtilisateur, secondesAttente, connexionPublique, socket);
}

QSharedPointer<GM_SocketAbstract> TableClient::nouveauSocket_(Transport transport)
{
    if (transport == Tcp)
        return QSharedPointer<GM_SocketAbstract>(new GM_SocketTCP, &QObject::deleteLater);
    return QSharedPointer<GM_SocketAbstract>(new GM_SocketWeb(transport == WebSocket), &QObject::deleteLater);
}

bool TableClient::essaieUnAutreTransport()
{
    if (transportsRestants_.isEmpty() || !clientSocket_)
        return false;
    const EssaiDeTransport essai = transportsRestants_.takeFirst();
    const QString adresse = clientSocket_->getAdresse();
    const QString login = clientSocket_->getLogin();
    const qint64 idUtilisateur = clientSocket_->getIdUtilisateur();
    const int secondes = clientSocket_->getSecondesAttente();
    // Later: the socket that asks is still at work further up this call.
    QTimer::singleShot(0, this, [this, essai, adresse, login, idUtilisateur, secondes] {
        if (getEtatEnLigne() != Client || !clientSocket_)
            return;
        socket_ = nouveauSocket_(essai.transport);
        ouvreConnexion_(adresse, essai.port, login, idUtilisateur, secondes, false, socket_);
    });
    return true;
}

void TableClient::horsDePasAvecLHote(const EvenementDeJeu& ev)
{
    if (rattrapageDemande_ || !clientSocket_)
        return;
    rattrapageDemande_ = true;
    qWarning().noquote() << QStringLiteral("WARNING: TableClient: this copy cannot run its host's move %1; it joins "
                                           "again to be caught up")
                                .arg(ev.toString(getProtocolVersion()));
    // Later: the table's list runs the refused move further up this call.
    QTimer::singleShot(0, this, [this] {
        rattrapageDemande_ = false;
        if (getEtatEnLigne() != Client || !clientSocket_)
            return;
        // A lobby's bridge cannot be dialled again from here.
        if (++rattrapages_ > RattrapagesMax || clientSocket_->estConnexionPublique()) {
            clientSocket_->quitte();
            finDeSession_(GM::Warning, tr("Information"),
                          tr("Cette copie ne suit plus la partie de l'hôte: elle quitte la partie en ligne."));
            return;
        }
        if (display_ != nullptr)
            display_->afficheMessageReseau(
                tr("Cette copie ne suit plus la partie de l'hôte: la partie est reprise auprès de l'hôte."));
        const GM_SocketAbstract* actuel = clientSocket_->getSocket();
        const Transport transport = qobject_cast<const GM_SocketTCP*>(actuel) != nullptr ? Tcp
                                  : actuel != nullptr && actuel->isUnsecure()          ? WebSocket
                                                                                      : WebSocketSecure;
        const QString adresse = clientSocket_->getAdresse();
        const quint16 port = clientSocket_->getPort();
        const QString login = clientSocket_->getLogin();
        const qint64 idUtilisateur = clientSocket_->getIdUtilisateur();
        const int secondes = clientSocket_->getSecondesAttente();
        socket_ = nouveauSocket_(transport);
        ouvreConnexion_(adresse, port, login, idUtilisateur, secondes, false, socket_);
    });
}

void TableClient::ouvreConnexion_(const QString& adresse, quint16 port, const QString& login, qint64 idUtilisateur,
                                  int secondesAttente, bool connexionPublique,
                                  const QSharedPointer<GM_SocketAbstract>& socket)
{
    if (clientSocket_) {
        // Replaced on purpose (a catch-up, another transport): its close
        // is no end of the session.
        clientSocket_->detacheDeLaSalle();
        clientSocket_->closeConnection();
        clientSocket_.reset();
    }
    if (!fenetreConnexionExterne_ && !fenetreConnexion_)
        fenetreConnexion_ = std::make_unique<ZB_ClientConnection>(nullptr);
    secondesAttente_ = secondesAttente;
    ZB_SalleClienteA* salle = this;
    clientSocket_ = std::make_unique<ClientSocket>(salle, getListe(-1), display_, getFenetreConnexion(), socket,
                                                   displayer_);
    clientSocket_->setIdJoueur(idJoueur_);
    clientSocket_->setSilenceMaxMs(silenceHoteMaxMs_);
    clientSocket_->setSilenceEnJeuMaxMs(silenceEnJeuMaxMs_);
    // Kept with the id, so that this player, or this program started again,
    // proves to the host that it is the one who left.
    connect(clientSocket_.get(), &ClientSocket::signalCleDeSiege, this, [this](const QString& cle) {
        identite_.setCle(hoteDeLId_, idJoueur_, cle);
    });
    clientSocket_->connecte(adresse, port, login, idUtilisateur, secondesAttente, connexionPublique);
}

void TableClient::stopOnlineSession()
{
    const bool client = getEtatEnLigne() == Client;
    ZB_Room::stopOnlineSession();
    if (client && clientSocket_) {
        clientSocket_->closeConnection();
        clientSocket_.reset();
        if (display_ != nullptr)
            display_->finDeDonne(false);
    }
    // The searches stopped with the session: what the online seat had
    // answered before must not reach the game that follows, nor a catch-up
    // replay cut short leave the next game in its view.
    if (client)
        oubliePartieQuittee_();
}

void TableClient::sendToServer(const EvenementDeJeu& ev)
{
    if (clientSocket_)
        clientSocket_->sendEvent(ev);
}

void TableClient::endOnlineGame(bool notifie)
{
    if (getEtatEnLigne() != Client) {
        // The host excluded at her own table stays its host: the computer
        // plays her seat on, and the game goes on for everybody.
        if (notifie && display_ != nullptr)
            display_->afficheExclusion(false);
        else if (!notifie)
            messageBox(GM::Information, tr("Information"), tr("La partie en ligne est terminée."), GM::Ok);
        return;
    }
    if (clientSocket_)
        clientSocket_->quitte();
    if (!notifie) {
        finDeSession_(GM::Information, tr("Information"), tr("La partie en ligne est terminée."));
        return;
    }
    if (display_ != nullptr)
        display_->afficheExclusion(true);
    finDeSession_(GM::Warning, QString(), QString());
}

void TableClient::finDeSession_(GM::Icon icone, const QString& titre, const QString& texte, const QString& raison)
{
    // Several reports may end one session (the close follows an exclusion,
    // an error precedes the close): the first one says why, and the user
    // reads that alone.
    if (finDite_)
        return;
    finDite_ = true;
    // An unattended copy reports this reason when it ends.
    finEnLigne_ = !texte.isEmpty() ? texte : !raison.isEmpty() ? raison : tr("La partie en ligne est terminée.");
    if (!texte.isEmpty())
        messageBox(icone, titre, texte, GM::Ok);
    OnOnlineGameEnded();
}

void TableClient::reprend_(int modeDepart, int genreSession)
{
    reponse_Depart(&modeDepart, &genreSession, getOptions(), QString(), QString(), portSecure_, portUnsecure_,
                   portTcp_, secondesAttente_, false, socket_, -1);
}

void TableClient::answerNextGame(bool isPlayerContinue)
{
    emit testSignalGameCompleted();
    const int etat = getEtatEnLigne();
    if (isPlayerContinue) {
        if (etat == Client)
            reprend_(SansDepart, SessionAutre);
        else
            reprend_(MemesJoueurs, SessionAutre);
        return;
    }
    if (estEnLigne())
        stopOnlineSession();
    if (etat == Hote)
        reprend_(ViderListes, SessionServeur);
    else
        reprend_(MemesJoueurs, SessionAutre);
}

void TableClient::resetToSingleTable()
{
    evenements_.reset();
    ZB_Room::resetToSingleTable();
    if (fenetreEvenementsActive_)
        setFenetreEvenements(true);
}

void TableClient::setFenetreEvenements(bool afficher)
{
    fenetreEvenementsActive_ = afficher;
    evenements_.reset();
    if (afficher) {
        evenements_ = std::make_unique<Evenements>(nullptr, getListe(-1), 0);
        evenements_->show();
    }
}

void TableClient::cb_serverStart(int noTable)
{
    ZB_Room::cb_serverStart(noTable);
}

void TableClient::cb_serverStop()
{
    // A stopped server ends the session: the table is a local one again,
    // and whoever waits on the online game hears that it ended.
    stopOnlineSession();
    resetOnlineState();
}

void TableClient::customEvent(QEvent* event)
{
    const int type = event->type();
    if (type == ZB_Event::EvenementDeJeu) {
        ZB_Room::customEvent(event);
        return;
    }
    // A computer player's error is always the user's to see, offline or
    // already handled.
    if (type != ZB_Event::AIError && (event->isAccepted() || !estEnLigne()))
        return;
    switch (type) {
    case ZB_Event::DisconnectClient: {
        const auto* ev = static_cast<ZB_EventDisconnectClient*>(event);
        const QString interrompue =
            tr("La connection avec le serveur a été interrompue. La partie ne pourra pas continuer.");
        finDeSession_(GM::Warning, tr("Connection interrompue."),
                      ev->getAfficheMessage() == 1 ? interrompue : QString(), interrompue);
        event->accept();
        break;
    }
    case ZB_Event::SocketError: {
        const auto* ev = static_cast<ZB_EventSocketError*>(event);
        ZB_RoomTable* table = getTable(-1);
        const int etat = table != nullptr ? table->getEtatCourant() : 0;
        const bool enJeu = etat != 0 && !(etat >= 135 && etat <= 138) && table != nullptr && !table->estFinDeMatch();
        const bool avertit = enJeu || ev->getFinDePartie() == ZB_EventSocketError::FinDitParLHote;
        const GM::Icon icone = avertit ? GM::Warning : GM::Information;
        const QString titre = avertit ? ev->getTitre() : tr("Information");
        const QString texte = avertit ? ev->getTexte() : tr("La partie en ligne est terminée.");
        if (ev->getFinDePartie() != 0)
            finDeSession_(icone, titre, texte);
        else if (!finDite_)
            messageBox(icone, titre, texte, GM::Ok);
        event->accept();
        break;
    }
    case ZB_Event::ClientAskInfo: {
        const auto* ev = static_cast<ZB_EventClientAskInfo*>(event);
        OptionsDuJoueur joueur;
        joueur.nom_ = ev->getNomUtilisateur();
        joueur.ordinateur_ = 0;
        joueur.distant_ = 0;
        joueur.drapeau1_ = true;
        const QString hote = clientSocket_ ? clientSocket_->getAdresse() : QString();
        if (idJoueur_ == -1 || hote != hoteDeLId_) {
            idJoueur_ = identite_.id(hote);
            hoteDeLId_ = hote;
        }
        joueur.id_ = idJoueur_;
        joueur.idCompte_ = ev->getIdUtilisateur();
        joueur.optionsAI_ = OptionsAI(0.25, 0.08, 0.5, 5000);
        secondesAttente_ = ev->getTempsAttente();
        if (clientSocket_) {
            clientSocket_->setIdJoueur(idJoueur_);
            // The id's key signs the host's challenge; a host of the
            // previous version knows the key it gave instead.
            clientSocket_->setSignataire(identite_.signataire(hote));
            clientSocket_->setCleDeSiege(identite_.cle(hote, idJoueur_));
            const int version = getProtocolVersion();
            clientSocket_->sendUserInfo(joueur, secondesAttente_, &version);
        }
        event->accept();
        break;
    }
    case ZB_Event::AIError: {
        const auto* ev = static_cast<ZB_AIError*>(event);
        messageBox(GM::Warning, ev->getTitre(), ev->getTexte(), GM::Ok);
        event->accept();
        break;
    }
    default:
        break;
    }
}
