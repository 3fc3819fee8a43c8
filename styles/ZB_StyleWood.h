#pragma once

#include "ZB_StyleTheme.h"

#include <QPainterPath>

// The Wood theme: sand buttons textured with the wood image, lighter fields
// than the Nature theme and dark green selection.
//
// Rules:
// - Its palette replaces whatever palette it is given; disabled controls
//   lose the texture.
// - Only push buttons and combo boxes are marked for hover; no other
//   polishing of the Plastique style happens under a theme.
// - It draws its own push-button panels and labels, and no default-button
//   frame; everything else is the Plastique style's.
// - screenshotMode is set by the creator before installation and never
//   changed; it only enlarges tab spacing and indicators.
class ZB_StyleWood : public ZB_StyleTheme
{
    Q_OBJECT

public:
    ZB_StyleWood();

    // Replaces the whole palette by this theme's.
    static void fillPalette(QPalette& palette);
    // The outline of this theme's push-button panel over the rectangle.
    static QPainterPath panelPath(const QRect& rect);
};
