#pragma once

#include "EvenementDeJeu.h"
#include "ListeDesEvenements.h"
#include "ZB_EcouteExclusionA.h"
#include "ZB_RoomTable.h"
#include "ZB_SalleDeTableA.h"

#include <QList>
#include <QObject>
#include <QStringList>

// The one stand-in for the room of one table, for the tests, the benchmarks
// and the fuzz targets. It owns the table's event list and hands the list's
// events to the table; it keeps what the table posted to it, what the table
// applied and what the list forwarded to the peers. Out of the box it moves
// no state and asks nothing of the table, so that a test moves the state by
// hand; the switches below make it step the state after each applied event
// and let the table go on, as the room does in short.
//
// A table whose room (setSalle) is the stand-in posts its own events here:
// they are kept and handed on to the table's intake.
class SalleDeTable : public QObject,
                     public ListeDesEvenements::Executor,
                     public ZB_SalleDeTableA,
                     public ZB_EcouteExclusionA
{
    Q_OBJECT

public:
    ListeDesEvenements liste{this, 0};
    ZB_RoomTable* table = nullptr;
    QList<EvenementDeJeu> postes;
    QList<EvenementDeJeu> appliques;
    QList<EvenementDeJeu> envoyes;
    // Exclusions the table's players reported (as to the room).
    int exclusions = 0;

    // After an applied event of the expected state, the state moves on by
    // one, up to this state; -1 leaves the state alone.
    int avanceJusqua = -1;
    // continueLeJeu reaches the table (no re-request), and the list then
    // waits for nothing when sansPause is set.
    bool continueLaTable = false;
    bool sansPause = false;
    // What the table posts here reaches its intake.
    bool relaieLesPostes = true;

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override;
    void envoieEvenement(const EvenementDeJeu& ev) override { envoyes << ev; }
    void continueLeJeu(int mode, double* delaiMs, int noTable, bool force) override;
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }
    void posteEvenementDeTable(EvenementDeJeu* ev) override;

    // The kinds applied, in order, by their codes.
    QStringList genresAppliques() const;
    // Forgets what was recorded.
    void oublie();

    void OnPlayerExcluded() override { ++exclusions; }

protected:
    void customEvent(QEvent* event) override;
};
