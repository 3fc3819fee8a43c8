#pragma once

#include "ListeDesEvenements.h"

#include <QMap>

// The event lists of a room's tables, keyed by table number. The group owns
// them; every operation runs over the lists in table order, which is also
// the order in which their mutexes are taken.
class ZB_EventsGroup
{
public:
    explicit ZB_EventsGroup(ListeDesEvenements::Executor* executor);
    virtual ~ZB_EventsGroup();
    ZB_EventsGroup(const ZB_EventsGroup&) = delete;
    ZB_EventsGroup& operator=(const ZB_EventsGroup&) = delete;

    // Replaces the lists by n new ones, tables 0..n-1.
    void initialise(int n);
    // The list of table no, or with -1 the room's first table; null when
    // there is none.
    ListeDesEvenements* getListe(int no) const;
    // Gives the list of table ancien the number nouveau (a client plays the
    // server's table under the server's number); nothing when ancien has no
    // list or nouveau has one.
    void renumerote(int ancien, int nouveau);
    int getNombreDeListes() const { return static_cast<int>(listes_.size()); }

    void setSansDelai(bool sansDelai);
    void setVersion(int version);
    void lock();
    void unlock();
    void flush();
    void flush_unlocked();
    void clear();

    // The smallest state a table waits for, tables waiting for nothing (0)
    // or for no state at all (outside 1..142) left out; 0 when none is left.
    int getEtatMinimum() const;
    // True when every table waits for etat, and for a room without tables.
    bool sontTousDansEtat(const int& etat) const;

private:
    QMap<int, ListeDesEvenements*> listes_;
    ListeDesEvenements::Executor* executor_;
};
