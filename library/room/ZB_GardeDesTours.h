#pragma once

#include <QHash>

#include <array>

// How long a hosting table waits for a seat played elsewhere.
//
// The turn's clock and its penalty run in the player's own copy: a copy
// that is stopped, hangs or lost its link without a close cannot run
// them, and would hold the whole table. So the host keeps time too: when a
// seat played elsewhere owes the answer to the table's current state and
// the state has not moved for the turn's time and MargeMs, the seat's
// player is taken as gone (its connection closed, the computer playing
// the seat) and comes back as after a crash.
//
// Rules:
// - A live copy always answers first: its own clock runs out within the
//   turn's time and its computer answers (with a penalty), and its
//   end-of-game box is answered within the turn's time once it shows;
//   MargeMs covers that box's delay, the link and the pace of the copy's
//   animations behind the host's.
// - A seat owes the answer when its last request is for the current
//   state: a seat that answered, or a table that rests for other tables,
//   owes nothing.
// - A player who entered a running game first catches up with a replay of
//   it, during which its copy answers nothing: the entry gives it
//   RattrapageMs more, once per deal of its table, however often it enters.
// - A player given up here is silent until a move of its own reaches the
//   table (repond). Given up twice so, it has no catch-up time and enters
//   at the next deal when it comes back (entreALaProchaineDonne): a copy
//   that comes back silent again and again holds the table for a turn's
//   wait a deal, not one a turn, while a copy that hung once comes back as
//   before. Given up a third time so, it is kept out of the table until the
//   next match (estEcarte), so that it costs a match three turn's waits
//   and two catch-ups at most.
//   A close of its connection (a crash) marks nothing.
// - One look (observe) per table and second or so; the clock of a state
//   starts at the first look that sees it, and a seat is given up once.
class ZB_GardeDesTours
{
public:
    static constexpr qint64 MargeMs = 12000;
    static constexpr qint64 RattrapageMs = 60000;
    // Times given up with no move in between that make a player silent.
    static constexpr int AbandonsDeSuite = 2;
    // Times given up with no move in between that keep a player out.
    static constexpr int AbandonsPourLaPartie = 3;

    struct Siege {
        qint64 id = -1;
        bool distant = false; // played elsewhere, through the table protocol
        int etatDemande = -1; // the state of its last request
    };

    // One look at a table: its state now and its seats. The id of the
    // player to take as gone, -1 when none.
    qint64 observe(int noTable, int etat, const std::array<Siege, 4>& sieges, qint64 delaiMs, qint64 maintenantMs);
    // That player entered a running game at that moment, in that deal of
    // its table (any number that changes with the deal).
    void entre(qint64 id, qint64 maintenantMs, int donne);
    // A move of that player reached the table.
    void repond(qint64 id) { muets_.remove(id); }
    // That player, back, waits for the next deal to play.
    bool entreALaProchaineDonne(qint64 id) const { return muets_.value(id) >= AbandonsDeSuite; }
    // That player takes no seat again before the next match.
    bool estEcarte(qint64 id) const { return muets_.value(id) >= AbandonsPourLaPartie; }
    // A new match: every player may play it.
    void nouvellePartie() { muets_.clear(); }
    // A new online session, or none.
    void oublie();

private:
    struct Suivi {
        int etat = -1;
        qint64 depuis = 0;
        bool abandonne = false;
    };
    struct Entree {
        qint64 depuis = 0;
        int donne = -1;
    };
    QHash<int, Suivi> tables_;
    QHash<qint64, Entree> entrees_;
    QHash<qint64, int> muets_; // times given up since its last move
};
