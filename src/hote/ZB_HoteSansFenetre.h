#pragma once

#include "GM_MessageBoxDisplayerHeadless.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_ServerSocket.h"
#include "ZB_Settings.h"

#include <QObject>
#include <QString>

#include <memory>

class ZB_MultiServer;
class ZB_SalleHote;
class ZB_TraceLog;
class ZB_Translator;

// The unattended host with no window at all: it hosts one match for the
// clients that join, plays it to its end and ends the program, under a
// QCoreApplication, so that it needs neither a display nor a windowing
// plugin.
//
// Rules:
// - It serves only the start-up records convient() accepts: hosting
//   unattended (--server with --auto or --autotest) with nothing that a
//   window shows (no file or movie, no store screenshots, no lobby login or
//   tournament). Any other start keeps the main window.
// - It hosts as the server view does, through the same hosting rules
//   (ZB_Hebergement), with a room of its own (ZB_SalleHote: the engine's
//   room, no window class), the main window's room parameters and game
//   server (ZB_MultiServer): TCP on --port, WebSockets
//   on the default ports (free ones when those are taken), printed first as
//   "HOST <addresses> secure-websocket <port> websocket <port> tcp <port>";
//   the host sits at the first seat as a player of this machine and clients
//   wait for the start; the computer plays the host's seat, since the empty
//   display is in the mode where the computer plays every seat, and the
//   seat's record is a computer's, so that every copy names it so (the
//   seat stays the host's all the same: no newcomer takes it); every box
//   is answered with Ok, as the unattended table answers it.
// - The game starts as soon as one client has identified, the free seats
//   going to computer players; a client arriving later is seated as the
//   server view seats it. The address rule of the seats
//   (ZB_GardeDesSieges) holds during the game too: one address may fill
//   the table only while nobody from another address comes.
// - At the end of the match it writes automatic.jss in the data folder,
//   prints "MATCH <team 0> <team 1> file <path>" and asks to end with
//   status 0. A port it cannot listen on, or a start that fails, prints
//   "ERROR <reason>" on standard error and asks to end with status 1.
// - It plays under the name the windowed host plays under: the one kept in
//   the settings store, else the system user's login ($USER, $LOGNAME),
//   else a computer's name drawn as the table's others are (never the home
//   folder's name the windowed host would fall back on). Nothing else of the store
//   is read, and nothing written; nor is the autosave. The texts stay
//   French unless --english is given. The trace file of the data
//   folder receives the start, the errors and the boxes answered.
// - Whenever it ends (the match over, stopped, a failure), the players of
//   a game still hosted are told that the host stopped it, and the program
//   ends once those words had time to leave (ATTENTE_ADIEUX_MS at most).
// GUI thread only (the application's main thread).
class ZB_HoteSansFenetre : public QObject, public ZB_ServerSocket::Cb_SocketInput
{
    Q_OBJECT

public:
    static bool convient(const ZB_Settings& demarrage);

    // dossierDonnees: the writable data folder; empty: the platform's.
    explicit ZB_HoteSansFenetre(const ZB_Settings& demarrage, const QString& dossierDonnees = QString());
    ~ZB_HoteSansFenetre() override;
    ZB_HoteSansFenetre(const ZB_HoteSansFenetre&) = delete;
    ZB_HoteSansFenetre& operator=(const ZB_HoteSansFenetre&) = delete;

    // How long the players' sockets are given to carry the host's last
    // word before the program ends.
    static constexpr int ATTENTE_ADIEUX_MS = 500;

    // Listens and starts hosting; the end comes through signalQuitter.
    void demarre();
    // Stops hosting before the match is over (the person who started it
    // asked): the players hear that the host stopped the game, and the
    // program ends with that exit status.
    void arrete(int codeDeSortie);

    ZB_SalleHote* salle() const { return salle_.get(); }
    ZB_MultiServer* serveur() const { return serveur_.get(); }
    const QString& dossierDonnees() const { return dossierDonnees_; }

    // ZB_ServerSocket::Cb_SocketInput. The server logs to standard error
    // by itself.
    void cb_newConnection(ZB_ServerSocket* serveur, const OptionsDuJoueur& joueur,
                          ZB_ServerSocketConnection* connection, bool replacedOld) override;
    void cb_connectionClosed(ZB_ServerSocket*, ZB_ServerSocketConnection*) override {}
    void cb_gameEnded(bool, int) override {}
    void cb_log(const QString&, const QString&) override {}

signals:
    // The program should end now, with this exit status.
    void signalQuitter(int code);

private slots:
    void OnHoteAttendClient();

private:
    void finDeMatch_();
    // The name the host plays under.
    static QString nomDeJeu_();
    void echec_(const QString& texte);
    void quitte_(int code);

    ZB_Settings demarrage_;
    QString dossierDonnees_;
    std::unique_ptr<ZB_Translator> traducteur_;
    std::unique_ptr<ZB_TraceLog> trace_;
    // The room goes first: its tables talk to the display and the boxes.
    GM_MessageBoxDisplayerHeadless boites_;
    ZB_DisplayEmpty affichage_;
    std::unique_ptr<ZB_SalleHote> salle_;
    std::unique_ptr<ZB_MultiServer> serveur_;
    bool quitDemande_ = false;
};
