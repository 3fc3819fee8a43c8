#pragma once

#include "ZB_Event.h"

// The client socket lost its server. The flag says whether the user is told
// (1), which is not the case when the user left or the connection was refused.
class ZB_EventDisconnectClient : public ZB_Event
{
public:
    explicit ZB_EventDisconnectClient(int afficheMessage);
    ZB_EventDisconnectClient(const ZB_EventDisconnectClient&) = default;
    ZB_EventDisconnectClient& operator=(const ZB_EventDisconnectClient&) = default;
    ~ZB_EventDisconnectClient() override;

    ZB_EventDisconnectClient* clone() const override;

    int getAfficheMessage() const { return afficheMessage_; }

private:
    int afficheMessage_;
};
