#include "ZB_PointsJass.h"

ZB_PointsJass::~ZB_PointsJass() = default;

ZB_PointsA* ZB_PointsJass::clone() const
{
    return new ZB_PointsJass(*this);
}

int ZB_PointsJass::getPointsDernierPli() const
{
    return 5;
}

bool ZB_PointsJass::matchRemplaceDernierPli() const
{
    return false;
}
