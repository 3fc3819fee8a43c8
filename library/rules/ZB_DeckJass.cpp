#include "ZB_DeckJass.h"

ZB_DeckJass::ZB_DeckJass()
{
    creeCartes(6);
}

ZB_DeckJass::~ZB_DeckJass()
{
    detruitCartes();
}
