#pragma once

#include "GM_GameStats.h"
#include "GM_KnuthRandom.h"
#include "GM_LoadSaveElement.h"
#include "VersionProtocole.h"

#include <QList>
#include <QString>

#include <array>

// The table referee's progress through a match: who begins the next deal,
// the deal generator, the scores before the deal, the round counters of the
// eight-round and trump-round matches, the request number, the statistics,
// the piles collected in the last deal and the trump choices made. Its text
// is the "Enr" snapshot that lets a saved or joined table resume.
class ZB_SettingsPartie : public GM_LoadSaveElement
{
public:
    // More trump-mode counters than this in a text is a corrupt text: there
    // are twelve modes.
    static constexpr int MAX_COMPTEURS_ATOUT = 64;

    ZB_SettingsPartie();

    // Fields 1 to 13 are required, the trump-mode counters optional (absent
    // means none). The piles text is checked and kept in its written form.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;
    // Version 1 leaves out the trump-mode counters.
    QString sauveValeursDansString(int version) const;

    // The piles record: two records of card indices, pile A then pile B.
    static QString textePiles(const QList<int>& pileA, const QList<int>& pileB);
    // Decodes a piles text; an empty text gives two empty piles. Indices
    // outside 0..35 and cards named twice are refused with the record error.
    static void decodePiles(const QString& texte, QList<int>& pileA, QList<int>& pileB);
    void setPiles(const QList<int>& pileA, const QList<int>& pileB) { textePiles_ = textePiles(pileA, pileB); }
    void getPiles(QList<int>& pileA, QList<int>& pileB) const { decodePiles(textePiles_, pileA, pileB); }

    // Choices of a trump mode in this match; 0 for a mode never counted.
    int getCompteurAtout(int mode) const { return compteursAtout_.value(mode, 0); }
    // Counts one choice of the mode, growing the list as needed; a mode
    // outside 0..MAX_COMPTEURS_ATOUT-1 is ignored.
    void incrementeCompteurAtout(int mode);

    int noDemande = -1;                               // the table's current request number
    int joueurQuiCommenceLaProchainePartie = -10;     // -10 until the first deal names it
    GM_KnuthRandom random_;                           // the deal generator
    std::array<int, 2> scores_{0, 0};                 // team scores before the current deal
    bool huitTours_ = false;                          // eight-round match
    int toursJoues_ = -1;                             // rounds played in an eight-round match
    bool rotationDonne_ = false;                      // second half: packets go one seat further
    bool toursAtout_ = false;                         // trump-round match
    int donnesJouees_ = 0;                            // deals played
    QString texteGenerateur_;                         // generator text at the start of the match
    GM_GameStats stats_;
    QString textePiles_;                              // empty, or the piles record
    QList<int> compteursAtout_;                       // entry m: choices of trump mode m
};
