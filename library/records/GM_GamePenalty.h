#pragma once

#include "GM_LoadSaveElement.h"

#include <QMetaType>

// A penalty the lobby charges to a player's account: a turn the computer had
// to play after a time-out, or a running game left. The table builds it and
// hands its text on through the room.
class GM_GamePenalty : public GM_LoadSaveElement
{
public:
    enum Genre { GenreAbandon = 0, GenreTropLent = 1 };

    static constexpr double PENALITE_LENTEUR = 0.2;
    static constexpr double PENALITE_ABANDON = 1.0;

    GM_GamePenalty() = default;
    GM_GamePenalty(qint64 idPartie, double penalite, int idCompte, int typePartie, int genre);
    ~GM_GamePenalty() override;
    GM_GamePenalty(const GM_GamePenalty&) = default;
    GM_GamePenalty& operator=(const GM_GamePenalty&) = default;

    // All five fields are required. A refused text leaves the record as it
    // was.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    // Registers the record for queued signals; call once at start-up.
    static void registerMetaType();

    bool operator==(const GM_GamePenalty& o) const
    {
        return idPartie_ == o.idPartie_ && penalite_ == o.penalite_ && idCompte_ == o.idCompte_
            && typePartie_ == o.typePartie_ && genre_ == o.genre_;
    }
    bool operator!=(const GM_GamePenalty& o) const { return !(*this == o); }

    qint64 idPartie_ = -1;  // online game id of the match
    double penalite_ = 0.0;
    int idCompte_ = -1;     // the account charged (low 32 bits of its id)
    int typePartie_ = 0;    // preset game-type id of the match
    int genre_ = GenreAbandon;
};

Q_DECLARE_METATYPE(GM_GamePenalty)
