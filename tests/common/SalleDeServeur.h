#pragma once

#include "EvenementDeJeu.h"
#include "ListeDesEvenements.h"
#include "ZB_EventsGroup.h"
#include "ZB_ServerSocket.h"

#include <QList>
#include <QStringList>

// The stand-in room behind a server socket, without tables: it owns the
// event lists of the tables, takes (or refuses) what the lists run and keeps
// it, may forward it to the clients through the server socket, and answers
// the socket's seating questions with no. The switches make it step the
// expected state, rebuild its lists when the socket resets the tables, and
// let the lists run without pauses.
class SalleDeServeur : public ListeDesEvenements::Executor, public ZB_ServerSocket::Cb_TableConnectionInput
{
public:
    ZB_EventsGroup groupe{this};
    ZB_ServerSocket* serveur = nullptr;

    bool accepte = true;              // what the lists run is applied
    bool garde = true;                // ... and kept in appliques
    bool avanceParUn = false;         // the expected state moves on by one
    bool renvoie = false;             // applied events go back to the clients
    bool sansPause = false;           // the lists wait for nothing
    bool reinitialiseAuReset = false; // a reset of the tables rebuilds the lists
    bool resetReussi = true;

    QList<EvenementDeJeu> appliques;
    qint64 nombreAppliques = 0;
    QList<int> resets;

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override;
    void envoieEvenement(const EvenementDeJeu& ev) override;
    void continueLeJeu(int, double* delaiMs, int, bool) override;
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }

    bool cb_setClientInGameReconnect(ZB_ServerSocketConnection*, const OptionsDuJoueur&) override { return false; }
    bool cb_setClientInGameOnTheFly_Random(ZB_ServerSocketConnection*, const OptionsDuJoueur&) override
    {
        return false;
    }
    bool cb_setClientInGameOnTheFly_SpecificPos(ZB_ServerSocketConnection*, int, int, bool,
                                                const OptionsDuJoueur&) override
    {
        return false;
    }
    bool cb_resetTables(int nombre) override;

    // The kinds applied, in order, by their codes.
    QStringList genres() const;
    // The texts of the applied events of one kind.
    QStringList textesDe(int genre) const;
};
