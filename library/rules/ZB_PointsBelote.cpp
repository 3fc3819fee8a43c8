#include "ZB_PointsBelote.h"

ZB_PointsBelote::~ZB_PointsBelote() = default;

ZB_PointsA* ZB_PointsBelote::clone() const
{
    return new ZB_PointsBelote(*this);
}

int ZB_PointsBelote::getPointsDernierPli() const
{
    return 10;
}

bool ZB_PointsBelote::matchRemplaceDernierPli() const
{
    return true;
}
