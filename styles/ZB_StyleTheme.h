#pragma once

#include "QPlastiqueStyleLocal.h"
#include "ThemeDrawing.h"

#include <QPainterPath>

// The behaviour the five themed styles share, told once: the theme's
// palette replaces any palette, push buttons and combo boxes are marked for
// hover, the push-button panel and pressed label are the theme's, the
// metrics and hints are the themes' own. Each theme gives its look.
//
// Rules:
// - Deliberately without Q_OBJECT: every theme's meta-object names the
//   Plastique style as its base, as style pickers and tests expect.
// - Disabled controls lose the texture (the palette builder's rule).
// - Only push buttons and combo boxes are polished; no other polishing of
//   the Plastique style happens under a theme.
// - screenshotMode is set by the creator before installation and never
//   changed; it only enlarges tab spacing and indicators.
class ZB_StyleTheme : public QPlastiqueStyleLocal
{
public:
    struct Look
    {
        ThemeDrawing::ButtonLook button;
        void (*fillPalette)(QPalette& palette);
        // Whether the Plastique default-button frame is kept.
        bool defaultFrame;
        // Whether the four rounded tab shapes are drawn with the theme's
        // brushes (textures are then never lightened or darkened).
        bool roundedTabs;
    };

    explicit ZB_StyleTheme(const Look& look);

    using QPlastiqueStyleLocal::polish;
    using QPlastiqueStyleLocal::unpolish;
    void polish(QPalette& palette) override;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    int pixelMetric(
        PixelMetric metric, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
        QStyleHintReturn* returnData = nullptr) const override;

    bool screenshotMode = false;

private:
    Look look_;
};
