#pragma once

#include "ExecuteurTemoin.h"
#include "ListeDesEvenements.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_SalleClienteA.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class ClientSocket;
class GM_SocketAbstract;
class SalleSansInterface;
class ZB_MultiServer;
class ZB_PorteTls;

// A multi-room host on the loopback and copies of the program that join it
// one after the other over its secure WebSocket port, all from this
// machine's one address, as players behind one address (a club) would.
//
// Rules:
// - Each copy is the table client's own connection (ClientSocket over the
//   program's secure WebSocket transport) with a signing key of its own;
//   its room answers the request for the user info as the program's room
//   does and has no other transport to fall back on.
// - A copy is seated when a room of the host holds it as an identified
//   player and its connection is still open; it is lost once its
//   connection told the room an error or its end.
// - The host's rooms wait for players and never start: each takes
//   SiegesParSalle players.
// - Everything runs on the calling thread's event loop.
class CopiesQuiRejoignent : public QObject
{
public:
    static constexpr int SiegesParSalle = 4;

    // salles: the host's rooms; the copies are at most salles * 4.
    explicit CopiesQuiRejoignent(int salles);
    ~CopiesQuiRejoignent() override;
    CopiesQuiRejoignent(const CopiesQuiRejoignent&) = delete;
    CopiesQuiRejoignent& operator=(const CopiesQuiRejoignent&) = delete;

    // The host listens; false when it could not, or has no secure port.
    bool ouvre();
    ZB_MultiServer* serveur() const { return serveur_.get(); }
    quint16 port() const;
    // The secure port's gate.
    ZB_PorteTls* porte() const;

    // Starts nombre copies, one every intervalleMs (0: all at once), and
    // runs the event loop until each is seated or lost, or delaiMs passed.
    void rejoignent(int nombre, int intervalleMs, int delaiMs);
    // Starts nombre copies now.
    void lance(int nombre);
    // Runs the event loop until every copy is seated or lost; false when
    // delaiMs passed first.
    bool attend(int delaiMs);
    int copies() const { return int(copies_.size()); }

    int assises() const;
    int perdues() const;
    // The longest time from a seated copy's start to its seat, in ms.
    qint64 plusLongueJointureMs() const { return plusLongue_; }
    // What the lost copies were told, one line each.
    QStringList raisons() const;
    // Tries the copies made again after the host closed them.
    int essais() const;

private:
    class Copie;

    void surveille_();

    ZB_DisplayEmpty affichage_;
    std::vector<std::unique_ptr<SalleSansInterface>> salles_;
    std::unique_ptr<ZB_MultiServer> serveur_;
    std::vector<std::unique_ptr<Copie>> copies_;
    QElapsedTimer horloge_;
    qint64 plusLongue_ = 0;
};
