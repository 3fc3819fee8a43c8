#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ListeDesEvenements;

// The undo and redo of a table's local player: the states the player acted
// in during the deal (the undo history), the states an undo left (the redo
// history) with the deal's record they are replayed from, and the machinery
// that rebuilds a deal from its record up to a state.
//
// Runs on the GUI thread inside the table's steps, with the table's
// event-list mutex held (rebatitJusqua replays through the list and needs
// it; so does evenementsDeLaDonne). It does not decide whether a move counts
// (the table knows the seat and the network mode) and it neither resets nor
// shows the table: the table resets itself through the callback it passes
// and tells the display. The disabled flag is the table's to read (it keeps
// the played cards out of the history); retient records whatever it is
// given. A record that does not read makes the rebuild fail; what the list
// throws while it replays goes to the caller.
class ZB_AnnulationDeTable
{
public:
    // What an undo or a redo is to do: the state it rewinds (or forwards)
    // to, and the redo history before and after it.
    struct Plan {
        bool refaire = false;
        int cible = -1;
        QMap<int, int> refaireAvant;
        QMap<int, int> refaireApres;
    };

    // The table's own flag: its local player's moves are never recorded.
    void desactive(bool desactivee) { m_desactivee = desactivee; }
    bool estDesactivee() const { return m_desactivee; }

    // The local player acted in etat: the undo history gets it and the redo
    // history empties.
    void retient(int etat);
    // A new deal, a snapshot or a new match: both histories empty.
    void oublie();
    const QMap<int, int>& historiqueAnnuler() const { return m_historiqueAnnuler; }
    const QMap<int, int>& historiqueRefaire() const { return m_historiqueRefaire; }

    // An undo or a redo may start in etat: the deal's snapshot is taken
    // (from the first deal request on) and the match is not decided yet
    // (the states of a decided match are set by the table itself).
    static bool estAnnulable(int etat);
    // The undo (or redo) that may run from etat, toward cible when it is 0
    // or more, else from the histories; none when there is nothing to
    // rewind. genre is the game's kind: the first card state of the
    // previous trick depends on it.
    std::optional<Plan> planifie(int etat, int cible, bool refaire, int genre) const;
    // The record a plan replays: the deal as it stands for an undo, the one
    // kept at the first of a run of undos for a redo.
    const QStringList& aRejouer(const Plan& plan, const QStringList& actuels) const;
    // After the replay: the redo history the plan gives when the deal was
    // rebuilt (with the record of the deal as it stood), the one before it
    // when not.
    void termine(const Plan& plan, bool rebati, const QStringList& actuels);

    // Every event of the current deal's record as the seat sees it, the
    // inscriptions first. False, with the reason, when the record cannot
    // rebuild the deal (no snapshot, a seat without inscription, a text
    // that does not read).
    static bool evenementsDeLaDonne(ListeDesEvenements& liste, int siege, int noTable, QStringList& evenements,
                                    QString& raison);
    // Resets the table (remetAZero) and replays the events below the state
    // cible (every event when cible is negative), at once and unseen; true
    // when the replay ran to its last event.
    static bool rebatitJusqua(ListeDesEvenements& liste, const QStringList& evenements, int cible,
                              const std::function<void()>& remetAZero);

private:
    bool m_desactivee = false;
    QMap<int, int> m_historiqueAnnuler;
    QMap<int, int> m_historiqueRefaire;
    // The deal's record as it stood at the first of a run of undos: what a
    // redo replays. Meaningful only while the redo history is not empty.
    QStringList m_evenementsRefaire;
};
