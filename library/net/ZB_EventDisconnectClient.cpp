#include "ZB_EventDisconnectClient.h"

ZB_EventDisconnectClient::ZB_EventDisconnectClient(int afficheMessage)
    : ZB_Event(DisconnectClient)
    , afficheMessage_(afficheMessage)
{
}

ZB_EventDisconnectClient::~ZB_EventDisconnectClient() = default;

ZB_EventDisconnectClient* ZB_EventDisconnectClient::clone() const
{
    return new ZB_EventDisconnectClient(*this);
}
