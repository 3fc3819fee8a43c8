#pragma once

#include "GM_LoadSaveElement.h"

#include <QMetaType>

#include <array>

// One player's (or one team's) counters for a match, as the table fills them
// and the lobby reads them. Counter numbers are shared with the lobby, so the
// record always holds exactly NOMBRE_COMPTEURS of them.
class GM_GameStatsPlayer : public GM_LoadSaveElement
{
public:
    static constexpr int NOMBRE_COMPTEURS = 31;

    GM_GameStatsPlayer();
    ~GM_GameStatsPlayer() override;
    GM_GameStatsPlayer(const GM_GameStatsPlayer&) = default;
    GM_GameStatsPlayer& operator=(const GM_GameStatsPlayer&) = default;

    // Every field is required. A refused text leaves the record as it was.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    // Counter 0 counts the games: a fresh record is one game with nothing
    // else counted. The database id is kept.
    void reset(const int& typePartie);

    static bool estCompteurValide(int compteur) { return compteur >= 0 && compteur < NOMBRE_COMPTEURS; }
    // Adds to one counter; an unknown counter number is ignored. The sum is
    // held within int: the counters go to the lobby, which must never see a
    // wrapped negative total.
    void ajoute(int compteur, int montant);

    bool operator==(const GM_GameStatsPlayer& o) const
    {
        return databaseId == o.databaseId && valeur_ == o.valeur_ && indicateur_ == o.indicateur_
            && compteurs_ == o.compteurs_ && typePartie_ == o.typePartie_;
    }
    bool operator!=(const GM_GameStatsPlayer& o) const { return !(*this == o); }

    qint64 databaseId = -1; // the online database id, -1 when none
    double valeur_ = 0.0;   // share of the points, set at the end of a match
    bool indicateur_ = false;
    std::array<int, NOMBRE_COMPTEURS> compteurs_{};
    int typePartie_ = 0;
};

Q_DECLARE_METATYPE(GM_GameStatsPlayer)
