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
};
