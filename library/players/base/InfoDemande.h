#pragma once

#include "EvenementDeJeu.h"

// What a player has been asked: the table fills one for every request and
// the player keeps the pending one, copied whole.
class InfoDemande
{
public:
    InfoDemande() = default;
    InfoDemande(int etat, int mode, int noDemande, int noTable, int version);
    virtual ~InfoDemande();
    InfoDemande(const InfoDemande&) = default;
    InfoDemande& operator=(const InfoDemande&) = default;

    // Only live requests are answered by the computer or start timers;
    // during a replay nothing is answered.
    bool estEnDirect() const { return EvenementDeJeu::estEnDirect(mode_); }

    bool operator==(const InfoDemande& o) const
    {
        return etat_ == o.etat_ && mode_ == o.mode_ && noDemande_ == o.noDemande_ && noTable_ == o.noTable_
            && version_ == o.version_;
    }
    bool operator!=(const InfoDemande& o) const { return !(*this == o); }

    int etat_ = -1;      // the game-state code the request stands for
    // The forwarding mode (EvenementDeJeu::Mode) of the event that led to
    // the request; until a request comes, one that is not live.
    int mode_ = EvenementDeJeu::ModeRejeuTransmis;
    int noDemande_ = -1; // the table's request number
    int noTable_ = -100; // the table index
    int version_ = 0;    // the table-protocol version
};
