#pragma once

#include "ZB_PointsA.h"

// Belote points: 10 for the last trick ("dix de der"), which a match bonus
// replaces.
class ZB_PointsBelote : public ZB_PointsA
{
public:
    ZB_PointsBelote() = default;
    ZB_PointsBelote(const ZB_PointsBelote&) = default;
    ~ZB_PointsBelote() override;

    ZB_PointsA* clone() const override;
    int getPointsDernierPli() const override;
    bool matchRemplaceDernierPli() const override;
};
