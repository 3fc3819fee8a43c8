#pragma once

#include "RecordDePartie.h"
#include "SessionDeJeu.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// One online game of two copies of the program on this machine, started as
// two friends start one: the host hosts from its Network menu and starts the
// game from its server view; the client joins from its Network menu, typing
// the host's address and port into the join dialog. Each copy is a
// SessionDeJeu of its own (screen, home folder), its pictures named after
// the case and its side ("<case>_host", "<case>_client").
//
// Rules:
// - The host listens on a free TCP port of this machine (--port), and on
//   WebSocket ports (the default ones, or free ones when another case holds
//   them); the client is started as a person starts it (its transport not
//   chosen) and joins on loopback with the port it is given, whichever of
//   the host's three it is, so that cases run side by side never meet.
// - Every step goes through the windows (menu keys, typing, clicks) and
//   waits for what its user would see; a step that fails says why in
//   echec(), and both programs are ended with this object.
// - The host sits at the first seat, its only client at the second.
class PartieEnReseau
{
public:
    PartieEnReseau(const QString& nomDuCas, int limiteSecondes);
    // A failure of either side keeps both home folders (each program's
    // log tells half of the story) and the other side's last picture.
    ~PartieEnReseau();
    PartieEnReseau(const PartieEnReseau&) = delete;
    PartieEnReseau& operator=(const PartieEnReseau&) = delete;

    // Both screens and home folders with these settings, and the port;
    // false with echec().
    bool prepare(const DossierUtilisateur::Reglages& reglages);
    SessionDeJeu& hote() { return hote_; }
    SessionDeJeu& client() { return client_; }
    quint16 port() const { return port_; }

    // Starts the host's program unless it runs and hosts (Network > Host a
    // game) until the server view shows.
    bool heberge();
    // Starts the client's program unless it runs (again, after tueClient)
    // and joins the host (Network > Join a game, 127.0.0.1 and the port
    // typed: the host's TCP port unless another is given) until the host's
    // server view has changed for it, when that view is up; into a game
    // under way, until the connection window has gone.
    bool rejoint(quint16 portTape = 0);
    // Starts the client's program unless it runs and joins a port of this
    // machine where nothing listens, until the box that says so shows;
    // the box is left for the caller to answer.
    bool rejointEnVain();
    // The ports the host's program listens on (its three transports), as
    // the system tells them, in increasing order.
    QList<quint16> portsDeLHote() const;
    // The host starts the game with the server view's first button; the
    // view goes.
    bool demarre();
    // The client's program ends as a crash ends it.
    void tueClient() { client_.tue(); }
    // Saves that side's game with Game > Save as into its
    // home folder under that name, and reads it.
    bool enregistre(SessionDeJeu& cote, const QString& nom, RecordDePartie& record);

    // Why a step failed: the first failure of either side.
    QString echec() const;

    // The server view's row of buttons in a picture of the host's window
    // (start, stop, close: the lowest row of three or more), empty when the
    // view is not shown.
    static QList<QRect> boutonsDeLaVue(const QImage& image);

private:
    // The connection window of a join into a game under way has gone.
    bool connexionFaite_();
    bool echoue_(SessionDeJeu& cote, const QString& message);
    // Network > Join a game in the running client: types the address and
    // that port into the dialog and accepts it.
    bool remplitRejoindre_(quint16 port);
    bool attendsVue_(bool visible, int limiteMs);

    SessionDeJeu hote_;
    SessionDeJeu client_;
    quint16 port_ = 0;
    QImage vueAvantClient_;
};
