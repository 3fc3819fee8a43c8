#include "ZB_EventSocketError.h"

ZB_EventSocketError::ZB_EventSocketError(const QString& titre, const QString& texte, int finDePartie)
    : ZB_Event(SocketError)
    , titre_(titre)
    , texte_(texte)
    , finDePartie_(finDePartie)
{
}

ZB_EventSocketError::~ZB_EventSocketError() = default;

ZB_EventSocketError* ZB_EventSocketError::clone() const
{
    return new ZB_EventSocketError(*this);
}
