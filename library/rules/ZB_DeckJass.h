#pragma once

#include "ZB_DeckA.h"

// The 36 cards of the Jass deck: suits 1 to 4, ranks 6 to ace.
class ZB_DeckJass : public ZB_DeckA
{
public:
    ZB_DeckJass();
    ~ZB_DeckJass() override;
};
