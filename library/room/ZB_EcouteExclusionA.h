#pragma once

// What hears that a seated player was excluded for slowness: the room, or a
// test bench standing in for it. The table connects every seated player's
// signalPlayerExcluded() straight to OnPlayerExcluded(), called on the
// thread that emits (the GUI thread); the listener outlives the table.
class ZB_EcouteExclusionA
{
public:
    virtual ~ZB_EcouteExclusionA() = default;

    virtual void OnPlayerExcluded() = 0;
};
