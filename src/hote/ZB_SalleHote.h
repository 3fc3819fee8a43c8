#pragma once

#include "ZB_Hebergement.h"
#include "ZB_Room.h"

#include <functional>

// The room of the host with no window: the engine's room, whose hosting
// goes through its own hosting rules and whose match end is handed to its
// owner. Nobody sits at this machine's screen, so there is nothing to ask
// or tell a user, and the room never joins a table.
//
// Rules:
// - Quitting asks nothing: the slot hears Ok at once (queued).
// - Hosting waits for players through hebergement(), with the room's game
//   options; the host's seat is this machine's computer's, and its record
//   says so to every copy.
// - The next-game question ends the match: the owner's callback runs, then
//   the session stops (clients are told the host stopped) and no game
//   follows.
// - Joining, sending to a host and the end of a joined game do nothing.
// GUI thread only.
class ZB_SalleHote : public ZB_Room
{
public:
    ZB_SalleHote(DisplayA* display, GM_MessageBoxDisplayerA* displayer, const OptionsDePartie& genre,
                 const Parametres& parametres);

    ZB_Hebergement& hebergement() { return hebergement_; }
    // Runs when the match has ended, before the session stops.
    void setFinDeMatch(std::function<void()> finDeMatch) { finDeMatch_ = std::move(finDeMatch); }

    void askQuit(QObject* destinataire, const char* slot) override;
    void disconnectFromServer() override {}
    void startHosting(QSharedPointer<GM_SocketAbstract> socket, const QString& login, quint16 portSecure,
                      quint16 portUnsecure, quint16 portTcp, qint64 idUtilisateur) override;
    void connectToServer(const QString&, quint16, const QString&, qint64, int, bool,
                         QSharedPointer<GM_SocketAbstract>) override
    {
    }
    void sendToServer(const EvenementDeJeu&) override {}
    void endOnlineGame(bool) override {}
    void answerNextGame(bool isPlayerContinue) override;

private:
    ZB_Hebergement hebergement_;
    std::function<void()> finDeMatch_;
};
