#pragma once

#include "OptionsDePartie.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// What a saved game record (".jss", the autosave included) says happened,
// read with the engine's own file and event readers: the deals, the cards of
// every trick of the last deal with the seats that played them, and whether
// the match was finished.
//
// Rules:
// - Seat 0 is the user's (the bottom of the window), 1 the right seat, 2 the
//   top, 3 the left, in playing order.
// - A deal begins at a table snapshot (a redeal after four passes too); a
//   trick is the cards played since the previous trick was complete.
// - A record that cannot be read (being written, damaged) reads as empty
//   and valide() is false: the caller reads it again later.
class RecordDePartie
{
public:
    struct CarteJouee
    {
        int siege = -1;
        QString carte; // the record's text: suit "_" rank
    };
    struct Pli
    {
        QList<CarteJouee> cartes;
        bool ramasse = false; // its collect was recorded
    };

    bool lit(const QString& chemin);
    bool valide() const { return valide_; }

    // Every line after the version, as written: two reads are the same game
    // at the same point when these are equal.
    const QStringList& lignes() const { return lignes_; }
    int nombreDeDonnes() const { return donnes_; }
    // The tricks of the last deal, in order; the last may be incomplete.
    const QList<Pli>& plis() const { return plis_; }
    // The trick the table shows now: the last one unless it was collected
    // (then none: an empty trick).
    Pli pliEnCours() const;
    int cartesJouees(int siege) const;
    bool matchTermine() const { return termine_; }
    // The state of the last event of the game (not of messages or markers).
    int dernierEtat() const { return dernierEtat_; }
    // The two teams' match scores as the last deal began (its table
    // snapshot), the deals before it counted.
    std::array<int, 2> scores() const { return scores_; }
    // The trump choices, bids and cards of each deal, one "kind seat text"
    // a move: two tables that played the same deal have the same moves.
    const QList<QStringList>& coupsParDonne() const { return coups_; }
    // The match's options as the record's last inscription gave them.
    const OptionsDePartie& optionsDuMatch() const { return options_; }
    // A short account for failure messages: the deal, the trick, its cards.
    QString resume() const;

private:
    bool valide_ = false;
    QStringList lignes_;
    int donnes_ = 0;
    QList<Pli> plis_;
    bool termine_ = false;
    int dernierEtat_ = 0;
    std::array<int, 2> scores_{0, 0};
    QList<QStringList> coups_;
    OptionsDePartie options_;
};
