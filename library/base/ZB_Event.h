#pragma once

#include <QEvent>

// Base of every event the program posts between sockets, worker threads and
// tables. Types are fixed numbers, not registered, because peers and saved
// traces know them.
class ZB_Event : public QEvent
{
public:
    enum Type {
        DisconnectServerSocketConnection = 1000,
        DisconnectClient = 1001,
        SocketError = 1003,
        ServerSocketData = 1004,
        ClientAskInfo = 1005,
        EvenementDeJeu = 1007,
        AIError = 1008
    };

    explicit ZB_Event(Type type)
        : QEvent(static_cast<QEvent::Type>(type))
    {
        // Receivers mark an event handled by accepting it; Qt creates events
        // accepted, so ours must start unhandled.
        setAccepted(false);
    }
    ZB_Event(const ZB_Event&) = default;
    ZB_Event& operator=(const ZB_Event&) = default;
    ~ZB_Event() override;
};
