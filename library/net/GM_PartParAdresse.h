#pragma once

#include <QHostAddress>
#include <QList>

// Who makes room when places that are not yet anybody's (sockets that have
// not identified, TLS handshakes not finished) run out: the oldest holder
// of the address that holds the most of them, the newcomer counted at its
// own address. A flood thus recycles its own sockets, and a newcomer alone
// at its address never makes another of its address go while another
// address holds more. A holder without an address (the lobby's bridge)
// stands alone.
class GM_PartParAdresse
{
public:
    // tenues: the holders' addresses, oldest first. The index of the one
    // that makes room, -1 when there is none.
    static qsizetype aRenvoyer(const QList<QHostAddress>& tenues, const QHostAddress& nouveau);
};
