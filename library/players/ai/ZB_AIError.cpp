#include "ZB_AIError.h"

ZB_AIError::ZB_AIError(const QString& titre, const QString& texte)
    : ZB_Event(AIError)
    , titre_(titre)
    , texte_(texte)
{
}

ZB_AIError::~ZB_AIError() = default;

ZB_AIError* ZB_AIError::clone() const
{
    return new ZB_AIError(*this);
}
