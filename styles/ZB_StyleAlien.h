#pragma once

#include "ZB_StyleTheme.h"

#include <QPainterPath>

// The Alien theme: light grey buttons textured with the alien image, grey-blue
// fields and dark grey selection.
//
// Rules:
// - Its palette replaces whatever palette it is given; disabled controls
//   lose the texture.
// - Only push buttons and combo boxes are marked for hover; no other
//   polishing of the Plastique style happens under a theme.
// - It draws its own push-button panels and labels and the four rounded
//   tab shapes; the default-button frame and everything else is the
//   Plastique style's.
// - screenshotMode is set by the creator before installation and never
//   changed; it only enlarges tab spacing and indicators.
class ZB_StyleAlien : public ZB_StyleTheme
{
    Q_OBJECT

public:
    ZB_StyleAlien();

    // Replaces the whole palette by this theme's.
    static void fillPalette(QPalette& palette);
    // The outline of this theme's push-button panel over the rectangle.
    static QPainterPath panelPath(const QRect& rect);
};
