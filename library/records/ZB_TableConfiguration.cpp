#include "ZB_TableConfiguration.h"

ZB_TableConfiguration::ZB_TableConfiguration()
    : comptes_{-1, -1, -1, -1}
{
}

ZB_TableConfiguration::ZB_TableConfiguration(const std::array<qint64, 4>& comptes)
    : comptes_(comptes)
{
}

qint64 ZB_TableConfiguration::getCompte(int siege) const
{
    return siege >= 0 && siege < 4 ? comptes_[size_t(siege)] : -1;
}

int ZB_TableConfiguration::nombreDeSieges() const
{
    int n = 0;
    for (qint64 compte : comptes_)
        if (compte != -1)
            ++n;
    return n;
}
