#pragma once

#include "PiloteDePartie.h"

#include <QSet>
#include <QString>

class PartieEnReseau;
class SessionDeJeu;

// What the online cases do and read beside the pilots that play their
// turns: an online game started with turns of a given length, the local
// game played on once the online one has ended, and readings of a host's
// game record (the name a seat was enrolled under, the client's seat).
//
// Rules:
// - A step returns true, or false once the session (or the online game)
//   has failed, echec() saying why; the case then fails with that message.
// - The readings read the record only, never the screen.
class EtapesEnLigne
{
public:
    // The name a seat was enrolled under in a game record, empty when none.
    static QString nomInscrit(const RecordDePartie& record, int siege);

    // The client's seat (the second) in the host's record (the deal in
    // progress and the inscriptions): the players given the seat, the moves
    // its user played since it was last given (after the host's computer
    // stood in, or after it entered again), and the moves the client's own
    // computer played.
    struct SiegeDuClient {
        QSet<qint64> ids;
        int inscriptions = 0;
        int coupsApresRetour = 0;
        int coupsDeSonOrdinateur = 0;
    };
    static SiegeDuClient siegeDuClient(const RecordDePartie& record);

    // The case's online game, its turns that long, started by the host;
    // false with echec().
    static bool commenceAvecDesToursDe(PartieEnReseau& partie, int secondes);
    // A box comes within the limit to tell the end of the online game (its
    // picture kept), and the local game is played on after it.
    static bool finPuisJeuLocal(SessionDeJeu& s, int limiteMs, const QString& nom);

private:
    using Vue = PiloteDePartie::Vue;
    // The local game after an online one, played as a person plays it: the
    // boxes answered (only those told when it ended: n), then cards until a
    // trick of the user's is collected.
    static bool joueLocalement(SessionDeJeu& s, int boites, const QString& image);
};
