#pragma once

#include "GM_WidgetAuto.h"

// A GM_WidgetAuto drawn as a frameless, translucent panel with rounded
// corners: the light background of its palette inside a thin outline in
// the foreground colour.
class GM_WidgetAutoRound : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit GM_WidgetAutoRound(QWidget* parent = nullptr);
    ~GM_WidgetAutoRound() override;

    // Corner radius in pixels, whatever the panel's size.
    static constexpr double RAYON_COINS = 40.0;

protected:
    void paintEvent(QPaintEvent* event) override;
};
