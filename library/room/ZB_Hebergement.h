#pragma once

#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "ZB_ServerSocket.h"

#include <QHostAddress>
#include <QPointer>
#include <QString>
#include <QStringList>

class ZB_MultiServer;
class ZB_ServerSocketConnection;

// How this machine hosts a game for its friends, whoever drives it: the
// host's server view, or the host with no window at all. Both drive one of
// these, so that they host alike.
//
// Rules:
// - Listening: TCP on the port the user chose, the WebSockets on their
//   default ports, free ones when those are taken (a second copy hosting on
//   this machine, unattended runs side by side); the TCP port is the user's
//   choice and a failure to have it is told.
// - Waiting: the host sits at the first seat as a player of this machine,
//   under one identity for every session of this object (a new id the first
//   time, the name of the last session when none is given); clients wait
//   for the start. A server that runs already is left
//   as it is.
// - Welcoming: a client who identifies while the game runs with free seats
//   takes the seat it left if any, else a free one; at a full game only the
//   seat it left; one who finds none, or arrives when the game is stopped or
//   being started, is sent away (told the game is full when it is);
//   but one to whom a seated player gave up its seat (the address rule of
//   a host nobody watches) takes that seat, full as the table is. Before
//   the start clients wait.
// - The host's name: the one it hosts under (nomPropose: the windowed and
//   the windowless host offer the same), or one it renames itself to before
//   the start, which goes through the rule a newcomer's name goes through
//   (ZB_ServerSocket numbers a second "Anna").
// - What friends are told: this machine's addresses (its loopback address
//   when it has no other) and the port to give them, the one a joining copy
//   tries first, then the others.
// GUI thread only. The server is not owned, and may go first.
class ZB_Hebergement
{
public:
    // What the host's driver tells the room about the server.
    class Cb_ServerStartOrStop
    {
    public:
        virtual ~Cb_ServerStartOrStop() = default;
        virtual void cb_serverStart(int noTable) = 0;
        virtual void cb_serverStop() = 0;
    };

    ZB_Hebergement(ZB_ServerSocket* serveur, ZB_ServerSocket::Cb_TableConnectionInput* salle);

    // Listens for a hosted game on every address; false when the TCP port
    // could not be had.
    static bool ecoute(ZB_MultiServer& serveur, quint16 portTcp);
    // What the user reads when ecoute failed.
    static QString texteEcouteImpossible(int port);

    // The name offered to play online under: the lobby login when logged
    // in, else the one kept from the last game, else the system user's;
    // each cleaned as typed text is. Never empty.
    static QString nomPropose(const QString& loginLobby, const QString& garde, const QString& systeme);
    // The system user's name: $USER, $LOGNAME, else the home folder's name.
    static QString nomDuSysteme();
    // $USER, else $LOGNAME, as cleaned; empty when neither names anybody.
    static QString nomDeLUtilisateur();
    // A typed name made fit for the records and the table: free-text
    // characters replaced, blanks trimmed, at most NOM_MAX long.
    static QString nettoieNom(const QString& nom);
    static constexpr int NOM_MAX = 24;
    // The name when every other is empty.
    static constexpr const char* NOM_PAR_DEFAUT = "Zubrik";
    // This machine's addresses that friends can join.
    static QStringList adressesDeLaMachine();

    // The host starts waiting for players with the options and ports of the
    // coming game; its identity is kept from one session to the next.
    void attendJoueurs(const OptionsDePartie& options, const QString& login, quint16 portSecure,
                       quint16 portUnsecure, quint16 portTcp, qint64 idUtilisateur);
    // Nobody sits at this machine's screen: its computer plays the host's
    // seat, and the host's record says so to every copy.
    void setHoteOrdinateur(bool ordinateur) { hoteOrdinateur_ = ordinateur; }
    // A client identified; false when it was sent away.
    bool accueille(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& joueur) const;
    // The host renames itself before the start: the name it plays under
    // (the one it had when the new one is empty or the same).
    QString renommeHote(const QString& nom);
    // The host starts the online game with the players identified so far;
    // false when the server was not waiting for players.
    bool demarre();
    // Whether the server waits for players (the host may start or rename).
    bool estEnAttente() const;

    // The port friends are given: the one a joining copy tries first.
    quint16 portADonner() const;
    quint16 getPortSecure() const { return portSecure_; }
    quint16 getPortUnsecure() const { return portUnsecure_; }
    quint16 getPortTcp() const { return portTcp_; }
    qint64 getIdHote() const { return idHote_; }
    // The name the host goes by: the last login it hosted under, or the one
    // it renamed itself to.
    const QString& getNomHote() const { return nomHote_; }
    ZB_ServerSocket* serveur() const { return serveur_.data(); }
    ZB_ServerSocket::Cb_TableConnectionInput* salle() const { return salle_; }

private:
    QPointer<ZB_ServerSocket> serveur_;
    ZB_ServerSocket::Cb_TableConnectionInput* salle_;
    OptionsDePartie options_;
    quint16 portSecure_ = 0;
    quint16 portUnsecure_ = 0;
    quint16 portTcp_ = 0;
    qint64 idHote_ = -1;
    QString nomHote_;
    bool hoteOrdinateur_ = false;
};
