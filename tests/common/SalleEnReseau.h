#pragma once

#include "EvenementDeJeu.h"
#include "ListeDesEvenements.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_EventsGroup.h"
#include "ZB_SalleDeTableA.h"
#include "ZB_ServerSocket.h"

#include <QObject>

class ZB_RoomTable;

// The stand-in for a hosting room with one real table behind its server
// socket: the group's first list is the table's, the table runs what the
// lists run and answers the socket's seating questions, what the table
// applies goes back to the clients, and what the table posts reaches its
// intake. Out of the box the state moves only by hand; the switches make it
// step after each applied event and let the table go on without pauses, and
// suitLesDeconnexions has the server's offline notices reach the table.
class SalleEnReseau : public QObject,
                      public ListeDesEvenements::Executor,
                      public ZB_ServerSocket::Cb_TableConnectionInput,
                      public ZB_SalleDeTableA
{
    Q_OBJECT

public:
    explicit SalleEnReseau(int nombreDeListes = 1);
    // The table and the server use the group's lists: they go first.
    ~SalleEnReseau() override;
    SalleEnReseau(const SalleEnReseau&) = delete;
    SalleEnReseau& operator=(const SalleEnReseau&) = delete;

    ZB_EventsGroup groupe{this};
    ZB_DisplayEmpty display;
    ZB_RoomTable* table = nullptr;
    ZB_ServerSocket* serveur = nullptr;

    bool avanceParUn = false;
    bool continueLaTable = false;
    bool sansPause = false;

    void suitLesDeconnexions();

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override;
    void envoieEvenement(const EvenementDeJeu& ev) override;
    void continueLeJeu(int mode, double* delaiMs, int, bool force) override;
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }

    bool cb_setClientInGameReconnect(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& joueur) override;
    bool cb_setClientInGameOnTheFly_Random(ZB_ServerSocketConnection* connection,
                                           const OptionsDuJoueur& joueur) override;
    bool cb_setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection* connection, int, int siege, bool echange,
                                                const OptionsDuJoueur& joueur) override;
    bool cb_resetTables(int) override { return true; }

    void posteEvenementDeTable(EvenementDeJeu* ev) override;

protected:
    void customEvent(QEvent* event) override;
};
