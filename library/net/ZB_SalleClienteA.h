#pragma once

class ZB_Event;

// What a table client's socket needs of its room: to be handed the events
// it posts (the connection is made, it failed, it is gone), which the room
// runs later from its event loop. The room takes the event over.
class ZB_SalleClienteA
{
public:
    virtual ~ZB_SalleClienteA() = default;

    virtual void posteEvenementDuClient(ZB_Event* ev) = 0;
    // The socket's transport found no table server at the port: true when
    // the room connects again over another transport (later, from its event
    // loop), false when none is left to try.
    virtual bool essaieUnAutreTransport() { return false; }
};
