#pragma once

#include <QByteArray>
#include <QString>

class EvenementDeJeu;

// Reads one whole record of the table protocol, as ZB_RecordFramer cut it,
// into its event. Both ends of the table protocol read what their peer sends
// through here, so that the host and the joining machine refuse the same
// records for the same reasons and rewrite the sources alike.
//
// The record is a peer's: nothing of it is trusted and nothing throws out of
// here. A record that does not read is refused with its reason, the event is
// then not to be used; what a refused record earns its sender, and any
// check of what the event says, is the caller's.
class ZB_RecordReader
{
public:
    // Reads the record into ev and marks it valid; empty when it read, else
    // why not: bytes stood before it (precede), it is not UTF-8, the event's
    // reader threw (its message), its kind is unknown, or text follows the
    // event inside the braces.
    static QString lis(const QByteArray& record, bool precede, EvenementDeJeu& ev);

    // The rewrite of a received event's source, seen from the receiving
    // machine: what the sender called its own becomes remote, and what it
    // called remote is, for the player of idJoueurPropre, its own message
    // returned, else another player's. The host owns no player id: it
    // passes -1, which an event carries when it is about no player.
    static int sourceRecue(int source, qint64 idJoueur, qint64 idJoueurPropre);
};
