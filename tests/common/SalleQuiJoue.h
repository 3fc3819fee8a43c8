#pragma once

#include "ListeDesEvenements.h"
#include "PasDeSalle.h"

#include <QObject>
#include <QString>

#include <functional>

class ZB_RoomTable;

// The stand-in room of a table that plays deals on by itself: it owns the
// table's list, moves the state on with the room's jumps for a Jass deal
// without bids, ends each deal and starts the next from the inscriptions.
// An exception of the table is kept in erreur and thrown on.
//
// Two of the room's duties are the test's to ask for: answering for the
// clients' machines (a seat played by its client has its kept request
// answered by that seat's computer, as the client's own machine would),
// and holding the list before it runs the event of one state of one deal,
// the way a table rests while it waits for a seat.
class SalleQuiJoue : public QObject, public ListeDesEvenements::Executor
{
    Q_OBJECT

public:
    ListeDesEvenements liste{this, 0};
    ZB_RoomTable* table = nullptr;
    // How the entry group of a trick is walked.
    pas_de_salle::Entrees entrees = pas_de_salle::Entrees::Sautees;
    bool repondPourLesClients = false;
    // While retient is set, the list stops before the state arret of the
    // deal arretDonne (0 the first).
    bool retient = false;
    int arret = -1;
    int arretDonne = 0;

    int donnesTerminees = 0;
    int finsDeMatch = 0;
    QString erreur;
    // Called at every continuation with the new state and the deals ended.
    std::function<void(int etat, int donnes)> temoin;

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override;
    void envoieEvenement(const EvenementDeJeu&) override {}
    void continueLeJeu(int mode, double* delaiMs, int noTable, bool force) override;
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override;
};
