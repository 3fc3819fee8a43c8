#pragma once

#include <functional>

// What a table client's socket tells of its connection, and what it hears
// back: the state, the countdown of a wait, showing and hiding, and the
// user's cancel. The status window implements it; a client without a window
// (a test, a fuzz target) has none, and the socket then keeps the state
// itself. The protocol code thus needs no widget to build.
class ZB_StatutConnexionA
{
public:
    enum Etat {
        Init = 0,
        ResolutionAdresse = 1,
        TentativeConnection = 2,
        AttentePublique = 3,        // through a public server, countdown running
        AttentePubliqueReessai = 4, // the public server closed: a new attempt follows
        AttenteHote = 5,            // the host forms the teams
        JeuEnCours = 6,
        DeconnecteUtilisateur = 7,
        RefuseOuComplet = 8,
        Interrompu = 9,
        AutreErreur = 10
    };

    virtual ~ZB_StatutConnexionA() = default;

    virtual void setEtat(int etat) = 0;
    virtual int getEtat() const = 0;
    // A new countdown of that many seconds.
    virtual void setSecondesAttente(int secondes) = 0;
    // The host dropped the connection before the client was seated: try
    // essai of essais follows in that many seconds. Shown until the next
    // state.
    virtual void annonceEssai(int essai, int essais, int secondes) = 0;
    virtual void montre() = 0;
    virtual void cache() = 0;
    // What the user's cancel runs; the implementation keeps the last one.
    virtual void surAnnulation(std::function<void()> action) = 0;
};
