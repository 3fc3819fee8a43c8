#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSharedPointer>
#include <QStringList>

// One lobby message, and the program-wide table of the protocol's rows.
//
// A row names a protocol state, a word and a direction, the state the
// client is in once the message went out or came in, and how many fields
// the message carries. A request that has an answer leads to a state of its
// own in which the client waits for that answer; the answer leads back to
// Idle. Rows of state AnySession serve every state of an open session
// (Idle, and the waiting states) and leave the state as it was.
//
// The table is built once and only read afterwards, so it is read without
// a lock from any thread.
class GM_SocketEvent : public QObject
{
    Q_OBJECT

public:
    enum Sens { Envoi, Reception };

    enum Etat : int {
        AnySession = -1,
        Init = 0, // not connected
        Login = 1,
        CreateLogin = 2,
        ResendPassword = 3,
        WaitServerAddress = 13, // "SA1" sent
        WaitServerList = 14,
        WaitServerStatus = 15,
        WaitServerInfo = 16,
        WaitTournamentList = 17,
        WaitFriendList = 18,
        WaitRankingJass = 19,
        WaitRankingBelote = 20,
        WaitStatsJass = 21,
        WaitStatsBelote = 22,
        WaitAchievements = 23,
        WaitChat = 24,
        WaitFriendSearch = 25,
        WaitContactImport = 26,
        WaitPasswordChange = 27,
        WaitAccountData = 28,
        WaitAccountDelete = 29,
        Idle = 37,
        Disconnecting = 41
    };

    // Field count with no upper bound (lists; the record size still bounds it).
    static constexpr int SansLimite = -1;

    struct Ligne {
        int etat;
        QByteArray mot;
        Sens sens;
        int etatSuivant; // AnySession: unchanged
        int champsMin;
        int champsMax;   // SansLimite: any
        bool accepteChamps(qsizetype n) const { return n >= champsMin && (champsMax == SansLimite || n <= champsMax); }
        bool aUneReponse() const { return etatSuivant != etat && etatSuivant != AnySession && sens == Envoi; }
    };

    GM_SocketEvent(const Ligne& ligne, QObject* parent = nullptr);
    ~GM_SocketEvent() override;

    // Builds the table once; later calls do nothing.
    static void buildEventTable();
    // A new message of the row for (etat, mot, sens), with no field; null
    // when the protocol has no such row.
    static QSharedPointer<GM_SocketEvent> findEvent(int etat, const QByteArray& mot, Sens sens = Envoi);
    // The row for (etat, mot, sens), falling back to the AnySession row when
    // etat is a state of an open session; null when there is none.
    static const Ligne* trouveLigne(int etat, const QByteArray& mot, Sens sens);
    // Whether any row of that direction has the word.
    static bool motConnu(const QByteArray& mot, Sens sens);
    static bool estEtatDeSession(int etat);
    static const QList<Ligne>& table();

    const Ligne& ligne() const { return ligne_; }
    QByteArray getWord() const { return ligne_.mot; }
    int getState() const { return ligne_.etat; }
    int getNextState() const { return ligne_.etatSuivant; }

    // The fields in order; each is sent followed by a line feed.
    QStringList champs_;

signals:
    // The message could not be sent (not connected, too large, a field
    // count the protocol does not allow).
    void signalTransmitError(QAbstractSocket::SocketError erreur);

private:
    Ligne ligne_;
};
