#pragma once

#include "ZB_DeckA.h"

// The 32 cards of the Belote deck: suits 1 to 4, ranks 7 to ace; the slots of the sixes stay empty.
class ZB_DeckBelote : public ZB_DeckA
{
public:
    ZB_DeckBelote();
    ~ZB_DeckBelote() override;
};
