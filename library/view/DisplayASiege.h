#pragma once

// A seat's player as the display sees it, beyond the player base: the
// display marks the seat it shows as the local user's own, and the seat's
// panel asks whether the seat's requests are shown. The display reaches a
// seat's player only through this and the player base; players that have
// no panel of their own do not implement it.
class DisplayASiege
{
public:
    virtual ~DisplayASiege() = default;
    // The seat is the local user's seat on this display: its requests are
    // shown on its panel even when the user does not answer them.
    virtual void marqueSiegeLocal() = 0;
    // The seat's requests are shown on its panel: the user answers by hand,
    // or the seat is the local user's on this display.
    virtual bool estAfficheSurPanneau() = 0;
};
