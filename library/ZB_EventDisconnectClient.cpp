#include "ZB_EventDisconnectClient.h"

ZB_EventDisconnectClient::ZB_EventDisconnectClient(int afficheMessage)
    : ZB_Event(DisconnectClient)
    , afficheMessage_(afficheMessage)
{
    // Receivers mark an event handled by accepting it, so it starts unhandled.
    setAccepted(false);
}

ZB_EventDisconnectClient::~ZB_EventDisconnectClient() = default;

ZB_EventDisconnectClient* ZB_EventDisconnectClient::clone() const
{
    return new ZB_EventDisconnectClient(*this);
}
