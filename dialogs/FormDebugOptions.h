#pragma once

#include "GM_WidgetAuto.h"

class QPushButton;

// The debug options, opened by a long press on the bug button: a switch to
// the fallback display mode for graphics that misbehave.
class FormDebugOptions : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit FormDebugOptions(QWidget* parent = nullptr);
    ~FormDebugOptions() override;

    QPushButton* getBoutonModeAffichage() const { return modeAffichage_; }
    QPushButton* getBoutonFermer() const { return fermer_; }

signals:
    // The user asks to switch the display mode (cached or not); the scene
    // switches and says which mode is now in use.
    void signalChangeDisplayMode();

private:
    QPushButton* modeAffichage_;
    QPushButton* fermer_;
};
