#pragma once

#include "GM_MessageBoxEmitter.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_EcouteExclusionA.h"
#include "ZB_FichierDePartie.h"
#include "ZB_GardeDesTours.h"
#include "ZB_SalleDeTableA.h"
#include "ZB_ServerSocket.h"

#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <QRecursiveMutex>
#include <QSharedPointer>
#include <QString>
#include <QTimer>

#include <memory>

class DisplayA;
class EvenementDeJeu;
class GM_MessageBoxDisplayerA;
class GM_SocketAbstract;
class QIODevice;
class QTextStream;
class ZB_EventsGroup;
class ZB_RoomTable;

// A name for a seat nobody named: a common first name, capitalised (both
// parts of a hyphenated one).
QString randomPlayerName();

// Names for several seats at once: no two alike, none of the excluded ones
// (the names other seats already wear), compared without case.
QStringList randomPlayerNames(int nombre, const QStringList& exclus);

// The game tables of one session, local or online, with their event lists
// and the hosting side of the table protocol. The room starts games, moves
// each table from one step to the next, keeps the tables of a session in
// step, saves the game and seats the clients of a hosted game. The client
// and user-facing operations (quitting, connecting, hosting, answering the
// next-game question) belong to the subclass the program creates: the main
// window's, or the windowless host's.
class ZB_Room : public QObject,
                protected GM_MessageBoxEmitter,
                protected ListeDesEvenements::Executor,
                public ZB_ServerSocket::Cb_TableConnectionInput,
                protected ZB_FichierDePartie::Destination,
                protected ZB_SalleDeTableA,
                public ZB_EcouteExclusionA
{
    Q_OBJECT

public:
    // Session kinds of reponse_Depart.
    enum GenreSession { SessionLocale = 0, SessionClient = 1, SessionServeur = 2, SessionAutre = 3 };
    // Start modes of reponse_Depart.
    enum ModeDepart {
        NouvellePartie = 0,
        NouvellePartieGagnante = 1,
        OuvreFichier = 2,
        RepriseFichier = 3,
        MemesJoueurs = 4,
        SansDepart = 5,
        ViderListes = 6
    };
    // Online states.
    enum EtatEnLigne { HorsLigne = 0, Hote = 1, Client = 2 };

    struct Parametres {
        // A session that keeps nothing: no autosave, and quitting needs no
        // confirmation.
        bool sansSauvegarde = false;
        bool modeSimple = false;          // computer seats skip their card search
        bool reseedAChaqueReset = false;  // every table reset draws a fresh deal generator
        bool sansDelai = false;           // no pacing between the steps
        bool nonSecurise = false;         // plain WebSocket
        bool tcp = false;                 // raw TCP
        QString dossierDonnees;
        QString cheminServeur;
    };

    ZB_Room(QObject* parent, DisplayA* display, GM_MessageBoxDisplayerA* displayer, const OptionsDePartie& genre,
            const Parametres& parametres);
    ~ZB_Room() override;
    ZB_Room(const ZB_Room&) = delete;
    ZB_Room& operator=(const ZB_Room&) = delete;

    // Makes the records that queued signals carry known to the meta-type
    // system, before the first connection carries them; every program that
    // drives a room calls it once.
    static void enregistreTypesDesSignaux();

    // Starts a game (modeDepart: ModeDepart, genreSession: GenreSession);
    // loading errors (GM_Exception and its kinds) are thrown on, the event
    // group unlocked; bare text thrown while a file loads raises the
    // "Fatal Exception" box instead, whose answer quits (OnAppQuit).
    void reponse_Depart(int* modeDepart, int* genreSession, const OptionsDePartie& options,
                        const QString& fichierOuServeur, const QString& login, quint16 portSecure,
                        quint16 portUnsecure, quint16 portTcp, int secondesAttente, bool connexionPublique,
                        QSharedPointer<GM_SocketAbstract> socket, int noTable);
    // Seats a player at the inscription step etape (2..5) of a table.
    void inscritJoueur(const OptionsDuJoueur& joueur, int etape, int noTable);
    // The next state of a table; true when the other tables must be moved
    // on too (a hosting room's end of round).
    bool incrementeTour_(int mode, int noTable);
    // Writes the first table's record to the autosave file. A failure is
    // reported once, not again until a save has succeeded; the previous file
    // stays.
    // The autosave is the game of the copy of the program that last wrote
    // or read it: two copies may run on one data folder (a second one
    // started while the first hangs). A copy whose last known autosave is
    // no longer the one on disk (its bytes changed; a missing file changed
    // nothing) writes over nobody's game: from then on its game goes to a
    // file of its own beside the autosave (getCheminALEcart), told once in
    // a box, and the next start resumes the newer game, the autosave's.
    void saveToFile();
    // The autosave when the program quits, when nobody would see a box
    // shown on the way out: true when the game is saved, or when its
    // failure was told already (a full disk is told once); else the failure
    // is told in a box whose answer calls slot, and the program quits then.
    bool sauveAvantDeQuitter(QObject* destinataire, const char* slot);
    void setProtocolVersion(int version);
    // false when the tables could not be made.
    bool setNombreDeTables(int nombre, int tableAffichee);
    void setDatabaseUserId(qint64 id);
    bool needsSave() const;
    void clearNeedsSave();

    // The room's own overridable operations.
    virtual void askQuit(QObject* destinataire, const char* slot) = 0;
    virtual void disconnectFromServer() = 0;
    virtual void startHosting(QSharedPointer<GM_SocketAbstract> socket, const QString& login, quint16 portSecure,
                              quint16 portUnsecure, quint16 portTcp, qint64 idUtilisateur) = 0;
    // Loads a whole file into the tables; false when it does not read.
    virtual bool loadFromStream(QTextStream& in, int* typeDeFichier, quint64 noTable, int* nombreDeLignes);
    // The first table's record, written under its list's mutex: to a game
    // file (a failure is told in a box), or as UTF-8 text.
    virtual void saveAs(const QString& chemin);
    virtual void writeToStream(QTextStream& out);
    virtual void connectToServer(const QString& adresse, quint16 port, const QString& login, qint64 idUtilisateur,
                                 int secondesAttente, bool connexionPublique,
                                 QSharedPointer<GM_SocketAbstract> socket) = 0;
    virtual void stopOnlineSession();
    virtual void sendToServer(const EvenementDeJeu& ev) = 0;
    virtual void endOnlineGame(bool notifie) = 0;
    virtual void answerNextGame(bool isPlayerContinue) = 0;
    virtual void resetToSingleTable();
    virtual void cb_serverStart(int noTable);
    virtual void resetOnlineState();

    // Read access.
    ZB_RoomTable* getTable(int noTable) const;
    const QMap<int, ZB_RoomTable*>& getTables() const { return tables_; }
    ZB_EventsGroup* getEvents() const { return events_.get(); }
    ZB_ServerSocket* getServer() const { return server_.get(); }
    ListeDesEvenements* getListe(int noTable) const;
    int getEtatEnLigne() const { return etatEnLigne_; }
    bool estEnLigne() const { return enLigne_; }
    int getProtocolVersion() const { return version_; }
    const OptionsDePartie& getOptions() const { return options_; }
    const QString& getCheminSauvegarde() const { return cheminSauvegarde_; }
    // Where this copy's game is saved instead of the autosave, once another
    // copy wrote a newer game there; empty until then.
    const QString& getCheminALEcart() const { return cheminALEcart_; }
    // A free name beside chemin for a copy of it: its base name, marque,
    // the date and time, and ".jss".
    static QString nomDateACote(const QString& chemin, const QString& marque);
    // The file of the last start mode 2 or 3, for what its replay tells.
    const QString& getFichierCharge() const { return fichierCharge_; }
    // What the last file opened was found to lack (each told to the user
    // in a box), empty when it read whole.
    const QStringList& getAvisDuFichier() const { return avisDuFichier_; }
    DisplayA* getDisplay() const { return display_; }

    // ListeDesEvenements::Executor.
    bool cb_executeUnEvenement(EvenementDeJeu& ev) override;
    void envoieEvenement(const EvenementDeJeu& ev) override;
    void continueLeJeu(int mode, double* delai, int noTable, bool force) override;
    void noteActiviteJoueur(const EvenementDeJeu& ev) override;
    bool peutContinuer(int& etatAttendu, int noTable) override;

    // ZB_ServerSocket::Cb_TableConnectionInput.
    bool cb_setClientInGameReconnect(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& joueur) override;
    bool cb_setClientInGameOnTheFly_Random(ZB_ServerSocketConnection* connection,
                                           const OptionsDuJoueur& joueur) override;
    bool cb_setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection* connection, int noTable, int siege,
                                                bool isHotSwapSamePlayerSocketChange,
                                                const OptionsDuJoueur& joueur) override;
    bool cb_setClientInGameInPlaceOf(ZB_ServerSocketConnection* connection, qint64 idCedant,
                                     const OptionsDuJoueur& joueur) override;
    bool cb_resetTables(int nombreDeTables) override;

signals:
    void signalOnlineGameEnded();
    void signalOnlineGameStarted();
    void signalSendStatsGameCompleted(bool isConnected, QString stats);
    void signalSendStatsGameStart(QString stats);
    void signalSendPenalty(QString penalty);

public slots:
    void OnOnlineGameEnded();
    void OnSetClientOffline(qlonglong playerId, bool isSendOfflineEvent, bool isNotifyAllPlayers);
    void OnOnlineGameStart(OptionsDePartie options, ushort port_websocket_secure, ushort port_websocket_unsecure,
                           ushort port_tcpOld);
    // A seated player was excluded (ZB_EcouteExclusionA, straight from the
    // player) or a table said so.
    void OnPlayerExcluded() override;
    void OnAppQuit(int result);
    void OnQuestionNouvellePartie(bool isPlayerContinue);
    void OnDisconnectClient(bool isNotifyExclusion);
    void OnDisconnectClient();
    void OnSendStartStats(QString stats);
    void OnForwardPenalty(QString penalty);
    void OnSendStatsGameCompleted(bool isConnected, QString stats);
    void OnQuickFixDelayCompleteRound();

protected:
    void customEvent(QEvent* event) override;

    // A joining copy's table refused a move its host had made: the copy no
    // longer holds the host's game, and only the host's records may bring
    // it back. Called under the table's list; nothing here by default.
    virtual void horsDePasAvecLHote(const EvenementDeJeu& ev) { Q_UNUSED(ev); }

    // ZB_SalleDeTableA: what a table posts runs later, through customEvent.
    void posteEvenementDeTable(EvenementDeJeu* ev) override;

    // ZB_FichierDePartie::Destination.
    void recreeTables(int n, quint64 tableDemandee) override;
    int getNombreDeTables() const override { return static_cast<int>(tables_.size()); }
    bool chargeTable(int noTable, QTextStream& in, int* nombreDeLignes) override;

    GM_MessageBoxDisplayerA* displayer_ = nullptr;
    DisplayA* display_ = nullptr;
    QString login_;
    quint16 portSecure_ = 4001;
    quint16 portUnsecure_ = 4002;
    quint16 portTcp_ = 4000;
    OptionsDePartie options_;
    QSharedPointer<GM_SocketAbstract> socket_;
    int etatEnLigne_ = HorsLigne;
    bool enLigne_ = false;
    QString dossierDonnees_;
    QString cheminSauvegarde_;
    QString fichierCharge_;
    QStringList avisDuFichier_;
    qint64 idUtilisateur_ = -1;

    // What a game being left for another session still holds outside its
    // tables goes: the moves posted to the room and not run yet (a computer
    // seat's answer, a click of the user), which would reach the next
    // session's table, and the replay view of a replay cut short, which
    // would leave the user watching it: the table shown is live.
    void oubliePartieQuittee_();

    // The method name in a slot given either plainly ("OnQuit") or the way
    // SLOT() writes it ("1OnQuit(int)").
    static QByteArray nomDeMethode(const char* slot);
    // Invokes the slot later with the answer, as a box would (with no
    // argument when the slot takes none).
    static void repondsAuSlot(QObject* destinataire, const char* slot, int reponse);

    bool estSansSauvegarde() const { return sansSauvegarde_; }
    bool estTcp() const { return tcp_; }
    bool estNonSecurise() const { return nonSecurise_; }

private:
    ZB_RoomTable* creeTable_(int noTable, bool affichee);
    // Once the hosted game runs, the server is full or not as the tables'
    // free seats say.
    void suitLesPlacesLibres_();
    void supprimeTables_();
    // Lets one table go on after an event, with the autosave of a local
    // player's turn.
    void continueTable_(int mode, double* delai, int noTable, bool force, bool relance);
    // The caller holds the list's mutex.
    void autosauvegarde_(const ListeDesEvenements& liste);
    // Where the autosave goes now; nouvelEcart: it has just turned aside.
    QString destinationAutosave_(bool& nouvelEcart);
    // Writes the autosave there and notes what the autosave now holds.
    bool ecritAutosave_(const QString& chemin, const ListeDesEvenements& liste, QString& erreur);
    // Tells where the game went aside; the answer goes to the slot, if any.
    void ditEcart_(QObject* destinataire, const char* methode);
    // A hash of the bytes; empty when chemin is no regular file to read.
    static QByteArray empreinteDe_(const QString& chemin);
    static QByteArray empreinteDe_(QIODevice& octets);
    void finDeTour_(int mode);
    // A hosting room bounds the wait for a seat played elsewhere
    // (ZB_GardeDesTours): a player whose copy owes the table its answer for
    // too long is taken as gone.
    void surveilleLesTours_();
    // That player enters the table's running game.
    void entre_(qint64 id, const ZB_RoomTable& table);
    // That player may take no seat this match (ZB_GardeDesTours::estEcarte).
    bool estEcarte_(qint64 id) const;
    int versionPour_(const TypeDePartie& type) const;
    const TypeDePartie& typeDePartie_() const;
    EvenementDeJeu inscriptionPartie_(int noTable) const;
    // Loads a file read and checked beforehand; avis are the notices of
    // its blocks that open in part.
    // Bare text thrown while a game file loads: a critical box whose answer
    // quits the program (OnAppQuit).
    void erreurFatale_(const QString& texte);
    void chargeFichier_(int modeDepart, const QString& fichier, quint64 noTable, const QByteArray& contenu,
                        const QStringList& avis);

    QMap<int, ZB_RoomTable*> tables_;
    std::unique_ptr<ZB_EventsGroup> events_;
    std::unique_ptr<ZB_ServerSocket> server_;
    bool sansSauvegarde_ = false;
    bool echecAutosauvegarde_ = false;  // the last autosave failed and was reported
    // The autosave as this copy last wrote or read it (a hash of its bytes,
    // empty for no file), and the file its game goes to once another copy
    // wrote a newer one (see saveToFile).
    QByteArray empreinteAutosave_;
    QString cheminALEcart_;
    bool relance_ = false;
    QString cheminServeur_;
    bool modeSimple_ = false;
    bool reseedAChaqueReset_ = false;
    bool sansDelai_ = false;
    bool nonSecurise_ = false;
    bool tcp_ = false;
    int version_ = 1;
    QSharedPointer<ZB_ServerSocket::ListeDeTables> listeDeTables_;
    // The room's own lock. It guards nothing today: every operation of the
    // room runs on the GUI thread, serialised by the event loop, and the
    // data it shares have their own locks (each event list's mutex, the
    // group's lock over all of them, the game server's recursive mutex).
    // Recursive so that a room operation taken under it could call another.
    QRecursiveMutex mutex_;
    ZB_DisplayEmpty displayVide_;
    ZB_GardeDesTours gardeDesTours_;
    QTimer timerGardeDesTours_;
    QElapsedTimer horloge_;
};
