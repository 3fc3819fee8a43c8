#pragma once

#include "GM_GameStatsPlayer.h"
#include "GM_LoadSaveElement.h"

#include <QMap>
#include <QMetaType>
#include <QString>

#include <array>

class AnnoncesJoueur;

// What happened in a match, counted per player (keyed by database id) and
// per team, with the match's identity: game type, online game id, generator
// text and table. The table fills it while it plays; its text goes to the
// lobby when a match starts and when it ends.
class GM_GameStats : public GM_LoadSaveElement
{
public:
    GM_GameStats();
    ~GM_GameStats() override;
    GM_GameStats(const GM_GameStats&) = default;
    GM_GameStats& operator=(const GM_GameStats&) = default;

    // Items up to the team records are required, the last two optional
    // (absent ones keep their values). The player map is replaced by the
    // text's entries: a snapshot never keeps players of an earlier match.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    // Registers the record for queued signals; call once at start-up.
    static void registerMetaType();

    // Starts counting a new match: totals, the start flag and the players
    // are cleared; identity fields stay.
    void reset(const int& typePartie);

    // The record of a player, added (reset to 0) when absent.
    GM_GameStatsPlayer& getPlayer(qint64 databaseId);

    // Adds montant to counter compteur of both players and of the team. The
    // same id twice counts twice. A counter outside 0..30 or a team other
    // than 0 or 1 is a caller's mistake: the call is ignored as a whole, so
    // that no record is added for it either.
    void ajouteValeur(int equipe, qint64 joueur1, qint64 joueur2, const int& compteur, int montant);

    // Whether a text can be stored as the generator text: empty, a plain
    // token, or one complete record text. Anything else would cut the
    // enclosing record, or a game file's line, in the wrong place.
    static bool estTexteGenerateurValide(const QString& texte);

    bool operator==(const GM_GameStats& o) const;
    bool operator!=(const GM_GameStats& o) const { return !(*this == o); }

    int typePartie_ = 0;       // 1 Jass, 2 Belote
    qint64 id1_ = -1;          // online game id of the table
    bool indicateur_ = false;  // network room
    QString idTexte_ = QStringLiteral("-1"); // generator text at the start of the match
    std::array<int, 4> valeurs_{0, 0, 0, -1}; // preset id, target or winning score, game mode, -1
    std::array<int, 2> valeurs2_{0, 0};       // match totals of teams 0 and 1
    int valeur3_ = 0;          // 1 once the start of the match was reported
    int valeur4_ = -1;         // game id of the match options (its low 32 bits)
    qint64 id2_ = -1;          // table index in its room
    QMap<qint64, GM_GameStatsPlayer> m_statsPlayer;
    std::array<GM_GameStatsPlayer, 2> equipes_;
};

// The counter number of a player's announcements: the last of the three that
// names a known combination decides. 31 (no counter) when none does.
int indexStatsAnnonces(const AnnoncesJoueur& annonces);

Q_DECLARE_METATYPE(GM_GameStats)
