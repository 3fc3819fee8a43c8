#pragma once

#include "EvenementDeJeu.h"
#include "OptionsDuJoueur.h"
#include "VersionProtocole.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QTextDocument>
#include <QTimer>

#include <array>
#include <memory>

class QTextStream;

// A table's events: the only road from players and the network to the
// table's rules. Stale and duplicate answers are dropped, the others wait in
// a queue indexed by game state and run one at a time through the executor
// (the room) at the pace of the table's animations. Every executed event
// becomes a line of the game record and is forwarded to connected clients;
// the events that run at once, outside the queue (a chat line, a seat's
// entry or departure), are forwarded only when the executor accepted them;
// a stored record can be replayed, and a joining client is handed what it
// needs to catch up.
//
// Everything that touches the list runs on the GUI thread: the computer's
// search threads answer with posted events (Joueur::poste) and the sockets
// deliver on the GUI thread, so no other thread reaches the list and the
// mutex guards no data race. It marks a run of list operations (lock,
// execute, flush) as one step that nothing else enters: the room, the
// table's intake, the server and the client take it around their runs.
// It is not recursive: code that may be reached from inside such a run,
// further up the same call, only tries it (ClientSocket closing under an
// executing event). Callers of the _unlocked operations, of clear, replay,
// getReplay, ajouteEtExecute_Client and
// clear_Et_metEnQueue_InscriptionJoueurs hold it; flush and OnFlush take it
// themselves.
//
// Game states index the queue and seats index joueurDistant_: an event whose
// state is not valid (EtatDeJeu::estValide) is ignored, and so is a remote answer from a
// seat outside 0..3. An event whose text holds a line break is ignored too,
// since it would split a line of the game record. A queued text that does
// not read back is dropped and reported like a refused event.
class ListeDesEvenements : public QObject
{
    Q_OBJECT

public:
    static constexpr int NombreEtats = EtatDeJeu::NombreEtats;
    static constexpr int EtatFinDeReplay = EtatDeJeu::FinDePartieSiege3;
    // Pause between two attempts while the executor cannot run the next
    // event.
    static constexpr int DelaiReessai = 250;
    static constexpr const char* VersionDuFichier = "12";

    // The room that applies events to its tables.
    class Executor
    {
    public:
        virtual ~Executor() = default;
        // Applies the event to its table; false refuses it.
        virtual bool cb_executeUnEvenement(EvenementDeJeu& ev) = 0;
        // Sends the event's text to the connected clients.
        virtual void envoieEvenement(const EvenementDeJeu& ev) = 0;
        // Lets the table go on after an event and says, in delaiMs (may be
        // null), how long the animation of that event lasts. The list always
        // passes false as the last argument.
        virtual void continueLeJeu(int mode, double* delaiMs, int noTable, bool) = 0;
        virtual void noteActiviteJoueur(const EvenementDeJeu& ev) = 0;
        // May the next queued event run now; keeps a room's tables in step.
        virtual bool peutContinuer(int& etatAttendu, int noTable) = 0;
    };

    // Told once a replay has been played through.
    class ReplayRequester
    {
    public:
        virtual ~ReplayRequester() = default;
        virtual void cb_replayTermine() = 0;
        // A replay that had to stop short (see replay's arretSurManque):
        // the game goes on from the move of line ligne of the record (its
        // index in the lines given to replay), -1 when none was replayed.
        virtual void cb_replayArrete(qsizetype ligne) { Q_UNUSED(ligne); }
        // A stored replay that met a move no game can hold (see
        // signaleCoupImpossible) at line ligne of the record: the record is
        // damaged, and what was rebuilt of it is not a game to go on with.
        // By default it stops before that move.
        virtual void cb_replayAbime(qsizetype ligne, const QString& raison)
        {
            Q_UNUSED(raison);
            cb_replayArrete(ligne - 1);
        }
    };

    ListeDesEvenements(Executor* executor, int noTable);
    ~ListeDesEvenements() override;

    void lock() { mutex_->lock(); }
    void unlock() { mutex_->unlock(); }
    QMutex* getMutex() const { return mutex_.get(); }

    // Starts a new record. The expected state is left to the table.
    void clear();
    // Starts a new record whose first event to run is the one of
    // premierEtat: how a replay begins.
    void recommence(int premierEtat)
    {
        etatAttendu_ = premierEtat;
        clear();
    }

    // The state whose queued event runs next; EtatDeJeu::Aucun, none. The
    // room and the table referee move it on as the game goes; the list
    // itself only goes back to the last executed state when a replay's last
    // move is refused.
    int getEtatAttendu() const { return etatAttendu_; }
    bool attend(int etat) const { return etatAttendu_ == etat; }
    void setEtatAttendu(int etat) { etatAttendu_ = etat; }

    // Takes one event in. demandeEnCours is the table's pending request
    // number (-1 none); enDirect marks a live answer, which is checked
    // against the states already played.
    void execute_unlocked(int demandeEnCours, EvenementDeJeu& ev, bool enDirect);
    // Runs the queued events that the table expects, until one needs time to
    // be shown. Exceptions of the executor go through.
    void flush_unlocked();
    // Locks, lets the table go on, then runs the queue; an exception of the
    // executor is thrown on once the mutex is released.
    void flush();

    // A table client's entry for an event received from the server.
    void ajouteEtExecute_Client(EvenementDeJeu ev, qint64 idJoueurLocal);

    // Entry 0 the game inscription, entries 1..4 the inscriptions of seats
    // 0..3, "" where the record has none. Throws on a bad block.
    static QStringList getInscriptions(const QTextDocument& doc, const int& mode, int noTable, const int& version);
    // Starts a new record that keeps the game inscription and inscribes the
    // players now seated (keyed by seat).
    void clear_Et_metEnQueue_InscriptionJoueurs(const QMap<int, OptionsDuJoueur>& joueurs, int noTable);
    // What a joining client is sent: a replay block headed by typeDebut
    // (RsV or RsI) and ending with the table's last move, then the answers
    // still queued for states to come.
    void getReplay(QByteArray& out, const int& typeDebut, int noJoueur, int noTable);
    // Rebuilds the table from the lines of a record (lignes[0] is the
    // format version). perspective 4 is the table itself, 0..3 a seat.
    // A record without events, or too short to find its last event, throws
    // GM_ExceptionFileCorrupted; a bad line throws the reader's exception.
    // Nothing is queued when it throws.
    // With arretSurManque (a stored record, which holds every move of its
    // game), a replay that reaches a state the record has no move for, or
    // whose move the table refused, stops there instead of waiting for ever:
    // what is still queued of the record goes, so that the game goes on
    // live from its last replayed move, and the requester is told
    // (cb_replayArrete).
    void replay(const QStringList& lignes, int perspective, bool client, qint64 idJoueurLocal,
                ReplayRequester* demandeur, bool arretSurManque = false);
    // The record, one event a line ending in "\r\n".
    void ecritTexte(QTextStream& out) const;

    // Read access for the table, the event window and the bug report.
    const QTextDocument& getEnAttente() const { return enAttente_; }
    const QTextDocument& getExecutes() const { return executes_; }
    int getEtatExecute() const { return etatExecute_; }
    // The room rewinds it when a deal is abandoned, so that the new deal's
    // early states are not taken for stale answers.
    void setEtatExecute(int etat) { etatExecute_ = etat; }
    // At the end of a round, a list that holds the queues of several deals
    // (a replayed match) goes on with the next one.
    void donneSuivante()
    {
        if (noDonne_ + 1 < donnes_.size())
            ++noDonne_;
    }
    int getNoTable() const { return noTable_; }
    void setNoTable(int noTable) { noTable_ = noTable; }
    int getNoDonne() const { return noDonne_; }
    int getNombreDeDonnes() const { return static_cast<int>(donnes_.size()); }
    // The queued text of a state in the current queue table, "" when none.
    QString getEnQueue(int etat) const;
    const EvenementDeJeu& getDernierEvenement() const { return dernierEvenement_; }
    ReplayRequester* getDemandeurReplay() const { return demandeurReplay_; }
    // A requester that goes away before its replay ended is no longer told.
    void oublieDemandeurReplay(const ReplayRequester* demandeur)
    {
        if (demandeurReplay_ == demandeur)
            demandeurReplay_ = nullptr;
    }
    bool estReplayEnCours() const { return dernierEvenement_.valide_; }
    // The executor's word, while it refuses the event it runs, that the
    // move cannot be in any game (a card its seat does not hold under the
    // deal). A stored replay then ends at once (cb_replayAbime); the table
    // referee alone says it.
    void signaleCoupImpossible(const QString& raison) { coupImpossible_ = raison; }
    const QTimer& getTimer() const { return timer_; }

    // Set by the table referee from each seat's remote flag.
    std::array<bool, 4> joueurDistant_{};
    // While set, queued events are not run (the client's connection ended).
    bool interrompu_ = false;
    // Every pacing delay becomes 1 ms.
    bool sansDelai_ = false;
    // Table-protocol version of every text the list writes.
    int version_ = VERSION_PROTOCOLE_ACTUELLE;

public slots:
    void OnFlush();
    void OnReplayCompleted();

private:
    static QStringList tableVide_();
    static bool estEtatValide_(int etat) { return EtatDeJeu::estValide(etat); }
    static void ajouteBloc_(QTextDocument& doc, const QString& texte);
    void retireDeEnAttente_(const QString& texte);
    void finDeReplay_(const EvenementDeJeu& ev);
    // A stored record that does not go on: see replay.
    void arreteReplay_();
    void OnReplayArrete();
    // A stored record with a move no game can hold: see cb_replayAbime.
    void abandonneReplay_(qsizetype ligne);
    // What both leave behind: an empty table, nothing queued.
    void videReplay_();
    void OnReplayAbime();
    void signaleRefus_(const EvenementDeJeu& ev, const QString& texte);
    bool estDernierDuReplay_(const EvenementDeJeu& ev) const;
    // The client's version of a player-record event (remote flags seen from
    // this machine), or the event itself when it carries none.
    EvenementDeJeu transformeClient_(const EvenementDeJeu& ev, qint64 idJoueurLocal) const;

    Executor* executor_;
    int noTable_;
    int etatAttendu_ = EtatDeJeu::Aucun;
    int etatExecute_ = EtatDeJeu::Aucun;
    QList<QStringList> donnes_;
    int noDonne_ = 0;
    QTextDocument enAttente_;
    QTextDocument executes_;
    std::unique_ptr<QMutex> mutex_;
    EvenementDeJeu dernierEvenement_;
    ReplayRequester* demandeurReplay_ = nullptr;
    QTimer timer_;
    // The replay of a stored record: its queued texts by their line, and the
    // line of the last move replayed.
    bool arretSurManque_ = false;
    QHash<QString, qsizetype> lignesDuReplay_;
    qsizetype derniereLigneRejouee_ = -1;
    QString coupImpossible_;
    qsizetype ligneAbimee_ = -1;
    QString raisonAbimee_;
};
