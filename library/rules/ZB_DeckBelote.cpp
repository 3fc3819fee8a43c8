#include "ZB_DeckBelote.h"

ZB_DeckBelote::ZB_DeckBelote()
{
    creeCartes(7);
}

ZB_DeckBelote::~ZB_DeckBelote()
{
    detruitCartes();
}
