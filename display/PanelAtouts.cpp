#include "PanelAtouts.h"

PanelAtouts::PanelAtouts(bool modeCaptures, QWidget* parent)
    : GM_WidgetAuto(parent)
    , modeCaptures_(modeCaptures)
{
    setObjectName(QStringLiteral("PanelAtouts"));
}

PanelAtouts::~PanelAtouts() = default;
