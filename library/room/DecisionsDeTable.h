#pragma once

#include <QString>

class TypeDePartie;
class ZB_StatusMise;

// The referee's decisions that depend on nothing but their arguments: whose
// turn a state is, whose decision an answer must come from, which trick
// lies before a state, and whether a bid may stand. ZB_RoomTable gathers
// the facts (the seat that begins, the game type, the bid in force) and
// acts on the answer.
//
// Rules:
// - Seats are 0..3; -1 means "nobody" and is never an error.
// - The seat that begins may be any integer (-10 before the first deal):
//   seats are taken modulo 4.
// - Refusal reasons are English log texts, never shown to the user.
namespace decisions_de_table {

// The seat that must act in a state, the seat that begins being debut. In
// a trick state it is prochainDuPli (the deal's next seat, -1 without a
// deal); in the end-of-match states the seat each one waits for; else 0.
int siegeQuiDoitJouer(int etat, int debut, int prochainDuPli);

// The seat whose decision a trump choice (Cho), a bid (Chm) or
// announcements (Ann) answer in that state; -1 when none of that kind is
// due there, or for any other kind.
int siegeDeLaDecision(int genre, int etat, int debut);

// The seat of a state in the groups whose four states are the four seats
// in order (new players, collects, announcement confirmations); -1
// elsewhere.
int siegeDuGroupe(int etat);

// Where an undo without a recorded move goes: the first card state of the
// trick before the one of etat (27, the trump choice, from the first
// trick; below 37 the state itself). genre is the game type's genre: an
// eight-trick Belote deal skips the states of trick 8.
int etatDuPliPrecedent(int etat, int genre);

// Why a bid cannot stand in a game of that type with the bid in force
// (enCours), empty when it can: a pass always stands; a trump mode outside
// the game or not allowed by it never does; in the contract games, neither
// does a double without a contract nor a plain bid below the minimum.
QString raisonRefusMise(const ZB_StatusMise& mise, const TypeDePartie& type, const ZB_StatusMise& enCours);

// The step between two bids of a game type: 10 in Coinche Jass and in
// Contrée, 5 in Coinche Belote, 1 elsewhere.
int pasDeMise(const TypeDePartie& type);

} // namespace decisions_de_table
