#pragma once

#include "GM_WidgetAuto.h"
#include "ZB_StatusMise.h"

// The strip of buttons at the bottom of the table with which the local user
// chooses trump (Jass) or bids (Belote). The table scene owns the one
// instance and shows it in its bottom band; the seat panels open it and
// receive the user's answers through the two signals.
//
// This is the part the scene builds on: the widget, its screenshot mode and
// its two signals. The buttons and their rules belong to the trump and bid
// panel itself.
class PanelAtouts : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit PanelAtouts(bool modeCaptures, QWidget* parent = nullptr);
    ~PanelAtouts() override;

    // In screenshot mode the tooltips are left as they are.
    bool isScreenshotMode() const { return modeCaptures_; }

signals:
    // The trump mode chosen (0 chibre, 1 to 11 a trump mode).
    void signalAtoutButtonPressed_(int mode);
    void signalBetAnswer_(ZB_StatusMise const status);

private:
    bool modeCaptures_;
};
