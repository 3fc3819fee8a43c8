#include "ZB_EventsGroup.h"

ZB_EventsGroup::ZB_EventsGroup(ListeDesEvenements::Executor* executor)
    : executor_(executor)
{
}

ZB_EventsGroup::~ZB_EventsGroup()
{
    qDeleteAll(listes_);
}

void ZB_EventsGroup::initialise(int n)
{
    qDeleteAll(listes_);
    listes_.clear();
    for (int no = 0; no < n; ++no)
        listes_.insert(no, new ListeDesEvenements(executor_, no));
}

void ZB_EventsGroup::renumerote(int ancien, int nouveau)
{
    if (!listes_.contains(ancien) || listes_.contains(nouveau))
        return;
    ListeDesEvenements* liste = listes_.take(ancien);
    liste->setNoTable(nouveau);
    listes_.insert(nouveau, liste);
}

ListeDesEvenements* ZB_EventsGroup::getListe(int no) const
{
    if (no == -1)
        return listes_.isEmpty() ? nullptr : listes_.first();
    return listes_.value(no, nullptr);
}

void ZB_EventsGroup::setSansDelai(bool sansDelai)
{
    for (ListeDesEvenements* liste : listes_)
        liste->sansDelai_ = sansDelai;
}

void ZB_EventsGroup::setVersion(int version)
{
    for (ListeDesEvenements* liste : listes_)
        liste->version_ = version;
}

void ZB_EventsGroup::lock()
{
    for (ListeDesEvenements* liste : listes_)
        liste->lock();
}

void ZB_EventsGroup::unlock()
{
    for (ListeDesEvenements* liste : listes_)
        liste->unlock();
}

void ZB_EventsGroup::flush()
{
    for (ListeDesEvenements* liste : listes_)
        liste->flush();
}

void ZB_EventsGroup::flush_unlocked()
{
    for (ListeDesEvenements* liste : listes_)
        liste->flush_unlocked();
}

void ZB_EventsGroup::clear()
{
    for (ListeDesEvenements* liste : listes_)
        liste->clear();
}

int ZB_EventsGroup::getEtatMinimum() const
{
    int minimum = ListeDesEvenements::NombreEtats;
    for (const ListeDesEvenements* liste : listes_) {
        // Only real states count; 0 means the table waits for nothing.
        const int etat = liste->getEtatAttendu();
        if (etat > EtatDeJeu::Aucun && etat < minimum)
            minimum = etat;
    }
    return minimum == ListeDesEvenements::NombreEtats ? 0 : minimum;
}

bool ZB_EventsGroup::sontTousDansEtat(const int& etat) const
{
    for (const ListeDesEvenements* liste : listes_)
        if (!liste->attend(etat))
            return false;
    return true;
}
