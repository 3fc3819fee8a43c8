#include "InfoDemande.h"

InfoDemande::InfoDemande(int etat, int mode, int noDemande, int noTable, int version)
    : etat_(etat)
    , mode_(mode)
    , noDemande_(noDemande)
    , noTable_(noTable)
    , version_(version)
{
}

InfoDemande::~InfoDemande() = default;
