#pragma once

#include "StyleTools.h"

// Imposes the style's screen scale factor for as long as it lives, and lets
// the style measure the screen again when it goes. A failing QCOMPARE
// returns from the test at once: a reset written after it would be skipped
// and the factor would stay imposed on the tests that follow.
class EchelleDEcranImposee
{
public:
    explicit EchelleDEcranImposee(double facteur) { StyleTools::setScreenScaleFactorForTesting(facteur); }
    ~EchelleDEcranImposee() { StyleTools::setScreenScaleFactorForTesting(-1.0); }
    EchelleDEcranImposee(const EchelleDEcranImposee&) = delete;
    EchelleDEcranImposee& operator=(const EchelleDEcranImposee&) = delete;
};
