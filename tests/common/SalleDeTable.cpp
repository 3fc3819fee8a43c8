#include "SalleDeTable.h"

#include <QCoreApplication>

bool SalleDeTable::cb_executeUnEvenement(EvenementDeJeu& ev)
{
    const bool applique = table->cb_executeUnEvenement(ev);
    if (!applique)
        return false;
    appliques << ev;
    if (avanceJusqua >= 0 && ev.etat_ == liste.getEtatAttendu() && ev.etat_ < avanceJusqua)
        liste.setEtatAttendu(ev.etat_ + 1);
    return true;
}

void SalleDeTable::continueLeJeu(int mode, double* delaiMs, int, bool force)
{
    if (!continueLaTable)
        return;
    table->continueLeJeu(mode, sansPause ? delaiMs : nullptr, false, force);
    if (sansPause && delaiMs != nullptr)
        *delaiMs = 0.0;
}

void SalleDeTable::posteEvenementDeTable(EvenementDeJeu* ev)
{
    QCoreApplication::postEvent(this, ev);
}

QStringList SalleDeTable::genresAppliques() const
{
    QStringList genres;
    for (const EvenementDeJeu& ev : appliques)
        genres << EvenementDeJeu::codeDeGenre(ev.type_);
    return genres;
}

void SalleDeTable::oublie()
{
    postes.clear();
    appliques.clear();
    envoyes.clear();
    exclusions = 0;
}

void SalleDeTable::customEvent(QEvent* event)
{
    auto* ev = dynamic_cast<EvenementDeJeu*>(event);
    if (ev == nullptr || !relaieLesPostes)
        return;
    postes << *ev;
    EvenementDeJeu copie(*ev);
    QCoreApplication::sendEvent(table, &copie);
    event->accept();
}
