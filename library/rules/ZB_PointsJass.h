#pragma once

#include "ZB_PointsA.h"

// Jass points: 5 for the last trick, kept on top of a match bonus.
class ZB_PointsJass : public ZB_PointsA
{
public:
    ZB_PointsJass() = default;
    ZB_PointsJass(const ZB_PointsJass&) = default;
    ~ZB_PointsJass() override;

    ZB_PointsA* clone() const override;
    int getPointsDernierPli() const override;
    bool matchRemplaceDernierPli() const override;
};
