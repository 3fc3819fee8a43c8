#pragma once

#include "EvenementDeJeu.h"
#include "ListeDesEvenements.h"

#include <QList>
#include <QSet>
#include <QStringList>

// The stand-in executor of an event list without a table: it takes every
// event (bar the refused states), keeps what was executed, forwarded and
// noted, and moves the list's expected state on, either along ordre or, when
// ordre is empty and parUn is set, by one. It can be made to throw, to stop
// the list, and to report an animation time.
class ExecuteurTemoin : public ListeDesEvenements::Executor
{
public:
    ListeDesEvenements* liste = nullptr;
    QList<int> ordre;        // states in play order
    bool parUn = false;      // without ordre: the next state is the event's + 1
    double delai = 0.0;      // animation time reported per event
    bool fixeDelai = true;   // false: the list keeps its own pause
    bool peut = true;
    QSet<int> refuses;       // states whose event is refused
    bool jette = false;
    bool jetteStd = false;

    QList<EvenementDeJeu> executes;
    QList<EvenementDeJeu> envoyes;
    QList<EvenementDeJeu> notes;
    QList<int> modesContinue;
    int peutContinuerAppels = 0;

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override;
    void envoieEvenement(const EvenementDeJeu& ev) override { envoyes << ev; }
    void continueLeJeu(int mode, double* delaiMs, int, bool) override;
    void noteActiviteJoueur(const EvenementDeJeu& ev) override { notes << ev; }
    bool peutContinuer(int&, int) override;

    QList<int> etatsExecutes() const;
    QStringList textesExecutes() const;
};
