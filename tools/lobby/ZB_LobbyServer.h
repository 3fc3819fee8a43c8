#pragma once

#include "GM_LobbyReader.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QSslCertificate>
#include <QSslKey>
#include <QStringList>
#include <QVersionNumber>

class QWebSocket;
class QWebSocketServer;

// A small lobby service that speaks the lobby protocol, for the tests and
// for trying the program's lobby by hand (tools/lobby/zubrik_lobby): there
// is no public lobby. It keeps accounts in memory, answers logins, new
// accounts and forgotten passwords, gives canned answers to the list
// requests, hands out game-server addresses, relays bridges between two
// users (a private invitation bridges the inviting user to each invited
// one online) and records everything it receives. Without a canned friend
// list it keeps friendships itself: a request ("F9n") waits until the
// friend confirms it ("Blw"); either side may end it ("Bkv").
//
// It listens on one address with plain WebSockets and, when the build's
// certificate loads, with TLS (the certificate and key under :/ssl/, or a
// pair given before listening). Bad records are dropped with a log line,
// like the client does; a peer that sends more than a record's size limit
// without a record end is closed.
class ZB_LobbyServer : public QObject
{
    Q_OBJECT

public:
    struct Compte {
        QString email; // lower case
        QString motDePasse;
        QString pseudo;
        qint64 id = 0;
        bool bloque = false;
    };
    struct Recu {
        qint64 userId; // -1 before login
        QByteArray mot;
        QStringList champs;
    };

    static constexpr const char* RessourceCertificat = ":/ssl/zubrik.invalid.crt";
    static constexpr const char* RessourceCle = ":/ssl/zubrik.invalid.key";

    explicit ZB_LobbyServer(QObject* parent = nullptr);
    ~ZB_LobbyServer() override;
    ZB_LobbyServer(const ZB_LobbyServer&) = delete;
    ZB_LobbyServer& operator=(const ZB_LobbyServer&) = delete;

    // Replaces the build's certificate (before ecoute).
    void setCertificat(const QSslCertificate& certificat, const QSslKey& cle);
    // Port 0: the system chooses. False when the plain server cannot listen,
    // or TLS was asked and cannot be had.
    bool ecoute(const QHostAddress& adresse = QHostAddress::LocalHost, quint16 portWs = 0, quint16 portWss = 0,
                bool tls = true);
    bool tlsActif() const { return serveurTls_ != nullptr; }
    quint16 portWs() const;
    quint16 portWss() const;
    // "host:port" for ZUBRIK_SERVER_ADDRESS.
    QString adresse(bool unsecure) const;

    // Returns the new account's user id.
    qint64 ajouteCompte(const QString& email, const QString& motDePasse, const QString& pseudo, bool bloque = false);
    const Compte* compte(const QString& email) const;
    // Programs older than this are asked to update.
    void setVersionMinimale(const QString& version) { versionMinimale_ = QVersionNumber::fromString(version); }
    // The fields that answer a list request (the server list gets the
    // user's id in front).
    void setReponse(const QByteArray& mot, const QStringList& champs) { reponses_.insert(mot, champs); }
    // The "SA1" answer for a server id and its password (empty: none).
    void setAdresseServeur(const QString& id, const QString& motDePasse, const QStringList& reponse);
    // Stops answering anything but records it gets (a lobby that hangs).
    void setMuet(bool muet) { muet_ = muet; }
    // Leaves the next "fois" requests of the word unanswered (a lobby that
    // loses one request and answers the next).
    void ignore(const QByteArray& mot, int fois = 1) { ignores_[mot] += fois; }

    // Rankings, statistics and titles. Once set they answer "R7t"/"R6t",
    // "H2q"/"H3q" and "Awq"; until then the canned answer of setReponse
    // does. Game family: 0 Jass, anything else Belote.
    // The ranking: one entry per player, "position,pseudo,played,won,points".
    void setClassement(int famille, const QStringList& lignes);
    // A user's statistics: the answer's five lists (totals, averages,
    // maxima, global averages, global maxima), one value per counter.
    void setStatistiques(qint64 userId, int famille, const QStringList& champs);
    // A title the user reached at that time (UTC); a user in session is
    // told at once with "Acv".
    void ajouteTitre(qint64 userId, int numero, const QDateTime& quand);
    // The "Awq" entries of a user: "number,yyyy-MM-dd hh:mm:ss".
    QStringList titres(qint64 userId) const;
    // Demo rankings of both families, and statistics and titles for every
    // account known now, for trying the tabs by hand and their pictures.
    void ajouteDemoClassements();

    // The chat rooms, channels 0 to CanauxChat - 1: a line as the
    // community's side would write it ("<Name> text\r\n"), and what a room
    // holds. Channel CanalAnnonces carries the announcements, given to each
    // session once.
    static constexpr int CanauxChat = 4;
    static constexpr int CanalAnnonces = 4;
    static constexpr int LignesParSalon = 1000;
    static constexpr int HistoriqueChat = 50;
    // A line sent to a room is cut to this many characters.
    static constexpr int LongueurLigneChat = 255;
    void ajouteLigneChat(int canal, const QString& ligne);
    QStringList salonChat(int canal) const;
    void setAnnonces(const QStringList& annonces) { annonces_ = annonces; }
    // Account requests ("Dld", "Dli") answer 2 while the mail service is
    // down; a second request of an account answers 1.
    void setCourrielEnPanne(bool enPanne) { courrielEnPanne_ = enPanne; }

    // Opens a bridge between two logged-in users: each is told.
    bool ouvrePont(qint64 userA, qint64 userB);
    bool envoie(qint64 userId, const QByteArray& mot, const QStringList& champs);
    // Raw binary messages, whatever they hold.
    bool envoieBrut(qint64 userId, const QList<QByteArray>& messages);
    // Drops the user's connection without a word.
    void coupe(qint64 userId);
    // Drops every connection and stops listening.
    void arrete();

    const QList<Recu>& recus() const { return recus_; }
    QList<Recu> recusDe(const QByteArray& mot) const;
    void effaceRecus() { recus_.clear(); }
    int nombreConnexions() const { return int(connexions_.size()); }
    bool estConnecte(qint64 userId) const;
    int nombreRejets() const { return rejets_; }

signals:
    void signalRecu(qint64 userId, const QByteArray& mot);
    void signalSession(qint64 userId);
    void signalFinConnexion(qint64 userId);

private:
    struct Connexion {
        QWebSocket* socket = nullptr;
        GM_LobbyReader lecteur;
        qint64 userId = -1;
        // Per chat channel, the number of the last line this session got.
        QHash<int, qint64> chatLu;
        bool annoncesLues = false;
    };
    struct LigneChat {
        qint64 numero;
        qint64 auteur; // -1: the community's side
        QString texte;
    };

    void accepte_(QWebSocketServer* serveur);
    void recoit_(QWebSocket* socket, const QByteArray& message);
    void traite_(Connexion& connexion, const GM_LobbyReader::Enregistrement& record);
    void traiteLogin_(Connexion& connexion, const QByteArray& mot, const QStringList& champs);
    void traiteSession_(Connexion& connexion, const QByteArray& mot, const QStringList& champs);
    void fin_(QWebSocket* socket);
    void envoieA_(QWebSocket* socket, const QByteArray& mot, const QStringList& champs);
    void refuse_(QWebSocket* socket, const QByteArray& mot, const QStringList& champs);
    QWebSocket* socketDe_(qint64 userId) const;
    void fermePont_(qint64 de, qint64 vers);
    void traiteAmis_(Connexion& connexion, const QByteArray& mot, const QStringList& champs);
    QStringList listeDAmis_(qint64 userId) const;
    const Compte* compteDe_(qint64 userId) const;
    // Answers a ranking, statistics or titles request from what was set;
    // false when nothing was set for it.
    bool traiteClassement_(Connexion& connexion, const QByteArray& mot);

    // "Fr4" and "A4E".
    void traiteChat_(Connexion& connexion, const QByteArray& mot, const QStringList& champs);
    // "pCH", "Dld" and "Dli".
    void traiteCompte_(Connexion& connexion, const QByteArray& mot, const QStringList& champs);
    void ajouteAuSalon_(int canal, qint64 auteur, const QString& texte);

    QWebSocketServer* serveur_ = nullptr;
    QWebSocketServer* serveurTls_ = nullptr;
    QHostAddress adresse_;
    QSslCertificate certificat_;
    QSslKey cle_;
    QHash<QWebSocket*, Connexion*> connexions_;
    QMap<QString, Compte> comptes_;
    qint64 prochainId_ = 1001;
    QVersionNumber versionMinimale_;
    QHash<QByteArray, QStringList> reponses_;
    QHash<QString, QPair<QString, QStringList>> adressesServeurs_;
    QSet<QPair<qint64, qint64>> ponts_; // smaller id first
    // Friend-list statuses of the lobby protocol.
    static constexpr int StatutAConfirmerPar = 1; // asked by this user
    static constexpr int StatutAConfirmer = 2;    // asked of this user
    static constexpr int StatutHorsLigne = 10;
    static constexpr int StatutEnLigne = 15;
    struct Amitie {
        qint64 demandeur = -1;
        bool acceptee = false;
    };
    QHash<QPair<qint64, qint64>, Amitie> amities_; // smaller id first
    QList<Recu> recus_;
    bool muet_ = false;
    QHash<QByteArray, int> ignores_;
    int rejets_ = 0;

    struct Titre {
        int numero;
        QDateTime quand;
    };
    QHash<int, QStringList> classements_;                  // by game family
    QMap<QPair<qint64, int>, QStringList> statistiques_;   // by user and family
    QHash<qint64, QList<Titre>> titres_;                   // by user

    QHash<int, QList<LigneChat>> salons_;
    qint64 prochaineLigne_ = 1;
    QStringList annonces_;
    bool courrielEnPanne_ = false;
    QSet<qint64> donneesDemandees_;
    QSet<qint64> suppressionsDemandees_;
};
