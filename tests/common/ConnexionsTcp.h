#pragma once

#include <QList>
#include <QtGlobal>

// The TCP connections of this process as the system holds them, read from
// its open descriptors, so that a test checks a socket option where it
// acts and not through the objects that asked for it (a WebSocket keeps its
// TCP socket to itself). Linux only: elsewhere the list is always empty and
// estDisponible() says so.
class ConnexionsTcp
{
public:
    struct Connexion {
        quint16 portLocal = 0;
        quint16 portDistant = 0;
        bool sansDelai = false; // TCP_NODELAY
    };

    static bool estDisponible();
    // The connections with one end on that port (both ends, when the peer
    // is in this process too).
    static QList<Connexion> surLePort(quint16 port);
};
