#pragma once

#include <QtGlobal>

// The counters of a deal's points, team 0 first in every pair. This is both
// the body of a points record and the share that Partie::joueCarte hands
// back for one trick or, at the end of the deal, for the whole deal.
struct ZB_PointsDonne
{
    int derniersPlis_[2] = {0, 0};           // in a share: tricks won; in the record: last tricks taken
    int pointsCartes_[2] = {0, 0};           // card points of tricks, times the deal multiplier
    int pointsAnnonces_[2] = {0, 0};         // announcements, times the multiplier
    int ajustementArrondi_[2] = {0, 0};      // set at the end of the deal
    int autresPoints_[2] = {0, 0};           // king and queen of trump ("Stöck", "Rebelote")
    int bonusDernierPli_[2] = {0, 0};
    int bonusMatch_[2] = {0, 0};
    int pointsCartesPris_[2] = {0, 0};       // received from the other team's failure
    int bonusDernierPliPris_[2] = {0, 0};
    int pointsAnnoncesPris_[2] = {0, 0};
    int autresPointsPris_[2] = {0, 0};
    int enAttenteGagne_[2] = {0, 0};         // put-aside points won
    int pointsContrat_[2] = {0, 0};
    int enAttente_ = 0;                      // points put aside by a tie
    float facteur_[2] = {1.0f, 1.0f};        // weight of the trick-based points
    quint8 match_[2] = {0, 0};
    quint8 chute_[2] = {0, 0};               // the contract failed
    quint8 gagne_[2] = {0, 0};               // gained from the other team's failure

    // Score of a team: the trick-based points times the factor plus every
    // other counter, rounded half away from zero in single precision.
    // A team other than 0 or 1 scores 0.
    int getScore(int equipe) const;
    // Counters subtracted or added; a flag is set when set in the left
    // operand and not in the right.
    // The factor is a weight, not a count: both operators keep the left
    // operand's factors. A deal's share, (after - before) + last trick, so
    // carries the record's factors after the deal, and the share of a doubled
    // contract scores its trick points doubled, as the record does.
    ZB_PointsDonne operator-(const ZB_PointsDonne& b) const;
    ZB_PointsDonne operator+(const ZB_PointsDonne& b) const;
    // Every field, factors compared exactly.
    bool operator==(const ZB_PointsDonne& o) const;
    bool operator!=(const ZB_PointsDonne& o) const { return !(*this == o); }
    // Counters 0, factors 1.0, flags 0.
    // Copies from a constant rather than a fresh temporary: the game state
    // clears a share for every card the search plays, and the temporary
    // cost a store-forwarding stall each time.
    void efface()
    {
        static const ZB_PointsDonne vide;
        *this = vide;
    }
};

// The points record of a deal: the body, the target of a contract, and the
// two answers in which Jass and Belote differ.
class ZB_PointsA : public ZB_PointsDonne
{
public:
    ZB_PointsA() = default;
    virtual ~ZB_PointsA();
    virtual ZB_PointsA* clone() const = 0;
    // Bonus of the last trick: 5 in Jass, 10 in Belote.
    virtual int getPointsDernierPli() const = 0;
    // True in Belote, where a match replaces the last-trick bonus.
    virtual bool matchRemplaceDernierPli() const = 0;
    // Copies every field of another record, whatever its class.
    virtual void copie(const ZB_PointsA& autre);
    virtual void copie(const ZB_PointsDonne& corps);

    // Closes the deal: last trick, match and contract, rounding; result holds
    // the last trick's share on entry and the whole deal's share on return.
    // Teams are 0 or 1, -1 for none. A contract needs a choosing team: without
    // one the deal is closed as a deal without contract. A multiplier or
    // rounding unit below 1 counts as 1.
    void calculeFinDeDonne(ZB_PointsDonne& result, int equipeDernierPli, int equipeMatch, int multiplicateur,
                           int typeContrat, int arrondi, int equipeQuiAChoisi, int decompte, int pointsMise);
    // The same without the share: for the search, which reads the record
    // only.
    void calculeFinDeDonne(int equipeDernierPli, int equipeMatch, int multiplicateur, int typeContrat, int arrondi,
                           int equipeQuiAChoisi, int decompte, int pointsMise);

    int objectifMise_ = -1; // target of the contract, -1 when there is none

protected:
    ZB_PointsA(const ZB_PointsA&) = default;
    ZB_PointsA& operator=(const ZB_PointsA&) = default;

private:
    void termineDonne_(int equipeDernierPli, int equipeMatch, int multiplicateur, int typeContrat, int arrondi,
                       int equipeQuiAChoisi, int decompte, int pointsMise);
};
