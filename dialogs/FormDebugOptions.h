#pragma once

#include "GM_WidgetAuto.h"

class QLabel;
class QPushButton;

// The debug options, opened by a long press on the bug button: a switch to
// the fallback display mode for graphics that misbehave, and a
// demonstration of the table's floating items.
class FormDebugOptions : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit FormDebugOptions(QWidget* parent = nullptr);
    ~FormDebugOptions() override;

    QPushButton* getBoutonModeAffichage() const { return modeAffichage_; }
    QPushButton* getBoutonMessages() const { return messages_; }
    QPushButton* getBoutonFermer() const { return fermer_; }

signals:
    // The user asks to switch the display mode (cached or not); the scene
    // switches and says which mode is now in use.
    void signalChangeDisplayMode();
    // The user asks for the demonstration of the network lines, seasonal
    // pictures and scores over the table.
    void signalTestMessages();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();

    QLabel* titre_;
    QLabel* explication_;
    QPushButton* modeAffichage_;
    QPushButton* messages_;
    QPushButton* fermer_;
};
