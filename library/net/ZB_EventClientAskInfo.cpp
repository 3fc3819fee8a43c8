#include "ZB_EventClientAskInfo.h"

ZB_EventClientAskInfo::ZB_EventClientAskInfo(const QString& nomUtilisateur, qint64 idUtilisateur, int tempsAttente)
    : ZB_Event(ClientAskInfo)
    , nomUtilisateur_(nomUtilisateur)
    , idUtilisateur_(idUtilisateur)
    , tempsAttente_(tempsAttente)
{
}

ZB_EventClientAskInfo::~ZB_EventClientAskInfo() = default;

ZB_EventClientAskInfo* ZB_EventClientAskInfo::clone() const
{
    return new ZB_EventClientAskInfo(*this);
}
