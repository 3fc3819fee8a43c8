#pragma once

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QSet>
#include <QString>

// Who may claim a seat of a hosting session, apart from the transport.
//
// Seat keys. Every seated player's id reaches every client, so an id alone
// proves nothing. A client of this version shows an id that its public key
// gives (ZB_CleDeJoueur::idDePublique) and signs the host's challenge for
// this connection (examineSigne): it is the id's player from the first
// time, wherever the id was seen before and whoever claimed it first, and
// no key is given to it, nor does any key ever take its seat: a signed id
// is proven again by a signature each time. A client of the previous
// version shows an id that its key proves (ZB_FicheIdentification::idDeCle):
// that key is the id's from the first time, as the signature is, but
// whoever saw the key may show it too. An older client shows an id of its
// own choosing: the first connection that identifies under an id the
// session does not know gets a key for it, written to that connection
// alone. From then on a connection under a known id must present its key:
// it is then the same player come back (a restarted program keeps the key
// with its id) and takes over from the old connection and its seat.
// Without the key it is refused, whether the player's connection is live or
// its seat is held for it while it is offline, and it gets nothing: no
// eviction, no seat, no replay. Ids of seats that no connection plays (the
// host's, the computers') and ids the host removed are refused outright.
// The keys live as long as the session (oublieTout at a new session).
//
// Addresses. One address cannot take every seat from players at other
// addresses: when, before the start, the seats are all claimed and a
// player from an address that holds fewer of them arrives, the latest
// player of the address that holds the most gives up its claim to the
// newcomer, as long as that address holds more seats than the newcomer's
// would. So a lone address (friends behind one router, the tests'
// loopback) may fill the table while nobody else comes, and no address is
// ever left with fewer seats than the one that took from it, which keeps
// two addresses from taking a seat back and forth. A connection without an
// address (the lobby's bridge, whose users the lobby vouches for) counts
// alone and never gives up its seat this way. Once the game runs, a seat
// whose player leaves is held for that player: the host's server view
// removes a player who should not be there; a host nobody watches keeps
// the address rule in play (ZB_ServerSocket::setPartageEnJeu), the seat
// given up going to the newcomer.
class ZB_GardeDesSieges
{
public:
    enum Verdict {
        Nouveau, // the session does not know the id: a key was made for it
        Prouve,  // the key proves the id, which the session did not know
        Retour,  // the key matches: the same player on a new connection
        Refuse   // see raison
    };

    // The verdict on a connection identifying under id with that key
    // (empty: none); the key to give it afterwards is cle(id).
    Verdict examine(qint64 id, const QString& clePresentee, QString& raison);
    // The verdict on a connection whose signature proved id: Prouve or
    // Retour, unless the id is refused here; no key is given.
    Verdict examineSigne(qint64 id, QString& raison);
    // Empty when the session does not know the id.
    QString cle(qint64 id) const { return cles_.value(id); }
    // A seat that no connection plays: the host's, a computer's.
    void reserve(qint64 id) { reserves_.insert(id); }
    // The host removed that player: it does not come back this session.
    void exclut(qint64 id) { exclus_.insert(id); }
    bool estExclu(qint64 id) const { return exclus_.contains(id); }
    void oublieTout();

    // tenues: the address of each identified player other than the
    // newcomer, in the order they identified. The index of the player who
    // gives up its seat to a newcomer from that address, -1 for none.
    static qsizetype victime(const QList<QHostAddress>& tenues, const QHostAddress& nouveau);

private:
    bool refuse_(qint64 id, QString& raison) const;

    QHash<qint64, QString> cles_;
    QSet<qint64> reserves_;
    QSet<qint64> exclus_;
};
