#pragma once

class QCloseEvent;

// The main window's side of the table view: closing the window and the
// demonstration scenarios are decided there, not by the view.
class DisplayACloseCallback
{
public:
    virtual ~DisplayACloseCallback() = default;
    // Asks the user whether to quit; the view ignores the close event meanwhile.
    virtual void userRequestedClose(QCloseEvent* event) = 0;
    virtual void userChoseGameType(int idTypeDePartie) = 0;
    // Loads the sample game of a store-screenshot scenario and shows it.
    virtual void startMarketingScenario(int scenario, int langue, int argument) = 0;
};
