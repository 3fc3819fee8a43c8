#pragma once

#include "OptionsDuJoueur.h"

#include <QMap>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <memory>

class JoueurHumain;

// Who sits at a table: the four seated players, the players waiting to take
// a seat (at the next deal or at the next new-player state of a trick), the
// states at which entries were handled, and each seat's account as it stood
// at the last end-of-game answer.
//
// Runs on the GUI thread inside the table's steps: its callers hold the
// table's event-list mutex, as for the rest of the table. It knows nothing of
// the list, the display or the events: the table builds and posts those and
// tells the seating what changed. A seat outside 0..3 is ignored: reads give
// no player and false, writes do nothing; only joueurObligatoire throws.
// The lookups a move goes through (joueur, joueurs, siegeLocal) neither
// lock nor allocate.
class ZB_SiegesDeTable
{
public:
    static constexpr int NombreDeSieges = 4;

    // Where a waiting player takes its seat: at the next deal's inscription,
    // or at the next new-player state of a trick in the running deal.
    enum Attente { ProchaineDonne, ProchainPli };

    ZB_SiegesDeTable();
    ~ZB_SiegesDeTable();
    ZB_SiegesDeTable(const ZB_SiegesDeTable&) = delete;
    ZB_SiegesDeTable& operator=(const ZB_SiegesDeTable&) = delete;

    // ---- The seated players, owned here (no QObject parent). ----
    // Seats joueur, freeing the one who sat there.
    void assoit(int siege, std::unique_ptr<JoueurHumain> joueur);
    // Frees the four players; the table does it before the deal they hold.
    void libereJoueurs();
    JoueurHumain* joueur(int siege) const
    {
        return siege >= 0 && siege < NombreDeSieges ? m_joueurs[size_t(siege)].get() : nullptr;
    }
    // The player the table asks to act: a seat outside 0..3 or still empty
    // throws std::out_of_range (the state or the record that names it is
    // broken).
    JoueurHumain& joueurObligatoire(int siege) const;
    // The four players, lent for a loop; null before the table seats them.
    std::array<JoueurHumain*, NombreDeSieges> joueurs() const;
    // The highest seat played by hand on this machine, -1 when none.
    int siegeLocal() const;
    // The names the seats' players show, seat by seat (empty for a seat
    // nobody sits on).
    QStringList noms() const;
    // The names the seated players go by, without the display's suffixes.
    QStringList nomsPropres() const;
    // The first (or the last) seat whose player has that id, -1 when none.
    int premierSiegeDe(qint64 idJoueur) const;
    int dernierSiegeDe(qint64 idJoueur) const;

    // ---- Places a connecting client may take. ----
    // The hosting machine's own player, -1 when none: its seat stays its
    // own, even when the host's record says a computer plays it (a host
    // nobody watches).
    void setIdHote(qint64 idHote) { m_idHote = idHote; }
    // A seat that this machine's computer plays and nobody waits for.
    bool estOffrable(int siege) const;
    // Seats other than exclu that are offrable.
    int compteSiegesLibres(int exclu) const;
    // The seat a new client takes: the first one a computer player holds,
    // else the first one whose player left; -1 when the table is full. The
    // host's own seat is never offered, even while this machine's computer
    // plays it.
    int siegeAPrendre() const;
    // The seat a returning client may take, -1 when none: its waiting entry
    // (by id, then by account), else the seat its computer replaces it on.
    int placeDeReconnexion(const OptionsDuJoueur& options) const;

    // ---- Players waiting to take a seat. ----
    bool attend(Attente attente, int siege) const { return entrees_(attente).contains(siege); }
    bool aUneEntree(int siege) const { return m_entreesDonne.contains(siege) || m_entreesPli.contains(siege); }
    OptionsDuJoueur entree(Attente attente, int siege) const { return entrees_(attente).value(siege); }
    const QMap<int, OptionsDuJoueur>& entrees(Attente attente) const { return entrees_(attente); }
    // The seat's player enters as attente says, replacing any other entry
    // of the seat.
    void metEnAttente(Attente attente, int siege, const OptionsDuJoueur& options);
    // A computer named nom for the seat at the next deal, unless someone
    // waits there.
    void attendUnOrdinateur(int siege, const QString& nom);
    void retireEntree(Attente attente, int siege) { entrees_(attente).remove(siege); }
    // Every entry of a player, and the states its entries were handled at.
    void retireEntrees(qint64 idJoueur);
    // The waiting players (a seat in both keeps its next-deal entry), taken
    // off with the handled states.
    QMap<int, OptionsDuJoueur> prendEntrees();

    // ---- States at which entries were handled: state -> player id. ----
    void noteEntreeTraitee(int etat, qint64 idJoueur) { m_etatsEntreesTraites.insert(etat, idJoueur); }
    const QMap<int, qint64>& etatsEntreesTraites() const { return m_etatsEntreesTraites; }
    // A player was announced to enter at that new-player state and has not
    // entered yet.
    bool estEntreeAnnoncee(int etat) const;

    // ---- Each seat's account, from one end-of-game answer to the next. ----
    bool estMemeCompte(int siege) const;
    // The end-of-game answers are in: which seats kept their account.
    void noteComptes();
    // The seat's player came back with idCompte, or (-1) left.
    void changeCompte(int siege, qint64 idCompte);

    // An online game ended: the waiting players and the accounts go.
    void oublieSession();

    // ---- The local user excluded for slowness, until the game ends. ----
    // The seat's player (that id) was excluded: the computer plays its seat
    // to the end of the game, through the deals that inscribe it again.
    void noteExclusion(int siege, qint64 idJoueur);
    bool estExclu(int siege, qint64 idJoueur) const;
    // A new game: nobody is excluded from it.
    void oublieExclusions() { m_exclus = {-1, -1, -1, -1}; }

private:
    QMap<int, OptionsDuJoueur>& entrees_(Attente attente)
    {
        return attente == ProchaineDonne ? m_entreesDonne : m_entreesPli;
    }
    const QMap<int, OptionsDuJoueur>& entrees_(Attente attente) const
    {
        return attente == ProchaineDonne ? m_entreesDonne : m_entreesPli;
    }

    // The seated players; all four exist once the table seated them.
    std::array<std::unique_ptr<JoueurHumain>, NombreDeSieges> m_joueurs;
    QMap<int, OptionsDuJoueur> m_entreesDonne;   // enter at the next inscription state
    QMap<int, OptionsDuJoueur> m_entreesPli;     // enter at the next new-player state of a trick
    QMap<int, qint64> m_etatsEntreesTraites;     // state -> id of the player who entered, -1 none
    std::array<quint8, NombreDeSieges> m_memeCompte{};
    std::array<qint64, NombreDeSieges> m_comptes{-1, -1, -1, -1};
    std::array<qint64, NombreDeSieges> m_exclus{-1, -1, -1, -1}; // id of the player excluded, -1 none
    qint64 m_idHote = -1;
};
