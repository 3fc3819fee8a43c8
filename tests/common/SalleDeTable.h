#pragma once

#include "EvenementDeJeu.h"
#include "ListeDesEvenements.h"
#include "ZB_RoomTable.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QStringList>

// A stand-in for the room of one table whose state the test moves by hand:
// the table is its child, so what the table posts comes here, is kept and
// is handed on to the table's intake; what the list applies is kept too.
class SalleDeTable : public QObject, public ListeDesEvenements::Executor
{
public:
    ListeDesEvenements liste{this, 0};
    ZB_RoomTable* table = nullptr;
    QList<EvenementDeJeu> postes;
    QList<EvenementDeJeu> appliques;

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override
    {
        const bool applique = table->cb_executeUnEvenement(ev);
        if (applique)
            appliques << ev;
        return applique;
    }
    void envoieEvenement(const EvenementDeJeu&) override {}
    void continueLeJeu(int, double*, int, bool) override {}
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }

    QStringList genresAppliques() const
    {
        QStringList genres;
        for (const EvenementDeJeu& ev : appliques)
            genres << EvenementDeJeu::codeDeGenre(ev.type_);
        return genres;
    }

protected:
    void customEvent(QEvent* event) override
    {
        auto* ev = dynamic_cast<EvenementDeJeu*>(event);
        if (ev == nullptr)
            return;
        postes << *ev;
        EvenementDeJeu copie(*ev);
        QCoreApplication::sendEvent(table, &copie);
        event->accept();
    }
};
