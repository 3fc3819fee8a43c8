#pragma once

#include "EtatDeJeu.h"
#include "ZB_Event.h"

#include <QString>

// Where an event is built, for the warning of a skipped event:
//   EvenementDeJeu(EvenementDeJeu::Ajo, carte, ..., noTable, ZB_ICI)
#define ZB_ICI __FILE__, __LINE__, Q_FUNC_INFO

// One move or table-level fact of a game. Players post it to their table,
// the table's event list queues and runs it, the game record stores it as
// one line and the table protocol sends it as one message, all in the same
// text: "{" code "!" text "!" seat "!" state "!" source "!" player id "!"
// mode "!" request number "!" [table index "!"] "}".
class EvenementDeJeu : public ZB_Event
{
public:
    // Kinds, indexes into TypeEvenement.
    enum Genre {
        RsV = 0, // head of a replay block, client enters at the next deal
        RsI,     // head of a replay block, client enters during the deal, or undo
        ReE,     // end of a replay block
        Ram,     // trick collected or "Ok"
        Cho,     // trump choice
        Chm,     // bid
        Ajo,     // card played
        Dis,     // deal
        Fin,     // end of game answer
        Enr,     // table snapshot
        Mes,     // chat or table message
        InP,     // game inscription
        InJ,     // player inscription, state = seat + 2
        ReJ,     // player inscription with its seat (stored records only)
        JoO,     // player offline or back
        JoN,     // player enters a running game
        JoM,     // player enters a running game, second variant
        NeW,     // a client introduces its user
        Ann,     // announcements
        END,     // default kind, never written by the program, never read
        NombreDeGenres
    };

    enum Source {
        Local_AI = 0,
        Local_Human,
        Local_Table,
        Remote_AI,
        Remote_Human,
        Remote_Table,
        SourceRemote_Table_LocalTableTransform,
        SourceRemote_Human_MyOwnMessageReturned,
        SourceRemote_Table_MyOwnMessageReturned,
        SourceRemote_AI_MyOwnMessageReturned,
        SourceRemote_Human_OtherPlayerMessageReturned,
        SourceRemote_Table_OtherPlayerMessageReturned,
        SourceRemote_AI_OtherPlayerMessageReturned,
        SourceInconnue,
        NombreDeSources = SourceInconnue
    };

    // How an event travels (mode_): whether the list paces it and forwards
    // it to clients, and whether the seats answer the requests it leads to.
    // Peers and stored records carry the number, so the values never change;
    // a record keeps whatever it was written with.
    enum Mode : int {
        ModeEnDirect = 0,      // a live move: paced, forwarded; the seats answer what it leads to
        ModeRejeuImmediat = 1, // replayed at once and unseen (an undo): no pause, no redraw, not forwarded
        ModeRejeuAnime = 2,    // replayed at the table's pace for the user to watch; not forwarded
        ModeRejeuTransmis = 3, // replay-block heads and the inscriptions rebuilt for a replay: forwarded
        ModeSuiteDeDonnes = 4, // a record of several deals, paced; its last collect opens the next deal
    };
    static constexpr bool estEnDirect(int mode) { return mode == ModeEnDirect; }
    // Sent on to the clients of a hosting table.
    static constexpr bool estTransmis(int mode) { return mode == ModeEnDirect || mode == ModeRejeuTransmis; }
    // A replay that the user watches at the table's pace.
    static constexpr bool estRejeuAuRythme(int mode) { return mode == ModeRejeuAnime || mode == ModeSuiteDeDonnes; }
    // The list waits for the animation of the event before the next one.
    static constexpr bool estAuRythme(int mode) { return estEnDirect(mode) || estRejeuAuRythme(mode); }

    // The three-letter code of each kind, indexed by type_.
    static const QString TypeEvenement[NombreDeGenres];
    // The names of the known sources, for diagnostics.
    static const QString SourceEvenement[NombreDeSources];

    // An empty, invalid event of kind END.
    EvenementDeJeu();
    // A built event: valid, and checked at once, so that a corrupted event
    // never leaves the code that built it (throws GM_ExceptionEventCorrupted).
    EvenementDeJeu(int type, const QString& texte, int noJoueur, int etat, int source, qint64 idJoueur, int mode,
                   int noDemande, int noTable, const char* fichier, int ligne, const char* fonction);
    EvenementDeJeu(const EvenementDeJeu& autre);
    EvenementDeJeu& operator=(const EvenementDeJeu& autre);
    ~EvenementDeJeu() override;
    EvenementDeJeu* clone() const override;

    // The text in a table-protocol version (1, 2 or 3); from version 2 the
    // table index is written too.
    QString toString(const int& version) const;

    // Reads one event from the front of in and leaves the unread text,
    // braced again, in rest (empty after the last event of a stream).
    // Returns false, changing nothing, for an unknown kind code. Throws
    // GM_Exception on a bad number and GM_ExceptionEventCorrupted on an
    // inconsistent event; the event is then left unchanged too. The caller
    // stores the result in valide_.
    bool fromString(const QString& in, QString& rest);

    // Rejects a kind that cannot happen at the event's state, and a request
    // number that does not fit the kind (GM_ExceptionEventCorrupted).
    void verifieValidite() const;

    // What the rules say of each kind, for the referee and the server socket
    // alike: who may send it and what it must carry.
    enum Classe : unsigned {
        HorsControleJoueur = 1u << 0, // not a seat's own answer: the player check is skipped
        PasseHorsDemande = 1u << 1,   // still applies when it answers an older request
        CoupDeJoueur = 1u << 2,       // a seat's move: it names and indexes the seat that makes it
        FaitDeTable = 1u << 3,        // only the table states it (snapshot, inscriptions)
        EnvoiDeClient = 1u << 4,      // a client may send it: its seat's answers and chat
        SansDemande = 1u << 5,        // answers no request: request number -1
        AvecDemande = 1u << 6,        // answers a request: its number is given
    };
    // The classes of each kind, indexed by type_.
    static const unsigned ClassesDeGenre[NombreDeGenres];
    // Whether a kind is in a class; a kind outside the table is in none.
    static bool estDeClasse(int genre, Classe classe);

    // States at which the only legal answer is a card.
    static bool estEtatDeCarte(int etat);

    // Name of a source, "Unknown" outside the table.
    static QString nomDeSource(int source);
    // Made on this machine (its players or its table), not received.
    static constexpr bool estSourceLocale(int source) { return source >= Local_AI && source <= Local_Table; }
    // Code of a kind, "END" outside the table.
    static const QString& codeDeGenre(int type);

    // Equal for the event list: the same move from the same player for the
    // same request. The forwarding mode and the diagnostics do not count.
    bool operator==(const EvenementDeJeu& o) const
    {
        return valide_ == o.valide_ && noDemande_ == o.noDemande_ && noTable_ == o.noTable_ && texte_ == o.texte_
            && type_ == o.type_ && noJoueur_ == o.noJoueur_ && etat_ == o.etat_ && source_ == o.source_
            && idJoueur_ == o.idJoueur_;
    }
    bool operator!=(const EvenementDeJeu& o) const { return !(*this == o); }

    bool valide_ = false;
    QString texte_;
    int type_ = END;
    int noJoueur_ = 4;        // seat 0..3, 4 for the table itself
    int etat_ = 0;            // game state at which the event applies, see EtatDeJeu
    int source_ = SourceInconnue;
    qint64 idJoueur_ = -1;    // unique id of the player concerned, -1 none
    int mode_ = ModeEnDirect; // forwarding and pacing mode (Mode), see ListeDesEvenements
    int noDemande_ = -1;      // the request answered, -1 none
    int noTable_ = 0;         // table index in the room, -1 its first table

    // Where the event was built; never written to text.
    const char* fichier_ = "";
    int ligne_ = -1;
    const char* fonction_ = "";
};
