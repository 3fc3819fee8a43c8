#pragma once

#include <QtGlobal>

#include <array>
#include <functional>

class AnnoncesJoueur;
class GM_GameStats;
struct ZB_PointsDonne;

// The bookkeeping of a table's match statistics: the running points of the
// teams and of the seats, the announcements, and the shares and flags of the
// end of the match. The record itself stays with the table, which resets,
// saves and sends it; the table also says which entry a seat's counts go to
// (its account while its own player plays it, else a key of the seat).
class ZB_StatistiquesDeTable
{
public:
    // Counters of the record that only a table fills: each team's points.
    enum Compteur { StatsPointsEquipe0 = 18, StatsPointsEquipe1 = 19 };

    using CleDeSiege = std::function<qint64(int noJoueur)>;

    ZB_StatistiquesDeTable(GM_GameStats& stats, CleDeSiege cle);

    // The running results of a card; only the card that closes a trick
    // brings points.
    void resultatsPli(const ZB_PointsDonne& resultat);
    // The best announcements of a deal, credited to their team.
    void annoncesDecidees(int siegeMeilleur, const AnnoncesJoueur& meilleur, int siegePartenaire,
                          const AnnoncesJoueur& partenaire, int credit);
    // What the slots still hold of the deal's announcements at its end.
    void annoncesFinDeDonne(const std::array<AnnoncesJoueur, 4>& annonces, const std::array<int, 4>& sieges,
                            int nombre);
    // The teams' points brought to the match scores t0 and t1: what the
    // cards' results left out of a deal's scoring (the trump pair's bonus,
    // the contract, its factor, the rounding) counts as trick points of the
    // team's present players.
    void accordeAuScore(int t0, int t1);
    // Shares and flags of the end of the match, whose scores the teams'
    // points are brought to first; true when the record holds players, whom
    // the room is then told about.
    bool finDeMatch(int t0, int t1);
    // True once, when an online match with players starts.
    bool debutDeMatch();
    // The counts a deal's snapshot carries, as they stood at the deal's
    // start: a table rebuilt from the snapshot (a resume, a replay, a seat
    // that joins) counts on from there as the match did. A snapshot that
    // carries none (written before snapshots kept them: no game kind) leaves
    // the counts of the moves replayed. The record's other fields are the
    // table's own.
    void reprendCliche(const GM_GameStats& cliche);

private:
    GM_GameStats& stats_;
    CleDeSiege cle_;
};
