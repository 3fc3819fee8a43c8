#pragma once

class ZB_ServerSocketConnection;

// What a table's seating needs of the room's game server when a client gets
// a seat back: the server's connection bookkeeping and its running state.
// The room hands its server to the table's reconnection; a room without a
// server passes none.
class ZB_ServerSeatingA
{
public:
    // Server states a reconnection may set: running with free seats, or full.
    enum EtatServeur { EnCoursAvecPlacesLibres = 5, EnCoursComplet = 6 };

    virtual ~ZB_ServerSeatingA() = default;
    // The connection now plays at this table.
    virtual void connexionPlacee(ZB_ServerSocketConnection* connection, int noTable) = 0;
    // No identified client waits for a seat.
    virtual bool estListeDAttenteVide() const = 0;
    virtual void setEtatServeur(int etat) = 0;
};
