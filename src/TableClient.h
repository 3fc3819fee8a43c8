#pragma once

#include "ListeDesEvenements.h"
#include "ZB_Hebergement.h"
#include "ZB_Room.h"
#include "ZB_IdentiteReseau.h"
#include "ZB_SalleClienteA.h"

#include <QList>
#include <QPointer>

#include <memory>

class ClientSocket;
class Evenements;
class ServerView;
class ZB_ClientConnection;

// The room of this machine's user: the room's session operations done for a
// person at a screen. It connects to a remote table through a ClientSocket,
// opens the server view when hosting, asks before quitting an online game,
// offers the replay of an opened game file and tells the user when an
// online game ends. (The host with no window has a room of its own,
// ZB_SalleHote.)
class TableClient : public ZB_Room,
                    protected ListeDesEvenements::ReplayRequester,
                    protected ZB_Hebergement::Cb_ServerStartOrStop,
                    protected ZB_SalleClienteA
{
    Q_OBJECT

public:
    TableClient(QObject* parent, DisplayA* display, GM_MessageBoxDisplayerA* displayer, const OptionsDePartie& genre,
                const Parametres& parametres);
    ~TableClient() override;

    void askQuit(QObject* destinataire, const char* slot) override;
    // As askQuit, for leaving the online game (a local game follows) and
    // for the host stopping its server (the game ends for everybody).
    void askLeave(QObject* destinataire, const char* slot);
    void askStopServer(QObject* destinataire, const char* slot);
    void disconnectFromServer() override;
    void startHosting(QSharedPointer<GM_SocketAbstract> socket, const QString& login, quint16 portSecure,
                      quint16 portUnsecure, quint16 portTcp, qint64 idUtilisateur) override;
    bool loadFromStream(QTextStream& in, int* typeDeFichier, quint64 noTable, int* nombreDeLignes) override;
    void connectToServer(const QString& adresse, quint16 port, const QString& login, qint64 idUtilisateur,
                         int secondesAttente, bool connexionPublique,
                         QSharedPointer<GM_SocketAbstract> socket) override;
    void stopOnlineSession() override;
    void sendToServer(const EvenementDeJeu& ev) override;
    void endOnlineGame(bool notifie) override;
    void answerNextGame(bool isPlayerContinue) override;
    void resetToSingleTable() override;
    void cb_serverStart(int noTable) override;
    // ZB_SalleClienteA: the next transport of the join, if any is left.
    bool essaieUnAutreTransport() override;

    // The event window of every table, when the option is on.
    void setFenetreEvenements(bool afficher);
    // The local user's unique id on the network, -1 until it has one: then
    // the one the data folder's secret gives for the host (ZB_IdentiteReseau),
    // so that after a crash the host knows the user again.
    void setIdJoueur(qint64 id) { idJoueur_ = id; }
    qint64 getIdJoueur() const { return idJoueur_; }
    // A penalty applies when an online game is left early.
    void setPenaliteEnLigne(bool penalite) { penaliteEnLigne_ = penalite; }
    // How long a joined host may stay silent after the connection (see
    // ClientSocket::setSilenceMaxMs); 0 waits as long as it takes.
    // How long after the connection, and once the game runs (see
    // ClientSocket::setSilenceEnJeuMaxMs).
    void setSilenceHoteMaxMs(int ms, int enJeuMs = 0)
    {
        silenceHoteMaxMs_ = ms;
        silenceEnJeuMaxMs_ = enJeuMs;
    }

    // The windows the main window placed in the table: hosting shows that
    // server view and a connection reports to that status window, instead
    // of windows of the room's own. Not owned; either may go first.
    void setServerView(ServerView* vue);
    void setFenetreConnexion(ZB_ClientConnection* fenetre);

    ClientSocket* getClientSocket() const { return clientSocket_.get(); }
    ServerView* getServerView() const;
    ZB_ClientConnection* getFenetreConnexion() const;
    Evenements* getFenetreEvenements() const { return evenements_.get(); }
    bool getReponseFilm() const { return reponseFilm_; }
    // Why the last online session ended, as its user was told; empty
    // before one ended.
    QString getFinEnLigne() const { return finEnLigne_; }

signals:
    void testSignalGameCompleted();
    // The replay of an opened file is through: arret is empty when the
    // whole record was replayed, else why it stopped (the game goes on
    // from there).
    void signalRelectureFinie(const QString& arret);
    // The opened file holds a move no game can hold, met while it was
    // replayed: it is refused (message names the file and the line), and
    // what was rebuilt of it is not a game to go on with.
    void signalFichierRefuse(const QString& message);

public slots:
    void OnShowReplay_Answer(int result);
    // The end-of-replay box was answered: the game goes on.
    void OnFinDuFilm_Answer(int result);

protected:
    // ZB_SalleClienteA: what the client socket posts runs later, through
    // customEvent.
    void posteEvenementDuClient(ZB_Event* ev) override;

    void customEvent(QEvent* event) override;
    // ListeDesEvenements::ReplayRequester.
    void cb_replayTermine() override;
    void cb_replayArrete(qsizetype ligne) override;
    void cb_replayAbime(qsizetype ligne, const QString& raison) override;
    // ZB_Hebergement::Cb_ServerStartOrStop (the server view's).
    void cb_serverStop() override;
    // The copy drifted from its host: it says so and joins again, as after
    // a crash, for the host's catch-up; past RattrapagesMax in a session it
    // leaves the online game with a box, back to its local game.
    void horsDePasAvecLHote(const EvenementDeJeu& ev) override;

private:
    enum Depart { Programme, PartieEnLigne, Serveur };
    void demandeAvantDeQuitter_(QObject* destinataire, const char* slot, Depart depart);
    enum Transport { WebSocketSecure, WebSocket, Tcp };
    struct EssaiDeTransport {
        Transport transport;
        quint16 port;
    };
    static QSharedPointer<GM_SocketAbstract> nouveauSocket_(Transport transport);
    void ouvreConnexion_(const QString& adresse, quint16 port, const QString& login, qint64 idUtilisateur,
                         int secondesAttente, bool connexionPublique, const QSharedPointer<GM_SocketAbstract>& socket);
    void rejoueTout_(int modeVue);
    // The client session ended without the user leaving it: told once with
    // that box (none when the text is empty), and the room goes back to the
    // local game (signalOnlineGameEnded).
    // raison: why it ended, when the user is told nothing (texte empty).
    void finDeSession_(GM::Icon icone, const QString& titre, const QString& texte, const QString& raison = QString());
    void reprend_(int modeDepart, int genreSession);

    std::unique_ptr<Evenements> evenements_;
    std::unique_ptr<ClientSocket> clientSocket_;
    std::unique_ptr<ServerView> serverView_;
    std::unique_ptr<ZB_ClientConnection> fenetreConnexion_;
    QPointer<ServerView> serverViewExterne_;
    QPointer<ZB_ClientConnection> fenetreConnexionExterne_;
    // The transports of this join still to try should the one in use find
    // no table server at its port.
    QList<EssaiDeTransport> transportsRestants_;
    int secondesAttente_ = 0;
    bool reponseFilm_ = false;
    bool filmDemande_ = false;
    bool fenetreEvenementsActive_ = false;
    bool penaliteEnLigne_ = false;
    int silenceHoteMaxMs_ = 0;
    int silenceEnJeuMaxMs_ = 0;
    bool finDite_ = false; // the end of this client session was told
    static constexpr int RattrapagesMax = 3;
    int rattrapages_ = 0;          // catch-ups this session asked for
    bool rattrapageDemande_ = false; // one is on its way
    qint64 idJoueur_ = -1;
    QString hoteDeLId_; // the host idJoueur_ was made for
    QString finEnLigne_;
    QString arretRelecture_;
    ZB_IdentiteReseau identite_;
};
