#include "GM_SocketEvent.h"

#include <mutex>

namespace {

using L = GM_SocketEvent;
constexpr int N = GM_SocketEvent::SansLimite;

QList<GM_SocketEvent::Ligne>& lignes()
{
    static QList<GM_SocketEvent::Ligne> table;
    return table;
}

std::once_flag tableConstruite;

// A request of the Idle state and the answer that brings the client back.
void requete(QList<GM_SocketEvent::Ligne>& t, const char* mot, int attente, int champs, int reponseMin)
{
    t.append({L::Idle, mot, L::Envoi, attente, champs, champs});
    t.append({attente, mot, L::Reception, L::Idle, reponseMin, N});
}

void construit()
{
    QList<GM_SocketEvent::Ligne>& t = lignes();

    // Logging in, getting an account, having the password sent. The answer
    // to the last two, and every refusal, ends the connection.
    // e-mail, password, program version, protocol version
    t.append({L::Login, "Lgn", L::Envoi, L::Login, 4, 4});
    t.append({L::Login, "Lok", L::Reception, L::Idle, 2, 2});      // own user id, login name
    t.append({L::Login, "Lno", L::Reception, L::Init, 0, 1});      // service text
    t.append({L::Login, "Llk", L::Reception, L::Init, 0, 1});      // service text
    t.append({L::CreateLogin, "Nac", L::Envoi, L::CreateLogin, 4, 4}); // e-mail, password, pseudo, program version
    t.append({L::CreateLogin, "Nac", L::Reception, L::Init, 1, 2});    // result code, service text
    t.append({L::ResendPassword, "Rpw", L::Envoi, L::ResendPassword, 2, 2}); // e-mail, program version
    t.append({L::ResendPassword, "Rpw", L::Reception, L::Init, 1, 2});       // result code, service text
    for (const int etat : {int(L::Login), int(L::CreateLogin), int(L::ResendPassword)}) {
        t.append({etat, "Upd", L::Reception, L::Init, 0, 1}); // the oldest version the lobby takes
        t.append({etat, "Bye", L::Reception, L::Init, 0, 1}); // service text
    }

    // Requests with an answer: the answer is a list, one entry per field.
    requete(t, "R7k", L::WaitServerList, 0, 1); // answer: own user id, then the servers
    requete(t, "SrS", L::WaitServerStatus, 0, 0);
    requete(t, "SrI", L::WaitServerInfo, 0, 0);
    requete(t, "Tli", L::WaitTournamentList, 0, 0);
    requete(t, "Fhr", L::WaitFriendList, 0, 0);
    requete(t, "R7t", L::WaitRankingJass, 0, 0);
    requete(t, "R6t", L::WaitRankingBelote, 0, 0);
    requete(t, "H2q", L::WaitStatsJass, 0, 0);
    requete(t, "H3q", L::WaitStatsBelote, 0, 0);
    requete(t, "Awq", L::WaitAchievements, 0, 0);
    requete(t, "Fr4", L::WaitChat, 1, 1);          // channel; answer: channel, then the lines
    requete(t, "Fr1", L::WaitFriendSearch, 1, 0);  // pseudo searched
    t.append({L::Idle, "FiS", L::Envoi, L::WaitContactImport, 0, N}); // one contact e-mail per field
    t.append({L::WaitContactImport, "FiS", L::Reception, L::Idle, 0, N});
    requete(t, "pCH", L::WaitPasswordChange, 2, 1); // old, new; answer: result code first
    requete(t, "Dld", L::WaitAccountData, 0, 1);
    requete(t, "Dli", L::WaitAccountDelete, 0, 1);
    // The game server's address for a server or tournament id and its
    // password; answer: address, port, own user id, start timer in seconds,
    // public flag, tournament table id, server protocol version.
    t.append({L::Idle, "SA1", L::Envoi, L::WaitServerAddress, 2, 2});
    t.append({L::WaitServerAddress, "SA1", L::Reception, L::Idle, 7, 7});

    // Messages without an answer.
    t.append({L::Idle, "A3E", L::Envoi, L::Idle, 1, 1});
    t.append({L::Idle, "A4E", L::Envoi, L::Idle, 2, 2}); // chat channel, text
    t.append({L::Idle, "Eds", L::Envoi, L::Idle, 1, 1}); // statistics of a completed game
    t.append({L::Idle, "Gss", L::Envoi, L::Idle, 1, 1}); // statistics of a started game
    t.append({L::Idle, "P3n", L::Envoi, L::Idle, 1, 1}); // a penalty
    t.append({L::Idle, "Gbs", L::Envoi, L::Idle, 1, 1}); // online status
    t.append({L::Idle, "Tjo", L::Envoi, L::Idle, 4, 4}); // tournament id, action, password, teammate
    t.append({L::Idle, "hTr", L::Envoi, L::Idle, 3, 4}); // private invitation: friends' user ids
    t.append({L::Idle, "Gl5", L::Envoi, L::Idle, 5, 6}); // public invitation: server id, port, user ids
    t.append({L::Idle, "F9n", L::Envoi, L::Idle, 2, 2}); // own user id, friend asked
    t.append({L::Idle, "Blw", L::Envoi, L::Idle, 1, 1}); // friend request accepted
    t.append({L::Idle, "Bkv", L::Envoi, L::Idle, 1, 1}); // friend request rejected or cancelled
    t.append({L::Idle, "Cul", L::Envoi, L::Idle, 2, 2}); // bridge close: user ids from, to
    t.append({L::Idle, "Brs", L::Envoi, L::Idle, 2, 2}); // bridge data: target user id, data
    t.append({L::Idle, "Kal", L::Envoi, L::Idle, 0, 0}); // keep-alive

    // What the lobby may say at any time of a session.
    t.append({L::AnySession, "Bro", L::Reception, L::AnySession, 2, 2}); // bridge open: from, to
    t.append({L::AnySession, "Brs", L::Reception, L::AnySession, 3, 3}); // bridge data: from, to, data
    t.append({L::AnySession, "Cul", L::Reception, L::AnySession, 2, 2}); // bridge close: from, to
    t.append({L::AnySession, "Acv", L::Reception, L::AnySession, 1, N}); // new achievements
    t.append({L::AnySession, "Fpo", L::Reception, L::AnySession, 0, 0}); // a friend plays online
    t.append({L::AnySession, "Kal", L::Reception, L::AnySession, 0, 0}); // keep-alive answer
    t.append({L::AnySession, "Llk", L::Reception, L::Init, 0, 1});      // account locked: session ends
    t.append({L::AnySession, "Bye", L::Reception, L::Init, 0, 1});      // the lobby ends the session
}

} // namespace

GM_SocketEvent::GM_SocketEvent(const Ligne& ligne, QObject* parent)
    : QObject(parent)
    , ligne_(ligne)
{
}

GM_SocketEvent::~GM_SocketEvent() = default;

void GM_SocketEvent::buildEventTable()
{
    std::call_once(tableConstruite, construit);
}

const QList<GM_SocketEvent::Ligne>& GM_SocketEvent::table()
{
    buildEventTable();
    return lignes();
}

bool GM_SocketEvent::estEtatDeSession(int etat)
{
    return etat == Idle || (etat >= WaitServerAddress && etat <= WaitAccountDelete);
}

const GM_SocketEvent::Ligne* GM_SocketEvent::trouveLigne(int etat, const QByteArray& mot, Sens sens)
{
    const QList<Ligne>& t = table();
    for (const Ligne& ligne : t)
        if (ligne.etat == etat && ligne.sens == sens && ligne.mot == mot)
            return &ligne;
    if (!estEtatDeSession(etat))
        return nullptr;
    for (const Ligne& ligne : t)
        if (ligne.etat == AnySession && ligne.sens == sens && ligne.mot == mot)
            return &ligne;
    return nullptr;
}

bool GM_SocketEvent::motConnu(const QByteArray& mot, Sens sens)
{
    for (const Ligne& ligne : table())
        if (ligne.sens == sens && ligne.mot == mot)
            return true;
    return false;
}

QSharedPointer<GM_SocketEvent> GM_SocketEvent::findEvent(int etat, const QByteArray& mot, Sens sens)
{
    const Ligne* ligne = trouveLigne(etat, mot, sens);
    if (ligne == nullptr)
        return {};
    return QSharedPointer<GM_SocketEvent>::create(*ligne);
}
