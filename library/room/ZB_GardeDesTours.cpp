#include "ZB_GardeDesTours.h"

qint64 ZB_GardeDesTours::observe(int noTable, int etat, const std::array<Siege, 4>& sieges, qint64 delaiMs,
                                 qint64 maintenantMs)
{
    Suivi& suivi = tables_[noTable];
    if (suivi.etat != etat) {
        suivi = Suivi{etat, maintenantMs, false};
        return -1;
    }
    if (suivi.abandonne)
        return -1;
    for (const Siege& siege : sieges) {
        if (!siege.distant || siege.id < 0 || siege.etatDemande != etat)
            continue;
        qint64 limite = suivi.depuis + delaiMs + MargeMs;
        const auto entree = entrees_.constFind(siege.id);
        if (entree != entrees_.constEnd())
            limite = qMax(limite, entree->depuis + delaiMs + MargeMs + RattrapageMs);
        if (maintenantMs < limite)
            continue;
        suivi.abandonne = true;
        ++muets_[siege.id];
        return siege.id;
    }
    return -1;
}

void ZB_GardeDesTours::entre(qint64 id, qint64 maintenantMs, int donne)
{
    if (entreALaProchaineDonne(id))
        return;
    Entree& entree = entrees_[id];
    if (entree.donne != donne)
        entree = Entree{maintenantMs, donne};
}

void ZB_GardeDesTours::oublie()
{
    tables_.clear();
    entrees_.clear();
    muets_.clear();
}
