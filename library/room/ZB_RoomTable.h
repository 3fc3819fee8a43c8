#pragma once

#include "AnnoncesJoueur.h"
#include "EvenementDeJeu.h"
#include "GM_GameStats.h"
#include "GM_MessageBoxEmitter.h"
#include "InfoDemande.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "TypeDePartie.h"
#include "VersionProtocole.h"
#include "ZB_AnnulationDeTable.h"
#include "ZB_SettingsPartie.h"
#include "ZB_SiegesDeTable.h"
#include "ZB_StatistiquesDeTable.h"
#include "ZB_StatusMise.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QRandomGenerator>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class Carte;
class DisplayA;
class GM_MessageBoxDisplayerA;
class JoueurHumain;
class Partie;
class QTextStream;
class StatusAtout;
class ZB_DeckA;
class ZB_EcouteExclusionA;
class ZB_MiseA;
class ZB_PointsA;
class ZB_SalleDeTableA;
class ZB_ServerSeatingA;
class ZB_ServerSocketConnection;
struct ZB_PointsDonne;

// The referee of one game table, and the only authority over its game: every
// move of a player, a peer, a stored record or the table itself arrives as an
// event through the table's event list, is checked here, applied to the deal
// and the seated players, and shown on the table's display. A client runs the
// same class as a mirror of the server's table.
//
// Everything runs on the GUI thread with the event list's mutex held (it
// marks the run of one event; no other thread reaches the table: the
// computer's searches post their answers, see ListeDesEvenements). Live
// intake (customEvent) never lets a peer's bad event escape: it is logged and
// dropped. Replays and saved tables throw their errors to the caller.
//
// The sources are split by concern: ZB_RoomTable.cpp (construction, players,
// new match, reset, loading), ZB_RoomTableExecution.cpp (intake and
// execution), ZB_RoomTableDeroulement.cpp (the state machine and the end of
// the match), ZB_RoomTableDonne.cpp (deal, tricks, announcements, trump,
// bids), ZB_RoomTableSieges.cpp (seating, reconnection, penalties, slots) and
// ZB_RoomTableAnnulation.cpp (undo). The table owns its parts, each with its
// own fields: ZB_SiegesDeTable (who sits where, who waits for a seat, the
// seats' accounts), ZB_AnnulationDeTable (the undo and redo histories and
// the rebuild of a deal from its record) and ZB_StatistiquesDeTable (the
// match statistics); decisions_de_table (DecisionsDeTable.h) holds the
// decisions that depend on their arguments alone. The table's operations
// that post or run events stay here and tell the parts what changed.
class ZB_RoomTable : public QObject, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    // Room network modes given at the start of a match.
    enum ModeReseau { ReseauLocal = 0, ReseauServeur = 1, ReseauClient = 2 };

    static constexpr int NombreDeSieges = ZB_SiegesDeTable::NombreDeSieges;
    static constexpr int SiegeTable = 4;
    // Replay view modes: one the user watches, paced like live play, and one
    // that rebuilds the table at once, waiting for no animation.
    static constexpr int ModeVueSansAnimation = 1;
    static constexpr int ModeVueFilm = 2;
    static constexpr int AucuneCarte = 36;
    static constexpr int ScoreSansFin = TypeDePartie::OBJECTIF_SANS_FIN;

    // modeSimple: the computer players skip their card search.
    // reseedAChaqueReset: every reset draws a fresh deal generator.
    ZB_RoomTable(QObject* parent, bool modeSimple, bool reseedAChaqueReset);
    ~ZB_RoomTable() override;
    ZB_RoomTable(const ZB_RoomTable&) = delete;
    ZB_RoomTable& operator=(const ZB_RoomTable&) = delete;

    // The room that runs the events this table posts; not owned. Without
    // one, they go through the table's own intake.
    void setSalle(ZB_SalleDeTableA* salle) { m_salle = salle; }

    // Called once by the room right after construction; seats four fresh
    // players. room (may be null: nobody hears) receives the players'
    // exclusion signal directly; it, the display and the list are borrowed
    // and outlive the table.
    void initialise(ZB_EcouteExclusionA* room, GM_MessageBoxDisplayerA* displayer, int noTable, DisplayA* display,
                    ListeDesEvenements* liste, bool pasDAnnulation, const QString& texte1, const QString& texte2,
                    bool afficheAnalyse);

    // Checks and applies one event; true when it was applied. Records that do
    // not read and kinds that never belong to a table throw GM_Exception.
    bool cb_executeUnEvenement(const EvenementDeJeu& ev);

    // The highest seat played by hand on this machine, -1 when none.
    int getNoJoueurLocal() const;
    // The first state of the new-player group etat belongs to, -1 when it
    // is not a new-player state.
    static int premierEtatNouveauJoueur(int etat);
    // The seat that must act in the current state, or in a given one.
    int getJoueurQuiDoitJouer() const;
    int getJoueurQuiDoitJouer(int etat) const;
    // The current state code, kept by the event list.
    int getEtatCourant() const;

    // Seats a player with its play mode; reentree keeps the state of a
    // player who is already part of the running deal.
    void inscritJoueur(int noJoueur, const OptionsDuJoueur& options, int mode, bool reentree);

    // Start of a match (modeReseau: ModeReseau).
    void nouvellePartie(int modeReseau, const OptionsDePartie& options);
    // The hosting machine's own player (-1 none), whose seat no newcomer takes.
    void setIdHote(qint64 idHote) { m_sieges.setIdHote(idHote); }
    // Back to an empty table; garderGenerateur keeps the deal generator's
    // seed (unless the table reseeds at every reset).
    void reinitialise(bool garderGenerateur);
    // Takes one table's block of a saved game from the stream's position,
    // by the game-file rules (ZB_FichierDePartie::lisTable): lines up to an
    // empty line or "</executed>", "<Table0>" and "<//Table0>" skipped,
    // optionally two header lines before the version. False for an empty
    // block or one without a version; a version below 12 throws
    // GM_ExceptionFileTooOld. The lines are kept only when the block reads.
    bool chargeTable(QTextStream& in, int* nombreDeLignes = nullptr);
    // The same from lines already split, read as their text joined by line
    // breaks.
    bool chargeTable(const QStringList& bloc, int* nombreDeLignes = nullptr);
    // Replays the lines taken by chargeTable; errors are thrown on once the
    // display shows the table again and the list is unlocked. A record that
    // stops following the game stops its replay there (the requester's
    // cb_replayArrete).
    bool rejoue(int modeVue, ListeDesEvenements::ReplayRequester* demandeur = nullptr);
    // Analysis windows of every seat on or off.
    void afficheAnalyses(bool afficher);

    // ---- Undo and redo of the local player's moves. ----
    // Rewinds the deal to an earlier state (or, with refaire, forward to a
    // state left by an undo) by replaying the deal's record up to it. The
    // target is cible when it is 0 or more, else it comes from the undo
    // (redo) history. Takes the list's mutex: never call it while holding
    // it. False when nothing was rewound; the table then plays on as it was.
    bool annuler(int cible, bool refaire);
    // States a local human acted in during this deal, and states an undo
    // left, each keyed by its state code.
    const QMap<int, int>& getHistoriqueAnnuler() const { return m_annulation.historiqueAnnuler(); }
    const QMap<int, int>& getHistoriqueRefaire() const { return m_annulation.historiqueRefaire(); }
    // Where an undo without a recorded move goes: the first card state of
    // the trick before the one of etat (27, the trump choice, from the first
    // trick; below 37 the state itself).
    int etatDuPliPrecedent(int etat) const;

    // Read access for the room, the display and tests.
    JoueurHumain* getJoueur(int noJoueur) const;
    QSharedPointer<Partie> getPartie() const { return m_partie; }
    // The deal in progress, normally created by the trump choice; also the
    // way back in after a restore.
    void setPartie(QSharedPointer<Partie> partie) { m_partie = partie; }
    const ZB_SettingsPartie& getSettingsPartie() const { return m_settingsPartie; }
    ZB_SettingsPartie& settingsPartie() { return m_settingsPartie; }
    const OptionsDePartie& getOptionsDePartie() const { return m_optionsDePartie; }
    const TypeDePartie& getTypeDePartie() const { return m_typeDePartie; }
    const ZB_StatusMise& getStatusMise() const { return m_statusMise; }
    const GM_GameStats& getStatsPartie() const { return m_statsPartie; }
    int getNoTable() const { return m_noTable; }
    void setNoTable(int noTable) { m_noTable = noTable; }
    int getNoDemande() const { return m_settingsPartie.noDemande; }
    int getScoreObjectif() const { return m_scoreObjectif; }
    int getNombreAnnonces() const { return m_nombreAnnonces; }
    const std::array<AnnoncesJoueur, 4>& getAnnonces() const { return m_annonces; }
    const std::array<int, 4>& getSiegesAnnonces() const { return m_siegesAnnonces; }
    quint8 getReponseNouvellePartie() const { return m_reponseNouvellePartie; }
    const QMap<int, OptionsDuJoueur>& getEntreesProchaineDonne() const
    {
        return m_sieges.entrees(ZB_SiegesDeTable::ProchaineDonne);
    }
    const QMap<int, OptionsDuJoueur>& getEntreesProchainPli() const
    {
        return m_sieges.entrees(ZB_SiegesDeTable::ProchainPli);
    }
    const QMap<int, qint64>& getEtatsEntreesTraites() const { return m_sieges.etatsEntreesTraites(); }
    // A player was announced to enter at that new-player state and has not
    // entered yet (a client hears of the entry before the table makes it).
    bool estEntreeAnnoncee(int etat) const;
    const QStringList& getLignes() const { return m_lignes; }
    const QDateTime& getDerniereActivite() const { return m_derniereActivite; }
    bool estReseau() const { return m_reseau; }
    bool estServeur() const { return m_serveur; }
    bool estMiroir() const { return m_miroir; }
    bool estMemeCompte(int noJoueur) const;
    ListeDesEvenements* getListeDesEvenements() const { return m_listeDesEvenements; }
    DisplayA* getDisplay() const { return m_display; }
    int getVersion() const { return m_version; }
    // A live local game under way: worth saving.
    bool estPartieEnCours() const { return m_partieEnCours; }
    void effacePartieEnCours() { m_partieEnCours = false; }
    // The online account of this machine's user.
    qint64 getDatabaseUserId() const { return m_idUtilisateur; }
    void setDatabaseUserId(qint64 id) { m_idUtilisateur = id; }
    // An online game ended: the seats waiting to enter and the account
    // bookkeeping of its clients are forgotten.
    void oublieSessionEnLigne();
    // The online session is over for good: the table is a local one until
    // its next game says otherwise, so that a record loaded meanwhile (the
    // user's own game, resumed) replays as this machine's, not as a copy
    // of a host's seen from a guest's seat.
    void redevientLocale();
    void setVersion(int version) { m_version = version; }
    // Told when a hosting table refuses a card that a client sent live for
    // its seat and that no honest client sends: one not in the seat's hand,
    // or one the rules forbid. The card is not played and the seat still
    // owes its card; the room has its game server give the client's
    // connection a strike.
    using RefusCoupDistant = std::function<void(qint64 idJoueur, const QString& raison)>;
    void setRefusCoupDistant(RefusCoupDistant refus) { m_refusCoupDistant = std::move(refus); }

    // ---- Operations of the state machine, the bids and the tricks. ----
    // Lets the game go on after an event: issues what the current state
    // requires and the pause before the list's next automatic step. A state
    // the loop must never reach throws GM_Exception.
    void continueLeJeu(int mode, double* delai, bool relance, bool force);
    // Deal answer "Dis": the fourth answer (state 10) deals the hands.
    void reponse_ActionDistribue(int nombreDeCartes, bool enDirect);
    // A card played by a seat: out of every hand, into the deal.
    void joueCarte(int noJoueur, Carte* carte);
    // Collect answer "Ram": the last collect of a trick checks the target.
    void ramasse(const EvenementDeJeu& ev);
    // End of a deal, called by the room once every table finished it: the
    // deal's totals join the match scores. True when an eight-round match
    // starts its second half with the same deals.
    bool termineDonne(bool detacheJoueurs);
    // The first trick's best announcements were credited and wait for the
    // seats' confirmation (states 45 to 48).
    bool estConfirmationAnnoncesEnAttente() const { return m_annoncesDecidees; }
    // Each seat's king-and-queen pair state.
    const std::array<int, 4>& getEtatsBelote() const { return m_etatsBelote; }
    // A team's total of the running deal (0 without one).
    int totalDonne(int equipe) const;
    // The match is decided: a side reached the target with the deal's
    // points, or the match played its length.
    bool estFinDeMatch() const;
    // Trump chosen by a seat, or by the table; a partner's answer without a
    // trump is ignored (false).
    bool atoutChoisi(int noJoueur, const StatusAtout& atout);
    // Bid of a seat: the auction goes on, ends with a taker (the deal is
    // created) or every seat passed (the deal is redone).
    void miseChoisie(int noJoueur, const ZB_StatusMise& mise);
    // The trump a game with automatic trump plays next: the first allowed
    // mode (4 first, then 1, 2, 3, 5..11) not yet played its share of
    // times (once, or four times by the second rule). Returns how many
    // trump choices are left, the coming one included; below 1 the match
    // has played every trump. atout is filled only when a mode is left.
    int determineAtoutAutomatique(StatusAtout& atout, bool secondeRegle) const;
    // The turned card of a Belote deal, null before the deal or in Jass.
    Carte* getCarteRetournee() const;

signals:
    // The room listens to these; their order is the room's too.
    void signalDisconnectClient(bool isSignalExclusion);
    void signalQuestion_NouvellePartie(bool isPlayerContinue);
    void signalSendStatsGameStart(QString stats);
    void signalSendPenalty(QString stats);
    void signalPlayerExcluded();
    // Never emitted: a slow player's penalty goes out through
    // signalSendPenalty.
    void signalPlayerTooSlow(int, double);
    void signalSendStatsGameCompleted(bool isConnected, QString stats);

public slots:
    void OnPlayerExcluded();
    // A seat's player was too slow: a penalty when penalties are on.
    void OnPlayerTooSlow(qint64 dataBaseUserId, double penalite);
    // Asks the room with the seats' combined end-of-game answer, then forgets
    // that answer.
    void OnQuestionNouvellePartie();
    void OnDisconnectClient();

public:
    // ---- Seating of a hosting table, penalties and match statistics. ----
    // Counters of the match statistics that only the table fills: the points
    // a player made for team 0 and for team 1, which its share of the match
    // is taken from.
    enum CompteurStatsTable {
        StatsPointsEquipe0 = ZB_StatistiquesDeTable::StatsPointsEquipe0,
        StatsPointsEquipe1 = ZB_StatistiquesDeTable::StatsPointsEquipe1
    };

    // A client's connection closed: its seat goes to the computer (with a
    // penalty when it leaves a running game), or, for a client without a
    // seat, its waiting entries go.
    void setClientOffline(qint64 idJoueur, bool isSendOfflineEvent, bool isNotifyAllPlayers);
    // The computer plays the seat from now on; notify tells the table why.
    // Only posts events, so it may run while the list executes.
    void setPlayerOffline(int noJoueur, bool notify);
    // A returning client gets the seat it left, or the place it was waiting
    // for. serveur, when given, learns where the connection plays and
    // whether the game is now full. False when nothing waits for the client.
    // prochaineDonne: it enters at the next deal, however early in this one.
    bool setClientInGameReconnect(ZB_ServerSocketConnection* connection, ZB_ServerSeatingA* serveur,
                                  const OptionsDuJoueur& options, bool prochaineDonne = false);
    // A new client takes a computer's seat: the first one free, or the given
    // one (hot swap: the same player on a new connection takes its own seat).
    bool setClientInGameOnTheFly_Random(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& options);
    // A newcomer takes the seat of the remote player idCedant, who gave it
    // up to it: held for that player, the seat is offered to nobody else.
    // False when no seat is that player's.
    bool setClientInGameInPlaceOf(ZB_ServerSocketConnection* connection, qint64 idCedant,
                                  const OptionsDuJoueur& options);
    bool setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection* connection, int noJoueur,
                                             bool isHotSwapSamePlayerSocketChange, const OptionsDuJoueur& options);
    // Announces the client's entry, queues it for this deal or the next, and
    // sends the client what it needs to catch up when it is connected.
    void insertPlayerInGame(ZB_ServerSocketConnection* connection, int noJoueur, const OptionsDuJoueur& options,
                            const QString& texte);
    // Hands over the players waiting for a seat and forgets them. For the
    // room, on the GUI thread, between two events.
    QMap<int, OptionsDuJoueur> getJoueursEnAttente();
    // Seats other than exclu that a connecting client could take.
    int compteSiegesLibres(int exclu) const;
    // The match statistics, for the room that gives the online game id.
    GM_GameStats& statsPartie() { return m_statsPartie; }

private:
    // The key of a seat's entry in the match statistics: its account while
    // its own player plays it, else a key of the seat.
    qint64 cleStats_(int noJoueur) const;
    // Shares and flags of the end of the match; tells the room when there
    // are players.
    void statsFinDeMatch_(int t0, int t1);
    void annonceDebutDeStats_();
    void emetPenalite_(double penalite, qint64 idCompte, int genre);
    void insertPlayerInGame_unlocked(ZB_ServerSocketConnection* connection, int noJoueur,
                                     const OptionsDuJoueur& options, const QString& texte,
                                     bool prochaineDonne = false);
    // Events of the table: posted to the room, which runs them later, or
    // run at once through the list.
    void posteALaSalle_(int genre, const QString& texte, int noJoueur, int etat, qint64 idJoueur, int mode,
                        int noDemande);
    void executeEvenementDeLaTable_(int genre, const QString& texte, int noJoueur, int etat, qint64 idJoueur,
                                    int mode, int noDemande);

protected:
    void customEvent(QEvent* event) override;

private:
    // Why a checked event is refused, for the log; the table is untouched.
    bool refuse_(const EvenementDeJeu& ev, const QString& raison) const;
    bool executeAnnonce_(const EvenementDeJeu& ev);
    bool executeCarte_(const EvenementDeJeu& ev);
    // A move a client sent live to this hosting table, as opposed to one of
    // this machine's seats or a stored record being replayed.
    bool estCoupDistantEnDirect_(const EvenementDeJeu& ev) const;
    void signaleCoupDistantRefuse_(const EvenementDeJeu& ev, const QString& raison) const;
    bool executeFin_(const EvenementDeJeu& ev);
    bool executeInscription_(const EvenementDeJeu& ev);
    bool executeReinscription_(const EvenementDeJeu& ev);
    bool executeHorsLigne_(const EvenementDeJeu& ev);
    bool executeEntree_(const EvenementDeJeu& ev);
    bool executeEntreeSecondeVariante_(const EvenementDeJeu& ev);
    // A mirror's seat waits for its player to enter: mode 7, its moves from the host.
    void metEnAttenteDEntree_(int siege);
    // The seat whose decision a trump choice, a bid or announcements answer,
    // -1 when none is due in that state (decisions_de_table, from the seat
    // that begins).
    int siegeDeLaDecision_(int genre, int etat) const;
    void initialiseJoueur_(JoueurHumain* joueur, const OptionsDuJoueur& options, int noJoueur);
    InfoDemande demande_(int etat, int mode) const;
    // siegeQuiAgit -2: the seat shown acts.
    void afficheEtat_(int etat, int mode, int noJoueur, int second = -1, int siegeQuiAgit = -2);
    void jeuEstDistribue_(bool avanceJoueur, bool afficheDonne = true);
    // Each seat's analysis window names the four players of the deal.
    void nommeLesJoueursDesAnalyses_();
    // Lets the deal go; whoever still holds it (the display, a network
    // seat) keeps a deal without the points record the table frees.
    void lacheLaPartie_();
    void afficheNouvelleDonne_();
    void afficheArdoise_();
    // Seats whose king-and-queen pair is complete and not yet shown on the
    // slate; empty once the match is decided.
    QList<int> siegesStockAAfficher_();
    bool longueurAtteinte_() const;
    void finDeMatch_(int mode);

    // One step of the state machine: the state to serve, the mode of the
    // event just executed, the room's re-request and force flags, and
    // whether the table acts live (mode 0, not a mirror).
    struct Etape {
        int etat;
        int mode;
        bool relance;
        bool force;
        bool enDirect;
    };
    // The steps of continueLeJeu, one per group of states. Those that pace
    // the list return the pause before its next automatic step.
    void continueInscription_(const Etape& etape);
    void continueEnregistrement_(const Etape& etape);
    void continueDistribue_(const Etape& etape);
    double continueMise_(const Etape& etape);
    double continueAtout_(const Etape& etape);
    double continueAnnonce_(const Etape& etape);
    void continueNouveauJoueur_(const Etape& etape);
    double continueCarte_(const Etape& etape);
    std::optional<double> continueRamasse_(const Etape& etape);
    // A waiting player's inscription with its seat, taken off the waiting map.
    void inscritDepuisAttente_(ZB_SiegesDeTable::Attente attente, int siege, int etat);
    void decideAnnonces_();
    // The king-and-queen pair of trump; true when it ends the match at once.
    bool paireRoiDame_(int noJoueur, const Carte* carte);
    // The deal's game, created once its trump is known.
    void creePartie_(const StatusAtout& atout, int choisisseur);
    void finDesMises_(int preneur);
    void toutLeMondePasse_();
    // A turned-card deal: the taker gets the turned card and two more,
    // every other seat three.
    void distribueReste_(int preneur, Carte* carteRetournee);
    // Why a bid cannot stand against the bid in force, empty when it can
    // (decisions_de_table).
    QString raisonRefusMise_(const ZB_StatusMise& mise) const;

    QSharedPointer<Partie> m_partie;
    // Kept from one deal to the next: players and the deal hold its cards.
    // Declared before the deal's dealing and points, which die first.
    std::unique_ptr<ZB_DeckA> m_deck;
    // The deal's points record and dealing, made for each deal. The table
    // owns the record; m_partie only borrows it (Partie::getPoints), so
    // whoever frees it first has the deal forget it (Partie::oubliePoints):
    // the deal may live on in the display after the table let it go.
    std::unique_ptr<ZB_PointsA> m_points;
    std::unique_ptr<ZB_MiseA> m_mise;
    int m_nombreAnnonces = 0;
    bool m_annoncesDecidees = false;
    std::array<AnnoncesJoueur, 4> m_annonces;
    std::array<int, 4> m_siegesAnnonces{-1, -1, -1, -1};
    // Who sits where and who waits for a seat; all four players exist
    // once initialise ran.
    ZB_SiegesDeTable m_sieges;
    QDateTime m_derniereActivite;
    quint8 m_reponseNouvellePartie = 0;
    int m_dernierAtoutDessine = -1;
    // A stored record the user does not watch is rebuilt at once: its steps
    // wait for no animation. Set by rejoue, cleared once the game goes on.
    bool m_rejeuSansPause = false;
    // The local player's undo and redo, with the no-undo flag.
    ZB_AnnulationDeTable m_annulation;
    // The pair of the seat was shown complete on the slate.
    std::array<bool, 4> m_stockAffiche{};
    ZB_StatusMise m_statusMise;
    int m_compteurPasse = 0;
    std::array<int, 4> m_etatsBelote{};   // 0 none, 1 half of the pair played, 2 complete
    std::array<int, 4> m_couleursBelote{}; // suit of the pair begun
    QRandomGenerator m_random;
    ZB_SettingsPartie m_settingsPartie;
    ZB_SalleDeTableA* m_salle = nullptr;
    GM_GameStats m_statsPartie;
    // The match statistics at the deal's snapshot: an undo rebuilds the deal
    // on them.
    GM_GameStats m_statsAvantDonne;
    ZB_StatistiquesDeTable m_statistiques{m_statsPartie, [this](int noJoueur) { return cleStats_(noJoueur); }};
    int m_scoreObjectif = ScoreSansFin;
    int m_noTable = 0;
    TypeDePartie m_typeDePartie;
    DisplayA* m_display = nullptr;
    int m_version = VERSION_PROTOCOLE_ACTUELLE;
    bool m_reseau = false;
    bool m_serveur = true;
    bool m_miroir = false;
    ListeDesEvenements* m_listeDesEvenements = nullptr;
    OptionsDePartie m_optionsDePartie;
    bool m_partieEnCours = false;
    qint64 m_idUtilisateur = -1;
    QString m_texte1;
    QString m_texte2;
    bool m_modeSimple = false;
    RefusCoupDistant m_refusCoupDistant;
    bool m_reseedAChaqueReset = false;
    bool m_afficheAnalyse = false;
    QStringList m_lignes;
};
