#pragma once

class EvenementDeJeu;

// What a table needs of its room: to have an event that the table built run
// later through the table's event list, once the list is free (an automatic
// trump choice, a player's offline notice). The room takes the event over.
// A table without a room runs such events through its own intake.
class ZB_SalleDeTableA
{
public:
    virtual ~ZB_SalleDeTableA() = default;

    virtual void posteEvenementDeTable(EvenementDeJeu* ev) = 0;
};
