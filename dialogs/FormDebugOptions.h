#pragma once

#include "GM_WidgetAuto.h"

class QLabel;
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

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();

    QLabel* titre_;
    QLabel* explication_;
    QPushButton* modeAffichage_;
    QPushButton* fermer_;
};
