#pragma once

class ListeDesEvenements;
class ZB_RoomTable;

// The state-stepping helper of the stand-in rooms: the room's jumps from one
// state to the next (ZB_Room::incrementeTour_), for a room of one table.
// The end of a deal (the last collect of trick 9) is the caller's: it is
// returned unchanged.
namespace pas_de_salle {

// How the entry group of a trick (players entering) is walked.
enum class Entrees {
    Sautees,           // never stopped at
    SiAttendues,       // stopped at for a seat whose player waits to enter
    SiAttenduesOuEnQueue // ... or whose state has an event queued
};

// avecMises: the last deal answer leads to the bidding unless the contract
// is the chibre, and a deal all seats passed is dealt again (the list then
// runs from the settings snapshot). Without, it leads to the trump choice.
int etatSuivant(const ZB_RoomTable& table, ListeDesEvenements& liste, int etat, bool avecMises, Entrees entrees);

} // namespace pas_de_salle
