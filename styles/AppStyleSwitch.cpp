#include "AppStyleSwitch.h"

#include "StyleTools.h"
#include "ZB_StyleAlien.h"
#include "ZB_StyleCandy.h"
#include "ZB_StyleNature.h"
#include "ZB_StyleRacing.h"
#include "ZB_StyleWood.h"

#include <QApplication>
#include <QPixmapCache>

#include <cmath>

namespace {

// The Plastique drawing under a theme derives lighter and darker copies of
// the theme's texture (up to 1024 x 1024, 4 MB each) and keeps them in the
// pixmap cache; under Qt's default limit they push each other out and every
// repaint derives them again, which takes most of a second in the Candy
// theme. This limit holds them all with room to spare.
constexpr int THEME_PIXMAP_CACHE_KB = 64 * 1024;

template <typename Style> QStyle* themed(bool screenshotMode)
{
    if (QPixmapCache::cacheLimit() < THEME_PIXMAP_CACHE_KB)
        QPixmapCache::setCacheLimit(THEME_PIXMAP_CACHE_KB);
    auto* style = new Style;
    style->screenshotMode = screenshotMode;
    return style;
}

} // namespace

namespace AppStyleSwitch {

QStyle* createStyle(int style, bool screenshotMode)
{
    switch (style) {
    case WOOD:
        return themed<ZB_StyleWood>(screenshotMode);
    case ALIEN:
        return themed<ZB_StyleAlien>(screenshotMode);
    case RACING:
        return themed<ZB_StyleRacing>(screenshotMode);
    case CANDY:
        return themed<ZB_StyleCandy>(screenshotMode);
    case NATURE:
        return themed<ZB_StyleNature>(screenshotMode);
    default:
        return nullptr;
    }
}

bool fillPalette(int style, QPalette& palette)
{
    switch (style) {
    case WOOD:
        ZB_StyleWood::fillPalette(palette);
        return true;
    case ALIEN:
        ZB_StyleAlien::fillPalette(palette);
        return true;
    case RACING:
        ZB_StyleRacing::fillPalette(palette);
        return true;
    case CANDY:
        ZB_StyleCandy::fillPalette(palette);
        return true;
    case NATURE:
        ZB_StyleNature::fillPalette(palette);
        return true;
    default:
        return false;
    }
}

bool isTheme(const QStyle* style)
{
    return dynamic_cast<const ZB_StyleTheme*>(style) != nullptr;
}

Choice apply(int style, bool screenshotMode)
{
    Choice choice {style, QGuiApplication::palette()};
    if (fillPalette(style, choice.palette))
        QApplication::setStyle(createStyle(style, screenshotMode));
    return choice;
}

int storedStyle(const QVariant& value)
{
    bool whole = false;
    const int number = value.toString().trimmed().toInt(&whole);
    return whole && number >= WOOD && number <= NATURE ? number : DEFAULT_THEME;
}

void applyViewSize(const QSize& viewSize)
{
    const int longer = qMax(viewSize.width(), viewSize.height());
    const int shorter = qMin(viewSize.width(), viewSize.height());
    const int minimum = int(std::round(MINIMUM_CONTROL_SHARE * double(qMax(longer, 0))));
    StyleTools::setMinimumControlSize(QSize(minimum, minimum));
    StyleTools::setButtonEdgeScale(double(shorter) > EDGE_SCALE_SIDE ? double(shorter) / EDGE_SCALE_SIDE : 1.0);
}

} // namespace AppStyleSwitch
